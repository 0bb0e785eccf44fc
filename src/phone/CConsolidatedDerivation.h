#pragma once

#include "CUnitListRows.h"
#include "CVelmoraError.h"

#include <QDateTime>
#include <QList>

// An Alder unit on a SIM of the third kind keeps its numbers in the consolidated call list; other
// phones keep them in a phone book, a private list and a talkgroup list. This class converts one
// form into the other when a unit is written into a phone of the other form.
class CConsolidatedDerivation
{
public:
    enum : int
    {
        PhoneBookLimit = 100,
        PrivateLimit = 100,
        TalkgroupLimit = 30,
        ConsolidatedLimit = 250,
        PrivateType = 1,
        PhoneType = 2,
        TalkgroupType = 7,
    };

    struct Lists
    {
        QList<CListRow> phoneBook;
        QList<CListRow> privates;     // NAM 1
        QList<CListRow> talkgroups;   // NAM 1
        QList<CVelmoraError> remarks; // a notice per list cut at its limit, in the order they were cut
    };

    // Phone book, NAM 1 private and NAM 1 talkgroup rows from consolidated records, by number type:
    // 1 private ("urban*fleet*member", or a member id alone), 7 talkgroup, 8 and 10..255 skipped, any
    // other the phone book. Each list is cut at its limit, with its notice once (1772, 1773, 1806) for the
    // caller to show.
    static Lists Derive(const QList<CListRow>& consolidated);
    // Consolidated records from the phone book, then NAM 1 private and talkgroup rows (at most 250);
    // entries of one name share a name index; time stamps are the given time.
    static QList<CListRow> Build(const CUnitListRows& rows, const QDateTime& nowUtc);

    // "urban*fleet*member" when urban or fleet is set, else the member id alone.
    static QString PrivateNumber(quint32 urban, quint32 fleet, quint32 member);
    static void SplitPrivateNumber(const QString& number, quint32& urban, quint32& fleet, quint32& member);
};
