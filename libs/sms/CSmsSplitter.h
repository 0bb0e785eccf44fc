#pragma once

#include <QString>
#include <QStringList>

// Cuts a message into the parts that go out as separate SMS, as the send request's switches say.
class CSmsSplitter
{
public:
    struct Options
    {
        bool autoSplit = false;  // more than one part; off: a longer message is refused
        bool breakWords = false; // cut at the last blank that fits rather than mid-word
        bool stripSpace = false; // runs of blanks become one, blanks at line ends and the ends go
        bool addIndex = false;   // parts numbered "i/n " (only when there is more than one)
        int maxLength = 140;     // characters per part, index included
    };

    // The parts, or an empty list with *error set (SMS_ERR_EMPTY_MESSAGE, SMS_ERR_TOO_LONG,
    // SMS_ERR_BAD_REQUEST for a length below 1).
    static QStringList Split(const QString& text, const Options& options, int* error);
    static QString StripExtraSpace(const QString& text);

private:
    static QStringList Chop(const QString& text, int budget, bool breakWords, bool stripSpace);
};
