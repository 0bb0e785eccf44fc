#pragma once

#include "CModelProfile.h"

#include <QString>
#include <array>
#include <memory>

class CRecordset;
class QSqlDatabase;

// What sets the four per-NAM list pages (private calls, talkgroups, talkgroup scan, status messages)
// apart, as data: their table and columns, grid type, capacities, id range and buttons. The pages
// themselves are one class working from this.
struct CNamListKind
{
    using Capacity = std::array<int, CModelProfile::NamSlots> CModelProfile::ListCapacities::*;

    int page = 0;                  // UnitPage id
    int templateId = 0;            // the page's dialog template (its help)
    QString table;                 // the real table; the page edits its "_tmp" twin
    int gridType = 0;              // CGridListType
    Capacity capacity{};           // the list's capacities per NAM
    QString nameField;             // column 1
    QString idField;               // column 2 (the member id of a private id)
    bool privateIds = false;       // column 2 holds private ids (cross-fleet)
    bool hasLanguage = false;      // records carry the phone-book language entry
    int idMax = 255;               // column 2 is 1..idMax (private ids without cross-fleet: 65535)
    bool markAll = false;          // mark all / unmark all (1892)
    int sortNameButton = 0;        // button that sorts by column 1, 0 for none
    int sortIdButton = 0;          // button that sorts by column 2, 0 for none
    bool reportsWriteBack = false; // a failed write-back before a NAM change also says 1498
    bool autoFill = false;         // the auto-fill button (1027)
    bool transfer = false;         // the phone-book transfer button (1262) on phone class 3

    // The kind of a page (UnitPage::PrivateList, TalkgroupList, ScanList or StatusMessages); nullptr
    // for another page.
    static const CNamListKind* Of(int page);
    // The recordset of the kind's table.
    std::unique_ptr<CRecordset> MakeRecordset(const QSqlDatabase& db) const;
    // The capacity of the list on a NAM (1..3) of a model.
    int CapacityOf(const CModelProfile::ListCapacities& capacities, int nam) const;
};
