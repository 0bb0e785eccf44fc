#include "CVelmoraDoc.h"

#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CFleetUpgrade.h"
#include "CSafeFile.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "IFleetView.h"
#include "IVelmoraQuestion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

// A message text with the one insert its "%1" takes.
QString Format(int id, const QString& insert)
{
    const QString text = CVelmoraWrap::LoadString(id);
    return text.contains(QLatin1String("%1")) ? text.arg(insert) : text;
}

CVelmoraError CopyFailed(const QString& path)
{
    return CVelmoraError::Text(Format(FleetMsg::FileCopyFailed, path));
}

bool SameFile(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

CVelmoraDoc::CVelmoraDoc(CFleetContext& context, QObject* parent) : QObject(parent), m_context(context) {}

CVelmoraDoc::~CVelmoraDoc()
{
    m_connection.reset();
    ReleaseBackup();
}

QSqlDatabase CVelmoraDoc::Database() const
{
    return m_connection ? m_connection->Database() : QSqlDatabase();
}

bool CVelmoraDoc::IsOpen() const
{
    return m_connection && m_connection->IsOpen();
}

void CVelmoraDoc::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void CVelmoraDoc::SetTitle(const QString& title)
{
    m_title = title;
    Q_EMIT titleChanged(title);
}

void CVelmoraDoc::SetPathName(const QString& path, bool addToRecentFiles)
{
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
    Q_EMIT pathNameChanged(path, addToRecentFiles);
}

void CVelmoraDoc::AddView(IFleetView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CVelmoraDoc::RemoveView(IFleetView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

bool CVelmoraDoc::AnyViewEditing() const
{
    return std::any_of(m_views.begin(), m_views.end(),
                       [](const IFleetView* v) { return v->IsEditingCell(); });
}

void CVelmoraDoc::RefreshUnitsViews()
{
    for (IFleetView* view : m_views)
        view->RefreshUnits();
    Q_EMIT unitsRefreshed();
}

QString CVelmoraDoc::BackupPathFor(const QString& path)
{
    // Only the name is lower-cased: the folder is the file's, whatever its case.
    const QFileInfo info(path);
    QString name = info.fileName().toLower();
    const int vlf = name.indexOf(QLatin1String(".vlf"));
    if (vlf >= 0)
        name.truncate(vlf);
    return info.absolutePath() + QLatin1Char('/') + name + QStringLiteral(".tem");
}

CVelmoraError CVelmoraDoc::HoldForChange(const QString& path, CFleetLock& lock)
{
    if (const CVelmoraError error = lock.Lock(path))
        return error;
    const QString backup = BackupPathFor(path);
    if (lock.IsFirstHold() && CSafeFile::Exists(backup) && !CSafeFile::SameContent(path, backup)) {
        lock.Unlock();
        return CVelmoraError::Message(FleetMsg::CrashedSessionUndecided, {QDir::toNativeSeparators(path)});
    }
    return CVelmoraError();
}

bool CVelmoraDoc::ClaimBackup(const QString& path)
{
    ReleaseBackup();
    if (!m_context.ClaimBackup(path, this))
        return false;
    m_backupPath = path;
    return true;
}

void CVelmoraDoc::ReleaseBackup()
{
    if (!m_backupPath.isEmpty())
        m_context.ReleaseBackup(m_backupPath, this);
}

CVelmoraError CVelmoraDoc::OpenDatabase(const QString& path)
{
    m_connection = std::make_unique<CFleetConnection>();
    QSqlError error;
    if (m_connection->Open(path, CFleetConnection::Mode::Exclusive)) {
        QSqlQuery test(m_connection->Database());
        if (test.exec(QStringLiteral("SELECT * FROM unit_details LIMIT 1")))
            return CVelmoraError();
        error = test.lastError();
    } else {
        error = m_connection->LastError();
    }
    m_connection.reset();
    return CFleetConnection::Error(error);
}

void CVelmoraDoc::CloseDatabase()
{
    for (IFleetView* view : m_views)
        view->ReleaseDatabase();
    m_connection.reset();
}

void CVelmoraDoc::ReopenWorkingCopy(CFleetErrors& errors)
{
    if (m_workingPath.isEmpty())
        return;
    const CVelmoraError error = OpenDatabase(m_workingPath);
    if (error) {
        errors << error;
        return;
    }
    for (IFleetView* view : m_views)
        view->AttachDatabase(Database());
    Q_EMIT databaseReopened();
}

bool CVelmoraDoc::OnNewDocument(CFleetErrors& errors)
{
    const CFleetSettings& settings = m_context.Settings();
    // A name whose files are there already belongs to another running program or to one that stopped
    // with a new fleet open: those files are left alone and the next number taken.
    QString working;
    CFleetLock lock;
    for (int tries = 0; tries < 1000; ++tries) {
        working = QStringLiteral("%1/%2%3").arg(settings.programFolder, settings.documentName,
                                                QString::number(m_context.TakeNewDocumentNumber()));
        if (CSafeFile::Exists(working) || CSafeFile::Exists(working + QStringLiteral(".tem")))
            continue;
        if (!lock.Lock(working) && !CSafeFile::Exists(working))
            break;
        lock.Unlock();
    }
    const QString backup = working + QStringLiteral(".tem");
    SetTitle(working);
    QString failed;
    if (!lock.IsLocked() || !CSafeFile::Copy(settings.templatePath, working))
        failed = working;
    else if (!ClaimBackup(backup) || !CSafeFile::Copy(settings.templatePath, backup))
        failed = backup;
    if (!failed.isEmpty()) {
        errors << CopyFailed(failed);
        QFile::remove(working);
        ReleaseBackup();
        m_backupPath.clear();
        return false;
    }
    m_workingPath = working;
    SetPathName(working, false);
    if (const CVelmoraError error = OpenDatabase(working)) {
        errors << error;
        QFile::remove(working);
        QFile::remove(backup);
        m_workingPath.clear();
        ReleaseBackup();
        m_backupPath.clear();
        return false;
    }
    m_lock = std::move(lock);
    m_untitled = true;
    m_deleteOnClose = true;
    m_context.DocumentOpened();
    m_counted = true;
    m_context.ShowFleetListBarIfOpen();
    return true;
}

bool CVelmoraDoc::OnOpenDocument(const QString& path, CFleetErrors& errors)
{
    if (!m_counted) {
        m_context.DocumentOpened();
        m_counted = true;
    }
    if (!path.toLower().contains(QLatin1String(".vlf"))) {
        errors << CVelmoraError::Message(FleetMsg::CannotReadFleet);
        return false;
    }
    // What the user may not do with the file is said before anything else is tried on it.
    if (const CVelmoraError error = CFleetFile::CheckWritable(path)) {
        errors << error;
        return false;
    }
    // From here until the document closes no other program changes the fleet.
    CFleetLock lock;
    if (const CVelmoraError error = lock.Lock(path)) {
        errors << error;
        return false;
    }
    if (const CVelmoraError error = CFleetFile::CheckReadable(path)) {
        errors << error;
        return false;
    }
    const QString backup = BackupPathFor(path);
    bool keptChanges = false;
    // With the fleet held, a backup no document of this program serves is one a stopped session left
    // (a reopen after a save finds the backup it just wrote).
    if (!m_reopening && !m_context.BackupClaimed(backup) && CSafeFile::Exists(backup)) {
        if (const CVelmoraError error = RecoverCrashedSession(path, backup, keptChanges)) {
            errors << error;
            return false;
        }
    }
    if (!ClaimBackup(backup) || (!keptChanges && !CSafeFile::Copy(path, backup))) {
        errors << CopyFailed(backup);
        return false;
    }
    if (!CFleetUpgrade::OpenAndUpgrade(path, m_context.Settings(), errors))
        return false;
    if (const CVelmoraError error = OpenDatabase(path)) {
        errors << error;
        return false;
    }
    m_lock = std::move(lock);
    if (keptChanges)
        SetModifiedFlag(true);
    m_workingPath = path;
    SetPathName(path, true);
    m_context.ShowFleetListBarIfOpen();
    return true;
}

bool CVelmoraDoc::OnSaveDocument(const QString& newPath, CFleetErrors& errors)
{
    // The document reopens at the new name, which only a fleet file name passes.
    if (!newPath.toLower().contains(QLatin1String(".vlf"))) {
        errors << CVelmoraError::Message(FleetMsg::CannotReadFleet);
        return false;
    }
    const QFileInfo target(newPath);
    if (target.exists() && !target.isWritable()) {
        errors << CopyFailed(newPath);
        return false;
    }
    const bool otherFile = newPath != m_workingPath;
    CFleetLock targetLock;
    if (otherFile) {
        if (const CVelmoraError error = targetLock.Lock(newPath)) {
            errors << error;
            return false;
        }
    }
    if (otherFile && target.exists()) {
        // Another document (or program) holding that fleet open would lose it under our copy.
        QFile probe(newPath);
        if (!probe.open(QIODevice::ReadWrite) ||
            CFleetFile::ProbeDatabase(newPath) == CFleetFile::Probe::Busy) {
            errors << CopyFailed(newPath);
            return false;
        }
    }
    if (AnyViewEditing()) {
        errors << CVelmoraError::Message(FleetMsg::CellBeingEdited);
        return false;
    }
    CloseDatabase();

    if (otherFile) {
        if (!CSafeFile::Copy(m_workingPath, newPath)) {
            errors << CopyFailed(newPath);
            ReopenWorkingCopy(errors);
            return false;
        }
        // The file that was open goes back to its last saved state.
        if (!CSafeFile::Copy(m_backupPath, m_workingPath)) {
            errors << CopyFailed(m_workingPath);
            ReopenWorkingCopy(errors);
            return false;
        }
        QFile::remove(m_backupPath);
        ReleaseBackup();
        m_backupPath.clear();
        if (m_untitled)
            QFile::remove(m_workingPath);
    } else if (!CSafeFile::Copy(m_workingPath, m_backupPath)) {
        errors << CopyFailed(m_backupPath);
        ReopenWorkingCopy(errors);
        return false;
    }

    // Reopen at the saved path: a fresh backup, the version check, the exclusive open.
    m_workingPath.clear();
    m_reopening = true;
    const bool reopened = OnOpenDocument(newPath, errors);
    m_reopening = false;
    for (IFleetView* view : m_views)
        view->AttachDatabase(Database());
    Q_EMIT databaseReopened();
    if (!reopened)
        return false;
    SetModifiedFlag(false);
    m_deleteOnClose = false;
    return true;
}

bool CVelmoraDoc::DoFileSave(CFleetErrors& errors)
{
    if (m_untitled)
        return DoFileSaveAs(errors);
    return OnSaveDocument(m_pathName, errors);
}

bool CVelmoraDoc::DoFileSaveAs(CFleetErrors& errors)
{
    const QString path = m_saveAsPrompt ? m_saveAsPrompt(*this) : QString();
    if (path.isEmpty())
        return false;
    const QString previous = m_workingPath;
    if (!OnSaveDocument(path, errors))
        return false;
    m_untitled = false;
    if (!previous.isEmpty() && !SameFile(previous, m_workingPath))
        CFleetFile::StoreFleetFile(previous);
    return true;
}

bool CVelmoraDoc::CanCloseFrame(IFleetView* activeView)
{
    return !activeView || activeView->CanCloseView();
}

bool CVelmoraDoc::SaveModified(CFleetErrors& errors)
{
    m_lastAnswer = IDCANCEL;
    for (IFleetView* view : m_views) {
        if (!view->CanCloseView()) {
            view->ActivateView();
            return false;
        }
    }
    if (!m_modified)
        return true;
    switch (IVelmoraQuestion::Shared().Ask(
        CVelmoraError::Text(Format(FleetMsg::SaveChanges, m_title), VMT_YESNOCANCEL))) {
    case IDYES:
        m_lastAnswer = IDYES;
        return m_untitled ? DoFileSaveAs(errors) : DoFileSave(errors);
    case IDNO:
        m_lastAnswer = IDNO;
        CloseDatabase();
        if (!CSafeFile::Copy(m_backupPath, m_workingPath))
            errors << CopyFailed(m_workingPath);
        return true;
    default:
        return false;
    }
}

void CVelmoraDoc::OnCloseDocument()
{
    CloseDatabase();
    if (!m_workingPath.isEmpty())
        CFleetFile::StoreFleetFile(m_workingPath);
    if (m_deleteOnClose && !m_workingPath.isEmpty())
        QFile::remove(m_workingPath);
    if (!m_backupPath.isEmpty())
        QFile::remove(m_backupPath);
    LetGo();
}

void CVelmoraDoc::LetGo()
{
    if (!m_backupPath.isEmpty()) {
        ReleaseBackup();
        m_backupPath.clear();
    }
    m_workingPath.clear();
    m_lock.Unlock();
    if (m_counted) {
        m_counted = false;
        m_context.DocumentClosed();
    }
}

void CVelmoraDoc::OnAbandonDocument()
{
    if (!m_modified || m_untitled || m_workingPath.isEmpty() || m_backupPath.isEmpty()) {
        OnCloseDocument();
        return;
    }
    // The changes stay in the fleet file and the last saved state in the backup, as after a crash:
    // the next open of the fleet asks which of the two to keep.
    CloseDatabase();
    LetGo();
}

CVelmoraError CVelmoraDoc::RecoverCrashedSession(const QString& path, const QString& backup,
                                                 bool& keptChanges)
{
    keptChanges = false;
    // A backup that holds what the fleet holds has nothing to tell.
    if (CSafeFile::SameContent(path, backup))
        return CVelmoraError();
    const QString fleet = QFileInfo(path).fileName();
    switch (IVelmoraQuestion::Shared().Ask(CVelmoraError::Message(
        FleetMsg::CrashedSession, {fleet, QFileInfo(backup).fileName()}, VMT_YESNOCANCEL))) {
    case IDYES:
        keptChanges = true;
        return CVelmoraError();
    case IDNO: {
        QString why;
        if (!CSafeFile::Copy(backup, path, &why))
            return CopyFailed(path);
        return CVelmoraError();
    }
    default:
        return CVelmoraError::Cancelled();
    }
}
