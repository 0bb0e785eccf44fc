#pragma once

#include "AgentApi.h"
#include "CCodeplug.h"
#include "CPhoneBench.h"
#include "CVirtualPhone.h"

#include <QElapsedTimer>
#include <QString>
#include <optional>

// The state behind the library's functions: the link, the bench, the working copy, the SIM
// session (PIN verified since the last restart) and the time a restarting phone still needs.
class CAgentLink
{
public:
    static CAgentLink& Instance();

    void SetBenchFolder(const QString& folder) { m_benchFolder = folder; }
    QString BenchFolder() const { return m_benchFolder; }
    void SetDelayFunction(AgentDelayFunction delay) { m_delay = std::move(delay); }
    void Delay(int milliseconds);

    int OpenLink(int baudRate);
    int OpenRecoveryLink(int baudRate);
    int CloseLink();

    int ReadCodeplug();
    int WriteCodeplug(const QString& backupFolder, int mode, const QString& operation);
    int LoadBackupFile(const QString& path);
    int ResetPhone();
    int GetBackupName(QString* name);
    int GetSupportList(char* buffer);

    int GetItemInfo(int item, int* width, uint16_t* count, int bank);
    // width: 1, 2 or 4 bytes per element of buffer (host order).
    int ReadItem(const QString& operation, int item, void* buffer, int width, int count, int bank);
    int WriteItem(const QString& operation, int item, const void* buffer, int width, int count, int bank);
    int ResetItem(int item);
    int GetSubRelease(uint8_t* buffer);

    int ReadLists(CListBlockLayout::Layout layout, uint8_t* block);
    int WriteLists(CListBlockLayout::Layout layout, const uint8_t* block);

    int ReadImei(uint8_t* imei, int mode);
    int GetSimStatus(int* status, QString* kind, int* triesLeft);
    int VerifySimPin(const uint8_t* pin, int* status);
    int ReadSimBlock(const uint8_t* pin, uint8_t* block, int mode);
    int WriteSimBlock(const uint8_t* pin, const uint8_t* block, int mode);

    // Codeplug structure versions this library programs.
    static bool IsSupportedStructureVersion(int version);
    static QByteArray SupportListText();

private:
    struct WorkingCopy
    {
        CCodeplug codeplug;
        QString imei;
        char subRelease = 0;
        QString phonePath; // the phone file it was read from; empty for a backup
        QList<CPhoneFault> faults;
        bool fromBackup = false;
    };

    CPhoneBench Bench() const { return CPhoneBench(m_benchFolder); }
    // Loads the connected phone and applies its fault for the operation. AGENT_SUCCESS to go on,
    // with warning set to a warning code the operation answers when done; else the code to answer.
    int ReachPhone(const QString& operation, CVirtualPhone& phone, QString& path, int& warning);
    int ApplyFault(const QString& operation, CVirtualPhone& phone, const QString& path, int& warning);
    // The same for the working copy's operations; AGENT_INVALID_REQUEST when nothing was read.
    int ReachWorkingCopy(const QString& operation, int item, int& warning);
    int SimAccess(const CVirtualPhone& phone, const uint8_t* pin) const;
    int EffectiveSimStatus(const CVirtualPhone& phone) const;
    bool PinVerified(const CVirtualPhone& phone) const;
    bool SimBusy() const;
    void StartRestart();
    void ClearSession();

    QString m_benchFolder;
    AgentDelayFunction m_delay;
    bool m_open = false;
    std::optional<WorkingCopy> m_copy;
    QString m_verifiedImei;
    QByteArray m_verifiedToken; // the plugging-in during which the PIN was verified
    qint64 m_restartOwed = 0;
    qint64 m_restartCredit = 0;
    QElapsedTimer m_restartClock;
};
