#include "CHelpTable.h"

#include <QWidget>

namespace {

constexpr int Dialog = 0x20000; // help of a dialog template: 0x20000 + its id

struct CTopic
{
    int context;
    const char* page;
};

// clang-format off
const CTopic kTopics[] = {
    {HelpTable::GeneralContext,     "index.html"},
    // The fleet window and its prompts.
    {HelpTable::FleetWindow,        "units-view.html"},
    {HelpTable::NewUnitValues,      "units-view.html"},
    {HelpTable::AppendFleet,        "fleet-files.html"},
    // The unit property sheet and its pages (by template).
    {HelpTable::UnitSheet,          "unit-sheet.html"},
    {Dialog + 114,                   "page-basic.html"},
    {Dialog + 115,                   "page-advanced.html"},
    {Dialog + 117,                   "page-comments.html"},
    {Dialog + 103,                   "page-phone-list.html"},
    {Dialog + 104,                   "page-nam-lists.html#private"},
    {Dialog + 105,                   "page-nam-lists.html#talkgroup"},
    {Dialog + 124,                   "page-nam-lists.html#scan"},
    {Dialog + 123,                   "page-nam-lists.html#status"},
    {Dialog + 106,                   "page-consolidated.html"},
    {Dialog + 160,                   "page-ergonomic.html"},
    {Dialog + 1313,                  "transfer.html"},
    {Dialog + 116,                   "auto-fill.html"},
    {HelpTable::FleetAutoFill,      "auto-fill.html"},
    {135274,                         "copy-user-info.html"},
    // Phone information, reading and writing.
    {Dialog + 120,                   "read-write.html"},
    {Dialog + 1872,                  "read-write.html"},
    {Dialog + 2040,                  "read-write.html"},
    {135293,                         "read-write.html"},
    {136375,                         "read-write.html"},
    {HelpTable::SupportedPhones,    "read-write.html"},
    // Copy Wizard.
    {HelpTable::CopyWizard,         "copy-wizard.html"},
    {Dialog + 107,                   "copy-wizard.html"},
    {Dialog + 108,                   "copy-wizard.html"},
    {HelpTable::CopyWizardCustom,   "copy-wizard.html"},
    {135294,                         "copy-wizard.html"},
    // Talkgroups, SMS, PIM, options.
    {HelpTable::TalkgroupManager,   "talkgroups.html"},
    {HelpTable::SmsWindow,          "sms.html"},
    {HelpTable::SmsModem,           "sms.html"},
    {HelpTable::SmsStatus,          "sms.html"},
    {135278,                         "sms.html"},
    {135289,                         "sms.html"},
    {135313,                         "pim.html"},
    {HelpTable::Options,            "options.html"},
};
// clang-format on

} // namespace

QString HelpTable::PageOf(int context)
{
    for (const CTopic& topic : kTopics) {
        if (topic.context == context)
            return QString::fromLatin1(topic.page);
    }
    return QString();
}

QList<int> HelpTable::Contexts()
{
    QList<int> contexts;
    for (const CTopic& topic : kTopics)
        contexts << topic.context;
    return contexts;
}

int HelpTable::ContextOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        bool ok = false;
        const int context = w->property("helpContext").toInt(&ok);
        if (ok && context > 0)
            return context;
        if (w->isWindow())
            break;
    }
    return 0;
}
