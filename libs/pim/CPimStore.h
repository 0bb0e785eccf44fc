#pragma once

#include "PimRecords.h"

#include <CVelmoraError.h>

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// One open PIM database (.pim, SQLite): the phone book and the date book, read and written with bound
// values, every change in its own transaction. Failures come back as error values; nothing is shown.
class CPimStore : public QObject
{
    Q_OBJECT

public:
    enum : int
    {
        SchemaVersion = 1, // PRAGMA user_version of a current PIM database
    };

    // Opens an existing PIM database. A missing file, a file that is not SQLite, or an SQLite file
    // without the PIM tables (or of a newer schema) is refused and left exactly as it was; no file is
    // ever created here. A file the user may not write is opened read-only.
    static std::unique_ptr<CPimStore> Open(const QString& path, CVelmoraError* error = nullptr);
    // Writes a new, empty PIM database at path; refuses a path that already exists.
    static CVelmoraError CreateEmpty(const QString& path);
    // True when path is an SQLite file holding the PIM tables of a schema this program reads; never
    // writes to the file.
    static bool IsPimDatabase(const QString& path);

    ~CPimStore() override;

    QString Path() const { return m_path; }
    bool IsReadOnly() const { return m_readOnly; }

    // Phone book: every contact with its numbers, sorted by name (case-insensitive), then by id.
    QList<CPimContact> Contacts(CVelmoraError* error = nullptr) const;
    std::optional<CPimContact> ContactById(qint64 id, CVelmoraError* error = nullptr) const;
    // Inserts the contact when its id is 0 (and sets the id), else updates it with its numbers as one
    // change. An empty (blank) name is refused.
    CVelmoraError SaveContact(CPimContact& contact);
    CVelmoraError DeleteContact(qint64 id);

    // Date book: events overlapping [from, to) (an event touching only an edge is left out; an event with
    // start == end counts when from <= start < to), sorted by start, then id.
    QList<CPimEvent> Events(const QDateTime& from, const QDateTime& to, CVelmoraError* error = nullptr) const;
    std::optional<CPimEvent> EventById(qint64 id, CVelmoraError* error = nullptr) const;
    // Inserts when id is 0 (and sets the id), else updates. A blank title, an invalid start or an end
    // before the start is refused.
    CVelmoraError SaveEvent(CPimEvent& event);
    CVelmoraError DeleteEvent(qint64 id);

Q_SIGNALS:
    void contactsChanged();
    void eventsChanged();

private:
    CPimStore(const QString& path, const QString& connection, bool readOnly);

    QString m_path;
    QString m_connection;
    bool m_readOnly = false;
};
