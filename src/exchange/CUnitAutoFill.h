#pragma once

#include "CAutoFillEntry.h"
#include "CExchangeList.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Auto fill of one unit's list from chosen other units (what the auto fill dialog does): the units it
// offers and the add of the chosen ones. The pages' lists are filled in their "_tmp" twins, which the
// page then reloads.
class CUnitAutoFill
{
public:
    enum Mode : int
    {
        PhoneList = 1,
        PrivateList = 2,
        Consolidated = 4,
    };
    // A unit offered: the grid's row.
    struct Candidate
    {
        QString imei;
        QString userName;
        QString privateId; // the display id when it holds "*", else the NAM1 private id
        QString number;    // NAM1
    };
    struct AddResult
    {
        CVelmoraError error; // 1654 nothing chosen, -247 list full, or the database's words
        int added = 0;       // entries added before the add ended
    };

    // capacity: the target's list size (the NAM's for the private list); language: what new phone and
    // private entries carry.
    CUnitAutoFill(const QSqlDatabase& db, Mode mode, const QString& targetImei, int nam, int capacity,
                  int language = 0, CExchangeList::Table table = CExchangeList::Table::Twin);

    Mode GetMode() const { return m_mode; }
    // The other units the mode offers: the phone list only units with a NAM1 number, the private list
    // units with a display private id, the consolidated list every other unit.
    CVelmoraError LoadCandidates(QList<Candidate>& candidates) const;
    // Adds the units in order; the first full list or failure ends the add (what was added stays).
    AddResult Add(const QStringList& imeis);

    static QString PrivateIdOf(const QString& displayPrivateId, qint64 nam1PrivateId);

private:
    CVelmoraError ReadSource(const QString& imei, CAutoFillEntry& entry, bool& found) const;
    CExchangeKind Kind() const;

    QSqlDatabase m_db;
    Mode m_mode;
    QString m_target;
    int m_nam;
    int m_capacity;
    int m_language;
    CExchangeList::Table m_table;
};
