#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Parses a list of valid characters or values ("0-9,#,*" or "1-100") and answers whether a value
// is in it. The list is read once; a malformed list accepts nothing, an empty one everything.
class CRangeParser
{
public:
    enum Mode
    {
        CharacterMode, // items are one character or "c-c"
        NumberMode,    // items are a decimal number or "n-n"
    };
    enum : int
    {
        MaxPairs = 100
    };
    using Pair = QPair<qint64, qint64>;

    CRangeParser() = default;
    CRangeParser(const QString& list, Mode mode) { SetList(list, mode); }

    void SetList(const QString& list, Mode mode);
    const QString& List() const { return m_list; }
    Mode ListMode() const { return m_mode; }

    bool IsEmpty() const { return m_list.isEmpty(); }
    bool IsMalformed() const { return m_malformed; }
    const QList<Pair>& Pairs() const { return m_pairs; }

    bool Contains(qint64 value) const;
    bool Contains(QChar c) const { return Contains(qint64(c.unicode())); }
    // Character mode: every character of text is in the list (an empty text passes).
    bool ContainsAll(const QString& text) const;
    // Number mode: text is a decimal number in the list.
    bool ContainsNumber(const QString& text) const;

    // The lowest and highest value the list names; false for an empty or malformed list.
    bool Bounds(qint64& low, qint64& high) const;

    // Walk every value of every range in list order (used to fill choice lists). False when there
    // is no (further) value.
    bool First(qint64& value);
    bool Next(qint64& value);

private:
    bool ParseItem(const QString& item, Pair& pair) const;
    static bool ParseNumber(const QString& text, qint64& value);

    QString m_list;
    Mode m_mode = CharacterMode;
    bool m_malformed = false;
    QList<Pair> m_pairs;
    int m_walkPair = 0;
    qint64 m_walkValue = 0;
};
