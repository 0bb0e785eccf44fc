#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class CPropertyPageWithHelp;
class QDialogButtonBox;
class QPushButton;
class QStackedWidget;
class QTabBar;

// A property sheet of CPropertyPageWithHelp pages: tabs with the pages' icons and titles, and OK,
// Cancel, Apply and Help. Leaving a page asks it first (kill-active may refuse); OK and Apply save
// every page that has been shown (ApplyPages, which a sheet may wrap), OK then closes. F1 shows the
// help of the focused control, the help button the active page's.
//
// In wizard mode the tabs give way to Back, Next and Finish (with Cancel and Help), whose state the
// active page sets with SetWizardButtons.
class CPropertySheetWithHelp : public QDialog
{
    Q_OBJECT

public:
    // SetWizardButtons flags.
    enum WizardButton : int
    {
        PSWIZB_BACK = 0x1,
        PSWIZB_NEXT = 0x2,
        PSWIZB_FINISH = 0x4,
        PSWIZB_DISABLEDFINISH = 0x8,
    };
    // Control ids of the buttons.
    enum : int
    {
        IdOk = 1,
        IdCancel = 2,
        IdHelp = 9,
        IdApply = 0x3021,
        IdBack = 0x3023,
        IdNext = 0x3024,
        IdFinish = 0x3025,
        IdTabs = 0x3020,
    };

    explicit CPropertySheetWithHelp(const QString& caption, QWidget* parent = nullptr);
    ~CPropertySheetWithHelp() override;

    // The sheet owns its pages.
    void AddPage(CPropertyPageWithHelp* page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPageWithHelp* GetPage(int index) const;
    int GetPageIndex(const CPropertyPageWithHelp* page) const;
    int GetActiveIndex() const { return m_active; }
    CPropertyPageWithHelp* GetActivePage() const { return GetPage(m_active); }
    // Leaves the active page (it may refuse) and activates another. False when either refused.
    bool SetActivePage(int index);
    // The page shown first when the sheet opens.
    void SetStartPage(int index) { m_startPage = index; }

    void SetWizardMode(bool wizard = true);
    bool IsWizardMode() const { return m_wizard; }
    void SetWizardButtons(int flags);
    int WizardButtons() const { return m_wizardFlags; }

    // Where help requests go (a context id); the sheet remembers the last one asked for.
    void SetHelpHandler(std::function<void(int context)> handler) { m_helpHandler = std::move(handler); }
    void RequestHelp(int context);
    int LastHelpContext() const { return m_lastHelp; }
    // The context whose topic a request shows: a control's request shows the topic of the active page.
    int TopicOf(int context) const;

    QPushButton* Button(int controlId) const;
    QTabBar* TabBar() const { return m_tabs; }

    // The buttons' work, also for tests and scripts. PressOk and PressFinish close the sheet on success.
    bool PressOk();
    bool PressApply();
    void PressCancel();
    bool PressBack();
    bool PressNext();
    bool PressFinish();

    int exec() override;

protected:
    // Saves every page that has been shown; a refusing page becomes the active one. Sheets that save
    // into one store wrap this in their own unit of work.
    virtual bool ApplyPages();
    // After a save that went through.
    virtual void OnPagesApplied();
    void keyPressEvent(QKeyEvent* event) override;
    // A click on a tab asks the active page before the tab changes, so a refusal never shows the
    // other tab selected.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildButtons();
    void ShowPage(int index);
    void UpdateApplyButton();
    bool LeaveActivePage();

    QList<CPropertyPageWithHelp*> m_pages;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    int m_active = -1;
    int m_startPage = 0;
    bool m_wizard = false;
    int m_wizardFlags = PSWIZB_BACK | PSWIZB_NEXT;
    bool m_switching = false;
    std::function<void(int)> m_helpHandler;
    int m_lastHelp = 0;
};
