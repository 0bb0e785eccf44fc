#include "CPimDocManager.h"

#include "CPIMChildFrame.h"
#include "CPIMDoc.h"
#include "CPhoneCenterView.h"
#include "CPimSync.h"
#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"
#include "IFrameServices.h"
#include "PimDocMessageIds.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>

namespace {

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// Save As makes a PIM file, which is only opened with its extension.
QString WithPimExtension(const QString& path)
{
    if (path.isEmpty() || path.toLower().contains(QLatin1String(".pim")))
        return path;
    return path + QStringLiteral(".pim");
}

} // namespace

CPimDocManager::CPimDocManager(IFrameServices& services, const QString& programFolder, QObject* parent)
    : QObject(parent), m_services(services), m_programFolder(programFolder)
{
    if (QWidget* window = services.MainWindow())
        window->installEventFilter(this);
}

bool CPimDocManager::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_services.MainWindow() && m_frame) {
        m_frame->View()->FinishPendingWork();
        CPIMChildFrame::StoreMaximizeSetting(m_frame->isMaximized());
    }
    return QObject::eventFilter(watched, event);
}

CPimDocManager::~CPimDocManager()
{
    if (m_doc)
        m_doc->disconnect(this);
    if (m_frame)
        m_frame->disconnect(this);
    delete m_doc.data();
}

QString CPimDocManager::LastPimFile()
{
    QString path;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Last PIM File"), path);
    return path;
}

bool CPimDocManager::Show(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
    return !error.Stops();
}

void CPimDocManager::CheckSyncOnce()
{
    if (m_syncChecked)
        return;
    m_syncChecked = true;
    CVelmoraWrap::ShowError(CPimSync::CheckInstalled());
}

bool CPimDocManager::NewDocument()
{
    CheckSyncOnce();
    // Card edits of the file open now are stored before it closes.
    if (m_frame)
        m_frame->View()->FinishPendingWork();
    auto* document = new CPIMDoc(m_programFolder, CPIMDoc::DefaultTypeName(), this);
    const CVelmoraError error = document->OnNewDocument();
    if (error) {
        delete document;
        return Show(error);
    }
    Adopt(document);
    return true;
}

bool CPimDocManager::OpenDocument(const QString& path)
{
    if (path.isEmpty())
        return false;
    CheckSyncOnce();
    if (m_doc && m_doc->IsOpen() && SameFile(m_doc->PathName(), path)) {
        m_frame->Activate();
        return true;
    }
    if (m_frame)
        m_frame->View()->FinishPendingWork();
    auto* document = new CPIMDoc(m_programFolder, CPIMDoc::DefaultTypeName(), this);
    const CVelmoraError error = document->OnOpenDocument(path);
    if (error) {
        delete document;
        // A file that is gone leaves the recent-file list too.
        if (error.Id() == PimDocMsg::FileMissing)
            m_services.RemoveRecentFile(path);
        return Show(error);
    }
    Adopt(document);
    return true;
}

void CPimDocManager::Adopt(CPIMDoc* document)
{
    // The document before has let go of the database; its window goes with it.
    if (m_doc && m_doc != document)
        OnDocumentClosed(m_doc);
    m_doc = document;
    m_services.AddRecentFile(document->PathName());
    connect(document, &CPIMDoc::fileOpened, this,
            [this](const QString& path) { m_services.AddRecentFile(path); });
    connect(document, &CPIMDoc::closed, this, [this, document]() { OnDocumentClosed(document); });
    m_frame = new CPIMChildFrame(*document);
    connect(m_frame, &CPIMChildFrame::closeRequested, this, [this]() { CloseDocument(); });
    m_services.AddWindow(m_frame);
    m_frame->Activate();
    m_services.UpdateCommands();
}

void CPimDocManager::OnDocumentClosed(CPIMDoc* document)
{
    if (document != m_doc)
        return;
    document->disconnect(this);
    if (m_frame) {
        m_frame->disconnect(this);
        m_frame->Dispose();
    }
    m_frame.clear();
    m_doc.clear();
    document->deleteLater();
    m_services.UpdateCommands();
}

bool CPimDocManager::PromptAndOpen()
{
    const QString path = AskPath(false, StartFolder());
    return !path.isEmpty() && OpenDocument(path);
}

bool CPimDocManager::SaveAs()
{
    if (!m_doc)
        return false;
    const QString path = WithPimExtension(AskPath(true, m_doc->PathName()));
    return !path.isEmpty() && SaveAs(path);
}

bool CPimDocManager::SaveAs(const QString& path)
{
    if (!m_doc)
        return false;
    if (m_frame && !m_frame->View()->FinishPendingWork())
        return false;
    return Show(m_doc->OnSaveDocumentAs(path));
}

void CPimDocManager::CloseDocument()
{
    if (!m_doc)
        return;
    if (m_frame)
        m_frame->View()->FinishPendingWork();
    CPIMDoc* document = m_doc;
    if (document->IsOpen())
        document->OnCloseDocument(); // its closed() takes the window away
    else
        OnDocumentClosed(document);
}

bool CPimDocManager::ShowPim()
{
    if (m_frame) {
        m_frame->Activate();
        return true;
    }
    const QString last = LastPimFile();
    if (!last.isEmpty() && QFileInfo(last).isFile())
        return OpenDocument(last);
    return NewDocument();
}

QString CPimDocManager::StartFolder() const
{
    const QString last = m_doc ? m_doc->PathName() : LastPimFile();
    if (!last.isEmpty() && QFileInfo(last).dir().exists())
        return QFileInfo(last).absolutePath();
    return m_programFolder.isEmpty() ? QDir::homePath() : m_programFolder;
}

QString CPimDocManager::AskPath(bool save, const QString& suggested)
{
    if (m_prompt)
        return m_prompt(save, suggested);
    QFileDialog dialog(m_services.MainWindow(),
                       CVelmoraWrap::LoadString(save ? PimDocText::SaveAsCaption : PimDocText::OpenCaption),
                       suggested, CVelmoraWrap::LoadString(FrameText::FilterPim));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pim"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}
