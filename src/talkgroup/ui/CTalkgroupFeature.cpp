#include "CTalkgroupFeature.h"

#include "CVelmoraApp.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"

#include <QGuiApplication>

CTGDlgSettings CTalkgroupFeature::SettingsFromApp()
{
    CTGDlgSettings settings;
    settings.rightToLeft = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    const CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return settings;
    settings.namCount = [] {
        const CVelmoraApp* running = CVelmoraApp::Instance();
        return running ? running->ServiceProviderNam() : 1;
    };
    settings.hideSimpleList = app->HideSimpleList() == 1;
    settings.alderModels = app->ModelRules().AlderModels();
    settings.capacityOf = CTalkgroupManager::CapacitiesOf(app->ModelRules());
    return settings;
}

void CTalkgroupFeature::Register(IFrameRegistry& frame)
{
    IFrameServices* services = &frame.Services();
    frame.AddTabView(FrameTab::Talkgroups, [services](CVelmoraDoc& document) -> QWidget* {
        return new CTGDlg(document, SettingsFromApp(), services);
    });
}
