#pragma once

#include "CFleetConnection.h"
#include "CFleetErrors.h"
#include "CFleetLock.h"

#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CVelmoraDoc;
class IAppendQuestion;
struct CFleetSettings;

// The unit copy engine: copies whole units, with every per-unit list, from a source fleet database into
// a destination one, asking before it replaces a unit whose IMEI already exists. One object serves one
// operation: appending a fleet file, saving a unit read from a phone, dragging units between fleets,
// or rebuilding a file from the template during an upgrade.
//
// The copy runs in SQL inside one transaction of the destination. The source is read through an
// attached copy of its file; when its file is held by another connection (an open fleet document), the
// rows of the units being copied are first brought over through the source's own connection.
class CAppendFile
{
public:
    // For the open fleet: the destination is the document's database; the source comes from
    // OpenSourceFile or LendPhoneReadSource.
    explicit CAppendFile(CVelmoraDoc& destination, IAppendQuestion* question = nullptr);
    // For two databases that the engine does not own (drag, rebuild).
    CAppendFile(const QSqlDatabase& destination, const QSqlDatabase& source,
                IAppendQuestion* question = nullptr);
    ~CAppendFile();
    CAppendFile(const CAppendFile&) = delete;
    CAppendFile& operator=(const CAppendFile&) = delete;

    // The documents to mark modified and refresh (drag: both sides; the source only when moving).
    void SetDocuments(CVelmoraDoc* destination, CVelmoraDoc* source);
    void SetQuestion(IAppendQuestion* question) { m_question = question; }

    // Checks and prepares the file (exists, expands, upgrades) and opens it as the source. On failure
    // the check's own message is followed by 1603 in Errors().
    bool OpenSourceFile(const QString& path, const CFleetSettings& settings);
    // The phone-read scratch database becomes the source; its rows must be stored (Update done).
    bool LendPhoneReadSource(const QSqlDatabase& scratch);
    // Both databases are set: nothing more to prepare. Kept so the callers read as the steps they are.
    bool OpenTablePairs();

    // Every unit of the source, asking for each one that exists (overwrite / all / skip / skip all).
    void CopyAllUnits();
    // The first unit of the source; an existing unit is replaced only when question 1604 is answered
    // yes. True when the unit was copied with every one of its lists.
    bool CopyOnePhoneUnit();
    // The listed units of the source, asking as CopyAllUnits; with move, each copied unit is then
    // deleted from the source.
    void CopyListedUnits(const QStringList& imeis, bool move);
    // Appends the source's talkgroup index to the destination's (after emptying it unless keepExisting).
    void MergeTalkgroupHeaders(bool keepExisting);
    // Closes the source file the engine opened and stores it back in its stored form.
    void ReleaseSourceFile(const QString& path);
    // Asks the units views of the destination (and of the source, when set) to reload.
    void RefreshViews();

    bool OverwriteAllSet() const { return m_overwriteAll; }
    bool SkipAllSet() const { return m_skipAll; }
    // True once any step of this engine met an error (a table that failed to copy, a source that
    // could not be read): the operation did not carry everything over.
    bool HadErrors() const { return m_failed; }
    // What the user is to be told of the steps so far, in order (the caller shows it).
    const CFleetErrors& Errors() const { return m_errors; }
    // IMEIs the last copy operation copied (new or over), in source order.
    QStringList CopiedImeis() const { return m_copied; }

    // The tables the engine copies: the schema's per-unit tables (personalisation tables are picked
    // per unit by model type), talk_grp_header last.
    static QStringList PairTables();

    // The main frame's append command once a file is chosen: refuses while a units grid edits a cell
    // (1676), ignores the document's own file, copies every unit with questions, merges the talkgroup
    // index and stores the file back. False when nothing was appended, or when a table failed to copy
    // (the units copied so far stay; the file appended from is kept whole). What the user is to be
    // told goes to errors, in order.
    static bool AppendFleetFile(CVelmoraDoc& document, const QString& path, IAppendQuestion* question,
                                CFleetErrors& errors);
    // A drop of units from one fleet's grid on another's; returns what the user is to be told.
    static CFleetErrors DragUnits(CVelmoraDoc& target, CVelmoraDoc& source, const QStringList& imeis,
                                  bool move, IAppendQuestion* question);
    // Copies the template beside path (".tmp"), copies every unit of from (path itself when empty)
    // into it, carries the fleet's talkgroup, user and SMS tables, and renames it over path. Until
    // that one rename path is as it was.
    static bool RebuildFromTemplate(const QString& path, const QString& templatePath, CFleetErrors& errors,
                                    const QString& from = QString());
    // The rebuild's temporary beside path.
    static QString RebuildTempPath(const QString& path);

private:
    struct Decision
    {
        QString imei;
        qint64 sourceRow = 0;
        int modelType = 0;
        bool over = false;
    };
    enum class Selection
    {
        All,
        Listed,
        First
    };

    bool Begin();
    void End();
    QString Src(const QString& table) const;
    QStringList SourceColumns(const QString& table) const;
    QStringList DestinationColumns(const QString& table) const;
    bool Mirror(const QString& table, const QStringList* imeis, QString* error);
    bool MirrorUnitDetails(Selection selection, const QStringList& imeis, QString* error);
    bool Decide(Selection selection, std::vector<Decision>& decisions);
    int Ask(const QString& imei);
    bool RunCopy(Selection selection, const QStringList& imeis);
    void CopyDecided(const std::vector<Decision>& decisions);
    void CopyUnitDetails(bool anyOver);
    void CopyListTable(const QString& table, const QString& modelFilter, bool anyOver);
    void CarryFleetTables();
    void MarkModified();
    void Report(const QSqlError& error);
    void ReportText(const QString& error);
    void ReportMissingTable();
    void Fail(const CVelmoraError& error);

    CVelmoraDoc* m_destinationDoc = nullptr;
    CVelmoraDoc* m_sourceDoc = nullptr;
    QSqlDatabase m_destination;
    QSqlDatabase m_source;
    std::unique_ptr<CFleetConnection> m_ownedSource; // set by OpenSourceFile
    CFleetLock m_sourceLock;                         // held from OpenSourceFile to ReleaseSourceFile
    IAppendQuestion* m_question = nullptr;
    bool m_overwriteAll = false;
    bool m_skipAll = false;
    bool m_failed = false;
    bool m_attached = false;         // the source file is attached as velmora_src
    bool m_mirrored = false;         // the source rows are mirrored into temp tables
    bool m_carryFleetTables = false; // rebuild: the fleet's talkgroup, user and SMS tables come along
    QSet<QString> m_failedMirrors;
    CFleetErrors m_errors;
    QStringList m_copied;
};
