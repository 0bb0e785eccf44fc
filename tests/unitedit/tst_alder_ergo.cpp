// The ergonomic settings of Alder units without widgets: the fixed rows and their choice lists, the
// sections the carrier allows, the style being edited, the personalised menu, and loading and saving
// the four ergonomic tables inside the sheet's one unit of work.

#include "CAlderErgoFields.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CFleetSchema.h"
#include "CModelFixture.h"
#include "CModelRules.h"
#include "CTestEnvironment.h"
#include "CUnitSheetSave.h"
#include "CVelmoraWrap.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <memory>

using R = CAlderErgoRows;
using F = CAlderErgoFields;

namespace {

const QString kImei = QStringLiteral("350000000000114");
const QString kOther = QStringLiteral("350000000000999");
const QStringList kTables{
    QStringLiteral("unit_alder_styles_details"), QStringLiteral("unit_alder_shortcut_details"),
    QStringLiteral("unit_alder_personalize_details"), QStringLiteral("unit_alder_quick_notes")};

CAlderErgoSwitches AllSections()
{
    CAlderErgoSwitches s;
    s.alderModel = true;
    return s;
}

} // namespace

class TestAlderErgo : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    // A fleet of two units of a model; the first carries the fixtures' few ergonomic rows unless bare.
    bool OpenFleet(int modelType, bool bare = false)
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec one, two;
        one.imei = kImei;
        one.user = QStringLiteral("Dana");
        one.modelType = modelType;
        two.imei = kOther;
        two.user = QStringLiteral("Eli");
        two.modelType = modelType;
        if (!CFleetFixtures::MakeFleet(path, {one, two}))
            return false;
        m_fleet = std::make_unique<CFleetConnection>();
        if (!m_fleet->Open(path))
            return false;
        if (bare) {
            for (const QString& table : CFleetSchema::PersonalizeTables() + kTables)
                Exec(QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table), {kImei});
        }
        return true;
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

    int Count(const QString& table, const QString& imei = kImei)
    {
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE unit_imei_num = ?").arg(table));
        query.addBindValue(imei);
        return query.exec() && query.next() ? query.value(0).toInt() : -1;
    }

    // Every row of a table, as text, for comparing a table before and after.
    QStringList Dump(const QString& table)
    {
        QStringList rows;
        QSqlQuery query(Db());
        query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
        while (query.next()) {
            QStringList cells;
            for (int i = 0; i < query.record().count(); ++i)
                cells << query.value(i).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    CUnitSheetUnit Unit(int modelType) const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = CUnitSheetUnit::AlderPhoneClass;
        unit.modelType = modelType;
        return unit;
    }

private Q_SLOTS:
    void rowsCaptionsAndKinds()
    {
        QCOMPARE(R::CaptionId(1), 1931);
        QCOMPARE(R::CaptionId(26), 1956);
        QCOMPARE(R::CaptionId(27), 1959);
        QCOMPARE(R::CaptionId(46), 1978);
        QCOMPARE(R::CaptionId(47), 2041);
        QCOMPARE(R::CaptionId(56), 2050);
        QCOMPARE(R::CaptionId(58), 2051);
        QCOMPARE((QList<int>{R::CaptionId(60), R::CaptionId(61), R::CaptionId(62)}),
                 (QList<int>{2017, 2018, 2019}));
        QCOMPARE(R::CaptionId(57), 0);
        QCOMPARE(R::KindOf(57), R::Kind::Unused);
        QCOMPARE(R::KindOf(59), R::Kind::Unused);
        for (int row : {7, 22, 23, 58})
            QCOMPARE(R::KindOf(row), R::Kind::Check);
        for (int row : {1, 47, 56})
            QCOMPARE(R::KindOf(row), R::Kind::Text);
        QCOMPARE(R::ListOf(2), R::List::V1);
        QCOMPARE(R::ListOf(3), R::List::V2);
        QCOMPARE(R::ListOf(13), R::List::CallAlert);
        QCOMPARE(R::ListOf(19), R::List::B);
        QCOMPARE(R::ListOf(24), R::List::F2);
        QCOMPARE(R::ListOf(26), R::List::A);
        QCOMPARE(R::ListOf(35), R::List::M);
        QCOMPARE(R::ListOf(61), R::List::P);
        QCOMPARE(R::ListOf(62), R::List::P0);
        QCOMPARE(R::MaxLength(1), 16);
        QCOMPARE(R::MaxLength(50), 64);
    }

    void choiceListsHoldTheStoredValues()
    {
        const auto values = [](R::List list) {
            QList<quint32> v;
            for (const R::Entry& e : R::Entries(list))
                v << e.value;
            return v;
        };
        QCOMPARE(values(R::List::V1), (QList<quint32>{0, 178, 191, 204, 216, 229, 242, 255}));
        QCOMPARE(values(R::List::V2), (QList<quint32>{0, 193, 204, 214, 224, 235, 240, 245}));
        QCOMPARE(values(R::List::T3), (QList<quint32>{0, 1, 3}));
        QCOMPARE(values(R::List::B).last(), 4026531839u);
        QCOMPARE(values(R::List::M).size(), 27);
        QCOMPARE(values(R::List::M).first(), 33554437u);
        QCOMPARE(values(R::List::M).last(), 4294967295u);
        QCOMPARE(R::TextOfValue(R::List::M, 33554462), QStringLiteral("MO SMS"));
        QCOMPARE(values(R::List::P).size(), 15);
        QCOMPARE(values(R::List::P0), QList<quint32>{255} + values(R::List::P));
        // Lines of "text<TAB>value": the grid's combo boxes store the value.
        const QStringList lines = R::ChoiceList(R::List::V1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[1], QStringLiteral("1\t178"));
        QVERIFY(R::ChoiceList(R::List::B).endsWith(QStringLiteral("\t4026531839\n")));
        QVERIFY(!R::EntryText(R::Entries(R::List::H).first()).isEmpty());
    }

    void hiddenRowsFromTheCarrier()
    {
        CModelFixture::UseCarrierIni(QStringLiteral("[International Models]\nAlderModels=#110#114#\n"
                                                    "InternationalPhones=#\nQ700PhoneModels=#70#\n"
                                                    "[SubId Rel_Models]\n"
                                                    "HideStyleRows-1#70#110=1\n"
                                                    "HideStyleRows-2#70#110=12#14#\n"
                                                    "HideShortcuts-2#70#110=1\nHideMOSMS-2#70#110=1\n"));
        CModelRules rules(CModelFixture::NewDatabase({CModelFixture::ModelRow(110, "Alder A10", 7, 22)}));
        QVERIFY(!rules.LoadInternationalLists());
        CUnitSheetUnit unit;
        unit.modelType = 110;
        unit.releaseId = 70;
        unit.subReleaseId = 1;
        CAlderErgoSwitches one = CAlderErgoSwitches::Of(rules, unit);
        QVERIFY(one.alderModel);
        QVERIFY(one.hiddenRows.isEmpty());
        F fields1(unit, one);
        QCOMPARE(fields1.Sections().size(), 5);
        QCOMPARE(fields1.RowsOf(F::General).size(), 25);

        unit.subReleaseId = 2;
        const CAlderErgoSwitches two = CAlderErgoSwitches::Of(rules, unit);
        QCOMPARE(two.hiddenRows, (QList<int>{12, 14}));
        F fields2(unit, two);
        for (F::Section s : {F::General, F::Styles}) {
            const QList<int> rows = fields2.RowsOf(s);
            QVERIFY(!rows.contains(12) && !rows.contains(14));
            QVERIFY(rows.contains(13) && rows.contains(15) && rows.contains(2));
        }
        QList<F::Section> offered;
        for (const F::SectionEntry& e : fields2.Sections())
            offered << e.section;
        QCOMPARE(offered, (QList<F::Section>{F::General, F::Styles, F::Personalise}));

        // A model outside the Alder list has the general section only.
        unit.modelType = 105;
        QCOMPARE(F(unit, CAlderErgoSwitches::Of(rules, unit)).Sections().size(), 1);
        CModelFixture::UseProgramFolder();

        QCOMPARE(R::ParseHiddenRows(QStringLiteral("8#9#")), (QList<int>{8, 9}));
        QCOMPARE(R::ParseHiddenRows(QStringLiteral("8#x#70#0#9")), (QList<int>{8, 9}));
        QCOMPARE(R::ParseHiddenRows(QStringLiteral("19,20")), (QList<int>{19, 20}));
        QVERIFY(R::ParseHiddenRows(QString()).isEmpty());
    }

    void sectionsShowTheirRowsAndControls()
    {
        QVERIFY(OpenFleet(110));
        F fields(Unit(110), AllSections());
        QCOMPARE(fields.CurrentSection(), F::General);
        QCOMPARE(fields.ShownStyle(), 0);
        QVERIFY(!fields.ControlShown(F::StyleNumber) && fields.ControlShown(F::StyleNote));
        QCOMPARE(fields.CurrentStyle(), -1);
        fields.SetSection(F::Styles);
        QCOMPARE(fields.CurrentStyle(), 1);
        QCOMPARE(fields.VisibleRows().first(), 1);
        QVERIFY(fields.ControlShown(F::StyleNumber) && fields.ControlShown(F::StyleSpin));
        QVERIFY(!fields.ControlShown(F::MenuList) && !fields.ControlShown(F::CopyUserInfo));
        fields.SetSection(F::Shortcuts);
        QCOMPARE(fields.VisibleRows(), ([] {
                     QList<int> r;
                     for (int i = 27; i <= 46; ++i)
                         r << i;
                     return r;
                 }()));
        QVERIFY(fields.ControlShown(F::CopyUserInfo) && fields.ControlShown(F::MoveUp));
        QVERIFY(!fields.ControlShown(F::MenuList) && !fields.ControlShown(F::StyleNote));
        fields.SetSection(F::MoSms);
        QCOMPARE(fields.VisibleRows().size(), 11);
        QCOMPARE(fields.VisibleRows().last(), 58);
        QVERIFY(fields.ControlShown(F::CopyUserInfo) && !fields.ControlShown(F::MoveDown));
        fields.SetSection(F::Personalise);
        QCOMPARE(fields.VisibleRows(), (QList<int>{60, 61, 62}));
        QVERIFY(fields.ControlShown(F::MenuList) && fields.ControlShown(F::MoveUp));
        QVERIFY(!fields.ControlShown(F::CopyUserInfo) && !fields.ControlShown(F::StyleSpin));
        // Back in the styles section, the style edited before.
        fields.SetSection(F::Styles);
        QCOMPARE(fields.EnterStyleNumber(QStringLiteral("4")), QStringLiteral("4"));
        fields.SetSection(F::General);
        fields.SetSection(F::Styles);
        QCOMPARE(fields.ShownStyle(), 4);
    }

    void styleNumberAboveTenShowsTen()
    {
        QVERIFY(OpenFleet(110));
        F fields(Unit(110), AllSections());
        fields.SetSection(F::Styles);
        fields.Image().SetStyleValue(10, 1, QStringLiteral("Ten"));
        bool changed = false;
        QCOMPARE(fields.EnterStyleNumber(QStringLiteral("25"), &changed), QStringLiteral("10"));
        QVERIFY(changed);
        QCOMPARE(fields.ShownStyle(), 10);
        QCOMPARE(fields.CellValue(1), QStringLiteral("Ten"));
        // 0 and text are no style to edit: the style stays.
        QCOMPARE(fields.EnterStyleNumber(QStringLiteral("0"), &changed), QStringLiteral("0"));
        QVERIFY(!changed);
        fields.EnterStyleNumber(QStringLiteral("x"), &changed);
        QVERIFY(!changed);
        QCOMPARE(fields.ShownStyle(), 10);
    }

    void storingTheVisibleCellsKeepsTheOtherStyles()
    {
        QVERIFY(OpenFleet(110));
        F fields(Unit(110), AllSections());
        fields.SetSection(F::Styles);
        fields.EnterStyleNumber(QStringLiteral("3"));
        fields.StoreVisible([](int row) { return row == 2 ? QStringLiteral("255") : QString::number(row); });
        QCOMPARE(fields.Image().StyleValue(3, 2), QStringLiteral("255"));
        QCOMPARE(fields.Image().StyleValue(0, 2), QStringLiteral("229"));
        QCOMPARE(fields.Image().StyleValue(4, 2), QStringLiteral("229"));
        fields.SetSection(F::General);
        fields.StoreVisible([](int) { return QStringLiteral("1"); });
        QCOMPARE(fields.Image().StyleValue(0, 1), QString()); // row 1 is not shown for style 0
        QCOMPARE(fields.Image().StyleValue(0, 19), QStringLiteral("1"));
        QCOMPARE(fields.Image().StyleValue(3, 19), QStringLiteral("19"));
    }

    void aUnitWithoutErgonomicRowsOpensWithTheDefaults()
    {
        QVERIFY(OpenFleet(110, true));
        F fields(Unit(110), AllSections());
        QVERIFY(!fields.Load());
        const CAlderErgoImage& image = fields.Image();
        for (int style = 0; style <= 10; ++style) {
            QCOMPARE(image.StyleValue(style, 1), QString());
            QCOMPARE(image.StyleValue(style, 2), QStringLiteral("229"));
            QCOMPARE(image.StyleValue(style, 3), QStringLiteral("214"));
            QCOMPARE(image.StyleValue(style, 4), QStringLiteral("216"));
            QCOMPARE(image.StyleValue(style, 5), QStringLiteral("242"));
            QCOMPARE(image.StyleValue(style, 10), QStringLiteral("1"));
            QCOMPARE(image.StyleValue(style, 19), QStringLiteral("10000"));
            QCOMPARE(image.StyleValue(style, 20), QStringLiteral("6"));
            for (int row : {6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 21, 22, 23, 24, 25, 26})
                QCOMPARE(image.StyleValue(style, row), QStringLiteral("0"));
        }
        for (int n = 1; n <= 20; ++n)
            QVERIFY(image.Shortcut(n).isEmpty());
        for (int n = 1; n <= 10; ++n)
            QVERIFY(image.Note(n).isEmpty());
        QVERIFY(!image.StatusReport());
        QCOMPARE(image.Menu().size(), 15);
        QCOMPARE(image.Menu().first(), 0);
        QCOMPARE(image.Menu().last(), 14);

        // Saving a unit without rows adds them all, and that changes the fleet.
        bool changed = false;
        QVERIFY(!fields.Save(changed));
        QVERIFY(changed);
        QCOMPARE(Count(kTables[0]), 11);
        QCOMPARE(Count(kTables[1]), 20);
    }

    void loadingReadsTheUnitsRows()
    {
        QVERIFY(OpenFleet(110));
        Exec(QStringLiteral("UPDATE unit_alder_styles_details SET unit_style_ringer_volume = 255 WHERE "
                            "unit_imei_num = ?"),
             {kImei});
        Exec(QStringLiteral(
                 "UPDATE unit_alder_quick_notes SET unit_sms_status_report = 1 WHERE unit_imei_num = ?"),
             {kImei});
        F fields(Unit(110), AllSections());
        QVERIFY(!fields.Load());
        const CAlderErgoImage& image = fields.Image();
        // The fixture's style 0 and shortcut 1; the other styles keep their defaults.
        QCOMPARE(image.StyleValue(0, 2), QStringLiteral("255"));
        QCOMPARE(image.StyleValue(0, 7), QStringLiteral("1")); // vibrate all, a yes/no column
        QCOMPARE(image.StyleValue(0, 19), QStringLiteral("4294967295"));
        QCOMPARE(image.StyleValue(1, 2), QStringLiteral("229"));
        QCOMPARE(image.Shortcut(1), QStringLiteral("77"));
        QVERIFY(image.Shortcut(2).isEmpty());
        QCOMPARE(image.Note(10), QStringLiteral("10%"));
        QVERIFY(image.StatusReport());
        QCOMPARE(image.LeftKey(), 110);
        QCOMPARE(image.Menu().first(), 7);
        QCOMPARE(fields.CellValue(60), QStringLiteral("110"));
        QCOMPARE(fields.CellValue(58), QStringLiteral("1"));
        QCOMPARE(fields.CellValue(28), QStringLiteral("4294967295")); // shortcut 2 has no row
    }

    void savingWritesEveryRowWhateverWasLoaded()
    {
        QVERIFY(OpenFleet(110));
        Exec(QStringLiteral(
                 "INSERT INTO unit_alder_styles_details (unit_imei_num, unit_style_number) VALUES (?, 3)"),
             {kImei});
        F fields(Unit(110), AllSections());
        QVERIFY(!fields.Load());
        fields.Image().SetShortcut(2, QStringLiteral("33554462"));
        fields.Image().SetNote(3, QStringLiteral("On my way"));
        fields.Image().SetStyleValue(5, 1, QStringLiteral("Meeting"));
        bool changed = false;
        QVERIFY(!CUnitSheetSave::Run(Db(), {[&]() { return fields.Save(changed); }}).error);
        QVERIFY(changed);
        QCOMPARE(Count(kTables[0]), 11);
        QCOMPARE(Count(kTables[1]), 20);
        QCOMPARE(Count(kTables[2]), 1);
        QCOMPARE(Count(kTables[3]), 1);
        QCOMPARE(Count(kTables[1], kOther), 1); // the other unit's rows stay
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("SELECT unit_shortcut_number, unit_shortcut_value FROM "
                                      "unit_alder_shortcut_details WHERE unit_imei_num = '%1' "
                                      "ORDER BY unit_shortcut_number")
                           .arg(kImei)));
        QStringList values;
        while (q.next())
            values << q.value(1).toString();
        QCOMPARE(values.size(), 20);
        QCOMPARE(values[0], QStringLiteral("77"));
        QCOMPARE(values[1], QStringLiteral("33554462"));
        QCOMPARE(values[2], QStringLiteral("4294967295")); // empty
        QCOMPARE(values[19], QStringLiteral("4294967295"));
        fields.SaveCommitted();

        // Read again, the image is what was saved; saving it unchanged changes nothing.
        F again(Unit(110), AllSections());
        QVERIFY(!again.Load());
        QCOMPARE(again.Image().Note(3), QStringLiteral("On my way"));
        QCOMPARE(again.Image().StyleValue(5, 1), QStringLiteral("Meeting"));
        QCOMPARE(again.Image().Shortcut(3), QStringLiteral("4294967295"));
        QVERIFY(!again.Save(changed));
        QVERIFY(!changed);
        QCOMPARE(Count(kTables[0]), 11);
    }

    void eachModelSavesItsMenuInItsOwnTable_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("slots");
        QTest::newRow("Cedar") << 114 << "unit_cedar_personalize_details" << 32;
        QTest::newRow("agps") << 116 << "unit_agps_personalize_details" << 16;
        QTest::newRow("Alder") << 110 << "unit_alder_personalize_details" << 15;
    }

    void eachModelSavesItsMenuInItsOwnTable()
    {
        QFETCH(int, model);
        QFETCH(QString, table);
        QFETCH(int, slots);
        QVERIFY(OpenFleet(model, true));
        F fields(Unit(model), AllSections());
        QVERIFY(!fields.Load());
        QCOMPARE(fields.Image().Menu().size(), slots);
        QVERIFY(fields.Image().MoveMenuItem(1, true));
        QVERIFY(!fields.Image().MoveMenuItem(0, true));
        QVERIFY(!fields.Image().MoveMenuItem(slots - 1, false));
        QVERIFY(fields.Image().MoveMenuItem(2, false));
        QCOMPARE(fields.Image().Menu().mid(0, 4), (QList<int>{1, 0, 3, 2}));
        fields.Image().SetRowValue(62, 0, QStringLiteral("5"));
        bool changed = false;
        QVERIFY(!fields.Save(changed));
        for (const QString& t : CFleetSchema::PersonalizeTables())
            QCOMPARE(Count(t), t == table ? 1 : 0);
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("SELECT unit_powerup_app, unit_main_menu_1, unit_main_menu_%1 FROM %2 "
                                      "WHERE unit_imei_num = '%3'")
                           .arg(slots)
                           .arg(table, kImei)));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 5);
        QCOMPARE(q.value(1).toInt(), 1);
        QCOMPARE(q.value(2).toInt(), slots > 15 ? 255 : 14);

        F again(Unit(model), AllSections());
        QVERIFY(!again.Load());
        QCOMPARE(again.Image().Menu(), fields.Image().Menu());
        QCOMPARE(again.CellValue(62), QStringLiteral("5"));
    }

    void aFailingSaveLeavesTheFourTablesUnchanged()
    {
        QVERIFY(OpenFleet(110));
        F fields(Unit(110), AllSections());
        QVERIFY(!fields.Load());
        QStringList before;
        for (const QString& t : kTables)
            before << Dump(t);
        // The quick notes, the last table written, refuse their row.
        Exec(QStringLiteral("CREATE TRIGGER refuse_notes BEFORE INSERT ON unit_alder_quick_notes "
                            "BEGIN SELECT RAISE(ABORT, 'notes refused'); END"));
        fields.Image().SetStyleValue(0, 1, QStringLiteral("Changed"));
        fields.Image().SetShortcut(5, QStringLiteral("33554432"));
        bool changed = false;
        const CUnitSheetSave::Result result =
            CUnitSheetSave::Run(Db(), {[&]() { return fields.Save(changed); }});
        QVERIFY(!result);
        QCOMPARE(result.failedStep, 0);
        QVERIFY(result.error.ToText().contains(QStringLiteral("notes refused")));
        QStringList after;
        for (const QString& t : kTables)
            after << Dump(t);
        QCOMPARE(after, before);
        QCOMPARE(Count(kTables[0]), 1);
    }

    void aLoadThatFailsKeepsTheDefaultsAndSavesNothing()
    {
        QVERIFY(OpenFleet(110));
        Exec(QStringLiteral("DROP TABLE unit_alder_quick_notes"));
        F fields(Unit(110), AllSections());
        QVERIFY(fields.Load().Stops());
        QVERIFY(!fields.IsLoaded());
        // The styles were read before the notes failed; none of it is kept.
        QCOMPARE(fields.Image().Shortcut(1), QString());
        QCOMPARE(fields.Image().StyleValue(0, 2), QStringLiteral("229"));
        const QStringList styles = Dump(kTables[0]);
        bool changed = true;
        QVERIFY(!fields.Save(changed));
        QVERIFY(!changed);
        QCOMPARE(Dump(kTables[0]), styles);
    }

    void menuItemsAndShortcutMoves()
    {
        QCOMPARE(F::MenuItemText(255), CVelmoraWrap::LoadString(7700));
        QCOMPARE(F::MenuItemText(1), CVelmoraWrap::LoadString(1982));
        QVERIFY(F::MenuItemText(40).contains(QStringLiteral("40")));
        QVERIFY(OpenFleet(110, true));
        F fields(Unit(110), AllSections());
        fields.Image().SetShortcut(1, QStringLiteral("33554432"));
        QCOMPARE(fields.MoveShortcut(27, false), 28);
        QCOMPARE(fields.Image().Shortcut(2), QStringLiteral("33554432"));
        QVERIFY(fields.Image().Shortcut(1).isEmpty());
        QCOMPARE(fields.MoveShortcut(27, true), 0);
        QCOMPARE(fields.MoveShortcut(46, false), 0);
    }
};

VELMORA_TEST_MAIN(TestAlderErgo)
#include "tst_alder_ergo.moc"
