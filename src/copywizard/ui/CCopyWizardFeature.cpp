#include "CCopyWizardFeature.h"

#include "CCopyWizardSheet.h"
#include "CSimPinDlgPrompt.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

#include <QWidget>

void CCopyWizardFeature::Run(IFrameServices& services)
{
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return;
    QWidget* main = services.MainWindow();
    CSimPinDlgPrompt prompt(main);
    CCopyWizardContext context;
    context.settings = CPhoneSettings::FromApp();
    context.rules = &app->ModelRules();
    context.namCount = app->ServiceProviderNam();
    context.prompt = &prompt;
    if (services.ActiveFamily() == FrameFamily::Fleet) {
        if (const CVelmoraDoc* document = services.ActiveDocument())
            context.fleetPath = document->PathName();
    }
    context.beginMainWait = [&services]() { services.BeginWait(); };
    context.endMainWait = [&services]() { services.EndWait(); };
    CCopyWizardSheet sheet(context, main);
    if (main)
        sheet.setLayoutDirection(main->layoutDirection());
    sheet.SetHelpHandler([&services, &sheet](int context) { services.ShowHelp(sheet.TopicOf(context)); });
    sheet.exec();
    // Every way out leaves the main window usable.
    if (main)
        main->setEnabled(true);
}

void CCopyWizardFeature::Register(IFrameRegistry& frame)
{
    IFrameServices& services = frame.Services();
    frame.AddCommand(FrameCmd::CopyWizard, [&services]() { Run(services); });
}
