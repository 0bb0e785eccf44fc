#include "CSmsFeature.h"

#include "CSMSChildFrm.h"
#include "CSendSMSView.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

#include <QMdiArea>
#include <QPointer>

namespace {
QString Plain(int textId)
{
    QString text = CVelmoraWrap::LoadString(textId);
    text.remove(QLatin1Char('&'));
    return text;
}
} // namespace

int CSmsFeature::CommandOfLabel(const QString& label)
{
    // The bar's items in order: load, save, modem, options, help.
    const int items[] = {1617, 1618, 1619, 1620, 1621};
    const int commands[] = {FrameCmd::SmsLoad, FrameCmd::SmsSave, FrameCmd::SmsModem, FrameCmd::SmsOptions,
                            FrameCmd::SmsHelp};
    for (int i = 0; i < 5; ++i) {
        if (Plain(items[i]) == label)
            return commands[i];
    }
    return 0;
}

void CSmsFeature::Register(IFrameRegistry& frame, CSmsContext context, bool smsAvailable)
{
    IFrameServices& services = frame.Services();
    context.services = &services;
    // Opens the SMS window, or brings the open one to the front.
    frame.AddCommand(
        FrameCmd::SmsBar,
        [&services, context]() {
            const QList<CSendSMSView*> views = CSendSMSView::AllViews();
            if (!views.isEmpty()) {
                if (auto* window = qobject_cast<QMdiSubWindow*>(views.last()->parentWidget()))
                    services.ActivateWindow(window);
                return;
            }
            services.AddWindow(new CSMSChildFrm(context));
        },
        [smsAvailable]() { return smsAvailable; },
        [&services]() { return services.ActiveFamily() == FrameFamily::Other; });
    frame.AddListBarHandler(FrameFamily::Other, [&services](const QString& label) {
        const int command = CommandOfLabel(label);
        return command && services.ExecuteCommand(command);
    });
}
