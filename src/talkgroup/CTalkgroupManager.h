#pragma once

#include "CTalkgroupIndex.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class CModelRules;
class IVelmoraQuestion;

// The fleet-wide talkgroup work behind the talkgroup manager: the units it offers, the talkgroups of a
// NAM (talk_grp_header rows) created and edited by hand, and talkgroups added to, removed from and
// deleted across the units' talkgroup lists. Each bulk change runs in one transaction: on any failure
// nothing of it stays.
class CTalkgroupManager
{
public:
    using Talkgroup = CTalkgroupIndex::Talkgroup;

    // A unit as the units grid shows it, with what its model's list sizes depend on.
    struct Unit
    {
        QString imei;
        QString userName;
        QString displayPrivateId;
        int modelType = 0;
        int releaseId = 0;
    };
    // A stored talkgroup row: its key in talk_grp_header (tg_row_num).
    struct Header
    {
        int key = 0;
        int id = 0;
        QString name;
    };
    // One entry of a unit's talkgroup list, as the location rule sees it.
    struct Slot
    {
        int location = 0;
        bool programmed = true;
    };
    // Where a new entry goes: a new row at a location, the reuse of an unprogrammed row, or nowhere.
    struct Placement
    {
        int location = 0;    // 0: the list is full
        int reuseIndex = -1; // index into the slots of the row to overwrite, -1 for a new row
    };
    struct AddResult
    {
        CVelmoraError error;
        QList<Unit> added; // the units that now carry the talkgroup, in the order given
        int skipped = 0;   // no list for the NAM, no IMEI, or already a member
        QString fullImei;  // the unit whose full list stopped the add
    };

    // Talkgroup list size of a model and release for a NAM (1..3).
    using CapacityOf = std::function<int(int modelType, int releaseId, int nam)>;
    // Progress of a bulk add: units done of the total.
    using Progress = std::function<void(int done, int total)>;

    enum : int
    {
        NameLength = 11, // what a phone's talkgroup entry holds
        MinId = 1,
        MaxId = 255,
    };

    CTalkgroupManager(const QSqlDatabase& db, CapacityOf capacityOf);

    // The list sizes of the catalogue (cached per model and release).
    static CapacityOf CapacitiesOf(const CModelRules& rules);

    // --- Showing the manager ---
    // The index is rebuilt when the units changed, when the NAM count changed, and the first time.
    static bool NeedsRebuild(bool documentChanged, int namCount, int lastNamCount, bool firstShowing);
    // The current NAM within the NAM count: the last NAM when it shrank below it.
    static int ClampNam(int nam, int namCount);
    // The model types of the AlderModels setting ("90#91#..."): every number but 0, at most 250.
    static QList<int> ModelTypesOf(const QString& alderModels);
    // The units the manager offers, by IMEI; with hideSimpleList the Alder models are left out.
    QList<Unit> Units(bool hideSimpleList, const QString& alderModels, CVelmoraError* error = nullptr) const;
    QList<Header> Headers(int nam, CVelmoraError* error = nullptr) const;
    QList<CTalkgroupIndex::Member> Members(const Talkgroup& talkgroup, CVelmoraError* error = nullptr) const;

    // --- Talkgroups typed by hand ---
    // The id cell: a number 1..255.
    static CVelmoraError CheckIdText(const QString& text);
    // Stores a talkgroup row of the NAM: a new one (key 0) or an edited one, whose units follow the new
    // id and name. The id must be 1..255 (message 1645), and no other talkgroup of the NAM may have the
    // same id and name (1701). The name is kept as a phone holds it, cut to 11 characters.
    CVelmoraError StoreHeader(int nam, Header& header) const;
    static QString PhoneName(const QString& name) { return name.left(NameLength); }

    // --- Members ---
    static Placement ChooseLocation(const QList<Slot>& slots, int capacity);
    // Adds the talkgroup to each unit's list for its NAM. Units without a list for the NAM, without
    // an IMEI or already carrying the talkgroup are skipped; a full list (1734) stops the add and
    // nothing is added.
    AddResult AddUnits(const Talkgroup& talkgroup, const QList<Unit>& units,
                       const Progress& progress = Progress()) const;
    // Takes the talkgroup out of the units' lists for its NAM.
    CVelmoraError RemoveMembers(const Talkgroup& talkgroup, const QStringList& imeis) const;
    // Deletes a stored talkgroup after question 1585 (a No comes back as a cancel): its index rows
    // and its entries in every unit's list of that NAM, no other NAM.
    CVelmoraError DeleteTalkgroup(const Talkgroup& talkgroup, IVelmoraQuestion& question) const;

private:
    class CEntryWriter;
    // More units than this are added from one read of the NAM's entries.
    static constexpr int kReadAllFrom = 64;
    CVelmoraError AddToUnit(CEntryWriter& writer, const Talkgroup& talkgroup, const Unit& unit, int capacity,
                            bool& added) const;

    QSqlDatabase m_db;
    CapacityOf m_capacityOf;
};
