#pragma once

#include <QString>

// The tool's private folders in the temporary folder ("velmora-cli-<pid>-XXXXXX"): copies of fleets
// being read or kept for a rollback. A run ended by a signal it could not handle (SIGKILL) leaves its
// folder behind; the next run removes the folders of processes that are gone.
class CCliTemp
{
public:
    // The QTemporaryDir template of a folder of this process.
    static QString FolderTemplate();
    // Removes the folders that processes no longer running left; gives how many went.
    static int RemoveLeftovers();
};
