// Private ids of the private-call list: how stored ids are shown and typed ids read, with cross-fleet
// on (short forms over the unit's own urban and fleet) and off (the member alone).

#include "CPrivateIdForm.h"
#include "CTestEnvironment.h"

#include <QTest>

using Id = CPrivateIdForm::Id;

class TestPrivateIds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedIdsWithOwnIds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("urban");
        QTest::addColumn<int>("fleet");
        QTest::addColumn<int>("member");
        QTest::addColumn<QString>("shown");
        QTest::newRow("member") << "5" << 10 << 20 << 5 << "5";
        QTest::newRow("other fleet") << "30*5" << 10 << 30 << 5 << "30*5";
        QTest::newRow("own fleet typed") << "20*5" << 10 << 20 << 5 << "5";
        QTest::newRow("all own") << "10*20*5" << 10 << 20 << 5 << "5";
        QTest::newRow("own urban, other fleet") << "10*30*5" << 10 << 30 << 5 << "30*5";
        QTest::newRow("other urban") << "40*30*5" << 40 << 30 << 5 << "40*30*5";
        // The fleet stays in the short form of a foreign urban: "40*5" would be fleet 40.
        QTest::newRow("other urban, own fleet") << "40*20*5" << 40 << 20 << 5 << "40*20*5";
        QTest::newRow("blanks around") << " 7 " << 10 << 20 << 7 << "7";
    }
    void typedIdsWithOwnIds()
    {
        QFETCH(QString, typed);
        QFETCH(int, urban);
        QFETCH(int, fleet);
        QFETCH(int, member);
        QFETCH(QString, shown);
        const CPrivateIdForm form(true, 10, 20);
        const CPrivateIdForm::Reading reading = form.Read(typed);
        QVERIFY(!reading.error.Stops());
        QCOMPARE(reading.id, (Id{urban, fleet, member}));
        QCOMPARE(reading.shortForm, shown);
        // What is stored shows as it was typed back, and reads back as the same id.
        QCOMPARE(form.Display(reading.id), shown);
        QCOMPARE(form.Read(form.Display(reading.id)).id, reading.id);
    }

    void invalidCrossFleetIds()
    {
        const CPrivateIdForm form(true, 10, 20);
        for (const char* typed :
             {"1*2*3*4", "0", "*5", "5*", "1**5", "x", "", "65536", "1*65536*5", "123456"}) {
            const CPrivateIdForm::Reading reading = form.Read(QString::fromLatin1(typed));
            QVERIFY2(reading.error.Stops(), typed);
            QCOMPARE(reading.error.Id(), int(CPrivateIdForm::MsgInvalidTrinum));
        }
    }

    void storedIdsShownShort()
    {
        const CPrivateIdForm form(true, 10, 20);
        QCOMPARE(form.Display({10, 20, 5}), QStringLiteral("5"));
        QCOMPARE(form.Display({0, 0, 5}), QStringLiteral("5")); // stored before cross-fleet was on
        QCOMPARE(form.Display({0, 30, 5}), QStringLiteral("30*5"));
        QCOMPARE(form.Display({10, 30, 5}), QStringLiteral("30*5"));
        QCOMPARE(form.Display({40, 20, 5}), QStringLiteral("40*20*5"));
        QCOMPARE(form.Display({40, 0, 5}), QStringLiteral("40*0*5"));
    }

    void withoutCrossFleet()
    {
        const CPrivateIdForm form(false, 10, 20);
        QCOMPARE(form.OwnUrban(), 0); // own ids count only with cross-fleet
        QCOMPARE(form.Display({10, 30, 5}), QStringLiteral("5"));
        const CPrivateIdForm::Reading ok = form.Read(QStringLiteral("65535"));
        QVERIFY(!ok.error.Stops());
        QCOMPARE(ok.id, (Id{0, 0, 65535}));
        for (const char* typed : {"0", "65536", "1*2*3", "", "-1"}) {
            const CPrivateIdForm::Reading refused = form.Read(QString::fromLatin1(typed));
            QCOMPARE(refused.error.Id(), 1645);
            QCOMPARE(refused.error.Args(), (QStringList{QStringLiteral("1"), QStringLiteral("65535")}));
        }
    }
};

VELMORA_TEST_MAIN(TestPrivateIds)
#include "tst_private_ids.moc"
