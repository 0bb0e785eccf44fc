#include "CSmsSplitter.h"

#include "Sms.h"

#include <QRegularExpression>

QString CSmsSplitter::StripExtraSpace(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    static const QRegularExpression aroundBreaks(QStringLiteral(" ?\\n ?"));
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(blanks, QStringLiteral(" "));
    s.replace(aroundBreaks, QStringLiteral("\n"));
    return s.trimmed();
}

QStringList CSmsSplitter::Chop(const QString& text, int budget, bool breakWords, bool stripSpace)
{
    QStringList parts;
    int pos = 0;
    const int length = text.size();
    while (pos < length) {
        QString part;
        if (length - pos <= budget) {
            part = text.mid(pos);
            pos = length;
        } else {
            int cut = -1;
            if (breakWords) {
                // A blank right after the budget still lets the part end on a whole word.
                for (int i = pos + budget; i > pos; --i)
                    if (text.at(i).isSpace()) {
                        cut = i;
                        break;
                    }
            }
            if (cut > 0) {
                part = text.mid(pos, cut - pos);
                pos = cut + 1; // the blank at the break goes with neither part
            } else {
                part = text.mid(pos, budget);
                pos += budget;
            }
        }
        if (stripSpace)
            part = part.trimmed();
        if (!part.isEmpty())
            parts << part;
    }
    return parts;
}

QStringList CSmsSplitter::Split(const QString& text, const Options& options, int* error)
{
    *error = SMS_OK;
    if (options.maxLength < 1) {
        *error = SMS_ERR_BAD_REQUEST;
        return {};
    }
    const QString message = options.stripSpace ? StripExtraSpace(text) : text;
    if (message.isEmpty()) {
        *error = SMS_ERR_EMPTY_MESSAGE;
        return {};
    }
    if (!options.autoSplit) {
        if (message.size() > options.maxLength) {
            *error = SMS_ERR_TOO_LONG;
            return {};
        }
        return {message};
    }
    QStringList parts = Chop(message, options.maxLength, options.breakWords, options.stripSpace);
    if (!options.addIndex || parts.size() < 2)
        return parts;

    // The index takes room from every part, which may make more parts and a wider index.
    int count = parts.size();
    for (int round = 0; round < 8; ++round) {
        const int width = 2 * int(QString::number(count).size()) + 2; // "n/n "
        const int budget = options.maxLength - width;
        if (budget < 1)
            return parts; // no room for an index: send the parts unnumbered
        QStringList indexed = Chop(message, budget, options.breakWords, options.stripSpace);
        if (QString::number(indexed.size()).size() == QString::number(count).size() || round == 7) {
            for (int i = 0; i < indexed.size(); ++i)
                indexed[i] = QStringLiteral("%1/%2 ").arg(i + 1).arg(indexed.size()) + indexed.at(i);
            return indexed;
        }
        count = indexed.size();
    }
    return parts;
}
