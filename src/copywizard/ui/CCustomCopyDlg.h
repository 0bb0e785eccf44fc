#pragma once

#include "CPropertyPageWithHelp.h"

class CCopyWizardSheet;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The Custom copy page: the check list of what is written into each phone, filled once per source
// (Back and Next keep the checks); items the source model cannot hold are shown disabled.
class CCustomCopyDlg : public CPropertyPageWithHelp
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 104,
        HelpContext = 135690, // its template id is taken by a unit page's help
        ListId = 1161,
        CheckAllId = 1009,
        UncheckAllId = 1012,
    };

    explicit CCustomCopyDlg(CCopyWizardSheet& sheet);

    bool OnSetActive() override;
    int OnWizardNext() override;

    QListWidget* List() const { return m_list; }
    void CheckAll(bool checked);

private:
    void Refill();
    void Sync();
    void OnItemChanged(QListWidgetItem* item);

    CCopyWizardSheet& m_sheet;
    QListWidget* m_list;
    QPushButton* m_checkAll;
    QPushButton* m_uncheckAll;
    bool m_syncing = false;
};
