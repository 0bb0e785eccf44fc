#include "CTransferPhoneBookDataDlg.h"

#include "CConsolNumberType.h"
#include "CGridListType.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitEditIcons.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetPage.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

using T = CPhoneBookTransfer;
using D = CTransferPhoneBookDataDlg;

QString Flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The grid of a list.
int GridOf(T::List list)
{
    switch (list) {
    case T::PhoneBook:
        return D::PhoneGrid;
    case T::Private:
        return D::PrivateGrid;
    case T::Consolidated:
    default:
        return D::ConsolGrid;
    }
}

// The list pages whose rows the transfer reads and rewrites.
const int kListPages[] = {UnitPage::PhoneList, UnitPage::PrivateList, UnitPage::Consolidated};

// A list page's grid into its twin; the consolidated page is reached through its list.
bool WriteBack(CUnitSheetPage& page)
{
    auto* consol = qobject_cast<CUnitConsolCallListDlg*>(&page);
    if (!consol)
        return page.WriteBackForDialog();
    if (!consol->OnKillActive())
        return false;
    const CUnitListWriteResult written = consol->List().WriteBack();
    if (written)
        return true;
    if (consol->List().LastFailedRow() > 0)
        consol->Grid()->SetCurrentCell(consol->List().LastFailedRow(), CUnitConsolCallList::ColNumber);
    CVelmoraWrap::ShowError(written.error);
    return false;
}

// A list page shows its twin's rows again.
void Reload(CUnitSheetPage& page)
{
    if (auto* consol = qobject_cast<CUnitConsolCallListDlg*>(&page)) {
        if (CVelmoraError error = consol->List().Reload())
            CVelmoraWrap::ShowError(error);
        return;
    }
    page.ReloadFromTwin();
}

} // namespace

CTransferPhoneBookDataDlg::CTransferPhoneBookDataDlg(const CUnitSheetUnit& unit,
                                                     const CTransferOptions& options, QWidget* parent)
    : QDialog(parent), m_transfer(unit, options.hideSimpleList), m_options(options)
{
    setObjectName(QStringLiteral("TransferPhoneBookDataDlg"));
    setProperty("helpContext", 0x20000 + DialogId);
    setProperty("controlId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(TextTitle));
    BuildControls();
}

CTransferPhoneBookDataDlg::~CTransferPhoneBookDataDlg() = default;

QPushButton* CTransferPhoneBookDataDlg::AddButton(int controlId, int textId, int bitmapId)
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

QWidget* CTransferPhoneBookDataDlg::BuildPane(int textId, int gridId, int gridType, const QList<int>& buttons)
{
    auto* pane = new QGroupBox(CVelmoraWrap::LoadString(textId), this);
    auto* layout = new QVBoxLayout(pane);
    CGridSettings settings = CUnitPhoneListDlg::GridSettingsOf(m_transfer.Unit(), m_options.hebrew);
    settings.callListTypeChoices = CConsolNumberType::Choices();
    auto* grid = new CVelmoraGridWnd(gridType, 0, settings, pane);
    grid->setProperty("controlId", gridId);
    grid->setObjectName(QStringLiteral("TransferGrid%1").arg(gridId));
    // Private ids are shown whole ("urban*fleet*member").
    if (gridType == CGridListType::PrivateList)
        grid->SetCrossFleet(true);
    // The dialog moves entries; they are edited on the sheet's pages. Names read in their own
    // direction, so a Hebrew name keeps its punctuation where it belongs.
    const int nameCol = gridType == CGridListType::PhoneBookGrid ? 2 : 1;
    for (int col = 1; col <= grid->ColCount(); ++col) {
        CGridCellStyle style = grid->Model()->ColumnStyle(col);
        style.readOnly = true;
        style.rtlReading = style.rtlReading || col == nameCol;
        grid->Model()->SetColumnStyle(col, style);
    }
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->installEventFilter(this);
    layout->addWidget(grid, 1);
    auto* count = new QLabel(pane);
    layout->addWidget(count);
    auto* row = new QHBoxLayout;
    for (int id : buttons) {
        const bool clear = id == ClearConsol || id == ClearPhoneBook || id == ClearPrivate;
        const int text = clear ? TextClear : (id == MoveBack ? TextMoveBack : TextMoveIn);
        QPushButton* button = AddButton(id, text, clear ? int(CUnitEditIcons::ClearBitmap) : 0);
        // Arrows towards the list the entries go to (mirrored in Hebrew with the panes).
        if (!clear)
            button->setIcon(
                style()->standardIcon(id == MoveBack ? QStyle::SP_ArrowBack : QStyle::SP_ArrowForward));
        row->addWidget(button);
    }
    row->addStretch(1);
    layout->addLayout(row);
    m_grids.insert(gridId, grid);
    m_panes.insert(gridId, pane);
    m_counts.insert(gridId, count);
    return pane;
}

void CTransferPhoneBookDataDlg::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    auto* simple = new QVBoxLayout;
    simple->addWidget(
        BuildPane(TextPhoneBook, PhoneGrid, CGridListType::PhoneList, {MovePhoneBook, ClearPhoneBook}), 1);
    simple->addWidget(
        BuildPane(TextPrivate, PrivateGrid, CGridListType::PrivateList, {MovePrivate, ClearPrivate}), 1);
    lists->addLayout(simple, 1);
    lists->addWidget(BuildPane(TextConsol, ConsolGrid, CGridListType::PhoneBookGrid, {MoveBack, ClearConsol}),
                     1);
    layout->addLayout(lists, 1);

    // The simple lists' clear buttons wait for entries to be moved out of them.
    m_buttons.value(ClearPhoneBook)->setEnabled(false);
    m_buttons.value(ClearPrivate)->setEnabled(false);
    const bool showSimple = !m_options.hideSimpleList;
    m_panes.value(PhoneGrid)->setVisible(showSimple && m_options.phoneBookPane &&
                                         m_transfer.Unit().profile.capacities.phoneBook > 0);
    m_panes.value(PrivateGrid)
        ->setVisible(showSimple && m_options.privatePane &&
                     m_transfer.Unit().profile.capacities.privateList[T::TransferNam - 1] > 0);
    // Move back needs a simple list to go to.
    m_buttons.value(MoveBack)->setVisible(!m_panes.value(PhoneGrid)->isHidden() ||
                                          !m_panes.value(PrivateGrid)->isHidden());

    // Without a q700 model in the carrier's list the dialog says how it is used.
    auto* hint = new QHBoxLayout;
    m_hintIcon = new QLabel(this);
    m_hintIcon->setProperty("controlId", int(HintIcon));
    m_hintIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24, 24));
    m_hint = new QLabel(CVelmoraWrap::LoadString(HintString), this);
    m_hint->setProperty("controlId", int(HintText));
    m_hint->setWordWrap(true);
    hint->addWidget(m_hintIcon);
    hint->addWidget(m_hint, 1);
    layout->addLayout(hint);
    const bool showHint = !m_options.modelList.contains(QLatin1String("q700"));
    m_hintIcon->setVisible(showHint);
    m_hint->setVisible(showHint);

    auto* box = new QDialogButtonBox(this);
    auto* ok = box->addButton(CVelmoraWrap::LoadString(UnitEditText::ButtonOk), QDialogButtonBox::AcceptRole);
    auto* cancel =
        box->addButton(CVelmoraWrap::LoadString(UnitEditText::ButtonCancel), QDialogButtonBox::RejectRole);
    auto* help =
        box->addButton(CVelmoraWrap::LoadString(UnitEditText::ButtonHelp), QDialogButtonBox::HelpRole);
    ok->setProperty("controlId", int(OkButton));
    cancel->setProperty("controlId", int(CancelButton));
    help->setProperty("controlId", int(HelpButton));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    ok->setDefault(true);
    m_buttons.insert(OkButton, ok);
    m_buttons.insert(CancelButton, cancel);
    m_buttons.insert(HelpButton, help);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this]() { Q_EMIT helpRequested(0x20000 + DialogId); });
    layout->addWidget(box);

    // Keyboard order: each list with its buttons, then the dialog's buttons.
    QWidget* previous = nullptr;
    const auto chain = [&previous, this](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (int id : {int(PhoneGrid), int(MovePhoneBook), int(ClearPhoneBook), int(PrivateGrid),
                   int(MovePrivate), int(ClearPrivate), int(ConsolGrid), int(MoveBack), int(ClearConsol)})
        chain(m_grids.contains(id) ? static_cast<QWidget*>(m_grids.value(id)) : m_buttons.value(id));
    chain(ok);
    chain(cancel);
    chain(help);
    resize(980, 620);
}

bool CTransferPhoneBookDataDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<CVelmoraGridWnd*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (plain) {
                focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (plain) {
                m_buttons.value(OkButton)->click();
                return true;
            }
            break;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* CTransferPhoneBookDataDlg::Pane(int gridId) const
{
    return m_panes.value(gridId);
}

bool CTransferPhoneBookDataDlg::Load()
{
    if (CVelmoraError error = m_transfer.Load()) {
        ShowError(error);
        return false;
    }
    ShowAll();
    for (CVelmoraGridWnd* grid : m_grids)
        grid->LoadColumnWidths();
    // Start in the first list shown.
    for (int id : {int(PhoneGrid), int(PrivateGrid), int(ConsolGrid)}) {
        if (!m_panes.value(id)->isHidden()) {
            m_grids.value(id)->setFocus();
            break;
        }
    }
    return true;
}

void CTransferPhoneBookDataDlg::Show(CPhoneBookTransfer::List list)
{
    CVelmoraGridWnd* grid = m_grids.value(GridOf(list));
    const int rows = m_transfer.RowCount(list);
    grid->SetRowCount(rows);
    int entries = 0;
    for (int row = 1; row <= rows; ++row) {
        QStringList cells;
        bool empty = true;
        switch (list) {
        case T::PhoneBook: {
            const CTransferPhoneEntry& e = m_transfer.PhoneRow(row);
            empty = e.IsEmpty();
            cells = {e.name, e.number, Flag(e.program && !empty)};
            break;
        }
        case T::Private: {
            const CTransferPrivateEntry& e = m_transfer.PrivateRow(row);
            empty = e.IsEmpty();
            cells = {e.name, e.IdText(), Flag(e.program && !empty)};
            break;
        }
        case T::Consolidated: {
            const CTransferConsolEntry& e = m_transfer.ConsolRow(row);
            empty = e.IsEmpty();
            cells = {empty ? QString() : QString::number(e.nameIndex), e.name,
                     empty ? QStringLiteral("-1") : QString::number(e.numType), e.number};
            break;
        }
        }
        for (int col = 1; col <= cells.size(); ++col)
            grid->SetValue(row, col, cells[col - 1]);
        entries += empty ? 0 : 1;
    }
    const int capacity = list == T::Consolidated ? int(T::ConsolRows) : rows;
    m_counts.value(GridOf(list))->setText(CVelmoraWrap::LoadString(TextCount).arg(entries).arg(capacity));
}

void CTransferPhoneBookDataDlg::ShowAll()
{
    for (T::List list : {T::PhoneBook, T::Private, T::Consolidated})
        Show(list);
}

void CTransferPhoneBookDataDlg::ShowError(const CVelmoraError& error)
{
    if (error)
        CVelmoraWrap::ShowError(error);
}

void CTransferPhoneBookDataDlg::PressButton(int controlId)
{
    switch (controlId) {
    case MovePhoneBook:
    case MovePrivate: {
        const bool phone = controlId == MovePhoneBook;
        const CVelmoraError error =
            m_transfer.MoveToConsolidated(phone ? T::PhoneBook : T::Private,
                                          m_grids.value(phone ? PhoneGrid : PrivateGrid)->SelectedRows());
        // What was moved may now be cleared from its list.
        if (!error || error.Id() == T::MsgConsolFull)
            m_buttons.value(phone ? ClearPhoneBook : ClearPrivate)->setEnabled(true);
        ShowError(error);
        break;
    }
    case MoveBack:
        ShowError(m_transfer.MoveBack(m_grids.value(ConsolGrid)->SelectedRows()));
        break;
    case ClearPhoneBook:
        ShowError(m_transfer.Clear(T::PhoneBook, m_grids.value(PhoneGrid)->SelectedRows()));
        break;
    case ClearPrivate:
        ShowError(m_transfer.Clear(T::Private, m_grids.value(PrivateGrid)->SelectedRows()));
        break;
    case ClearConsol:
        ShowError(m_transfer.Clear(T::Consolidated, m_grids.value(ConsolGrid)->SelectedRows()));
        break;
    default:
        return;
    }
    ShowAll();
}

void CTransferPhoneBookDataDlg::accept()
{
    int failed = -1;
    if (CVelmoraError error = m_transfer.Write(&failed)) {
        // Nothing was written; the dialog stays with the list that failed in view.
        ShowError(error);
        if (failed >= 0)
            m_grids.value(GridOf(T::List(failed)))->setFocus();
        return;
    }
    QDialog::accept();
}

bool CTransferPhoneBookDataDlg::Available(const CUnitPropertySheet& sheet)
{
    return sheet.SheetUnit().IsAlder() && sheet.PageById(UnitPage::Consolidated);
}

bool CTransferPhoneBookDataDlg::RunFromSheet(CUnitPropertySheet& sheet, int callerPage, QWidget* parent)
{
    if (!Available(sheet))
        return false;
    // Every list the dialog rewrites must be in its twin as the sheet shows it: pages not shown yet
    // copy their rows there now, the others write their grids back.
    for (int id : kListPages) {
        CUnitSheetPage* page = sheet.PageById(id);
        if (!page)
            continue;
        if (!page->EnsureInitialized() || !WriteBack(*page))
            return false;
    }
    CTransferOptions options;
    options.hideSimpleList = sheet.Context().hideSimpleList;
    options.modelList = sheet.Context().modelList;
    options.hebrew = sheet.Context().IsHebrew();
    options.phoneBookPane = sheet.PageById(UnitPage::PhoneList) != nullptr;
    options.privatePane = sheet.PageById(UnitPage::PrivateList) != nullptr;
    CTransferPhoneBookDataDlg dialog(sheet.SheetUnit(), options, parent);
    dialog.setLayoutDirection(options.hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    connect(&dialog, &CTransferPhoneBookDataDlg::helpRequested, &sheet, &CUnitPropertySheet::RequestHelp);
    if (!dialog.Load())
        return false;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (CVelmoraGridWnd* grid : dialog.m_grids)
        grid->SaveColumnWidths();
    if (!accepted)
        return false;
    // Every list page shows what the dialog wrote at once: a page left with its old rows would write
    // them back over the twin when the sheet is saved. The other pages refresh again when shown.
    for (int id : kListPages) {
        CUnitSheetPage* page = sheet.PageById(id);
        if (!page)
            continue;
        Reload(*page);
        if (id != callerPage)
            sheet.ReloadFlags().Set(id);
    }
    sheet.ReloadFlags().Clear(callerPage);
    return true;
}
