#include "CAlderErgoRows.h"

#include "CVelmoraWrap.h"

#include <QRegularExpression>
#include <array>

namespace {

using K = CAlderErgoRows::Kind;
using L = CAlderErgoRows::List;
using E = CAlderErgoRows::Entry;

struct StyleRow
{
    K kind;
    L list;
};

// Rows 1..26: the settings of a ring style.
constexpr std::array<StyleRow, CAlderErgoRows::StyleSettings> kStyleRows{{
    {K::Text, L::None},        {K::Choice, L::V1},  {K::Choice, L::V2},  {K::Choice, L::V1},
    {K::Choice, L::V1},        {K::Choice, L::H},   {K::Check, L::None}, {K::Choice, L::R},
    {K::Choice, L::T},         {K::Choice, L::R},   {K::Choice, L::T},   {K::Choice, L::T3},
    {K::Choice, L::CallAlert}, {K::Choice, L::T3},  {K::Choice, L::T3},  {K::Choice, L::T3},
    {K::Choice, L::T3},        {K::Choice, L::T3},  {K::Choice, L::B},   {K::Choice, L::D},
    {K::Choice, L::F1},        {K::Check, L::None}, {K::Check, L::None}, {K::Choice, L::F2},
    {K::Choice, L::A},         {K::Choice, L::A},
}};

const QList<E> kV1{{0, "0", 0},   {0, "1", 178}, {0, "2", 191}, {0, "3", 204},
                   {0, "4", 216}, {0, "5", 229}, {0, "6", 242}, {0, "7", 255}};
const QList<E> kV2{{0, "0", 0},   {0, "1", 193}, {0, "2", 204}, {0, "3", 214},
                   {0, "4", 224}, {0, "5", 235}, {0, "6", 240}, {0, "7", 245}};
const QList<E> kH{{1897, nullptr, 0}, {1898, nullptr, 1}};
const QList<E> kR{{1899, nullptr, 0}, {1900, nullptr, 1}, {1901, nullptr, 2},
                  {1902, nullptr, 3}, {1903, nullptr, 4}, {1904, nullptr, 5},
                  {1905, nullptr, 6}, {1906, nullptr, 7}, {1907, nullptr, 8}};
const QList<E> kT{{1908, nullptr, 0}, {1909, nullptr, 1}, {1910, nullptr, 2}, {1911, nullptr, 3}};
const QList<E> kT3{{1908, nullptr, 0}, {1909, nullptr, 1}, {1911, nullptr, 3}};
const QList<E> kCallAlert{{1912, nullptr, 9}};
const QList<E> kB{{1913, nullptr, 0},     {1914, nullptr, 5000},       {1915, nullptr, 10000},
                  {1916, nullptr, 20000}, {1917, nullptr, 30000},      {3005, nullptr, 60000},
                  {3006, nullptr, 90000}, {1918, nullptr, 4026531839u}};
const QList<E> kD{{1919, nullptr, 6}, {1920, nullptr, 7}, {1921, nullptr, 8}};
const QList<E> kF1{{1913, nullptr, 0}, {1922, nullptr, 1}, {1923, nullptr, 2}, {1924, nullptr, 3}};
const QList<E> kF2{{1913, nullptr, 0}, {1925, nullptr, 1}, {1926, nullptr, 2}, {1922, nullptr, 3}};
const QList<E> kA{
    {1913, nullptr, 0}, {1927, nullptr, 1}, {1928, nullptr, 2}, {1929, nullptr, 3}, {1930, nullptr, 4}};
const QList<E> kM{{1979, nullptr, 33554437}, {1980, nullptr, 0},        {1981, nullptr, 33488896},
                  {1982, nullptr, 33554432}, {1983, nullptr, 33554433}, {1984, nullptr, 33554434},
                  {1985, nullptr, 33554435}, {1986, nullptr, 33554436}, {1987, nullptr, 33554438},
                  {1988, nullptr, 33554439}, {1989, nullptr, 33554440}, {1990, nullptr, 33554441},
                  {1991, nullptr, 33554442}, {1992, nullptr, 33554443}, {2025, nullptr, 33554444},
                  {1994, nullptr, 33554446}, {1995, nullptr, 33554448}, {1996, nullptr, 33554450},
                  {1997, nullptr, 33554451}, {1998, nullptr, 33554452}, {1999, nullptr, 33554453},
                  {2000, nullptr, 33554454}, {2002, nullptr, 33554455}, {2003, nullptr, 33554456},
                  {2005, nullptr, 33554457}, {0, "MO SMS", 33554462},   {2008, nullptr, 4294967295u}};
const QList<E> kP{{1986, nullptr, 0},  {1982, nullptr, 1},  {1983, nullptr, 2},  {2020, nullptr, 3},
                  {1985, nullptr, 4},  {1979, nullptr, 5},  {1987, nullptr, 6},  {1988, nullptr, 7},
                  {1989, nullptr, 8},  {1990, nullptr, 9},  {1991, nullptr, 10}, {1992, nullptr, 11},
                  {2025, nullptr, 12}, {2005, nullptr, 13}, {1995, nullptr, 14}};

} // namespace

int CAlderErgoRows::CaptionId(int row)
{
    if (row >= 1 && row <= 26)
        return 1930 + row;
    if (row >= FirstShortcutRow && row <= LastShortcutRow)
        return 1959 + row - FirstShortcutRow;
    if (row >= FirstNoteRow && row <= LastNoteRow)
        return 2041 + row - FirstNoteRow;
    switch (row) {
    case StatusReportRow:
        return 2051;
    case LeftKeyRow:
        return 2017;
    case RightKeyRow:
        return 2018;
    case PowerUpRow:
        return 2019;
    default:
        return 0;
    }
}

CAlderErgoRows::Kind CAlderErgoRows::KindOf(int row)
{
    if (row >= FirstStyleRow && row <= LastStyleRow)
        return kStyleRows[size_t(row - 1)].kind;
    if (row >= FirstShortcutRow && row <= LastShortcutRow)
        return Kind::Choice;
    if (row >= FirstNoteRow && row <= LastNoteRow)
        return Kind::Text;
    switch (row) {
    case StatusReportRow:
        return Kind::Check;
    case LeftKeyRow:
    case RightKeyRow:
    case PowerUpRow:
        return Kind::Choice;
    default:
        return Kind::Unused;
    }
}

CAlderErgoRows::List CAlderErgoRows::ListOf(int row)
{
    if (row >= FirstStyleRow && row <= LastStyleRow)
        return kStyleRows[size_t(row - 1)].list;
    if (row >= FirstShortcutRow && row <= LastShortcutRow)
        return List::M;
    if (row == LeftKeyRow || row == RightKeyRow)
        return List::P;
    return row == PowerUpRow ? List::P0 : List::None;
}

int CAlderErgoRows::MaxLength(int row)
{
    if (row == FirstStyleRow)
        return StyleNameLength;
    return row >= FirstNoteRow && row <= LastNoteRow ? NoteLength : 0;
}

QList<CAlderErgoRows::Entry> CAlderErgoRows::Entries(List list)
{
    switch (list) {
    case List::V1:
        return kV1;
    case List::V2:
        return kV2;
    case List::H:
        return kH;
    case List::R:
        return kR;
    case List::T:
        return kT;
    case List::T3:
        return kT3;
    case List::CallAlert:
        return kCallAlert;
    case List::B:
        return kB;
    case List::D:
        return kD;
    case List::F1:
        return kF1;
    case List::F2:
        return kF2;
    case List::A:
        return kA;
    case List::M:
        return kM;
    case List::P:
        return kP;
    case List::P0:
        return QList<E>{{2022, nullptr, 255}} + kP;
    case List::None:
        break;
    }
    return {};
}

QString CAlderErgoRows::EntryText(const Entry& entry)
{
    return entry.stringId != 0 ? CVelmoraWrap::LoadString(entry.stringId) : QString::fromLatin1(entry.text);
}

QString CAlderErgoRows::ChoiceList(List list)
{
    QString text;
    for (const Entry& entry : Entries(list))
        text += EntryText(entry) + QLatin1Char('\t') + QString::number(entry.value) + QLatin1Char('\n');
    return text;
}

QString CAlderErgoRows::TextOfValue(List list, quint32 value)
{
    for (const Entry& entry : Entries(list)) {
        if (entry.value == value)
            return EntryText(entry);
    }
    return QString();
}

QList<int> CAlderErgoRows::ParseHiddenRows(const QString& value)
{
    QList<int> rows;
    // Carriers write "8#9#"; lists separated by commas ("19,20") are read the same way.
    static const QRegularExpression separators(QStringLiteral("[#,;\\s]+"));
    for (const QString& part : value.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int row = part.toInt(&ok);
        if (ok && row >= 1 && row <= RowCount && !rows.contains(row))
            rows << row;
    }
    return rows;
}
