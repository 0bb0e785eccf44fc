#pragma once

#include <QString>

// Interprets an input mask for masked cells: each mask character stands for one input character
// ("#" digit, "?" letter, "A" letter or digit, "&" anything, "B" 0/1, "H" hex digit stored upper
// case, "L" letter stored lower case, "U" letter stored upper case); every other character is a
// literal. For number-format cells it also carries a scale factor and a default value.
class CTarnMasks
{
public:
    CTarnMasks() = default;
    explicit CTarnMasks(const QString& mask) : m_mask(mask) {}

    void SetMask(const QString& mask) { m_mask = mask; }
    const QString& Mask() const { return m_mask; }
    int Length() const { return int(m_mask.size()); }
    bool IsEmpty() const { return m_mask.isEmpty(); }

    static bool IsMaskChar(QChar c);
    bool IsLiteral(int pos) const;
    // The form c is stored in at mask position pos; false when that position refuses c (a literal
    // position refuses every character).
    bool AcceptChar(int pos, QChar c, QChar& stored) const;

    // Types text into an empty mask from the left: literals are filled in by themselves, a typed
    // literal jumps to just after that literal (skipped positions get the prompt), and characters
    // the mask refuses are dropped. Stops when the mask is full.
    QString Apply(const QString& typed, QChar prompt = QLatin1Char(' ')) const;
    // The text without the mask's literals (a text that does not have the mask's length is
    // returned as it is).
    QString StripLiterals(const QString& text) const;
    // The other way: a value (the characters of the mask positions, in order) laid into the mask
    // with its literals; missing characters become the prompt.
    QString Format(const QString& value, QChar prompt = QLatin1Char(' ')) const;
    bool HasLiterals() const;

    // Number-format cells: the shown value is the stored number times the scale; an empty stored
    // value is shown as the default. A typed value is divided by the scale before it is stored.
    void SetScale(quint32 factor) { m_scale = factor == 0 ? 1 : factor; }
    quint32 Scale() const { return m_scale; }
    void SetDefault(qint32 value) { m_default = value; }
    qint32 Default() const { return m_default; }
    QString DisplayValue(const QString& stored) const;
    QString StoredValue(const QString& shown) const;

private:
    QString m_mask;
    quint32 m_scale = 1;
    qint32 m_default = 0;
};
