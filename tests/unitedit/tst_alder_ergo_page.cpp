// The ergonomic settings page of Alder units in the unit property sheet, with a phone on the bench:
// the page's rows, sections and controls, and a ring style, a shortcut, a quick note and the menu
// order changed on the page reach the phone through the write command and come back when read.

#include "CAlderErgoRows.h"
#include "CEditSpin.h"
#include "CPhoneCommands.h"
#include "CPhoneDump.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CSheetOnBench.h"
#include "CTestEnvironment.h"
#include "CUnitAlderErgoFieldsDlg.h"
#include "CUnitEditFeature.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "CodeplugItemIds.h"
#include "FrameCommands.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>

using F = CAlderErgoFields;
using R = CAlderErgoRows;

class TestAlderErgoPage : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    QString PlugAlder(int modelType)
    {
        CPhonePresetOptions options;
        options.pin = QStringLiteral("1357");
        m_fx.Pin().script = QStringList(6, options.pin);
        return m_fx.Plug(modelType, options);
    }

    static CUnitAlderErgoFieldsDlg* Page(CUnitPropertySheet& sheet)
    {
        return qobject_cast<CUnitAlderErgoFieldsDlg*>(sheet.GetActivePage());
    }

    static QStringList VisibleRows(const CUnitAlderErgoFieldsDlg& page)
    {
        QStringList rows;
        for (int row = 1; row <= page.Grid()->RowCount(); ++row) {
            if (!page.Grid()->isRowHidden(row - 1))
                rows << QString::number(row);
        }
        return rows;
    }

    // The dump line of a codeplug item.
    static QString DumpLine(const CVirtualPhone& phone, int item)
    {
        const QString key = QStringLiteral(" item %1 ").arg(item, 4);
        for (const QString& line : CPhoneDump::Items(phone)) {
            if (line.contains(key))
                return line;
        }
        return QString();
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void pageShowsItsSectionsRowsAndControls()
    {
        const QString name = PlugAlder(110);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(doc);
        auto sheet = SheetOnBench::Sheet(m_fx, *doc, m_fx.Load(name).imei, UnitPage::Ergonomic);
        QVERIFY(sheet);
        CUnitAlderErgoFieldsDlg* page = Page(*sheet);
        QVERIFY(page);
        CVelmoraGridWnd* grid = page->Grid();
        QCOMPARE(grid->ListTypeName(), QStringLiteral("ALDER_ERGO_LIST"));
        QCOMPARE(grid->RowCount(), 62);
        QCOMPARE(grid->Value(2, 1), CVelmoraWrap::LoadString(1932));
        QCOMPARE(grid->Model()->StyleAt(2, 1).interior, QColor(192, 220, 192));
        QCOMPARE(grid->Model()->StyleAt(7, 2).control, CGridCellStyle::CheckBox);
        QCOMPARE(grid->Model()->StyleAt(19, 2).control, CGridCellStyle::TabbedCombo);
        QCOMPARE(grid->Model()->StyleAt(47, 2).control, CGridCellStyle::RangeEdit);

        // The general section: style 0 without its name, no style number.
        QCOMPARE(page->SectionChooser()->count(), 5);
        QCOMPARE(page->SectionChooser()->itemText(3), QStringLiteral("MO SMS"));
        // The shipped carrier settings hide the back-light and display rows of this sub-model.
        QCOMPARE(VisibleRows(*page).size(), 23);
        QCOMPARE(VisibleRows(*page).first(), QStringLiteral("2"));
        QVERIFY(!VisibleRows(*page).contains(QStringLiteral("19")) &&
                !VisibleRows(*page).contains(QStringLiteral("20")));
        QVERIFY(page->StyleNumber()->isHidden() && page->StyleSpin()->isHidden());
        QVERIFY(page->MenuList()->isHidden() && page->Button(F::CopyUserInfo)->isHidden());
        QVERIFY(page->StyleNote()->isVisible());

        // A cell edited in the general section is kept when another section is shown.
        grid->SetValue(2, 2, QStringLiteral("191"));
        QVERIFY(page->ShowSection(F::Styles));
        QCOMPARE(page->Fields().Image().StyleValue(0, 2), QStringLiteral("191"));
        QCOMPARE(page->StyleNumber()->text(), QStringLiteral("1"));
        QVERIFY(page->StyleNumber()->isVisible() && page->StyleSpin()->isVisible());
        QCOMPARE(VisibleRows(*page).first(), QStringLiteral("1"));
        // 25 becomes 10, and style 10 is shown.
        page->StyleNumber()->setText(QStringLiteral("25"));
        Q_EMIT page->StyleNumber()->textEdited(QStringLiteral("25"));
        QCOMPARE(page->StyleNumber()->text(), QStringLiteral("10"));
        QCOMPARE(page->Fields().ShownStyle(), 10);
        QCOMPARE(grid->Value(1, 2), page->Fields().Image().StyleValue(10, 1));
        page->StyleSpin()->DownButton()->click();
        QCOMPARE(page->Fields().ShownStyle(), 9);

        QVERIFY(page->ShowSection(F::Shortcuts));
        QCOMPARE(VisibleRows(*page).first(), QStringLiteral("27"));
        QCOMPARE(VisibleRows(*page).size(), 20);
        QVERIFY(page->Button(F::CopyUserInfo)->isVisible());
        QVERIFY(!page->Button(F::CopyUserInfo)->isEnabled()); // copy user info is not built
        QVERIFY(page->MenuList()->isHidden() && page->StyleNote()->isHidden());
        QVERIFY(page->ShowSection(F::MoSms));
        QCOMPARE(VisibleRows(*page).last(), QStringLiteral("58"));
        QVERIFY(page->Button(F::MoveUp)->isHidden());
        QVERIFY(page->ShowSection(F::Personalise));
        QCOMPARE(VisibleRows(*page), (QStringList{"60", "61", "62"}));
        QVERIFY(page->MenuList()->isVisible() && page->Button(F::MoveDown)->isVisible());
        QVERIFY(page->Button(F::CopyUserInfo)->isHidden());
        QCOMPARE(page->MenuList()->count(), 15);
        QCOMPARE(page->MenuList()->item(0)->text(), F::MenuItemText(0));
        sheet->PressCancel();
    }

    void changesOnThePageReachThePhoneAndComeBack()
    {
        const QString name = PlugAlder(110);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        auto sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Ergonomic);
        QVERIFY(sheet);
        CUnitAlderErgoFieldsDlg* page = Page(*sheet);
        QVERIFY(page);
        CVelmoraGridWnd* grid = page->Grid();

        // Style 2's line 1 ring style and ringer volume.
        QVERIFY(page->ShowSection(F::Styles));
        page->StyleNumber()->setText(QStringLiteral("2"));
        Q_EMIT page->StyleNumber()->textEdited(QStringLiteral("2"));
        grid->SetValue(2, 2, QStringLiteral("178"));
        grid->SetValue(8, 2, QStringLiteral("6"));
        // Shortcut 2 opens the messages; quick note 3.
        QVERIFY(page->ShowSection(F::Shortcuts));
        grid->SetValue(28, 2, QStringLiteral("33554433"));
        QVERIFY(page->ShowSection(F::MoSms));
        grid->SetValue(49, 2, QStringLiteral("Back at 5"));
        // The menu's second item moves to the top.
        QVERIFY(page->ShowSection(F::Personalise));
        page->MenuList()->setCurrentRow(1);
        page->PressButton(F::MoveUp);
        QCOMPARE(page->MenuList()->currentRow(), 0);
        QCOMPARE(page->Fields().Image().Menu().mid(0, 3), (QList<int>{1, 0, 2}));
        QVERIFY(sheet->PressOk());
        QVERIFY(sheet->FleetChanged());
        sheet.reset();

        CScriptedAnswerer::Instance().Clear();
        m_fx.Host().active = doc;
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));
        const CVirtualPhone after = m_fx.Load(name);
        QCOMPARE(after.codeplug.Value(CodeplugItem::StyleItem(2, 1)), 178u);
        QVERIFY2(DumpLine(after, CodeplugItem::StyleItem(2, 1)).endsWith(QStringLiteral(": 178")),
                 qPrintable(DumpLine(after, CodeplugItem::StyleItem(2, 1))));
        const QString shortcuts = DumpLine(after, CodeplugItem::ShortcutValues);
        QVERIFY2(shortcuts.section(QStringLiteral(": "), 1)
                     .split(QStringLiteral(") "))
                     .value(1)
                     .startsWith(QStringLiteral("33554433 ")),
                 qPrintable(shortcuts));
        QVERIFY2(DumpLine(after, CodeplugItem::FirstQuickNote + 2).endsWith(QStringLiteral("\"Back at 5\"")),
                 qPrintable(DumpLine(after, CodeplugItem::FirstQuickNote + 2)));
        QVERIFY2(DumpLine(after, CodeplugItem::MenuSlots)
                     .endsWith(QStringLiteral(": 1 0 2 3 4 5 6 7 8 9 10 11 12 13 14")),
                 qPrintable(DumpLine(after, CodeplugItem::MenuSlots)));

        // Read back into a new fleet, the page shows them.
        CVelmoraDoc* again = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(again);
        auto reread = SheetOnBench::Sheet(m_fx, *again, imei, UnitPage::Ergonomic);
        QVERIFY(reread);
        page = Page(*reread);
        QVERIFY(page);
        grid = page->Grid();
        QVERIFY(page->ShowSection(F::Styles));
        page->StyleNumber()->setText(QStringLiteral("2"));
        Q_EMIT page->StyleNumber()->textEdited(QStringLiteral("2"));
        QCOMPARE(grid->Value(2, 2), QStringLiteral("178"));
        QCOMPARE(grid->Value(8, 2), QStringLiteral("6"));
        QVERIFY(page->ShowSection(F::Shortcuts));
        QCOMPARE(grid->Value(28, 2), QStringLiteral("33554433"));
        QVERIFY(page->ShowSection(F::MoSms));
        QCOMPARE(grid->Value(49, 2), QStringLiteral("Back at 5"));
        QVERIFY(page->ShowSection(F::Personalise));
        QCOMPARE(page->MenuList()->item(0)->text(), F::MenuItemText(1));
        QCOMPARE(page->MenuList()->item(1)->text(), F::MenuItemText(0));
        reread->PressCancel();
    }

    void settingsThatCannotBeReadAreNotSavedOver()
    {
        const QString name = PlugAlder(110);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        QSqlQuery query(doc->Database());
        QVERIFY(query.exec(
            QStringLiteral("UPDATE unit_alder_styles_details SET unit_style_ringer_volume = 191")));
        QVERIFY(query.exec(QStringLiteral("DROP TABLE unit_alder_quick_notes")));
        CScriptedAnswerer::Instance().Clear();
        auto sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Ergonomic);
        QVERIFY(sheet);
        CUnitAlderErgoFieldsDlg* page = Page(*sheet);
        QVERIFY(page);
        // The database's own words, then the page greyed with the defaults.
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 1);
        QVERIFY(!page->Grid()->isEnabled());
        QCOMPARE(page->Grid()->Value(2, 2), QStringLiteral("229"));
        QCOMPARE(page->StyleNote()->text(), CVelmoraWrap::LoadString(7705));
        QVERIFY(sheet->PressOk());
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*), MIN(unit_style_ringer_volume) FROM "
                                          "unit_alder_styles_details")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 11);
        QCOMPARE(query.value(1).toInt(), 191);
    }

    void theSheetHoldsThePageOnlyForNewerAlderCodeplugs()
    {
        const QString name = PlugAlder(114);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        auto sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Ergonomic);
        QVERIFY(sheet);
        QVERIFY(sheet->PageIds().contains(UnitPage::Ergonomic));
        CUnitAlderErgoFieldsDlg* page = Page(*sheet);
        QVERIFY(page);
        QVERIFY(page->ShowSection(F::Personalise));
        QCOMPARE(page->MenuList()->count(), 32); // the Cedar table's slots
        sheet->PressCancel();
        sheet.reset();

        // The fleet list bar's "Ergonomic Settings" item opens the page through its command.
        QCOMPARE(CUnitEditFeature::CommandOfLabel(CVelmoraWrap::LoadString(1816)),
                 int(FrameCmd::PageErgonomic));

        // Structure version 16 (stored as 0x16) has no ergonomic block yet.
        QSqlQuery query(doc->Database());
        QVERIFY(query.exec(QStringLiteral("UPDATE unit_details SET unit_cp_structure_version = 22")));
        sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Basic);
        QVERIFY(sheet);
        QVERIFY(!sheet->PageIds().contains(UnitPage::Ergonomic));
        sheet->PressCancel();
    }
};

VELMORA_TEST_MAIN(TestAlderErgoPage)
#include "tst_alder_ergo_page.moc"
