// Phone texts in the phone's code page: the converter itself, list blocks, and Hebrew, French and mixed
// names written to bench phones of Hebrew and Latin models and read back.

#include "AgentApi.h"
#include "CListBlockCodec.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CPhoneTextCodec.h"
#include "CProcessPhone.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"
#include "CodeplugItemIds.h"
#include "PhoneMessageIds.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

using Page = CPhoneTextCodec::CodePage;
using Kind = CListBlockLayout::ListKind;

QString U(const char* text)
{
    return QString::fromUtf8(text);
}

CVelmoraError Refusal(const char* character, Page page)
{
    return CVelmoraError::Message(CPhoneTextCodec::MsgCharacterNotInCodePage,
                                  {U(character), QString::number(int(page))});
}

bool Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    return query.exec();
}

// The texts of one column of a unit's list table, by the order column.
QStringList Names(const QSqlDatabase& db, const QString& table, const QString& column, const QString& order,
                  const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE unit_imei_num = ? ORDER BY %3").arg(column, table, order));
    query.addBindValue(imei);
    QStringList names;
    if (query.exec()) {
        while (query.next())
            names << query.value(0).toString();
    }
    return names;
}

QString UserName(const QSqlDatabase& db, const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT unit_user_name FROM unit_details WHERE unit_imei_num = ?"));
    query.addBindValue(imei);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

// The names a test gives a unit's list rows: table, name column, order column, then per row the name
// and the language recorded with it.
struct ListNames
{
    QString table;
    QString column;
    QString order;
    QList<QPair<QString, int>> rows;
};

} // namespace

Q_DECLARE_METATYPE(QList<ListNames>)

class TestPhoneTexts : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;
    QString m_phone; // the bench phone of the test

    // A phone of the model (with the release given, or its first) read into a new fleet.
    CVelmoraDoc* PlugAndRead(int modelType, int release, QString& imei)
    {
        CPhonePresetOptions options;
        options.release = release;
        if (m_fx.Rules().PhoneClassOf(modelType) >= 2) {
            options.pin = QStringLiteral("1357");
            m_fx.Pin().script = QStringList(6, options.pin);
        }
        m_phone = m_fx.Plug(modelType, options);
        imei = m_fx.Load(m_phone).imei;
        CVelmoraDoc* doc = m_fx.NewFleet();
        if (!doc || !CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()))
            return nullptr;
        return doc;
    }

    bool Write()
    {
        return CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All());
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void eachPageCarriesItsTextsThere_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("Hebrew") << int(CPhoneTextCodec::Hebrew) << U("שלום")
                                << QByteArray("\xf9\xec\xe5\xed");
        QTest::addRow("mixed Hebrew")
            << int(CPhoneTextCodec::Hebrew) << U("דני 5") << QByteArray("\xe3\xf0\xe9 5");
        QTest::addRow("French") << int(CPhoneTextCodec::Latin) << U("Zoé Ça")
                                << QByteArray("Zo\xe9 \xc7"
                                              "a");
        QTest::addRow("euro sign") << int(CPhoneTextCodec::Latin) << U("5€") << QByteArray("5\x80");
        QTest::addRow("euro sign, Hebrew page")
            << int(CPhoneTextCodec::Hebrew) << U("5€") << QByteArray("5\x80");
    }
    void eachPageCarriesItsTextsThere()
    {
        QFETCH(int, page);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const CPhoneTextCodec codec{Page(page)};
        QByteArray encoded;
        QCOMPARE(codec.Encode(text, encoded), CVelmoraError());
        QCOMPARE(encoded, bytes);
        QCOMPARE(codec.Decode(encoded), text);
        QVERIFY(codec.Refused(text).isEmpty());
    }

    // Nothing is replaced: the text is refused with its first character the page lacks, a character
    // outside the basic plane named whole.
    void aCharacterThePageLacksIsRefusedByName()
    {
        const CPhoneTextCodec latin(CPhoneTextCodec::Latin);
        const CPhoneTextCodec hebrew(CPhoneTextCodec::Hebrew);
        QByteArray bytes("left over");
        QCOMPARE(latin.Encode(U("Dan שלום"), bytes), Refusal("ש", CPhoneTextCodec::Latin));
        QVERIFY(bytes.isEmpty());
        QCOMPARE(hebrew.Encode(U("שלום Zoé"), bytes), Refusal("é", CPhoneTextCodec::Hebrew));
        QCOMPARE(hebrew.Check(U("Ab😀c")), Refusal("😀", CPhoneTextCodec::Hebrew));
        QCOMPARE(latin.Check(U("Жанна")), Refusal("Ж", CPhoneTextCodec::Latin));
        QVERIFY(latin.Check(U("O'Brien")) == CVelmoraError());
        QVERIFY(!Refusal("ש", CPhoneTextCodec::Latin).ToText().isEmpty());
        QVERIFY(Refusal("ש", CPhoneTextCodec::Latin).ToText().contains(U("ש")));
    }

    // The entry's language, then the unit's, then the interface's.
    void theLanguageTheFleetRecordsChoosesThePage()
    {
        QCOMPARE(CPhoneTextCodec::PageOf(3, CPhoneTextCodec::Latin), CPhoneTextCodec::Hebrew);
        QCOMPARE(CPhoneTextCodec::PageOf(0, CPhoneTextCodec::Hebrew), CPhoneTextCodec::Latin);
        QCOMPARE(CPhoneTextCodec::PageOf(1, CPhoneTextCodec::Hebrew), CPhoneTextCodec::Latin);
        QCOMPARE(CPhoneTextCodec::PageOf(2, CPhoneTextCodec::Hebrew), CPhoneTextCodec::Hebrew);
        QCOMPARE(CPhoneTextCodec::PageOf(255, CPhoneTextCodec::Latin), CPhoneTextCodec::Latin);
        QCOMPARE(CPhoneTextCodec::ForUnit(3, false).Page(), CPhoneTextCodec::Hebrew);
        QCOMPARE(CPhoneTextCodec::ForUnit(0, true).Page(), CPhoneTextCodec::Latin);
        QCOMPARE(CPhoneTextCodec::ForUnit(2, true).Page(), CPhoneTextCodec::Hebrew);
        QCOMPARE(CPhoneTextCodec::ForUnit(2, false).Page(), CPhoneTextCodec::Latin);
        // Lists that keep no language on the phone follow the unit, whatever the row says.
        using Format = CListBlockLayout::Format;
        QCOMPARE(CListBlockCodec::CodecFor(Format::SimPhoneBook, 1, CPhoneTextCodec::Hebrew).Page(),
                 CPhoneTextCodec::Latin);
        QCOMPARE(CListBlockCodec::CodecFor(Format::PhoneBook, 1, CPhoneTextCodec::Hebrew).Page(),
                 CPhoneTextCodec::Hebrew);
    }

    // SIM lists keep each entry's language, so Hebrew and French names share a block; a list block
    // without languages takes the unit's page and refuses what it cannot hold.
    void listBlocksCarryNamesInTheirEntrysPage()
    {
        const QList<CListBlockLayout::Region> sim = CListBlockLayout::SimRegions();
        CUnitListRows rows;
        const QList<QPair<QString, int>> names = {{U("שלום"), 3}, {U("Zoé"), 1}, {U("דני Cohen"), 3}};
        for (int i = 0; i < names.size(); ++i) {
            CListRow row;
            row.kind = Kind::PhoneBook;
            row.nam = 1;
            row.number = i + 1;
            row.name = names[i].first;
            row.language = names[i].second;
            row.phone = QStringLiteral("555%1").arg(i);
            rows.rows << row;
        }
        CWriteFlags flags;
        flags.phoneBook = true;
        QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
        QCOMPARE(CListBlockCodec::Encode(block, sim, rows, flags, false, CPhoneTextCodec::Latin),
                 CVelmoraError());
        const QList<CListRow> back =
            CListBlockCodec::Decode(block, sim, false, CPhoneTextCodec::Latin).Of(Kind::PhoneBook);
        QCOMPARE(back.size(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(back[i].name, names[i].first);
            QCOMPARE(back[i].language, names[i].second);
        }

        const auto plain = CListBlockLayout::Regions(CListBlockLayout::LayoutFor(1, false));
        QByteArray listBlock(CListBlockLayout::BlockSize(CListBlockLayout::LayoutFor(1, false)), '\0');
        rows.rows.removeAt(1);
        QCOMPARE(CListBlockCodec::Encode(listBlock, plain, rows, flags, false, CPhoneTextCodec::Hebrew),
                 CVelmoraError());
        const QList<CListRow> plainBack =
            CListBlockCodec::Decode(listBlock, plain, false, CPhoneTextCodec::Hebrew).Of(Kind::PhoneBook);
        QCOMPARE(plainBack.size(), 2);
        QCOMPARE(plainBack[0].name, U("שלום"));
        QCOMPARE(plainBack[1].name, U("דני Cohen"));
        QCOMPARE(CListBlockCodec::Encode(listBlock, plain, rows, flags, false, CPhoneTextCodec::Latin),
                 Refusal("ש", CPhoneTextCodec::Latin));
    }

    void namesReachThePhoneAndComeBack_data()
    {
        QTest::addColumn<int>("modelType");
        QTest::addColumn<int>("release");
        QTest::addColumn<QString>("userName");
        QTest::addColumn<int>("userPage");
        QTest::addColumn<QList<ListNames>>("lists");
        const QString book = QStringLiteral("unit_phone_details");
        const QString talkgroups = QStringLiteral("unit_tg_details");
        const QString consolidated = QStringLiteral("unit_consolid_call_list");
        // An Alder phone with Hebrew menus: its consolidated SIM list keeps each entry's language.
        QTest::addRow("Hebrew Alder")
            << 110 << 70 << U("דני כהן") << int(CPhoneTextCodec::Hebrew)
            << QList<ListNames>{{consolidated,
                                 "unit_name",
                                 "unit_rec_num",
                                 {{U("שלום"), 3}, {U("Zoé Çà"), 1}, {U("דני Cohen"), 3}}}};
        // A phone whose list block keeps no languages: its names are all in its Hebrew page.
        QTest::addRow("Hebrew lists")
            << 90 << 39 << U("רונית Levi") << int(CPhoneTextCodec::Hebrew)
            << QList<ListNames>{{book, "unit_name", "unit_speed_dial", {{U("שלום"), 3}, {U("דני Cohen"), 3}}},
                                {talkgroups, "unit_tg_name", "unit_loc_no", {{U("צוות א"), 3}}}};
        QTest::addRow("Latin")
            << 10 << -1 << U("Zoë Ménard") << int(CPhoneTextCodec::Latin)
            << QList<ListNames>{
                   {book, "unit_name", "unit_speed_dial", {{U("François"), 0}, {U("Æsa Øre 5€"), 0}}},
                   {talkgroups, "unit_tg_name", "unit_loc_no", {{U("Équipe à"), 0}}}};
    }
    void namesReachThePhoneAndComeBack()
    {
        QFETCH(int, modelType);
        QFETCH(int, release);
        QFETCH(QString, userName);
        QFETCH(int, userPage);
        QFETCH(QList<ListNames>, lists);
        QString imei;
        CVelmoraDoc* doc = PlugAndRead(modelType, release, imei);
        QVERIFY(doc);
        const QSqlDatabase db = doc->Database();
        QVERIFY(
            Exec(db, "UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?", {userName, imei}));
        for (const ListNames& list : lists) {
            QVERIFY2(list.rows.size() <= Names(db, list.table, list.column, list.order, imei).size(),
                     qPrintable(list.table));
            const QStringList orders = Names(db, list.table, list.order, list.order, imei);
            for (int i = 0; i < list.rows.size(); ++i) {
                QVERIFY(
                    Exec(db,
                         QStringLiteral("UPDATE %1 SET %2 = ?, unit_language = ? WHERE unit_imei_num = ? AND "
                                        "%3 = ?")
                             .arg(list.table, list.column, list.order),
                         {list.rows[i].first, list.rows[i].second, imei, orders[i]}));
            }
        }
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(Write());
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{int(PhoneMsg::Programmed)});

        // The phone holds the name in its page's bytes, not question marks.
        QByteArray expected;
        QCOMPARE(CPhoneTextCodec(Page(userPage)).Encode(userName, expected), CVelmoraError());
        const CVirtualPhone written = m_fx.Load(m_phone); // the item points into it
        const CCodeplugItem* item = written.codeplug.Find(CodeplugItem::UserName, 0);
        QVERIFY(item);
        QVERIFY(item->bytes.startsWith(expected));

        m_fx.Pin().script = QStringList(2, QStringLiteral("1357"));
        const auto again = m_fx.Read();
        QVERIFY(again);
        QCOMPARE(UserName(again->Database(), imei), userName);
        for (const ListNames& list : lists) {
            const QStringList back = Names(again->Database(), list.table, list.column, list.order, imei);
            for (int i = 0; i < list.rows.size(); ++i)
                QCOMPARE(back.value(i), list.rows[i].first);
        }
    }

    // A fleet made elsewhere may hold a name the phone cannot show: the write stops with the message
    // naming the character, and the phone keeps its name.
    void aNameThePhoneCannotHoldStopsTheWrite()
    {
        QString imei;
        CVelmoraDoc* doc = PlugAndRead(10, -1, imei);
        QVERIFY(doc);
        const QByteArray before = m_fx.Load(m_phone).codeplug.Find(CodeplugItem::UserName, 0)->bytes;
        QVERIFY(Exec(doc->Database(), "UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                     {U("Dan דני"), imei}));
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{CPhoneTextCodec::MsgCharacterNotInCodePage});
        QCOMPARE(m_fx.Load(m_phone).codeplug.Find(CodeplugItem::UserName, 0)->bytes, before);
    }

    // SIM lists go after the codeplug is programmed, so their names are checked first: a Hebrew entry
    // name with a French letter leaves the codeplug and the SIM as they were.
    void aSimNameThePhoneCannotHoldStopsTheWriteBeforeProgramming()
    {
        QString imei;
        CVelmoraDoc* doc = PlugAndRead(110, 70, imei);
        QVERIFY(doc);
        const CVirtualPhone before = m_fx.Load(m_phone);
        QVERIFY(Exec(
            doc->Database(),
            "UPDATE unit_consolid_call_list SET unit_name = ?, unit_language = 3 WHERE unit_imei_num = ? "
            "AND unit_rec_num = (SELECT MIN(unit_rec_num) FROM unit_consolid_call_list WHERE "
            "unit_imei_num = ?)",
            {U("שלום Zoé"), imei, imei}));
        QVERIFY(Exec(doc->Database(), "UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                     {U("דני"), imei}));
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{CPhoneTextCodec::MsgCharacterNotInCodePage});
        const CVirtualPhone after = m_fx.Load(m_phone);
        QVERIFY(after.codeplug == before.codeplug);
        QCOMPARE(after.sim.block, before.sim.block);
    }
};

VELMORA_TEST_MAIN(TestPhoneTexts)
#include "tst_phone_texts.moc"
