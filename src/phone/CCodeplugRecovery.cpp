#include "CCodeplugRecovery.h"

#include "AgentApi.h"
#include "CVelmoraWrap.h"
#include "CWaitScope.h"
#include "PhoneMessageIds.h"

#include <QFileInfo>

bool CCodeplugRecovery::Start(IWaitIndicator& wait, QString& path) const
{
    if (CVelmoraWrap::ShowError(PhoneMsg::RecoveryQuestion, VMT_YESNO) != IDYES)
        return false;
    QString name;
    int rc = AGENT_SUCCESS;
    {
        CWaitScope scope(wait);
        AgentOpenRecoveryLink(m_settings.ComPortArg(), m_settings.quickComm, AGENT_BAUD_RATE,
                              m_settings.UsbPortArg());
        rc = AgentGetBackupName(m_settings.ComPortArg(), m_settings.quickComm, &name);
    }
    if (rc != AGENT_SUCCESS && CVelmoraWrap::HandleAgentAPIErrors(rc) == 1)
        return false;
    path = name.isEmpty() ? QString() : m_settings.BackupFileFor(name);
    return true;
}

CCodeplugRecovery::Result CCodeplugRecovery::Restore(const QString& path, IWaitIndicator& wait) const
{
    if (path.trimmed().isEmpty() || !QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(PhoneMsg::BackupMissing, VMT_ERROR);
        return Result::Stay;
    }
    int rc = AgentLoadBackupFile(path);
    if (rc != AGENT_SUCCESS) {
        CVelmoraWrap::HandleAgentAPIErrors(rc);
        return Result::Stay;
    }
    // Programming and restarting take a while: the window waits through both, and the messages come
    // once it takes input again.
    {
        CWaitScope scope(wait);
        rc = AgentWriteCodeplug(m_settings.ComPortArg(), m_settings.quickComm,
                                m_settings.BackupFolderForWrite(), m_settings.UsbPortArg(), 1);
    }
    if (AgentIsWarning(rc)) {
        CVelmoraWrap::HandleAgentAPIErrors(rc);
    } else if (rc != AGENT_SUCCESS) {
        CVelmoraWrap::HandleAgentAPIErrors(rc);
        return Result::Stay;
    }
    int reset = AGENT_SUCCESS;
    {
        CWaitScope scope(wait);
        reset = AgentResetPhone(m_settings.ComPortArg(), m_settings.quickComm, m_settings.UsbPortArg());
    }
    CVelmoraWrap::ShowError(PhoneMsg::Restored, VMT_NOTICE);
    if (reset == AGENT_SUCCESS || CVelmoraWrap::HandleAgentAPIErrors(reset) != 1)
        return Result::Close;
    return Result::Stay;
}
