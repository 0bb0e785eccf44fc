#pragma once

#include "CConsolidatedRecord.h"
#include "CListBlockLayout.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class CTGScanListRecSet;
class CUnitConCallListRecSet;
class CUnitPhoneDetRecSet;
class CUnitPrvtDetRecSet;
class CUnitStatusMsgRecSet;
class CUnitTGDetRecSet;

// One row of a unit's lists, whatever list it belongs to.
struct CListRow
{
    CListBlockLayout::ListKind kind = CListBlockLayout::ListKind::PhoneBook;
    int nam = 1;
    // Speed-dial number (phone book), location number (per-NAM lists) or record number (consolidated):
    // the slot of the phone's list plus one.
    int number = 0;
    QString name;   // name, talkgroup name, scan alias or status message text
    QString phone;  // phone book number
    quint32 id = 0; // talkgroup id, scan talkgroup (or talkgroup slot), status message id
    quint32 urban = 0;
    quint32 fleet = 0;
    quint32 member = 0; // private entries
    bool flag = false;  // unit_program_flag
    int language = 0;
    CConsolidatedRecord record; // consolidated entries
};

// The list rows of one unit: what a read stores and what a write puts into the phone's lists.
class CUnitListRows
{
public:
    using Kind = CListBlockLayout::ListKind;

    QList<CListRow> rows;

    // Rows of one list, in stored order.
    QList<CListRow> Of(Kind kind, int nam = 1) const;
    int Count(Kind kind, int nam = 1) const { return int(Of(kind, nam).size()); }
    void Append(const QList<CListRow>& more) { rows += more; }

    // The unit's rows as a write reads them: phone book by speed-dial number, per-NAM lists NAM by
    // NAM, consolidated records by record number. The database's words on failure.
    CVelmoraError Load(const QSqlDatabase& db, const QString& imei);
    // Adds every row for the unit through the given recordsets (each row is stored at once).
    CVelmoraError Store(const QString& imei, CUnitPhoneDetRecSet& phoneBook, CUnitPrvtDetRecSet& privates,
                        CUnitTGDetRecSet& talkgroups, CTGScanListRecSet& scans,
                        CUnitStatusMsgRecSet& statuses, CUnitConCallListRecSet& consolidated) const;
};
