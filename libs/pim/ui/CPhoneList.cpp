#include "CPhoneList.h"

#include "CContactInfo.h"
#include "CPimStore.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <CVelmoraWrap.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString Digits(const QString& text)
{
    QString digits;
    for (const QChar c : text)
        if (c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('*') || c == QLatin1Char('#'))
            digits.append(c);
    return digits;
}

// What a list row says: the name, and the company after it when there is one.
QString RowText(const CPimContact& contact)
{
    return contact.company.isEmpty() ? contact.name
                                     : contact.name + QStringLiteral(" \u2014 ") + contact.company;
}

bool IsNewKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Insert || key->matches(QKeySequence::New);
}

} // namespace

CPhoneList::CPhoneList(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("pimSearch"));
    m_search->setPlaceholderText(CVelmoraWrap::LoadString(PimMsg::SearchPlaceholder));
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pimContactList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list, 1);
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("pimCount"));
    layout->addWidget(m_countLabel);
    auto* buttons = new QHBoxLayout;
    m_newButton = new QPushButton(CVelmoraWrap::LoadString(PimMsg::NewButton), this);
    m_newButton->setObjectName(QStringLiteral("pimNewButton"));
    m_deleteButton = new QPushButton(CVelmoraWrap::LoadString(PimMsg::DeleteButton), this);
    m_deleteButton->setObjectName(QStringLiteral("pimDeleteButton"));
    buttons->addWidget(m_newButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &CPhoneList::ApplyFilter);
    connect(m_list, &QListWidget::currentRowChanged, this, &CPhoneList::OnCurrentRowChanged);
    connect(m_list, &QListWidget::itemActivated, this, [this] {
        if (m_card)
            m_card->FocusEditor();
    });
    connect(m_newButton, &QPushButton::clicked, this, &CPhoneList::OnNewButton);
    connect(m_deleteButton, &QPushButton::clicked, this, &CPhoneList::OnDeleteButton);
    m_list->installEventFilter(this);
    m_search->installEventFilter(this);
    Reload();
}

void CPhoneList::SetContactInfo(CContactInfo* card)
{
    m_card = card;
    if (m_card)
        connect(m_card, &CContactInfo::contactSaved, this, [this](qint64 id) {
            Reload();
            SelectContact(id);
        });
}

bool CPhoneList::Matches(const CPimContact& contact, const QString& filter)
{
    const QString text = filter.trimmed();
    if (text.isEmpty())
        return true;
    for (const QString* field : {&contact.name, &contact.company, &contact.email})
        if (field->contains(text, Qt::CaseInsensitive))
            return true;
    const QString digits = Digits(text);
    for (const CPimNumber& number : contact.numbers) {
        if (number.number.contains(text, Qt::CaseInsensitive))
            return true;
        if (!digits.isEmpty() && Digits(number.number).contains(digits))
            return true;
    }
    return false;
}

void CPhoneList::Reload()
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    m_contacts.clear();
    if (store && VelmoraPim::IsPhoneBookOpen()) {
        CVelmoraError error;
        m_contacts = store->Contacts(&error);
        if (error.IsError())
            CVelmoraWrap::ShowError(error);
    }
    ApplyFilter();
}

void CPhoneList::ApplyFilter()
{
    // The card's contact stays selected when it is still shown.
    const qint64 keep = m_card && m_card->IsActive() ? m_card->ContactId() : CurrentId();
    m_reloading = true;
    m_list->clear();
    int shown = 0;
    for (const CPimContact& contact : std::as_const(m_contacts)) {
        if (!Matches(contact, m_search->text()))
            continue;
        auto* item = new QListWidgetItem(RowText(contact), m_list);
        item->setData(Qt::UserRole, contact.id);
        if (!contact.numbers.isEmpty())
            item->setToolTip(contact.numbers.first().number);
        ++shown;
        if (contact.id == keep)
            m_list->setCurrentItem(item);
    }
    m_reloading = false;
    m_countLabel->setText(
        CVelmoraWrap::FillArgs(CVelmoraWrap::LoadString(PimMsg::ContactCount),
                               {QString::number(shown), QString::number(m_contacts.size())}));
    UpdateEnabled();
}

void CPhoneList::UpdateEnabled()
{
    const bool open = VelmoraPim::CurrentPimStore() && VelmoraPim::IsPhoneBookOpen();
    const bool writable = open && !VelmoraPim::IsPhoneBookReadOnly();
    m_search->setEnabled(open);
    m_list->setEnabled(open);
    m_newButton->setEnabled(writable);
    m_deleteButton->setEnabled(writable && CurrentId() != 0);
    m_countLabel->setVisible(open);
}

qint64 CPhoneList::CurrentId() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

QList<qint64> CPhoneList::ShownIds() const
{
    QList<qint64> ids;
    for (int row = 0; row < m_list->count(); ++row)
        ids << m_list->item(row)->data(Qt::UserRole).toLongLong();
    return ids;
}

void CPhoneList::SelectContact(qint64 id)
{
    if (!ShownIds().contains(id) && !m_search->text().isEmpty()) {
        // A contact just saved that the search would hide: show everything again.
        const QSignalBlocker blocker(m_search);
        m_search->clear();
        ApplyFilter();
    }
    m_reloading = true;
    const int row = ShownIds().indexOf(id);
    m_list->setCurrentRow(row);
    m_reloading = false;
    UpdateEnabled();
}

void CPhoneList::OnCurrentRowChanged()
{
    if (m_reloading)
        return;
    const qint64 target = CurrentId();
    if (m_card && m_card->IsActive() && target != m_card->ContactId() && !m_card->CommitPending()) {
        // The card refused to leave (say, a blank name): the selection goes back to it.
        SelectContact(m_card->ContactId());
        return;
    }
    // Saving may have reloaded the list: select the row the user chose again.
    if (CurrentId() != target)
        SelectContact(target);
    if (m_card && (target != m_card->ContactId() || !m_card->IsActive() || m_card->IsEditingNew()))
        m_card->ShowContact(target);
    UpdateEnabled();
    Q_EMIT contactSelected(target);
}

void CPhoneList::OnNewButton()
{
    if (!VelmoraPim::CurrentPimStore() || !VelmoraPim::IsPhoneBookOpen() || VelmoraPim::IsPhoneBookReadOnly())
        return;
    if (m_card && !m_card->CommitPending())
        return;
    m_reloading = true;
    m_list->setCurrentRow(-1);
    m_reloading = false;
    UpdateEnabled();
    if (m_card)
        m_card->StartNew();
}

void CPhoneList::OnDeleteButton()
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    const qint64 id = CurrentId();
    if (!store || !VelmoraPim::IsPhoneBookOpen() || VelmoraPim::IsPhoneBookReadOnly() || id == 0)
        return;
    QString name;
    for (const CPimContact& contact : std::as_const(m_contacts))
        if (contact.id == id)
            name = contact.name;
    const int answer =
        CVelmoraWrap::ShowError(CVelmoraError::Message(PimMsg::ConfirmDeleteContact, {name}, VMT_YESNO));
    if (answer != IDYES)
        return;
    const int row = m_list->currentRow();
    const CVelmoraError error = store->DeleteContact(id);
    if (error.IsError()) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    // The deleted contact's card goes with it; the row that took its place is shown next.
    if (m_card)
        m_card->Clear();
    Reload();
    if (m_list->count() > 0) {
        m_list->setCurrentRow(qMin(row, m_list->count() - 1));
    } else {
        UpdateEnabled();
    }
    m_list->setFocus();
}

bool CPhoneList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool onList = watched == m_list;
    const bool handled = IsNewKey(key) || (onList && (key->key() == Qt::Key_Delete)) ||
                         (!onList && key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier);
    if (!handled)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // These keys belong to the list while it has the focus, not to the window's menu shortcuts.
        event->accept();
        return true;
    }
    if (IsNewKey(key))
        OnNewButton();
    else if (key->key() == Qt::Key_Delete)
        OnDeleteButton();
    else {
        m_list->setFocus();
        if (m_list->currentRow() < 0 && m_list->count() > 0)
            m_list->setCurrentRow(0);
    }
    return true;
}
