#pragma once

#include <QList>
#include <QString>

// What one unit contributes to another unit's lists when lists are filled from the fleet: its user
// name cut to what a phone entry holds, its NAM1 number and its private id; and where such an entry
// goes in a target list.
struct CAutoFillEntry
{
    enum : int
    {
        NameLength = 11, // characters of a phone entry's name
        NoLocation = 0,
    };

    QString imei;
    QString name;   // the unit's user name, first 11 characters
    QString number; // NAM1 phone number; empty: no phone entry
    int urban = 0;
    int fleet = 0;
    int member = 0; // 0: no private id

    bool HasNumber() const { return !number.isEmpty(); }
    bool HasPrivateId() const { return member != 0 || urban != 0 || fleet != 0; }
    // The private id as a consolidated number ("urban*fleet*member", or the member alone).
    QString PrivateIdText() const;

    // The entry of a unit from its unit_details values: a display private id holding "*" is split
    // urban*fleet*member; else the member is the NAM1 private id with urban and fleet 0.
    static CAutoFillEntry FromUnit(const QString& imei, const QString& userName, const QString& nam1Number,
                                   const QString& displayPrivateId, int nam1PrivateId);
    static QString EntryName(const QString& userName) { return userName.left(NameLength); }

    // The first free location counted from 1 among used (in any order): the first gap, else one after
    // the highest. NoLocation when that is beyond capacity.
    static int FirstFreeLocation(const QList<int>& used, int capacity);
};

// One entry of a consolidated call list as the placement sees it.
struct CAutoFillConsolEntry
{
    QString name;
    QString number;
    int type = 0;
    int nameIndex = 0;
    int recNum = 0;
};

// The placement of new entries in a consolidated call list: record numbers from the gaps counted from 1
// (else after the last) and the contact's name index.
class CAutoFillConsolList
{
public:
    enum : int
    {
        MaxNameIndex = 250,
    };
    CAutoFillConsolList(QList<CAutoFillConsolEntry> entries, int capacity);

    enum class Result
    {
        Added,
        Duplicate, // the same name, number and type is there already (or the number is empty)
        Full,
    };
    // Places (name, number, type); on Added, *placed gets the entry with its record number and name index.
    Result Add(const QString& name, const QString& number, int type, CAutoFillConsolEntry* placed);
    // The name index a new entry (name, type) takes: that of the existing entries of the same name when
    // none of them has the type, else one above the highest index in use (the
    // smallest free one past 250; 0 when all are held).
    int NameIndexFor(const QString& name, int type) const;
    int Count() const { return int(m_entries.size()); }
    const QList<CAutoFillConsolEntry>& Entries() const { return m_entries; }

private:
    int NextRecNum() const;

    QList<CAutoFillConsolEntry> m_entries;
    int m_capacity = 0;
};
