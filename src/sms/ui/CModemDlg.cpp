#include "CModemDlg.h"

#include "CVelmoraWrap.h"
#include "ISmsLibrary.h"
#include "SmsMessageIds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

CModemDlg::CModemDlg(ISmsLibrary& library, QWidget* parent) : QDialog(parent), m_library(library)
{
    setObjectName(QStringLiteral("ModemDlg"));
    setProperty("helpContext", 135683); // help context: the SMS help
    setProperty("controlId", 111);
    setWindowTitle(CVelmoraWrap::LoadString(SmsMsg::ModemTitle));
    auto* form = new QFormLayout(this);
    m_modems = new QComboBox(this);
    m_modems->setProperty("controlId", 1160);
    m_modems->setMinimumWidth(260);
    const int count = m_library.ModemCount();
    for (int i = 0; i < count; ++i)
        m_modems->addItem(m_library.ModemName(i));
    QString stored;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Modem Name"), stored);
    m_modems->setCurrentIndex(m_modems->findText(stored));
    if (m_modems->currentIndex() < 0 && count > 0)
        m_modems->setCurrentIndex(0);
    auto* label = new QLabel(CVelmoraWrap::LoadString(SmsMsg::ModemLabel), this);
    label->setBuddy(m_modems);
    form->addRow(label, m_modems);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(7244));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(CVelmoraWrap::LoadString(7245));
    connect(buttons, &QDialogButtonBox::accepted, this, &CModemDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CModemDlg::reject);
    form->addRow(buttons);
}

void CModemDlg::accept()
{
    const QString name = m_modems->currentText();
    // The index in the library's list as it is now; -1 when the name is no longer in it.
    int index = -1;
    const int count = m_library.ModemCount();
    for (int i = 0; i < count && index < 0; ++i) {
        if (m_library.ModemName(i) == name)
            index = i;
    }
    if (index < 0) {
        CVelmoraWrap::ShowError(SmsMsg::NoModemsFound, VMT_ERROR);
        return;
    }
    if (const int code = m_library.SetConfiguration(index)) {
        CVelmoraWrap::ShowError(m_library.ErrorText(code, 0), VMT_ERROR);
        return;
    }
    if (!CVelmoraWrap::SetRegistryValues(
            {{QStringLiteral("Modem ID"), QString::number(index)}, {QStringLiteral("Modem Name"), name}}))
        return;
    QDialog::accept();
}
