#include "CSmsStatusDlg.h"

#include "CVelmoraWrap.h"
#include "SmsMessageIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CSmsStatusDlg::CSmsStatusDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SmsStatusDlg"));
    setProperty("helpContext", 135684); // help context: the SMS help
    setProperty("controlId", 1205);
    setWindowTitle(CVelmoraWrap::LoadString(SmsMsg::StatusTitle));
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(CVelmoraWrap::LoadString(SmsMsg::StatusStarting), this);
    m_status->setProperty("controlId", 1224);
    m_status->setWordWrap(true);
    m_status->setMinimumWidth(440);
    layout->addWidget(m_status);
    m_progress = new QProgressBar(this);
    m_progress->setProperty("controlId", 1219);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    auto* buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setProperty("controlId", 2);
    m_cancel->setText(CVelmoraWrap::LoadString(7245));
    connect(m_cancel, &QPushButton::clicked, this, &CSmsStatusDlg::reject);
    layout->addWidget(buttons);
}

void CSmsStatusDlg::SetStatus(const QString& text)
{
    m_status->setText(text);
}

void CSmsStatusDlg::SetPosition(int position)
{
    m_progress->setValue(qBound(m_progress->minimum(), position, m_progress->maximum()));
}

void CSmsStatusDlg::DisableCancel()
{
    m_cancel->setEnabled(false);
}

void CSmsStatusDlg::reject()
{
    // Escape or the title bar's close button cancel too, but not once the send may not stop.
    if (!m_cancel->isEnabled() || m_cancelled)
        return;
    m_cancelled = true;
    Q_EMIT cancelRequested();
    QDialog::reject();
}
