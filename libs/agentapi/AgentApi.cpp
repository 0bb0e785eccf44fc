#include "AgentApi.h"

#include "CAgentLink.h"

namespace {

CAgentLink& Link()
{
    return CAgentLink::Instance();
}

using Layout = CListBlockLayout::Layout;

} // namespace

const char* AgentResultName(int code)
{
    static const char* const names[] = {"AGENT_NO_ANSWER",
                                        "AGENT_ABSENT",
                                        "AGENT_LINK_NOT_OPEN",
                                        "AGENT_PORT_FAILED",
                                        "AGENT_NO_PHONE",
                                        "AGENT_TIMEOUT",
                                        "AGENT_COMM_ERROR",
                                        "AGENT_PHONE_BUSY",
                                        "AGENT_INVALID_REQUEST",
                                        "AGENT_SIZE_MISMATCH",
                                        "AGENT_VALUE_REJECTED",
                                        "AGENT_WRITE_FAILED",
                                        "AGENT_READ_FAILED",
                                        "AGENT_BACKUP_WRITE_FAILED",
                                        "AGENT_BACKUP_UNREADABLE",
                                        "AGENT_CP_UNSUPPORTED",
                                        "AGENT_PHONE_DAMAGED",
                                        "AGENT_PHONE_FORMAT",
                                        "AGENT_NO_SIM",
                                        "AGENT_WRONG_PIN",
                                        "AGENT_SIM_BLOCKED",
                                        "AGENT_SIM_IO",
                                        "AGENT_WARN_SKIPPED",
                                        "AGENT_WARN_KEPT",
                                        "AGENT_WARN_RESTART",
                                        "AGENT_IMEI_UNREADABLE",
                                        "AGENT_RESET_FAILED",
                                        "AGENT_CANCELLED",
                                        "AGENT_RECOVERY_FAILED",
                                        "AGENT_UNSUPPORTED"};
    if (code == AGENT_SUCCESS)
        return "AGENT_SUCCESS";
    if (code <= -1 && code >= -30)
        return names[-code - 1];
    return "?";
}

void AgentSetBenchFolder(const QString& folder)
{
    Link().SetBenchFolder(folder);
}

QString AgentBenchFolder()
{
    return Link().BenchFolder();
}

void AgentSetDelayFunction(AgentDelayFunction delay)
{
    Link().SetDelayFunction(std::move(delay));
}

void AgentDelay(int milliseconds)
{
    Link().Delay(milliseconds);
}

int AgentOpenLink(int, int, int baudRate, int)
{
    return Link().OpenLink(baudRate);
}

int AgentCloseLink()
{
    return Link().CloseLink();
}

int AgentOpenRecoveryLink(int, int, int baudRate, int)
{
    return Link().OpenRecoveryLink(baudRate);
}

int AgentReadCodeplug(int, int, int)
{
    return Link().ReadCodeplug();
}

int AgentWriteCodeplug(int, int, const QString& backupFolder, int, int mode)
{
    return Link().WriteCodeplug(backupFolder, mode, QStringLiteral("AgentWriteCodeplug"));
}

int AgentWriteCodeplugForCopy(int, int, const QString& backupFolder, int)
{
    return Link().WriteCodeplug(backupFolder, 0, QStringLiteral("AgentWriteCodeplugForCopy"));
}

int AgentLoadBackupFile(const QString& path)
{
    return Link().LoadBackupFile(path);
}

int AgentResetPhone(int, int, int)
{
    return Link().ResetPhone();
}

int AgentGetBackupName(int, int, QString* name)
{
    return Link().GetBackupName(name);
}

int AgentGetSupportList(char* buffer)
{
    return Link().GetSupportList(buffer);
}

int AgentGetItemInfo(int item, int* width, uint16_t* count, int bank)
{
    return Link().GetItemInfo(item, width, count, bank);
}

int AgentReadItem8(int item, uint8_t* buffer, int count, int bank)
{
    return Link().ReadItem(QStringLiteral("AgentReadItem8"), item, buffer, 1, count, bank);
}

int AgentReadItem16(int item, uint16_t* buffer, int count, int bank)
{
    return Link().ReadItem(QStringLiteral("AgentReadItem16"), item, buffer, 2, count, bank);
}

int AgentReadItem32(int item, uint32_t* buffer, int count, int bank)
{
    return Link().ReadItem(QStringLiteral("AgentReadItem32"), item, buffer, 4, count, bank);
}

int AgentWriteItem8(int item, const uint8_t* buffer, int count, int bank)
{
    return Link().WriteItem(QStringLiteral("AgentWriteItem8"), item, buffer, 1, count, bank);
}

int AgentWriteItem16(int item, const uint16_t* buffer, int count, int bank)
{
    return Link().WriteItem(QStringLiteral("AgentWriteItem16"), item, buffer, 2, count, bank);
}

int AgentWriteItem32(int item, const uint32_t* buffer, int count, int bank)
{
    return Link().WriteItem(QStringLiteral("AgentWriteItem32"), item, buffer, 4, count, bank);
}

int AgentResetItem(int item)
{
    return Link().ResetItem(item);
}

int AgentGetSubRelease(uint8_t* buffer)
{
    return Link().GetSubRelease(buffer);
}

#define VELMORA_LIST_PAIR(suffix)                                                                            \
    int AgentReadLists##suffix(uint8_t* block)                                                               \
    {                                                                                                        \
        return Link().ReadLists(CListBlockLayout::L##suffix, block);                                         \
    }                                                                                                        \
    int AgentWriteLists##suffix(const uint8_t* block)                                                        \
    {                                                                                                        \
        return Link().WriteLists(CListBlockLayout::L##suffix, block);                                        \
    }

VELMORA_LIST_PAIR(0)
VELMORA_LIST_PAIR(0X)
VELMORA_LIST_PAIR(1)
VELMORA_LIST_PAIR(2)
VELMORA_LIST_PAIR(3)
VELMORA_LIST_PAIR(4)
VELMORA_LIST_PAIR(4X)
VELMORA_LIST_PAIR(5)
VELMORA_LIST_PAIR(5X)
VELMORA_LIST_PAIR(8)
VELMORA_LIST_PAIR(9)

#undef VELMORA_LIST_PAIR

const AgentListOperations* AgentListOperationsFor(int callListType, bool crossFleet)
{
    static const AgentListOperations table[] = {
        {0, false, 4, 11, 12868, AgentReadLists0, AgentWriteLists0},
        {0, true, 43, 44, 13280, AgentReadLists0X, AgentWriteLists0X},
        {1, false, 5, 12, 12868, AgentReadLists1, AgentWriteLists1},
        {6, false, 5, 12, 12868, AgentReadLists1, AgentWriteLists1},
        {2, false, 6, 13, 12868, AgentReadLists2, AgentWriteLists2},
        {3, false, 7, 14, 12868, AgentReadLists3, AgentWriteLists3},
        {4, false, 33, 15, 12868, AgentReadLists4, AgentWriteLists4},
        {4, true, 41, 42, 13280, AgentReadLists4X, AgentWriteLists4X},
        {5, false, 30, 31, 10080, AgentReadLists5, AgentWriteLists5},
        {5, true, 38, 39, 10960, AgentReadLists5X, AgentWriteLists5X},
        {8, false, 56, 57, 19640, AgentReadLists8, AgentWriteLists8},
        {9, false, 53, 54, 12160, AgentReadLists9, AgentWriteLists9},
    };
    // Only types 0, 4 and 5 have a cross-fleet layout of their own.
    const bool xf = crossFleet && (callListType == 0 || callListType == 4 || callListType == 5);
    for (const AgentListOperations& ops : table) {
        if (ops.callListType == callListType && ops.crossFleet == xf)
            return &ops;
    }
    return nullptr;
}

int AgentReadImei(int, uint8_t* imei, int mode)
{
    return Link().ReadImei(imei, mode);
}

int AgentGetSimStatus(int, int* status, QString* kind, int* triesLeft)
{
    return Link().GetSimStatus(status, kind, triesLeft);
}

int AgentVerifySimPin(int, const uint8_t* pin, int* status)
{
    return Link().VerifySimPin(pin, status);
}

int AgentReadSimBlock(int, const uint8_t* pin, uint8_t* block, int mode)
{
    return Link().ReadSimBlock(pin, block, mode);
}

int AgentWriteSimBlock(int, const uint8_t* pin, const uint8_t* block, int mode)
{
    return Link().WriteSimBlock(pin, block, mode);
}
