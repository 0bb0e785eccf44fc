#include "CPhoneFeature.h"

#include "AgentApi.h"
#include "CPhoneCommandHost.h"
#include "CPhoneSettings.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

namespace {

void ResetConnectedPhone(IFrameServices& services)
{
    const CPhoneSettings settings = CPhoneSettings::FromApp();
    services.BeginWait();
    const int result = AgentResetPhone(settings.ComPortArg(), settings.quickComm, settings.usbPort);
    services.EndWait();
    if (result == 1)
        CVelmoraWrap::ShowError(1405, VMT_NOTICE);
    else
        CVelmoraWrap::HandleAgentAPIErrors(result);
}

} // namespace

void CPhoneFeature::Register(IFrameRegistry& frame)
{
    using namespace FrameCmd;
    IFrameServices& services = frame.Services();
    // Writing needs a fleet window in front.
    const auto fleetActive = [&services]() {
        return services.ActiveFamily() == FrameFamily::Fleet && services.ActiveDocument();
    };
    frame.AddCommand(ResetPhone, [&services]() { ResetConnectedPhone(services); });
    frame.AddCommand(ReadPhone, [&services]() { CPhoneCommandHost::ReadPhone(services); });
    frame.AddCommand(
        WritePhone, [&services]() { CPhoneCommandHost::WritePhone(services); }, fleetActive);
    frame.AddCommand(CodeplugRecovery, [&services]() { CPhoneCommandHost::RecoverCodeplug(services); });
}
