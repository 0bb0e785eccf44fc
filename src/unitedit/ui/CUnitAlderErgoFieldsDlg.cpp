#include "CUnitAlderErgoFieldsDlg.h"

#include "CEditSpin.h"
#include "CGridListType.h"
#include "CUnitCopyOpener.h"
#include "CUnitEditIcons.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

using R = CAlderErgoRows;

enum : int
{
    TextStandardStyle = 7702, // the rows hold style 0
    TextStyleShown = 7703,    // "... style %1."
    TextSectionLabel = 7704,
    TextNotLoaded = 7705,
    MsgCopiesStored = 7858, // copy sends the stored tables, not the changes on the page
    TextStyleNumber = 2013,
    TextMenuOrder = 2014,
};

CGridCellStyle ValueStyle(int row)
{
    CGridCellStyle style;
    switch (R::KindOf(row)) {
    case R::Kind::Text:
        style.control = CGridCellStyle::RangeEdit;
        style.maxLength = R::MaxLength(row);
        break;
    case R::Kind::Check:
        style.control = CGridCellStyle::CheckBox;
        break;
    case R::Kind::Choice:
        style.control = CGridCellStyle::TabbedCombo;
        style.choiceList = R::ChoiceList(R::ListOf(row));
        break;
    case R::Kind::Unused:
        style.control = CGridCellStyle::StaticText;
        style.readOnly = true;
        break;
    }
    return style;
}

} // namespace

CUnitAlderErgoFieldsDlg::CUnitAlderErgoFieldsDlg(const CUnitSheetUnit& unit,
                                                 const CAlderErgoSwitches& switches, bool hebrew,
                                                 QWidget* parent)
    : CUnitSheetPage(UnitPage::Ergonomic, F::DialogId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(UnitPage::Ergonomic)), parent),
      m_fields(unit, switches)
{
    setObjectName(QStringLiteral("AlderErgoPage"));
    BuildControls(hebrew);
}

CUnitAlderErgoFieldsDlg::~CUnitAlderErgoFieldsDlg() = default;

void CUnitAlderErgoFieldsDlg::BuildControls(bool hebrew)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* sectionLabel = new QLabel(CVelmoraWrap::LoadString(TextSectionLabel), this);
    m_sections = new QComboBox(this);
    m_sections->setProperty("controlId", int(F::SectionChooser));
    sectionLabel->setBuddy(m_sections);
    m_styleLabel = new QLabel(CVelmoraWrap::LoadString(TextStyleNumber), this);
    m_styleNumber = new QLineEdit(this);
    m_styleNumber->setProperty("controlId", int(F::StyleNumber));
    m_styleNumber->setMaxLength(2);
    m_styleNumber->setFixedWidth(40);
    m_styleNumber->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), m_styleNumber));
    m_styleLabel->setBuddy(m_styleNumber);
    m_spin = new CEditSpin(m_styleNumber, R::MaxStyle, this);
    m_spin->setProperty("controlId", int(F::StyleSpin));
    top->addWidget(sectionLabel);
    top->addWidget(m_sections, 1);
    top->addSpacing(16);
    top->addWidget(m_styleLabel);
    top->addWidget(m_styleNumber);
    top->addWidget(m_spin);
    layout->addLayout(top);
    m_note = new QLabel(this);
    m_note->setProperty("controlId", int(F::StyleNote));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    auto* body = new QHBoxLayout();
    CGridSettings settings;
    settings.rightToLeft = hebrew;
    m_grid = new CVelmoraGridWnd(CGridListType::AlderErgoList, 0, settings, this);
    m_grid->setProperty("controlId", int(F::GridControl));
    // The values take the width the section leaves the grid.
    m_grid->horizontalHeader()->setSectionResizeMode(CVelmoraGridModel::ModelCol(2), QHeaderView::Stretch);
    body->addWidget(m_grid, 3);

    m_side = new QWidget(this);
    auto* side = new QVBoxLayout(m_side);
    side->setContentsMargins(0, 0, 0, 0);
    m_menuLabel = new QLabel(CVelmoraWrap::LoadString(TextMenuOrder), m_side);
    m_menu = new QListWidget(m_side);
    m_menu->setProperty("controlId", int(F::MenuList));
    m_menuLabel->setBuddy(m_menu);
    side->addWidget(m_menuLabel);
    side->addWidget(m_menu, 1);
    side->addWidget(AddButton(F::MoveUp, UnitEditText::PhoneMoveUp));
    side->addWidget(AddButton(F::MoveDown, UnitEditText::PhoneMoveDown));
    side->addWidget(AddButton(F::CopyUserInfo, UnitEditText::PhoneCopyUserInfo));
    side->addStretch(0);
    body->addWidget(m_side, 1);
    layout->addLayout(body, 1);

    m_buttons.value(F::MoveUp)->setIcon(CUnitEditIcons::ButtonIcon(CUnitEditIcons::MoveUpBitmap));
    m_buttons.value(F::MoveDown)->setIcon(CUnitEditIcons::ButtonIcon(CUnitEditIcons::MoveDownBitmap));
    m_buttons.value(F::CopyUserInfo)->setIcon(CUnitEditIcons::ButtonIcon(CUnitEditIcons::CopyUserBitmap));
    // Copy sends the unit's stored ergonomic tables to other units; it waits for its dialog.
    m_buttons.value(F::CopyUserInfo)->setEnabled(CUnitCopyOpener::Installed());

    // The grid keeps Tab for its cells: the controls around it come first (Alt+S reaches the chooser).
    QWidget::setTabOrder(m_sections, m_styleNumber);
    QWidget::setTabOrder(m_styleNumber, m_menu);
    QWidget::setTabOrder(m_menu, m_buttons.value(F::MoveUp));
    QWidget::setTabOrder(m_buttons.value(F::MoveUp), m_buttons.value(F::MoveDown));
    QWidget::setTabOrder(m_buttons.value(F::MoveDown), m_buttons.value(F::CopyUserInfo));
    QWidget::setTabOrder(m_buttons.value(F::CopyUserInfo), m_grid);
    connect(m_sections, &QComboBox::activated, this, &CUnitAlderErgoFieldsDlg::OnSectionChosen);
    connect(m_styleNumber, &QLineEdit::textEdited, this, &CUnitAlderErgoFieldsDlg::OnStyleNumberEdited);
    connect(m_grid->Model(), &QAbstractItemModel::dataChanged, this, [this]() {
        if (!m_filling)
            SetModified();
    });
    BuildRows();
}

QPushButton* CUnitAlderErgoFieldsDlg::AddButton(int controlId, int textId)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), this);
    button->setProperty("controlId", controlId);
    button->setAutoDefault(false);
    m_buttons.insert(controlId, button);
    connect(button, &QPushButton::clicked, this, [this, controlId]() { PressButton(controlId); });
    return button;
}

QWidget* CUnitAlderErgoFieldsDlg::Control(int controlId) const
{
    switch (controlId) {
    case F::SectionChooser:
        return m_sections;
    case F::StyleNumber:
        return m_styleNumber;
    case F::StyleSpin:
        return m_spin;
    case F::StyleNote:
        return m_note;
    case F::MenuList:
        return m_menu;
    case F::GridControl:
        return m_grid;
    default:
        return m_buttons.value(controlId);
    }
}

void CUnitAlderErgoFieldsDlg::BuildRows()
{
    m_filling = true;
    m_grid->SetRowCount(R::RowCount);
    for (int row = 1; row <= R::RowCount; ++row) {
        const int caption = R::CaptionId(row);
        m_grid->SetValue(row, 1, caption ? CVelmoraWrap::LoadString(caption) : QString());
        m_grid->Model()->SetCellStyle(row, 2, ValueStyle(row));
        m_grid->SetRowHidden(row, true);
    }
    m_filling = false;
}

bool CUnitAlderErgoFieldsDlg::OnInitDialog()
{
    const CVelmoraError error = m_fields.Load();
    m_loadFailed = error.IsError();
    if (error) {
        // Defaults shown for rows that could not be read are not saved over them.
        CVelmoraWrap::ShowError(error);
        m_grid->setEnabled(false);
        m_menu->setEnabled(false);
        m_styleNumber->setEnabled(false);
        m_spin->setEnabled(false);
    }
    m_sections->clear();
    for (const F::SectionEntry& entry : m_fields.Sections())
        m_sections->addItem(entry.Caption(), int(entry.section));
    m_sections->setCurrentIndex(0);
    // Room for the longest captions; the values take the rest of the grid's width whatever the
    // section leaves it, so no width is kept between sheets.
    m_grid->setColumnWidth(CVelmoraGridModel::ModelCol(1), 220);
    ShowSection(F::General);
    WatchControls();
    return true;
}

void CUnitAlderErgoFieldsDlg::StoreVisible()
{
    if (!m_rowsFilled)
        return;
    m_fields.StoreVisible([this](int row) { return m_grid->Value(row, 2); });
}

bool CUnitAlderErgoFieldsDlg::ShowSection(int section)
{
    const int index = m_sections->findData(section);
    if (index < 0 || !OnKillActive())
        return false;
    StoreVisible();
    m_fields.SetSection(F::Section(section));
    m_sections->setCurrentIndex(index);
    FillVisibleRows();
    if (section == F::Personalise)
        FillMenu(m_menu->currentRow() < 0 ? 0 : m_menu->currentRow());
    UpdateControls();
    return true;
}

void CUnitAlderErgoFieldsDlg::OnSectionChosen(int index)
{
    const int section = m_sections->itemData(index).toInt();
    if (section == m_fields.CurrentSection())
        return;
    if (!ShowSection(section))
        m_sections->setCurrentIndex(m_sections->findData(int(m_fields.CurrentSection())));
}

void CUnitAlderErgoFieldsDlg::FillVisibleRows()
{
    m_filling = true;
    const QList<int> visible = m_fields.VisibleRows();
    for (int row = 1; row <= R::RowCount; ++row) {
        const bool shown = visible.contains(row);
        if (shown)
            m_grid->SetValue(row, 2, m_fields.CellValue(row));
        m_grid->SetRowHidden(row, !shown);
    }
    m_filling = false;
    m_rowsFilled = true;
    if (!visible.isEmpty())
        m_grid->SetCurrentCell(visible.first(), 2);
}

void CUnitAlderErgoFieldsDlg::FillMenu(int selected)
{
    m_menu->clear();
    for (int value : m_fields.Image().Menu())
        m_menu->addItem(F::MenuItemText(value));
    if (m_menu->count() > 0)
        m_menu->setCurrentRow(qBound(0, selected, m_menu->count() - 1));
}

void CUnitAlderErgoFieldsDlg::UpdateControls()
{
    for (int id : {int(F::StyleSpin), int(F::StyleNumber), int(F::StyleNote), int(F::MoveUp),
                   int(F::MoveDown), int(F::CopyUserInfo), int(F::MenuList)})
        Control(id)->setVisible(m_fields.ControlShown(id));
    m_styleLabel->setVisible(m_fields.ControlShown(F::StyleNumber));
    m_menuLabel->setVisible(m_fields.ControlShown(F::MenuList));
    // Without buttons or menu the grid takes the page's width.
    m_side->setVisible(m_fields.ControlShown(F::MoveUp) || m_fields.ControlShown(F::CopyUserInfo) ||
                       m_fields.ControlShown(F::MenuList));
    if (m_fields.CurrentSection() == F::Styles)
        m_styleNumber->setText(QString::number(m_fields.ShownStyle()));
    const int style = m_fields.ShownStyle();
    if (m_loadFailed) {
        // Said in every section: nothing shown here is saved.
        m_note->setVisible(true);
        m_note->setText(CVelmoraWrap::LoadString(TextNotLoaded));
    } else {
        m_note->setText(style == 0 ? CVelmoraWrap::LoadString(TextStandardStyle)
                                   : CVelmoraWrap::LoadString(TextStyleShown).arg(style));
    }
}

void CUnitAlderErgoFieldsDlg::OnStyleNumberEdited(const QString& text)
{
    if (m_fields.CurrentSection() != F::Styles || !OnKillActive())
        return;
    // The cells of the style shown so far go into the image before another style is shown.
    StoreVisible();
    bool changed = false;
    const QString shown = m_fields.EnterStyleNumber(text, &changed);
    if (shown != text)
        m_styleNumber->setText(shown);
    if (changed) {
        FillVisibleRows();
        UpdateControls();
    }
}

void CUnitAlderErgoFieldsDlg::PressButton(int controlId)
{
    switch (controlId) {
    case F::MoveUp:
    case F::MoveDown:
        if (m_fields.CurrentSection() == F::Personalise)
            MoveMenu(controlId == F::MoveUp);
        else if (m_fields.CurrentSection() == F::Shortcuts)
            MoveShortcut(controlId == F::MoveUp);
        break;
    case F::CopyUserInfo:
        // The copy sends the unit's tables: say so when the page holds changes not saved yet.
        StoreVisible();
        if (m_fields.HasUnsavedChanges())
            CVelmoraWrap::ShowError(CVelmoraError::Message(MsgCopiesStored, {}, VMT_NOTICE));
        CUnitCopyOpener::Run(*this, CUnitCopyOpener::AlderErgonomics, 1);
        break;
    default:
        break;
    }
}

void CUnitAlderErgoFieldsDlg::MoveMenu(bool up)
{
    const int index = m_menu->currentRow();
    if (index < 0 || !m_fields.Image().MoveMenuItem(index, up))
        return;
    FillMenu(up ? index - 1 : index + 1);
    SetModified();
}

void CUnitAlderErgoFieldsDlg::MoveShortcut(bool up)
{
    if (!OnKillActive())
        return;
    StoreVisible();
    const int to = m_fields.MoveShortcut(m_grid->CurrentRow(), up);
    if (to == 0)
        return;
    FillVisibleRows();
    m_grid->SetCurrentCell(to, 2);
    SetModified();
}

bool CUnitAlderErgoFieldsDlg::OnKillActive()
{
    return !m_grid->IsEditing() || m_grid->EndEdit();
}

CVelmoraError CUnitAlderErgoFieldsDlg::Save(bool& changed)
{
    changed = false;
    if (!OnKillActive())
        return CVelmoraError::Cancelled();
    StoreVisible();
    return m_fields.Save(changed);
}
