#include "CPIMDoc.h"

#include "CPimStore.h"
#include "CVelmoraWrap.h"
#include "PimDocMessageIds.h"
#include "VelmoraConduit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace {

CPIMDoc* s_openDocument = nullptr;

const QString kLastPimFile = QStringLiteral("Last PIM File");

CVelmoraError CopyFailed(const QString& path)
{
    return CVelmoraError::Message(PimDocMsg::FileCopyFailed, {QDir::toNativeSeparators(path)});
}

// Copies source to target through a temporary file beside the target, so the target is either the
// whole copy or what it was before.
bool CopyWhole(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QFileInfo info(target);
    QTemporaryFile out(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                       QStringLiteral(".XXXXXX"));
    if (!out.open())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 read = in.read(buffer, sizeof buffer);
        if (read < 0)
            return false;
        if (read == 0)
            break;
        if (out.write(buffer, read) != read)
            return false;
    }
    if (!out.flush())
        return false;
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray from = QFile::encodeName(out.fileName());
    const QByteArray to = QFile::encodeName(info.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0)
        return false;
    out.setAutoRemove(false);
    return true;
}

void CloseConduit()
{
    ClosePhoneBookRecordset();
    CloseDateBookRecordset();
    CloseDatabase();
    VelmoraPim::SetPimDatabaseOpen(false);
}

} // namespace

CPIMDoc::CPIMDoc(const QString& programFolder, const QString& typeName, QObject* parent)
    : QObject(parent), m_programFolder(programFolder), m_typeName(typeName)
{
}

CPIMDoc::~CPIMDoc()
{
    OnCloseDocument();
}

QString CPIMDoc::DefaultTypeName()
{
    return QStringLiteral("VelmoraPIM");
}

QString CPIMDoc::TemplateName()
{
    return QStringLiteral("VelmoraPIM.vdf");
}

QString CPIMDoc::NewFileName(const QString& folder, const QString& typeName)
{
    for (int counter = 1;; ++counter) {
        const QString path = QStringLiteral("%1/%2%3.pim").arg(folder, typeName).arg(counter);
        if (!QFileInfo::exists(path))
            return path;
    }
}

CPIMDoc* CPIMDoc::OpenDocument()
{
    return s_openDocument;
}

bool CPIMDoc::SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

CVelmoraError CPIMDoc::OnNewDocument()
{
    const QString path = NewFileName(m_programFolder, m_typeName);
    const QString templatePath = QDir(m_programFolder).filePath(TemplateName());
    // The copy is made before anything is closed: a failed copy leaves the open document as it was.
    // A program folder without the template (made by an older version) gets an empty PIM file.
    const bool made = QFileInfo(templatePath).isFile() ? CopyWhole(templatePath, path)
                                                       : !CPimStore::CreateEmpty(path).IsError();
    if (!made)
        return CopyFailed(path);
    const CVelmoraError error = OpenFile(path);
    if (error)
        QFile::remove(path); // our own copy, which nobody has seen
    return error;
}

CVelmoraError CPIMDoc::OnOpenDocument(const QString& path)
{
    if (!path.toLower().contains(QLatin1String(".pim")))
        return CVelmoraError::Message(PimDocMsg::NotPimFile);
    if (!QFileInfo(path).isFile())
        return CVelmoraError::Message(PimDocMsg::FileMissing);
    return OpenFile(QFileInfo(path).absoluteFilePath());
}

CVelmoraError CPIMDoc::OpenFile(const QString& path)
{
    // A file that is no PIM database is refused before the open document lets go of its own.
    if (!CPimStore::IsPimDatabase(path))
        return CVelmoraError::Message(PimDocMsg::NotPimFile);
    // One database for the process: whoever holds it lets go first.
    const QString previous = m_open ? m_path : QString();
    if (s_openDocument && s_openDocument != this)
        s_openDocument->OnCloseDocument();
    if (m_open) {
        CloseConduit();
        m_open = false;
    }
    if (!OpenDatabase(path) || !OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) ||
        !OpenDateBookRecordset()) {
        CloseConduit();
        // This document goes on with the file it had.
        if (!previous.isEmpty() && OpenDatabase(previous) &&
            OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) && OpenDateBookRecordset()) {
            m_open = true;
            s_openDocument = this;
            VelmoraPim::SetCurrentPimFile(previous);
            VelmoraPim::SetPimDatabaseOpen(true);
        } else {
            CloseConduit();
            if (!previous.isEmpty()) {
                s_openDocument = nullptr;
                Q_EMIT closed();
            }
        }
        return CVelmoraError::Message(PimDocMsg::NotPimFile);
    }
    m_open = true;
    m_path = path;
    s_openDocument = this;
    VelmoraPim::SetCurrentPimFile(path);
    VelmoraPim::SetPimDatabaseOpen(true);
    CVelmoraWrap::SetRegistryValue(kLastPimFile, path);
    Q_EMIT fileOpened(path);
    return CVelmoraError();
}

CVelmoraError CPIMDoc::OnSaveDocumentAs(const QString& path)
{
    if (path.isEmpty() || SameFile(path, m_path))
        return CVelmoraError();
    if (!path.toLower().contains(QLatin1String(".pim")))
        return CVelmoraError::Message(PimDocMsg::NotPimFile);
    const QString current = m_path;
    // The database lets go of the file so the copy is what is on disk, whole.
    if (m_open)
        CloseConduit();
    m_open = false;
    if (s_openDocument == this)
        s_openDocument = nullptr;
    CVelmoraError error = CopyFailed(path);
    if (CopyWhole(current, path)) {
        error = OpenFile(QFileInfo(path).absoluteFilePath());
        if (!error)
            return error;
    }
    // The document goes on with the file it had.
    const CVelmoraError reopened = OpenFile(current);
    if (reopened) {
        Q_EMIT closed();
        return reopened;
    }
    return error;
}

void CPIMDoc::OnCloseDocument()
{
    if (!m_open)
        return;
    CloseConduit();
    m_open = false;
    if (s_openDocument == this)
        s_openDocument = nullptr;
    Q_EMIT closed();
}
