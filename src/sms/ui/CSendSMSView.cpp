#include "CSendSMSView.h"

#include "CSmsRecipients.h"
#include "CToEdit.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameServices.h"
#include "Options.h"
#include "SmsMessageIds.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

bool CSendSMSView::s_sending = false;

namespace {
QList<QPointer<CSendSMSView>>& Views()
{
    static QList<QPointer<CSendSMSView>> views;
    return views;
}
} // namespace

CSendSMSView::CSendSMSView(const CSmsContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("SendSMSView"));
    setProperty("helpContext", int(HelpContext));
    setProperty("controlId", 112);
    BuildControls();
    // A new view shows the draft the others hold.
    for (const QPointer<CSendSMSView>& other : Views()) {
        if (other) {
            SetDraft(other->Draft());
            break;
        }
    }
    Views() << this;
    m_send->setEnabled(!s_sending && m_context.library);
}

CSendSMSView::~CSendSMSView()
{
    Views().removeAll(this);
}

void CSendSMSView::BuildControls()
{
    auto* grid = new QGridLayout(this);
    auto* toLabel = new QLabel(CVelmoraWrap::LoadString(SmsMsg::LabelTo), this);
    m_to = new CToEdit(this);
    m_to->setProperty("controlId", 1129);
    m_to->setMaxLength(CSmsRecipients::MaxTextLength);
    m_to->setPlaceholderText(CVelmoraWrap::LoadString(SmsMsg::RecipientsHint));
    // Numbers read left to right in every language.
    m_to->setLayoutDirection(Qt::LeftToRight);
    toLabel->setBuddy(m_to);
    m_choose = new QPushButton(CVelmoraWrap::LoadString(SmsMsg::ButtonChoose), this);
    m_choose->setProperty("controlId", 1037);
    grid->addWidget(toLabel, 0, 0);
    grid->addWidget(m_to, 0, 1);
    grid->addWidget(m_choose, 0, 2);

    auto* textLabel = new QLabel(CVelmoraWrap::LoadString(SmsMsg::LabelMessage), this);
    m_text = new QPlainTextEdit(this);
    m_text->setProperty("controlId", 1132);
    m_text->setTabChangesFocus(true);
    textLabel->setBuddy(m_text);
    grid->addWidget(textLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_text, 1, 1, 1, 2);
    m_count = new QLabel(this);
    grid->addWidget(m_count, 2, 1, 1, 2, Qt::AlignTrailing);

    auto* optionRow = new QHBoxLayout;
    m_option = new QCheckBox(CVelmoraWrap::LoadString(SmsMsg::LabelOption), this);
    m_option->setProperty("controlId", 1116);
    m_optionValue = new QLineEdit(this);
    m_optionValue->setProperty("controlId", 1140);
    m_optionValue->setMaxLength(MaxOptionLength);
    m_optionValue->setEnabled(false);
    m_optionValue->setMaximumWidth(120);
    optionRow->addWidget(m_option);
    optionRow->addWidget(m_optionValue);
    optionRow->addStretch(1);
    m_send = new QPushButton(CVelmoraWrap::LoadString(SmsMsg::ButtonSend), this);
    m_send->setProperty("controlId", 1040);
    m_send->setDefault(true);
    optionRow->addWidget(m_send);
    grid->addLayout(optionRow, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    connect(m_text, &QPlainTextEdit::textChanged, this, &CSendSMSView::OnTextChanged);
    connect(m_option, &QCheckBox::toggled, this, &CSendSMSView::OnOptionToggled);
    connect(m_choose, &QPushButton::clicked, this, &CSendSMSView::OnChooseRecipients);
    connect(m_send, &QPushButton::clicked, this, &CSendSMSView::OnSend);
    OnTextChanged();
}

void CSendSMSView::OnTextChanged()
{
    // The message holds at most MaxTextLength characters: what goes beyond (a paste) is dropped.
    if (!m_limiting && m_text->document()->characterCount() - 1 > MaxTextLength) {
        m_limiting = true;
        QTextCursor cursor = m_text->textCursor();
        const int position = qMin(cursor.position(), int(MaxTextLength));
        m_text->setPlainText(m_text->toPlainText().left(MaxTextLength));
        cursor = m_text->textCursor();
        cursor.setPosition(position);
        m_text->setTextCursor(cursor);
        m_limiting = false;
    }
    m_count->setText(CVelmoraWrap::LoadString(SmsMsg::CharCount)
                         .arg(m_text->toPlainText().size())
                         .arg(int(MaxTextLength)));
}

void CSendSMSView::OnOptionToggled(bool on)
{
    m_optionValue->setEnabled(on);
    if (!on)
        m_optionValue->clear();
}

CSmsDraft CSendSMSView::Draft() const
{
    CSmsDraft draft;
    draft.recipients = m_to->text();
    draft.text = m_text->toPlainText();
    draft.optionOn = m_option->isChecked();
    draft.optionValue = m_optionValue->text();
    return draft;
}

void CSendSMSView::SetDraft(const CSmsDraft& draft)
{
    if (draft == Draft())
        return;
    m_to->setText(draft.recipients);
    m_text->setPlainText(draft.text);
    m_option->setChecked(draft.optionOn);
    m_optionValue->setText(draft.optionValue);
}

QList<CSendSMSView*> CSendSMSView::AllViews()
{
    QList<CSendSMSView*> views;
    for (const QPointer<CSendSMSView>& view : Views()) {
        if (view)
            views << view;
    }
    return views;
}

void CSendSMSView::ShareDraft()
{
    const CSmsDraft draft = Draft();
    for (const QPointer<CSendSMSView>& other : Views()) {
        if (other && other != this)
            other->SetDraft(draft);
    }
}

int CSendSMSView::ViewFamily() const
{
    return FrameFamily::Other;
}

bool CSendSMSView::CanRunCommand(int commandId) const
{
    switch (commandId) {
    case FrameCmd::SmsLoad:
    case FrameCmd::SmsSave:
        return !s_sending && m_context.Fleet() != nullptr;
    case FrameCmd::SmsModem:
        return !s_sending && m_context.library != nullptr;
    case FrameCmd::SmsOptions:
    case FrameCmd::SmsHelp:
        return true;
    default:
        return false;
    }
}

void CSendSMSView::RunCommand(int commandId)
{
    switch (commandId) {
    case FrameCmd::SmsLoad:
        OnLoad();
        break;
    case FrameCmd::SmsSave:
        OnSave();
        break;
    case FrameCmd::SmsModem:
        OnChooseModem();
        break;
    case FrameCmd::SmsOptions:
        if (DispalyOptionsDialog(window(), 2) == 1 && m_context.optionsChanged)
            m_context.optionsChanged();
        break;
    case FrameCmd::SmsHelp:
        if (m_context.services)
            m_context.services->ShowHelp(HelpContext);
        break;
    default:
        break;
    }
}
