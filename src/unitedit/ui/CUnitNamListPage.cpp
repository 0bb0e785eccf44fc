#include "CUnitNamListPage.h"

#include "CListDialogHooks.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CUnitCopyOpener.h"
#include "CUnitEditIcons.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum : int
{
    ListPageIcon = 1203, // the list pages of phone classes 2 and 3
};

CGridSettings GridSettingsOf(const CUnitNamList& list, bool rightToLeft)
{
    CGridSettings settings;
    settings.capacities = list.GridCapacities();
    settings.rightToLeft = rightToLeft;
    settings.enterKeyAction = CGridSettings::EnterMovesRight;
    return settings;
}

} // namespace

CUnitNamListPage::CUnitNamListPage(const CNamListKind& kind, const CUnitSheetUnit& unit, bool hebrew,
                                   QWidget* parent)
    : CUnitSheetPage(kind.page, kind.templateId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(kind.page)), parent),
      m_list(kind, unit), m_hebrew(hebrew)
{
    setObjectName(QStringLiteral("NamListPage%1").arg(kind.page));
    SetIcon(CUnitEditIcons::PageIcon(unit.phoneClass >= 2 ? ListPageIcon : CUnitEditIcons::SettingsPageIcon));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* namLabel = new QLabel(CVelmoraWrap::LoadString(UnitEditText::ListNam), this);
    m_nam = new QComboBox(this);
    m_nam->setProperty("controlId", int(NamCombo));
    namLabel->setBuddy(m_nam);
    top->addWidget(namLabel);
    top->addWidget(m_nam);
    top->addStretch(1);
    layout->addLayout(top);

    m_grid = new CVelmoraGridWnd(kind.gridType, 0, GridSettingsOf(m_list, hebrew), this);
    m_grid->setProperty("controlId", int(GridControl));
    m_list.SetModel(m_grid->Model());
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddButton(MoveUp, UnitEditText::PhoneMoveUp));
    buttons->addWidget(AddButton(MoveDown, UnitEditText::PhoneMoveDown));
    buttons->addWidget(AddButton(Clear, UnitEditText::PhoneClear));
    if (kind.sortNameButton)
        buttons->addWidget(AddButton(kind.sortNameButton, UnitEditText::PhoneSortByName));
    if (kind.sortIdButton)
        buttons->addWidget(AddButton(kind.sortIdButton, UnitEditText::ListSortById));
    if (kind.markAll) {
        buttons->addWidget(AddButton(MarkAll, UnitEditText::ListMarkAll));
        buttons->addWidget(AddButton(UnmarkAll, UnitEditText::ListUnmarkAll));
    }
    buttons->addSpacing(12);
    // Auto fill is not part of the program yet; copy and the transfer wait for the sheet.
    buttons->addWidget(AddButton(CopyUserInfo, UnitEditText::PhoneCopyUserInfo));
    m_buttons.value(CopyUserInfo)->setEnabled(false);
    if (kind.autoFill) {
        buttons->addWidget(AddButton(AutoFill, UnitEditText::PhoneAutoFill));
        m_buttons.value(AutoFill)->setEnabled(false);
    }
    if (kind.transfer && unit.IsAlder()) {
        buttons->addWidget(AddButton(PhoneBookTransfer, UnitEditText::PhoneBookTransfer));
        m_buttons.value(PhoneBookTransfer)->setEnabled(false);
    }
    buttons->addStretch(1);
    middle->addLayout(buttons);
    layout->addLayout(middle, 1);

    connect(m_nam, qOverload<int>(&QComboBox::currentIndexChanged), this, &CUnitNamListPage::OnNamChosen);
    connect(m_buttons.value(MoveUp), &QPushButton::clicked, this, [this] { OnMove(true); });
    connect(m_buttons.value(MoveDown), &QPushButton::clicked, this, [this] { OnMove(false); });
    connect(m_buttons.value(Clear), &QPushButton::clicked, this, &CUnitNamListPage::OnClear);
    if (QPushButton* b = m_buttons.value(kind.sortNameButton))
        connect(b, &QPushButton::clicked, this, [this] {
            m_grid->EndEdit();
            m_list.Sort(CUnitNamList::NameColumn);
        });
    if (QPushButton* b = m_buttons.value(kind.sortIdButton))
        connect(b, &QPushButton::clicked, this, [this] {
            m_grid->EndEdit();
            m_list.Sort(CUnitNamList::IdColumn);
        });
    if (kind.markAll) {
        connect(m_buttons.value(MarkAll), &QPushButton::clicked, this, [this] {
            m_grid->EndEdit();
            m_list.MarkAll(true);
        });
        connect(m_buttons.value(UnmarkAll), &QPushButton::clicked, this, [this] {
            m_grid->EndEdit();
            m_list.MarkAll(false);
        });
    }
}

CUnitNamListPage::~CUnitNamListPage() = default;

QPushButton* CUnitNamListPage::AddButton(int controlId, int textId)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), this);
    button->setProperty("controlId", controlId);
    button->setAutoDefault(false);
    m_buttons.insert(controlId, button);
    return button;
}

void CUnitNamListPage::FillNamBox()
{
    m_fillingNamBox = true;
    m_nam->clear();
    for (int nam : m_list.NamEntries())
        m_nam->addItem(CVelmoraWrap::LoadString(CUnitNamList::NamCaptionBase + nam - 1), nam);
    m_nam->setCurrentIndex(m_nam->findData(m_list.CurrentNam()));
    m_fillingNamBox = false;
}

bool CUnitNamListPage::OnInitDialog()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const CVelmoraError error = m_list.Open();
    QGuiApplication::restoreOverrideCursor();
    FillNamBox();
    if (error) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    WatchControls();
    if (QPushButton* autoFill = m_buttons.value(AutoFill); autoFill && PageId() == UnitPage::PrivateList) {
        autoFill->setEnabled(qobject_cast<CUnitPropertySheet*>(Sheet()) && CListDialogHooks::AutoFillHook());
        connect(autoFill, &QPushButton::clicked, this, [this]() {
            auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
            if (sheet && CListDialogHooks::AutoFillHook() && OnKillActive())
                CListDialogHooks::AutoFillHook()(*sheet, PageId(), this);
        });
    }
    if (QPushButton* copy = m_buttons.value(CopyUserInfo); copy && CopyMode() != 0) {
        copy->setEnabled(Sheet() && CUnitCopyOpener::Installed());
        connect(copy, &QPushButton::clicked, this,
                [this]() { CUnitCopyOpener::Run(*this, CopyMode(), m_list.CurrentNam()); });
    }
    if (QPushButton* transfer = m_buttons.value(PhoneBookTransfer)) {
        auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
        transfer->setEnabled(sheet && CTransferPhoneBookDataDlg::Available(*sheet));
        connect(transfer, &QPushButton::clicked, this, [this]() {
            auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
            if (sheet && OnKillActive())
                CTransferPhoneBookDataDlg::RunFromSheet(*sheet, PageId(), this);
        });
    }
    return true;
}

int CUnitNamListPage::CopyMode() const
{
    const QString& table = m_list.Kind().table;
    if (table == QLatin1String("unit_private_details"))
        return CUnitCopyOpener::Private;
    if (table == QLatin1String("unit_tg_details"))
        return CUnitCopyOpener::Talkgroups;
    if (table == QLatin1String("unit_status_msg_list"))
        return CUnitCopyOpener::StatusMessages;
    if (table == QLatin1String("unit_tg_scan"))
        return CUnitCopyOpener::ScanList;
    return 0;
}

bool CUnitNamListPage::OnSetActive()
{
    if (!CUnitSheetPage::OnSetActive())
        return false;
    // OK always runs the page's save once it was shown.
    SetModified(true);
    // Another dialog rewrote this list's twin rows: show them.
    auto* sheet = qobject_cast<CUnitPropertySheet*>(Sheet());
    if (sheet && sheet->ReloadFlags().Take(PageId())) {
        if (CVelmoraError error = m_list.Reload())
            CVelmoraWrap::ShowError(error);
    }
    return true;
}

bool CUnitNamListPage::OnKillActive()
{
    return !m_grid->IsEditing() || m_grid->EndEdit();
}

void CUnitNamListPage::ShowRefusal(const CNamListResult& result)
{
    CVelmoraWrap::ShowError(result.error);
    if (result.saysNotSaved)
        CVelmoraWrap::ShowError(CVelmoraError::Message(CUnitNamList::MsgListNotSaved));
    if (result.row > 0)
        m_grid->SetCurrentCell(result.row, result.col > 0 ? result.col : CUnitNamList::IdColumn);
}

void CUnitNamListPage::OnNamChosen(int index)
{
    if (m_fillingNamBox || index < 0)
        return;
    const int nam = m_nam->itemData(index).toInt();
    if (nam == m_list.CurrentNam())
        return;
    if (m_grid->IsEditing() && !m_grid->EndEdit()) {
        FillNamBox();
        return;
    }
    const CNamListResult result = m_list.SelectNam(nam);
    if (!result) {
        // The selector shows the NAM whose rows the grid still holds.
        FillNamBox();
        ShowRefusal(result);
    }
}

void CUnitNamListPage::OnMove(bool up)
{
    m_grid->EndEdit();
    int row = 0;
    if (CVelmoraError error = m_list.Move(m_grid->SelectedRows(), up, &row)) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    m_grid->SetCurrentCell(row, qMax(1, m_grid->CurrentCol()));
}

void CUnitNamListPage::OnClear()
{
    m_grid->EndEdit();
    if (CVelmoraError error = m_list.Clear(m_grid->SelectedRows()))
        CVelmoraWrap::ShowError(error);
}

CVelmoraError CUnitNamListPage::Save(bool& changed)
{
    changed = false;
    if (m_grid->IsEditing() && !m_grid->EndEdit())
        return CVelmoraError::Message(CUnitNamList::MsgPageNotSaved);
    const CNamListResult result = m_list.Save(changed);
    if (!result && result.row > 0)
        m_grid->SetCurrentCell(result.row, result.col);
    return result.error;
}

bool CUnitNamListPage::WriteBackForDialog()
{
    if (m_grid->IsEditing() && !m_grid->EndEdit())
        return false;
    const CNamListResult result = m_list.WriteBack();
    if (!result)
        ShowRefusal(result);
    return bool(result);
}

void CUnitNamListPage::ReloadFromTwin()
{
    if (CVelmoraError error = m_list.Reload())
        CVelmoraWrap::ShowError(error);
}

void CUnitNamListPage::OnSheetClosed(bool accepted)
{
    Q_UNUSED(accepted);
    if (!m_list.IsOpen())
        return;
    if (m_list.Close())
        CVelmoraWrap::ShowError(CVelmoraError::Message(CUnitNamList::MsgPageNotSaved));
}
