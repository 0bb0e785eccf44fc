#pragma once

#include <QList>
#include <QString>

// One entry of the consolidated call list as the name-index rule sees it.
struct CConsolIndexEntry
{
    QString name;
    int type = -1;     // number type 0..9
    int nameIndex = 0; // 0: none yet
};

// The name index of a consolidated call list entry. Entries with the same name form one contact and
// share its index, one number of each type per contact; a second number of a type already in the
// contact, a talkgroup and an entry without a name each open an index of their own.
class CConsolNameIndex
{
public:
    enum : int
    {
        MinIndex = 1,
        MaxIndex = 250,
        TalkgroupType = 7,
        NoIndex = 0, // every index 1..250 is in use
    };

    // The index of an entry (name, type) among the other entries of the list (in row order, the
    // entry itself left out):
    //   1. an empty name or a talkgroup takes the smallest free index;
    //   2. an index is taken for this type when an entry of the same name and of this type (or a
    //      talkgroup) holds it;
    //   3. the first other entry of the same name, of another type and no talkgroup, whose index is
    //      not taken for this type gives its index (its index 0: the smallest free one);
    //   4. else the smallest free index.
    // NoIndex when a free index is needed and all 250 are in use.
    static int For(const QList<CConsolIndexEntry>& others, const QString& name, int type);
    // The smallest index 1..250 that none of the entries holds; NoIndex when none is free.
    static int SmallestFree(const QList<CConsolIndexEntry>& entries);
};
