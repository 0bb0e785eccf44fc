#include "CUnitPhoneListDlg.h"

#include "CGridListType.h"
#include "CListDialogHooks.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CUnitCopyOpener.h"
#include "CUnitEditIcons.h"
#include "CUnitListReloadFlags.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using L = CUnitPhoneList;

// Restores the cursor however the load ends.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CUnitPhoneListDlg::CUnitPhoneListDlg(const CUnitSheetUnit& unit, bool hebrew,
                                     CUnitListReloadFlags* reloadFlags, QWidget* parent)
    : CUnitSheetPage(UnitPage::PhoneList, DialogId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(UnitPage::PhoneList)), parent),
      m_list(unit, hebrew), m_reloadFlags(reloadFlags)
{
    setObjectName(QStringLiteral("PhoneListPage"));
    SetIcon(CUnitEditIcons::PageIcon(m_list.TabIconId()));
    BuildControls(hebrew);
}

CUnitPhoneListDlg::~CUnitPhoneListDlg() = default;

CGridSettings CUnitPhoneListDlg::GridSettingsOf(const CUnitSheetUnit& unit, bool hebrew)
{
    CGridSettings settings;
    const CModelProfile::ListCapacities& c = unit.profile.capacities;
    settings.capacities.phoneBook = c.phoneBook;
    settings.capacities.privateList = c.privateList;
    settings.capacities.talkgroups = c.talkgroups;
    settings.capacities.scanList = c.scanList;
    settings.capacities.statusMessages = c.statusMessages;
    settings.capacities.consolidated = c.consolidated;
    settings.rightToLeft = hebrew;
    return settings;
}

void CUnitPhoneListDlg::BuildControls(bool hebrew)
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout();
    m_grid = new CVelmoraGridWnd(CGridListType::PhoneList, 0, GridSettingsOf(m_list.Unit(), hebrew), this);
    m_grid->setProperty("controlId", int(L::GridControl));
    m_list.Attach(m_grid->Model());
    m_count = new QLabel(this);
    m_count->setProperty("controlId", int(EntryCountLabel));
    left->addWidget(m_grid, 1);
    left->addWidget(m_count);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout();
    buttons->addWidget(AddButton(L::MoveUp, UnitEditText::PhoneMoveUp, CUnitEditIcons::MoveUpBitmap));
    buttons->addWidget(AddButton(L::MoveDown, UnitEditText::PhoneMoveDown, CUnitEditIcons::MoveDownBitmap));
    buttons->addWidget(AddButton(L::ClearRows, UnitEditText::PhoneClear, CUnitEditIcons::ClearBitmap));
    buttons->addSpacing(12);
    buttons->addWidget(AddButton(L::SortByName, UnitEditText::PhoneSortByName, 0));
    buttons->addWidget(AddButton(L::SortByNumber, UnitEditText::PhoneSortByNumber, 0));
    buttons->addSpacing(12);
    buttons->addWidget(
        AddButton(L::CopyUserInfo, UnitEditText::PhoneCopyUserInfo, CUnitEditIcons::CopyUserBitmap));
    buttons->addWidget(AddButton(L::AutoFill, UnitEditText::PhoneAutoFill, CUnitEditIcons::AutoFillBitmap));
    buttons->addWidget(
        AddButton(L::PhoneBookTransfer, UnitEditText::PhoneBookTransfer, CUnitEditIcons::TransferBitmap));
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // Auto fill is not part of this program yet; copy and the transfer wait for the sheet (OnInitDialog).
    for (int id : {int(L::CopyUserInfo), int(L::AutoFill), int(L::PhoneBookTransfer)})
        m_buttons.value(id)->setEnabled(false);
    m_buttons.value(L::PhoneBookTransfer)->setVisible(m_list.TransferShown());

    // A double-click on the name or number heading asks the grid's sorts.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int section) {
        OnSortRequest(CVelmoraGridModel::GridColOf(section) == L::ColName ? L::SortRequestName
                                                                          : L::SortRequestNumber);
    });
    connect(m_grid->Model(), &QAbstractItemModel::dataChanged, this, [this]() { UpdateCount(); });
    connect(m_grid->Model(), &QAbstractItemModel::modelReset, this, [this]() { UpdateCount(); });
}

QPushButton* CUnitPhoneListDlg::AddButton(int controlId, int textId, int bitmapId)
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

bool CUnitPhoneListDlg::OnInitDialog()
{
    WaitCursor wait;
    if (CVelmoraError error = m_list.Open()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    m_grid->LoadColumnWidths();
    if (m_reloadFlags)
        m_reloadFlags->Clear(UnitPage::PhoneList);
    auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
    m_buttons.value(L::PhoneBookTransfer)
        ->setEnabled(m_list.TransferShown() && sheet && CTransferPhoneBookDataDlg::Available(*sheet));
    m_buttons.value(L::AutoFill)->setEnabled(sheet && CListDialogHooks::AutoFillHook());
    m_buttons.value(L::CopyUserInfo)->setEnabled(sheet && CUnitCopyOpener::Installed());
    UpdateCount();
    return true;
}

bool CUnitPhoneListDlg::OnSetActive()
{
    CUnitSheetPage::OnSetActive();
    // Another dialog rewrote the rows in the twin: show them.
    if (m_reloadFlags && m_reloadFlags->Take(UnitPage::PhoneList)) {
        if (CVelmoraError error = m_list.Reload())
            CVelmoraWrap::ShowError(error);
        UpdateCount();
    }
    return true;
}

bool CUnitPhoneListDlg::OnKillActive()
{
    return !m_grid->IsEditing() || m_grid->EndEdit();
}

void CUnitPhoneListDlg::ShowErrorOf(const CVelmoraError& error)
{
    if (error)
        CVelmoraWrap::ShowError(error);
}

void CUnitPhoneListDlg::Move(bool up)
{
    if (!OnKillActive())
        return;
    int newRow = -1;
    const CVelmoraError error = m_list.Move(m_grid->SelectedRows(), up, newRow);
    if (error) {
        ShowErrorOf(error);
        return;
    }
    const int col = qMax(1, m_grid->CurrentCol());
    m_grid->SetCurrentCell(newRow, col);
    m_grid->selectRow(CVelmoraGridModel::ModelRow(newRow));
}

void CUnitPhoneListDlg::PressButton(int controlId)
{
    switch (controlId) {
    case L::MoveUp:
        Move(true);
        break;
    case L::MoveDown:
        Move(false);
        break;
    case L::ClearRows:
        if (OnKillActive())
            ShowErrorOf(m_list.Clear(m_grid->SelectedRows()));
        break;
    case L::SortByName:
    case L::SortByNumber:
        if (OnKillActive())
            m_list.Sort(controlId);
        break;
    case L::CopyUserInfo:
        CUnitCopyOpener::Run(*this, CUnitCopyOpener::PhoneBook, 1);
        break;
    case L::PhoneBookTransfer:
        if (auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet()); sheet && OnKillActive())
            CTransferPhoneBookDataDlg::RunFromSheet(*sheet, UnitPage::PhoneList, this);
        break;
    case L::AutoFill:
        if (auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
            sheet && CListDialogHooks::AutoFillHook() && OnKillActive())
            CListDialogHooks::AutoFillHook()(*sheet, UnitPage::PhoneList, this);
        break;
    default:
        break;
    }
    UpdateCount();
}

void CUnitPhoneListDlg::OnSortRequest(int request)
{
    if (OnKillActive())
        m_list.HandleSortRequest(request);
}

void CUnitPhoneListDlg::UpdateCount()
{
    int entries = 0;
    for (int row = 1; row <= m_grid->RowCount(); ++row) {
        if (!m_grid->Value(row, L::ColName).isEmpty() || !m_grid->Value(row, L::ColNumber).isEmpty())
            ++entries;
    }
    m_count->setText(
        CVelmoraWrap::LoadString(UnitEditText::PhoneEntryCount).arg(entries).arg(m_list.Capacity()));
}

CVelmoraError CUnitPhoneListDlg::Save(bool& changed)
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

bool CUnitPhoneListDlg::WriteBackForDialog()
{
    if (m_grid->IsEditing() && !m_grid->EndEdit())
        return false;
    const CUnitListWriteResult result = m_list.WriteBack();
    if (result)
        return true;
    CVelmoraWrap::ShowError(result.error);
    if (m_list.LastFailedRow() > 0)
        m_grid->SetCurrentCell(m_list.LastFailedRow(), L::ColNumber);
    return false;
}

void CUnitPhoneListDlg::ReloadFromTwin()
{
    ShowErrorOf(m_list.Reload());
    UpdateCount();
}

void CUnitPhoneListDlg::OnSheetClosed(bool accepted)
{
    Q_UNUSED(accepted);
    m_grid->SaveColumnWidths();
    ShowErrorOf(m_list.Close());
}
