#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class CCliAnswerer;
class CFleetConnection;
struct CFleetSettings;

// A private copy of a fleet file for the commands that only read: the copy is expanded and, when
// asked, brought up to the current schema, so the file itself is never changed, not even its stored
// or plain form.
class CFleetSnapshot
{
public:
    CFleetSnapshot();
    ~CFleetSnapshot();
    CFleetSnapshot(const CFleetSnapshot&) = delete;
    CFleetSnapshot& operator=(const CFleetSnapshot&) = delete;

    // Copies and opens path. With upgrade, a copy of an older schema is upgraded without the question
    // (the question is about the file, which stays as it is); a newer one fails with 1871. False after
    // the program's message (1640, 1801, 1603, a busy file's text) or, for a copy that cannot be made,
    // with why set.
    bool Open(const QString& path, const CFleetSettings& settings, CCliAnswerer& answerer, bool upgrade,
              QString& why);

    QSqlDatabase Database() const;
    // The private copy itself, and closing the tool's connection to it so another (a document) can
    // hold it.
    QString CopyPath() const { return m_copy; }
    void Close();
    bool WasStored() const { return m_stored; }
    bool HasUnitTable() const { return m_hasUnitTable; }
    // The file's schema version as it was (0 with HasVersion false when it has none), and this
    // program's (the template's).
    bool HasVersion() const { return m_hasVersion; }
    int FileVersion() const { return m_fileVersion; }
    int CurrentVersion() const { return m_currentVersion; }
    bool IsOlder() const { return !m_hasVersion || m_fileVersion < m_currentVersion; }
    bool IsNewer() const { return m_hasVersion && m_fileVersion > m_currentVersion; }
    // The file says it is current but its tables are not the template's: an upgrade was cut short.
    bool IsUnfinished() const { return m_unfinished; }

    // The template's schema version; -1 when the template cannot be read.
    static int TemplateVersion(const QString& templatePath);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CFleetConnection> m_connection;
    QString m_copy;
    bool m_stored = false;
    bool m_hasUnitTable = false;
    bool m_hasVersion = false;
    bool m_unfinished = false;
    int m_fileVersion = 0;
    int m_currentVersion = 0;
};
