#pragma once

#include <QString>

class QFile;

// File operations that never leave a half-written target: the new content goes to a temporary file
// beside the target, is flushed to disk, and is renamed over the target in one step. The target keeps
// its mode and owner, a symlink keeps pointing at the rewritten file, and a read-only target is refused.
class CSafeFile
{
public:
    // Copies from over to (replacing it). On failure the target is as it was.
    static bool Copy(const QString& from, const QString& to, QString* error = nullptr);
    // Flushes temp to disk and renames it over target (which may exist), then flushes the folder.
    static bool Replace(const QString& temp, const QString& target, QString* error = nullptr);
    // Flushes a written file to disk.
    static bool Sync(const QString& path, QString* error = nullptr);
    // While a large file is written: hands what was written since *started to the disk in the
    // background every few megabytes, so the final Sync has little left to wait for.
    static void StartWriteback(QFile& file, qint64* started);
    // The file a path names: symlinks are followed, so a rewrite changes the target and keeps the link.
    static QString RealPath(const QString& path);
    // False when the (real) file exists and the user may not write it.
    static bool IsWritable(const QString& path);
    // Gives file the mode, and where allowed the owner and group, of model (when model exists).
    static void KeepIdentity(const QString& model, const QString& file);
    // A temporary name beside the real file of target for content on its way to it.
    static QString TempBeside(const QString& target);
    // path itself when its file name fits the file system (leaving reserve bytes for a later
    // addition); else the same folder and a shortened name that does, the same for the same path.
    static QString FittingPath(const QString& path, int reserve = 0);
    static bool Exists(const QString& path);
    // True when both files can be read and hold the same bytes.
    static bool SameContent(const QString& a, const QString& b);
    static bool Remove(const QString& path);
};
