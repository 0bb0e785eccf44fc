#pragma once

// Result codes of the programming library. 1 is success; every other code is negative. The
// shared-services component holds a text for each (message 6000 + |code|).
enum AgentResult : int
{
    AGENT_SUCCESS = 1,
    AGENT_NO_ANSWER = -1,            // the phone did not answer / general communication failure
    AGENT_ABSENT = -2,               // item or list not present in this phone (callers treat it as success)
    AGENT_LINK_NOT_OPEN = -3,        // AgentOpenLink has not succeeded
    AGENT_PORT_FAILED = -4,          // the port (here: the bench folder) could not be opened
    AGENT_NO_PHONE = -5,             // no phone connected, or not the phone that was read
    AGENT_TIMEOUT = -6,              //
    AGENT_COMM_ERROR = -7,           // bad checksum on the cable
    AGENT_PHONE_BUSY = -8,           // phone restarting or not in programming mode
    AGENT_INVALID_REQUEST = -9,      // bad item, bank, mode or argument; nothing read yet
    AGENT_SIZE_MISMATCH = -10,       // buffer width or element count does not match the item
    AGENT_VALUE_REJECTED = -11,      // the phone refused a written value (read-only item)
    AGENT_WRITE_FAILED = -12,        // programming the phone failed; the phone is unchanged
    AGENT_READ_FAILED = -13,         //
    AGENT_BACKUP_WRITE_FAILED = -14, // the backup could not be written; the phone is unchanged
    AGENT_BACKUP_UNREADABLE = -15,   // backup file missing, damaged or not a backup
    AGENT_CP_UNSUPPORTED = -16,      // codeplug version (or model) not supported
    AGENT_PHONE_DAMAGED = -17,       // phone data damaged: bad checksum, truncated, inconsistent
    AGENT_PHONE_FORMAT = -18,        // phone data of an unknown or newer format
    AGENT_NO_SIM = -19,              // SIM status 0
    AGENT_WRONG_PIN = -20,           // the SIM is locked and the PIN given is wrong or missing
    AGENT_SIM_BLOCKED = -21,         // SIM status 6 (PUK needed)
    AGENT_SIM_IO = -22,              // SIM not ready (status 1) or SIM data not stored
    AGENT_WARN_SKIPPED = -23,        // done, optional items skipped
    AGENT_WARN_KEPT = -24,           // done, the phone kept some values
    AGENT_WARN_RESTART = -25,        // done, restart needed
    AGENT_IMEI_UNREADABLE = -26,     //
    AGENT_RESET_FAILED = -27,        //
    AGENT_CANCELLED = -28,           // cancelled by the user
    AGENT_RECOVERY_FAILED = -29,     // the recovery link could not be opened
    AGENT_UNSUPPORTED = -30,         // operation not supported by this phone (no SIM, other block layout)
};

// Codes that report a completed operation with a remark.
inline bool AgentIsWarning(int code)
{
    return code == AGENT_WARN_SKIPPED || code == AGENT_WARN_KEPT || code == AGENT_WARN_RESTART;
}

// A code is known when it is 1 or one of -1..-30.
inline bool AgentIsKnownResult(int code)
{
    return code == AGENT_SUCCESS || (code <= -1 && code >= -30);
}

// Short symbolic name of a result code ("AGENT_NO_SIM"), for tools and logs; "?" when unknown.
const char* AgentResultName(int code);
