#pragma once

#include "CVelmoraError.h"

#include <QStringList>

// The recipients of a message: phone numbers in one text, separated by ";" (and the blanks the
// recipients dialog may leave). At most MaxNumbers numbers of at most MaxNumberLength digits each.
class CSmsRecipients
{
public:
    enum : int
    {
        MaxNumbers = 100,
        MaxNumberLength = 20,
        MaxTextLength = 2100,
    };

    // The numbers of a recipients text, in order, split at ";" and blanks; empty parts are skipped.
    static QStringList Split(const QString& text);
    // Refuses more numbers than there are places, and a number longer than a place holds.
    static CVelmoraError Check(const QStringList& numbers);
    // The recipients text after the recipients dialog returned its numbers ("n1;n2;").
    static QString Append(const QString& current, const QString& chosen);
    // Places left for the recipients dialog after a send to lastSendCount numbers.
    static int FreeSlots(int lastSendCount);
};
