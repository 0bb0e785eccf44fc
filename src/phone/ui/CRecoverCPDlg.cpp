#include "CRecoverCPDlg.h"

#include "CVelmoraWrap.h"
#include "CWidgetWait.h"
#include "PhoneMessageIds.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString AskBackupFile(QWidget* parent)
{
    QFileDialog dialog(parent, CVelmoraWrap::LoadString(PhoneText::BrowseCaption));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({CVelmoraWrap::LoadString(PhoneText::BackupFilter) + QStringLiteral(" (*.dbf)"),
                           CVelmoraWrap::LoadString(PhoneText::AllFilesFilter) + QStringLiteral(" (*)")});
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.selectFile(QStringLiteral("*.dbf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

CRecoverCPDlg::CRecoverCPDlg(const CPhoneSettings& settings, QWidget* parent)
    : QDialog(parent), m_recovery(settings), m_wait(std::make_unique<CWidgetWait>(this)),
      m_prompt(AskBackupFile)
{
    setObjectName(QStringLiteral("RecoverCPDlg"));
    setProperty("dialogId", int(DialogId));
    setProperty("helpContext", int(HelpContext));
    setWindowTitle(CVelmoraWrap::LoadString(PhoneText::RecoverCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(CVelmoraWrap::LoadString(PhoneText::RecoverFileLabel), this));
    auto* row = new QHBoxLayout;
    m_edit = new QLineEdit(this);
    m_edit->setProperty("controlId", int(PathId));
    m_edit->setMaxLength(4096);
    row->addWidget(m_edit, 1);
    m_browse = new QPushButton(CVelmoraWrap::LoadString(PhoneText::Browse), this);
    m_browse->setProperty("controlId", int(BrowseId));
    row->addWidget(m_browse);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(this);
    m_restore =
        buttons->addButton(CVelmoraWrap::LoadString(PhoneText::Restore), QDialogButtonBox::ActionRole);
    m_restore->setProperty("controlId", int(RestoreId));
    m_restore->setDefault(true);
    QPushButton* help =
        buttons->addButton(CVelmoraWrap::LoadString(PhoneText::Help), QDialogButtonBox::HelpRole);
    help->setProperty("controlId", int(HelpId));
    QPushButton* close =
        buttons->addButton(CVelmoraWrap::LoadString(PhoneText::Close), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    layout->addWidget(buttons);

    connect(m_edit, &QLineEdit::textChanged, this, &CRecoverCPDlg::OnPathEdited);
    connect(m_browse, &QPushButton::clicked, this, &CRecoverCPDlg::OnBrowse);
    connect(m_restore, &QPushButton::clicked, this, &CRecoverCPDlg::OnRestore);
    connect(help, &QPushButton::clicked, this, [this]() { Q_EMIT helpRequested(HelpContext); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_restore->setEnabled(false);
    setMinimumWidth(480);
}

CRecoverCPDlg::~CRecoverCPDlg() = default;

void CRecoverCPDlg::SetPath(const QString& path)
{
    m_edit->setText(path);
    OnPathEdited(m_edit->text());
}

void CRecoverCPDlg::OnPathEdited(const QString& text)
{
    m_path = text;
    m_restore->setEnabled(!m_path.isEmpty());
}

void CRecoverCPDlg::OnBrowse()
{
    const QString chosen = m_prompt ? m_prompt(this) : QString();
    if (!chosen.isEmpty())
        SetPath(chosen);
}

void CRecoverCPDlg::OnRestore()
{
    if (m_recovery.Restore(m_edit->text(), *m_wait, *this) == CCodeplugRecovery::Result::Close) {
        accept();
        return;
    }
    m_edit->setFocus();
}

void CRecoverCPDlg::Report(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

bool CRecoverCPDlg::Run(const CPhoneSettings& settings, QWidget* mainWindow,
                        const std::function<void(int context)>& help)
{
    CWidgetWait wait(mainWindow);
    QString path;
    const CVelmoraError started = CCodeplugRecovery(settings).Start(wait, path);
    CVelmoraWrap::ShowError(started);
    if (started.Stops())
        return false;
    CRecoverCPDlg dialog(settings, mainWindow);
    dialog.SetPath(path);
    if (help)
        connect(&dialog, &CRecoverCPDlg::helpRequested, &dialog, help);
    dialog.exec();
    return true;
}
