#pragma once

#include "CConsolNameIndex.h"
#include "CExchangePlacement.h"
#include "CVelmoraError.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// One entry carried into a target list. Which fields count depends on the list:
//   phone book      name, number
//   private list    name, privateId
//   talkgroups      name (talkgroup name), id (talkgroup id)
//   scan list       name (alias), id (talkgroup id)
//   status messages name (message text, never cut), id (message id)
//   consolidated    name, number, numType
struct CExchangeEntry
{
    QString name;
    QString number;
    CExchangePrivateId privateId;
    qint64 id = 0;
    int numType = 0;
    bool program = true;
    int language = 0;
};

// One target unit's list (one NAM of the per-NAM lists) in the real table or in its "_tmp" twin, as
// entries are added to it one at a time:
//   - a duplicate (the same identifying values as a row of the target, names compared as they are
//     stored, cut to 11 characters) is skipped;
//   - a list whose programmed entries reach its capacity takes nothing;
//   - the location is the first gap in the programmed locations counted from 1, else after the last,
//     within the capacity; whatever unprogrammed row holds it is replaced;
//   - consolidated entries get a free record number 1..capacity and a name index by the list's
//     name-index rule (CConsolNameIndex); nothing is replaced.
// Every value is bound. The caller owns the transaction.
class CExchangeList
{
public:
    enum class Table
    {
        Real,
        Twin,
    };
    enum class Outcome
    {
        Added,
        Duplicate,
        Full,
    };

    CExchangeList(const QSqlDatabase& db, CExchangeKind kind, const QString& imei, int nam, int capacity,
                  Table table = Table::Real);

    // Reads the target's rows; the database's text when that fails.
    CVelmoraError Load();
    // Makes an entry count as a duplicate without being in the list (the target's own name and number).
    void AddOwnEntry(const CExchangeEntry& entry);
    bool IsDuplicate(const CExchangeEntry& entry) const;
    bool IsFull() const;
    // Adds the entry unless it is a duplicate or the list has no room (outcome tells which); an error
    // when a statement fails (the entry is then not added).
    CVelmoraError Add(const CExchangeEntry& entry, Outcome& outcome);
    // Entries this object added.
    int Added() const { return m_added; }
    QString TableName() const;
    CExchangeKind Kind() const { return m_kind; }

    // The identifying values of an entry in this kind of list, names cut as they are stored.
    static QString Key(CExchangeKind kind, const CExchangeEntry& entry);
    // The name as the list stores it (message texts are kept whole).
    static QString StoredName(CExchangeKind kind, const QString& name);

private:
    bool PerNam() const;
    QString LocationColumn() const;
    CVelmoraError LoadConsolidated();
    CVelmoraError ExecStatement(const QString& sql, const QVariantList& values);
    CVelmoraError AddAt(const CExchangeEntry& entry, int location);
    CVelmoraError AddConsolidated(const CExchangeEntry& entry, Outcome& outcome);

    QSqlDatabase m_db;
    CExchangeKind m_kind;
    QString m_imei;
    int m_nam;
    int m_capacity;
    Table m_table;
    QSet<QString> m_keys;
    CExchangeSlots m_slots;
    QList<CConsolIndexEntry> m_consol;
    QSet<int> m_recNums;
    int m_added = 0;
    QHash<QString, QSqlQuery> m_statements; // prepared once per list
};
