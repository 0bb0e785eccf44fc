#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class CPropertySheetWithHelp;
class QMenu;

// One page of a CPropertySheetWithHelp: a widget with the hooks the sheet calls. The page is set up
// (OnInitDialog) the first time it becomes active, so a page never shown loads and saves nothing.
// Every control carries its id as the property "controlId"; F1 and the right-click "What's This?"
// ask for the help of the control (0x10000 + id), the help button for the page's (0x20000 + template).
class CPropertyPageWithHelp : public QWidget
{
    Q_OBJECT

public:
    enum : int
    {
        ControlHelpBase = 0x10000,
        DialogHelpBase = 0x20000,
    };

    CPropertyPageWithHelp(int templateId, const QString& title, QWidget* parent = nullptr);

    int TemplateId() const { return m_templateId; }
    QString Title() const { return m_title; }
    QIcon Icon() const { return m_icon; }
    void SetIcon(const QIcon& icon) { m_icon = icon; }
    // The help context of the page itself (also its "helpContext" property): 0x20000 + template
    // unless the page says otherwise.
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int context);
    static bool IsControlContext(int context)
    {
        return context >= ControlHelpBase && context < DialogHelpBase;
    }
    // The help context of a control of the page: its own or its nearest parent's controlId; the
    // page's context when none has one.
    int HelpContextOf(const QWidget* control) const;

    CPropertySheetWithHelp* Sheet() const { return m_sheet; }
    bool IsInitialized() const { return m_initialized; }
    // Modified pages make the sheet's Apply button available.
    void SetModified(bool modified = true);
    bool IsModified() const { return m_modified; }

    // --- Hooks the sheet calls ---
    // First activation: build the values of the controls. False ends up in the sheet's message.
    virtual bool OnInitDialog() { return true; }
    // The page becomes the active one. False keeps the previous page active.
    virtual bool OnSetActive();
    // The page is left (another page, OK, Apply, Back, Next, Finish). False refuses: the page stays
    // active, with the control to correct focused (the page has said why).
    virtual bool OnKillActive() { return true; }
    // Saves the page (OK and Apply). False refuses the save.
    virtual bool OnApply() { return true; }
    // The sheet's save went through (after all pages' OnApply and the commit).
    virtual void OnApplied() { SetModified(false); }
    virtual void OnCancel() {}
    // Wizard mode: the page index to go to, -1 to stay, or kDefault for the next/previous page.
    enum : int
    {
        kDefault = -2
    };
    virtual int OnWizardBack() { return kDefault; }
    virtual int OnWizardNext() { return kDefault; }
    // False keeps the wizard open.
    virtual bool OnWizardFinish() { return true; }

    // The first initialisation (called by the sheet).
    bool EnsureInitialized();
    void AttachToSheet(CPropertySheetWithHelp* sheet) { m_sheet = sheet; }

Q_SIGNALS:
    void modifiedChanged(bool modified);

protected:
    // Right-click on a control offers "What's This?" (after an editor's own entries).
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Watches the controls for right-clicks; called after OnInitDialog and for controls added later.
    void WatchControls();
    // Shows the help of a control (through the sheet).
    void RequestControlHelp(const QWidget* control);

private:
    void AddWhatsThis(QMenu& menu, const QWidget* control);

    int m_templateId;
    int m_helpContext;
    QString m_title;
    QIcon m_icon;
    CPropertySheetWithHelp* m_sheet = nullptr;
    bool m_initialized = false;
    bool m_modified = false;
};
