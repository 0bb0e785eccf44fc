#pragma once

#include <QList>
#include <QString>

// The lists an exchange writes into, numbered as the copy dialog's modes.
enum class CExchangeKind : int
{
    PhoneBook = 1,
    Private = 2,
    Talkgroups = 3,
    Consolidated = 4,
    Status = 7,
    Scan = 8,
};

// Where an entry goes in a target's list and how its name is cut. Pure rules, no database.
class CExchangePlacement
{
public:
    enum : int
    {
        EntryNameLength = 11, // what a phone shows of a list entry's name
        NoRoom = 0,
    };

    // The first EntryNameLength characters of a name.
    static QString EntryName(const QString& name);
    // The location for a new entry among the used locations (any order, duplicates allowed): the first
    // gap counted from 1, else one after the last; NoRoom when the location before it (or the last one)
    // is not below the capacity.
    static int NextLocation(QList<int> used, int capacity);
};

// The used locations of one target list, taking locations one after the other by the rule above.
class CExchangeSlots
{
public:
    CExchangeSlots() = default;
    CExchangeSlots(const QList<int>& used, int capacity);

    // The next location, marked used; CExchangePlacement::NoRoom when the list has no room.
    int Take();
    int Capacity() const { return m_capacity; }
    int Count() const { return int(m_used.size()); }
    // The list holds as many programmed entries as its capacity.
    bool IsFull() const { return Count() >= m_capacity; }

private:
    QList<int> m_used; // ascending, no duplicates
    int m_capacity = 0;
};

// A private id: urban, fleet and member numbers.
struct CExchangePrivateId
{
    qint64 urban = 0;
    qint64 fleet = 0;
    qint64 member = 0;

    // "u*f*m" splits into its three numbers; a text without "*" is the member number alone. False for
    // anything that is not numbers.
    static bool Parse(const QString& text, CExchangePrivateId& id);
    // "u*f*m", or the member alone when urban or fleet is 0.
    QString Text() const;
    bool operator==(const CExchangePrivateId& o) const
    {
        return urban == o.urban && fleet == o.fleet && member == o.member;
    }
};

// How a private-call entry is carried from one unit to another, by the two units' cross-fleet flags.
class CExchangePrivateRule
{
public:
    enum : qint64
    {
        PlainMemberLimit = 65535, // the largest member number a plain (not cross-fleet) unit takes
    };
    enum class Outcome
    {
        Carried,
        TooLarge, // a cross-fleet member number a plain target cannot hold: the entry is left out
    };

    // A plain target gets urban and fleet 0 (a member above the limit from a cross-fleet source is
    // too large); a cross-fleet target of a plain source gets its own urban and fleet numbers; between
    // two cross-fleet units the id is kept.
    static Outcome Adjust(CExchangePrivateId& id, bool sourceCrossFleet, bool targetCrossFleet,
                          qint64 targetUrban, qint64 targetFleet);
};
