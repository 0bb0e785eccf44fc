// The consolidated call list page's logic without widgets: the name-index rule, the number checks by
// type, the row check, loading, clearing and moving whole entries, and saving through the twin.

#include "CConsolNameIndex.h"
#include "CConsolNumberType.h"
#include "CConsolidatedRecord.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CGridListType.h"
#include "CPhoneTextCodec.h"
#include "CTestEnvironment.h"
#include "CUnitConsolCallList.h"
#include "CUnitSheetSave.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraWrap.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000077");
using L = CUnitConsolCallList;
using Entries = QList<CConsolIndexEntry>;

// The stored entries of the unit: rec_num, name, number, type, name index.
QStringList Summary(const QSqlDatabase& db, const QString& table = QStringLiteral("unit_consolid_call_list"))
{
    QSqlQuery q(db);
    q.prepare(
        QStringLiteral("SELECT unit_rec_num, unit_name, unit_num, unit_num_type, unit_nameIndex FROM %1 "
                       "WHERE unit_imei_num = ? ORDER BY unit_rec_num")
            .arg(table));
    q.addBindValue(kImei);
    QStringList rows;
    if (q.exec()) {
        while (q.next())
            rows << QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                             q.value(3).toString(), q.value(4).toString());
    }
    return rows;
}

} // namespace

class TestConsolCallList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;
    std::unique_ptr<CVelmoraGridModel> m_grid;
    std::unique_ptr<CUnitConsolCallList> m_list;
    const QDateTime m_now = QDateTime(QDate(2026, 12, 8), QTime(15, 30), Qt::UTC);

    QSqlDatabase Db() const { return m_fleet->Database(); }

    CUnitSheetUnit Unit() const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = 3;
        return unit;
    }

    void OpenList()
    {
        m_list.reset();
        m_grid = std::make_unique<CVelmoraGridModel>(CGridListType::ConsolCallList, 0, CGridSettings());
        m_list = std::make_unique<CUnitConsolCallList>(Unit());
        m_list->SetClock([this] { return m_now; });
        m_list->Attach(m_grid.get());
        const CVelmoraError error = m_list->Open();
        QVERIFY2(!error.IsError(), qPrintable(error.ToText()));
    }

    void SetRow(int row, const QString& name, const QString& number, const QString& type)
    {
        m_grid->SetValue(row, L::ColName, name);
        m_grid->SetValue(row, L::ColNumber, number);
        m_grid->SetValue(row, L::ColType, type);
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

    void Insert(int recNum, const QString& name, const QString& number, int type, int nameIndex,
                int nameLang = 0)
    {
        Exec("INSERT INTO unit_consolid_call_list (unit_imei_num, unit_rec_num, unit_name, unit_num, "
             "unit_num_type, unit_nameIndex, unit_tonNP, unit_capabilityID, unit_language, unit_timeStamp, "
             "unit_NameLang, unit_phone_num_len, unit_reserved, unit_extnRecID, unit_voiceTag, "
             "unit_syncStatus, unit_tempID) VALUES (?, ?, ?, ?, ?, ?, 145, 7, 3, 1234, ?, ?, 0, 0, 0, 0, 0)",
             {kImei, recNum, name, number, type, nameIndex, nameLang, number.size()});
    }

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

private Q_SLOTS:
    void init()
    {
        m_list.reset();
        m_grid.reset();
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        unit.listRows = 0;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        Exec("UPDATE unit_details SET unit_cross_fleet_enable = 0");
    }

    void nameIndexFollowsTheContact()
    {
        // Ann's first number opens index 1, a number of another type joins it, a second number of
        // the same type opens the next free index, and a talkgroup always takes the smallest free one.
        Entries rows;
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 0), 1);
        rows << CConsolIndexEntry{"Ann", 0, 1};
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 2), 1);
        rows << CConsolIndexEntry{"Ann", 2, 1};
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 0), 2);
        rows << CConsolIndexEntry{"Ann", 0, 2};
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 7), 3);
        // Another type joins the first index that lacks it; the second contact lacks type 2.
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 3), 1);
        QCOMPARE(CConsolNameIndex::For(rows, "Ann", 2), 2);
        // Names compare exactly; an empty name never joins a contact.
        QCOMPARE(CConsolNameIndex::For(rows, "ann", 2), 3);
        QCOMPARE(CConsolNameIndex::For(rows, "", 2), 3);
        // A talkgroup under a name takes its index for every type.
        QCOMPARE(CConsolNameIndex::For({{"Bo", 7, 4}}, "Bo", 0), 1);
        // A same-name entry still without an index sends the entry to the smallest free one.
        QCOMPARE(CConsolNameIndex::For({{"Cy", 1, 0}, {"Dan", 0, 1}}, "Cy", 0), 2);
        // Indexes out of 1..250 hold nothing.
        QCOMPARE(CConsolNameIndex::SmallestFree({{"x", 0, 0}, {"y", 0, 251}}), 1);
    }

    void fullIndexesRefuseANewName()
    {
        Entries rows;
        for (int i = 1; i <= CConsolNameIndex::MaxIndex; ++i)
            rows << CConsolIndexEntry{QStringLiteral("N%1").arg(i), 0, i};
        QCOMPARE(CConsolNameIndex::SmallestFree(rows), int(CConsolNameIndex::NoIndex));
        QCOMPARE(CConsolNameIndex::For(rows, "New", 0), int(CConsolNameIndex::NoIndex));
        QCOMPARE(CConsolNameIndex::For(rows, "", 0), int(CConsolNameIndex::NoIndex));
        // A further number of an existing contact still fits under its index.
        QCOMPARE(CConsolNameIndex::For(rows, "N17", 2), 17);
        QCOMPARE(CConsolNameIndex::For(rows, "N17", 0), int(CConsolNameIndex::NoIndex));
    }

    void numberChecksByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("crossFleet");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("message"); // 0: passes
        QTest::newRow("ip ok") << 8 << false << "10.0.0.1" << 0;
        QTest::newRow("ip empty") << 8 << false << "" << 1824;
        QTest::newRow("ip last part missing") << 8 << false << "10.0.0." << 1825;
        QTest::newRow("ip 256") << 8 << false << "10.0.0.256" << 1825;
        QTest::newRow("ip letter") << 8 << false << "10.0.0.a" << 1826;
        QTest::newRow("ip two dots") << 8 << false << "10.0.1" << 1825;
        QTest::newRow("ip empty inner part") << 8 << false << "10..0.1" << 1825;
        QTest::newRow("ip huge part") << 8 << false << "10.0.0.99999999999" << 1825;
        QTest::newRow("talkgroup ok") << 7 << false << "255" << 0;
        QTest::newRow("talkgroup empty") << 7 << false << "" << 1822;
        QTest::newRow("talkgroup four characters") << 7 << false << "0255" << 1823;
        QTest::newRow("talkgroup plus") << 7 << false << "+12" << 1823;
        QTest::newRow("talkgroup 0") << 7 << false << "0" << 1823;
        QTest::newRow("talkgroup 256") << 7 << false << "256" << 1823;
        QTest::newRow("private ok") << 1 << false << "65535" << 0;
        QTest::newRow("private empty") << 1 << false << "" << 1645;
        QTest::newRow("private too big") << 1 << false << "65536" << 1645;
        QTest::newRow("private plus") << 1 << false << "+5" << 1645;
        QTest::newRow("private trinum without cross-fleet") << 1 << false << "1*2*3" << 1645;
        QTest::newRow("cross-fleet trinum") << 1 << true << "1*2*3" << 0;
        QTest::newRow("cross-fleet member") << 1 << true << "5" << 0;
        QTest::newRow("cross-fleet letter") << 1 << true << "1*2*x" << 1854;
        QTest::newRow("cross-fleet plus") << 1 << true << "+1*2*3" << 1854;
        QTest::newRow("cross-fleet empty") << 1 << true << "" << 1854;
        QTest::newRow("cross-fleet member 0") << 1 << true << "1*2*0" << 1854;
        QTest::newRow("phone empty") << 0 << false << "" << 0;
        QTest::newRow("phone plus first") << 3 << false << "+97231234" << 0;
        QTest::newRow("phone plus inside") << 0 << false << "05+1" << 1819;
        QTest::newRow("phone letter") << 9 << false << "05x1" << 1847;
        QTest::newRow("phone too long") << 2 << false << QString(21, '1') << 1821;
    }

    void numberChecksByType()
    {
        QFETCH(int, type);
        QFETCH(bool, crossFleet);
        QFETCH(QString, number);
        QFETCH(int, message);
        const CVelmoraError error =
            CConsolNumberType::CheckNumber(type, number, CPrivateIdForm(crossFleet, 1, 2));
        QCOMPARE(error.Id(), message);
        QCOMPARE(error.Stops(), message != 0);
        if (message == 1645)
            QCOMPARE(error.Args(), (QStringList{"1", "65535"}));
    }

    void typesAndPrivateIdText()
    {
        QVERIFY(CConsolNumberType::IsPhoneNumber(CConsolNumberType::PhoneNumber));
        QVERIFY(!CConsolNumberType::IsPhoneNumber(CConsolNumberType::PrivateId));
        QVERIFY(!CConsolNumberType::IsPhoneNumber(7) && !CConsolNumberType::IsPhoneNumber(8));
        QVERIFY(!CConsolNumberType::IsPhoneNumber(10) && !CConsolNumberType::IsPhoneNumber(-1));
        const QStringList lines = CConsolNumberType::Choices().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.at(1), CVelmoraWrap::LoadString(1886) + "\t1");
        QCOMPARE(lines.at(9), CVelmoraWrap::LoadString(1894) + "\t9");
        QVERIFY(!CVelmoraWrap::LoadString(1886).isEmpty());
        // A private entry whose urban and fleet are 0 is the member alone.
        QCOMPARE(CConsolNumberType::PrivateIdText(0, 0, 42), QStringLiteral("42"));
        QCOMPARE(CConsolNumberType::PrivateIdText(1, 2, 42), QStringLiteral("1*2*42"));
    }

    void rowCheck()
    {
        OpenList();
        QVERIFY(!m_list->CheckRow(1).IsError()); // empty row
        SetRow(1, "", "", "-1");
        QVERIFY(!m_list->CheckRow(1).IsError());
        SetRow(1, "Ann", "", "0");
        QCOMPARE(m_list->CheckRow(1).Id(), int(L::MsgNoNumber));
        SetRow(1, "Ann", "0501", "");
        QCOMPARE(m_list->CheckRow(1).Id(), int(L::MsgNoType));
        SetRow(1, "Ann", "0501", "-1");
        QCOMPARE(m_list->CheckRow(1).Id(), int(L::MsgTypeUnset));
        SetRow(1, "Ann", "0255", "7");
        QCOMPARE(m_list->CheckRow(1).Id(), 1823);
        // The grid runs the same check, and a passing row gets its index there.
        QCOMPARE(m_grid->CheckRow(1).messageId, 1823);
        SetRow(1, "Ann", "12", "7");
        QVERIFY(m_grid->CheckRow(1).ok);
        QCOMPARE(m_grid->Value(1, L::ColNameIndex), QStringLiteral("1"));
    }

    void loadsIndexedEntriesInRecordOrderAndSorts()
    {
        Insert(3, "Cy", "0503", 0, 2, 5);
        Insert(1, "Bo", "0501", 1, 1);
        Insert(2, "hidden", "0502", 0, 0);
        Insert(4, "Al", "12", 7, 3);
        OpenList();
        QCOMPARE(m_grid->RowCount(), int(L::Capacity));
        QCOMPARE(m_grid->ColCount(), int(L::ColumnCount));
        QVERIFY(m_grid->ColumnStyle(L::ColNameLang).hidden);
        for (int col = L::ColTonNP; col <= L::ColReserved; ++col)
            QVERIFY(m_grid->ColumnStyle(col).hidden);
        QCOMPARE(m_grid->Value(1, L::ColName), QStringLiteral("Bo"));
        QCOMPARE(m_grid->Value(2, L::ColName), QStringLiteral("Cy"));
        QCOMPARE(m_grid->Value(2, L::ColNameIndex), QStringLiteral("2"));
        QCOMPARE(m_grid->Value(2, L::ColTonNP), QStringLiteral("145"));
        QCOMPARE(m_grid->Value(2, L::ColTimeStamp), QStringLiteral("1234"));
        QCOMPARE(m_grid->Value(2, L::ColNameLang), QStringLiteral("5"));
        QCOMPARE(m_grid->Value(3, L::ColName), QStringLiteral("Al"));
        QVERIFY(m_list->IsEmptyRow(4));

        // The chosen sort is applied again whenever the grid is loaded.
        m_list->SetSort(L::SortByName);
        QCOMPARE(m_grid->Value(1, L::ColName), QStringLiteral("Al"));
        SetRow(1, "Zed", "9", "0");
        QVERIFY(!m_list->Reload().IsError());
        QCOMPARE(m_grid->Value(1, L::ColName), QStringLiteral("Al"));
        m_list->SetSort(L::SortByType);
        QCOMPARE(m_grid->Value(1, L::ColName), QStringLiteral("Cy"));
        QCOMPARE(m_grid->Value(3, L::ColName), QStringLiteral("Al"));
    }

    void clearAndMoveTakeWholeEntries()
    {
        Insert(1, "Bo", "0501", 1, 1, 4);
        Insert(2, "Cy", "0503", 0, 2);
        OpenList();
        QCOMPARE(m_list->Clear({}).Id(), int(L::MsgNoClearRow));
        int row = 0;
        QCOMPARE(m_list->Move({}, true, row).Id(), int(L::MsgNoMoveRow));
        QVERIFY(!m_list->Move({1}, false, row).IsError());
        QCOMPARE(row, 2);
        QCOMPARE(m_grid->Value(2, L::ColName), QStringLiteral("Bo"));
        QCOMPARE(m_grid->Value(2, L::ColNameLang), QStringLiteral("4"));
        QCOMPARE(m_grid->Value(1, L::ColTonNP), QStringLiteral("145"));
        QVERIFY(!m_list->Clear({2}).IsError());
        for (int col = 1; col <= L::ColumnCount; ++col)
            QVERIFY2(m_grid->Value(2, col).isEmpty(), qPrintable(QString::number(col)));
        QVERIFY(m_list->IsEmptyRow(2));
        QVERIFY(SaveAndClose());
        // Alone under its name, the entry takes the smallest free index on save.
        QCOMPARE(Summary(Db()), QStringList{"1 Cy 0503 0 1"});
    }

    void saveIndexesStampsAndDropsNamesWithoutNumber()
    {
        OpenList();
        SetRow(1, "Ann", "0501", "0");
        SetRow(2, "Ann", "0502", "2");
        SetRow(3, "Ann", "0503", "0");
        SetRow(4, "Ann", "77", "7");
        SetRow(5, "Dana", "", "0"); // a name alone is no entry
        SetRow(7, "", "10.0.0.1", "8");
        bool changed = false;
        const CUnitSheetSave::Result result = SaveAndClose(&changed);
        QVERIFY2(result, qPrintable(result.error.ToText()));
        QVERIFY(changed);
        QCOMPARE(Summary(Db()), (QStringList{"1 Ann 0501 0 1", "2 Ann 0502 2 1", "3 Ann 0503 0 2",
                                             "4 Ann 77 7 3", "7  10.0.0.1 8 4"}));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list_tmp"), 0);

        QSqlQuery q(Db());
        q.prepare("SELECT unit_timeStamp, unit_syncStatus, unit_tonNP, unit_capabilityID, unit_extnRecID, "
                  "unit_language, unit_phone_num_len FROM unit_consolid_call_list WHERE unit_imei_num = ? "
                  "ORDER BY unit_rec_num");
        q.addBindValue(kImei);
        QVERIFY(q.exec());
        const int stamp = int(CConsolidatedRecord::PhoneMinutes(m_now));
        QList<int> sync;
        while (q.next()) {
            QCOMPARE(q.value(0).toInt(), stamp);
            QCOMPARE(q.value(2).toInt(), 129);
            QCOMPARE(q.value(3).toInt(), 144);
            QCOMPARE(q.value(4).toInt(), 0);
            QCOMPARE(q.value(5).toInt(), 255);
            sync << q.value(1).toInt();
        }
        // Complete entries are synchronised; the one without a name is not.
        QCOMPARE(sync, (QList<int>{128, 128, 128, 128, 0}));
    }

    void keepsLoadedFieldsAndSkipsAnUnchangedSave()
    {
        Insert(1, "Bo", "0501", 1, 1, 6);
        OpenList();
        bool changed = true;
        QVERIFY(SaveAndClose(&changed));
        QVERIFY(!changed); // a new time stamp and sync status alone are no change
        QSqlQuery q(Db());
        QVERIFY(q.exec("SELECT unit_timeStamp, unit_NameLang, unit_tonNP, unit_capabilityID, unit_language "
                       "FROM unit_consolid_call_list"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1234);
        QCOMPARE(q.value(1).toInt(), 6);

        OpenList();
        m_grid->SetValue(1, L::ColName, "Bob");
        QVERIFY(SaveAndClose(&changed));
        QVERIFY(changed);
        QVERIFY(q.exec("SELECT unit_timeStamp, unit_NameLang, unit_tonNP, unit_capabilityID, unit_language "
                       "FROM unit_consolid_call_list"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), int(CConsolidatedRecord::PhoneMinutes(m_now)));
        // The name's language and the phone's own fields travel with the entry.
        QCOMPARE(q.value(1).toInt(), 6);
        QCOMPARE(q.value(2).toInt(), 145);
        QCOMPARE(q.value(3).toInt(), 7);
        QCOMPARE(q.value(4).toInt(), 3);
    }

    void aFailingRowStopsTheSaveAndKeepsTheTable()
    {
        Insert(1, "Bo", "0501", 0, 1);
        OpenList();
        SetRow(2, "Cy", "10.0.0.a", "8");
        const CUnitSheetSave::Result result = SaveAndClose();
        QVERIFY(!result);
        QCOMPARE(result.error.Id(), 1826);
        QCOMPARE(m_list->LastFailedRow(), 2);
        QCOMPARE(Summary(Db()), QStringList{"1 Bo 0501 0 1"});
    }

    void uniqueIndexViolationSays1652()
    {
        // A fleet whose table refuses one number twice.
        Exec("CREATE UNIQUE INDEX consol_number ON unit_consolid_call_list (unit_imei_num, unit_num)");
        OpenList();
        SetRow(1, "Ann", "0501", "0");
        SetRow(2, "Bo", "0501", "2");
        const CUnitSheetSave::Result result = SaveAndClose();
        QVERIFY(!result);
        QCOMPARE(result.error.Id(), int(L::MsgDuplicate));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list"), 0);
        QVERIFY(L::IsUniqueViolation(CVelmoraError::Text("UNIQUE constraint failed: t.c")));
        QVERIFY(!L::IsUniqueViolation(CVelmoraError::Message(1652)));
    }

    void namesOutsideTheCodePageAreRefusedAsTyped()
    {
        // A Latin unit: a Hebrew name is refused in its cell, unless the entry's own language is Hebrew.
        Exec("UPDATE unit_details SET unit_def_call_list_lang_id = 0");
        OpenList();
        const QString hebrew = QString::fromUtf8("מוקד");
        QVERIFY(m_grid->CheckCell(1, L::ColName, "O'Hara").ok);
        QCOMPARE(m_grid->CheckCell(1, L::ColName, hebrew).messageId,
                 int(CPhoneTextCodec::MsgCharacterNotInCodePage));
        m_grid->SetValue(1, L::ColLanguage, "3");
        QVERIFY(m_grid->CheckCell(1, L::ColName, hebrew).ok);
        // A number its row's type refuses is refused as its cell is left; without a type it waits.
        SetRow(2, "Bo", "", "8");
        QCOMPARE(m_grid->CheckCell(2, L::ColNumber, "10.0.0.256").messageId, 1825);
        SetRow(2, "Bo", "", "-1");
        QVERIFY(m_grid->CheckCell(2, L::ColNumber, "10.0.0.256").ok);
    }

    void crossFleetComesFromTheUnit()
    {
        Exec("UPDATE unit_details SET unit_cross_fleet_enable = 1, unit_currentNAMSelection = 1, "
             "unit_private_nam1_urban_id = 4, unit_private_nam1_fleet_id = 9");
        OpenList();
        QVERIFY(m_list->IdForm().CrossFleet());
        QCOMPARE(m_list->IdForm().OwnUrban(), 4);
        SetRow(1, "Ann", "1*2*3", "1");
        QVERIFY(!m_list->CheckRow(1).IsError());
        SetRow(1, "Ann", "70000", "1");
        QCOMPARE(m_list->CheckRow(1).Id(), 1854);
    }
};

VELMORA_TEST_MAIN(TestConsolCallList)
#include "tst_consol_call_list.moc"
