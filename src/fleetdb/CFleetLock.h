#pragma once

#include "CVelmoraError.h"

#include <QString>

// Who may change a fleet file. One process at a time holds a fleet: it keeps "<file>.lock" beside the
// real file locked with flock(), from the moment it expands or opens the fleet until it has stored and
// closed it. The system lets go of the lock when its holder ends, however it ends, so a killed holder
// never blocks the fleet; the lock file names the holder for the message another process shows.
//
// Within one process the hold is shared: documents, the append and the file operations of one program
// may nest their holds on the same fleet (they keep each other out by other means).
class CFleetLock
{
public:
    CFleetLock() = default;
    ~CFleetLock() { Unlock(); }
    CFleetLock(CFleetLock&& other) noexcept;
    CFleetLock& operator=(CFleetLock&& other) noexcept;
    CFleetLock(const CFleetLock&) = delete;
    CFleetLock& operator=(const CFleetLock&) = delete;

    // Takes the fleet at path (its real file when path is a link). When another process holds it the
    // error names the holder (in use); when no lock can be made there, why.
    CVelmoraError Lock(const QString& path);
    void Unlock();
    bool IsLocked() const { return !m_key.isEmpty(); }
    // True when this hold found the fleet held by nobody: what an earlier holder left beside the file
    // (a crashed session's backup, half-written temporaries) is no live program's.
    bool IsFirstHold() const { return m_first; }

    // The lock file of a fleet.
    static QString LockPathFor(const QString& path);
    // True while this process holds the fleet.
    static bool HeldHere(const QString& path);

private:
    QString m_key;
    bool m_first = false;
};
