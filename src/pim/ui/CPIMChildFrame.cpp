#include "CPIMChildFrame.h"

#include "CPIMDoc.h"
#include "CPIMTabWnd.h"
#include "CPhoneCenterView.h"
#include "CVelmoraWrap.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>

namespace {
const QString kGroup = QStringLiteral("PIM Settings");
const QString kMaximize = QStringLiteral("WindowMaximize");
} // namespace

CPIMChildFrame::CPIMChildFrame(CPIMDoc& document, QWidget* parent)
    : QMdiSubWindow(parent), m_document(document)
{
    setObjectName(QStringLiteral("PIMChildFrame"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setProperty("helpContext", 135313); // help context: the phone book and date book
    m_view = new CPhoneCenterView(this);
    setWidget(m_view);
    resize(800, 560);
    UpdateTitle();
    connect(&document, &CPIMDoc::fileOpened, this, &CPIMChildFrame::UpdateTitle);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CPIMChildFrame::OnStateChanged);
}

CPIMChildFrame::~CPIMChildFrame() = default;

CPIMTabWnd* CPIMChildFrame::TabWnd() const
{
    return m_view->TabWnd();
}

bool CPIMChildFrame::MaximizeSetting()
{
    QString value;
    if (!CVelmoraWrap::GetGroupValue(kGroup, kMaximize, value) || value.trimmed().isEmpty())
        return true;
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return !ok || number != 0;
}

void CPIMChildFrame::StoreMaximizeSetting(bool maximized)
{
    CVelmoraWrap::SetGroupValue(kGroup, kMaximize, maximized ? QStringLiteral("1") : QStringLiteral("0"));
}

void CPIMChildFrame::Activate()
{
    if (!m_shown) {
        m_shown = true;
        if (MaximizeSetting())
            showMaximized();
        else
            showNormal();
    } else if (!isVisible()) {
        show();
    }
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    TabWnd()->LabelTabs();
    m_view->setFocus();
}

void CPIMChildFrame::OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    // The captions come from the language texts each time the window comes forward.
    if (!(oldState & Qt::WindowActive) && (newState & Qt::WindowActive))
        TabWnd()->LabelTabs();
}

void CPIMChildFrame::Dispose()
{
    if (m_disposed)
        return;
    m_disposed = true;
    if (m_shown)
        StoreMaximizeSetting(isMaximized());
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    hide();
    deleteLater();
}

void CPIMChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_disposed) {
        event->accept();
        return;
    }
    event->ignore();
    Q_EMIT closeRequested(this);
}

void CPIMChildFrame::UpdateTitle()
{
    setWindowTitle(QFileInfo(m_document.PathName()).fileName());
}
