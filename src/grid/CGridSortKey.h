#pragma once

#include <QString>

// The text a grid sorts a cell by: empty cells last, and Hebrew names apart from (before) Latin
// ones. Hebrew letters alef..tav become "9" and "A".."Z", and a key of a text that starts with a
// Hebrew letter gets a leading space.
class CGridSortKey
{
public:
    static QString TextKey(const QString& cell);
    static QString NumericKey(const QString& cell);

    // Key orders: TextKey compares without case, NumericKey by the value of its numbers (a text
    // like "10*20*5" by each number in turn). Answers <0, 0, >0.
    static int CompareText(const QString& keyA, const QString& keyB);
    static int CompareNumeric(const QString& keyA, const QString& keyB);

    static bool IsEmptyKey(const QString& key) { return key == EmptyTextKey() || key == EmptyNumericKey(); }
    static QString EmptyTextKey() { return QStringLiteral("zzzzzzzzzzzzzzzzzzzzzzzzzzzzz"); }
    static QString EmptyNumericKey() { return QStringLiteral("9999999999999999999999999999"); }
};
