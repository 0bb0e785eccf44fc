#pragma once

#include <QList>
#include <QString>

class QWidget;

// The one table from help context to help page. Dialogs, pages and windows carry their context as the
// dynamic property "helpContext"; a control has the topic of the nearest one above it in its window,
// so the table lists dialogs and pages only. Pages are file names of a language's help folder,
// optionally with "#anchor".
namespace HelpTable {

// The general topic (the contents page), also where the toolkit's own contexts go.
constexpr int GeneralContext = 131204;

// Contexts of the windows that have no dialog template of their own.
enum : int
{
    UnitSheet = 135680,
    TalkgroupManager = 135681,
    SmsWindow = 135682,
    SmsModem = 135683,
    SmsStatus = 135684,
    Options = 135685,
    NewUnitValues = 135686,
    AppendFleet = 135687,
    FleetWindow = 135688,
    CopyWizard = 135689,
    CopyWizardCustom = 135690,
    SupportedPhones = 135691,
    FleetAutoFill = 135692,
};

// "page.html" or "page.html#anchor" of a context; empty when the table has none.
QString PageOf(int context);
// Every context of the table.
QList<int> Contexts();
// The context of a widget: its own "helpContext" or that of the nearest widget above it, up to and
// including its window; 0 when none has one.
int ContextOf(const QWidget* widget);

} // namespace HelpTable
