#pragma once

#include "CFleetErrors.h"

#include <QString>

struct CFleetSettings;

// A fleet file on disk, plain (the SQLite database itself) or stored (compacted and compressed):
//
//   stored form = skippable zstd frame { magic 0x184D2A56, size 16, "VLF1", format version (u32 LE),
//                 plain size (u64 LE) } followed by one standard zstd frame holding the database.
//
// "zstd -d" reads a stored file (it skips the first frame); SQLite does not open one. Storing and
// expanding write a temporary beside the file and rename it over, so a crash at any moment leaves
// either the old or the new file whole.
class CFleetFile
{
public:
    enum class Probe
    {
        Missing,
        Database,
        NotDatabase,
        Busy
    };

    // What opening the file as a database gives. A file without the database header (an empty one
    // included) is no database.
    static Probe ProbeDatabase(const QString& path);
    // The same; error gets the database's words when the file does not open (Busy, NotDatabase).
    static Probe ProbeDatabase(const QString& path, CVelmoraError& error);
    static bool OpensAsDatabase(const QString& path) { return ProbeDatabase(path) == Probe::Database; }
    // True when the file starts with the database header (whatever follows it).
    static bool HasDatabaseHeader(const QString& path);
    // True when the file starts with the stored-form header (whatever follows it).
    static bool IsStoredForm(const QString& path);
    // Reads a stored file through: its frame must be whole, match its checksum, give exactly the size
    // its header announces and hold a database. Else the damaged-stored-fleet message (1877).
    static CVelmoraError VerifyStoredForm(const QString& path);
    // True when the file opens as a database that has the fleet's unit table.
    static bool IsFleetDatabase(const QString& path);
    // A plain file that is to be read or changed as a fleet: it must open, have the unit table (1603)
    // and pass the database's quick check (1878 with what it found).
    static CVelmoraError CheckFleetDatabase(const QString& path);

    // Turns a stored file back into its database. False (file untouched) when the file is not in the
    // stored form or its content is damaged.
    static bool ExpandFleetFile(const QString& path);
    // The same, with why it failed: no stored file (1801), a damaged one (1877), no permission (1879,
    // 1872, 1880), the database could not be written out (1386).
    static CVelmoraError Expand(const QString& path);
    // Compacts a plain fleet file (extension VLF only) and writes it in the stored form. A file that is
    // not a ".vlf", or is stored already and whole, is left as it is (true). False when the file is
    // missing, cannot be opened as a database (held by another connection, damaged), holds no fleet,
    // is a damaged stored file, or storing failed; the file is then left as it was.
    static bool StoreFleetFile(const QString& path);

    // The checks before a fleet file is read (append, phone programming, the display dialogs): the
    // file must exist (1640), open as a database or expand to one (1801, 1877), be a whole fleet
    // (1603, 1878), and pass the upgrade. What the user is to be told goes to errors.
    static bool CheckAndPrepare(const QString& path, const CFleetSettings& settings, CFleetErrors& errors);
    // A fleet file the program may not rewrite is refused, naming what stands in the way: the file
    // cannot be read (1879), is read-only (1872), or its folder takes no new file (1880).
    static CVelmoraError CheckWritable(const QString& path);
    // An existing file the user may not read is named as such (1879).
    static CVelmoraError CheckReadPermission(const QString& path);
    // The first checks of CheckAndPrepare, after CheckWritable; a file held by another open document
    // fails with the database's text. This is where every open for change (the window, the tools,
    // append) is checked. The upgrade is left to the caller.
    static CVelmoraError CheckReadable(const QString& path);

    // Temporary names: the compaction temporary is the full path + "Temp" + the name; the restore
    // temporary is the folder + "Temp" + the name (either shortened when it would not fit).
    static QString CompactionTempPath(const QString& path);
    static QString RestoreTempPath(const QString& path);

    // zstd level of the stored form.
    static int CompressionLevel() { return 3; }
};
