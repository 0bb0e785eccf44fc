// The grid's logic: range lists, masks, cell checks, sort keys and the list model.

#include "CGridCellCheck.h"
#include "CGridListType.h"
#include "CGridSortKey.h"
#include "CRangeParser.h"
#include "CTarnMasks.h"
#include "CTestEnvironment.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraWrap.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

CGridSettings Settings()
{
    CGridSettings s;
    s.capacities.phoneBook = 15;
    s.capacities.privateList = {15, 0, 0};
    s.capacities.talkgroups = {15, 0, 0};
    s.capacities.scanList = {30, 5, 5};
    s.capacities.statusMessages = {10, 5, 5};
    s.callListTypeChoices = QStringLiteral("Mobile\t0\nPrivate ID\t1\nTalkgroup\t7\n");
    return s;
}

QStringList Column(const CVelmoraGridModel& m, int col)
{
    QStringList values;
    for (int r = 1; r <= m.RowCount(); ++r)
        values << m.Value(r, col);
    return values;
}

void Fill(CVelmoraGridModel& m, int col, const QStringList& values)
{
    m.SetRowCount(int(values.size()));
    for (int r = 1; r <= values.size(); ++r)
        m.SetValue(r, col, values[r - 1]);
}

} // namespace

Q_DECLARE_METATYPE(CGridCellStyle)

class TestGridLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangeListsInCharacterMode()
    {
        const CRangeParser dial(QStringLiteral("0-9,#,*"), CRangeParser::CharacterMode);
        QVERIFY(dial.Contains(QLatin1Char('5')));
        QVERIFY(dial.Contains(QLatin1Char('#')));
        QVERIFY(!dial.Contains(QLatin1Char('+')));
        QVERIFY(dial.ContainsAll(QStringLiteral("12#*")));
        QVERIFY(!dial.ContainsAll(QStringLiteral("12+")));

        const CRangeParser names(QStringLiteral("0-9, ,A-Z,a-z"), CRangeParser::CharacterMode);
        QVERIFY(names.ContainsAll(QStringLiteral("Team 7 b")));
        QVERIFY(!names.ContainsAll(QStringLiteral("Team-7")));

        // Malformed lists accept nothing; an empty list everything.
        for (const QString& bad : {QStringLiteral("9-0"), QStringLiteral("a;b"), QStringLiteral("0-9,,#"),
                                   QStringLiteral("ab"), QStringLiteral("0-9,")}) {
            const CRangeParser p(bad, CRangeParser::CharacterMode);
            QVERIFY2(p.IsMalformed(), qPrintable(bad));
            QVERIFY2(!p.Contains(QLatin1Char('5')) && !p.Contains(QLatin1Char('a')), qPrintable(bad));
            QVERIFY(!p.ContainsAll(QStringLiteral("0")));
        }
        const CRangeParser empty(QString(), CRangeParser::CharacterMode);
        QVERIFY(empty.ContainsAll(QStringLiteral("any text +#")));

        // At most 99 items: a list of 100 or more is malformed.
        QStringList items;
        for (int i = 0; i < 99; ++i)
            items << QString(QChar(u'A' + i % 26));
        QVERIFY(!CRangeParser(items.join(QLatin1Char(',')), CRangeParser::CharacterMode).IsMalformed());
        items << QStringLiteral("z");
        QVERIFY(CRangeParser(items.join(QLatin1Char(',')), CRangeParser::CharacterMode).IsMalformed());
    }

    void rangeListsInNumberModeAndWalking()
    {
        CRangeParser p(QStringLiteral("1-100"), CRangeParser::NumberMode);
        QVERIFY(p.Contains(100));
        QVERIFY(!p.Contains(101));
        QVERIFY(!p.Contains(0));
        QList<qint64> walked;
        qint64 v = 0;
        for (bool more = p.First(v); more; more = p.Next(v))
            walked << v;
        QCOMPARE(walked.size(), 100);
        QCOMPARE(walked.first(), 1);
        QCOMPARE(walked.last(), 100);

        CRangeParser mixed(QStringLiteral("10-11,3,5-6"), CRangeParser::NumberMode);
        walked.clear();
        for (bool more = mixed.First(v); more; more = mixed.Next(v))
            walked << v;
        QCOMPARE(walked, (QList<qint64>{10, 11, 3, 5, 6}));
        qint64 low = 0, high = 0;
        QVERIFY(mixed.Bounds(low, high));
        QCOMPARE(low, 3);
        QCOMPARE(high, 11);

        for (const QString& bad :
             {QStringLiteral("100-1"), QStringLiteral("1-x"), QStringLiteral("1;5"), QStringLiteral("-5")}) {
            CRangeParser b(bad, CRangeParser::NumberMode);
            QVERIFY2(b.IsMalformed(), qPrintable(bad));
            QVERIFY(!b.Contains(1) && !b.Contains(5));
            QVERIFY(!b.First(v));
        }
        QVERIFY(CRangeParser(QString(), CRangeParser::NumberMode).ContainsNumber(QStringLiteral("99999")));
    }

    void masksAcceptAndStoreByMaskCharacter()
    {
        QCOMPARE(CTarnMasks(QStringLiteral("HH")).Apply(QStringLiteral("a")), QStringLiteral("A"));
        QCOMPARE(CTarnMasks(QStringLiteral("HH")).Apply(QStringLiteral("g9f")), QStringLiteral("9F"));
        QCOMPARE(CTarnMasks(QStringLiteral("L")).Apply(QStringLiteral("Q")), QStringLiteral("q"));
        QCOMPARE(CTarnMasks(QStringLiteral("UU")).Apply(QStringLiteral("a1b")), QStringLiteral("AB"));
        QCOMPARE(CTarnMasks(QStringLiteral("###")).Apply(QStringLiteral("1a2b3c4")), QStringLiteral("123"));
        QCOMPARE(CTarnMasks(QStringLiteral("BBB")).Apply(QStringLiteral("0121")), QStringLiteral("011"));
        QCOMPARE(CTarnMasks(QStringLiteral("??A&")).Apply(QStringLiteral("x1yz5!")), QStringLiteral("xyz5"));

        // Literals fill themselves in; a literal typed early closes the group.
        const CTarnMasks ip(QStringLiteral("###.###.###.###"));
        QCOMPARE(ip.Apply(QStringLiteral("192168")), QStringLiteral("192.168"));
        QCOMPARE(ip.Apply(QStringLiteral("10.0.0.1"), QLatin1Char('_')), QStringLiteral("10_.0__.0__.1"));
        QCOMPARE(ip.StripLiterals(QStringLiteral("192.168.001.002")), QStringLiteral("192168001002"));
        QCOMPARE(ip.Format(QStringLiteral("192168001002")), QStringLiteral("192.168.001.002"));
        QCOMPARE(ip.Format(QStringLiteral("1")), QStringLiteral("1  .   .   .   "));
    }

    void maskScaleAndDefault()
    {
        CTarnMasks m(QStringLiteral("#####"));
        QCOMPARE(m.DisplayValue(QString()), QStringLiteral("0"));
        QCOMPARE(m.DisplayValue(QStringLiteral("7")), QStringLiteral("7"));
        m.SetScale(1000);
        m.SetDefault(-1);
        QCOMPARE(m.DisplayValue(QString()), QStringLiteral("-1"));
        QCOMPARE(m.DisplayValue(QStringLiteral("30")), QStringLiteral("30000"));
        QCOMPARE(m.StoredValue(QStringLiteral("30000")), QStringLiteral("30"));
        QCOMPARE(m.StoredValue(QString()), QString());
        // The shown value is the phone's unsigned 32-bit number.
        QCOMPARE(m.DisplayValue(QStringLiteral("4294968")), QStringLiteral("704"));
    }

    void dialStringRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("plus first") << QStringLiteral("+12") << 0;
        QTest::newRow("all characters") << QStringLiteral("0123456789*#oP") << 0;
        QTest::newRow("plus inside") << QStringLiteral("1+2") << 1819;
        QTest::newRow("two plus") << QStringLiteral("++1") << 1820;
        QTest::newRow("letter") << QStringLiteral("12a") << 1847;
        QTest::newRow("blank") << QStringLiteral("12 3") << 1847;
        QTest::newRow("20 digits") << QString(20, QLatin1Char('9')) << 0;
        QTest::newRow("21 digits") << QString(21, QLatin1Char('9')) << 1821;
        QTest::newRow("plus and 25 digits") << (QStringLiteral("+") + QString(25, QLatin1Char('1'))) << 0;
    }

    void dialStringRule()
    {
        QFETCH(QString, text);
        QFETCH(int, message);
        const CGridCheckResult r = CGridCellCheck::DialString(text);
        QCOMPARE(r.ok, message == 0);
        QCOMPARE(r.messageId, message);
        if (message == 1821) {
            QCOMPARE(r.args, QStringList{QStringLiteral("20")});
            QVERIFY(r.Text().contains(QStringLiteral("20")));
        }
    }

    void cellChecksOfTheListColumns_data()
    {
        QTest::addColumn<int>("listType");
        QTest::addColumn<bool>("crossFleet");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("args");
        using L = CGridListType;
        const QStringList none;
        QTest::newRow("private 300") << int(L::PrivateList) << false << 2 << "300" << 0 << none;
        QTest::newRow("private 65535") << int(L::PrivateList) << false << 2 << "65535" << 0 << none;
        QTest::newRow("private 65536")
            << int(L::PrivateList) << false << 2 << "65536" << 1645 << QStringList{"1", "65535"};
        QTest::newRow("private 0") << int(L::PrivateList) << false << 2 << "0" << 1645
                                   << QStringList{"1", "65535"};
        QTest::newRow("private star")
            << int(L::PrivateList) << false << 2 << "10*5" << 1413 << QStringList{"0-9"};
        QTest::newRow("private trinum") << int(L::PrivateList) << true << 2 << "10*20*5" << 0 << none;
        QTest::newRow("private trinum letter")
            << int(L::PrivateList) << true << 2 << "10*a" << 1413 << QStringList{"0-9,*"};
        QTest::newRow("talkgroup 255") << int(L::TgCallList) << false << 2 << "255" << 0 << none;
        QTest::newRow("talkgroup 256")
            << int(L::TgCallList) << false << 2 << "256" << 1645 << QStringList{"1", "255"};
        QTest::newRow("talkgroup hash")
            << int(L::TgCallList) << false << 2 << "#" << 1645 << QStringList{"1", "255"};
        QTest::newRow("talkgroup empty") << int(L::TgCallList) << false << 2 << "" << 0 << none;
        QTest::newRow("scan 0") << int(L::TgScanList) << false << 2 << "0" << 7100 << none;
        QTest::newRow("scan 256") << int(L::TgScanList) << false << 2 << "256" << 7100 << none;
        QTest::newRow("scan 255") << int(L::TgScanList) << false << 2 << "255" << 0 << none;
        QTest::newRow("scan empty") << int(L::TgScanList) << false << 2 << "" << 0 << none;
        QTest::newRow("status 0") << int(L::SmsMsg) << false << 2 << "0" << 7100 << none;
        QTest::newRow("status 256") << int(L::SmsMsg) << false << 2 << "256" << 7100 << none;
        QTest::newRow("status 1") << int(L::SmsMsg) << false << 2 << "1" << 0 << none;
        QTest::newRow("phone +12") << int(L::PhoneList) << false << 2 << "+12" << 0 << none;
        QTest::newRow("phone 1+2") << int(L::PhoneList) << false << 2 << "1+2" << 1819 << none;
        QTest::newRow("phone ++1") << int(L::PhoneList) << false << 2 << "++1" << 1820 << none;
        QTest::newRow("phone 21 digits")
            << int(L::PhoneList) << false << 2 << QString(21, QLatin1Char('1')) << 1821 << QStringList{"20"};
        QTest::newRow("phone letter")
            << int(L::PhoneList) << false << 2 << "12x" << 1413 << QStringList{"0-9,#,*,o,+,P"};
        QTest::newRow("name anything") << int(L::PhoneList) << false << 1 << "O'Brien %1" << 0 << none;
        QTest::newRow("tg header id")
            << int(L::TgHeader) << false << 2 << "Ops-1" << 1413 << QStringList{"0-9, ,A-Z,a-z"};
    }

    void cellChecksOfTheListColumns()
    {
        QFETCH(int, listType);
        QFETCH(bool, crossFleet);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(int, message);
        QFETCH(QStringList, args);
        CVelmoraGridModel m(listType, 0, Settings());
        m.SetCrossFleet(crossFleet);
        m.SetRowCount(2);
        const CGridCheckResult r = m.CheckCell(1, col, text);
        QCOMPARE(r.ok, message == 0);
        QCOMPARE(r.messageId, message);
        QCOMPARE(r.args, args);
        if (message)
            QVERIFY(!r.Text().isEmpty() && !r.Text().contains(QStringLiteral("%1")));
    }

    void rangeEditChecksInOrder()
    {
        CGridCellStyle s;
        s.minLength = 3;
        s.validChars = QStringLiteral("0-9");
        s.minValue = 100;
        s.maxValue = 500;
        s.dialString = true;
        QCOMPARE(CGridCellCheck::RangeEdit(s, QStringLiteral("x")).messageId, 1412);
        QCOMPARE(CGridCellCheck::RangeEdit(s, QStringLiteral("x")).args, QStringList{QStringLiteral("3")});
        QCOMPARE(CGridCellCheck::RangeEdit(s, QStringLiteral("12x")).messageId, 1413);
        QCOMPARE(CGridCellCheck::RangeEdit(s, QStringLiteral("099")).messageId, 1645);
        QCOMPARE(CGridCellCheck::RangeEdit(s, QStringLiteral("501")).args,
                 (QStringList{QStringLiteral("100"), QStringLiteral("500")}));
        QVERIFY(CGridCellCheck::RangeEdit(s, QStringLiteral("500")).ok);
        s.maxValue.reset(); // without a maximum the value is not checked; the dial rule still is
        s.validChars.clear();
        QVERIFY(CGridCellCheck::RangeEdit(s, QStringLiteral("99999")).ok);
        QCOMPARE(CGridCellCheck::RangeEdit(s, QString(22, QLatin1Char('1'))).messageId, 1821);
    }

    void numberFormatCell()
    {
        CGridCellStyle s;
        s.control = CGridCellStyle::NumFmt;
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("abc"), {}, false).ok); // no range: passes
        s.formatType = 1;
        QVERIFY(CGridCellCheck::NumFmt(s, QString(), {}, false).ok);
        const CGridCheckResult silent = CGridCellCheck::NumFmt(s, QStringLiteral("1a"), {}, false);
        QVERIFY(!silent.ok);
        QCOMPARE(silent.messageId, 0);
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("100"), {}, false).ok);
        QCOMPARE(CGridCellCheck::NumFmt(s, QStringLiteral("101"), {}, false).messageId, 1645);
        QCOMPARE(CGridCellCheck::NumFmt(s, QStringLiteral("7"), {QStringLiteral("7")}, true).messageId, 7101);
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("7"), {QStringLiteral("7")}, false).ok);
        s.formatType = 2;
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("65535"), {}, false).ok);
        s.validChars = QStringLiteral("1-9,20-29"); // the cell's own list wins over the type's
        QCOMPARE(CGridCellCheck::NumFmt(s, QStringLiteral("15"), {}, false).messageId, 7103);
        s.validChars.clear();
        s.formatType = 4;
        s.ipAttr = true;
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("192168001001"), {}, false).ok);
        QVERIFY(CGridCellCheck::NumFmt(s, QStringLiteral("192.168.001.001"), {}, false).ok);
        QCOMPARE(CGridCellCheck::NumFmt(s, QStringLiteral("192300001001"), {}, false).messageId, 7102);
        QCOMPARE(CGridCellCheck::NumFmt(s, QStringLiteral("19x168001001"), {}, false).messageId, 7102);
    }

    void ipAddressCell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("all zero") << QStringLiteral("000000000000") << true;
        QTest::newRow("all zero dotted") << QStringLiteral("000.000.000.000") << true;
        QTest::newRow("224 first") << QStringLiteral("224000000001") << false;
        QTest::newRow("224 dotted") << QStringLiteral("224.000.000.001") << false;
        QTest::newRow("223") << QStringLiteral("223255255255") << true;
        QTest::newRow("256 last") << QStringLiteral("010000000256") << false;
        QTest::newRow("zero first") << QStringLiteral("000000000001") << false;
        QTest::newRow("short groups") << QStringLiteral("10.0.0.1") << true;
        QTest::newRow("three parts") << QStringLiteral("10.0.1") << false;
        QTest::newRow("letters") << QStringLiteral("1a0000000001") << false;
    }

    void ipAddressCell()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        const CGridCheckResult r = CGridCellCheck::IpCell(text);
        QCOMPARE(r.ok, ok);
        if (!ok) {
            QCOMPARE(r.messageId, 1679);
            QVERIFY(!r.Text().contains(QStringLiteral("%1")));
        }
    }

    void sortKeys()
    {
        QCOMPARE(CGridSortKey::TextKey(QString()), QStringLiteral("zzzzzzzzzzzzzzzzzzzzzzzzzzzzz"));
        QCOMPARE(CGridSortKey::TextKey(QStringLiteral("Ann")), QStringLiteral("Ann"));
        QCOMPARE(CGridSortKey::TextKey(QStringLiteral("\u05D0")), QStringLiteral(" 9"));
        QCOMPARE(CGridSortKey::TextKey(QStringLiteral("\u05D1\u05EA")), QStringLiteral(" AZ"));
        QCOMPARE(CGridSortKey::TextKey(QStringLiteral("A\u05D1\u05D0")), QStringLiteral("AA9"));
        QCOMPARE(CGridSortKey::NumericKey(QStringLiteral("-1")),
                 QStringLiteral("9999999999999999999999999999"));
        QCOMPARE(CGridSortKey::NumericKey(QString()), CGridSortKey::NumericKey(QStringLiteral("-1")));
    }

    void sortingMovesWholeRowsEmptyLast()
    {
        CVelmoraGridModel m(CGridListType::PhoneList, 0, Settings());
        const QString avi = QStringLiteral("\u05D0\u05D1\u05D9"),
                      david = QStringLiteral("\u05D3\u05D5\u05D3");
        Fill(m, 1,
             {QStringLiteral("zed"), QString(), david, QStringLiteral("Ann"), avi, QStringLiteral("bob")});
        for (int r = 1; r <= m.RowCount(); ++r)
            m.SetValue(r, 2, QString::number(r));
        m.SortRows(1);
        QCOMPARE(Column(m, 1), (QStringList{avi, david, QStringLiteral("Ann"), QStringLiteral("bob"),
                                            QStringLiteral("zed"), QString()}));
        QCOMPARE(Column(m, 2), (QStringList{"5", "3", "4", "6", "1", "2"}));
        m.SortRows(1, Qt::DescendingOrder);
        QCOMPARE(Column(m, 1).last(), QString());
        QCOMPARE(Column(m, 1).first(), QStringLiteral("zed"));

        CVelmoraGridModel ids(CGridListType::PrivateList, 0, Settings());
        Fill(ids, 2, {QStringLiteral("300"), QString(), QStringLiteral("20"), QStringLiteral("1000")});
        ids.SortRows(2);
        QCOMPARE(Column(ids, 2), (QStringList{"20", "300", "1000", ""}));
        ids.SetCrossFleet(true);
        Fill(ids, 2, {QStringLiteral("10*5"), QStringLiteral("9*70"), QStringLiteral("10*20*5")});
        ids.SortRows(2);
        QCOMPARE(Column(ids, 2), (QStringList{"9*70", "10*5", "10*20*5"}));
    }

    void capacitiesAndInsertion()
    {
        CVelmoraGridModel phone(CGridListType::PhoneList, 0, Settings());
        QSignalSpy inserted(&phone, &CVelmoraGridModel::GridRowsInserted);
        phone.SetRowCount(14);
        QCOMPARE(inserted.count(), 0); // loading is not an insertion
        QVERIFY(phone.CanAppendRow());
        QVERIFY(phone.InsertGridRows(15));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(phone.RowCount(), 15);
        QVERIFY(!phone.InsertGridRows(16));
        QVERIFY(!phone.CanAppendRow());
        QCOMPARE(phone.RowCount(), 15);
        QCOMPARE(inserted.count(), 1);
        QVERIFY(!phone.InsertGridRows(1, 0));

        // Per-NAM capacity: talkgroups of NAM 2 hold nothing on this model.
        CVelmoraGridModel tg(CGridListType::TgCallList, 0, Settings());
        tg.SetNam(2);
        QCOMPARE(tg.RowCapacity(), 0);
        QVERIFY(!tg.InsertGridRows(1));
        tg.SetNam(1);
        QVERIFY(tg.InsertGridRows(1, 15));
        QVERIFY(!tg.InsertGridRows(16));

        CVelmoraGridModel consol(CGridListType::ConsolCallList, 0, Settings());
        consol.SetRowCount(249);
        QVERIFY(consol.InsertGridRows(250));
        QVERIFY(!consol.InsertGridRows(251));
        QCOMPARE(consol.Value(250, 3), QStringLiteral("-1")); // the number type's initial value

        // Lists that never insert, and lists that insert but do not grow by Tab.
        for (int type :
             {CGridListType::CopyUserInfo, CGridListType::AutoFillGrid, CGridListType::ChoosePhoneGrid,
              CGridListType::LoadSmsGrid, CGridListType::AlderErgoList}) {
            CVelmoraGridModel m(type, 0, Settings());
            m.SetRowCount(3);
            QVERIFY2(!m.InsertGridRows(4), qPrintable(m.Name()));
            QVERIFY(!m.CanAppendRow());
            QCOMPARE(m.RowCount(), 3);
        }
        for (int type : {CGridListType::DisplayUnitGrid, CGridListType::PhoneBookGrid}) {
            CVelmoraGridModel m(type, 0, Settings());
            QVERIFY(m.InsertGridRows(1, 300));
            QVERIFY2(!m.CanAppendRow(), qPrintable(m.Name()));
        }
        CVelmoraGridModel users(CGridListType::TgUser, 0, Settings());
        QVERIFY(users.InsertGridRows(1, 1000));
        QVERIFY(users.CanAppendRow());
    }

    void listTypesAndTheirTexts()
    {
        for (int type = CGridListType::FirstType; type <= CGridListType::LastType; ++type) {
            QCOMPARE(CGridListType::FromName(CGridListType::Name(type)), type);
            const QList<CGridCellStyle> cols = CGridListType::Columns(type, 0, false);
            for (int c = 0; c < cols.size(); ++c) {
                if (cols[c].captionId)
                    QVERIFY2(
                        !CVelmoraWrap::LoadString(cols[c].captionId).isEmpty(),
                        qPrintable(QStringLiteral("%1 column %2").arg(CGridListType::Name(type)).arg(c)));
            }
        }
        QCOMPARE(CGridListType::FromName(QStringLiteral("NO_SUCH_LIST")), 0);
        for (int id : {7100, 7101, 7102, 7103})
            QVERIFY(!CVelmoraWrap::LoadString(id).isEmpty());

        // Auto-fill shows the private id, the phone number or both by sub-mode.
        QVERIFY(CGridListType::Columns(CGridListType::AutoFillGrid, 2, false)[5].hidden);
        QVERIFY(!CGridListType::Columns(CGridListType::AutoFillGrid, 2, false)[4].hidden);
        QVERIFY(CGridListType::Columns(CGridListType::AutoFillGrid, 1, false)[4].hidden);
        QVERIFY(!CGridListType::Columns(CGridListType::AutoFillGrid, 3, false)[4].hidden);
        QVERIFY(!CGridListType::Columns(CGridListType::AutoFillGrid, 3, false)[5].hidden);
    }

    void modelRolesFollowTheStyles()
    {
        CVelmoraGridModel m(CGridListType::ConsolCallList, 0, Settings());
        m.SetRowCount(2);
        m.SetValue(1, 3, QStringLiteral("7"));
        QCOMPARE(m.data(m.index(0, 2)).toString(), QStringLiteral("Talkgroup"));
        QCOMPARE(m.data(m.index(0, 2), Qt::EditRole).toString(), QStringLiteral("7"));
        QCOMPARE(m.data(m.index(1, 2)).toString(), QString());   // "-1": no type yet
        QVERIFY(!(m.flags(m.index(0, 3)) & Qt::ItemIsEditable)); // record number is read-only
        QVERIFY(m.flags(m.index(0, 0)) & Qt::ItemIsEditable);
        QCOMPARE(m.data(m.index(0, 3), Qt::BackgroundRole).value<QColor>(), QColor(255, 251, 240));
        QCOMPARE(m.data(m.index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 192));
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), CVelmoraWrap::LoadString(1737));
        QCOMPARE(m.headerData(4, Qt::Vertical).toString(), QString()); // no such row
        QCOMPARE(m.headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));

        CVelmoraGridModel chooser(CGridListType::ChoosePhoneGrid, 0, Settings());
        chooser.SetRowCount(1);
        QVERIFY(!chooser.data(chooser.index(0, 1), Qt::ForegroundRole).isValid()); // not blue

        CVelmoraGridModel phone(CGridListType::PhoneList, 0, Settings());
        phone.SetRowCount(1);
        QCOMPARE(phone.Value(1, 3), QStringLiteral("0"));
        QCOMPARE(phone.data(phone.index(0, 2), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(phone.setData(phone.index(0, 2), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(phone.Value(1, 3), QStringLiteral("1"));
        QVERIFY(phone.flags(phone.index(0, 2)) & Qt::ItemIsUserCheckable);
    }

    void refusedTextWritesNothing()
    {
        CVelmoraGridModel m(CGridListType::TgCallList, 0, Settings());
        m.SetRowCount(1);
        m.SetValue(1, 2, QStringLiteral("12"));
        QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
        QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("256")));
        QCOMPARE(m.Value(1, 2), QStringLiteral("12"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m.LastRefusal().messageId, 1645);
        QVERIFY(m.setData(m.index(0, 1), QStringLiteral("255")));
        QCOMPARE(m.Value(1, 2), QStringLiteral("255"));

        // The owner's cell and row checks.
        m.SetCellValidator([](int, int col, const QString& text) {
            return col == 1 && text.startsWith(QLatin1Char('x')) ? CGridCheckResult::Fail(1701)
                                                                 : CGridCheckResult::Pass();
        });
        QVERIFY(!m.setData(m.index(0, 0), QStringLiteral("xray")));
        QCOMPARE(m.LastRefusal().messageId, 1701);
        QVERIFY(m.CheckRow(1).ok);
        m.SetRowValidator([&m](int row) {
            return m.Value(row, 1).isEmpty() ? CGridCheckResult::Fail(1777) : CGridCheckResult::Pass();
        });
        QCOMPARE(m.CheckRow(1).messageId, 1777);
    }

    void scaledNumberCells()
    {
        CVelmoraGridModel m(CGridListType::AlderErgoList, 0, Settings());
        m.SetRowCount(2);
        CGridCellStyle s;
        s.control = CGridCellStyle::NumFmt;
        s.scale = 1000;
        s.defaultValue = 10;
        m.SetCellStyle(1, 2, s);
        QCOMPARE(m.data(m.index(0, 1)).toString(), QStringLiteral("10"));
        QVERIFY(m.setData(m.index(0, 1), QStringLiteral("5000")));
        QCOMPARE(m.Value(1, 2), QStringLiteral("5"));
        QCOMPARE(m.data(m.index(0, 1)).toString(), QStringLiteral("5000"));
        // Row 2 keeps the column's own style.
        QVERIFY(m.setData(m.index(1, 1), QStringLiteral("5000")));
        QCOMPARE(m.Value(2, 2), QStringLiteral("5000"));

        CGridCellStyle ip;
        ip.control = CGridCellStyle::IpEdit;
        m.SetCellStyle(2, 2, ip);
        QVERIFY(!m.setData(m.index(1, 1), QStringLiteral("224000000001")));
        QCOMPARE(m.LastRefusal().messageId, 1679);
        QVERIFY(m.setData(m.index(1, 1), QStringLiteral("010000000001")));
        QCOMPARE(m.data(m.index(1, 1)).toString(), QStringLiteral("010.000.000.001"));
    }

    void markAllAndPushButtons()
    {
        CVelmoraGridModel m(CGridListType::TgScanList, 0, Settings());
        Fill(m, 2, {QStringLiteral("5"), QString(), QStringLiteral("7")});
        m.MarkAll(3, 2, true);
        QCOMPARE(Column(m, 3), (QStringList{"1", "0", "1"}));
        m.MarkAll(3, 2, false);
        QCOMPARE(Column(m, 3), (QStringList{"0", "0", "0"}));

        m.SetPushButtons(1, 2);
        QVERIFY(m.IsPushButton(1, 1));
        QVERIFY(!m.IsPushButton(2, 1));
        QCOMPARE(m.data(m.index(2, 0)).toString(), QStringLiteral("3"));
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
        // A button is centred whatever its column's style says; a row without one keeps the style.
        const Qt::Alignment leading = Qt::AlignLeading | Qt::AlignVCenter;
        QVERIFY(!m.ColumnStyle(1).centred);
        QCOMPARE(m.data(m.index(2, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(m.data(m.index(1, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(), leading);
        m.SetPushButtons(1, 0);
        QVERIFY(!m.IsPushButton(1, 1));
    }

    void rowMovesAndDrops()
    {
        CVelmoraGridModel m(CGridListType::PhoneList, 0, Settings());
        Fill(m, 1, {"a", "b", "c", "d", "e"});
        QVERIFY(m.MoveGridRows({1}, 4));
        QCOMPARE(Column(m, 1), (QStringList{"b", "c", "a", "d", "e"}));
        QVERIFY(m.MoveGridRows({2, 4}, 6));
        QCOMPARE(Column(m, 1), (QStringList{"b", "a", "e", "c", "d"}));
        QVERIFY(!m.MoveGridRows({9}, 1));

        // Dragged on a row, rows take its place, whichever way they go.
        std::unique_ptr<QMimeData> down(m.mimeData({m.index(0, 0), m.index(0, 1)}));
        QVERIFY(m.dropMimeData(down.get(), Qt::MoveAction, -1, -1, m.index(2, 0)));
        QCOMPARE(Column(m, 1), (QStringList{"a", "e", "b", "c", "d"}));
        std::unique_ptr<QMimeData> up(m.mimeData({m.index(4, 0)}));
        QVERIFY(m.dropMimeData(up.get(), Qt::MoveAction, -1, -1, m.index(1, 0)));
        QCOMPARE(Column(m, 1), (QStringList{"a", "d", "e", "b", "c"}));

        // Rows of another grid are offered, not moved.
        CVelmoraGridModel other(CGridListType::PhoneList, 0, Settings());
        Fill(other, 1, {"x", "y"});
        QSignalSpy foreign(&m, &CVelmoraGridModel::ForeignRowsDropped);
        std::unique_ptr<QMimeData> theirs(other.mimeData({other.index(1, 0)}));
        QVERIFY(m.dropMimeData(theirs.get(), Qt::MoveAction, -1, -1, m.index(0, 0)));
        QCOMPARE(foreign.count(), 1);
        QCOMPARE(foreign[0][0].toULongLong(), other.GridId());
        QCOMPARE(foreign[0][1].value<QList<int>>(), QList<int>{2});
        QCOMPARE(Column(m, 1), (QStringList{"a", "d", "e", "b", "c"}));
        QCOMPARE(Column(other, 1), (QStringList{"x", "y"}));
    }

    void modelsPassTheModelTester()
    {
        for (int type = CGridListType::FirstType; type <= CGridListType::LastType; ++type) {
            CVelmoraGridModel m(type, 0, Settings());
            QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
            m.SetRowCount(8);
            for (int r = 1; r <= 8; ++r) {
                for (int c = 1; c <= m.ColCount(); ++c)
                    m.SetValue(r, c, QString::number((r * 7 + c) % 5));
            }
            m.insertRows(2, 2);
            m.removeRows(0, 1);
            m.sort(0);
            m.moveRows(QModelIndex(), 0, 2, QModelIndex(), 5);
            m.MoveGridRows({1, 3}, 6);
            m.SetColCount(m.ColCount() + 2);
            m.SetColCount(m.ColCount() - 3);
            m.SetCrossFleet(true);
            m.SetRowCount(2);
            m.SetRowCount(0);
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(m.Name()));
        }
    }
};

VELMORA_TEST_MAIN(TestGridLogic)
#include "tst_grid_logic.moc"
