#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariantList>

// One named connection to a fleet database file. The connection is removed from Qt's registry when
// the object is closed or destroyed, so callers never juggle connection names.
//
// Exclusive mode holds an exclusive lock on the file from the moment it opens until it closes: no other
// connection, in this process or another, can read or write the file meanwhile (it gets "database is
// locked"). Shared mode takes locks only while a statement or transaction runs.
class CFleetConnection
{
public:
    enum class Mode
    {
        Shared,
        Exclusive
    };

    CFleetConnection() = default;
    ~CFleetConnection();
    CFleetConnection(const CFleetConnection&) = delete;
    CFleetConnection& operator=(const CFleetConnection&) = delete;

    // Opens an existing file (never creates one) and reads its schema, so a file that is not a
    // database, or is locked, fails here. Triggers and views the file brings are dropped.
    bool Open(const QString& path, Mode mode = Mode::Shared);
    // Creates a new empty database file (or opens an existing one).
    bool Create(const QString& path);
    void Close();
    bool IsOpen() const { return m_db.isOpen(); }

    QSqlDatabase Database() const { return m_db; }
    QString Path() const { return m_path; }
    QString ConnectionName() const { return m_name; }
    QSqlError LastError() const { return m_error; }
    QString LastErrorText() const;

    // The error of a statement or open in the database's own words.
    static QString ErrorText(const QSqlError& error);
    // Runs one statement with its values bound in order; the database's text of what failed.
    static CVelmoraError Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
    // SQLite's "file is not a database" (and a damaged file): the file is no fleet database.
    static bool IsNotDatabase(const QSqlError& error);
    // The file exists but another connection holds it.
    static bool IsBusy(const QSqlError& error);
    // A table the statement names does not exist.
    static bool IsMissingTable(const QSqlError& error);
    // What the user is told about a database error: an unreadable file or a missing table as the
    // fleet-file message, anything else in the database's own words.
    static CVelmoraError Error(const QSqlError& error);

private:
    bool OpenConnection(const QString& path, bool create);
    bool Fail(const QSqlError& error);
    // Removes every trigger and view of the opened file; the error of a drop that failed.
    QSqlError DropForeignCode();

    QSqlDatabase m_db;
    QString m_name;
    QString m_path;
    QSqlError m_error;
};
