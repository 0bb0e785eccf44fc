// The unit property sheet's widgets: the page framework (leaving pages, saving, help, wizard mode),
// the sheet's pages for ordinary and Alder units, OK as one unit of work, Cancel after a page made the
// unit's settings record, and opening the sheet from the units grid and the list bar.

#include "CFilterEdit.h"
#include "CPropertyPageWithHelp.h"
#include "CPropertySheetWithHelp.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitAdvancedPage.h"
#include "CUnitBasicPage.h"
#include "CUnitCommentsPage.h"
#include "CUnitEditFeature.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CUnitsView.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "WhenModal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

CUnitSpec Spec(const QString& imei, const QString& user, int modelType)
{
    CUnitSpec spec;
    spec.imei = imei;
    spec.user = user;
    spec.modelType = modelType;
    return spec;
}

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

// A page whose answers the test sets.
class CTestPage : public CPropertyPageWithHelp
{
public:
    CTestPage(int templateId, const QString& title) : CPropertyPageWithHelp(templateId, title)
    {
        edit = new QLineEdit(this);
        edit->setProperty("controlId", templateId + 1);
    }
    bool OnInitDialog() override
    {
        ++inits;
        return true;
    }
    bool OnSetActive() override
    {
        if (Sheet() && Sheet()->IsWizardMode())
            Sheet()->SetWizardButtons(wizardFlags);
        return CPropertyPageWithHelp::OnSetActive();
    }
    bool OnKillActive() override { return mayLeave; }
    bool OnApply() override
    {
        ++applied;
        return mayApply;
    }
    int OnWizardNext() override { return next; }

    QLineEdit* edit;
    int inits = 0;
    int applied = 0;
    bool mayLeave = true;
    bool mayApply = true;
    int next = kDefault;
    int wizardFlags = CPropertySheetWithHelp::PSWIZB_BACK | CPropertySheetWithHelp::PSWIZB_NEXT;
};

} // namespace

class TestUnitSheetUi : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;

    static CUnitSheetContext Context(const CVelmoraDoc& doc)
    {
        CUnitSheetContext context;
        context.db = doc.Database();
        context.rules = &CUnitsFixture::Rules();
        return context;
    }

    static CUnitOpenInfo Open(const CVelmoraDoc& doc, const QString& imei)
    {
        CUnitOpenInfo info;
        const CVelmoraError error =
            CUnitOpener::Prepare(doc.Database(), imei, false, &CUnitsFixture::Rules(), info);
        if (error)
            qWarning("%s", qPrintable(error.ToText()));
        return info;
    }

    static QVariant Value(const CVelmoraDoc& doc, const QString& sql)
    {
        QSqlQuery query(doc.Database());
        if (!query.exec(sql) || !query.next())
            return QVariant();
        return query.value(0);
    }

    static QStringList TabTexts(const CPropertySheetWithHelp& sheet)
    {
        QStringList texts;
        for (int i = 0; i < sheet.TabBar()->count(); ++i)
            texts << sheet.TabBar()->tabText(i);
        return texts;
    }

    // A check box of the Basic page that the unit's model lets the user change.
    static QCheckBox* EnabledCheck(CUnitBasicPage& page)
    {
        for (int id : CUnitBasicSettings::CheckIds()) {
            if (page.Check(id)->isEnabled() && id != CUnitBasicSettings::PhoneLockout &&
                id != CUnitBasicSettings::PrivateLockout)
                return page.Check(id);
        }
        return nullptr;
    }

private Q_SLOTS:
    void init() { Answers().Clear(); }

    void pagesRefuseToBeLeftAndSaved()
    {
        CPropertySheetWithHelp sheet(QStringLiteral("Test"));
        auto* first = new CTestPage(200, QStringLiteral("First"));
        auto* second = new CTestPage(300, QStringLiteral("Second"));
        auto* never = new CTestPage(400, QStringLiteral("Never shown"));
        sheet.AddPage(first);
        sheet.AddPage(second);
        sheet.AddPage(never);
        sheet.show();
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QCOMPARE(first->inits, 1);
        QCOMPARE(never->inits, 0); // pages are set up when first shown

        first->mayLeave = false;
        sheet.TabBar()->setCurrentIndex(1);
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QCOMPARE(sheet.TabBar()->currentIndex(), 0);
        // A click is refused before the tab changes.
        QSignalSpy tabChanges(sheet.TabBar(), &QTabBar::currentChanged);
        QTest::mouseClick(sheet.TabBar(), Qt::LeftButton, {}, sheet.TabBar()->tabRect(1).center());
        QCOMPARE(tabChanges.size(), 0);
        QCOMPARE(sheet.GetActiveIndex(), 0);
        first->mayLeave = true;
        QTest::mouseClick(sheet.TabBar(), Qt::LeftButton, {}, sheet.TabBar()->tabRect(1).center());
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QCOMPARE(second->inits, 1);
        QVERIFY(sheet.Button(CPropertySheetWithHelp::IdApply)->isEnabled());

        // A page refusing to save keeps the sheet open on that page.
        // Ctrl+Page Up goes to the previous tab, Ctrl+Tab to the next one.
        QTest::keyClick(&sheet, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QTest::keyClick(&sheet, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QVERIFY(sheet.SetActivePage(0));
        second->mayApply = false;
        QVERIFY(!sheet.PressOk());
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QCOMPARE(never->applied, 0);
        second->mayApply = true;
        QVERIFY(sheet.PressOk());
        QVERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(never->applied, 0);
        QCOMPARE(never->inits, 0);
    }

    void helpGoesByControlAndPage()
    {
        CPropertySheetWithHelp sheet(QStringLiteral("Test"));
        auto* page = new CTestPage(114, QStringLiteral("Page"));
        sheet.AddPage(page);
        QList<int> asked;
        sheet.SetHelpHandler([&asked](int context) { asked << context; });
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        page->edit->setFocus();
        QTRY_VERIFY(page->edit->hasFocus());
        QTest::keyClick(page->edit, Qt::Key_F1);
        QCOMPARE(asked, QList<int>{0x10000 + 115});
        // With one page the keys for the next and previous tab stay on it.
        QTest::keyClick(page->edit, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(sheet.GetActiveIndex(), 0);
        sheet.Button(CPropertySheetWithHelp::IdHelp)->click();
        QCOMPARE(sheet.LastHelpContext(), 0x20000 + 114);
        // Right-click: "What's This?" after the edit's own entries.
        QTimer::singleShot(0, [&]() {
            QTRY_VERIFY(QApplication::activePopupWidget());
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction* whatsThis = menu->findChild<QAction*>(QStringLiteral("whatsThis"));
            QVERIFY(whatsThis);
            QVERIFY(menu->actions().size() > 1);
            whatsThis->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                page->edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(page->edit, &event);
        QCOMPARE(asked.last(), 0x10000 + 115);
    }

    void wizardModeMovesByThePagesButtons()
    {
        CPropertySheetWithHelp sheet(QStringLiteral("Wizard"));
        auto* a = new CTestPage(1, QStringLiteral("A"));
        auto* b = new CTestPage(2, QStringLiteral("B"));
        auto* c = new CTestPage(3, QStringLiteral("C"));
        a->wizardFlags = CPropertySheetWithHelp::PSWIZB_NEXT;
        c->wizardFlags = CPropertySheetWithHelp::PSWIZB_BACK | CPropertySheetWithHelp::PSWIZB_FINISH;
        for (CTestPage* p : {a, b, c})
            sheet.AddPage(p);
        sheet.SetWizardMode();
        sheet.show();
        QVERIFY(!sheet.TabBar()->isVisible());
        QVERIFY(!sheet.Button(CPropertySheetWithHelp::IdOk)->isVisible());
        QVERIFY(!sheet.Button(CPropertySheetWithHelp::IdBack)->isEnabled());
        QVERIFY(sheet.Button(CPropertySheetWithHelp::IdNext)->isEnabled());
        QVERIFY(!sheet.Button(CPropertySheetWithHelp::IdFinish)->isVisible());

        a->next = 2; // a page may skip ahead
        QVERIFY(sheet.PressNext());
        QCOMPARE(sheet.GetActiveIndex(), 2);
        QVERIFY(sheet.Button(CPropertySheetWithHelp::IdFinish)->isVisible());
        QVERIFY(sheet.Button(CPropertySheetWithHelp::IdFinish)->isEnabled());
        QVERIFY(sheet.PressBack());
        QCOMPARE(sheet.GetActiveIndex(), 1);
        b->next = -1;
        QVERIFY(!sheet.PressNext());
        QCOMPARE(sheet.GetActiveIndex(), 1);
        b->next = CPropertyPageWithHelp::kDefault;
        QVERIFY(sheet.PressNext());
        sheet.SetWizardButtons(CPropertySheetWithHelp::PSWIZB_DISABLEDFINISH);
        QVERIFY(sheet.Button(CPropertySheetWithHelp::IdFinish)->isVisible());
        QVERIFY(!sheet.Button(CPropertySheetWithHelp::IdFinish)->isEnabled());
        QVERIFY(sheet.PressFinish());
        QCOMPARE(a->applied + b->applied + c->applied, 3);
        QVERIFY(!sheet.isVisible());
    }

    void pagesOfOrdinaryAndAlderUnits()
    {
        const CUnitSpec heron = Spec(QStringLiteral("350000000000031"), QStringLiteral("Heron"), 20);
        const CUnitSpec alder = Spec(QStringLiteral("350000000000032"), QStringLiteral("Alder"), 105);
        auto doc = m_fixture.OpenFleet("pages.vlf", {heron, alder});
        QVERIFY(doc);
        CUnitPropertySheet ordinary(Open(*doc, heron.imei), Context(*doc));
        QCOMPARE(ordinary.windowTitle(), CVelmoraWrap::LoadString(1733));
        using namespace UnitPage;
        QCOMPARE(ordinary.PageIds(), (QList<int>{PhoneList, PrivateList, TalkgroupList, Basic, Advanced,
                                                 StatusMessages, ScanList, PhoneInfo, Comments}));
        QCOMPARE(TabTexts(ordinary).first(), CVelmoraWrap::LoadString(1622));
        QVERIFY(!ordinary.TabBar()->tabIcon(0).isNull());

        CUnitPropertySheet alderSheet(Open(*doc, alder.imei), Context(*doc));
        QCOMPARE(alderSheet.PageIds(), (QList<int>{PhoneList, PrivateList, TalkgroupList, Consolidated,
                                                   SimInfo, Basic, Advanced, PhoneInfo, Comments}));
        alderSheet.SetStartPageId(UnitPage::Comments);
        alderSheet.show();
        QCOMPARE(alderSheet.GetActivePage(), alderSheet.PageById(UnitPage::Comments));
        // Pages never shown were not set up.
        QVERIFY(!alderSheet.PageById(UnitPage::Basic)->IsInitialized());
    }

    void okSavesEveryShownPageTogether()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000041"), QStringLiteral("Saver"), 20);
        auto doc = m_fixture.OpenFleet("ok.vlf", {unit});
        QVERIFY(doc);
        CUnitPropertySheet sheet(Open(*doc, unit.imei), Context(*doc));
        sheet.show();
        auto* basic = static_cast<CUnitBasicPage*>(sheet.PageById(UnitPage::Basic));
        QVERIFY(sheet.SetActivePage(sheet.GetPageIndex(basic)));
        QCheckBox* box = EnabledCheck(*basic);
        QVERIFY(box);
        const bool was = box->isChecked();
        box->click();
        auto* comments = static_cast<CUnitCommentsPage*>(sheet.PageById(UnitPage::Comments));
        QVERIFY(sheet.SetActivePage(sheet.GetPageIndex(comments)));
        comments->Edit()->setFocus();
        QTest::keyClicks(comments->Edit(), QStringLiteral(" and more text than fits in the field"));
        QCOMPARE(comments->Edit()->text().size(), 27);
        QVERIFY(!sheet.FleetChanged());
        QVERIFY(sheet.PressOk());
        QVERIFY(sheet.FleetChanged());
        QCOMPARE(Value(*doc, "SELECT length(units_comments) FROM unit_details").toInt(), 27);
        CUnitBasicSettings reread(sheet.SheetUnit());
        QVERIFY(!reread.Load());
        QCOMPARE(reread.IsChecked(box->property("controlId").toInt()), !was);
    }

    void aRefusedSaveKeepsTheSheetOpenAndTheFleetAsItWas()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000051"), QStringLiteral("Refused"), 20);
        auto doc = m_fixture.OpenFleet("refused.vlf", {unit});
        QVERIFY(doc);
        QSqlQuery(doc->Database())
            .exec("CREATE TEMP TRIGGER refuse BEFORE UPDATE OF units_comments ON unit_details "
                  "BEGIN SELECT RAISE(ABORT, 'the fleet refused the comment'); END");
        const QString before =
            "SELECT group_concat(quote(unit_auto_radio_lock) || quote(unit_emergency_talkgroup) || "
            "quote(unit_one_min_beep) || quote(unit_tg_scan)) FROM unit_phone_ergo_settings";
        const QVariant ergoBefore = Value(*doc, before);
        CUnitPropertySheet sheet(Open(*doc, unit.imei), Context(*doc));
        sheet.show();
        auto* basic = static_cast<CUnitBasicPage*>(sheet.PageById(UnitPage::Basic));
        QVERIFY(sheet.SetActivePage(sheet.GetPageIndex(basic)));
        EnabledCheck(*basic)->click();
        auto* comments = static_cast<CUnitCommentsPage*>(sheet.PageById(UnitPage::Comments));
        QVERIFY(sheet.SetActivePage(sheet.GetPageIndex(comments)));
        comments->Edit()->setText(QStringLiteral("x"));
        Q_EMIT comments->Edit()->textEdited(QStringLiteral("x"));
        QVERIFY(!sheet.PressOk());
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.GetActivePage(), comments);
        QCOMPARE(Answers().Count(), 1);
        QVERIFY(Answers().Messages().first().text.contains(QStringLiteral("the fleet refused the comment")));
        QCOMPARE(Value(*doc, before), ergoBefore);
        QVERIFY(!sheet.FleetChanged());
        sheet.PressCancel();
    }

    void anEmergencyTalkgroupOutOfRangeKeepsThePage()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000061"), QStringLiteral("Range"), 20);
        auto doc = m_fixture.OpenFleet("range.vlf", {unit});
        QVERIFY(doc);
        CUnitPropertySheet sheet(Open(*doc, unit.imei), Context(*doc));
        sheet.SetStartPageId(UnitPage::Basic);
        sheet.show();
        auto* basic = static_cast<CUnitBasicPage*>(sheet.GetActivePage());
        QCOMPARE(basic->PageId(), int(UnitPage::Basic));
        if (!basic->EmergencyEdit()->isEnabled())
            QSKIP("the model does not let the emergency talkgroup be set");
        basic->EmergencyEdit()->setText(QStringLiteral("256"));
        Q_EMIT basic->EmergencyEdit()->textEdited(QStringLiteral("256"));
        QVERIFY(!sheet.SetActivePage(sheet.GetPageIndex(sheet.PageById(UnitPage::Comments))));
        QCOMPARE(Answers().Ids(), QList<int>{1645});
        QCOMPARE(Answers().Messages().first().text,
                 CVelmoraWrap::FillArgs(CVelmoraWrap::LoadString(1645), {"0", "255"}));
        QVERIFY(!sheet.PressOk());
        basic->EmergencyEdit()->setText(QStringLiteral("255"));
        QVERIFY(sheet.PressOk());
        QCOMPARE(Value(*doc, "SELECT unit_emergency_talkgroup FROM unit_phone_ergo_settings").toInt(), 255);
    }

    void theRecordMadeOnOpeningStaysAfterCancel()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000071"), QStringLiteral("Cancel"), 20);
        auto doc = m_fixture.OpenFleet("cancel.vlf", {unit});
        QVERIFY(doc);
        QVERIFY(QSqlQuery(doc->Database()).exec("DELETE FROM unit_phone_ergo_settings"));
        CUnitPropertySheet sheet(Open(*doc, unit.imei), Context(*doc));
        sheet.SetStartPageId(UnitPage::Advanced);
        sheet.show();
        QCOMPARE(Value(*doc, "SELECT COUNT(*) FROM unit_phone_ergo_settings").toInt(), 1);
        sheet.PressCancel();
        QCOMPARE(Value(*doc, "SELECT COUNT(*) FROM unit_phone_ergo_settings").toInt(), 1);
        QVERIFY(sheet.FleetChanged());
    }

    void advancedPageShowsTheModelsLists()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000081"), QStringLiteral("Lists"), 20);
        auto doc = m_fixture.OpenFleet("lists.vlf", {unit});
        QVERIFY(doc);
        CUnitPropertySheet sheet(Open(*doc, unit.imei), Context(*doc));
        sheet.SetStartPageId(UnitPage::Advanced);
        sheet.show();
        auto* page = static_cast<CUnitAdvancedPage*>(sheet.GetActivePage());
        QComboBox* baud = page->Combo(CUnitAdvancedSettings::BaudRate);
        const CSheetComboEntries entries = page->Settings().Entries(CUnitAdvancedSettings::BaudRate);
        QCOMPARE(baud->count(), int(entries.size()));
        QCOMPARE(baud->itemText(0), QStringLiteral("1200"));
        QCOMPARE(baud->currentIndex(), page->Settings().Selection(CUnitAdvancedSettings::BaudRate));
        QComboBox* language = page->Combo(CUnitAdvancedSettings::Language);
        QCOMPARE(language->count(), 2); // the model's languages "0,1"
        QCOMPARE(language->itemText(1), CVelmoraWrap::LoadString(1857));
        // The timers take digits only, at most five.
        CFilterEdit* timer = page->Edit(CUnitAdvancedSettings::CallAlertStackTimer);
        QCOMPARE(timer->maxLength(), 5);
        if (timer->isEnabled()) {
            timer->setText(QStringLiteral("71583"));
            QVERIFY(!page->OnKillActive());
            QCOMPARE(Answers().Ids(), QList<int>{1645});
            timer->setText(QStringLiteral("71582"));
            QVERIFY(page->OnKillActive());
        }
    }

    void theUnitsGridOpensTheSheet()
    {
        auto doc = m_fixture.OpenFleet("grid.vlf", CFleetFixtures::Units(2));
        QVERIFY(doc);
        CUnitsView view(*doc, CUnitsFixture::Settings());
        QList<int> pages;
        bool changes = false;
        CUnitSheetHooks hooks;
        hooks.hasPage = &CUnitPropertySheet::HasPage;
        hooks.open = [&](CVelmoraDoc&, const CUnitOpenInfo& info, int page, QWidget*) {
            pages << page;
            return changes;
        };
        QVERIFY(!view.CanRunCommand(FrameCmd::PageBasic)); // no sheet yet
        view.SetSheetHooks(hooks);
        QVERIFY(view.SetCurrentCell(2, 1));
        QVERIFY(view.CanRunCommand(FrameCmd::PageBasic));
        QVERIFY(view.CanRunCommand(FrameCmd::PagePhoneInfo));
        QVERIFY(view.CanRunCommand(FrameCmd::PagePhoneList));
        QVERIFY(view.CanRunCommand(FrameCmd::PageTalkgroupList));
        QVERIFY(view.CanRunCommand(FrameCmd::PageScanList));
        view.RunCommand(FrameCmd::PageAdvanced);
        QVERIFY(view.OpenUnit(1));
        QCOMPARE(pages, (QList<int>{UnitPage::Advanced, -1}));
        QVERIFY(!doc->IsModified()); // nothing changed
        changes = true;
        QVERIFY(view.OpenUnit(1));
        QVERIFY(doc->IsModified());
        // A double-click on the current cell opens the unit and does not edit the cell afterwards.
        view.resize(900, 300);
        view.show();
        const QRect cell = view.visualRect(view.Model()->index(0, 0));
        QVERIFY(view.SetCurrentCell(1, 1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(pages.size(), 4);
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QVERIFY(!view.IsEditing());
        // The append row has no unit to open.
        QVERIFY(view.SetCurrentCell(3, 1));
        QVERIFY(!view.CanRunCommand(FrameCmd::PageBasic));
    }

    void theFeatureRunsTheSheetOnAPage()
    {
        const CUnitSpec unit = Spec(QStringLiteral("350000000000091"), QStringLiteral("Feature"), 20);
        auto doc = m_fixture.OpenFleet("feature.vlf", {unit});
        QVERIFY(doc);
        int active = -1;
        WhenModal([&active](QWidget* modal) {
            auto* sheet = qobject_cast<CUnitPropertySheet*>(modal);
            QVERIFY(sheet);
            active = static_cast<CUnitSheetPage*>(sheet->GetActivePage())->PageId();
            sheet->PressCancel();
        });
        QVERIFY(!CUnitEditFeature::RunSheet(Open(*doc, unit.imei), Context(*doc), UnitPage::PhoneInfo,
                                            nullptr, nullptr));
        QCOMPARE(active, int(UnitPage::PhoneInfo));
        // List-bar labels choose the page's command.
        QCOMPARE(CUnitEditFeature::CommandOfLabel(CVelmoraWrap::LoadString(1625)),
                 int(FrameCmd::PageAdvanced));
        QCOMPARE(CUnitEditFeature::CommandOfLabel(CVelmoraWrap::LoadString(1622)),
                 int(FrameCmd::PagePhoneList));
        QCOMPARE(CUnitEditFeature::CommandOfLabel(QStringLiteral("No such page")), 0);
    }
};

VELMORA_TEST_MAIN(TestUnitSheetUi)
#include "tst_unit_sheet_ui.moc"
