#pragma once

#include "CFleetConnection.h"
#include "CFleetErrors.h"
#include "CFleetLock.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class CFleetContext;
class IFleetView;

// One open fleet. Edits go straight into the working copy, an SQLite file the document holds open
// exclusively (and holds the fleet's lock for); the ".tem" backup beside it holds the last saved state.
// Saving copies the working copy over the backup (or to the new name), discarding copies the backup back,
// closing stores the file compacted and compressed. New fleets start from the template in the program folder.
class CVelmoraDoc : public QObject
{
    Q_OBJECT
public:
    explicit CVelmoraDoc(CFleetContext& context, QObject* parent = nullptr);
    // Closes the database if the document was not closed; leaves the files as they are.
    ~CVelmoraDoc() override;

    // The document's file operations add what the user is to be told to errors, in order; the caller
    // (the document manager, a tool) shows it. Questions (upgrade, save changes) are asked on the way.

    // New fleet from the template: "<program folder>/<document name><n>" and its ".tem" backup.
    bool OnNewDocument(CFleetErrors& errors);
    // Opens a ".vlf" file: expands a stored one, backs it up as "<name>.tem", upgrades an older one and
    // opens it exclusively. After a failed open the caller still closes the document.
    bool OnOpenDocument(const QString& path, CFleetErrors& errors);
    // Saves to newPath (the working path, or another name) and reopens the document there.
    bool OnSaveDocument(const QString& newPath, CFleetErrors& errors);
    // Stores the working copy, removes a new fleet's temporary and the backup.
    void OnCloseDocument();
    // The program ends without a chance to ask (a signal, the session ending): a fleet without unsaved
    // changes closes as always; a changed one keeps its changes in the fleet file and its last saved
    // state in the backup, and the next open asks which to keep.
    void OnAbandonDocument();
    // Asked before the document closes: views may refuse; a modified document asks question 1629.
    bool SaveModified(CFleetErrors& errors);
    // Whether the frame whose active view this is may close.
    bool CanCloseFrame(IFleetView* activeView);

    // File Save: the current path, or Save As for a fleet that has no name yet.
    bool DoFileSave(CFleetErrors& errors);
    // File Save As: asks for a name, saves there, and stores the file the document had open before.
    bool DoFileSaveAs(CFleetErrors& errors);
    // Where Save As gets the new name from (the file dialog in the program); an empty answer cancels.
    using SaveAsPrompt = std::function<QString(const CVelmoraDoc& document)>;
    void SetSaveAsPrompt(SaveAsPrompt prompt) { m_saveAsPrompt = std::move(prompt); }

    QSqlDatabase Database() const;
    bool IsOpen() const;
    CFleetContext& Context() const { return m_context; }

    QString WorkingPath() const { return m_workingPath; }
    QString BackupPath() const { return m_backupPath; }
    QString PathName() const { return m_pathName; }
    QString Title() const { return m_title; }
    bool IsUntitled() const { return m_untitled; }
    bool IsDeleteOnClose() const { return m_deleteOnClose; }
    // The last answer to the save question: IDCANCEL (also before any), IDYES or IDNO.
    int LastAnswer() const { return m_lastAnswer; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    // Units or lists changed since the talkgroup manager last rebuilt its index.
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed = true) { m_changed = changed; }

    void AddView(IFleetView* view);
    void RemoveView(IFleetView* view);
    const std::vector<IFleetView*>& Views() const { return m_views; }
    // True while a view's grid edits a cell.
    bool AnyViewEditing() const;
    void RefreshUnitsViews();

    // Backup name of an opened file: its name lower-cased up to ".vlf", then ".tem", in its folder.
    static QString BackupPathFor(const QString& path);
    // Takes the lock of a fleet that is changed without being opened as a document (an append's source,
    // the fleet a phone is read into). A fleet that a stopped program left with changes after its last
    // save is refused: opening it as a document settles which state to keep.
    static CVelmoraError HoldForChange(const QString& path, CFleetLock& lock);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    // The path the document lives at now; addToRecentFiles is false for a new fleet's temporary.
    void pathNameChanged(const QString& path, bool addToRecentFiles);
    // The database was closed and opened again (after a save); views have been reattached.
    void databaseReopened();
    void unitsRefreshed();

private:
    CVelmoraError OpenDatabase(const QString& path);
    void CloseDatabase();
    void SetPathName(const QString& path, bool addToRecentFiles);
    void SetTitle(const QString& title);
    // After a failed save: the working copy opens again so the document stays usable.
    void ReopenWorkingCopy(CFleetErrors& errors);
    // The backup of a session that ended without closing the fleet: asks whether to keep the changes
    // made after the last save (keptChanges) or to go back to the backup. Cancelled leaves both files.
    CVelmoraError RecoverCrashedSession(const QString& path, const QString& backup, bool& keptChanges);
    // The end of every close: the backup claim, the paths, the lock and the document count go.
    void LetGo();
    bool ClaimBackup(const QString& path);
    void ReleaseBackup();

    CFleetContext& m_context;
    std::unique_ptr<CFleetConnection> m_connection;
    CFleetLock m_lock; // held from open to close
    std::vector<IFleetView*> m_views;
    SaveAsPrompt m_saveAsPrompt;
    QString m_workingPath;
    QString m_backupPath;
    QString m_pathName;
    QString m_title;
    bool m_untitled = false;
    bool m_deleteOnClose = false;
    bool m_modified = false;
    bool m_changed = false;
    bool m_counted = false;   // this document counts among the open fleet documents
    bool m_reopening = false; // the open after a save: the backup beside the file is the save's
    int m_lastAnswer = 2;
};
