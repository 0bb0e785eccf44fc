#include "CCustomCopyDlg.h"

#include "CCopyWizardSheet.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCustomCopyDlg::CCustomCopyDlg(CCopyWizardSheet& sheet)
    : CPropertyPageWithHelp(DialogId, CVelmoraWrap::LoadString(CopyWizText::CustomPage)), m_sheet(sheet)
{
    setObjectName(QStringLiteral("CustomCopy"));
    SetHelpContext(HelpContext);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(CVelmoraWrap::LoadString(CopyWizText::ItemsLabel), this);
    m_list = new QListWidget(this);
    m_list->setProperty("controlId", int(ListId));
    label->setBuddy(m_list);
    m_checkAll = new QPushButton(CVelmoraWrap::LoadString(CopyWizText::CheckAll), this);
    m_checkAll->setProperty("controlId", int(CheckAllId));
    m_uncheckAll = new QPushButton(CVelmoraWrap::LoadString(CopyWizText::UncheckAll), this);
    m_uncheckAll->setProperty("controlId", int(UncheckAllId));
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_checkAll);
    side->addWidget(m_uncheckAll);
    side->addStretch(1);
    row->addLayout(side);
    layout->addLayout(row, 1);
    connect(m_checkAll, &QPushButton::clicked, this, [this]() { CheckAll(true); });
    connect(m_uncheckAll, &QPushButton::clicked, this, [this]() { CheckAll(false); });
    connect(m_list, &QListWidget::itemChanged, this, &CCustomCopyDlg::OnItemChanged);
}

bool CCustomCopyDlg::OnSetActive()
{
    if (!CPropertyPageWithHelp::OnSetActive())
        return false;
    m_sheet.SetWizardButtons(CPropertySheetWithHelp::PSWIZB_BACK | CPropertySheetWithHelp::PSWIZB_NEXT);
    if (m_sheet.State().EnsureItems(m_sheet.Context().namCount) || m_list->count() == 0)
        Refill();
    else
        Sync();
    return true;
}

void CCustomCopyDlg::Refill()
{
    m_syncing = true;
    m_list->clear();
    for (const CCopyItems::Item& entry : m_sheet.State().items.Items()) {
        auto* item = new QListWidgetItem(CVelmoraWrap::LoadString(entry.textId), m_list);
        Qt::ItemFlags flags = Qt::ItemIsSelectable;
        if (entry.enabled)
            flags |= Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
        item->setFlags(flags);
    }
    m_syncing = false;
    Sync();
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void CCustomCopyDlg::Sync()
{
    m_syncing = true;
    const CCopyItems& items = m_sheet.State().items;
    for (int i = 0; i < m_list->count() && i < items.Count(); ++i)
        m_list->item(i)->setCheckState(items.At(i).checked ? Qt::Checked : Qt::Unchecked);
    m_syncing = false;
}

void CCustomCopyDlg::OnItemChanged(QListWidgetItem* item)
{
    if (m_syncing)
        return;
    const int index = m_list->row(item);
    m_sheet.State().items.SetChecked(index, item->checkState() == Qt::Checked);
    // A refused check (a disabled item) shows what the list holds.
    Sync();
}

void CCustomCopyDlg::CheckAll(bool checked)
{
    m_sheet.State().items.SetAllChecked(checked);
    Sync();
}

int CCustomCopyDlg::OnWizardNext()
{
    if (const CVelmoraError error = m_sheet.State().items.Flags(m_sheet.Flags())) {
        m_sheet.Report(error);
        m_list->setFocus();
        return -1;
    }
    return kDefault;
}
