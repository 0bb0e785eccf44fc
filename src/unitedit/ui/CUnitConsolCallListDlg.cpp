#include "CUnitConsolCallListDlg.h"

#include "CConsolNumberType.h"
#include "CGridListType.h"
#include "CListDialogHooks.h"
#include "CUnitCopyOpener.h"
#include "CUnitEditIcons.h"
#include "CUnitListReloadFlags.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using L = CUnitConsolCallList;

// Restores the cursor however the load ends.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CUnitConsolCallListDlg::CUnitConsolCallListDlg(const CUnitSheetUnit& unit, bool hebrew,
                                               CUnitListReloadFlags* reloadFlags, QWidget* parent)
    : CUnitSheetPage(UnitPage::Consolidated, DialogId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(UnitPage::Consolidated)), parent),
      m_list(unit, hebrew), m_reloadFlags(reloadFlags)
{
    setObjectName(QStringLiteral("ConsolCallListPage"));
    SetIcon(CUnitEditIcons::PageIcon(m_list.TabIconId()));
    BuildControls(hebrew);
}

CUnitConsolCallListDlg::~CUnitConsolCallListDlg() = default;

CGridSettings CUnitConsolCallListDlg::GridSettingsOf(const CUnitSheetUnit& unit, bool hebrew)
{
    CGridSettings settings;
    settings.capacities.consolidated = unit.profile.capacities.consolidated;
    settings.callListTypeChoices = CConsolNumberType::Choices();
    settings.rightToLeft = hebrew;
    settings.enterKeyAction = CGridSettings::EnterMovesRight;
    return settings;
}

void CUnitConsolCallListDlg::BuildControls(bool hebrew)
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout();
    m_grid =
        new CVelmoraGridWnd(CGridListType::ConsolCallList, 0, GridSettingsOf(m_list.Unit(), hebrew), this);
    m_grid->setProperty("controlId", int(L::GridControl));
    m_list.Attach(m_grid->Model());
    m_grid->SetColumnHidden(L::ColNameLang, true); // the column the list adds to the list type's
    // Names and type captions read right to left in a mirrored grid, as in the phone list (a name
    // "Team A'" in Hebrew keeps its apostrophe at its end); numbers stay left to right.
    for (int col : {int(L::ColName), int(L::ColType)}) {
        CGridCellStyle style = m_grid->Model()->ColumnStyle(col);
        style.rtlReading = true;
        m_grid->Model()->SetColumnStyle(col, style);
    }
    m_count = new QLabel(this);
    m_count->setProperty("controlId", int(EntryCountLabel));
    left->addWidget(m_grid, 1);
    left->addWidget(m_count);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout();
    buttons->addWidget(AddButton(L::MoveUp, UnitEditText::PhoneMoveUp, CUnitEditIcons::MoveUpBitmap));
    buttons->addWidget(AddButton(L::MoveDown, UnitEditText::PhoneMoveDown, CUnitEditIcons::MoveDownBitmap));
    buttons->addWidget(AddButton(L::ClearRows, UnitEditText::PhoneClear, CUnitEditIcons::ClearBitmap));
    auto* sort = new QGroupBox(CVelmoraWrap::LoadString(UnitEditText::ConsolSort), this);
    sort->setProperty("controlId", int(SortGroup));
    auto* sortLayout = new QVBoxLayout(sort);
    auto* sortButtons = new QButtonGroup(sort);
    for (auto [id, text] : {std::pair{int(L::SortByName), int(UnitEditText::PhoneSortByName)},
                            std::pair{int(L::SortByNumber), int(UnitEditText::PhoneSortByNumber)},
                            std::pair{int(L::SortByType), int(UnitEditText::ConsolSortByType)}}) {
        QRadioButton* radio = AddSort(id, text);
        radio->setParent(sort);
        sortButtons->addButton(radio);
        sortLayout->addWidget(radio);
    }
    buttons->addWidget(sort);
    buttons->addSpacing(12);
    buttons->addWidget(
        AddButton(L::CopyUserInfo, UnitEditText::PhoneCopyUserInfo, CUnitEditIcons::CopyUserBitmap));
    buttons->addWidget(AddButton(L::AutoFill, UnitEditText::PhoneAutoFill, CUnitEditIcons::AutoFillBitmap));
    buttons->addWidget(
        AddButton(L::PhoneBookTransfer, UnitEditText::PhoneBookTransfer, CUnitEditIcons::TransferBitmap));
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // Auto fill is not part of this program yet; copy waits for the sheet, the transfer for its opener.
    for (int id : {int(L::CopyUserInfo), int(L::AutoFill), int(L::PhoneBookTransfer)})
        m_buttons.value(id)->setEnabled(false);
    m_buttons.value(L::PhoneBookTransfer)->setVisible(m_list.Unit().IsAlder());

    connect(m_grid, &CVelmoraGridWnd::DeleteKeyPressed, this, &CUnitConsolCallListDlg::OnDeleteKey);
    connect(m_grid->Model(), &QAbstractItemModel::dataChanged, this, [this]() { UpdateCount(); });
    connect(m_grid->Model(), &QAbstractItemModel::modelReset, this, [this]() { UpdateCount(); });
}

QPushButton* CUnitConsolCallListDlg::AddButton(int controlId, int textId, int bitmapId)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), this);
    button->setProperty("controlId", controlId);
    button->setAutoDefault(false);
    if (bitmapId)
        button->setIcon(CUnitEditIcons::ButtonIcon(bitmapId));
    m_buttons.insert(controlId, button);
    connect(button, &QPushButton::clicked, this, [this, controlId]() { PressButton(controlId); });
    return button;
}

QRadioButton* CUnitConsolCallListDlg::AddSort(int controlId, int textId)
{
    auto* radio = new QRadioButton(CVelmoraWrap::LoadString(textId), this);
    radio->setProperty("controlId", controlId);
    m_buttons.insert(controlId, radio);
    connect(radio, &QRadioButton::clicked, this, [this, controlId]() { PressButton(controlId); });
    return radio;
}

void CUnitConsolCallListDlg::ApplyDefaultWidths()
{
    // Room for a whole name (11 characters) and a long number without eliding either.
    const QFontMetrics cells = m_grid->fontMetrics();
    const int name = cells.horizontalAdvance(QString(13, QLatin1Char('n'))) + 12;
    const int number = cells.horizontalAdvance(QString(16, QLatin1Char('8'))) + 12;
    m_grid->setColumnWidth(CVelmoraGridModel::ModelCol(L::ColName),
                           qMax(name, m_grid->DefaultColumnWidth(L::ColName)));
    m_grid->setColumnWidth(CVelmoraGridModel::ModelCol(L::ColNumber),
                           qMax(number, m_grid->DefaultColumnWidth(L::ColNumber)));
}

void CUnitConsolCallListDlg::SetTransferOpener(TransferOpener opener)
{
    m_transferOpener = std::move(opener);
    m_buttons.value(L::PhoneBookTransfer)->setEnabled(m_transferOpener && m_list.Unit().IsAlder());
}

bool CUnitConsolCallListDlg::OnInitDialog()
{
    WaitCursor wait;
    if (CVelmoraError error = m_list.Open()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    if (!m_grid->LoadColumnWidths())
        ApplyDefaultWidths();
    if (m_reloadFlags)
        m_reloadFlags->Clear(UnitPage::Consolidated);
    m_buttons.value(L::AutoFill)
        ->setEnabled(qobject_cast<CUnitPropertySheet*>(Sheet()) && CListDialogHooks::AutoFillHook());
    m_buttons.value(L::CopyUserInfo)->setEnabled(Sheet() && CUnitCopyOpener::Installed());
    UpdateCount();
    return true;
}

bool CUnitConsolCallListDlg::OnSetActive()
{
    CUnitSheetPage::OnSetActive();
    // Another dialog rewrote the rows in the twin: show them.
    if (m_reloadFlags && m_reloadFlags->Take(UnitPage::Consolidated)) {
        ShowErrorOf(m_list.Reload());
        UpdateCount();
    }
    return true;
}

bool CUnitConsolCallListDlg::OnKillActive()
{
    return !m_grid->IsEditing() || m_grid->EndEdit();
}

void CUnitConsolCallListDlg::ShowErrorOf(const CVelmoraError& error)
{
    if (error)
        CVelmoraWrap::ShowError(error);
}

void CUnitConsolCallListDlg::Move(bool up)
{
    if (!OnKillActive())
        return;
    int newRow = -1;
    const CVelmoraError error = m_list.Move(m_grid->SelectedRows(), up, newRow);
    if (error) {
        ShowErrorOf(error);
        return;
    }
    m_grid->SetCurrentCell(newRow, qMax(1, m_grid->CurrentCol()));
    m_grid->selectRow(CVelmoraGridModel::ModelRow(newRow));
}

void CUnitConsolCallListDlg::OnDeleteKey()
{
    PressButton(L::ClearRows);
}

void CUnitConsolCallListDlg::PressButton(int controlId)
{
    switch (controlId) {
    case L::MoveUp:
    case L::MoveDown:
        Move(controlId == L::MoveUp);
        break;
    case L::ClearRows:
        if (OnKillActive())
            ShowErrorOf(m_list.Clear(m_grid->SelectedRows()));
        break;
    case L::SortByName:
    case L::SortByNumber:
    case L::SortByType:
        m_buttons.value(controlId)->setChecked(true);
        if (OnKillActive())
            m_list.SetSort(controlId);
        break;
    case L::CopyUserInfo:
        CUnitCopyOpener::Run(*this, CUnitCopyOpener::Consolidated, 1);
        break;
    case L::PhoneBookTransfer:
        OpenTransfer();
        break;
    case L::AutoFill:
        if (auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
            sheet && CListDialogHooks::AutoFillHook() && OnKillActive())
            CListDialogHooks::AutoFillHook()(*sheet, UnitPage::Consolidated, this);
        break;
    default:
        break;
    }
    UpdateCount();
}

void CUnitConsolCallListDlg::OpenTransfer()
{
    if (!m_transferOpener || !OnKillActive())
        return;
    // The dialog works on the twin: it gets the rows as the grid shows them.
    const CUnitListWriteResult written = m_list.WriteBack();
    if (!written) {
        if (m_list.LastFailedRow() > 0)
            m_grid->SetCurrentCell(m_list.LastFailedRow(), L::ColNumber);
        ShowErrorOf(written.error);
        return;
    }
    if (!m_transferOpener(*this))
        return;
    ShowErrorOf(m_list.Reload());
    if (m_reloadFlags) {
        m_reloadFlags->Set(UnitPage::PhoneList);
        m_reloadFlags->Set(UnitPage::PrivateList);
    }
}

void CUnitConsolCallListDlg::UpdateCount()
{
    int entries = 0;
    for (int row = 1; row <= m_grid->RowCount(); ++row) {
        if (!m_grid->Value(row, L::ColNumber).isEmpty())
            ++entries;
    }
    m_count->setText(
        CVelmoraWrap::LoadString(UnitEditText::ConsolEntryCount).arg(entries).arg(int(L::Capacity)));
}

CVelmoraError CUnitConsolCallListDlg::Save(bool& changed)
{
    changed = false;
    // The cell in edit is part of the save; a refused text has shown its warning.
    if (m_grid->IsEditing() && !m_grid->EndEdit())
        return CVelmoraError::Cancelled();
    const CVelmoraError error = m_list.Save(changed);
    if (error.Stops() && m_list.LastFailedRow() > 0)
        m_grid->SetCurrentCell(m_list.LastFailedRow(), L::ColNumber);
    return error;
}

void CUnitConsolCallListDlg::OnSheetClosed(bool accepted)
{
    Q_UNUSED(accepted);
    m_grid->SaveColumnWidths();
    ShowErrorOf(m_list.Close());
}
