#pragma once

#include "CPhoneBookTransfer.h"

#include <QDialog>
#include <QHash>

class CUnitPropertySheet;
class CVelmoraGridWnd;
class QGroupBox;
class QLabel;
class QPushButton;

// What the transfer dialog shows besides the unit's lists.
struct CTransferOptions
{
    bool hideSimpleList = false; // the carrier's switch: the phone book and private panes are hidden
    bool phoneBookPane = true;   // the sheet edits the phone book (its page is there)
    bool privatePane = true;     // the sheet edits the private list
    QString modelList;           // the carrier's model list: without a q700 model the hint is shown
    bool hebrew = false;
};

// The phone-book transfer: the unit's phone book, NAM 1 private-call list and consolidated call list
// side by side, with buttons that copy the selected entries into the consolidated list or back, and
// that clear selected entries. OK writes the three lists back together into the "_tmp" twins the
// sheet's pages edit (so the sheet's OK or Cancel still decides); Cancel leaves them as they were.
// CPhoneBookTransfer does the work; the dialog shows it.
class CTransferPhoneBookDataDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 1313,
        ConsolGrid = 1255,
        PhoneGrid = 1256,
        PrivateGrid = 1257,
        MoveBack = 1258,
        MovePhoneBook = 1259,
        ClearConsol = 1260,
        ClearPhoneBook = 1261,
        MovePrivate = 1263,
        ClearPrivate = 1264,
        HintIcon = 1873,
        HintText = 1874,
        HintString = 1855,
        OkButton = 1,
        CancelButton = 2,
        HelpButton = 1021,
        OkBitmap = 1298,
        CancelBitmap = 1297,
        HelpBitmap = 1299,
    };
    enum : int
    {
        TextTitle = 7632,
        TextPhoneBook = 7633,
        TextPrivate = 7634,
        TextConsol = 7635,
        TextMoveIn = 7636,
        TextMoveBack = 7637,
        TextClear = 7638,
        TextCount = 7639,      // "Entries: %1 of %2"
        NumberTypeText = 1885, // 1885..1894: number types 0..9
    };

    CTransferPhoneBookDataDlg(const CUnitSheetUnit& unit, const CTransferOptions& options,
                              QWidget* parent = nullptr);
    ~CTransferPhoneBookDataDlg() override;

    // Reads the three lists; false when they could not be read (the error has been shown).
    bool Load();

    CPhoneBookTransfer& Transfer() { return m_transfer; }
    CVelmoraGridWnd* Grid(int controlId) const { return m_grids.value(controlId); }
    QPushButton* Button(int controlId) const { return m_buttons.value(controlId); }
    QWidget* Pane(int gridId) const;
    QLabel* Hint() const { return m_hint; }

    // The buttons' work, also for tests.
    void PressButton(int controlId);

    // The phone-book transfer button of a list page of the sheet: makes sure the sheet's three list
    // pages hold their rows in their twins (setting up pages not shown yet, writing back the others),
    // shows the dialog, and after its OK sets the reload flags of the other list pages. True after OK.
    static bool RunFromSheet(CUnitPropertySheet& sheet, int callerPage, QWidget* parent);
    // Whether the sheet can offer the transfer: the unit is an Alder unit and the sheet has the
    // consolidated call list page.
    static bool Available(const CUnitPropertySheet& sheet);

Q_SIGNALS:
    void helpRequested(int contextId);

public Q_SLOTS:
    void accept() override;

protected:
    // Tab leaves a list (the lists are not edited here), Enter is OK and Escape Cancel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildPane(int textId, int gridId, int gridType, const QList<int>& buttons);
    QPushButton* AddButton(int controlId, int textId, int bitmapId);
    void Show(CPhoneBookTransfer::List list);
    void ShowAll();
    void ShowError(const CVelmoraError& error);

    CPhoneBookTransfer m_transfer;
    CTransferOptions m_options;
    QHash<int, CVelmoraGridWnd*> m_grids;
    QHash<int, QPushButton*> m_buttons;
    QHash<int, QWidget*> m_panes;
    QHash<int, QLabel*> m_counts;
    QLabel* m_hintIcon = nullptr;
    QLabel* m_hint = nullptr;
};
