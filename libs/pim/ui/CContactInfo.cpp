#include "CContactInfo.h"

#include "CPimStore.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <CVelmoraWrap.h>

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Texts without the '&' mnemonic marker, for labels that carry a buddy.
QString Text(int id)
{
    return CVelmoraWrap::LoadString(id);
}

QStringList KindNames()
{
    QStringList names = Text(PimMsg::NumberKinds).split(QLatin1Char('|'));
    while (names.size() < CPimNumber::KindCount)
        names << QString::number(names.size());
    return names.mid(0, CPimNumber::KindCount);
}

// Numbers and e-mail addresses read left to right in every language.
void MakeLeftToRight(QLineEdit* edit)
{
    edit->setLayoutDirection(Qt::LeftToRight);
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

CContactInfo::CContactInfo(QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("pimCardTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_title->setFont(titleFont);
    outer->addWidget(m_title);

    auto* form = new QFormLayout;
    auto addLine = [&](int labelId, const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        auto* label = new QLabel(Text(labelId), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &CContactInfo::UpdateButtons);
        return edit;
    };
    m_name = addLine(PimMsg::NameLabel, QStringLiteral("pimName"));
    m_company = addLine(PimMsg::CompanyLabel, QStringLiteral("pimCompany"));

    auto* numbersBox = new QWidget(this);
    auto* numbersOuter = new QVBoxLayout(numbersBox);
    numbersOuter->setContentsMargins(0, 0, 0, 0);
    m_numbersLayout = new QVBoxLayout;
    m_numbersLayout->setContentsMargins(0, 0, 0, 0);
    numbersOuter->addLayout(m_numbersLayout);
    m_addNumber = new QPushButton(Text(PimMsg::AddNumberButton), numbersBox);
    m_addNumber->setObjectName(QStringLiteral("pimAddNumber"));
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(m_addNumber);
    addRow->addStretch();
    numbersOuter->addLayout(addRow);
    connect(m_addNumber, &QPushButton::clicked, this, [this] {
        AddNumberRow();
        m_numbers.last().number->setFocus();
    });
    form->addRow(new QLabel(Text(PimMsg::NumbersLabel), this), numbersBox);

    m_email = addLine(PimMsg::EmailLabel, QStringLiteral("pimEmail"));
    MakeLeftToRight(m_email);
    auto addText = [&](int labelId, const QString& name, int lines) {
        auto* edit = new QPlainTextEdit(this);
        edit->setObjectName(name);
        edit->setTabChangesFocus(true);
        edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * lines + 12);
        auto* label = new QLabel(Text(labelId), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        connect(edit, &QPlainTextEdit::textChanged, this, &CContactInfo::UpdateButtons);
        return edit;
    };
    m_address = addText(PimMsg::AddressLabel, QStringLiteral("pimAddress"), 3);
    m_note = addText(PimMsg::NoteLabel, QStringLiteral("pimNote"), 4);
    outer->addLayout(form, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_save = new QPushButton(Text(PimMsg::SaveButton), this);
    m_save->setObjectName(QStringLiteral("pimSave"));
    m_revert = new QPushButton(Text(PimMsg::RevertButton), this);
    m_revert->setObjectName(QStringLiteral("pimRevert"));
    buttons->addWidget(m_save);
    buttons->addWidget(m_revert);
    outer->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(m_revert, &QPushButton::clicked, this, &CContactInfo::Revert);
    auto* saveKey = new QShortcut(QKeySequence::Save, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(saveKey, &QShortcut::activated, this, [this] { Save(); });

    AlignTextBoxes();
    Clear();
}

void CContactInfo::AlignTextBoxes()
{
    // A text box aligns to the left whatever the language; in right-to-left windows its lines belong to
    // the right edge (each paragraph keeps the direction of its own text).
    // The title stays on the window's leading side whatever the name's script.
    m_title->setAlignment(Qt::AlignAbsolute | Qt::AlignVCenter |
                          (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft));
    for (QPlainTextEdit* edit : {m_address, m_note}) {
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft);
        option.setTextDirection(Qt::LayoutDirectionAuto);
        edit->document()->setDefaultTextOption(option);
    }
}

void CContactInfo::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange && m_address)
        AlignTextBoxes();
}

void CContactInfo::AddNumberRow(int kind, const QString& number)
{
    NumberRow row;
    row.row = new QWidget(this);
    auto* layout = new QHBoxLayout(row.row);
    layout->setContentsMargins(0, 0, 0, 0);
    row.kind = new QComboBox(row.row);
    row.kind->addItems(KindNames());
    row.kind->setCurrentIndex(kind >= 0 && kind < CPimNumber::KindCount ? kind : CPimNumber::Other);
    row.number = new QLineEdit(number, row.row);
    MakeLeftToRight(row.number);
    auto* remove = new QToolButton(row.row);
    remove->setText(QStringLiteral("\u2212"));
    remove->setToolTip(Text(PimMsg::RemoveNumberTip));
    remove->setAccessibleName(Text(PimMsg::RemoveNumberTip));
    layout->addWidget(row.kind);
    layout->addWidget(row.number, 1);
    layout->addWidget(remove);
    m_numbersLayout->addWidget(row.row);
    m_numbers.append(row);
    QWidget* rowWidget = row.row;
    connect(row.kind, &QComboBox::currentIndexChanged, this, &CContactInfo::UpdateButtons);
    connect(row.number, &QLineEdit::textChanged, this, &CContactInfo::UpdateButtons);
    connect(remove, &QToolButton::clicked, this, [this, rowWidget] { RemoveNumberRow(rowWidget); });
    const bool editable = !m_name->isReadOnly();
    row.kind->setEnabled(editable);
    row.number->setReadOnly(!editable);
    remove->setEnabled(editable);
    RenameNumberRows();
    UpdateButtons();
}

void CContactInfo::RemoveNumberRow(QWidget* row)
{
    for (int i = 0; i < m_numbers.size(); ++i) {
        if (m_numbers[i].row != row)
            continue;
        m_numbers.removeAt(i);
        row->hide();
        row->deleteLater();
        // Focus stays in the numbers: on the row that took this one's place, else on Add number.
        if (i < m_numbers.size())
            m_numbers[i].number->setFocus();
        else
            m_addNumber->setFocus();
        break;
    }
    RenameNumberRows();
    UpdateButtons();
}

void CContactInfo::RenameNumberRows()
{
    for (int i = 0; i < m_numbers.size(); ++i) {
        m_numbers[i].kind->setObjectName(QStringLiteral("pimNumberKind%1").arg(i));
        m_numbers[i].number->setObjectName(QStringLiteral("pimNumber%1").arg(i));
        if (auto* remove = m_numbers[i].row->findChild<QToolButton*>())
            remove->setObjectName(QStringLiteral("pimRemoveNumber%1").arg(i));
    }
}

void CContactInfo::Load(const CPimContact& contact)
{
    m_loading = true;
    m_name->setText(contact.name);
    m_company->setText(contact.company);
    for (const NumberRow& row : std::as_const(m_numbers))
        delete row.row;
    m_numbers.clear();
    for (const CPimNumber& number : contact.numbers)
        AddNumberRow(number.kind, number.number);
    if (m_numbers.isEmpty() && !m_name->isReadOnly())
        AddNumberRow();
    m_email->setText(contact.email);
    m_address->setPlainText(contact.address);
    m_note->setPlainText(contact.note);
    m_loading = false;
    UpdateButtons();
}

CPimContact CContactInfo::EditedContact() const
{
    CPimContact contact;
    contact.id = m_contact.id;
    contact.name = m_name->text().trimmed();
    contact.company = m_company->text().trimmed();
    for (const NumberRow& row : m_numbers) {
        const QString number = row.number->text().trimmed();
        if (!number.isEmpty())
            contact.numbers.append({row.kind->currentIndex(), number});
    }
    contact.email = m_email->text().trimmed();
    contact.address = m_address->toPlainText();
    contact.note = m_note->toPlainText();
    return contact;
}

bool CContactInfo::IsModified() const
{
    if (!m_active)
        return false;
    return EditedContact() != m_contact;
}

void CContactInfo::UpdateButtons()
{
    if (m_loading)
        return;
    const bool modified = IsModified();
    m_save->setEnabled(modified && !m_name->isReadOnly());
    m_revert->setEnabled(modified);
    if (m_editingNew)
        m_title->setText(m_name->text().trimmed().isEmpty() ? Text(PimMsg::NewContactTitle)
                                                            : m_name->text().trimmed());
    else
        m_title->setText(m_contact.name);
}

void CContactInfo::SetEditable(bool editable)
{
    for (QLineEdit* edit : {m_name, m_company, m_email})
        edit->setReadOnly(!editable);
    for (QPlainTextEdit* edit : {m_address, m_note})
        edit->setReadOnly(!editable);
    m_addNumber->setEnabled(editable);
    for (const NumberRow& row : std::as_const(m_numbers)) {
        row.kind->setEnabled(editable);
        row.number->setReadOnly(!editable);
        if (auto* remove = row.row->findChild<QToolButton*>())
            remove->setEnabled(editable);
    }
}

void CContactInfo::Clear()
{
    m_contact = CPimContact();
    m_editingNew = false;
    SetEditable(false);
    Load(m_contact);
    m_title->clear();
    m_active = false;
    setEnabled(false);
}

void CContactInfo::ShowContact(qint64 id)
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    if (id == 0 || !store || !VelmoraPim::IsPhoneBookOpen()) {
        Clear();
        return;
    }
    CVelmoraError error;
    const std::optional<CPimContact> contact = store->ContactById(id, &error);
    if (!contact) {
        CVelmoraWrap::ShowError(error);
        Clear();
        return;
    }
    m_contact = *contact;
    m_editingNew = false;
    m_active = true;
    setEnabled(true);
    SetEditable(!VelmoraPim::IsPhoneBookReadOnly());
    Load(m_contact);
}

void CContactInfo::StartNew()
{
    if (!VelmoraPim::CurrentPimStore() || !VelmoraPim::IsPhoneBookOpen() || VelmoraPim::IsPhoneBookReadOnly())
        return;
    m_contact = CPimContact();
    m_editingNew = true;
    m_active = true;
    setEnabled(true);
    SetEditable(true);
    Load(m_contact);
    m_name->setFocus();
}

bool CContactInfo::Save()
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    if (!store || !VelmoraPim::IsPhoneBookOpen()) {
        CVelmoraWrap::ShowError(CVelmoraError::Message(PimMsg::NoDatabaseOpen));
        return false;
    }
    if (!IsModified() && !m_editingNew)
        return true;
    CPimContact contact = EditedContact();
    const CVelmoraError error = store->SaveContact(contact);
    if (error.IsError()) {
        CVelmoraWrap::ShowError(error);
        if (error.Id() == PimMsg::ContactNameEmpty)
            m_name->setFocus();
        return false;
    }
    m_contact = contact;
    m_editingNew = false;
    Load(m_contact);
    Q_EMIT contactSaved(contact.id);
    return true;
}

void CContactInfo::Revert()
{
    Load(m_contact);
}

bool CContactInfo::CommitPending()
{
    if (!m_active || !IsModified())
        return true;
    return Save();
}

void CContactInfo::FocusEditor()
{
    if (!m_active)
        return;
    m_name->setFocus();
    m_name->selectAll();
}

void CContactInfo::SaveBeforeClose()
{
    CPimStore* store = VelmoraPim::CurrentPimStore();
    if (!m_active || !store || !IsModified())
        return;
    // The file is closing under the card: what can be stored is stored; a refusal is at least said.
    CPimContact contact = EditedContact();
    const CVelmoraError error = store->SaveContact(contact);
    if (error.IsError())
        CVelmoraWrap::ShowError(error);
    else
        m_contact = contact;
}
