#pragma once

#include <QMdiSubWindow>

class CPIMDoc;
class CPIMTabWnd;
class CPhoneCenterView;

// The window of the PIM document in the main window: the phone center view with the two books. It
// opens maximised when "PIM Settings"/"WindowMaximize" says so (the default), remembers that as it
// closes, and labels its tabs again each time it is activated (the language may have changed).
class CPIMChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit CPIMChildFrame(CPIMDoc& document, QWidget* parent = nullptr);
    ~CPIMChildFrame() override;

    CPIMDoc& Document() const { return m_document; }
    CPhoneCenterView* View() const { return m_view; }
    CPIMTabWnd* TabWnd() const;

    static bool MaximizeSetting();
    static void StoreMaximizeSetting(bool maximized);

    // Shows the window as the settings say; the first time maximised or normal, later as it was.
    void Activate();
    // The document has closed: the window goes without asking.
    void Dispose();

Q_SIGNALS:
    // The user closes the window: the document closes.
    void closeRequested(CPIMChildFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();
    void OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    CPIMDoc& m_document;
    CPhoneCenterView* m_view = nullptr;
    bool m_shown = false;
    bool m_disposed = false;
};
