#include "CChildFrame.h"

#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

CChildFrame::CChildFrame(CVelmoraDoc& document, const QString& tabFontFamily, QWidget* parent)
    : QMdiSubWindow(parent), m_document(document)
{
    setObjectName(QStringLiteral("ChildFrame"));
    setProperty("helpContext", 135688); // help context: the units view help
    m_tabs = new QTabWidget(this);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    QFont font = m_tabs->tabBar()->font();
    font.setFamily(tabFontFamily);
    m_tabs->tabBar()->setFont(font);
    m_tabs->addTab(new QWidget(m_tabs), QString());
    m_tabs->addTab(new QWidget(m_tabs), QString());
    LabelTabs();
    setWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CChildFrame::activeViewChanged);

    UpdateTitle();
    connect(&document, &CVelmoraDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(&document, &CVelmoraDoc::modifiedChanged, this, &QWidget::setWindowModified);
    setWindowModified(document.IsModified());

    // File -> Close owns the platform's close keys; the window menu's own close would make them
    // ambiguous, and then neither runs.
    if (QMenu* menu = systemMenu()) {
        const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
        for (QAction* action : menu->actions()) {
            const QList<QKeySequence> keys = action->shortcuts();
            if (std::any_of(keys.begin(), keys.end(),
                            [&](const QKeySequence& k) { return closeKeys.contains(k); }))
                action->setShortcuts({});
        }
    }
}

CChildFrame::~CChildFrame() = default;

QWidget* CChildFrame::ActiveView() const
{
    return m_tabs ? m_tabs->currentWidget() : nullptr;
}

QWidget* CChildFrame::View(int tab) const
{
    return m_tabs ? m_tabs->widget(tab) : nullptr;
}

void CChildFrame::SetView(int tab, QWidget* view)
{
    if (!view || tab < 0 || tab >= m_tabs->count())
        return;
    const bool current = m_tabs->currentIndex() == tab;
    QWidget* old = m_tabs->widget(tab);
    const QString label = m_tabs->tabText(tab);
    m_tabs->blockSignals(true);
    m_tabs->removeTab(tab);
    m_tabs->insertTab(tab, view, label);
    if (current)
        m_tabs->setCurrentIndex(tab);
    m_tabs->blockSignals(false);
    delete old;
    Q_EMIT activeViewChanged();
}

void CChildFrame::ShowTab(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

void CChildFrame::LabelTabs()
{
    m_tabs->setTabText(UnitsTab, CVelmoraWrap::LoadString(1680));
    m_tabs->setTabText(TalkgroupsTab, CVelmoraWrap::LoadString(1681));
}

void CChildFrame::Activate()
{
    if (!m_activated) {
        m_activated = true;
        showMaximized();
    } else if (!isVisible()) {
        show();
    }
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    setFocus();
}

void CChildFrame::DestroyViews()
{
    // Hidden first: removing a tab must not show the next one, whose view would go to work on a
    // document that is closing.
    m_tabs->hide();
    while (m_tabs->count() > 0) {
        QWidget* view = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete view;
    }
}

void CChildFrame::Dispose()
{
    m_disposed = true;
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    hide();
    deleteLater();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_disposed) {
        event->accept();
        return;
    }
    // The document manager asks the document and disposes of this window when it may close.
    event->ignore();
    Q_EMIT closeRequested(this);
}

void CChildFrame::UpdateTitle()
{
    // The file name alone: a new fleet's title is the path of its working copy.
    setWindowTitle(QFileInfo(m_document.Title()).fileName() + QStringLiteral("[*]"));
}
