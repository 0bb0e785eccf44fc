#include "CHelpKeys.h"

#include "CHelpTable.h"
#include "CVelmoraWrap.h"
#include "HelpMessageIds.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QToolTip>

namespace {

bool IsHelpKey(const QEvent* event, Qt::KeyboardModifiers modifiers)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == modifiers;
}

// Controls whose right-click menu is ours to give: editors' menus are kept and extended, item views
// and other windows with menus of their own are left alone.
bool IsPlainControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QGroupBox*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QDialog*>(w);
}

} // namespace

CHelpKeys::CHelpKeys(Show show, QObject* parent) : QObject(parent), m_show(std::move(show))
{
    qApp->installEventFilter(this);
}

CHelpKeys::~CHelpKeys()
{
    LeaveWhatsThisMode();
}

void CHelpKeys::EnterWhatsThisMode()
{
    if (m_whatsThis)
        return;
    m_whatsThis = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    QToolTip::showText(QCursor::pos(), CVelmoraWrap::LoadString(HelpText::WhatsThisMode));
}

void CHelpKeys::LeaveWhatsThisMode()
{
    if (!m_whatsThis)
        return;
    m_whatsThis = false;
    QApplication::restoreOverrideCursor();
    QToolTip::hideText();
}

QMenu* CHelpKeys::MenuFor(QWidget* control)
{
    const QWidget* window = control ? control->window() : nullptr;
    if (!control || !qobject_cast<const QDialog*>(window) || control->property("helpWatched").toBool() ||
        control->contextMenuPolicy() != Qt::DefaultContextMenu || !IsPlainControl(control))
        return nullptr;
    const int context = HelpTable::ContextOf(control);
    if (context == 0)
        return nullptr;
    QMenu* menu = nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        menu = edit->createStandardContextMenu();
        menu->addSeparator();
    } else {
        menu = new QMenu(control);
    }
    QAction* action = menu->addAction(CVelmoraWrap::LoadString(HelpText::WhatsThis));
    action->setObjectName(QStringLiteral("whatsThis"));
    connect(action, &QAction::triggered, this, [this, context]() { m_show(context); });
    return menu;
}

bool CHelpKeys::OnKey(QWidget* widget, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // F1 belongs to the control that has the focus, ahead of the Help Topics key of the menus.
        if (IsHelpKey(event, Qt::NoModifier) || IsHelpKey(event, Qt::ShiftModifier) ||
            (m_whatsThis && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)) {
            event->accept();
            return true;
        }
        return false;
    }
    if (m_whatsThis && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        LeaveWhatsThisMode();
        return true;
    }
    if (IsHelpKey(event, Qt::ShiftModifier)) {
        EnterWhatsThisMode();
        return true;
    }
    if (IsHelpKey(event, Qt::NoModifier)) {
        QWidget* focus = QApplication::focusWidget();
        m_show(HelpTable::ContextOf(focus ? focus : widget));
        return true;
    }
    return false;
}

bool CHelpKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        return OnKey(widget, event);
    case QEvent::MouseButtonPress:
        if (m_whatsThis) {
            LeaveWhatsThisMode();
            m_show(HelpTable::ContextOf(widget));
            return true;
        }
        break;
    case QEvent::ContextMenu:
        if (QMenu* menu = MenuFor(widget)) {
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
