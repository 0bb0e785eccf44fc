// Pictures of the PIM window: the phone book with three contacts, and the date book's day, week and
// month views with a few events, in English and in Hebrew:
//
//   velmora-screens pim <output folder>

#include "CDBTabWnd.h"
#include "CPIMChildFrame.h"
#include "CPIMDoc.h"
#include "CPIMTabWnd.h"
#include "CPhoneBookView.h"
#include "CPhoneList.h"
#include "CPimStore.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"
#include "SheetListRows.h"
#include "VelmoraConduit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);
const QDate kDay(2026, 12, 8);

QString Text(bool hebrew, const char16_t* he, const char* en)
{
    return hebrew ? QString::fromUtf16(he) : QString::fromUtf8(en);
}

bool AddContacts(CPimStore& store, bool hebrew)
{
    struct Row
    {
        const char16_t* he;
        const char* en;
        const char16_t* companyHe;
        const char* companyEn;
        const char* mobile;
        const char* work;
    };
    const Row rows[] = {
        {u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF", "Ann Baker",
         u"\u05E6\u05D9 \u05D4\u05E6\u05E4\u05D5\u05DF", "Northern Fleet", "052-1234500", "03-5550100"},
        {u"\u05D9\u05D5\u05E1\u05D9 \u05DC\u05D5\u05D9", "Ben O'Brien",
         u"\u05DE\u05D5\u05E1\u05DA \u05D4\u05E2\u05D9\u05E8", "City Garage", "052-1234501", ""},
        {u"\u05E8\u05D5\u05EA \u05D0\u05D1\u05D9\u05D1", "Carla Diaz",
         u"\u05DE\u05D5\u05E7\u05D3 \u05E9\u05D9\u05E8\u05D5\u05EA", "Service Desk", "052-1234502",
         "03-5550102"},
    };
    for (const Row& row : rows) {
        CPimContact contact;
        contact.name = Text(hebrew, row.he, row.en);
        contact.company = Text(hebrew, row.companyHe, row.companyEn);
        contact.email = QString::fromLatin1(row.en)
                            .toLower()
                            .remove(QLatin1Char('\''))
                            .replace(QLatin1Char(' '), QLatin1Char('.')) +
                        QStringLiteral("@example.com");
        contact.address = QLatin1String("");
        contact.note = QLatin1String("");
        contact.numbers << CPimNumber{CPimNumber::Mobile, QString::fromLatin1(row.mobile)};
        if (*row.work)
            contact.numbers << CPimNumber{CPimNumber::Work, QString::fromLatin1(row.work)};
        if (store.SaveContact(contact))
            return false;
    }
    return true;
}

bool AddEvents(CPimStore& store, bool hebrew)
{
    struct Row
    {
        const char16_t* he;
        const char* en;
        QDate day;
        QTime start, end;
        bool allDay;
    };
    const Row rows[] = {
        {u"\u05E9\u05D9\u05E8\u05D5\u05EA \u05D1\u05DE\u05E1\u05D5\u05E3", "Service at the depot", kDay,
         QTime(9, 0), QTime(10, 30), false},
        {u"\u05D4\u05D3\u05E8\u05DB\u05EA \u05E7\u05E9\u05E8", "Radio training", kDay, QTime(13, 0),
         QTime(15, 0), false},
        {u"\u05E1\u05E4\u05D9\u05E8\u05EA \u05DE\u05DC\u05D0\u05D9", "Fleet inventory", kDay.addDays(2),
         QTime(0, 0), QTime(0, 0), true},
        {u"\u05D4\u05D7\u05DC\u05E4\u05EA \u05E1\u05D5\u05DC\u05DC\u05D5\u05EA", "Battery swap",
         kDay.addDays(-1), QTime(11, 0), QTime(12, 0), false},
        {u"\u05E4\u05D2\u05D9\u05E9\u05EA \u05E6\u05D5\u05D5\u05EA", "Team meeting", kDay.addDays(15),
         QTime(8, 30), QTime(9, 30), false},
    };
    for (const Row& row : rows) {
        CPimEvent event;
        event.title = Text(hebrew, row.he, row.en);
        event.allDay = row.allDay;
        event.start = QDateTime(row.day, row.start);
        event.end = QDateTime(row.day, row.end);
        event.location = QLatin1String("");
        event.note = QLatin1String("");
        if (store.SaveEvent(event))
            return false;
    }
    return true;
}

bool Shoot(QWidget& widget, const QString& path)
{
    QApplication::processEvents();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool ShootAll(const QString& program, const QString& out, bool hebrew)
{
    const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
    QLocale::setDefault(hebrew ? QLocale(QLocale::Hebrew, QLocale::Israel)
                               : QLocale(QLocale::English, QLocale::UnitedStates));
    CPIMDoc document(program);
    if (document.OnNewDocument())
        return false;
    CPimStore* store = VelmoraPim::CurrentPimStore();
    if (!store || !AddContacts(*store, hebrew) || !AddEvents(*store, hebrew))
        return false;

    QMdiArea area;
    area.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    area.resize(1100, 680);
    auto* frame = new CPIMChildFrame(document);
    area.addSubWindow(frame);
    area.show();
    frame->Activate();
    CPIMTabWnd* tabs = frame->TabWnd();
    CPhoneList* list = tabs->PhoneBookView()->PhoneList();
    list->Reload();
    if (!list->ShownIds().isEmpty())
        list->SelectContact(list->ShownIds().first());
    bool ok = Shoot(area, out + QStringLiteral("/pim_%1_phonebook.png").arg(lang));

    tabs->setCurrentIndex(CPIMTabWnd::DateBookTab);
    CDBTabWnd* book = tabs->DateBook();
    book->SetDate(kDay);
    const QPair<int, const char*> views[] = {
        {CDBTabWnd::DayTab, "day"}, {CDBTabWnd::WeekTab, "week"}, {CDBTabWnd::MonthTab, "month"}};
    for (const auto& view : views) {
        book->setCurrentIndex(view.first);
        ok = Shoot(area, out + QStringLiteral("/pim_%1_%2.png").arg(lang, QLatin1String(view.second))) && ok;
    }
    document.OnCloseDocument();
    return ok;
}

} // namespace

int PimScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens pim <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        // A program folder for each language, so both start from the same template.
        const QString program =
            scratch.path() + (hebrew ? QStringLiteral("/program-he") : QStringLiteral("/program-en"));
        QDir().mkpath(program);
        for (const char* name : {"VelmoraPIM.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"}) {
            const QString target = program + QLatin1Char('/') + QLatin1String(name);
            QFile::copy(kShare + QLatin1Char('/') + QLatin1String(name), target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        }
        CVelmoraWrap::SetAppPath(program);
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        ok = ShootAll(program, out, hebrew) && ok;
    }
    return ok ? 0 : 1;
}
