#pragma once

#include "CFleetLock.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class CFleetContext;
class CVelmoraDoc;

// A fleet file opened for changing the way the program opens it (expanded, backed up, upgraded after
// the question, held exclusively), changed by the program's own classes, then closed, which stores it.
// A session that is not committed puts the file (and a backup a stopped session left beside it) back
// byte for byte as it was before it was opened, or removes a file it made. The session holds the fleet's
// lock from open to commit or rollback.
class CFleetSession
{
public:
    explicit CFleetSession(CFleetContext& context);
    // Rolls back unless committed.
    ~CFleetSession();
    CFleetSession(const CFleetSession&) = delete;
    CFleetSession& operator=(const CFleetSession&) = delete;

    // Opens an existing fleet file. False after the program's message or with why set.
    bool Open(const QString& path, QString& why);
    // A new fleet from the template, to be saved as path on commit (which must not exist).
    bool Create(const QString& path, QString& why);

    CVelmoraDoc& Document() { return *m_document; }
    QString Path() const { return m_path; }

    // Saves a new fleet under its name and closes the document, which leaves the file stored. False
    // when saving failed (the file is then rolled back).
    bool Commit();
    // Closes the document and puts the file back as it was.
    void Rollback();

private:
    void CloseDocument();

    CFleetContext& m_context;
    std::unique_ptr<CVelmoraDoc> m_document;
    QTemporaryDir m_keep;
    QString m_path;
    CFleetLock m_lock;
    QString m_original;       // byte copy of the file as it was, in m_keep
    QString m_backup;         // the fleet's backup, when a stopped session left one
    QString m_originalBackup; // byte copy of that backup, in m_keep
    bool m_created = false;
    bool m_active = false;
};
