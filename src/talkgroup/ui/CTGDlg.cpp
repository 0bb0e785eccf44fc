#include "CTGDlg.h"

#include "CGridListType.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameServices.h"
#include "IVelmoraQuestion.h"
#include "TalkgroupMessageIds.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

CGridSettings SettingsOf(bool rightToLeft)
{
    CGridSettings settings;
    settings.rightToLeft = rightToLeft;
    settings.enterKeyAction = CGridSettings::EnterMovesRight;
    return settings;
}

struct CShownColumn
{
    int captionId;
    double widthMm;
};

// Columns shown only, with a caption and width; every other column of the list type hidden.
void ShowColumnsReadOnly(CVelmoraGridWnd* grid, const QHash<int, CShownColumn>& captions)
{
    CVelmoraGridModel* model = grid->Model();
    for (int col = 1; col <= model->ColCount(); ++col) {
        CGridCellStyle style = model->ColumnStyle(col);
        style.control = CGridCellStyle::StaticText;
        style.readOnly = true;
        style.hidden = !captions.contains(col);
        style.interior = QColor();
        if (captions.contains(col)) {
            style.captionId = captions.value(col).captionId;
            style.widthMm = captions.value(col).widthMm;
        }
        model->SetColumnStyle(col, style);
        grid->SetColumnHidden(col, style.hidden);
    }
}

// The widths of the styles set here, unless the user's own widths were kept.
void ApplyWidths(CVelmoraGridWnd* grid)
{
    for (int col = 1; col <= grid->ColCount(); ++col) {
        if (!grid->Model()->ColumnStyle(col).hidden)
            grid->setColumnWidth(col - 1, grid->DefaultColumnWidth(col));
    }
    grid->LoadColumnWidths();
}

QString DisplayName(const QString& name)
{
    return name.isEmpty() ? CVelmoraWrap::LoadString(TalkgroupText::NoTalkgroupName) : name;
}

} // namespace

CTGDlg::CTGDlg(CVelmoraDoc& document, CTGDlgSettings settings, IFrameServices* services, QWidget* parent)
    : QWidget(parent), m_document(document), m_settings(std::move(settings)), m_services(services)
{
    setObjectName(QStringLiteral("TGDlg"));
    setProperty("helpContext", 135681); // help context: the talkgroup manager
    setProperty("controlId", 101);
    BuildLayout();
    SetUpGrids();
    ConnectSignals();
    m_document.AddView(this);
    UpdateButtons();
}

CTGDlg::~CTGDlg()
{
    m_document.RemoveView(this);
}

CTalkgroupManager CTGDlg::Manager() const
{
    return CTalkgroupManager(m_document.Database(), m_settings.capacityOf);
}

QPushButton* CTGDlg::AddButton(int controlId, int textId)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), this);
    button->setProperty("controlId", controlId);
    button->setAutoDefault(false);
    m_buttons.insert(controlId, button);
    return button;
}

void CTGDlg::BuildLayout()
{
    const CGridSettings grid = SettingsOf(m_settings.rightToLeft);
    m_units = new CVelmoraGridWnd(CGridListType::TgUser, 0, grid, this);
    // Enter ends the cell's edit and stays on the talkgroup, so its units can be added next; Tab from
    // the last cell stores it and opens the next empty row.
    CGridSettings header = grid;
    header.enterKeyAction = CGridSettings::EnterStays;
    m_talkgroups = new CVelmoraGridWnd(CGridListType::TgHeader, 0, header, this);
    m_members = new CVelmoraGridWnd(CGridListType::TgDetail, 0, grid, this);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* namLabel = new QLabel(CVelmoraWrap::LoadString(TalkgroupText::NamLabel), this);
    m_namCombo = new QComboBox(this);
    m_namCombo->setProperty("controlId", int(NamCombo));
    namLabel->setBuddy(m_namCombo);
    top->addWidget(namLabel);
    top->addWidget(m_namCombo);
    top->addStretch(1);
    layout->addLayout(top);

    auto* unitsBox = new QGroupBox(CVelmoraWrap::LoadString(TalkgroupText::UnitsCaption), this);
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    unitsLayout->addWidget(m_units, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(AddButton(AddSelectedButton, TalkgroupText::AddSelected));
    addRow->addWidget(AddButton(AddAllButton, TalkgroupText::AddAll));
    addRow->addStretch(1);
    unitsLayout->addLayout(addRow);

    auto* talkgroupsBox = new QGroupBox(CVelmoraWrap::LoadString(TalkgroupText::TalkgroupsCaption), this);
    auto* talkgroupsLayout = new QVBoxLayout(talkgroupsBox);
    talkgroupsLayout->addWidget(m_talkgroups);

    m_membersBox = new QGroupBox(this);
    auto* membersLayout = new QVBoxLayout(m_membersBox);
    membersLayout->addWidget(m_members, 1);
    auto* removeRow = new QHBoxLayout;
    removeRow->addWidget(AddButton(RemoveSelectedButton, TalkgroupText::RemoveSelected));
    removeRow->addWidget(AddButton(RemoveAllButton, TalkgroupText::RemoveAll));
    removeRow->addStretch(1);
    membersLayout->addLayout(removeRow);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(talkgroupsBox);
    right->addWidget(m_membersBox);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(unitsBox);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    // Keyboard order: NAM, talkgroups, units and their buttons, members and theirs.
    setTabOrder(m_namCombo, m_talkgroups);
    setTabOrder(m_talkgroups, m_units);
    setTabOrder(m_units, m_buttons.value(AddSelectedButton));
    setTabOrder(m_buttons.value(AddSelectedButton), m_buttons.value(AddAllButton));
    setTabOrder(m_buttons.value(AddAllButton), m_members);
    setTabOrder(m_members, m_buttons.value(RemoveSelectedButton));
    setTabOrder(m_buttons.value(RemoveSelectedButton), m_buttons.value(RemoveAllButton));
}

void CTGDlg::SetUpGrids()
{
    m_units->setProperty("controlId", int(UnitsGrid));
    m_talkgroups->setProperty("controlId", int(TalkgroupGrid));
    m_members->setProperty("controlId", int(MembersGrid));
    ShowColumnsReadOnly(m_units, {{1, {1378, 38}}, {2, {1376, 36}}, {8, {1372, 26}}});
    ShowColumnsReadOnly(m_members, {{1, {1376, 36}}, {3, {1378, 38}}, {4, {1372, 26}}});
    m_members->SetAcceptForeignRows(true);

    CVelmoraGridModel* model = m_talkgroups->Model();
    CGridCellStyle name = model->ColumnStyle(NameCol);
    name.maxLength = CTalkgroupManager::NameLength;
    name.widthMm = 34;
    model->SetColumnStyle(NameCol, name);
    CGridCellStyle id = model->ColumnStyle(IdCol);
    id.control = CGridCellStyle::RangeEdit;
    id.validChars = QStringLiteral("0-9");
    id.maxLength = 3;
    id.numericSort = true;
    id.interior = QColor();
    id.widthMm = 24;
    model->SetColumnStyle(IdCol, id);
    for (int col : {int(NamCol), int(KeyCol)}) {
        CGridCellStyle hidden = model->ColumnStyle(col);
        hidden.hidden = true;
        hidden.readOnly = true;
        model->SetColumnStyle(col, hidden);
        m_talkgroups->SetColumnHidden(col, true);
    }
    model->SetCellValidator([](int, int col, const QString& text) {
        const CVelmoraError error = col == IdCol ? CTalkgroupManager::CheckIdText(text) : CVelmoraError();
        return error ? CGridCheckResult::Fail(error.Id()) : CGridCheckResult::Pass();
    });
    model->SetRowValidator([this](int row) { return StoreRow(row); });
    m_talkgroups->SetRowCount(1);
    for (CVelmoraGridWnd* grid : {m_units, m_talkgroups, m_members})
        ApplyWidths(grid);

    for (CVelmoraGridWnd* grid : {m_units, m_talkgroups, m_members}) {
        grid->installEventFilter(this);
        grid->viewport()->installEventFilter(this);
    }
}

void CTGDlg::ConnectSignals()
{
    connect(m_namCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (!m_filling && index >= 0)
            SetNam(index + 1);
    });
    connect(m_buttons.value(AddSelectedButton), &QPushButton::clicked, this, &CTGDlg::AddSelectedUnits);
    connect(m_buttons.value(AddAllButton), &QPushButton::clicked, this, &CTGDlg::AddAllUnits);
    connect(m_buttons.value(RemoveSelectedButton), &QPushButton::clicked, this,
            &CTGDlg::RemoveSelectedMembers);
    connect(m_buttons.value(RemoveAllButton), &QPushButton::clicked, this, &CTGDlg::RemoveAllMembers);
    connect(m_members, &CVelmoraGridWnd::RowsDropped, this,
            [this](quint64 source, const QList<int>& rows, int) {
                if (source == m_units->Model()->GridId())
                    AddUnitRows(rows);
            });
    connect(m_talkgroups->Model(), &QAbstractItemModel::dataChanged, this, [this]() {
        if (!m_filling)
            UpdateButtons();
    });
    connect(m_talkgroups, &CVelmoraGridWnd::CurrentCellChanged, this, [this](int row, int) {
        if (!m_filling && row != m_memberRow)
            FillMembers(row);
        UpdateButtons();
    });
}

int CTGDlg::ViewFamily() const
{
    return FrameFamily::Fleet;
}

bool CTGDlg::CanRunCommand(int commandId) const
{
    switch (commandId) {
    case FrameCmd::TalkgroupManager:
    case FrameCmd::Refresh:
        return true;
    case FrameCmd::DeleteTalkgroup:
        return !m_stored.isEmpty();
    default:
        return false;
    }
}

void CTGDlg::RunCommand(int commandId)
{
    switch (commandId) {
    case FrameCmd::TalkgroupManager:
        m_talkgroups->setFocus(Qt::OtherFocusReason);
        break;
    case FrameCmd::Refresh:
        if (!FinishHeaderRow())
            return;
        m_document.SetChanged(true);
        m_shown = false;
        Activate();
        break;
    case FrameCmd::DeleteTalkgroup:
        DeleteCurrentTalkgroup();
        break;
    default:
        break;
    }
}

bool CTGDlg::DisablesFrameCommand(int commandId) const
{
    if (!m_shown)
        return false;
    switch (commandId) {
    case FrameCmd::WritePhone:
    case FrameCmd::AppendFleet:
    case FrameCmd::UnitsCommand:
    case FrameCmd::UpdateFleet:
    case FrameCmd::AutoFill:
        return true;
    default:
        return false;
    }
}

bool CTGDlg::FinishPendingWork()
{
    LeaveView();
    return true;
}

bool CTGDlg::IsEditingCell() const
{
    return m_talkgroups->IsEditing();
}

bool CTGDlg::CanCloseView()
{
    LeaveView();
    return true;
}

void CTGDlg::RefreshUnits()
{
    m_unitsStale = true;
    if (!m_shown)
        return;
    QTimer::singleShot(0, this, [this]() {
        if (!m_shown || !m_unitsStale)
            return;
        m_shown = false;
        Activate();
    });
}

void CTGDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    WatchTabs();
    if (!m_tabs || m_tabs->currentWidget() == this)
        Activate();
}

void CTGDlg::WatchTabs()
{
    if (m_tabs)
        return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if ((m_tabs = qobject_cast<QTabWidget*>(w)))
            break;
    }
    if (!m_tabs)
        return;
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) != this && m_shown) {
            LeaveView();
            m_shown = false;
        }
    });
}

void CTGDlg::Activate()
{
    if (m_shown || !m_document.Database().isOpen())
        return;
    m_shown = true;
    const int namCount = qBound(1, m_settings.namCount ? m_settings.namCount() : 1, 3);
    const bool namCountChanged = namCount != m_lastNamCount;
    if (namCountChanged)
        FillNamCombo(namCount);
    LoadUnits();
    if (CTalkgroupManager::NeedsRebuild(m_document.IsChanged(), namCount, m_lastNamCount, m_firstShowing)) {
        m_lastNamCount = namCount;
        m_firstShowing = false;
        if (const CVelmoraError error = CTalkgroupIndex(m_document.Database()).Rebuild()) {
            CVelmoraWrap::ShowError(error);
            m_talkgroups->clearSelection();
            return;
        }
        m_document.SetChanged(false);
        ReloadNam();
    }
    if (m_services)
        m_services->UpdateCommands();
}

void CTGDlg::FillNamCombo(int namCount)
{
    m_filling = true;
    m_namCombo->clear();
    for (int nam = 1; nam <= namCount; ++nam)
        m_namCombo->addItem(CVelmoraWrap::LoadString(TalkgroupText::NamFirst + nam - 1));
    m_nam = CTalkgroupManager::ClampNam(m_nam, namCount);
    m_namCombo->setCurrentIndex(m_nam - 1);
    m_filling = false;
}

void CTGDlg::LoadUnits()
{
    CVelmoraError error;
    m_unitList = Manager().Units(m_settings.hideSimpleList, m_settings.alderModels, &error);
    if (error)
        CVelmoraWrap::ShowError(error);
    m_unitsStale = false;
    m_units->SetRowCount(int(m_unitList.size()));
    for (int i = 0; i < m_unitList.size(); ++i) {
        const CTalkgroupManager::Unit& unit = m_unitList.at(i);
        m_units->SetValue(i + 1, 1, unit.userName);
        m_units->SetValue(i + 1, 2, unit.imei);
        m_units->SetValue(i + 1, 8, unit.displayPrivateId);
    }
    if (!m_unitList.isEmpty())
        m_units->SetCurrentCell(1, 1);
}

void CTGDlg::SetNam(int nam)
{
    if (nam == m_nam && !m_stored.isEmpty())
        return;
    if (!FinishHeaderRow()) {
        m_filling = true;
        m_namCombo->setCurrentIndex(m_nam - 1);
        m_filling = false;
        return;
    }
    m_nam = nam;
    ReloadNam();
}

void CTGDlg::ReloadNam()
{
    CVelmoraError error;
    const QList<CTalkgroupManager::Header> headers = Manager().Headers(m_nam, &error);
    if (error)
        CVelmoraWrap::ShowError(error);
    m_filling = true;
    m_talkgroups->CancelEdit();
    m_stored.clear();
    m_talkgroups->SetRowCount(int(headers.size()) + 1);
    for (int i = 0; i < headers.size(); ++i) {
        const CTalkgroupManager::Header& h = headers.at(i);
        m_talkgroups->SetValue(i + 1, NameCol, h.name);
        m_talkgroups->SetValue(i + 1, IdCol, QString::number(h.id));
        m_talkgroups->SetValue(i + 1, NamCol, QString::number(m_nam));
        m_talkgroups->SetValue(i + 1, KeyCol, QString::number(h.key));
        m_stored.insert(h.key, h);
    }
    for (int col = 1; col <= 4; ++col)
        m_talkgroups->SetValue(int(headers.size()) + 1, col, QString());
    m_talkgroups->SetCurrentCell(1, NameCol);
    m_filling = false;
    FillMembers(1);
    UpdateButtons();
    if (m_services)
        m_services->UpdateCommands();
}

CTalkgroupManager::Header CTGDlg::HeaderAt(int row) const
{
    CTalkgroupManager::Header h;
    h.key = m_talkgroups->Value(row, KeyCol).toInt();
    h.id = m_talkgroups->Value(row, IdCol).trimmed().toInt();
    h.name = m_talkgroups->Value(row, NameCol);
    return h;
}

bool CTGDlg::RowDirty(int row) const
{
    if (row < 1 || row > m_talkgroups->RowCount())
        return false;
    const CTalkgroupManager::Header h = HeaderAt(row);
    if (h.key == 0)
        return !m_talkgroups->Value(row, NameCol).isEmpty() || !m_talkgroups->Value(row, IdCol).isEmpty();
    const auto it = m_stored.constFind(h.key);
    return it == m_stored.constEnd() || it->id != h.id || it->name != h.name;
}

CGridCheckResult CTGDlg::StoreRow(int row)
{
    if (m_filling || !RowDirty(row))
        return CGridCheckResult::Pass();
    CTalkgroupManager::Header h = HeaderAt(row);
    if (const CVelmoraError error = Manager().StoreHeader(m_nam, h)) {
        if (error.GetKind() == CVelmoraError::Kind::Message)
            return CGridCheckResult::Fail(error.Id(), error.Args());
        CVelmoraWrap::ShowError(error);
        return CGridCheckResult::FailSilently();
    }
    m_talkgroups->SetValue(row, NameCol, h.name);
    m_talkgroups->SetValue(row, NamCol, QString::number(m_nam));
    m_talkgroups->SetValue(row, KeyCol, QString::number(h.key));
    m_stored.insert(h.key, h);
    m_document.SetModifiedFlag(true);
    // The grid is in the middle of a move: rows are added and members shown once it is done.
    QTimer::singleShot(0, this, [this, row]() {
        EnsureAppendRow();
        if (m_memberRow == row || m_talkgroups->CurrentRow() == row)
            FillMembers(m_talkgroups->CurrentRow());
        UpdateButtons();
        if (m_services)
            m_services->UpdateCommands();
    });
    return CGridCheckResult::Pass();
}

void CTGDlg::EnsureAppendRow()
{
    // The last row is always an empty one for the next talkgroup.
    const int last = m_talkgroups->RowCount();
    if (last == 0 || HeaderAt(last).key != 0 || RowDirty(last))
        m_talkgroups->SetRowCount(last + 1);
}

void CTGDlg::DiscardRow(int row)
{
    if (row < 1 || row > m_talkgroups->RowCount())
        return;
    m_talkgroups->CancelEdit();
    const CTalkgroupManager::Header h = HeaderAt(row);
    const auto it = m_stored.constFind(h.key);
    m_talkgroups->SetValue(row, NameCol, it != m_stored.constEnd() ? it->name : QString());
    m_talkgroups->SetValue(row, IdCol, it != m_stored.constEnd() ? QString::number(it->id) : QString());
}

bool CTGDlg::FinishHeaderRow()
{
    if (m_talkgroups->IsEditing() && !m_talkgroups->EndEdit())
        return false;
    const int row = m_talkgroups->CurrentRow();
    const CGridCheckResult result = StoreRow(row);
    if (!result.ok)
        m_talkgroups->ShowWarning(result);
    return result.ok;
}

void CTGDlg::LeaveView()
{
    ShowStatus(QString());
    if (m_talkgroups->IsEditing() && !m_talkgroups->EndEdit())
        m_talkgroups->CancelEdit();
    const int row = m_talkgroups->CurrentRow();
    if (!RowDirty(row))
        return;
    const CTalkgroupManager::Header h = HeaderAt(row);
    if (h.id < CTalkgroupManager::MinId || h.id > CTalkgroupManager::MaxId) {
        CVelmoraWrap::ShowError(TalkgroupMsg::IdDiscarded, VMT_ERROR);
        DiscardRow(row);
        return;
    }
    const CGridCheckResult result = StoreRow(row);
    if (!result.ok) {
        if (result.messageId)
            CVelmoraWrap::ShowError(result.Error());
        DiscardRow(row);
    }
}

void CTGDlg::FillMembers(int headerRow)
{
    m_memberRow = headerRow;
    const CTalkgroupManager::Header h = HeaderAt(headerRow);
    QList<CTalkgroupIndex::Member> members;
    if (h.key != 0 && h.id >= CTalkgroupManager::MinId) {
        CVelmoraError error;
        members = Manager().Members({m_nam, h.id, h.name}, &error);
        if (error)
            CVelmoraWrap::ShowError(error);
        m_membersBox->setTitle(CVelmoraWrap::LoadString(TalkgroupText::MembersCaption)
                                   .arg(DisplayName(h.name))
                                   .arg(h.id)
                                   .arg(members.size()));
    } else {
        m_membersBox->setTitle(CVelmoraWrap::LoadString(TalkgroupText::MembersNone));
    }
    m_members->SetRowCount(int(members.size()));
    for (int i = 0; i < members.size(); ++i) {
        m_members->SetValue(i + 1, 1, members.at(i).imei);
        m_members->SetValue(i + 1, 3, members.at(i).userName);
        m_members->SetValue(i + 1, 4, members.at(i).displayPrivateId);
    }
    UpdateButtons();
}

void CTGDlg::UpdateButtons()
{
    const CTalkgroupManager::Header h = HeaderAt(m_talkgroups->CurrentRow());
    const bool talkgroup = h.key != 0 || RowDirty(m_talkgroups->CurrentRow());
    m_buttons.value(AddSelectedButton)->setEnabled(talkgroup && !m_unitList.isEmpty());
    m_buttons.value(AddAllButton)->setEnabled(talkgroup && !m_unitList.isEmpty());
    const bool members = m_members->RowCount() > 0;
    m_buttons.value(RemoveSelectedButton)->setEnabled(members);
    m_buttons.value(RemoveAllButton)->setEnabled(members);
}

void CTGDlg::ShowStatus(const QString& text)
{
    if (m_services)
        m_services->SetStatusText(text);
}

void CTGDlg::AddSelectedUnits()
{
    QList<int> rows = m_units->SelectedRows();
    if (rows.isEmpty() && m_units->CurrentRow() > 0)
        rows << m_units->CurrentRow();
    AddUnitRows(rows);
}

void CTGDlg::AddAllUnits()
{
    QList<int> rows;
    for (int row = 1; row <= int(m_unitList.size()); ++row)
        rows << row;
    AddUnitRows(rows);
}
