#include "CAutoFillFeature.h"

#include "CListDialogHooks.h"
#include "CUnitAutoFillDlg.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "ExchangeMessageIds.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

namespace {

enum : int
{
    CancelText = 7245,
    RepaintMs = 50,      // how often the progress window is brought up to date
    ShownFullUnits = 10, // units named in the report, the others counted
};

} // namespace

CFleetAutoFill::Report CAutoFillFeature::RunWholeFleet(CVelmoraDoc& document, const CModelRules& rules,
                                                       QWidget* parent)
{
    QProgressDialog window(parent);
    window.setProperty("helpContext", 135692); // help context: auto fill
    window.setWindowTitle(CVelmoraWrap::LoadString(FrameCmd::AutoFill).remove(QLatin1Char('&')));
    window.setCancelButtonText(CVelmoraWrap::LoadString(CancelText));
    window.setWindowModality(Qt::WindowModal);
    window.setMinimumDuration(0);
    window.setAutoClose(false);
    window.setAutoReset(false);
    window.setMinimumWidth(420);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    const auto progress = [&window, &sinceRepaint](int done, int total) {
        if (done == 0 || done == total || sinceRepaint.elapsed() >= RepaintMs) {
            window.setMaximum(qMax(1, total));
            window.setValue(done);
            window.setLabelText(
                CVelmoraError::Message(ExchangeMsg::Progress, {QString::number(done), QString::number(total)})
                    .ToText());
            QApplication::processEvents();
            sinceRepaint.restart();
        }
        return !window.wasCanceled();
    };
    CFleetAutoFill::Report report;
    {
        CFleetAutoFill fill(document.Database(), rules);
        report = fill.Run(progress);
    }
    window.close();
    QApplication::restoreOverrideCursor();
    if (report.error) {
        if (!report.error.IsCancelled())
            CVelmoraWrap::ShowError(report.error);
        return report;
    }
    if (report.added > 0) {
        document.SetModifiedFlag(true);
        document.SetChanged(true);
        document.RefreshUnitsViews();
    }
    // One report for the whole run: what was added, then the units whose lists ran full.
    QString text = CVelmoraError::Message(ExchangeMsg::AutoFillDone,
                                          {QString::number(report.added), QString::number(report.units)})
                       .ToText();
    if (!report.fullUnits.isEmpty()) {
        // A long list is cut so the message stays readable; the rest is counted.
        QString units = report.fullUnits.mid(0, ShownFullUnits).join(QStringLiteral(", "));
        if (report.fullUnits.size() > ShownFullUnits)
            units += QStringLiteral(", ") +
                     CVelmoraError::Message(ExchangeMsg::MoreUnits,
                                            {QString::number(report.fullUnits.size() - ShownFullUnits)})
                         .ToText();
        text += QStringLiteral("\n\n") + CVelmoraError::Message(ExchangeMsg::ListsFull, {units}).ToText();
    }
    CVelmoraWrap::ShowError(text, VMT_NOTICE);
    return report;
}

void CAutoFillFeature::Register(IFrameRegistry& frame)
{
    CListDialogHooks::AutoFillHook() = &CUnitAutoFillDlg::RunFromSheet;
    IFrameServices& services = frame.Services();
    const auto fleetActive = [&services]() {
        return services.ActiveFamily() == FrameFamily::Fleet && services.ActiveDocument();
    };
    frame.AddCommand(
        FrameCmd::AutoFill,
        [&services]() {
            CVelmoraDoc* document = services.ActiveDocument();
            const CVelmoraApp* app = CVelmoraApp::Instance();
            // A row being typed in the units grid is stored first, as other fleet-wide commands do.
            if (!document || !app || !services.FinishPendingWork(*document))
                return;
            RunWholeFleet(*document, app->ModelRules(), services.MainWindow());
            services.UpdateCommands();
        },
        fleetActive);
}
