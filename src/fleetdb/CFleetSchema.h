#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

// Field types of the fleet tables, as the recordsets bind them.
enum class CFleetType
{
    Text,    // VARCHAR(length), bound as QString
    Byte,    // 0..255, bound as int
    Integer, // 16-bit, bound as int
    Long,    // 32-bit, bound as int
    YesNo,   // 0 or 1, bound as bool
    DateTime // bound as QDateTime
};

struct CFleetColumn
{
    const char* name;
    CFleetType type;
    int length = 0;       // Text columns only
    bool counter = false; // filled by the database when an insert leaves it out
};

// What a table's rows are to the program: the lists of tables that cascade, copy, read and write a
// unit are all taken from these roles, so a new table is one entry in the schema.
enum class CFleetRole
{
    Fleet,    // the fleet's own rows (talkgroup index, users, saved messages)
    Version,  // the schema version row
    Unit,     // a unit's own rows: copied, deleted and renamed with the unit
    UnitLink, // fleet rows naming a unit: they follow its IMEI but stay when it is deleted
};

// personalizeFor of the personalisation table of every model that has none of its own.
constexpr int kOtherModels = -1;

struct CFleetTable
{
    QString name;
    std::vector<CFleetColumn> columns;
    CFleetRole role = CFleetRole::Fleet;
    bool twin = false;    // has a "<name>_tmp" twin with the same columns
    bool perUnit = false; // keyed by unit_imei_num (indexed)
    bool uniqueImei = false;
    // The model type whose units keep their personalisation here (kOtherModels: every model without a
    // table of its own); 0 for every other table. A unit has rows in its own model's table only.
    int personalizeFor = 0;

    bool IsPersonalize() const { return personalizeFor != 0; }

    int ColumnIndex(const QString& column) const;
    QStringList ColumnNames() const;
    // The counter column, or an empty text.
    QString CounterColumn() const;
};

// The one description of a fleet file: every table, its columns in binding order, their types, text
// lengths, counters and indexes, and the schema version. It creates the template VelmoraVLF.vdf at build
// time; the upgrade of older files and the unit copy engine read the same description.
class CFleetSchema
{
public:
    // Version written into version_num_table of the template. Raise it with every change of the tables.
    static QString Version();
    static int VersionNumber();

    // Main tables in creation order (twins are not listed; see TwinName).
    static const std::vector<CFleetTable>& Tables();
    // A main table or a twin by name (a twin answers its main table's description).
    static const CFleetTable* Find(const QString& table);
    static QString TwinName(const QString& table) { return table + QStringLiteral("_tmp"); }
    static bool IsTwin(const QString& table);

    // A unit's own tables (role Unit) in schema order, unit_details first, personalisation included.
    static QStringList PerUnitTables();
    // The unit's lists: its own tables without unit_details and the personalisation tables.
    static QStringList UnitListTables();
    // Every personalisation table, in schema order.
    static QStringList PersonalizeTables();
    // Personalisation table of a model type (its own, else the one of every other model).
    static QString PersonalizeTableFor(int modelType);
    // SQL condition on a column holding a model type that selects the units of a personalisation
    // table ("model_type = 114", "model_type NOT IN (114, 116)"); the numbers are the schema's own.
    static QString PersonalizeModelCondition(const QString& table, const QString& column);
    // Tables whose rows follow a unit's IMEI change: every IMEI-keyed table but unit_details.
    static QStringList ImeiKeyedTables();
    // The fleet's own tables and the unit links, which a rebuild carries whole.
    static QStringList FleetTables();

    // CREATE TABLE for a main table or its twin. In a twin the counter is a plain INTEGER without
    // default, so rows copied from the main table keep their numbers and new rows carry NULL, which the
    // main table numbers itself when the twin is copied back.
    static QString CreateTableSql(const CFleetTable& table, bool twin);
    static QStringList CreateIndexSql(const CFleetTable& table, bool twin);
    // Every statement that makes an empty fleet file, including the version row.
    static QStringList CreateStatements();
    // Creates every table in an empty database (one transaction); the database's text on failure.
    static CVelmoraError Create(const QSqlDatabase& db);

    // Writes a fresh template file: beside the target first, then renamed over it.
    static CVelmoraError WriteTemplate(const QString& path);

    // SQL type and default clause of a column ("VARCHAR(50) DEFAULT ''").
    static QString ColumnDefinition(const CFleetColumn& column, bool twin);
    // Identifier quoted for SQL ("a""b").
    static QString Quote(const QString& identifier);
};
