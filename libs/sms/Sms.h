#pragma once

#include "SmsRequest.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class CSmsStatus;

// The SMS library. It knows the modems (a virtual modem that writes an outbox file, and every serial
// device that answers "AT"), splits a message into parts as the send request's switches say and
// sends the parts to each recipient in turn. Every function answers SMS_OK (0) or an error code
// whose text SMSGetErrString gives.
//
// Threading: SMSSendMessage and SMSGetModemCount block the calling thread (the send for as long as
// it lasts, the modem scan for up to scanTimeoutMs per serial device found). Only SMSCancel may be
// called while another call runs, from any thread. The status object's signals are emitted on the
// thread that runs SMSSendMessage.

enum : int
{
    SMS_OK = 0,
    SMS_ERR_NOT_INITIALIZED = 1, // no SMSInitialize, or after SMSTerminate
    SMS_ERR_BAD_SETUP = 2,       // SMSInitialize without an outbox folder or without texts
    SMS_ERR_NO_MODEM = 3,        // no modem chosen, or the chosen one is gone; detail: the index
    SMS_ERR_BAD_CONFIG = 4,      // SMSSetConfiguration with an index outside the list
    SMS_ERR_BAD_REQUEST = 5,     // a field of the request is invalid; detail: SMS_FIELD_...
    SMS_ERR_EMPTY_MESSAGE = 6,   // nothing left to send once blanks are stripped
    SMS_ERR_TOO_LONG = 7,        // longer than the maximum length and automatic splitting off
    SMS_ERR_PORT_OPEN = 8,       // the modem's device could not be opened; detail: errno-like code
    SMS_ERR_NO_ANSWER = 9,       // the modem did not answer in time; detail: SMS_STEP_...
    SMS_ERR_MODEM_ERROR = 10,    // the modem answered ERROR; detail: SMS_STEP_...
    SMS_ERR_CMS_ERROR = 11,      // the network or SIM refused the message; detail: the +CMS ERROR code
    SMS_ERR_OUTBOX = 12,         // the virtual modem's outbox file could not be written
    SMS_ERR_CANCELLED = 13,      // SMSCancel stopped the send before every part was sent
    SMS_ERR_BUSY = 14,           // a send is already running
    SMS_ERR_LINE_LOST = 15,      // writing to the modem failed (unplugged); detail: SMS_STEP_...
    SMS_ERR_LAST = SMS_ERR_LINE_LOST,
};

// Detail codes of SMS_ERR_BAD_REQUEST: which field is wrong.
enum : int
{
    SMS_FIELD_RECIPIENT_COUNT = 1, // not 1 to 100
    SMS_FIELD_RECIPIENT = 2,       // empty, not terminated within 21 bytes or not a phone number
    SMS_FIELD_MESSAGE = 3,         // the text is not terminated within its field
    SMS_FIELD_MAX_LENGTH = 4,      // the maximum SMS length is not positive
};

// Detail codes of SMS_ERR_NO_ANSWER, SMS_ERR_MODEM_ERROR and SMS_ERR_LINE_LOST: the step that failed.
enum : int
{
    SMS_STEP_ATTENTION = 1,      // "AT"
    SMS_STEP_TEXT_MODE = 2,      // "AT+CMGF=1"
    SMS_STEP_SERVICE_CENTRE = 3, // "AT+CSCA=..."
    SMS_STEP_PROMPT = 4,         // "AT+CMGS=..." waiting for the "> " prompt
    SMS_STEP_SUBMIT = 5,         // the text and Ctrl-Z, waiting for "+CMGS"
};

// Message ids of the library's texts (errors and status lines), looked up through SMSSetup::loadString.
// Error code n has its text at SMS_TEXT_BASE + n.
enum : int
{
    SMS_TEXT_BASE = 8000,              // 8001..8015: the error codes above
    SMS_TEXT_UNKNOWN_ERROR = 8016,     // %1 the code
    SMS_TEXT_DETAIL = 8017,            // "%1 (%2)": an error text with its detail (a number or a step)
    SMS_TEXT_STEP_BASE = 8017,         // + SMS_STEP_n: 8018..8022, the names of the steps
    SMS_TEXT_STATUS_OPENING = 8023,    // %1 the modem name
    SMS_TEXT_STATUS_SENDING = 8024,    // %1 part, %2 parts, %3 number, %4 recipient, %5 recipients
    SMS_TEXT_STATUS_DONE = 8025,       // every part sent
    SMS_TEXT_STATUS_CANCELLING = 8026, // SMSCancel seen, stopping after the current part
    SMS_TEXT_LAST = 8026,
};

// What the program tells the library at start: where the outbox goes, which serial devices to try,
// the modem chosen earlier, the time-outs and the texts (the language files, by id).
struct SMSSetup
{
    QString outboxFolder;         // the program folder; the virtual modem appends to SMS_OUTBOX_FILE
    QStringList modemPorts;       // device paths to try besides /dev/ttyUSB* and /dev/ttyACM*
    bool scanUsualDevices = true; // false: only modemPorts (tests)
    QString modemName;            // the modem chosen earlier ("Modem Name"); used until SMSSetConfiguration
    int scanTimeoutMs = 1000;     // answer to "AT" while scanning
    int answerTimeoutMs = 5000;   // answer to each command while sending
    int submitTimeoutMs = 60000;  // "+CMGS" after Ctrl-Z (the network may be slow)
    std::function<QString(int id)> loadString; // the text of a message id; required
};

inline constexpr const char* SMS_OUTBOX_FILE = "SmsOutbox.txt";
inline constexpr const char* SMS_VIRTUAL_MODEM_NAME = "Virtual modem";

// The record of SMSSetConfiguration: three 32-bit integers, the middle one the modem's index.
struct SMSConfiguration
{
    int32_t reserved0 = 0;
    int32_t modemIndex = 0;
    int32_t reserved1 = 0;
};

// Starts the library: keeps the set-up and scans the modems. Non-zero: SMS cannot be used.
int SMSInitialize(const SMSSetup& setup);
// Stops the library; a running send is cancelled first. Answers SMS_OK also when not started.
int SMSTerminate();
// Scans the modems again and gives their number: the virtual modem (index 0, always there), then
// every serial device that answered "AT", in device-name order.
int SMSGetModemCount(int* count);
// The display name of modem index (as of the last scan): "Virtual modem" or the device path.
int SMSGetModemName(int index, QString* name);
// Chooses the modem SMSSendMessage uses, by its index in the last scan.
int SMSSetConfiguration(const SMSConfiguration& config);
// Sends the request (SMS_REQUEST_SIZE bytes, see SmsRequest.h) to every recipient in turn, each
// recipient all its parts, and stops at the first failure. Writes the index of the recipient being
// sent (offset 39) and the detail code (offset 43) into the request. status may be null.
int SMSSendMessage(CSmsStatus* status, char* request);
// Asks a running send to stop before its next part. Safe from any thread; a no-op when idle.
int SMSCancel();
// The text of an error code, with its detail when detail is not 0 (for SMS_ERR_CMS_ERROR the
// network's code, for the step codes the step's name).
int SMSGetErrString(int code, int detail, QString* text);
