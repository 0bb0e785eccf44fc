#include "CFleetSession.h"

#include "CCliSignals.h"
#include "CCliTemp.h"
#include "CCliTexts.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CSafeFile.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CFleetSession::CFleetSession(CFleetContext& context) : m_context(context), m_keep(CCliTemp::FolderTemplate())
{
}

CFleetSession::~CFleetSession()
{
    if (m_active)
        Rollback();
}

bool CFleetSession::Open(const QString& path, QString& why)
{
    m_path = path;
    if (!QFileInfo(path).isFile()) {
        // The document says so in the program's words (1640).
        m_document = std::make_unique<CVelmoraDoc>(m_context);
        CFleetErrors errors;
        CVelmoraWrap::ShowErrors(m_document->OnOpenDocument(path, errors), errors);
        CloseDocument();
        return false;
    }
    // A fleet another program holds is refused before anything is copied or put back over it; from
    // here until the session ends no other program changes it.
    if (const CVelmoraError error = m_lock.Lock(path)) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    CVelmoraError busy;
    if (CFleetFile::ProbeDatabase(path, busy) == CFleetFile::Probe::Busy) {
        CVelmoraWrap::ShowError(busy);
        return false;
    }
    if (!m_keep.isValid()) {
        why = CCliTexts::Text(CliMsg::NoTemporaryFolder, {m_keep.errorString()});
        return false;
    }
    m_original = m_keep.filePath(QStringLiteral("original"));
    if (!QFile::copy(path, m_original)) {
        why = CCliTexts::Text(CliMsg::CannotKeepCopy, {path, m_keep.path()});
        return false;
    }
    // The backup a stopped session left is part of the fleet as it was: a rollback puts it back too.
    m_backup = CVelmoraDoc::BackupPathFor(path);
    m_originalBackup = m_keep.filePath(QStringLiteral("backup"));
    if (!CSafeFile::Exists(m_backup))
        m_originalBackup.clear();
    else if (!QFile::copy(m_backup, m_originalBackup)) {
        why = CCliTexts::Text(CliMsg::CannotKeepCopy, {m_backup, m_keep.path()});
        return false;
    }
    m_active = true;
    m_document = std::make_unique<CVelmoraDoc>(m_context);
    CFleetErrors errors;
    if (!CVelmoraWrap::ShowErrors(m_document->OnOpenDocument(path, errors), errors)) {
        Rollback();
        return false;
    }
    return true;
}

bool CFleetSession::Create(const QString& path, QString& why)
{
    m_path = path;
    if (const CVelmoraError error = m_lock.Lock(path)) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    if (QFileInfo::exists(path)) {
        why = CCliTexts::Text(CliMsg::ExistsAlready, {path});
        return false;
    }
    m_created = true;
    m_active = true;
    m_document = std::make_unique<CVelmoraDoc>(m_context);
    CFleetErrors errors;
    if (!CVelmoraWrap::ShowErrors(m_document->OnNewDocument(errors), errors)) {
        Rollback();
        return false;
    }
    return true;
}

void CFleetSession::CloseDocument()
{
    if (m_document) {
        m_document->OnCloseDocument();
        m_document.reset();
    }
}

bool CFleetSession::Commit()
{
    if (!m_active)
        return false;
    // Asked to stop before the change was made final: it is not kept.
    if (CCliSignals::Pending() != 0) {
        Rollback();
        return false;
    }
    CFleetErrors errors;
    if (m_created && !CVelmoraWrap::ShowErrors(m_document->OnSaveDocument(m_path, errors), errors)) {
        Rollback();
        return false;
    }
    CloseDocument();
    m_active = false;
    m_lock.Unlock();
    return true;
}

void CFleetSession::Rollback()
{
    CloseDocument();
    if (m_active) {
        if (m_created)
            QFile::remove(m_path);
        else if (!m_original.isEmpty())
            CSafeFile::Copy(m_original, m_path);
        if (!m_originalBackup.isEmpty())
            CSafeFile::Copy(m_originalBackup, m_backup);
    }
    m_active = false;
    m_lock.Unlock();
}
