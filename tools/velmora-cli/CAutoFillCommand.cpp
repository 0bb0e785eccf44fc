#include "CAutoFillCommand.h"

#include "CCliContext.h"
#include "CCliSignals.h"
#include "CCliTexts.h"
#include "CFleetAutoFill.h"
#include "CFleetFile.h"
#include "CFleetSession.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "ExchangeMessageIds.h"

#include <QTextStream>

int CAutoFillCommand::Run(const QString& path)
{
    // Before the session keeps its copy of the fleet: what stands in the way is named.
    if (const CVelmoraError writable = CFleetFile::CheckWritable(path)) {
        CVelmoraWrap::ShowError(writable);
        return 1;
    }
    CFleetSession session(m_cx.fleets);
    QString why;
    if (!session.Open(path, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotOpen, {path})) : m_cx.Fail(why);
    CFleetAutoFill::Report report;
    {
        CFleetAutoFill fill(session.Document().Database(), m_cx.app.ModelRules());
        // A signal that asks the run to end stops the fill, which undoes it.
        report = fill.Run([](int, int) { return CCliSignals::Pending() == 0; });
    }
    if (report.error) {
        session.Rollback();
        if (!report.error.IsCancelled())
            CVelmoraWrap::ShowError(report.error);
        return m_cx.Failed(CCliTexts::Text(ExchangeMsg::NothingFilled, {path}));
    }
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotSaved, {path}));
    m_cx.Done(path, CCliTexts::Text(ExchangeMsg::AutoFillDone,
                                    {QString::number(report.added), QString::number(report.units)}));
    if (!report.fullUnits.isEmpty())
        m_cx.Note(CCliTexts::Text(ExchangeMsg::ListsFull, {report.fullUnits.join(QStringLiteral(", "))}));
    return m_cx.Result();
}
