#pragma once

#include <QSqlDatabase>
#include <QString>

struct CFleetSettings;

// Brings a fleet file of an older schema up to the template's: compares versions, asks the user,
// adds the missing tables and columns and drops the columns the template no longer has, fixes the
// release ids of old units, writes the template's version and finally rebuilds the file from the
// template so it has exactly the template's tables and indexes.
class CFleetUpgrade
{
public:
    // True when the file can be used as it is or was upgraded; false after a message (1603, 1871,
    // 1799). The file is untouched unless the user agreed to the upgrade.
    static bool OpenAndUpgrade(const QString& path, const CFleetSettings& settings);

    // Version of a fleet database: the leading digits of version_num_table's first row. hasVersion is
    // false when the table is missing or empty.
    static int ReadVersion(const QSqlDatabase& db, bool* hasVersion = nullptr);
    static bool HasTable(const QSqlDatabase& db, const QString& table,
                         const QString& schema = QStringLiteral("main"));
    // "12abc" gives 12; no leading digits give 0.
    static int LeadingInt(const QString& text);

    // The steps, for callers that hold both databases (all run inside the caller's transaction).
    static bool SynchroniseSchema(const QSqlDatabase& file, const QSqlDatabase& templ,
                                  QString* error = nullptr);
    static bool FixReleaseIds(const QSqlDatabase& file, int carrierId, QString* error = nullptr);
    static bool CopyVersionNumber(const QSqlDatabase& file, const QSqlDatabase& templ,
                                  QString* error = nullptr);
    // Copies the template beside the file, copies every unit (and the fleet's talkgroup, user and SMS
    // tables) into it, and renames it over the file.
    static bool RebuildFromTemplate(const QString& path, const QString& templatePath);
};
