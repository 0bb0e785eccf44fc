#include "CCopyWriter.h"

#include "AgentApi.h"
#include "CCopyWizardState.h"
#include "CPhoneCommands.h"
#include "CPhoneSettings.h"
#include "CProcessPhone.h"
#include "CWaitScope.h"
#include "CopyWizardIds.h"
#include "IPhoneMessages.h"

namespace {

bool Completed(int code)
{
    return code == AGENT_SUCCESS || code == AGENT_WARN_SKIPPED || code == AGENT_WARN_KEPT ||
           code == AGENT_WARN_RESTART;
}

} // namespace

CVelmoraError CCopyWriter::Check(int code)
{
    if (code == AGENT_CANCELLED)
        return CVelmoraError::Cancelled();
    if (Completed(code))
        return CVelmoraError();
    CVelmoraError error = CVelmoraError::FromAgentCode(code);
    if (error.Stops())
        return error;
    m_messages.Report(error);
    return CVelmoraError();
}

CCopyWriter::Outcome CCopyWriter::Write(CCopyWizardState& state, const CWriteFlags& flags, bool restart,
                                        IWaitIndicator& wait)
{
    Outcome outcome;
    CProcessPhone* source = state.Source();
    if (!source || state.sourceImei.isEmpty()) {
        outcome.error = CVelmoraError::Message(CopyWizMsg::NoUnitChosen);
        return outcome;
    }
    const int com = m_settings.ComPortArg();
    if ((outcome.error = Check(AgentReadCodeplug(com, m_settings.quickComm, m_settings.UsbPortArg()))))
        return outcome;
    QString name;
    if (AgentGetBackupName(com, m_settings.quickComm, &name) == AGENT_SUCCESS) {
        outcome.imei = name;
        outcome.backupFile = m_settings.BackupFileFor(name);
    }
    source->SetWriteFlags(flags);
    outcome.error = Program(state, outcome, restart, wait);
    outcome.written = !outcome.error.IsError();
    if (outcome.written)
        outcome.successId = outcome.phoneClass == 3 ? CopyWizMsg::SimProgrammed : CopyWizMsg::Programmed;
    return outcome;
}

CVelmoraError CCopyWriter::Program(CCopyWizardState& state, Outcome& outcome, bool restart,
                                   IWaitIndicator& wait)
{
    CProcessPhone& phone = *state.Source();
    const int com = m_settings.ComPortArg();
    const int quick = m_settings.quickComm;
    const int usb = m_settings.UsbPortArg();
    CWaitScope scope(wait);
    if (const CVelmoraError error = phone.PrepareAndWriteSourceItems(state.sourceImei))
        return error;
    outcome.modelType = phone.ModelType();
    outcome.phoneClass = phone.PhoneClass();
    if (state.phoneClass != 1) {
        if (const CVelmoraError error = phone.WriteListBlock(state.phoneClass == 3 && state.simKind == 3))
            return error;
    }
    if (const CVelmoraError error = CPhoneCommands::PatchItem40())
        return error;
    if (const CVelmoraError error =
            Check(AgentWriteCodeplugForCopy(com, quick, m_settings.BackupFolderForWrite(), usb)))
        return error;
    if (outcome.phoneClass != 1) {
        if (const CVelmoraError error = phone.SimStage(true, 0, state.phoneClass, state.simKind))
            return error;
    }
    if (restart) {
        const int rc = AgentResetPhone(com, quick, usb);
        if (rc != AGENT_SUCCESS) {
            const CVelmoraError error =
                rc == AGENT_CANCELLED ? CVelmoraError::Cancelled() : CVelmoraError::FromAgentCode(rc);
            if (error.Stops() || error.IsCancelled())
                return error;
            m_messages.Report(error);
        }
    }
    return CVelmoraError();
}
