#include "CPropertyPageWithHelp.h"

#include "CPropertySheetWithHelp.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QAbstractSpinBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

CPropertyPageWithHelp::CPropertyPageWithHelp(int templateId, const QString& title, QWidget* parent)
    : QWidget(parent), m_templateId(templateId), m_helpContext(DialogHelpBase + templateId), m_title(title)
{
    setProperty("controlId", templateId);
    setProperty("helpContext", m_helpContext);
}

void CPropertyPageWithHelp::SetHelpContext(int context)
{
    m_helpContext = context;
    setProperty("helpContext", context);
}

int CPropertyPageWithHelp::HelpContextOf(const QWidget* control) const
{
    for (const QWidget* w = control; w && w != this; w = w->parentWidget()) {
        bool ok = false;
        const int id = w->property("controlId").toInt(&ok);
        if (ok && id > 0)
            return ControlHelpBase + id;
    }
    return HelpContext();
}

void CPropertyPageWithHelp::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

bool CPropertyPageWithHelp::OnSetActive()
{
    // A page that was shown is saved by OK, whether or not a control changed.
    SetModified(true);
    return true;
}

bool CPropertyPageWithHelp::EnsureInitialized()
{
    if (m_initialized)
        return true;
    m_initialized = true;
    const bool ok = OnInitDialog();
    WatchControls();
    return ok;
}

void CPropertyPageWithHelp::WatchControls()
{
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("helpWatched").toBool())
            continue;
        child->setProperty("helpWatched", true);
        child->installEventFilter(this);
    }
}

void CPropertyPageWithHelp::RequestControlHelp(const QWidget* control)
{
    if (m_sheet)
        m_sheet->RequestHelp(HelpContextOf(control));
}

void CPropertyPageWithHelp::AddWhatsThis(QMenu& menu, const QWidget* control)
{
    QAction* action = menu.addAction(CVelmoraWrap::LoadString(UnitEditText::WhatsThis));
    action->setObjectName(QStringLiteral("whatsThis"));
    connect(action, &QAction::triggered, this, [this, control]() { RequestControlHelp(control); });
}

void CPropertyPageWithHelp::contextMenuEvent(QContextMenuEvent* event)
{
    QWidget* control = childAt(event->pos());
    QMenu menu(this);
    AddWhatsThis(menu, control ? control : this);
    menu.exec(event->globalPos());
}

bool CPropertyPageWithHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto* control = static_cast<QWidget*>(watched);
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    // Editors keep their own entries (cut, copy, paste) above "What's This?".
    std::unique_ptr<QMenu> menu;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        menu.reset(edit->createStandardContextMenu());
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
        menu.reset(spin->findChild<QLineEdit*>()->createStandardContextMenu());
    else
        menu = std::make_unique<QMenu>();
    if (!menu->isEmpty())
        menu->addSeparator();
    AddWhatsThis(*menu, control);
    menu->exec(menuEvent->globalPos());
    return true;
}
