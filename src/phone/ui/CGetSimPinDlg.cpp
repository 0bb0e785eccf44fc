#include "CGetSimPinDlg.h"

#include "CVelmoraWrap.h"
#include "PhoneMessageIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CGetSimPinDlg::CGetSimPinDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GetSimPinDlg"));
    setProperty("dialogId", int(DialogId));
    setProperty("helpContext", int(HelpContext));
    setWindowTitle(CVelmoraWrap::LoadString(PhoneText::PinCaption));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(CVelmoraWrap::LoadString(PhoneText::PinPrompt), this);
    layout->addWidget(label);
    m_edit = new QLineEdit(this);
    m_edit->setProperty("controlId", int(PinEditId));
    m_edit->setMaxLength(MaxPinLength);
    m_edit->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_edit);
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(PhoneText::ButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(CVelmoraWrap::LoadString(PhoneText::ButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_edit->setFocus();
}

void CGetSimPinDlg::accept()
{
    m_pin = m_edit->text().left(MaxPinLength);
    QDialog::accept();
}
