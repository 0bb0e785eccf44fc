#include "CDefaultValueDlg.h"

#include "CVelmoraWrap.h"
#include "UnitsMessageIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kTextOk = 7244;
constexpr int kTextCancel = 7245;

} // namespace

CDefaultValueDlg::CDefaultValueDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DefaultValue"));
    setProperty("helpContext", 135686); // help context: the units view help
    setWindowTitle(CVelmoraWrap::LoadString(UnitsMsg::NewUnitTitle));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(CVelmoraWrap::LoadString(UnitsMsg::NewUnitQuestion), this);
    question->setWordWrap(true);
    question->setMinimumWidth(360);
    layout->addWidget(question);
    m_byHand = new QRadioButton(CVelmoraWrap::LoadString(UnitsMsg::NewUnitByHand), this);
    m_byHand->setObjectName(QStringLiteral("byHand"));
    m_byHand->setChecked(true);
    m_fromPhone = new QRadioButton(CVelmoraWrap::LoadString(UnitsMsg::NewUnitFromPhone), this);
    m_fromPhone->setObjectName(QStringLiteral("fromPhone"));
    layout->addWidget(m_byHand);
    layout->addWidget(m_fromPhone);
    m_dontShow = new QCheckBox(CVelmoraWrap::LoadString(UnitsMsg::NewUnitDontAsk), this);
    m_dontShow->setObjectName(QStringLiteral("dontShow"));
    layout->addSpacing(6);
    layout->addWidget(m_dontShow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(kTextOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(CVelmoraWrap::LoadString(kTextCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CDefaultValueDlg::SetPhoneChoiceAvailable(bool available)
{
    m_fromPhone->setEnabled(available);
    if (!available)
        m_byHand->setChecked(true);
}

INewUnitPrompt::Answer CDefaultValueDlg::CurrentAnswer() const
{
    Answer answer;
    answer.confirmed = result() == QDialog::Accepted;
    answer.choice = m_fromPhone->isChecked() ? FromPhone : ByHand;
    answer.dontShowAgain = m_dontShow->isChecked();
    return answer;
}

INewUnitPrompt::Answer CDefaultValueDlg::AskNewUnit(bool phoneChoiceAvailable)
{
    m_byHand->setChecked(true);
    m_dontShow->setChecked(false);
    SetPhoneChoiceAvailable(phoneChoiceAvailable);
    exec();
    return CurrentAnswer();
}
