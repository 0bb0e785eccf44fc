#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One telephone number of a contact with its kind.
struct CPimNumber
{
    enum Kind : int
    {
        Mobile = 0,
        Work = 1,
        Home = 2,
        Fax = 3,
        Pager = 4,
        Other = 5,
    };
    enum : int
    {
        KindCount = 6,
    };

    int kind = Mobile;
    QString number;

    bool operator==(const CPimNumber& o) const { return kind == o.kind && number == o.number; }
    bool operator!=(const CPimNumber& o) const { return !(*this == o); }
};

// One phone-book entry. id 0 means "not stored yet".
struct CPimContact
{
    qint64 id = 0;
    QString name, company;
    QList<CPimNumber> numbers;
    QString email, address, note;

    bool operator==(const CPimContact& o) const
    {
        return id == o.id && name == o.name && company == o.company && numbers == o.numbers &&
               email == o.email && address == o.address && note == o.note;
    }
    bool operator!=(const CPimContact& o) const { return !(*this == o); }
};

// One date-book entry. Times are wall-clock local times (seconds precision); an all-day event runs from
// the start day's midnight to the end day's midnight. reminderMinutes -1 means no reminder.
struct CPimEvent
{
    qint64 id = 0;
    QString title;
    QDateTime start, end;
    bool allDay = false;
    QString location, note;
    int reminderMinutes = -1;

    bool operator==(const CPimEvent& o) const
    {
        return id == o.id && title == o.title && start == o.start && end == o.end && allDay == o.allDay &&
               location == o.location && note == o.note && reminderMinutes == o.reminderMinutes;
    }
    bool operator!=(const CPimEvent& o) const { return !(*this == o); }
};
