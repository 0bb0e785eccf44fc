#pragma once

#include "CPropertyPageWithHelp.h"

class CCopyWizardSheet;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Source page: the source is read from the phone on the cable, or chosen among the units of a
// fleet file. Next takes the source; a failure stays on the page.
class CCopyWizSrcDlg : public CPropertyPageWithHelp
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 107,
        FromFileId = 1141,
        FromPhoneId = 1142,
        PathId = 1159,
        BrowseId = 1008,
        PathLabelId = 1169,
        PhoneHintId = 1170,
        MaxPath = 260,
    };

    explicit CCopyWizSrcDlg(CCopyWizardSheet& sheet);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardNext() override;

    QRadioButton* FromPhone() const { return m_fromPhone; }
    QRadioButton* FromFile() const { return m_fromFile; }
    QLineEdit* PathEdit() const { return m_path; }
    void Browse();

private:
    void UpdateLayout();
    bool ReadFromPhone();
    bool ChooseFromFile();

    CCopyWizardSheet& m_sheet;
    QRadioButton* m_fromPhone;
    QRadioButton* m_fromFile;
    QLabel* m_phoneHint;
    QLabel* m_pathLabel;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QLabel* m_sourceShown;
};
