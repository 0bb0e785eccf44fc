#include "CUnitAdvancedPage.h"

#include "CEditSpin.h"
#include "CFilterEdit.h"
#include "CUnitEditIcons.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

using A = CUnitAdvancedSettings;

int CaptionOf(int controlId)
{
    switch (controlId) {
    case A::PowerMode:
        return UnitEditText::AdvPowerMode;
    case A::TalkgroupType:
        return UnitEditText::AdvTalkgroupType;
    case A::ActiveLine:
        return UnitEditText::AdvActiveLine;
    case A::Line1RingTone:
        return UnitEditText::AdvLine1Ring;
    case A::Line2RingTone:
        return UnitEditText::AdvLine2Ring;
    case A::AutoPowerDownTimer:
        return UnitEditText::AdvPowerDownTimer;
    case A::CallAlertStackTimer:
        return UnitEditText::AdvCallAlertTimer;
    case A::Iso:
        return UnitEditText::AdvIso;
    case A::SilentAudio:
        return UnitEditText::AdvSilentAudio;
    case A::NetMode:
        return UnitEditText::AdvNetMode;
    case A::Language:
        return UnitEditText::AdvLanguage;
    case A::BaudRate:
        return UnitEditText::AdvBaudRate;
    default:
        return 0;
    }
}

} // namespace

CUnitAdvancedPage::CUnitAdvancedPage(const CUnitSheetUnit& unit, QWidget* parent)
    : CUnitSheetPage(UnitPage::Advanced, DialogId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(UnitPage::Advanced)), parent),
      m_settings(unit)
{
    setObjectName(QStringLiteral("AdvancedPage"));
    SetIcon(CUnitEditIcons::PageIcon(CUnitEditIcons::SettingsPageIcon));
    BuildControls();
}

void CUnitAdvancedPage::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (int id : A::ComboIds()) {
        auto* combo = new QComboBox(this);
        combo->setProperty("controlId", id);
        combo->setMinimumContentsLength(12);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setEnabled(false);
        m_combos.insert(id, combo);
        form->addRow(CVelmoraWrap::LoadString(CaptionOf(id)), combo);
        // Only the user's choices reach the settings; filling the list does not.
        connect(combo, qOverload<int>(&QComboBox::activated), this,
                [this, id](int index) { m_settings.SetSelection(id, index); });
    }
    for (int id : A::EditIds()) {
        auto* edit = new CFilterEdit(this);
        edit->setProperty("controlId", id);
        edit->setMaxLength(A::TimerMaxLength);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
        edit->setEnabled(false);
        m_edits.insert(id, edit);
        auto* row = new QHBoxLayout();
        row->addWidget(edit);
        if (id == A::AutoPowerDownTimer) {
            auto* spin = new CEditSpin(edit, A::TimerMax, this);
            spin->setProperty("controlId", id);
            spin->setObjectName(QStringLiteral("spin%1").arg(id));
            row->addWidget(spin);
        }
        row->addStretch(1);
        form->addRow(CVelmoraWrap::LoadString(CaptionOf(id)), row);
        connect(edit, &QLineEdit::textEdited, this,
                [this, id](const QString& text) { m_settings.SetText(id, text); });
        edit->SetLeaveHandler([this, id](int, QLineEdit*, QWidget*) { return CheckEdit(id); });
    }
    layout->addLayout(form);
    auto* checks = new QHBoxLayout();
    for (int id : A::CheckIds()) {
        auto* box = new QCheckBox(CVelmoraWrap::LoadString(CaptionOf(id)), this);
        box->setProperty("controlId", id);
        box->setEnabled(false);
        m_checks.insert(id, box);
        checks->addWidget(box);
        connect(box, &QCheckBox::clicked, this,
                [this, id](bool checked) { m_settings.SetChecked(id, checked); });
    }
    checks->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(checks);
    layout->addStretch(1);
}

bool CUnitAdvancedPage::OnInitDialog()
{
    // Loading makes the unit's settings record when it has none; that record stays even if the
    // sheet is cancelled.
    if (CVelmoraError error = m_settings.Load()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    ShowValues();
    return true;
}

void CUnitAdvancedPage::ShowValues()
{
    for (auto it = m_combos.constBegin(); it != m_combos.constEnd(); ++it) {
        QComboBox* combo = it.value();
        combo->clear();
        for (const CSheetComboEntry& entry : m_settings.Entries(it.key()))
            combo->addItem(entry.Caption(), entry.data);
        combo->setCurrentIndex(m_settings.Selection(it.key()));
        // An empty list (a model without languages) leaves nothing to choose.
        combo->setEnabled(m_settings.IsEnabled(it.key()) && combo->count() > 0);
    }
    for (auto it = m_edits.constBegin(); it != m_edits.constEnd(); ++it) {
        it.value()->setText(m_settings.Text(it.key()));
        it.value()->setEnabled(m_settings.IsEnabled(it.key()));
    }
    if (auto* spin = findChild<CEditSpin*>(QStringLiteral("spin%1").arg(int(A::AutoPowerDownTimer))))
        spin->setEnabled(m_settings.IsEnabled(A::AutoPowerDownTimer));
    for (auto it = m_checks.constBegin(); it != m_checks.constEnd(); ++it) {
        it.value()->setChecked(m_settings.IsChecked(it.key()));
        it.value()->setEnabled(m_settings.IsEnabled(it.key()));
    }
}

bool CUnitAdvancedPage::CheckEdit(int editId)
{
    CFilterEdit* edit = m_edits.value(editId);
    m_settings.SetText(editId, edit->text());
    if (CVelmoraError error = m_settings.CheckEdit(editId)) {
        CVelmoraWrap::ShowError(error);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}

bool CUnitAdvancedPage::OnKillActive()
{
    if (!m_settings.IsLoaded())
        return true;
    for (int id : A::EditIds()) {
        if (!CheckEdit(id))
            return false;
    }
    return true;
}

CVelmoraError CUnitAdvancedPage::Save(bool& changed)
{
    for (int id : A::EditIds())
        m_settings.SetText(id, m_edits.value(id)->text());
    return m_settings.Save(&changed);
}
