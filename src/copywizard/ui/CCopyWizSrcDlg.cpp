#include "CCopyWizSrcDlg.h"

#include "CChoosePhoneDlg.h"
#include "CCopySource.h"
#include "CCopyWizardSheet.h"
#include "CModelRules.h"
#include "CProcessPhone.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename T> T* Tagged(T* widget, int id)
{
    widget->setProperty("controlId", id);
    return widget;
}

} // namespace

CCopyWizSrcDlg::CCopyWizSrcDlg(CCopyWizardSheet& sheet)
    : CPropertyPageWithHelp(DialogId, CVelmoraWrap::LoadString(CopyWizText::SourcePage)), m_sheet(sheet)
{
    setObjectName(QStringLiteral("CopyWizSource"));
    auto* layout = new QVBoxLayout(this);
    m_fromPhone =
        Tagged(new QRadioButton(CVelmoraWrap::LoadString(CopyWizText::FromPhone), this), FromPhoneId);
    m_phoneHint = Tagged(new QLabel(CVelmoraWrap::LoadString(CopyWizText::PhoneHint), this), PhoneHintId);
    m_phoneHint->setWordWrap(true);
    m_phoneHint->setIndent(24);
    m_fromFile = Tagged(new QRadioButton(CVelmoraWrap::LoadString(CopyWizText::FromFile), this), FromFileId);
    m_pathLabel = Tagged(new QLabel(CVelmoraWrap::LoadString(CopyWizText::PathLabel), this), PathLabelId);
    m_path = Tagged(new QLineEdit(this), PathId);
    m_path->setLayoutDirection(Qt::LeftToRight);
    m_pathLabel->setBuddy(m_path);
    m_browse = Tagged(new QPushButton(CVelmoraWrap::LoadString(CopyWizText::Browse), this), BrowseId);
    m_sourceShown = new QLabel(this);
    m_sourceShown->setObjectName(QStringLiteral("SourceShown"));

    layout->addWidget(m_fromPhone);
    layout->addWidget(m_phoneHint);
    layout->addSpacing(12);
    layout->addWidget(m_fromFile);
    auto* pathRow = new QHBoxLayout;
    pathRow->setContentsMargins(24, 0, 0, 0);
    pathRow->addWidget(m_pathLabel);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    layout->addLayout(pathRow);
    layout->addStretch(1);
    layout->addWidget(m_sourceShown);

    connect(m_fromPhone, &QRadioButton::toggled, this, [this]() { UpdateLayout(); });
    connect(m_browse, &QPushButton::clicked, this, [this]() { Browse(); });
}

bool CCopyWizSrcDlg::OnInitDialog()
{
    m_path->setMaxLength(MaxPath);
    m_fromPhone->setChecked(true);
    m_path->setText(m_sheet.Context().fleetPath);
    UpdateLayout();
    WatchControls();
    return true;
}

bool CCopyWizSrcDlg::OnSetActive()
{
    if (!CPropertyPageWithHelp::OnSetActive())
        return false;
    m_sheet.SetWizardButtons(CPropertySheetWithHelp::PSWIZB_NEXT);
    return true;
}

void CCopyWizSrcDlg::UpdateLayout()
{
    const bool phone = m_fromPhone->isChecked();
    m_pathLabel->setEnabled(!phone);
    m_path->setEnabled(!phone);
    m_browse->setEnabled(!phone);
    m_phoneHint->setEnabled(phone);
}

void CCopyWizSrcDlg::Browse()
{
    const QString current = m_path->text();
    const int slash = current.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash > 0 ? current.left(slash) : QString();
    QFileDialog dialog(this, QString(), folder, CVelmoraWrap::LoadString(CopyWizText::FileFilter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.selectFile(QStringLiteral("*.vlf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_path->setText(dialog.selectedFiles().first());
}

int CCopyWizSrcDlg::OnWizardNext()
{
    CCopyWizardState& state = m_sheet.State();
    bool ok = false;
    if (m_fromPhone->isChecked()) {
        state.sourceKind = CCopyWizardState::FromPhone;
        ok = ReadFromPhone();
    } else {
        state.sourceKind = CCopyWizardState::FromFile;
        if (m_path->text().trimmed().isEmpty()) {
            CVelmoraWrap::ShowError(CopyWizMsg::EmptyPath, VMT_ERROR);
            m_path->setFocus();
            return -1;
        }
        ok = ChooseFromFile();
    }
    if (!ok)
        return -1;
    state.ApplyModelRules(m_sheet.Rules());
    m_sourceShown->setText(CVelmoraWrap::LoadString(CopyWizText::SourceShown)
                               .arg(state.sourceImei, QString::number(state.modelType)));
    return kDefault;
}

bool CCopyWizSrcDlg::ReadFromPhone()
{
    const CCopyWizardSheet::Busy busy(&m_sheet);
    CCopySource source(m_sheet.Context().settings, m_sheet.Rules(), m_sheet);
    const CVelmoraError error = source.ReadFromPhone(m_sheet.State(), m_sheet.Context().prompt, m_sheet);
    m_sheet.Report(error);
    return !error.IsError();
}

bool CCopyWizSrcDlg::ChooseFromFile()
{
    CCopyWizardState& state = m_sheet.State();
    CCopySource source(m_sheet.Context().settings, m_sheet.Rules(), m_sheet);
    QList<CCopySource::Choice> choices;
    {
        const CCopyWizardSheet::Busy busy(&m_sheet);
        CVelmoraError error = source.OpenFile(state, m_path->text().trimmed());
        if (!error)
            error = CCopySource::ListUnits(state.Source()->Database(), choices);
        if (error) {
            m_sheet.Report(error);
            state.FreeSource();
            return false;
        }
    }
    CChoosePhoneDlg dialog(choices, this);
    dialog.SetHelpHandler([this](int context) { m_sheet.RequestHelp(context); });
    if (dialog.exec() != QDialog::Accepted) {
        CVelmoraWrap::ShowError(CopyWizMsg::NoUnitChosen, VMT_ERROR);
        state.FreeSource();
        return false;
    }
    const CVelmoraError error = source.Choose(state, dialog.ChosenImei(), dialog.ChosenModelText());
    m_sheet.Report(error);
    return !error.IsError();
}
