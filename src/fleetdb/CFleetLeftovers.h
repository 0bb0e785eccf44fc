#pragma once

#include <QString>

// What a program killed while it changed a fleet leaves beside it: the half-written temporaries of a
// store, an expand or a save. They are removed when the fleet is next taken by a program that found it
// held by nobody, so they cannot be any live program's. A file that may be the user's own (a whole
// database that happens to carry a temporary's name) is left alone.
class CFleetLeftovers
{
public:
    // Removes the leftovers of the fleet at path (its real file); gives how many went.
    static int Remove(const QString& path);
    // True when the file is a database cut short: empty, or shorter than its own header says.
    static bool IsCutShort(const QString& path);
};
