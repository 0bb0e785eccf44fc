#include "CUnitAutoFillDlg.h"

#include "CGridListType.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitNamListPage.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "ExchangeMessageIds.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum : int
{
    TextTitle = 7885,
    TextSelectAll = 7886,
    TextAdd = 7887,
    TextClose = 7245,
};

// The grid's sub-mode: which of the private id and number columns the list shows.
int SubModeOf(CUnitAutoFill::Mode mode)
{
    switch (mode) {
    case CUnitAutoFill::PhoneList:
        return 3;
    case CUnitAutoFill::PrivateList:
        return 2;
    case CUnitAutoFill::Consolidated:
        break;
    }
    return 0;
}

// The page's grid rows go to its twin before the dialog adds to it.
bool WriteBack(CUnitSheetPage& page)
{
    auto* consol = qobject_cast<CUnitConsolCallListDlg*>(&page);
    if (!consol)
        return page.WriteBackForDialog();
    const CUnitListWriteResult written = consol->List().WriteBack();
    if (written)
        return true;
    if (consol->List().LastFailedRow() > 0)
        consol->Grid()->SetCurrentCell(consol->List().LastFailedRow(), CUnitConsolCallList::ColNumber);
    CVelmoraWrap::ShowError(written.error);
    return false;
}

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

CUnitAutoFillDlg::CUnitAutoFillDlg(CUnitAutoFill fill, const CGridSettings& settings, QWidget* parent)
    : QDialog(parent), m_fill(std::move(fill))
{
    setObjectName(QStringLiteral("UnitAutoFillDlg"));
    setProperty("helpContext", 0x20000 + DialogId);
    setProperty("controlId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(TextTitle));
    auto* layout = new QVBoxLayout(this);
    m_grid = new CVelmoraGridWnd(CGridListType::AutoFillGrid, SubModeOf(m_fill.GetMode()), settings, this);
    m_grid->setObjectName(QStringLiteral("AutoFillGrid"));
    m_grid->setProperty("controlId", int(GridControl));
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    const auto add = [this, buttons](int id, int text) {
        auto* button = new QPushButton(CVelmoraWrap::LoadString(text), this);
        button->setProperty("controlId", id);
        buttons->addWidget(button);
        m_buttons.insert(id, button);
        connect(button, &QPushButton::clicked, this, [this, id]() { PressButton(id); });
    };
    add(SelectAllButton, TextSelectAll);
    add(AddButton, TextAdd);
    buttons->addStretch(1);
    add(CloseButton, TextClose);
    layout->addLayout(buttons);
    resize(560, 420);
}

bool CUnitAutoFillDlg::Load()
{
    QList<CUnitAutoFill::Candidate> candidates;
    if (const CVelmoraError error = m_fill.LoadCandidates(candidates)) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    m_grid->SetRowCount(int(candidates.size()));
    for (int i = 0; i < candidates.size(); ++i) {
        const CUnitAutoFill::Candidate& c = candidates.at(i);
        const int row = i + 1;
        m_grid->SetValue(row, ColImei, c.imei);
        m_grid->SetValue(row, ColMark, QStringLiteral("0"));
        m_grid->SetValue(row, ColName, c.userName);
        m_grid->SetValue(row, ColPrivateId, c.privateId);
        m_grid->SetValue(row, ColNumber, c.number);
    }
    if (!m_grid->LoadColumnWidths())
        m_grid->resizeColumnsToContents();
    m_buttons.value(AddButton)->setEnabled(!candidates.isEmpty());
    m_buttons.value(SelectAllButton)->setEnabled(!candidates.isEmpty());
    return true;
}

void CUnitAutoFillDlg::PressButton(int controlId)
{
    switch (controlId) {
    case SelectAllButton:
        for (int row = 1; row <= m_grid->RowCount(); ++row)
            m_grid->SetValue(row, ColMark, QStringLiteral("1"));
        break;
    case AddButton:
        AddSelected();
        break;
    case CloseButton:
        if (m_added > 0)
            accept();
        else
            reject();
        break;
    default:
        break;
    }
}

void CUnitAutoFillDlg::AddSelected()
{
    QStringList imeis;
    for (int row = 1; row <= m_grid->RowCount(); ++row) {
        if (m_grid->Value(row, ColMark) == QLatin1String("1") && !m_grid->Value(row, ColImei).isEmpty())
            imeis << m_grid->Value(row, ColImei);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CUnitAutoFill::AddResult result = m_fill.Add(imeis);
    QApplication::restoreOverrideCursor();
    m_added += result.added;
    if (result.error) {
        CVelmoraWrap::ShowError(result.error);
        return;
    }
    CVelmoraWrap::ShowError(ExchangeMsg::UnitsAdded, VMT_NOTICE);
}

bool CUnitAutoFillDlg::RunFromSheet(CUnitPropertySheet& sheet, int pageId, QWidget* parent)
{
    CUnitSheetPage* page = sheet.PageById(pageId);
    if (!page || !page->EnsureInitialized() || !WriteBack(*page))
        return false;
    const CUnitSheetUnit& unit = sheet.SheetUnit();
    const CModelProfile::ListCapacities& caps = unit.profile.capacities;
    CUnitAutoFill::Mode mode = CUnitAutoFill::PhoneList;
    int nam = 1;
    int capacity = caps.phoneBook;
    if (pageId == UnitPage::PrivateList) {
        auto* nams = qobject_cast<CUnitNamListPage*>(page);
        nam = nams ? qBound(1, nams->List().CurrentNam(), int(CModelProfile::NamSlots)) : 1;
        mode = CUnitAutoFill::PrivateList;
        capacity = caps.privateList[nam - 1];
    } else if (pageId == UnitPage::Consolidated) {
        mode = CUnitAutoFill::Consolidated;
        capacity = caps.consolidated;
    }
    const bool hebrew = sheet.Context().IsHebrew();
    CUnitAutoFillDlg dialog(CUnitAutoFill(unit.db, mode, unit.imei, nam, capacity, unit.phoneBookLangEntryId),
                            CUnitPhoneListDlg::GridSettingsOf(unit, hebrew), parent);
    dialog.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    if (!dialog.Load())
        return false;
    dialog.exec();
    dialog.Grid()->SaveColumnWidths();
    if (dialog.Added() == 0)
        return false;
    Reload(*page);
    return true;
}
