// The text rules and row checks of the units grid: addresses, private ids, model keys and the order
// in which a row's checks refuse it.

#include "CTestEnvironment.h"
#include "CTrinumId.h"
#include "CUnitRowChecks.h"
#include "CUnitRowRules.h"
#include "CUnitsColumns.h"
#include "CUnitsFixture.h"
#include "UnitsMessageIds.h"

#include <QApplication>
#include <QTest>

using C = CUnitsColumns;

class TestUnitRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressesAreCheckedAndNormalised_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << "" << true << "";
        QTest::newRow("all zero") << "0.0.0.0" << false << "";
        QTest::newRow("class D") << "224.1.1.1" << false << "";
        QTest::newRow("plain") << "10.0.0.1" << true << "10.0.0.1";
        QTest::newRow("leading zeros") << "010.000.000.001" << true << "10.0.0.1";
        QTest::newRow("highest") << "223.255.255.255" << true << "223.255.255.255";
        QTest::newRow("part above 255") << "10.0.256.1" << false << "";
        QTest::newRow("first part 0") << "0.1.1.1" << false << "";
        QTest::newRow("three parts") << "10.0.1" << false << "";
        QTest::newRow("five parts") << "10.0.0.1.5" << false << "";
        QTest::newRow("empty part") << "10..0.1" << false << "";
        QTest::newRow("trailing dot") << "10.0.0." << false << "";
    }
    void addressesAreCheckedAndNormalised()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        QString normalised = QStringLiteral("untouched");
        const CGridCheckResult r = CUnitRowRules::CheckIp(typed, &normalised);
        QCOMPARE(r.ok, ok);
        if (ok)
            QCOMPARE(normalised, stored);
        else
            QCOMPARE(r.messageId, int(UnitsMsg::InvalidIp));
    }

    void storedAddressesShowDotted()
    {
        // The address control's twelve digits, and an all-zero address that means none.
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("010000000001"), QString("10.0.0.1"));
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("000000000000"), QString());
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("0.0.0.0"), QString());
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("192.168.001.020"), QString("192.168.1.20"));
        // What cannot be read is left as it is rather than lost.
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("12345"), QString("12345"));
        QCOMPARE(CUnitRowRules::NormaliseStoredIp("a.b.c.d"), QString("a.b.c.d"));
    }

    void privateIdsFollowTheCrossFleetFlag_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("crossFleet");
        QTest::addColumn<int>("message"); // 0: accepted
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("65535") << "65535" << false << 0;
        QTest::newRow("1") << "1" << false << 0;
        QTest::newRow("65536") << "65536" << false << int(UnitsMsg::OutOfRange);
        QTest::newRow("0") << "0" << false << int(UnitsMsg::OutOfRange);
        QTest::newRow("12*3 without cross-fleet") << "12*3" << false << int(UnitsMsg::OutOfRange);
        QTest::newRow("1*2*3") << "1*2*3" << true << 0;
        QTest::newRow("empty with cross-fleet") << "" << true << 0;
        QTest::newRow("1*2") << "1*2" << true << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("plain number with cross-fleet") << "300" << true << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("member 0") << "1*2*0" << true << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("urban too large") << "65536*2*3" << true << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("four parts") << "1*2*3*4" << true << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("empty part") << "1**3" << true << int(UnitsMsg::InvalidTrinum);
    }
    void privateIdsFollowTheCrossFleetFlag()
    {
        QFETCH(QString, id);
        QFETCH(bool, crossFleet);
        QFETCH(int, message);
        const CGridCheckResult r = CUnitRowRules::CheckPrivateId(id, crossFleet);
        QCOMPARE(r.ok, message == 0);
        QCOMPARE(r.messageId, message);
        if (message == UnitsMsg::OutOfRange)
            QCOMPARE(r.args, QStringList({"1", "65535"}));
    }

    void thePrivateIdGoesToTheCurrentNam()
    {
        QStringList row = CUnitsFixture::Row({{C::CurrentNam, "2"}, {C::DisplayPrivateId, "0"}, {20, "777"}});
        CUnitRowRules::SplitPrivateId(row);
        QCOMPARE(row[C::DisplayPrivateId - 1], QString());
        QCOMPARE(row[20 - 1], QString("0"));

        row = CUnitsFixture::Row({{C::CurrentNam, "0"}, {C::DisplayPrivateId, "4321"}});
        CUnitRowRules::SplitPrivateId(row);
        QCOMPARE(row[C::CurrentNam - 1], QString("1"));
        QCOMPARE(row[C::Nam1PrivateId - 1], QString("4321"));

        row = CUnitsFixture::Row({{C::CurrentNam, "3"}, {C::DisplayPrivateId, "11*22*33"}});
        CUnitRowRules::SplitPrivateId(row);
        QCOMPARE(row.mid(14, 3), QStringList({"11", "22", "33"}));
        QCOMPARE(row.mid(8, 6), QStringList(6, "0")); // NAM 1 and 2 untouched
    }

    void theModelKeyIsSplit()
    {
        int model = 0;
        QVERIFY(CUnitRowRules::ModelOfKey("105", model) && model == 105);
        QVERIFY(CUnitRowRules::ModelOfKey("-1#70#110", model) && model == 110);
        QVERIFY(!CUnitRowRules::ModelOfKey("-1", model));
        QVERIFY(!CUnitRowRules::ModelOfKey("", model));
        QVERIFY(!CUnitRowRules::ModelOfKey("-1#70", model));

        // A new unit takes the sub-release and release of its key, and the release's language.
        QStringList row = CUnitsFixture::Row({{C::ModelType, "-1#89#111"}});
        CUnitRowRules::SplitModelKey(row);
        QCOMPARE(row[C::ModelType - 1], QString("111"));
        QCOMPARE(row[C::SubReleaseId - 1], QString("1"));
        QCOMPARE(row[C::ReleaseId - 1], QString("89"));
        QCOMPARE(row[C::DefCallListLang - 1], QString("3"));

        // Fields that hold a value keep it (and the language with them).
        row = CUnitsFixture::Row({{C::ModelType, "-1#71#110"},
                                  {C::SubReleaseId, "4"},
                                  {C::ReleaseId, "70"},
                                  {C::DefCallListLang, "1"}});
        CUnitRowRules::SplitModelKey(row);
        QCOMPARE(row[C::ModelType - 1], QString("110"));
        QCOMPARE(row[C::SubReleaseId - 1], QString("4"));
        QCOMPARE(row[C::ReleaseId - 1], QString("70"));
        QCOMPARE(row[C::DefCallListLang - 1], QString("1"));
    }

    void rowChecksRefuseInTheirOrder_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("message");
        const QString imei15 = "351234567890123";
        QTest::newRow("no name, short IMEI")
            << CUnitsFixture::Row({{C::Imei, "1234"}}) << int(C::UserName) << int(UnitsMsg::UserNameMissing);
        QTest::newRow("14-digit IMEI")
            << CUnitsFixture::Row({{C::UserName, "A"}, {C::Imei, imei15.left(14)}, {C::ModelType, "105"}})
            << int(C::Imei) << int(UnitsMsg::ImeiTooShort);
        QTest::newRow("no model") << CUnitsFixture::Row({{C::UserName, "A"}, {C::Imei, imei15}})
                                  << int(C::ModelType) << int(UnitsMsg::ModelMissing);
        QTest::newRow("bad private id before bad address")
            << CUnitsFixture::Row({{C::UserName, "A"},
                                   {C::Imei, imei15},
                                   {C::ModelType, "105"},
                                   {C::DisplayPrivateId, "65536"},
                                   {C::IpAddress, "0.0.0.0"}})
            << int(C::DisplayPrivateId) << int(UnitsMsg::OutOfRange);
        QTest::newRow("cross-fleet id 1*2") << CUnitsFixture::Row({{C::UserName, "A"},
                                                                   {C::Imei, imei15},
                                                                   {C::ModelType, "105"},
                                                                   {C::CrossFleet, "1"},
                                                                   {C::DisplayPrivateId, "1*2"}})
                                            << int(C::DisplayPrivateId) << int(UnitsMsg::InvalidTrinum);
        QTest::newRow("bad address") << CUnitsFixture::Row({{C::UserName, "A"},
                                                            {C::Imei, imei15},
                                                            {C::ModelType, "105"},
                                                            {C::IpAddress, "224.1.1.1"}})
                                     << int(C::IpAddress) << int(UnitsMsg::InvalidIp);
        QTest::newRow("good, with an empty phone, fax and online id")
            << CUnitsFixture::Row({{C::UserName, "A"}, {C::Imei, imei15}, {C::ModelType, "-1#70#110"}}) << 0
            << 0;
    }
    void rowChecksRefuseInTheirOrder()
    {
        QFETCH(QStringList, row);
        QFETCH(int, column);
        QFETCH(int, message);
        const CUnitRowCheckResult r = CUnitRowChecks::Run(row, &CUnitsFixture::Rules());
        QCOMPARE(r.ok, column == 0);
        QCOMPARE(r.column, column);
        QCOMPARE(r.message.messageId, message);
    }

    // A refused check becomes the error the view shows: by id, or as its filled text when it has values.
    void refusalsBecomeErrorValues()
    {
        QVERIFY(!CGridCheckResult::Pass().Error());
        QVERIFY(!CGridCheckResult::FailSilently().Error());
        QCOMPARE(CGridCheckResult::Fail(UnitsMsg::ImeiTooShort).Error(),
                 CVelmoraError::Message(UnitsMsg::ImeiTooShort));
        const CGridCheckResult range = CUnitRowRules::CheckPrivateId(QStringLiteral("70000"), false);
        QVERIFY(!range.ok && !range.args.isEmpty());
        const CVelmoraError error = range.Error();
        QCOMPARE(error.GetKind(), CVelmoraError::Kind::Text);
        QCOMPARE(error.ToText(), range.Text());
        QVERIFY(error.ToText().contains(QStringLiteral("65535")));
    }

    void passingChecksNormaliseTheAddressAndSetTheSimVersion()
    {
        QStringList row = CUnitsFixture::Row({{C::UserName, "A"},
                                              {C::Imei, "351234567890123"},
                                              {C::ModelType, "70"},
                                              {C::IpAddress, "010.000.000.001"}});
        QVERIFY(CUnitRowChecks::Run(row, &CUnitsFixture::Rules()).ok);
        QCOMPARE(row[C::IpAddress - 1], QString("10.0.0.1"));
        QCOMPARE(row[C::SimVersion - 1], QString::number(CUnitsFixture::Rules().PhoneClassOf(70)));
    }

    // A new row takes its model's SIM version; a stored unit keeps the SIM kind read from its phone,
    // unless it has none.
    void theSimVersionOfANewRowComesFromItsModel()
    {
        const CModelRules& rules = CUnitsFixture::Rules();
        const QString ofModel = QString::number(rules.PhoneClassOf(10));
        QVERIFY(ofModel != QLatin1String("3"));
        QStringList row = CUnitsFixture::GoodRow();
        row[C::ModelType - 1] = "10";
        row[C::SimVersion - 1] = "3";
        const QStringList stored = row;

        QStringList typed = row;
        QVERIFY(CUnitRowChecks::Run(typed, &rules).ok);
        QCOMPARE(typed[C::SimVersion - 1], ofModel);

        QStringList edited = row;
        edited[C::UserName - 1] = "Renamed";
        QVERIFY(CUnitRowChecks::Run(edited, &rules, false, &stored).ok);
        QCOMPARE(edited[C::SimVersion - 1], QString("3"));

        edited[C::SimVersion - 1] = "";
        QVERIFY(CUnitRowChecks::Run(edited, &rules, false, &stored).ok);
        QCOMPARE(edited[C::SimVersion - 1], ofModel);
    }

    // A private id stored as the phone reported it does not hold its row back; once typed it is checked,
    // and so is a stored one whose cross-fleet flag changes.
    void aStoredPrivateIdIsCheckedOnlyWhenEdited()
    {
        QStringList row = CUnitsFixture::GoodRow();
        row[C::DisplayPrivateId - 1] = "70000";
        const QStringList stored = row;

        QStringList typed = row;
        QCOMPARE(CUnitRowChecks::Run(typed, nullptr).column, int(C::DisplayPrivateId));

        QStringList edited = row;
        edited[C::UserName - 1] = "Renamed";
        QVERIFY(CUnitRowChecks::Run(edited, nullptr, false, &stored).ok);
        QCOMPARE(edited[C::DisplayPrivateId - 1], QString("70000"));

        edited[C::DisplayPrivateId - 1] = "70001";
        CUnitRowCheckResult r = CUnitRowChecks::Run(edited, nullptr, false, &stored);
        QVERIFY(!r.ok);
        QCOMPARE(r.column, int(C::DisplayPrivateId));
        QCOMPARE(r.message.messageId, int(UnitsMsg::OutOfRange));

        edited[C::DisplayPrivateId - 1] = "7000";
        QVERIFY(CUnitRowChecks::Run(edited, nullptr, false, &stored).ok);

        edited[C::DisplayPrivateId - 1] = "70000";
        edited[C::CrossFleet - 1] = "1";
        r = CUnitRowChecks::Run(edited, nullptr, false, &stored);
        QCOMPARE(r.column, int(C::DisplayPrivateId));
        QCOMPARE(r.message.messageId, int(UnitsMsg::InvalidTrinum));
    }

    // A stored unit's address cell is read-only: an unreadable address does not block the row and is
    // kept as it is; a readable one is still normalised. A typed address is checked.
    void aStoredAddressNeverHoldsItsRowBack()
    {
        QStringList row = CUnitsFixture::GoodRow();
        row[C::IpAddress - 1] = "300.1.1.1";
        const QStringList stored = row;

        QStringList typed = row;
        const CUnitRowCheckResult r = CUnitRowChecks::Run(typed, nullptr, true);
        QCOMPARE(r.column, int(C::IpAddress));
        QCOMPARE(r.message.messageId, int(UnitsMsg::InvalidIp));

        QStringList edited = row;
        edited[C::UserName - 1] = "Renamed";
        QVERIFY(CUnitRowChecks::Run(edited, nullptr, false, &stored).ok);
        QCOMPARE(edited[C::IpAddress - 1], QString("300.1.1.1"));

        edited[C::IpAddress - 1] = "010.0.0.1";
        QVERIFY(CUnitRowChecks::Run(edited, nullptr, false, &stored).ok);
        QCOMPARE(edited[C::IpAddress - 1], QString("10.0.0.1"));
    }

    void trinumIdentities()
    {
        CTrinumId id;
        QVERIFY(CTrinumId::Parse("12*345*6789", id));
        QCOMPARE(id.ToString(), QString("12*345*6789"));
        QVERIFY(id.IsValid());
        QVERIFY(CTrinumId::IsValid("0*0*1"));
        QVERIFY(CTrinumId::IsValid("65535*65535*65535"));
        QVERIFY(!CTrinumId::IsValid("1*2*65536"));
        QVERIFY(!CTrinumId::IsValid("-1*2*3"));
        QVERIFY(!CTrinumId::IsValid("1*2*3 "));
        QVERIFY(!CTrinumId::IsValid("123456*2*3"));
    }

    void columnsFollowTheFieldsOfTheUnitTable()
    {
        QCOMPARE(C::FieldNames().size(), int(C::Count));
        QCOMPARE(C::FieldName(C::Imei), QString("unit_imei_num"));
        QCOMPARE(C::FieldName(C::IpAddress), QString("unit_ip_address"));
        QCOMPARE(C::FieldName(C::ReleaseId), QString("unit_prod_release_id"));
        QList<int> shown;
        for (int col = 1; col <= C::Count; ++col) {
            if (!C::HiddenAtStart(col))
                shown << col;
        }
        QCOMPARE(shown, QList<int>({1, 2, 3, 4, 8, 18, 23, 24}));
        QCOMPARE(C::Caption(C::FaxNum, "Fax"), QString("Fax Number"));
    }
};

VELMORA_TEST_MAIN(TestUnitRules)
#include "tst_unit_rules.moc"
