#pragma once

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

struct CFleetTable
{
    QString name;
    std::vector<CFleetColumn> columns;
    bool twin = false;    // has a "<name>_tmp" twin with the same columns
    bool perUnit = false; // keyed by unit_imei_num (indexed)
    bool uniqueImei = false;

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

    // CREATE TABLE for a main table or its twin. In a twin the counter is a plain INTEGER without
    // default, so rows copied from the main table keep their numbers and new rows carry NULL, which the
    // main table numbers itself when the twin is copied back.
    static QString CreateTableSql(const CFleetTable& table, bool twin);
    static QStringList CreateIndexSql(const CFleetTable& table, bool twin);
    // Every statement that makes an empty fleet file, including the version row.
    static QStringList CreateStatements();
    // Creates every table in an empty database (one transaction).
    static bool Create(const QSqlDatabase& db, QString* error = nullptr);

    // Writes a fresh template file: beside the target first, then renamed over it.
    static bool WriteTemplate(const QString& path, QString* error = nullptr);

    // SQL type and default clause of a column ("VARCHAR(50) DEFAULT ''").
    static QString ColumnDefinition(const CFleetColumn& column, bool twin);
    // Identifier quoted for SQL ("a""b").
    static QString Quote(const QString& identifier);
};
