#include "AgentApi.h"
#include "CListBlockCodec.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitListRows.h"
#include "CVelmoraDoc.h"
#include "PhoneMessageIds.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

const int Plain = 10; // no SIM, list block of call list type 0
const int Q700 = 70;  // SIM phone, lists on the SIM

using Kind = CListBlockLayout::ListKind;

QList<int> Ids()
{
    return CScriptedAnswerer::Instance().Ids();
}

int AgentText(int code)
{
    return 6000 - code;
}

bool Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    return query.exec();
}

// A changed name, an added entry and a removed private entry: what must reach the phone.
void EditLists(const QSqlDatabase& db, const QString& imei)
{
    QVERIFY(Exec(db,
                 "UPDATE unit_phone_details SET unit_name = 'Edited' WHERE unit_imei_num = ? AND "
                 "unit_speed_dial = 1",
                 {imei}));
    QVERIFY(Exec(db,
                 "INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
                 "unit_program_flag, unit_language) VALUES (?, 10, '5559999', 'Added', 1, 0)",
                 {imei}));
    QVERIFY(Exec(db, "DELETE FROM unit_private_details WHERE unit_imei_num = ? AND unit_loc_no = 1", {imei}));
}

QStringList Names(const QList<CListRow>& rows)
{
    QStringList names;
    for (const CListRow& row : rows)
        names << QString::number(row.number) + QLatin1Char(':') + row.name;
    return names;
}

// The fleet's phone book and NAM 1 private list against what a block holds.
void CompareWithFleet(const QSqlDatabase& db, const QString& imei, const CUnitListRows& phone)
{
    CUnitListRows fleet;
    QVERIFY(!fleet.Load(db, imei).IsError());
    QVERIFY(fleet.Count(Kind::PhoneBook) > 1);
    QCOMPARE(Names(phone.Of(Kind::PhoneBook)), Names(fleet.Of(Kind::PhoneBook)));
    QCOMPARE(Names(phone.Of(Kind::Private)), Names(fleet.Of(Kind::Private)));
    QVERIFY(Names(phone.Of(Kind::PhoneBook)).contains(QStringLiteral("1:Edited")));
    QVERIFY(Names(phone.Of(Kind::PhoneBook)).contains(QStringLiteral("10:Added")));
}

} // namespace

// What the user is told, and what reaches the phone, when the library answers a remark or "absent"
// where the phone commands used to take it for plain success, and when a read fails half-way.
class TestPhoneFaults : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    bool Read() { return CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()); }
    bool Write() { return CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()); }

    // A phone of the model (with a PIN on a SIM) read into a new fleet; its IMEI.
    QString PlugAndRead(int modelType, QString& name)
    {
        CPhonePresetOptions options;
        if (m_fx.Rules().PhoneClassOf(modelType) >= 2) {
            options.pin = QStringLiteral("1357");
            m_fx.Pin().script = QStringList(4, options.pin);
        }
        name = m_fx.Plug(modelType, options);
        if (!m_fx.NewFleet() || !Read())
            return QString();
        CScriptedAnswerer::Instance().Clear();
        return m_fx.Load(name).imei;
    }

    static void RemarkRows()
    {
        QTest::addColumn<int>("code");
        for (const int code : {AGENT_WARN_SKIPPED, AGENT_WARN_KEPT, AGENT_WARN_RESTART})
            QTest::addRow("%d", code) << code;
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void restartRemarkAfterProgrammingEndsTheWrite_data()
    {
        RemarkRows();
        QTest::addRow("cancelled") << int(AGENT_CANCELLED);
    }
    void restartRemarkAfterProgrammingEndsTheWrite()
    {
        QFETCH(int, code);
        QString name;
        const QString imei = PlugAndRead(Plain, name);
        QVERIFY(!imei.isEmpty());
        CVelmoraDoc* doc = m_fx.Host().active;
        QVERIFY(Exec(doc->Database(),
                     "UPDATE unit_details SET unit_user_name = 'Programmed' WHERE "
                     "unit_imei_num = ?",
                     {imei}));
        m_fx.AddFault(name, QStringLiteral("AgentResetPhone"), code, 1);
        QVERIFY(!Write());
        // The restart's own words (none for a cancel), never the programmed notice.
        const QList<int> told = code == AGENT_CANCELLED ? QList<int>{} : QList<int>{AgentText(code)};
        QCOMPARE(Ids(), told);
        QCOMPARE(m_fx.Host().statusTexts.last(), QString());
        QCOMPARE(m_fx.Host().depth, 0);
        // The phone was programmed before the restart.
        QCOMPARE(m_fx.Load(name).UserName(), QStringLiteral("Programmed"));
    }

    void restartRemarkAfterReadingIsShown_data() { RemarkRows(); }
    void restartRemarkAfterReadingIsShown()
    {
        QFETCH(int, code);
        const QString name = m_fx.Plug(Plain);
        m_fx.AddFault(name, QStringLiteral("AgentResetPhone"), code, 1);
        QVERIFY(Read());
        QCOMPARE(Ids(), QList<int>{AgentText(code)});
        QCOMPARE(CPhoneCommands::UnitCount(m_fx.Host().active->Database()), 1);
        QCOMPARE(m_fx.Host().unitsShown, 1);
    }

    void absentListBlockIsFilledFromTheUnit()
    {
        QString name;
        const QString imei = PlugAndRead(Plain, name);
        QVERIFY(!imei.isEmpty());
        const QSqlDatabase db = m_fx.Host().active->Database();
        EditLists(db, imei);
        m_fx.AddFault(name, QStringLiteral("AgentReadLists"), AGENT_ABSENT, 1);
        QVERIFY(Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Programmed)});
        const CVirtualPhone phone = m_fx.Load(name);
        const CUnitListRows written = CListBlockCodec::Decode(
            phone.codeplug.ListBlock(), CListBlockLayout::Regions(phone.codeplug.Layout()), false);
        CompareWithFleet(db, imei, written);
    }

    void absentSimBlockIsFilledFromTheUnit()
    {
        QString name;
        const QString imei = PlugAndRead(Q700, name);
        QVERIFY(!imei.isEmpty());
        const QSqlDatabase db = m_fx.Host().active->Database();
        EditLists(db, imei);
        const QByteArray before = m_fx.Load(name).sim.block;
        m_fx.AddFault(name, QStringLiteral("AgentReadSimBlock"), AGENT_ABSENT, 1);
        QVERIFY(Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Programmed)});
        const QByteArray after = m_fx.Load(name).sim.block;
        QCOMPARE(after.size(), before.size());
        CompareWithFleet(db, imei, CListBlockCodec::Decode(after, CListBlockLayout::SimRegions(), false));
    }

    void failedPackedItemEndsTheReadWithItsText_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("told");
        QTest::addRow("first") << 17 << int(AGENT_READ_FAILED) << QList<int>{AgentText(AGENT_READ_FAILED)};
        QTest::addRow("8-bit") << 47 << int(AGENT_NO_ANSWER) << QList<int>{AgentText(AGENT_NO_ANSWER)};
        QTest::addRow("last") << 129 << int(AGENT_READ_FAILED) << QList<int>{AgentText(AGENT_READ_FAILED)};
        QTest::addRow("cancelled") << 47 << int(AGENT_CANCELLED) << QList<int>{};
    }
    void failedPackedItemEndsTheReadWithItsText()
    {
        QFETCH(int, item);
        QFETCH(int, code);
        QFETCH(QList<int>, told);
        const QString name = m_fx.Plug(Plain);
        m_fx.AddFault(name, QStringLiteral("item:%1").arg(item), code);
        CVelmoraDoc* doc = m_fx.NewFleet();
        QVERIFY(doc);
        QVERIFY(!Read());
        QCOMPARE(Ids(), told);
        // Nothing of the phone reached the fleet, and the read did not go on to show it.
        QCOMPARE(CPhoneCommands::UnitCount(doc->Database()), 0);
        QCOMPARE(m_fx.Host().unitsShown, 0);
        QCOMPARE(m_fx.Host().depth, 0);
    }
};

VELMORA_TEST_MAIN(TestPhoneFaults)
#include "tst_phone_faults.moc"
