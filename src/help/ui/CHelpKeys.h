#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QWidget;

// The keys and menus that ask for help anywhere in the program, watched on the application: F1 shows
// the topic of the focused control, Shift+F1 makes the next click a "What's This?" for the control
// clicked (Escape leaves), and the right-click menu of a dialog's plain controls ends with
// "What's This?". Each hands the control's context (HelpTable::ContextOf; 0 when it has none) to the
// handler. Property pages that offer "What's This?" themselves keep their own menus.
class CHelpKeys : public QObject
{
    Q_OBJECT
public:
    using Show = std::function<void(int context)>;

    // Watches the application until destroyed.
    explicit CHelpKeys(Show show, QObject* parent = nullptr);
    ~CHelpKeys() override;

    bool InWhatsThisMode() const { return m_whatsThis; }
    void EnterWhatsThisMode();
    void LeaveWhatsThisMode();
    // The menu a right-click on the control shows: its own entries (an editor's) and "What's This?";
    // nullptr when the control keeps its own menu or has no topic.
    QMenu* MenuFor(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(QWidget* widget, QEvent* event);

    Show m_show;
    bool m_whatsThis = false;
};
