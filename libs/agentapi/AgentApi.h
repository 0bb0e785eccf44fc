#pragma once

#include "AgentResult.h"

#include <QString>
#include <cstdint>
#include <functional>

// The radio programming library. The program talks to the phone on the programming cable only
// through these functions; each answers an AgentResult code. Here the cable is played by a bench
// of virtual phones: a folder of "*.phone" files of which the one named in the folder's file
// "connected" is on the cable.
//
// The library keeps one working copy of a codeplug. AgentReadCodeplug (or AgentLoadBackupFile)
// fills it; item and list-block calls read and change only the working copy; AgentWriteCodeplug
// keeps the phone's previous codeplug as a backup and then programs the working copy into the
// phone. SIM calls and AgentResetPhone talk to the connected phone directly.
//
// Buffers: 16- and 32-bit items are exchanged in host order; list blocks and the SIM block are
// byte images whose multi-byte fields are little-endian.

enum : int
{
    AGENT_SIM_BLOCK_SIZE = 25316,
    AGENT_SUPPORT_LIST_SIZE = 100,
    AGENT_IMEI_SIZE = 8,
    AGENT_PIN_SIZE = 8,
    AGENT_SUB_RELEASE_SIZE = 2,
    AGENT_BAUD_RATE = 115200,
    AGENT_RESET_WAIT_MS = 4000, // after AgentResetPhone and AgentReadImei mode 1, before SIM access
    AGENT_RETRY_WAIT_MS = 1000, // between tries of the SIM calls
    AGENT_SIM_TRIES = 6,
};

// Width codes of AgentGetItemInfo.
enum : int
{
    AGENT_WIDTH_8 = 1,
    AGENT_WIDTH_16 = 2,
    AGENT_WIDTH_32 = 4,
};

// --- Bench set-up (not part of the cable protocol) ---
// The folder of virtual phones; set before AgentOpenLink. The library reads no settings itself.
void AgentSetBenchFolder(const QString& folder);
QString AgentBenchFolder();

// Every wait the program makes around phone calls goes through AgentDelay, so tests can replace
// the clock. The default keeps the event loop painting (without user input) until the time is up.
// An empty function restores the default.
using AgentDelayFunction = std::function<void(int milliseconds)>;
void AgentSetDelayFunction(AgentDelayFunction delay);
void AgentDelay(int milliseconds);

// --- Link ---
int AgentOpenLink(int comPort, int quickComm, int baudRate, int usbPort);
int AgentCloseLink();
int AgentOpenRecoveryLink(int comPort, int quickComm, int baudRate, int usbPort);

// --- Whole codeplug ---
int AgentReadCodeplug(int comPort, int quickComm, int usbPort);
// mode 0 normal, 1 restore. The backup is "<backupFolder>/<AgentGetBackupName>.dbf".
int AgentWriteCodeplug(int comPort, int quickComm, const QString& backupFolder, int usbPort, int mode);
int AgentWriteCodeplugForCopy(int comPort, int quickComm, const QString& backupFolder, int usbPort);
int AgentLoadBackupFile(const QString& path);
int AgentResetPhone(int comPort, int quickComm, int usbPort);
int AgentGetBackupName(int comPort, int quickComm, QString* name);
// Up to 99 characters and a terminating zero: rows "name@versions@\r\n", the last row without "@\r\n".
int AgentGetSupportList(char* buffer);

// --- Items of the working copy ---
// width: AGENT_WIDTH_8/16/32; count: number of elements. Bank 0, or 1 for the SIM-phone items.
int AgentGetItemInfo(int item, int* width, uint16_t* count, int bank);
int AgentReadItem8(int item, uint8_t* buffer, int count, int bank);
int AgentReadItem16(int item, uint16_t* buffer, int count, int bank);
int AgentReadItem32(int item, uint32_t* buffer, int count, int bank);
int AgentWriteItem8(int item, const uint8_t* buffer, int count, int bank);
int AgentWriteItem16(int item, const uint16_t* buffer, int count, int bank);
int AgentWriteItem32(int item, const uint32_t* buffer, int count, int bank);
int AgentResetItem(int item);
// byte 0: the sub-release letter of the phone the working copy belongs to; byte 1: 0.
int AgentGetSubRelease(uint8_t* buffer);

// --- List blocks of the working copy, one pair per layout (X: cross-fleet layout) ---
int AgentReadLists0(uint8_t* block); // call list type 0, 12868 bytes
int AgentWriteLists0(const uint8_t* block);
int AgentReadLists0X(uint8_t* block); // type 0 cross-fleet, 13280
int AgentWriteLists0X(const uint8_t* block);
int AgentReadLists1(uint8_t* block); // types 1 and 6, 12868
int AgentWriteLists1(const uint8_t* block);
int AgentReadLists2(uint8_t* block); // type 2, 12868
int AgentWriteLists2(const uint8_t* block);
int AgentReadLists3(uint8_t* block); // type 3, 12868
int AgentWriteLists3(const uint8_t* block);
int AgentReadLists4(uint8_t* block); // type 4, 12868
int AgentWriteLists4(const uint8_t* block);
int AgentReadLists4X(uint8_t* block); // type 4 cross-fleet, 13280
int AgentWriteLists4X(const uint8_t* block);
int AgentReadLists5(uint8_t* block); // type 5, 10080
int AgentWriteLists5(const uint8_t* block);
int AgentReadLists5X(uint8_t* block); // type 5 cross-fleet, 10960
int AgentWriteLists5X(const uint8_t* block);
int AgentReadLists8(uint8_t* block); // type 8, 19640
int AgentWriteLists8(const uint8_t* block);
int AgentReadLists9(uint8_t* block); // type 9, 12160
int AgentWriteLists9(const uint8_t* block);

// The list-block operations of a call list type: its ordinals, block size and functions. The
// cross-fleet layout is used for types 0, 4 and 5 when crossFleet is set; other types have one
// layout. Type 7 (lists on the SIM) and unknown types answer nullptr.
struct AgentListOperations
{
    int callListType;
    bool crossFleet;
    int readOrdinal;
    int writeOrdinal;
    int blockSize;
    int (*read)(uint8_t* block);
    int (*write)(const uint8_t* block);
};
const AgentListOperations* AgentListOperationsFor(int callListType, bool crossFleet);

// --- Phone and SIM ---
// 8 bytes: the IMEI digits packed two per byte (high nibble first), the 16th nibble 0xF.
// mode 1 makes the phone re-read its SIM: wait AGENT_RESET_WAIT_MS before the next SIM call.
int AgentReadImei(int comPort, uint8_t* imei, int mode);
// status: 0 no SIM, 1 SIM not ready, 2 PIN needed, 3 ready (PIN entered), 4 ready (no PIN lock),
// 5 PIN needed (new SIM), 6 blocked (PUK needed). kind: the SIM kind text. triesLeft: PIN tries left.
int AgentGetSimStatus(int comPort, int* status, QString* kind, int* triesLeft);
// pin: 8 bytes, the digits from the start, the rest 255. Answers 1 with the new status; a wrong
// PIN leaves status 2 (or 5), the third wrong PIN in a row blocks the SIM (status 6).
int AgentVerifySimPin(int comPort, const uint8_t* pin, int* status);
// pin may be null when the SIM is unlocked (status 3 or 4, or PIN verified since the last restart).
int AgentReadSimBlock(int comPort, const uint8_t* pin, uint8_t* block, int mode);
int AgentWriteSimBlock(int comPort, const uint8_t* pin, const uint8_t* block, int mode);
