#pragma once

#include <QString>

// The question the unit copy engine asks when a unit it copies already exists in the destination.
// The program answers it with the append dialog; tests script it.
class IAppendQuestion
{
public:
    enum Answer : int
    {
        Dismissed = 0,    // closed another way: acts as Skip
        Overwrite = 1,    // copy this unit over the existing one
        OverwriteAll = 2, // and every further existing unit, without asking again
        Skip = 3,         // leave this unit as it is
        SkipAll = 4,      // and every further existing unit, without asking again
    };

    virtual ~IAppendQuestion() = default;
    virtual int AskOverwrite(const QString& imei) = 0;
};
