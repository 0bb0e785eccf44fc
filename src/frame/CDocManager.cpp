#include "CDocManager.h"

#include "CAppendDlg.h"
#include "CAppendFile.h"
#include "CChildFrame.h"
#include "CFleetContext.h"
#include "CFleetPlaceholderView.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "FrameMessageIds.h"
#include "IFleetView.h"
#include "IFrameView.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QStandardPaths>

namespace {

// Paths name the same file when their absolute clean forms (or, for existing files, their
// canonical forms) agree.
bool SameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// Save As makes a fleet file, which the program only opens with its extension.
QString WithFleetExtension(const QString& path)
{
    if (path.isEmpty() || path.toLower().contains(QLatin1String(".vlf")))
        return path;
    return path + QStringLiteral(".vlf");
}

} // namespace

CDocManager::CDocManager(QMdiArea& area, const CFrameSettings& settings, QObject* parent)
    : QObject(parent), m_area(area), m_settings(settings),
      m_context(std::make_unique<CFleetContext>(settings.Fleet()))
{
    m_recent.Load();
    m_area.installEventFilter(this);
    connect(&m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // A window the user activates takes over from one still waiting for activation.
        if (window && (window == m_pendingActive || m_area.isEnabled()))
            m_pendingActive.clear();
        Q_EMIT documentStateChanged();
    });
}

CDocManager::~CDocManager()
{
    CloseAllWithoutAsking();
}

void CDocManager::SetViewFactory(int tab, ViewFactory factory)
{
    if (tab < 0 || tab > 1)
        return;
    m_factories[tab] = std::move(factory);
    // Windows that are open already get the view too.
    for (Entry& entry : m_entries) {
        if (!entry.frame)
            continue;
        QWidget* view = m_factories[tab] ? m_factories[tab](*entry.document) : nullptr;
        if (!view)
            view = new CFleetPlaceholderView(*entry.document, tab == CChildFrame::UnitsTab);
        entry.frame->SetView(tab, view);
    }
}

std::unique_ptr<CVelmoraDoc> CDocManager::MakeDocument()
{
    auto document = std::make_unique<CVelmoraDoc>(*m_context);
    document->SetSaveAsPrompt([this](const CVelmoraDoc& doc) { return AskSaveAsPath(doc); });
    // Connected before the document opens: opening names it and puts it on the recent list.
    connect(document.get(), &CVelmoraDoc::pathNameChanged, this,
            [this](const QString& path, bool addToRecentFiles) {
                if (!addToRecentFiles)
                    return;
                m_recent.Add(path);
                Q_EMIT recentFilesChanged();
            });
    return document;
}

CVelmoraDoc* CDocManager::Adopt(std::unique_ptr<CVelmoraDoc> document)
{
    CVelmoraDoc* doc = document.get();
    auto* frame = new CChildFrame(*doc, m_settings.tabFontFamily);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    for (int tab : {int(CChildFrame::UnitsTab), int(CChildFrame::TalkgroupsTab)}) {
        QWidget* view = m_factories[tab] ? m_factories[tab](*doc) : nullptr;
        if (!view)
            view = new CFleetPlaceholderView(*doc, tab == CChildFrame::UnitsTab);
        frame->SetView(tab, view);
    }
    m_area.addSubWindow(frame);
    connect(frame, &CChildFrame::closeRequested, this,
            [this](CChildFrame* closing) { CloseDocument(&closing->Document()); });
    connect(frame, &CChildFrame::activeViewChanged, this, &CDocManager::documentStateChanged);
    connect(doc, &CVelmoraDoc::modifiedChanged, this, &CDocManager::documentStateChanged);
    connect(doc, &CVelmoraDoc::titleChanged, this, &CDocManager::documentStateChanged);
    m_entries.push_back(Entry{std::move(document), frame});
    Activate(doc);
    Q_EMIT documentsChanged();
    return doc;
}

void CDocManager::Discard(std::unique_ptr<CVelmoraDoc> document)
{
    // A document that failed to open still closes, which gives back its counter and backup.
    document->OnCloseDocument();
}

CVelmoraDoc* CDocManager::NewFleet()
{
    auto document = MakeDocument();
    CFleetErrors errors;
    if (!CVelmoraWrap::ShowErrors(document->OnNewDocument(errors), errors)) {
        Discard(std::move(document));
        return nullptr;
    }
    return Adopt(std::move(document));
}

CVelmoraDoc* CDocManager::OpenFleet(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    // A file opens once: its working copy is held exclusively by the document that has it.
    for (Entry& entry : m_entries) {
        if (!entry.document->IsUntitled() && SameFile(entry.document->PathName(), path)) {
            Activate(entry.document.get());
            return entry.document.get();
        }
    }
    auto document = MakeDocument();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CFleetErrors errors;
    const bool opened = document->OnOpenDocument(QFileInfo(path).absoluteFilePath(), errors);
    QApplication::restoreOverrideCursor();
    CVelmoraWrap::ShowErrors(opened, errors);
    if (!opened) {
        Discard(std::move(document));
        // A file that is gone leaves the recent-file list too.
        if (!QFileInfo::exists(path) &&
            m_recent.Files().contains(QDir::cleanPath(QFileInfo(path).absoluteFilePath()))) {
            m_recent.Remove(path);
            Q_EMIT recentFilesChanged();
        }
        return nullptr;
    }
    return Adopt(std::move(document));
}

CVelmoraDoc* CDocManager::PromptAndOpen()
{
    const QString path = AskPath(Prompt::Open, StartFolder());
    return path.isEmpty() ? nullptr : OpenFleet(path);
}

CVelmoraDoc* CDocManager::OpenRecent(int index)
{
    if (index < 0 || index >= m_recent.Files().size())
        return nullptr;
    return OpenFleet(m_recent.Files().at(index));
}

bool CDocManager::SaveActive()
{
    return Save(ActiveDocument(), false);
}

bool CDocManager::SaveActiveAs()
{
    return Save(ActiveDocument(), true);
}

bool CDocManager::Save(CVelmoraDoc* doc, bool saveAs)
{
    if (!doc)
        return false;
    FinishUnitsRow(doc);
    m_saveAsCancelled = false;
    m_saveAsPath.clear();
    CFleetErrors errors;
    const bool saved = saveAs ? doc->DoFileSaveAs(errors) : doc->DoFileSave(errors);
    // A save that failed without a reason of its own still tells the user which file was not written.
    if (!saved && errors.isEmpty() && !m_saveAsCancelled)
        errors << CVelmoraError::Message(
            FleetMsg::FileCopyFailed,
            {QDir::toNativeSeparators(m_saveAsPath.isEmpty() ? doc->PathName() : m_saveAsPath)});
    return CVelmoraWrap::ShowErrors(saved, errors);
}

bool CDocManager::FinishUnitsRow(CVelmoraDoc* document)
{
    // A units row typed but not yet stored (its cells are left, the row is not) belongs in a save
    // and in what a phone command reads or writes.
    CChildFrame* frame = document ? FrameOf(document) : nullptr;
    auto* view = frame ? dynamic_cast<IFrameView*>(frame->View(CChildFrame::UnitsTab)) : nullptr;
    return !view || view->FinishPendingWork();
}

bool CDocManager::CloseActive()
{
    CVelmoraDoc* doc = ActiveDocument();
    return doc && CloseDocument(doc);
}

bool CDocManager::CloseDocument(CVelmoraDoc* document)
{
    const auto it = Find(document);
    if (it == m_entries.end())
        return false;
    CChildFrame* frame = it->frame;
    IFleetView* activeView = frame ? dynamic_cast<IFleetView*>(frame->ActiveView()) : nullptr;
    CFleetErrors errors;
    if (!document->CanCloseFrame(activeView) ||
        !CVelmoraWrap::ShowErrors(document->SaveModified(errors), errors)) {
        if (frame)
            frame->Activate();
        return false;
    }
    // The questions may have run an event loop: look the document up again.
    const auto pos = Find(document);
    if (pos == m_entries.end())
        return false;
    std::unique_ptr<CVelmoraDoc> closed = std::move(pos->document);
    m_entries.erase(pos);
    // Views let go of the database before the document stores and closes its file.
    if (frame)
        frame->DestroyViews();
    closed->OnCloseDocument();
    if (frame)
        frame->Dispose();
    closed.reset();
    Q_EMIT documentsChanged();
    return true;
}

bool CDocManager::CloseAll()
{
    while (!m_entries.empty()) {
        if (!CloseDocument(m_entries.front().document.get()))
            return false;
    }
    return true;
}

void CDocManager::CloseAllWithoutAsking()
{
    if (m_entries.empty())
        return;
    while (!m_entries.empty()) {
        Entry entry = std::move(m_entries.front());
        m_entries.erase(m_entries.begin());
        if (entry.frame)
            entry.frame->DestroyViews();
        entry.document->OnAbandonDocument();
        if (entry.frame)
            entry.frame->Dispose();
    }
    Q_EMIT documentsChanged();
}

bool CDocManager::AppendToActive()
{
    CVelmoraDoc* doc = ActiveDocument();
    if (!doc)
        return false;
    CChildFrame* frame = FrameOf(doc);
    if (auto* view = frame ? dynamic_cast<IFrameView*>(frame->ActiveView()) : nullptr)
        view->FinishPendingWork();
    if (doc->AnyViewEditing()) {
        CVelmoraWrap::ShowError(FleetMsg::CellBeingEdited, VMT_NOTICE);
        return false;
    }
    const QString path = AskPath(Prompt::Append, QStringLiteral("*.vlf"));
    // The fleet's own file is never appended to itself.
    if (path.isEmpty() || SameFile(path, doc->PathName()))
        return false;
    std::unique_ptr<CAppendDlg> dialog;
    IAppendQuestion* question = m_appendQuestion;
    if (!question) {
        dialog = std::make_unique<CAppendDlg>(DialogParent());
        question = dialog.get();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CFleetErrors errors;
    const bool appended = CAppendFile::AppendFleetFile(*doc, path, question, errors);
    QApplication::restoreOverrideCursor();
    return CVelmoraWrap::ShowErrors(appended, errors);
}

bool CDocManager::UpdateActive()
{
    CVelmoraDoc* doc = ActiveDocument();
    if (!doc)
        return false;
    CChildFrame* frame = FrameOf(doc);
    if (auto* view = frame ? dynamic_cast<IFrameView*>(frame->ActiveView()) : nullptr)
        view->FinishPendingWork();
    doc->SetModifiedFlag(true);
    doc->SetChanged(true);
    return true;
}

void CDocManager::Activate(CVelmoraDoc* document)
{
    CChildFrame* frame = FrameOf(document);
    if (!frame)
        return;
    frame->Activate();
    if (m_area.activeSubWindow() == frame || m_area.isEnabled()) {
        m_pendingActive.clear();
        return;
    }
    m_pendingActive = frame;
    Q_EMIT documentStateChanged();
}

bool CDocManager::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_area && event->type() == QEvent::EnabledChange && m_area.isEnabled() &&
        m_pendingActive) {
        CChildFrame* frame = m_pendingActive;
        frame->Activate();
        if (m_area.activeSubWindow() == frame)
            m_pendingActive.clear();
        Q_EMIT documentStateChanged();
    }
    return QObject::eventFilter(watched, event);
}

CChildFrame* CDocManager::ActiveFrame() const
{
    // A window made while the main window waited is the active one, though Qt activates it later.
    if (m_pendingActive && FrameOf(&m_pendingActive->Document()))
        return m_pendingActive;
    if (auto* frame = qobject_cast<CChildFrame*>(m_area.currentSubWindow()))
        return FrameOf(&frame->Document()) ? frame : nullptr;
    // Without window activation (an inactive program) the last activated window counts.
    if (auto* frame = qobject_cast<CChildFrame*>(m_area.activeSubWindow()))
        return frame;
    const QList<QMdiSubWindow*> windows = m_area.subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (auto* frame = qobject_cast<CChildFrame*>(*it); frame && FrameOf(&frame->Document()))
            return frame;
    }
    return nullptr;
}

CVelmoraDoc* CDocManager::ActiveDocument() const
{
    CChildFrame* frame = ActiveFrame();
    return frame ? &frame->Document() : nullptr;
}

CChildFrame* CDocManager::FrameOf(const CVelmoraDoc* document) const
{
    for (const Entry& entry : m_entries) {
        if (entry.document.get() == document)
            return entry.frame;
    }
    return nullptr;
}

QList<CVelmoraDoc*> CDocManager::Documents() const
{
    QList<CVelmoraDoc*> documents;
    for (const Entry& entry : m_entries)
        documents << entry.document.get();
    return documents;
}

std::vector<CDocManager::Entry>::iterator CDocManager::Find(const CVelmoraDoc* document)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [document](const Entry& entry) { return entry.document.get() == document; });
}

void CDocManager::AddRecentFile(const QString& path)
{
    m_recent.Add(path);
    Q_EMIT recentFilesChanged();
}

void CDocManager::RemoveRecentFile(const QString& path)
{
    m_recent.Remove(path);
    Q_EMIT recentFilesChanged();
}

QString CDocManager::FleetFilter()
{
    return CVelmoraWrap::LoadString(FrameText::FilterFleet);
}

QString CDocManager::StartFolder() const
{
    // Where the user last worked: the folder of the newest recent fleet that is still there, else the
    // documents folder, else home. Never the folder the program happened to be started from.
    for (const QString& file : m_recent.Files()) {
        const QFileInfo info(file);
        if (info.dir().exists())
            return info.absolutePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QString CDocManager::AskSaveAsPath(const CVelmoraDoc& document)
{
    QString suggested = document.PathName();
    if (document.IsUntitled())
        suggested =
            QDir(StartFolder()).filePath(QFileInfo(document.PathName()).fileName() + QStringLiteral(".vlf"));
    m_saveAsPath = WithFleetExtension(AskPath(Prompt::SaveAs, suggested));
    m_saveAsCancelled = m_saveAsPath.isEmpty();
    return m_saveAsPath;
}

QString CDocManager::AskPath(Prompt prompt, const QString& suggested)
{
    if (m_prompt)
        return m_prompt(prompt, suggested);
    QWidget* parent = DialogParent();
    switch (prompt) {
    case Prompt::Open:
        return QFileDialog::getOpenFileName(parent, CVelmoraWrap::LoadString(FrameText::DialogOpen),
                                            suggested, FleetFilter());
    case Prompt::SaveAs: {
        QFileDialog dialog(parent, CVelmoraWrap::LoadString(FrameText::DialogSaveAs), suggested,
                           FleetFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("vlf"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    }
    case Prompt::Append: {
        QFileDialog dialog(parent, CVelmoraWrap::LoadString(FrameText::DialogAppend), StartFolder(),
                           CVelmoraWrap::LoadString(FrameText::FilterCodeplug));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.selectFile(suggested);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    }
    }
    return QString();
}

QWidget* CDocManager::DialogParent() const
{
    return m_area.window();
}
