#pragma once

#include "CVelmoraError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Builds the send request the SMS library takes from what the SMS view and the settings hold, and
// reads back what the library left in it. Refuses, before anything is sent, what would not fit a
// field: more recipients than slots, a number longer than a slot, text the modem's single-byte
// character set cannot carry. The service-centre texts are cut to their fields.
class CSmsSendRequest
{
public:
    struct Input
    {
        // The four SMS options ("Break Between Words", "Auto Split", "Strip Extra Space", "Add Index").
        bool breakBetweenWords = false;
        bool autoSplit = false;
        bool stripExtraSpace = false;
        bool addIndex = false;
        bool option = false;    // check box 1116
        QString optionValue;    // edit 1140, at most 10 characters
        QString message;        // at most 2048 characters
        QString recipients;     // numbers separated by ";" and blanks
        QString providerName;   // carrier "Service Provider Name"
        QString providerCity;   // the selected "Service Provider City"
        QString providerPrefix; // carrier "Service Provider Prefix"
        QString providerPhone;  // the selected "Service Provider Phone"
        int maxLength = 140;    // carrier "Service Provider Max SMS Length"
    };

    // The numbers of a recipients text, split at ";" and blanks, empty pieces dropped.
    static QStringList SplitRecipients(const QString& recipients);

    // Fills record (resized to SMS_REQUEST_SIZE, zero-filled first). Errors (nothing is sent):
    // no recipient 1664; more than 100 numbers 8027 (%1 the count); a number longer than 20
    // characters 8028 (%1 the number); a character the message cannot carry 8029 (%1 the character);
    // an option value or message longer than its field is cut.
    static CVelmoraError Build(const Input& input, QByteArray* record);

    // What the library left in a request after a send: the recipient it stopped at (offset 39),
    // that recipient's number (empty when the index is outside the slots) and the detail code.
    static int CurrentIndex(const QByteArray& record);
    static QString RecipientAt(const QByteArray& record, int index);
    static int DetailCode(const QByteArray& record);
};

// Program message ids of the send request (the library's own texts are 8000-8026).
namespace SmsRequestText {
enum : int
{
    NoRecipient = 1664,
    TooManyRecipients = 8027,
    NumberTooLong = 8028,
    CharacterNotSendable = 8029,
};
}
