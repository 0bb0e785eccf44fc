// Every help context the program's dialogs, pages and windows declare, and the topic of every control
// that carries an id, resolves through the help table to a page that is there in English, French and
// Hebrew (with its anchor). The windows are built offscreen: the unit sheet of every bench model with
// all its pages, the dialogs the sheet opens, and the other features' dialogs and windows.

#include "CAppendDlg.h"
#include "CAutoFillFeature.h"
#include "CChildFrame.h"
#include "CChoosePhoneDlg.h"
#include "CCopyWizardSheet.h"
#include "CDefaultValueDlg.h"
#include "CDisplayUnitsDlg.h"
#include "CFleetFixtures.h"
#include "CGetSimPinDlg.h"
#include "CGridSettings.h"
#include "CHelpTable.h"
#include "CLoadSMSDlg.h"
#include "CModemDlg.h"
#include "COptionsDlg.h"
#include "CPSupport.h"
#include "CPhoneFixture.h"
#include "CRecoverCPDlg.h"
#include "CSendSMSView.h"
#include "CSheetOnBench.h"
#include "CSmsLibrary.h"
#include "CSmsStatusDlg.h"
#include "CTGDlg.h"
#include "CTestEnvironment.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CUnitAutoFillDlg.h"
#include "CUnitCopyUserInfoDlg.h"
#include "CUnitSheetLayout.h"
#include "CUnitSheetPage.h"
#include "CUnitViewPhoneDlg.h"
#include "CUnitViewSimInfoDlg.h"
#include "NoCPSupport.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTest>

namespace {

const QStringList kLanguages{QStringLiteral("en"), QStringLiteral("fr"), QStringLiteral("he")};

// What the windows built so far declare: topic context -> where it was met, and controls without one.
struct CFound
{
    QMap<int, QStringList> contexts;
    QStringList withoutTopic;

    // Every widget of the window that carries a help context or a control id, and the window itself.
    void Collect(QWidget* window, const QString& where)
    {
        if (HelpTable::ContextOf(window) == 0)
            withoutTopic << where;
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* w : widgets) {
            if (!w->property("helpContext").isValid() && !w->property("controlId").isValid())
                continue;
            const int context = HelpTable::ContextOf(w);
            if (context == 0)
                withoutTopic << QStringLiteral("%1: %2 (control %3)")
                                    .arg(where, QString::fromLatin1(w->metaObject()->className()),
                                         w->property("controlId").toString());
            else if (!contexts[context].contains(where))
                contexts[context] << where;
        }
    }
};

// Why a context's page is not usable in a language; empty when it is.
QString PageFault(int context, const QString& language)
{
    const QString page = HelpTable::PageOf(context);
    if (page.isEmpty())
        return QStringLiteral("no page in the table");
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString anchor = page.section(QLatin1Char('#'), 1);
    QFile html(CTestEnvironment::SourceDir() + QStringLiteral("/data/help/%1/%2").arg(language, file));
    if (!html.open(QIODevice::ReadOnly))
        return language + QLatin1Char('/') + file + QStringLiteral(" is missing");
    const QString text = QString::fromUtf8(html.readAll());
    if (!anchor.isEmpty() && !text.contains(QStringLiteral("id=\"%1\"").arg(anchor)) &&
        !text.contains(QStringLiteral("name=\"%1\"").arg(anchor)))
        return language + QLatin1Char('/') + file + QStringLiteral(" has no anchor ") + anchor;
    return QString();
}

QStringList Faults(const QMap<int, QStringList>& contexts)
{
    QStringList faults;
    for (auto it = contexts.cbegin(); it != contexts.cend(); ++it) {
        for (const QString& language : kLanguages) {
            const QString fault = PageFault(it.key(), language);
            if (!fault.isEmpty())
                faults << QStringLiteral("context %1 (%2): %3")
                              .arg(it.key())
                              .arg(it.value().join(QStringLiteral(", ")), fault);
        }
    }
    return faults;
}

// Collects every window shown while it lives (windows a command shows and closes itself).
class CShownWindows : public QObject
{
public:
    CShownWindows(CFound& found, const QString& where) : m_found(found), m_where(where)
    {
        qApp->installEventFilter(this);
    }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_found.Collect(static_cast<QWidget*>(watched), m_where);
            ++m_count;
        }
        return false;
    }

private:
    CFound& m_found;
    QString m_where;
    int m_count = 0;
};

int Capacity(int, int, int)
{
    return 16;
}

} // namespace

class TestHelpContexts : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;
    CFound m_found;
    CVelmoraDoc* m_doc = nullptr;
    QString m_imei;

    // The sheet of a bench phone of the model, every page shown once; the dialogs it opens too.
    void CollectSheet(int model, QSet<int>& pages, bool& transfer, bool& copyInfo)
    {
        m_fx.Start();
        const QString name = m_fx.Plug(model);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY2(doc, qPrintable(QString::number(model)));
        const QString imei = m_fx.Load(name).imei;
        auto sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Basic);
        QVERIFY(sheet);
        const QString where = QStringLiteral("unit sheet of model %1").arg(model);
        for (int i = 0; i < sheet->GetPageCount(); ++i) {
            sheet->SetActivePage(i);
            pages << static_cast<CUnitSheetPage*>(sheet->GetPage(i))->PageId();
        }
        m_found.Collect(sheet.get(), where);
        // The dialogs the sheet's list pages open, on this unit.
        if (!transfer && CTransferPhoneBookDataDlg::Available(*sheet)) {
            CTransferOptions options;
            options.phoneBookPane = sheet->PageById(UnitPage::PhoneList) != nullptr;
            options.privatePane = sheet->PageById(UnitPage::PrivateList) != nullptr;
            CTransferPhoneBookDataDlg dialog(sheet->SheetUnit(), options, sheet.get());
            m_found.Collect(&dialog, QStringLiteral("phone-book transfer"));
            transfer = true;
        }
        if (!copyInfo && sheet->PageById(UnitPage::PhoneList)) {
            CUnitCopyUserInfoDlg dialog(doc->Database(), m_fx.Rules(), CUnitCopyUserInfo::PhoneBook, imei, {},
                                        false, sheet.get());
            m_found.Collect(&dialog, QStringLiteral("copy user info"));
            copyInfo = true;
        }
        sheet->close();
        m_doc = doc;
        m_imei = imei;
    }

private Q_SLOTS:
    void everyTableContextHasItsPageInEachLanguage()
    {
        QMap<int, QStringList> all;
        for (int context : HelpTable::Contexts())
            all[context] << QStringLiteral("table");
        const QStringList faults = Faults(all);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void everyDialogPageAndControlLandsOnAPage()
    {
        // The unit sheet of every bench model: together they show every page the program has.
        QSet<int> pages;
        bool transfer = false;
        bool copyInfo = false;
        for (int model : m_fx.ModelTypes()) {
            CollectSheet(model, pages, transfer, copyInfo);
            if (QTest::currentTestFailed())
                return;
        }
        for (int page = 0; page < UnitPage::Count; ++page) {
            if (CUnitPropertySheet::HasPage(page))
                QVERIFY2(pages.contains(page), qPrintable(QStringLiteral("page %1 never shown").arg(page)));
        }
        QVERIFY(transfer && copyInfo);
        QVERIFY(m_doc);

        // The fleet window and the dialogs of the units, phone, copy and auto fill commands.
        const QSqlDatabase db = m_doc->Database();
        CChildFrame fleetWindow(*m_doc, QString());
        m_found.Collect(&fleetWindow, QStringLiteral("fleet window"));
        CTGDlgSettings tgSettings;
        tgSettings.namCount = [] { return 3; };
        tgSettings.capacityOf = &Capacity;
        CTGDlg talkgroups(*m_doc, tgSettings);
        m_found.Collect(&talkgroups, QStringLiteral("talkgroup manager"));
        CUnitAutoFillDlg autoFill(CUnitAutoFill(db, CUnitAutoFill::PhoneList, m_imei, 1, 10),
                                  CGridSettings());
        m_found.Collect(&autoFill, QStringLiteral("auto fill"));
        CUnitViewPhoneDlg phoneInfo(m_imei, db, m_fx.Rules());
        m_found.Collect(&phoneInfo, QStringLiteral("phone information"));
        CUnitViewSimInfoDlg simInfo(m_imei, db, CInstalledData::English);
        m_found.Collect(&simInfo, QStringLiteral("SIM information"));
        CRecoverCPDlg recover(m_fx.Settings());
        m_found.Collect(&recover, QStringLiteral("codeplug recovery"));
        CGetSimPinDlg pin;
        m_found.Collect(&pin, QStringLiteral("SIM PIN"));
        NoCPSupport noSupport;
        m_found.Collect(&noSupport, QStringLiteral("unsupported codeplug"));
        CPSupport supported;
        m_found.Collect(&supported, QStringLiteral("supported codeplugs"));
        CDefaultValueDlg newUnit;
        m_found.Collect(&newUnit, QStringLiteral("new unit values"));
        CAppendDlg append;
        m_found.Collect(&append, QStringLiteral("append"));
        {
            CShownWindows shown(m_found, QStringLiteral("whole-fleet auto fill"));
            CAutoFillFeature::RunWholeFleet(*m_doc, m_fx.Rules(), nullptr);
            QVERIFY(shown.Count() > 0);
        }
        COptionsDlg options;
        m_found.Collect(&options, QStringLiteral("options"));

        CCopyWizardContext copy;
        copy.settings = m_fx.Settings();
        copy.rules = &m_fx.Rules();
        copy.namCount = 3;
        copy.prompt = &m_fx.Pin();
        copy.beginMainWait = [] {};
        copy.endMainWait = [] {};
        CCopyWizardSheet wizard(copy);
        m_found.Collect(&wizard, QStringLiteral("copy wizard"));
        CChoosePhoneDlg choose({});
        m_found.Collect(&choose, QStringLiteral("choose phone"));

        // SMS.
        CSmsContext sms;
        sms.sendSettings = []() { return CSmsSendSettings(); };
        sms.fleetSettings = []() { return CFleetFixtures::Settings(); };
        CSendSMSView smsView(sms);
        m_found.Collect(&smsView, QStringLiteral("SMS window"));
        CSmsStatusDlg smsStatus;
        m_found.Collect(&smsStatus, QStringLiteral("SMS status"));
        CLoadSMSDlg load(db);
        m_found.Collect(&load, QStringLiteral("saved messages"));
        CDisplayUnitsDlg recipients(nullptr, 2, CFleetFixtures::Settings());
        m_found.Collect(&recipients, QStringLiteral("SMS recipients"));
        CSmsLibrary library;
        CModemDlg modem(library);
        m_found.Collect(&modem, QStringLiteral("modem"));

        // Contexts declared by windows built elsewhere (the PIM window's help).
        m_found.contexts[135313] << QStringLiteral("PIM");

        QVERIFY2(m_found.withoutTopic.isEmpty(), qPrintable(m_found.withoutTopic.join(QLatin1Char('\n'))));
        const QStringList faults = Faults(m_found.contexts);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // Each table entry but the general topic is somebody's: an entry nobody declares is a stale one.
        for (int context : HelpTable::Contexts()) {
            if (context != HelpTable::GeneralContext)
                QVERIFY2(m_found.contexts.contains(context), qPrintable(QString::number(context)));
        }
    }
};

VELMORA_TEST_MAIN(TestHelpContexts)
#include "tst_help_contexts.moc"
