#include "CListBlockLayout.h"

namespace {

using Kind = CListBlockLayout::ListKind;
using Fmt = CListBlockLayout::Format;
using Region = CListBlockLayout::Region;

// Private and talkgroup lists of NAM 2 and 3, common to most layouts.
QList<Region> OtherNams(int tg2, int pr2, int tg3, int pr3)
{
    return {{Kind::Talkgroup, 2, 5, Fmt::Short, tg2},
            {Kind::Private, 2, 5, Fmt::Short, pr2},
            {Kind::Talkgroup, 3, 5, Fmt::Short, tg3},
            {Kind::Private, 3, 5, Fmt::Short, pr3}};
}

} // namespace

int CListBlockLayout::BlockSize(Layout layout)
{
    switch (layout) {
    case L0:
    case L1:
    case L2:
    case L3:
    case L4:
        return 12868;
    case L0X:
    case L4X:
        return 13280;
    case L5:
        return 10080;
    case L5X:
        return 10960;
    case L8:
        return 19640;
    case L9:
        return 12160;
    default:
        return 0;
    }
}

QList<CListBlockLayout::Region> CListBlockLayout::Regions(Layout layout)
{
    const Region pb{Kind::PhoneBook, 1, 100, Fmt::PhoneBook, 0};
    QList<Region> r;
    switch (layout) {
    case L0:
        r = {pb, {Kind::Talkgroup, 1, 30, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::Short, 7000}};
        r += OtherNams(9366, 9566, 10032, 10232);
        break;
    case L0X:
        r = {pb, {Kind::Talkgroup, 1, 30, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::CrossFleet, 7000}};
        r += OtherNams(10010, 10210, 10560, 10760);
        break;
    case L1:
        r = {pb,
             {Kind::Talkgroup, 1, 100, Fmt::Short, 5400},
             {Kind::Private, 1, 100, Fmt::Short, 8400},
             {Kind::Status, 1, 10, Fmt::Short, 10400},
             {Kind::Scan, 1, 30, Fmt::Scan, 10600},
             {Kind::Talkgroup, 2, 5, Fmt::Short, 11086},
             {Kind::Private, 2, 5, Fmt::Short, 11286},
             {Kind::Status, 2, 5, Fmt::Short, 11386},
             {Kind::Scan, 2, 5, Fmt::Scan, 11486},
             {Kind::Talkgroup, 3, 5, Fmt::Short, 11872},
             {Kind::Private, 3, 5, Fmt::Short, 12072},
             {Kind::Status, 3, 5, Fmt::Short, 12172},
             {Kind::Scan, 3, 5, Fmt::Scan, 12272}};
        break;
    case L2:
    case L4:
        r = {pb, {Kind::Talkgroup, 1, 50, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::Short, 7400}};
        r += OtherNams(9766, 9966, 10432, 10632);
        break;
    case L3:
        r = {{Kind::PhoneBook, 1, 15, Fmt::PhoneBook, 0},
             {Kind::Talkgroup, 1, 15, Fmt::Short, 810},
             {Kind::Private, 1, 15, Fmt::Short, 1410}};
        break;
    case L4X:
        r = {pb, {Kind::Talkgroup, 1, 50, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::CrossFleet, 7400}};
        r += OtherNams(10410, 10610, 10960, 11160);
        break;
    case L5:
        r = {pb, {Kind::Talkgroup, 1, 30, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::Short, 7000}};
        r += OtherNams(9120, 9320, 9540, 9740);
        break;
    case L5X:
    case L9:
        r = {pb, {Kind::Talkgroup, 1, 30, Fmt::Short, 5400}, {Kind::Private, 1, 100, Fmt::CrossFleet, 7000}};
        r += OtherNams(9920, 10120, 10380, 10580);
        if (layout == L9) {
            r += {{Kind::Scan, 1, 30, Fmt::Short, 10960}, {Kind::Status, 1, 10, Fmt::Short, 11560},
                  {Kind::Scan, 2, 5, Fmt::Short, 11760},  {Kind::Status, 2, 5, Fmt::Short, 11860},
                  {Kind::Scan, 3, 5, Fmt::Short, 11960},  {Kind::Status, 3, 5, Fmt::Short, 12060}};
        }
        break;
    case L8:
        r = {{Kind::PhoneBook, 1, 100, Fmt::LongPhoneBook, 0},
             {Kind::Talkgroup, 1, 30, Fmt::LongTalkgroup, 8200},
             {Kind::Private, 1, 100, Fmt::LongPrivate, 12040}};
        r += OtherNams(17760, 18240, 18640, 19120);
        break;
    default:
        break;
    }
    return r;
}

QList<CListBlockLayout::Region> CListBlockLayout::SimRegions()
{
    return {{Kind::PhoneBook, 1, 100, Fmt::SimPhoneBook, 0},
            {Kind::Talkgroup, 1, 30, Fmt::SimTalkgroup, 5500},
            {Kind::Private, 1, 100, Fmt::SimPrivate, 7980},
            {Kind::Consolidated, 1, 250, Fmt::Consolidated, 10880}};
}

int CListBlockLayout::EntrySize(Format format)
{
    switch (format) {
    case Fmt::PhoneBook:
        return 54;
    case Fmt::LongPhoneBook:
        return 82;
    case Fmt::SimPhoneBook:
        return 55;
    case Fmt::Short:
        return 20;
    case Fmt::CrossFleet:
        return 28;
    case Fmt::LongPrivate:
        return 56;
    case Fmt::LongTalkgroup:
        return 48;
    case Fmt::SimPrivate:
        return 29;
    case Fmt::SimTalkgroup:
        return 31;
    case Fmt::Scan:
        return 4;
    case Fmt::Consolidated:
        return 56;
    }
    return 0;
}

int CListBlockLayout::NameSize(Format format)
{
    switch (format) {
    case Fmt::LongPhoneBook:
    case Fmt::LongPrivate:
    case Fmt::LongTalkgroup:
        return 40;
    case Fmt::SimTalkgroup:
        return 22;
    case Fmt::Scan:
        return 0;
    default:
        return 12;
    }
}

CListBlockLayout::Layout CListBlockLayout::LayoutFor(int callListType, bool crossFleet)
{
    switch (callListType) {
    case 0:
        return crossFleet ? L0X : L0;
    case 1:
    case 6:
        return L1;
    case 2:
        return L2;
    case 3:
        return L3;
    case 4:
        return crossFleet ? L4X : L4;
    case 5:
        return crossFleet ? L5X : L5;
    case 8:
        return L8;
    case 9:
        return L9;
    default:
        return None;
    }
}

QString CListBlockLayout::Code(Layout layout)
{
    static const char* const codes[] = {"0", "0X", "1", "2", "3", "4", "4X", "5", "5X", "8", "9"};
    if (layout < 0 || layout >= LayoutCount)
        return QString();
    return QString::fromLatin1(codes[layout]);
}

CListBlockLayout::Layout CListBlockLayout::FromCode(const QString& code)
{
    for (int i = 0; i < LayoutCount; ++i) {
        if (Code(Layout(i)).compare(code, Qt::CaseInsensitive) == 0)
            return Layout(i);
    }
    return None;
}

QString CListBlockLayout::KindName(ListKind kind)
{
    switch (kind) {
    case Kind::PhoneBook:
        return QStringLiteral("phone book");
    case Kind::Private:
        return QStringLiteral("private");
    case Kind::Talkgroup:
        return QStringLiteral("talkgroups");
    case Kind::Scan:
        return QStringLiteral("scan");
    case Kind::Status:
        return QStringLiteral("status messages");
    case Kind::Consolidated:
        return QStringLiteral("consolidated");
    }
    return QString();
}
