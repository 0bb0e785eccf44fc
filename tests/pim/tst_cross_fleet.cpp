// The PIM library's cross-fleet identity check: the three parts and their ranges, full and short forms.

#include "CCrossFleet.h"
#include "CTestEnvironment.h"

#include <QTest>

class TestCrossFleet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullIdentities_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("status");
        QTest::newRow("plain") << "1*2*3" << int(CCrossFleet::Valid);
        QTest::newRow("zero urban and fleet") << "0*0*1" << int(CCrossFleet::Valid);
        QTest::newRow("largest") << "65535*65535*65535" << int(CCrossFleet::Valid);
        QTest::newRow("leading zeros") << "00010*00020*00005" << int(CCrossFleet::Valid);
        QTest::newRow("urban too big") << "65536*1*1" << int(CCrossFleet::UrbanRange);
        QTest::newRow("fleet too big") << "1*65536*1" << int(CCrossFleet::FleetRange);
        QTest::newRow("member zero") << "1*2*0" << int(CCrossFleet::MemberRange);
        QTest::newRow("member too big") << "1*2*65536" << int(CCrossFleet::MemberRange);
        QTest::newRow("six digits") << "1*2*000005" << int(CCrossFleet::Malformed);
        QTest::newRow("two parts") << "1*2" << int(CCrossFleet::Malformed);
        QTest::newRow("four parts") << "1*2*3*4" << int(CCrossFleet::Malformed);
        QTest::newRow("empty part") << "1**3" << int(CCrossFleet::Malformed);
        QTest::newRow("sign") << "1*-2*3" << int(CCrossFleet::Malformed);
        QTest::newRow("blank") << "1* 2*3" << int(CCrossFleet::Malformed);
        QTest::newRow("empty") << "" << int(CCrossFleet::Malformed);
        QTest::newRow("arabic-indic digits")
            << QString::fromUtf8("1*2*\u0663") << int(CCrossFleet::Malformed);
    }
    void fullIdentities()
    {
        QFETCH(QString, id);
        QFETCH(int, status);
        QCOMPARE(CCrossFleet(10, 20, 0, 1).ValidateTrinumID(id, CCrossFleet::FullFormOnly), status);
        // The own ids play no part in a full identity.
        if (id.count(QLatin1Char('*')) == 2)
            QCOMPARE(CCrossFleet(0, 0, 0, 1).ValidateTrinumID(id, CCrossFleet::ShortForms), status);
    }

    void shortFormsTakeTheOwnIds()
    {
        const CCrossFleet own(10, 20, 0, 1);
        QCOMPARE(own.ValidateTrinumID(QStringLiteral("5"), CCrossFleet::ShortForms), int(CCrossFleet::Valid));
        QCOMPARE(own.ValidateTrinumID(QStringLiteral("30*5"), CCrossFleet::ShortForms),
                 int(CCrossFleet::Valid));
        QCOMPARE(own.ValidateTrinumID(QStringLiteral("5"), CCrossFleet::FullFormOnly),
                 int(CCrossFleet::Malformed));
        QCOMPARE(own.ValidateTrinumID(QStringLiteral("0"), CCrossFleet::ShortForms),
                 int(CCrossFleet::MemberRange));
        // A short form cannot borrow an own id that is no id.
        const CCrossFleet broken(70000, 20, 0, 1);
        QCOMPARE(broken.ValidateTrinumID(QStringLiteral("30*5"), CCrossFleet::ShortForms),
                 int(CCrossFleet::OwnIdsInvalid));
        QCOMPARE(broken.ValidateTrinumID(QStringLiteral("1*30*5"), CCrossFleet::ShortForms),
                 int(CCrossFleet::Valid));
    }

    void unknownFormatIsRefused()
    {
        QCOMPARE(CCrossFleet(10, 20, 0, 2).ValidateTrinumID(QStringLiteral("1*2*3"), 1),
                 int(CCrossFleet::Malformed));
    }
};

VELMORA_TEST_MAIN(TestCrossFleet)
#include "tst_cross_fleet.moc"
