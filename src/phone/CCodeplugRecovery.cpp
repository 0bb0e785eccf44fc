#include "CCodeplugRecovery.h"

#include "AgentApi.h"
#include "CVelmoraWrap.h"
#include "CWaitScope.h"
#include "IPhoneMessages.h"
#include "IVelmoraQuestion.h"
#include "PhoneMessageIds.h"

#include <QFileInfo>

CVelmoraError CCodeplugRecovery::Start(IWaitIndicator& wait, QString& path) const
{
    if (IVelmoraQuestion::Shared().Ask(CVelmoraError::Message(PhoneMsg::RecoveryQuestion, {}, VMT_YESNO)) !=
        IDYES)
        return CVelmoraError::Cancelled();
    QString name;
    int rc = AGENT_SUCCESS;
    {
        CWaitScope scope(wait);
        AgentOpenRecoveryLink(m_settings.ComPortArg(), m_settings.quickComm, AGENT_BAUD_RATE,
                              m_settings.UsbPortArg());
        rc = AgentGetBackupName(m_settings.ComPortArg(), m_settings.quickComm, &name);
    }
    const CVelmoraError error = rc == AGENT_SUCCESS ? CVelmoraError() : CVelmoraError::FromAgentCode(rc);
    if (error.Stops())
        return error;
    path = name.isEmpty() ? QString() : m_settings.BackupFileFor(name);
    return error;
}

CCodeplugRecovery::Result CCodeplugRecovery::Restore(const QString& path, IWaitIndicator& wait,
                                                     IPhoneMessages& messages) const
{
    if (path.trimmed().isEmpty() || !QFileInfo(path).isFile()) {
        messages.Report(CVelmoraError::Message(PhoneMsg::BackupMissing));
        return Result::Stay;
    }
    int rc = AgentLoadBackupFile(path);
    if (rc != AGENT_SUCCESS) {
        messages.Report(CVelmoraError::FromAgentCode(rc));
        return Result::Stay;
    }
    // Programming and restarting take a while: the window waits through both, and the messages come
    // once it takes input again.
    {
        CWaitScope scope(wait);
        rc = AgentWriteCodeplug(m_settings.ComPortArg(), m_settings.quickComm,
                                m_settings.BackupFolderForWrite(), m_settings.UsbPortArg(), 1);
    }
    if (rc != AGENT_SUCCESS) {
        messages.Report(CVelmoraError::FromAgentCode(rc));
        if (!AgentIsWarning(rc))
            return Result::Stay;
    }
    int reset = AGENT_SUCCESS;
    {
        CWaitScope scope(wait);
        reset = AgentResetPhone(m_settings.ComPortArg(), m_settings.quickComm, m_settings.UsbPortArg());
    }
    messages.Report(CVelmoraError::Message(PhoneMsg::Restored, {}, VMT_NOTICE));
    const CVelmoraError error =
        reset == AGENT_SUCCESS ? CVelmoraError() : CVelmoraError::FromAgentCode(reset);
    messages.Report(error);
    return error.Stops() ? Result::Stay : Result::Close;
}
