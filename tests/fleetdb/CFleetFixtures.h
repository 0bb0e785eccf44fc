#pragma once

#include "CFleetErrors.h"
#include "CFleetSettings.h"
#include "CVelmoraWrap.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

// Plays the command layer for one call of a fleet operation: what the call reports is shown, in order,
// once the call is over, so the scripted answerer records it as the user would see it.
//   QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
class CShowErrors
{
public:
    CShowErrors() = default;
    CShowErrors(const CShowErrors&) = delete;
    CShowErrors& operator=(const CShowErrors&) = delete;
    ~CShowErrors() { Show(m_errors); }
    operator CFleetErrors&() { return m_errors; }
    // Shows errors a call returned.
    static void Show(const CFleetErrors& errors)
    {
        for (const CVelmoraError& error : errors)
            CVelmoraWrap::ShowError(error);
    }

private:
    CFleetErrors m_errors;
};

// One unit a fixture writes: its identity and how long its lists are. Its rows are derived from these
// values, so two fleets made from the same specs hold the same units.
struct CUnitSpec
{
    QString imei;
    QString user;
    int modelType = 105;
    int listRows = 2; // rows per list (phone book, private, talkgroup, scan, status, consolidated)
    int releaseId = 0;
    int subReleaseId = 0;
    QString tag;                 // varies the list contents between fleets holding the same IMEIs
    bool allPersonalize = false; // a row in every personalisation table, not only the model's
};

// Writes fleet files for the tests: current ones from the built template, and files of older schema
// versions as earlier programs left them, so upgrades run on real files.
class CFleetFixtures
{
public:
    enum class Kind
    {
        Versionless, // no version_num_table, no Alder/consolidated tables, no twins, plain counters
        Version5,    // version "5": no AGPS table, some columns missing, an obsolete indexed column
        Newer,       // the current tables with version "99"
    };

    static QString TemplatePath();
    static CFleetSettings Settings(int carrierId = 1);
    // Names the program must carry through every path.
    static QStringList AwkwardNames();
    // Units with awkward names: imei 3500000000000NN, models cycling 105, 114, 116, 90.
    static QList<CUnitSpec> Units(int count, const QString& tag = QString());

    static bool MakeFleet(const QString& path, const QList<CUnitSpec>& units);
    static bool WriteOldFleet(const QString& path, Kind kind, const QList<CUnitSpec>& units);
    // A versionless fleet as an upgrade killed before its rebuild left it: stamped with the current
    // version, its counters still plain columns and the template's indexes missing.
    static bool WriteHalfUpgradedFleet(const QString& path, const QList<CUnitSpec>& units);
    // Adds a unit's rows to every table of the database that exists (columns it lacks are left out).
    static bool AddUnit(const QSqlDatabase& db, const CUnitSpec& unit);
    // A few fleet-wide rows: talkgroup index, talkgroup members, users, saved messages.
    static bool AddFleetRows(const QSqlDatabase& db);

    // Rows of a table (optionally of one unit) in rowid order, every column except those in skip.
    static QList<QVariantList> Rows(const QSqlDatabase& db, const QString& table,
                                    const QString& imei = QString(), const QStringList& skip = {});
    static int Count(const QSqlDatabase& db, const QString& table, const QString& imei = QString());
    static QStringList Columns(const QSqlDatabase& db, const QString& table);
    static QByteArray Bytes(const QString& path);
    // Overwrites one page of a plain fleet file with junk: the page counted from 0 (never the first),
    // the one in the middle (-1), or one of the schema (kSchemaPage). Damaged in the middle the file
    // still opens, but the database's check finds the damage; a damaged schema keeps it from opening.
    static constexpr int kSchemaPage = -2;
    static bool DamagePage(const QString& path, int page = -1);
    static bool WriteBytes(const QString& path, const QByteArray& bytes);
};
