// The phone list page's logic without widgets: loading rows at their speed-dial numbers, the row
// check, moves, clearing, sorting, and saving through the twin inside the sheet's one save.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CGridListType.h"
#include "CPhoneTextCodec.h"
#include "CTestEnvironment.h"
#include "CUnitPhoneList.h"
#include "CUnitSheetSave.h"
#include "CVelmoraGridModel.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000041");

struct Stored
{
    int speedDial;
    QString name;
    QString number;
    bool program;
    bool operator==(const Stored& o) const
    {
        return speedDial == o.speedDial && name == o.name && number == o.number && program == o.program;
    }
};

char* toString(const Stored& s)
{
    return qstrdup(
        QStringLiteral("%1 %2 %3 %4").arg(s.speedDial).arg(s.name, s.number).arg(s.program).toUtf8());
}

} // namespace

class TestUnitPhoneList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;
    std::unique_ptr<CVelmoraGridModel> m_grid;
    std::unique_ptr<CUnitPhoneList> m_list;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    CUnitSheetUnit Unit(int capacity = 20, int languageEntry = 0) const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = 2;
        unit.profile.capacities.phoneBook = capacity;
        unit.phoneBookLangEntryId = languageEntry;
        return unit;
    }

    // A phone list page's logic opened on the unit, with its grid.
    void OpenList(const CUnitSheetUnit& unit)
    {
        m_list.reset();
        CGridSettings settings;
        settings.capacities.phoneBook = unit.profile.capacities.phoneBook;
        m_grid = std::make_unique<CVelmoraGridModel>(CGridListType::PhoneList, 0, settings);
        m_list = std::make_unique<CUnitPhoneList>(unit);
        m_list->Attach(m_grid.get());
        QVERIFY(!m_list->Open().IsError());
    }

    void SetRow(int row, const QString& name, const QString& number, bool program = false)
    {
        m_grid->SetValue(row, CUnitPhoneList::ColName, name);
        m_grid->SetValue(row, CUnitPhoneList::ColNumber, number);
        m_grid->SetValue(row, CUnitPhoneList::ColProgram, program ? "1" : "0");
    }

    QStringList Row(int row) const
    {
        return {m_grid->Value(row, 1), m_grid->Value(row, 2), m_grid->Value(row, 3)};
    }

    QList<Stored> StoredRows(const QString& table = QStringLiteral("unit_phone_details")) const
    {
        QSqlQuery q(Db());
        q.prepare(
            QStringLiteral("SELECT unit_speed_dial, unit_name, unit_phone_num, unit_program_flag FROM %1 "
                           "WHERE unit_imei_num = ? ORDER BY unit_speed_dial")
                .arg(table));
        q.addBindValue(kImei);
        QList<Stored> rows;
        if (q.exec()) {
            while (q.next())
                rows << Stored{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toBool()};
        }
        return rows;
    }

    // The sheet's OK: the page's save inside the one transaction, then closing.
    CUnitSheetSave::Result SaveAndClose(bool* changedOut = nullptr)
    {
        bool changed = false;
        const CUnitSheetSave::Result result =
            CUnitSheetSave::Run(Db(), {[&]() { return m_list->Save(changed); }});
        if (result)
            m_list->Close();
        if (changedOut)
            *changedOut = changed;
        return result;
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

private Q_SLOTS:
    void init()
    {
        m_list.reset();
        m_grid.reset();
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        unit.listRows = 3;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        // Entries at speed dials 1, 2 and 5, with language 0 as the page writes them.
        Exec("UPDATE unit_phone_details SET unit_language = 0");
        Exec("UPDATE unit_phone_details SET unit_speed_dial = 5 WHERE unit_speed_dial = 3");
    }

    void loadsRowsAtTheirNumbersWithTheCapacity()
    {
        OpenList(Unit(15));
        QCOMPARE(m_grid->RowCount(), 15);
        QCOMPARE(m_list->TabIconId(), int(CUnitPhoneList::PhoneIcon));
        const QList<Stored> stored = StoredRows();
        QCOMPARE(stored.size(), 3);
        for (const Stored& s : stored)
            QCOMPARE(Row(s.speedDial), (QStringList{s.name, s.number, "1"}));
        QVERIFY(m_grid->IsRowEmpty(3));
        QVERIFY(m_grid->IsRowEmpty(4));
        QCOMPARE(StoredRows("unit_phone_details_tmp"), stored);

        // Nothing edited: the save changes nothing, and the gap stays.
        bool changed = true;
        QVERIFY(SaveAndClose(&changed));
        QVERIFY(!changed);
        QCOMPARE(StoredRows(), stored);

        // An entry stored beyond the capacity is kept (shown past the last row), not dropped.
        Exec("UPDATE unit_phone_details SET unit_speed_dial = 18 WHERE unit_speed_dial = 5");
        OpenList(Unit(15));
        QCOMPARE(m_grid->RowCount(), 18);
        QVERIFY(!m_grid->IsRowEmpty(18));
        CUnitSheetUnit classOne = Unit();
        classOne.phoneClass = 1;
        QCOMPARE(CUnitPhoneList(classOne).TabIconId(), int(CUnitPhoneList::OtherIcon));
        QVERIFY(!CUnitPhoneList(classOne).TransferShown());
    }

    void cancelLeavesTheTableAndEmptiesTheTwin()
    {
        const QList<Stored> before = StoredRows();
        OpenList(Unit());
        SetRow(1, "changed", "999");
        SetRow(7, "new", "123");
        QVERIFY(m_list->WriteBack());
        QCOMPARE(StoredRows("unit_phone_details_tmp").size(), 4);
        QVERIFY(!m_list->Close().IsError());
        QCOMPARE(StoredRows(), before);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details_tmp"), 0);
    }

    void rowCheckBlocksTheSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("name without number") << "Dana"
                                             << "" << 1847 << QStringList();
        QTest::newRow("letter") << ""
                                << "05x1" << 1847 << QStringList();
        QTest::newRow("plus inside") << "Dana"
                                     << "05+1" << 1819 << QStringList();
        QTest::newRow("two plus") << "Dana"
                                  << "+05+1" << 1820 << QStringList();
        QTest::newRow("too long") << "Dana" << QString(21, '5') << 1821 << QStringList{"20"};
    }

    void rowCheckBlocksTheSave()
    {
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(int, message);
        QFETCH(QStringList, args);
        const QList<Stored> before = StoredRows();
        OpenList(Unit());
        SetRow(1, "first", "111");
        SetRow(4, name, number);
        SetRow(6, "later", "666");
        const CUnitListWriteResult written = m_list->WriteBack();
        QVERIFY(!written);
        QCOMPARE(written.failedRow, 3);
        QCOMPARE(written.error.Id(), message);
        if (!args.isEmpty())
            QCOMPARE(written.error.Args(), args);
        // Rows before the failing one reached the twin; the table is untouched by the refused OK.
        QCOMPARE(StoredRows("unit_phone_details_tmp").size(), 2);
        const CUnitSheetSave::Result result = SaveAndClose();
        QVERIFY(!result);
        QCOMPARE(result.error.Id(), message);
        QCOMPARE(StoredRows(), before);
        QVERIFY(m_list->IsOpen());
    }

    void plusNumbersPass()
    {
        QVERIFY(!CUnitPhoneList::CheckNumber("+972541234567890123456").IsError());
        QVERIFY(!CUnitPhoneList::CheckNumber(QString(20, '5')).IsError());
        QCOMPARE(CUnitPhoneList::CheckNumber("*#o+P").Id(), 1819);
        QVERIFY(!CUnitPhoneList::CheckNumber("0P*#o").IsError());
    }

    void languageEntryMinusOneFails()
    {
        const QList<Stored> before = StoredRows();
        OpenList(Unit(20, CUnitPhoneList::NoLanguage));
        const CUnitSheetSave::Result result = SaveAndClose();
        QVERIFY(!result);
        QCOMPARE(result.error.Id(), int(CUnitPhoneList::MsgSaveFailed));
        QCOMPARE(StoredRows(), before);
    }

    void movesExchangeWithTheNeighbour()
    {
        OpenList(Unit());
        const QStringList first = Row(1);
        const QStringList second = Row(2);
        int newRow = 0;
        QCOMPARE(m_list->Move({}, true, newRow).Id(), int(CUnitPhoneList::MsgNoMoveRow));
        QVERIFY(!m_list->Move({1}, true, newRow).IsError());
        QCOMPARE(newRow, 1);
        QCOMPARE(Row(1), first);
        QVERIFY(!m_list->Move({20}, false, newRow).IsError());
        QCOMPARE(newRow, 20);
        // The first selected row moves.
        QVERIFY(!m_list->Move({2, 1}, false, newRow).IsError());
        QCOMPARE(newRow, 2);
        QCOMPARE(Row(1), second);
        QCOMPARE(Row(2), first);
    }

    void movingRowThreeToTwoStoresSpeedDialTwo()
    {
        Exec("UPDATE unit_phone_details SET unit_speed_dial = 3 WHERE unit_speed_dial = 5");
        Exec("DELETE FROM unit_phone_details WHERE unit_speed_dial = 2");
        OpenList(Unit());
        const QStringList third = Row(3);
        int newRow = 0;
        QVERIFY(!m_list->Move({3}, true, newRow).IsError());
        QCOMPARE(newRow, 2);
        bool changed = false;
        QVERIFY(SaveAndClose(&changed));
        QVERIFY(changed);
        const QList<Stored> stored = StoredRows();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[1].speedDial, 2);
        QCOMPARE(stored[1].name, third[0]);
        QCOMPARE(stored[1].number, third[1]);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details_tmp"), 0);
    }

    void gapsKeepTheirNumbersAndClearedRowsGo()
    {
        OpenList(Unit());
        SetRow(9, "O'Brien \"Bob\"", "+4930", true);
        QCOMPARE(m_list->Clear({}).Id(), int(CUnitPhoneList::MsgNoClearRow));
        QVERIFY(!m_list->Clear({2}).IsError());
        QCOMPARE(Row(2), (QStringList{"", "", "0"}));
        QVERIFY(SaveAndClose());
        QList<int> dials;
        for (const Stored& s : StoredRows())
            dials << s.speedDial;
        QCOMPARE(dials, (QList<int>{1, 5, 9}));
        QCOMPARE(StoredRows().last(), (Stored{9, "O'Brien \"Bob\"", "+4930", true}));
    }

    void sortsByNameOrNumberEmptyRowsLast()
    {
        OpenList(Unit(6));
        for (int row = 1; row <= 6; ++row)
            SetRow(row, "", "");
        SetRow(2, "Carl", "300");
        SetRow(4, "Anna", "500");
        SetRow(6, "Bea", "100");
        m_list->Sort(CUnitPhoneList::SortByName);
        QCOMPARE(
            (QStringList{m_grid->Value(1, 1), m_grid->Value(2, 1), m_grid->Value(3, 1), m_grid->Value(4, 1)}),
            (QStringList{"Anna", "Bea", "Carl", ""}));
        QVERIFY(m_list->HandleSortRequest(CUnitPhoneList::SortRequestNumber));
        QCOMPARE((QStringList{m_grid->Value(1, 2), m_grid->Value(2, 2), m_grid->Value(3, 2)}),
                 (QStringList{"100", "300", "500"}));
        QVERIFY(m_list->HandleSortRequest(CUnitPhoneList::SortRequestName));
        QCOMPARE(m_grid->Value(1, 1), QStringLiteral("Anna"));
        QVERIFY(!m_list->HandleSortRequest(3));
    }

    void hebrewAndQuotedNamesRoundTrip()
    {
        Exec("UPDATE unit_details SET unit_def_call_list_lang_id = ?",
             {int(CPhoneTextCodec::LanguageHebrew)});
        const QString hebrew = QStringLiteral("משה לוי");
        const QString quoted = QStringLiteral("ד'ני");
        OpenList(Unit());
        QVERIFY(m_grid->CheckCell(3, CUnitPhoneList::ColName, hebrew).ok);
        SetRow(3, hebrew, "0521");
        SetRow(4, quoted, "*55#");
        QVERIFY(SaveAndClose());
        OpenList(Unit());
        QCOMPARE(Row(3), (QStringList{hebrew, "0521", "0"}));
        QCOMPARE(Row(4), (QStringList{quoted, "*55#", "0"}));
    }

    void namesOutsideTheUnitsCodePageAreRefusedAsTyped()
    {
        OpenList(Unit());
        const CGridCheckResult refused = m_grid->CheckCell(1, CUnitPhoneList::ColName, QStringLiteral("דנה"));
        QVERIFY(!refused.ok);
        QCOMPARE(refused.messageId, int(CPhoneTextCodec::MsgCharacterNotInCodePage));
        QVERIFY(m_grid->CheckCell(1, CUnitPhoneList::ColName, QStringLiteral("Zoë")).ok);
    }

    void reloadShowsRowsADialogWrote()
    {
        OpenList(Unit());
        Exec("INSERT INTO unit_phone_details_tmp (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
             "unit_program_flag, unit_language) VALUES (?, 12, '777', 'auto', 1, 0)",
             {kImei});
        SetRow(1, "", "");
        QVERIFY(!m_list->Reload().IsError());
        QCOMPARE(m_grid->RowCount(), 20);
        QCOMPARE(Row(12), (QStringList{"auto", "777", "1"}));
        QVERIFY(!m_grid->IsRowEmpty(1)); // the grid shows the twin again
    }
};

VELMORA_TEST_MAIN(TestUnitPhoneList)
#include "tst_unit_phone_list.moc"
