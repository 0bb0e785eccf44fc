#include "CPhoneBookView.h"

#include "CContactInfo.h"
#include "CPhoneList.h"
#include "CPimStore.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <CVelmoraWrap.h>

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

CPhoneBookView::CPhoneBookView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pimPhoneBookView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_stack = new QStackedWidget(this);
    layout->addWidget(m_stack);

    auto* closed = new QLabel(CVelmoraWrap::LoadString(PimMsg::NoPimFileOpen), m_stack);
    closed->setObjectName(QStringLiteral("pimNoFile"));
    closed->setAlignment(Qt::AlignCenter);
    closed->setWordWrap(true);
    m_stack->addWidget(closed);

    m_splitter = new QSplitter(Qt::Horizontal, m_stack);
    m_splitter->setObjectName(QStringLiteral("pimPhoneBookSplit"));
    m_splitter->setChildrenCollapsible(false);
    m_list = new CPhoneList(m_splitter);
    auto* scroll = new QScrollArea(m_splitter);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_card = new CContactInfo(scroll);
    scroll->setWidget(m_card);
    // The card scrolls up and down only: it is never narrower than its fields.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(m_card->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(scroll);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);
    m_list->SetContactInfo(m_card);
    m_stack->addWidget(m_splitter);
    connect(m_splitter, &QSplitter::splitterMoved, this, &CPhoneBookView::SaveSplitter);

    VelmoraPim::CPimNotifier* notifier = VelmoraPim::Notifier();
    connect(notifier, &VelmoraPim::CPimNotifier::phoneBookOpened, this, &CPhoneBookView::Refresh);
    connect(notifier, &VelmoraPim::CPimNotifier::phoneBookClosed, this, &CPhoneBookView::Refresh);
    connect(notifier, &VelmoraPim::CPimNotifier::databaseOpened, this, &CPhoneBookView::Refresh);
    connect(notifier, &VelmoraPim::CPimNotifier::databaseClosed, this, &CPhoneBookView::OnDatabaseClosed);
    Refresh();
}

CPhoneBookView::~CPhoneBookView()
{
    m_card->SaveBeforeClose();
}

void CPhoneBookView::OnDatabaseClosed()
{
    m_card->SaveBeforeClose();
    m_card->Clear();
    m_stack->setCurrentIndex(0);
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = nullptr;
    m_list->Reload();
}

void CPhoneBookView::Refresh()
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    const bool open = store && VelmoraPim::IsPhoneBookOpen();
    if (!open || m_store != store)
        m_card->SaveBeforeClose();
    if (m_store != store) {
        if (m_store)
            disconnect(m_store, nullptr, this, nullptr);
        m_store = store;
        // Changes made elsewhere (say, another view of the same file) show here too.
        if (m_store)
            connect(m_store, &CPimStore::contactsChanged, this, [this] { m_list->Reload(); });
        m_card->Clear();
    }
    if (!open)
        m_card->Clear();
    m_stack->setCurrentIndex(open ? 1 : 0);
    m_list->Reload();
    if (open && !m_card->IsActive() && !m_list->ShownIds().isEmpty())
        m_list->SelectContact(m_list->ShownIds().first());
    if (open && m_list->CurrentId() != 0 && !m_card->IsActive())
        m_card->ShowContact(m_list->CurrentId());
}

void CPhoneBookView::OnNewButton()
{
    m_list->OnNewButton();
}

void CPhoneBookView::OnDeleteButton()
{
    m_list->OnDeleteButton();
}

bool CPhoneBookView::CommitPendingEdits()
{
    return m_card->CommitPending();
}

void CPhoneBookView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The stored position means something once the view has its width.
    if (!m_splitterRestored) {
        m_splitterRestored = true;
        QTimer::singleShot(0, this, &CPhoneBookView::RestoreSplitter);
    }
}

void CPhoneBookView::RestoreSplitter()
{
    unsigned long phoneBook = 0;
    unsigned long dateBook = 0;
    CVelmoraWrap::GetSplitterPos(phoneBook, dateBook);
    // "Phonebook Split" is the list's share of the width in percent.
    const int percent = phoneBook >= 10 && phoneBook <= 90 ? int(phoneBook) : 50;
    const int total = qMax(m_splitter->width(), 400);
    const int list = total * percent / 100;
    m_splitter->setSizes({list, qMax(1, total - list)});
}

void CPhoneBookView::SaveSplitter()
{
    unsigned long phoneBook = 0;
    unsigned long dateBook = 0;
    CVelmoraWrap::GetSplitterPos(phoneBook, dateBook);
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > 0)
        CVelmoraWrap::SetSplitterPos((unsigned long)qBound(10, sizes[0] * 100 / total, 90), dateBook);
}
