#pragma once

#include <QByteArray>
#include <cstdint>

// The send request given to SMSSendMessage: a record of SMS_REQUEST_SIZE bytes, zero-filled, with
// 32-bit little-endian integers and NUL-terminated single-byte (Latin-1) texts, several of them not
// aligned. Each text field holds at most its size - 1 characters.
enum : int
{
    SMS_REQUEST_SIZE = 4311,

    SMS_OFF_BREAK_WORDS = 0,      // int: break parts between words (0/1)
    SMS_OFF_AUTO_SPLIT = 4,       // int: split into parts of the maximum length (0/1)
    SMS_OFF_STRIP_SPACE = 8,      // int: strip extra blanks (0/1)
    SMS_OFF_ADD_INDEX = 12,       // int: number the parts "i/n " (0/1)
    SMS_OFF_OPTION = 16,          // int: option switch (0/1)
    SMS_OFF_OPTION_VALUE = 20,    // text, 11 bytes
    SMS_OFF_MESSAGE_LENGTH = 31,  // int: message length in characters
    SMS_OFF_RECIPIENT_COUNT = 35, // int: number of recipients
    SMS_OFF_CURRENT = 39,         // int: index of the recipient being sent, set by the library
    SMS_OFF_DETAIL = 43,          // 16-bit: detail code, set by the library
    SMS_OFF_RECIPIENTS = 45,      // 100 slots of 21 bytes
    SMS_OFF_RESERVED1 = 2145,     // 21 zero bytes
    SMS_OFF_MESSAGE = 2166,       // text, 2049 bytes
    SMS_OFF_SC_NAME = 4215,       // text, 21: service provider name
    SMS_OFF_SC_CITY = 4236,       // text, 21: service provider city
    SMS_OFF_SC_NUMBER = 4257,     // text, 21: service centre prefix followed by its phone
    SMS_OFF_MAX_LENGTH = 4278,    // int: maximum length of one SMS
    SMS_OFF_RESERVED2 = 4282,     // 29 zero bytes

    SMS_OPTION_VALUE_SIZE = 11,
    SMS_RECIPIENT_SLOTS = 100,
    SMS_RECIPIENT_SIZE = 21,
    SMS_MESSAGE_SIZE = 2049,
    SMS_TEXT_FIELD_SIZE = 21,
    SMS_RESERVED1_SIZE = 21,
    SMS_RESERVED2_SIZE = 29,
    SMS_MAX_NUMBER_LENGTH = SMS_RECIPIENT_SIZE - 1,
    SMS_MAX_MESSAGE_LENGTH = SMS_MESSAGE_SIZE - 1,
};

// Little-endian field access on a request (or any byte record); no bounds beyond the caller's.
namespace SmsRecord {
int32_t ReadInt(const char* record, int offset);
void WriteInt(char* record, int offset, int32_t value);
int16_t ReadShort(const char* record, int offset);
void WriteShort(char* record, int offset, int16_t value);
// The text of a field: up to its first NUL, never past size bytes.
QByteArray ReadText(const char* record, int offset, int size);
// Writes at most size - 1 bytes of text and a NUL; answers false when text had to be cut.
bool WriteText(char* record, int offset, int size, const QByteArray& text);
} // namespace SmsRecord
