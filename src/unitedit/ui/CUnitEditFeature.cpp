#include "CUnitEditFeature.h"

#include "CUnitPropertySheet.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

#include <QGuiApplication>

CUnitSheetContext CUnitEditFeature::ContextFromApp(const QSqlDatabase& db)
{
    CUnitSheetContext context;
    context.db = db;
    context.settings = CUnitSheetSettings::FromStore();
    if (const CVelmoraApp* app = CVelmoraApp::Instance()) {
        context.rules = &app->ModelRules();
        context.carrierId = app->CarrierId();
        context.language = app->LanguageCode();
        context.hideSimpleList = app->HideSimpleList() == 1;
        context.modelList = app->ModelList();
    }
    return context;
}

int CUnitEditFeature::CommandOfLabel(const QString& label)
{
    for (int page = 0; page < UnitPage::Count; ++page) {
        const int command = CUnitSheetLayout::CommandOfPage(page);
        if (command && CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(page)) == label)
            return command;
    }
    return 0;
}

bool CUnitEditFeature::RunSheet(const CUnitOpenInfo& unit, const CUnitSheetContext& context, int page,
                                QWidget* parent, IFrameServices* services)
{
    CUnitPropertySheet sheet(unit, context, parent);
    sheet.setLayoutDirection(parent ? parent->layoutDirection() : QGuiApplication::layoutDirection());
    if (page >= 0)
        sheet.SetStartPageId(page);
    if (services)
        sheet.SetHelpHandler([services, &sheet](int context) { services->ShowHelp(sheet.TopicOf(context)); });
    sheet.exec();
    return sheet.FleetChanged();
}

CUnitSheetHooks CUnitEditFeature::Register(IFrameRegistry& frame)
{
    IFrameServices& services = frame.Services();
    // A list-bar item of the fleet family opens the page of its label, as its unit command does.
    frame.AddListBarHandler(FrameFamily::Fleet, [&services](const QString& label) {
        const int command = CommandOfLabel(label);
        return command != 0 && services.ExecuteCommand(command);
    });
    CUnitSheetHooks hooks;
    hooks.hasPage = &CUnitPropertySheet::HasPage;
    hooks.open = [&services](CVelmoraDoc& document, const CUnitOpenInfo& unit, int page, QWidget* parent) {
        return RunSheet(unit, ContextFromApp(document.Database()), page, parent, &services);
    };
    return hooks;
}
