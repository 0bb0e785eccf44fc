#include "CPhoneCommands.h"

#include "AgentApi.h"
#include "CAppendFile.h"
#include "CPhoneItems.h"
#include "CPhoneSettings.h"
#include "CProcessPhone.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CWaitScope.h"
#include "CodeplugItemIds.h"
#include "IPhoneCommandHost.h"
#include "IVelmoraQuestion.h"
#include "PhoneMessageIds.h"

#include <QSqlQuery>

namespace {

bool Completed(int code)
{
    return code == AGENT_SUCCESS || AgentIsWarning(code);
}

// Clears the status pane on every way out of a write but the one that says how it ended.
class CStatusPane
{
public:
    explicit CStatusPane(IPhoneCommandHost& host) : m_host(host) {}
    ~CStatusPane()
    {
        if (!m_kept)
            m_host.SetStatusText(QString());
    }
    void Show(const QString& text) { m_host.SetStatusText(text); }
    void Keep(const QString& text)
    {
        Show(text);
        m_kept = true;
    }

private:
    IPhoneCommandHost& m_host;
    bool m_kept = false;
};

// Phone commands running. A new unit's row, stored before a command, may itself ask to read the
// phone (the new-unit prompt): that read runs inside the first command and must not store the row
// again.
int g_commandsRunning = 0;

class CRunningCommand
{
public:
    CRunningCommand() : m_nested(g_commandsRunning++ > 0) {}
    ~CRunningCommand() { --g_commandsRunning; }
    bool Nested() const { return m_nested; }

private:
    bool m_nested;
};

// Shows the message of a library result; true when the command must stop.
bool ShowAgentResult(IPhoneCommandHost& host, int code)
{
    const CVelmoraError error = CVelmoraError::FromAgentCode(code);
    host.Report(error);
    return error.Stops();
}

} // namespace

int CPhoneCommands::UnitCount(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM unit_details")) || !query.next())
        return 0;
    return query.value(0).toInt();
}

CVelmoraError CPhoneCommands::PatchItem40()
{
    QByteArray bytes;
    int rc = CPhoneItems::ReadBytes(CodeplugItem::ProgrammingState, bytes);
    if (!CPhoneItems::Ok(rc) || bytes != QByteArray::fromRawData("\x19\xF1\x00\x00\x00", 5))
        return CVelmoraError();
    bytes[4] = 2;
    rc = CPhoneItems::WriteBytes(CodeplugItem::ProgrammingState, bytes);
    return CPhoneItems::Ok(rc) ? CVelmoraError() : CPhoneItems::Failure(rc);
}

bool CPhoneCommands::ReadPhone(IPhoneCommandHost& host, const CPhoneSettings& settings,
                               const CModelRules& rules)
{
    const CRunningCommand running;
    bool newFleet = false;
    CVelmoraDoc* document = host.ActiveFleet();
    if (document) {
        if (!running.Nested() && !host.StorePendingEdits(*document))
            return false;
        if (document->AnyViewEditing()) {
            host.Report(CVelmoraError::Message(PhoneMsg::CellEditingRead, {}, VMT_NOTICE));
            return false;
        }
        if (UnitCount(document->Database()) > 0 && IVelmoraQuestion::Shared().Ask(CVelmoraError::Message(
                                                       PhoneMsg::ReadIntoOpenFleet, {}, VMT_YESNO)) == IDNO)
            newFleet = true;
    } else {
        newFleet = true;
    }

    const int rc = AgentReadCodeplug(settings.ComPortArg(), settings.quickComm, settings.UsbPortArg());
    if (rc == AGENT_CANCELLED)
        return false;
    if (!Completed(rc)) {
        host.Report(CVelmoraError::FromAgentCode(rc));
        if (rc == AGENT_CP_UNSUPPORTED)
            host.ShowNoCPSupport();
        return false;
    }

    CWaitScope wait(host);
    if (newFleet) {
        document = host.NewFleet();
        if (!document)
            return false;
    }
    CProcessPhone phone(CProcessPhone::ModeRead, settings, rules, host.PinPrompt());
    phone.SetMessages(&host);
    CVelmoraError error = phone.OpenScratchDatabase();
    if (!error)
        error = phone.ReadPhone();
    if (error) {
        host.Report(error);
        return false;
    }
    host.SetSimKind(phone.SimKind());
    {
        CAppendFile engine(*document);
        engine.LendPhoneReadSource(phone.Database());
        engine.CopyOnePhoneUnit();
        for (const CVelmoraError& error : engine.Errors())
            host.Report(error);
    }
    // The grids reload before the unit read is selected in them.
    document->RefreshUnitsViews();
    host.ShowUnitsView(*document, phone.Imei());
    host.SetStatusText(CVelmoraWrap::LoadString(PhoneText::ReadDone).arg(phone.Imei()));
    if (phone.PhoneClass() == 1) {
        // A phone without SIM leaves programming mode only when restarted.
        // A remark of the restart is shown too; the unit is already in the fleet, so the read goes on.
        const int reset = AgentResetPhone(settings.ComPortArg(), settings.quickComm, settings.UsbPortArg());
        if (reset != AGENT_SUCCESS)
            host.Report(CVelmoraError::FromAgentCode(reset));
    }
    return true;
}

bool CPhoneCommands::WritePhone(IPhoneCommandHost& host, const CPhoneSettings& settings,
                                const CModelRules& rules, const CWriteFlags& flags)
{
    const CRunningCommand running;
    CVelmoraDoc* document = host.ActiveFleet();
    if (!document)
        return false;
    // The unit is written as the grid shows it.
    if (!running.Nested() && !host.StorePendingEdits(*document))
        return false;
    if (document->AnyViewEditing()) {
        host.Report(CVelmoraError::Message(PhoneMsg::CellEditingWrite, {}, VMT_NOTICE));
        return false;
    }
    // Without units no phone can match: there is nothing to write.
    if (UnitCount(document->Database()) == 0) {
        host.Report(CVelmoraError::Message(PhoneText::NoUnitsToWrite, {}, VMT_NOTICE));
        return false;
    }

    int rc = AgentReadCodeplug(settings.ComPortArg(), settings.quickComm, settings.UsbPortArg());
    if (rc == AGENT_CANCELLED)
        return false;
    if (!Completed(rc) && ShowAgentResult(host, rc))
        return false;

    CStatusPane pane(host);
    CWaitScope wait(host);
    CProcessPhone phone(CProcessPhone::ModeWrite, settings, rules, host.PinPrompt());
    phone.SetMessages(&host);
    phone.SetWriteFlags(flags);
    phone.AttachDatabase(document->Database());
    phone.ClearImei();
    if (const CVelmoraError error = phone.PrepareAndWriteUnitItems()) {
        host.Report(error);
        return false;
    }
    pane.Show(CVelmoraWrap::LoadString(PhoneMsg::ProgrammingStatus).arg(phone.Imei()));
    const QString backupFolder = settings.BackupFolderForWrite();

    if (const CVelmoraError error = PatchItem40()) {
        host.Report(error);
        return false;
    }
    rc =
        AgentWriteCodeplug(settings.ComPortArg(), settings.quickComm, backupFolder, settings.UsbPortArg(), 0);
    if (!Completed(rc) && ShowAgentResult(host, rc))
        return false;

    if (phone.PhoneClass() == 1) {
        // Even a remark of the restart ends the write with its own text, not the programmed notice.
        rc = AgentResetPhone(settings.ComPortArg(), settings.quickComm, settings.UsbPortArg());
        if (rc != AGENT_SUCCESS) {
            host.Report(CVelmoraError::FromAgentCode(rc));
            return false;
        }
    } else if (const CVelmoraError error = phone.SimStage(false, 1, phone.PhoneClass(), phone.SimKind())) {
        host.Report(error);
        return false;
    }
    wait.End();
    // The progress text goes before the success box comes up.
    pane.Keep(CVelmoraWrap::LoadString(PhoneText::WriteDone).arg(phone.Imei()));
    host.Report(CVelmoraError::Message(PhoneMsg::Programmed, {}, VMT_NOTICE));
    return true;
}
