#pragma once

#include "CFleetErrors.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

struct CFleetSettings;

// Brings a fleet file of an older schema up to the template's: compares versions, asks the user,
// adds the missing tables and columns and drops the columns the template no longer has, fixes the
// release ids of old units, writes the template's version and finally rebuilds the file from the
// template so it has exactly the template's tables and indexes. All of it happens on copies beside
// the file; the rebuilt file replaces it in one rename, so the new version never shows on a file
// that is not wholly upgraded.
class CFleetUpgrade
{
public:
    // True when the file can be used as it is or was upgraded; false with a message in errors (1603,
    // 1871, 1799). The file is untouched unless the user agreed to the upgrade (question 1800) and the
    // upgrade succeeded. A file of the current version whose tables are not the template's (an upgrade
    // that was cut short) is finished without asking again.
    static bool OpenAndUpgrade(const QString& path, const CFleetSettings& settings, CFleetErrors& errors);
    // True when the file has every table, column, counter and index of the template.
    static bool MatchesTemplate(const QSqlDatabase& file, const QSqlDatabase& templ);
    // The temporary files an upgrade of path makes beside it. They are removed whenever the file is
    // opened and upgraded (only the one who holds the fleet opens it).
    static QStringList Temporaries(const QString& path);
    static void RemoveTemporaries(const QString& path);

    // Version of a fleet database: the leading digits of version_num_table's first row. hasVersion is
    // false when the table is missing or empty.
    static int ReadVersion(const QSqlDatabase& db, bool* hasVersion = nullptr);
    static bool HasTable(const QSqlDatabase& db, const QString& table,
                         const QString& schema = QStringLiteral("main"));
    // "12abc" gives 12; no leading digits give 0.
    static int LeadingInt(const QString& text);

    // The steps, for callers that hold both databases (all run inside the caller's transaction). Each
    // gives the database's text of what failed. Synchronising carries on past a column it cannot drop
    // (the rebuild leaves it behind) and gives the last such failure.
    static CVelmoraError SynchroniseSchema(const QSqlDatabase& file, const QSqlDatabase& templ);
    static CVelmoraError FixReleaseIds(const QSqlDatabase& file, int carrierId);
    static CVelmoraError CopyVersionNumber(const QSqlDatabase& file, const QSqlDatabase& templ);
    // Copies the template beside the file, copies every unit (and the fleet's talkgroup, user and SMS
    // tables) into it, and renames it over the file.
    static bool RebuildFromTemplate(const QString& path, const QString& templatePath, CFleetErrors& errors);

private:
    // The copy of the file that is synchronised before the rebuild reads it.
    static QString WorkPath(const QString& path);
    static bool UpgradeCopy(const QString& path, const CFleetSettings& settings, bool fixReleaseIds,
                            CFleetErrors& errors);
};
