#include "AgentApi.h"
#include "CBenchFixture.h"
#include "CModelCatalogue.h"
#include "CPhoneBench.h"
#include "CPhoneTool.h"
#include "CResourceStrings.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "CodeplugItemIds.h"
#include "PhoneToolMessageIds.h"
#include "PhoneToolText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QtTest>

namespace {

struct Expect
{
    int id;
    int width;
    int count; // 0: any
};

// Items every phone is read and written through, with the widths the program reads them with.
const Expect CommonItems[] = {{1, 1, 5},   {3, 1, 0},   {5, 1, 0},   {6, 1, 7},  {8, 2, 1},  {9, 2, 1},
                              {10, 1, 1},  {30, 1, 1},  {33, 1, 0},  {34, 1, 0}, {35, 1, 0}, {40, 1, 5},
                              {114, 1, 4}, {115, 1, 0}, {123, 2, 1}, {13, 1, 1}, {15, 1, 1}, {17, 2, 1},
                              {18, 1, 0},  {20, 1, 1},  {21, 2, 1},  {22, 2, 1}, {23, 1, 1}, {28, 4, 1},
                              {29, 2, 1},  {46, 2, 1},  {47, 1, 1},  {50, 2, 1}, {52, 1, 1}, {53, 1, 1},
                              {61, 1, 1},  {113, 4, 1}, {124, 1, 1}, {129, 2, 1}};

// Item offset (d - 1) of style setting s, as the styles are read.
const int StyleD[26] = {2,  4, 14, 23, 25, 15, 24, 5,  5,  6,  6,  11, 12,
                        12, 7, 9,  8,  13, 1,  16, 17, 18, 19, 20, 21, 22};

bool LuhnValid(const QString& digits)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i) {
        int d = digits.at(digits.size() - 1 - i).digitValue();
        if (i % 2 == 1)
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return sum % 10 == 0;
}

} // namespace

class TestPhoneBench : public QObject
{
    Q_OBJECT

private:
    CBenchFixture m_fx;
    CModelCatalogue m_catalogue;

    QString AppDb() const { return CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraDB.vdf"); }
    QString Carrier() const { return CTestEnvironment::ProgramFolder() + QStringLiteral("/Carrier.ini"); }
    int Tool(const QStringList& args, QString* output = nullptr);
    // The tool as the command line runs it: no folders given but those in args, the language of the
    // settings. out and err are kept apart.
    static int PlainTool(const QStringList& args, QString& out, QString& err);
    void CheckPhone(const CPhoneModelFacts& facts, const CVirtualPhone& phone);

private Q_SLOTS:
    void initTestCase();
    void init() { m_fx.Start(); }
    void cleanupTestCase() { AgentCloseLink(); }

    void catalogueFamilies();
    void everyShippedModelGetsACompletePreset();
    void presetPhonesWorkThroughTheLibrary();
    void releaseAndCrossFleetChooseTheLayout();
    void presetChoicesAreChecked();
    void imeisOfTheBench();
    void toolBuildsABenchOfEveryModel();
    void toolChangesPhones();
    void toolListsBackups();
    void toolWorksBeforeTheFirstStart();
    void toolSpeaksTheLanguageOfTheSettings();
};

void TestPhoneBench::initTestCase()
{
    QString why;
    QVERIFY2(m_catalogue.Load(AppDb(), Carrier(), &why), qPrintable(why));
    QVERIFY(!m_catalogue.Models().isEmpty());
}

int TestPhoneBench::Tool(const QStringList& args, QString* output)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    CPhoneTool tool(o, e);
    const int rc = tool.Run(QStringList{QStringLiteral("--bench"), m_fx.Bench(), QStringLiteral("--appdb"),
                                        AppDb(), QStringLiteral("--carrier"), Carrier()} +
                            args);
    o.flush();
    e.flush();
    if (output)
        *output = out + err;
    return rc;
}

int TestPhoneBench::PlainTool(const QStringList& args, QString& out, QString& err)
{
    out.clear();
    err.clear();
    QTextStream o(&out), e(&err);
    CPhoneTool tool(o, e);
    tool.SetUseSettingsLanguage(true);
    const int rc = tool.Run(args);
    o.flush();
    e.flush();
    return rc;
}

void TestPhoneBench::catalogueFamilies()
{
    QCOMPARE(CModelCatalogue::InList(QStringLiteral("#105#110#"), 110), true);
    QCOMPARE(CModelCatalogue::InList(QStringLiteral("#105#110#"), 10), false);
    int sub = 0, release = 0, model = 0;
    QVERIFY(CModelCatalogue::ParseSubModel(QStringLiteral("-2#71#110"), sub, release, model));
    QCOMPARE(QList<int>({sub, release, model}), QList<int>({2, 71, 110}));
    QVERIFY(!CModelCatalogue::ParseSubModel(QStringLiteral("2#71"), sub, release, model));

    // The carrier settings decide the family: one of each is shipped.
    QSet<int> classes;
    for (const CPhoneModelFacts& facts : m_catalogue.Models())
        classes.insert(facts.phoneClass);
    QCOMPARE(classes, QSet<int>({1, 2, 3}));
    QString why;
    CModelCatalogue broken;
    QVERIFY(!broken.Load(AppDb(), Carrier() + QStringLiteral(".missing"), &why));
    QVERIFY(!broken.Load(AppDb() + QStringLiteral(".missing"), Carrier(), &why));
}

void TestPhoneBench::CheckPhone(const CPhoneModelFacts& facts, const CVirtualPhone& phone)
{
    const QByteArray model = facts.name.toUtf8();
    auto expect = [&](int id, int bank, int width, int count) {
        const CCodeplugItem* item = phone.codeplug.Find(id, bank);
        QVERIFY2(item,
                 qPrintable(QStringLiteral("%1: item %2 bank %3 missing").arg(facts.name).arg(id).arg(bank)));
        QVERIFY2(
            item->width == width,
            qPrintable(QStringLiteral("%1: item %2 is %3-bit").arg(facts.name).arg(id).arg(item->width * 8)));
        if (count > 0)
            QVERIFY2(
                item->count == count,
                qPrintable(
                    QStringLiteral("%1: item %2 has %3 elements").arg(facts.name).arg(id).arg(item->count)));
    };
    for (const Expect& e : CommonItems)
        expect(e.id, 0, e.width, e.count);
    QCOMPARE(int(phone.codeplug.Value(CodeplugItem::ModelType)), facts.modelType);

    const int release = phone.Release();
    const int type = (facts.modelType == 90 && release == 39) ? 8 : facts.callListType;
    const int nams = (type == 3 || type == 7) ? 1 : 3;
    expect(CodeplugItem::PrivateIds, 0, 1, 6 * nams);
    for (int id = 64; id <= 72; ++id) {
        if (facts.crossFleetCapable)
            expect(id, 0, 4, 1);
    }

    const bool sim = facts.phoneClass >= 2 || type == 7;
    QCOMPARE(phone.sim.slot, sim);
    if (sim) {
        expect(CodeplugItem::SimNumber, 1, 1, 21);
        for (int id = 119; id <= 121; ++id)
            expect(id, 1, 4, 1);
        expect(CodeplugItem::SimIpAddress, 1, 1, 4);
        QCOMPARE(phone.sim.block.size(), int(AGENT_SIM_BLOCK_SIZE));
    }

    if (facts.phoneClass == 3) {
        expect(CodeplugItem::ShortcutCount, 0, 1, 1);
        expect(CodeplugItem::ShortcutValues, 0, 4, 0);
        QVERIFY(phone.codeplug.Find(CodeplugItem::ShortcutValues, 0)->count >= 20);
        for (int id = CodeplugItem::FirstQuickNote; id < CodeplugItem::FirstQuickNote + 10; ++id)
            expect(id, 0, 1, 0);
        for (int id = CodeplugItem::LeftKey; id <= CodeplugItem::PowerUpApp; ++id)
            expect(id, 0, 4, 1);
        for (int style = 0; style <= 10; ++style) {
            for (int s = 0; s <= 25; ++s) {
                if (style == 0 && s == 0)
                    continue;
                const int d = (style == 10 && s == 13) ? 22 : StyleD[s];
                expect(CodeplugItem::FirstStyle + CodeplugItem::StyleStride * style + d - 1, 0,
                       s == 18 ? 4 : 1, s == 0 || s == 18 ? 0 : 1);
            }
        }
        QVERIFY(!phone.codeplug.Find(CodeplugItem::FirstStyle + 1, 0)); // style 0 has no name
    } else {
        QVERIFY2(!phone.codeplug.Find(CodeplugItem::ShortcutCount, 0) &&
                     !phone.codeplug.Find(CodeplugItem::FirstStyle + 1, 0),
                 model.constData());
    }

    // The list block of the model's layout; cross-fleet as the program decides it.
    const int structure = phone.StructureVersion();
    const bool crossFleet =
        facts.crossFleetCapable && (facts.crossFleetCPVersion == 0 || facts.crossFleetCPVersion == structure);
    const AgentListOperations* ops = AgentListOperationsFor(type, crossFleet);
    if (type == 7) {
        QVERIFY(!ops);
        QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::None);
    } else {
        QVERIFY2(ops, model.constData());
        QCOMPARE(phone.codeplug.ListBlock().size(), ops->blockSize);
    }
}

void TestPhoneBench::everyShippedModelGetsACompletePreset()
{
    int checked = 0;
    for (const CPhoneModelFacts& facts : m_catalogue.Models()) {
        CVirtualPhone phone;
        QString why;
        QVERIFY2(CPhonePreset::Build(facts, {}, phone, &why),
                 qPrintable(facts.name + QStringLiteral(": ") + why));
        CheckPhone(facts, phone);
        if (QTest::currentTestFailed())
            return;
        // A model with sub-models is made as one of them, so the program supports it.
        if (!facts.subModels.isEmpty()) {
            bool listed = false;
            for (const CPhoneModelFacts::SubModel& s : facts.subModels)
                listed =
                    listed || (s.release == phone.Release() && 'A' + s.subRelease - 1 == phone.subRelease);
            QVERIFY2(listed, qPrintable(facts.name));
        }
        ++checked;
    }
    QCOMPARE(checked, m_catalogue.Models().size());
}

void TestPhoneBench::presetPhonesWorkThroughTheLibrary()
{
    QCOMPARE(AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0), int(AGENT_SUCCESS));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    for (const CPhoneModelFacts& facts : m_catalogue.Models()) {
        const QString name = CPhoneTool::FileNameFor(facts.name);
        m_fx.Make(name, facts);
        QVERIFY(m_fx.Connect(name));
        QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
        const CVirtualPhone phone = m_fx.Load(name);
        const bool crossFleet =
            facts.crossFleetCapable &&
            (facts.crossFleetCPVersion == 0 || facts.crossFleetCPVersion == phone.StructureVersion());
        if (const AgentListOperations* ops = AgentListOperationsFor(facts.callListType, crossFleet)) {
            QByteArray block(ops->blockSize, '\0');
            QCOMPARE(ops->read(reinterpret_cast<uint8_t*>(block.data())), int(AGENT_SUCCESS));
            QCOMPARE(ops->write(reinterpret_cast<const uint8_t*>(block.constData())), int(AGENT_SUCCESS));
        } else {
            QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
            QCOMPARE(AgentReadSimBlock(1, nullptr, reinterpret_cast<uint8_t*>(block.data()), 1),
                     int(AGENT_SUCCESS));
        }
        QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    }
    QCOMPARE(QDir(backups).entryList(QDir::Files).size(), m_catalogue.Models().size());
}

void TestPhoneBench::releaseAndCrossFleetChooseTheLayout()
{
    const CPhoneModelFacts* c90 = m_catalogue.Find(90);
    QVERIFY(c90);
    CVirtualPhone phone;
    QString why;
    QVERIFY(CPhonePreset::Build(*c90, {}, phone, &why));
    QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::LayoutFor(c90->callListType, false));
    CPhonePresetOptions r39;
    r39.release = 39;
    QVERIFY(CPhonePreset::Build(*c90, r39, phone, &why));
    QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::L8);
    QCOMPARE(phone.Release(), 39);

    // One version cross-fleet: the preset picks it, or avoids it when asked.
    CPhoneModelFacts oneVersion = CBenchFixture::CrossFleet(14, 0, 0x12);
    QVERIFY(CPhonePreset::Build(oneVersion, {}, phone, &why));
    QCOMPARE(phone.StructureVersion(), 0x12);
    QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::L0X);
    CPhonePresetOptions plain;
    plain.crossFleet = false;
    QVERIFY(CPhonePreset::Build(oneVersion, plain, phone, &why));
    QVERIFY(phone.StructureVersion() != 0x12);
    QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::L0);
    QVERIFY(phone.codeplug.Find(CodeplugItem::CrossFleetUrban,
                                0)); // the model still has the cross-fleet identity items

    // Every version cross-fleet: there is no other codeplug.
    QVERIFY(!CPhonePreset::Build(CBenchFixture::CrossFleet(12, 0, 0), plain, phone, &why));
    QVERIFY(CPhonePreset::Build(CBenchFixture::CrossFleet(40, 4, 0), {}, phone, &why));
    QCOMPARE(phone.codeplug.Layout(), CListBlockLayout::L4X);
}

void TestPhoneBench::presetChoicesAreChecked()
{
    CVirtualPhone phone;
    QString why;
    CPhonePresetOptions o;
    o.pin = QStringLiteral("12a4");
    QVERIFY(!CPhonePreset::Build(CBenchFixture::Q700(), o, phone, &why));
    o.pin = QStringLiteral("123");
    QVERIFY(!CPhonePreset::Build(CBenchFixture::Q700(), o, phone, &why));
    o = {};
    o.simStatus = 2; // asks for a PIN it does not have
    QVERIFY(!CPhonePreset::Build(CBenchFixture::Q700(), o, phone, &why));
    o = {};
    o.imei = QStringLiteral("350100000000011"); // an ordinary phone reports a final 0
    QVERIFY(!CPhonePreset::Build(CBenchFixture::Plain(), o, phone, &why));
    QVERIFY(CPhonePreset::Build(CBenchFixture::Q700(), o, phone, &why));
    o = {};
    o.subRelease = 27;
    QVERIFY(!CPhonePreset::Build(CBenchFixture::Plain(), o, phone, &why));
    o = {};
    o.simKind = 3;
    o.pin = QStringLiteral("12345678");
    QVERIFY(CPhonePreset::Build(CBenchFixture::Q700(), o, phone, &why));
    QCOMPARE(phone.sim.status, 2);
    QCOMPARE(phone.sim.kind, QStringLiteral("02"));
}

void TestPhoneBench::imeisOfTheBench()
{
    QSet<QString> seen;
    for (int serial = 1; serial <= 50; ++serial) {
        const QString sim = CPhonePreset::MakeImei(114, serial, true);
        const QString plain = CPhonePreset::MakeImei(114, serial, false);
        QVERIFY(CVirtualPhone::IsValidImei(sim) && CVirtualPhone::IsValidImei(plain));
        QVERIFY2(LuhnValid(sim), qPrintable(sim));
        QVERIFY(plain.endsWith(QLatin1Char('0')));
        QVERIFY(!seen.contains(sim) && !seen.contains(plain));
        seen << sim << plain;
    }
    QVERIFY(CPhonePreset::MakeImei(10, 1, false) != CPhonePreset::MakeImei(12, 1, false));
}

void TestPhoneBench::toolBuildsABenchOfEveryModel()
{
    QString output;
    QCOMPARE(Tool({QStringLiteral("create-all"), QStringLiteral("--connect")}, &output), 0);
    const CPhoneBench bench(m_fx.Bench());
    QCOMPARE(bench.PhoneFiles().size(), m_catalogue.Models().size());
    QSet<QString> imeis;
    QSet<int> models;
    for (const QString& file : bench.PhoneFiles()) {
        const CVirtualPhone phone = m_fx.Load(file);
        imeis.insert(phone.imei);
        models.insert(phone.ModelType());
    }
    QCOMPARE(imeis.size(), m_catalogue.Models().size());
    QCOMPARE(models.size(), m_catalogue.Models().size());
    QVERIFY(!bench.ConnectedName().isEmpty());

    // Each phone connects and dumps; the program can read each.
    QCOMPARE(AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0), int(AGENT_SUCCESS));
    for (const QString& file : bench.PhoneFiles()) {
        QCOMPARE(Tool({QStringLiteral("connect"), file}, &output), 0);
        QCOMPARE(bench.ConnectedName(), file);
        QCOMPARE(Tool({QStringLiteral("dump")}, &output), 0);
        QVERIFY(output.contains(QStringLiteral("item   10")));
        QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    }
    QCOMPARE(Tool({QStringLiteral("list")}, &output), 0);
    QCOMPARE(output.count(QStringLiteral(".phone")), m_catalogue.Models().size());

    // Run again: existing phones are kept, not replaced.
    const QByteArray before = m_fx.Load(bench.PhoneFiles().first()).Serialize();
    QCOMPARE(Tool({QStringLiteral("create-all")}, &output), 0);
    QCOMPARE(m_fx.Load(bench.PhoneFiles().first()).Serialize(), before);
}

void TestPhoneBench::toolChangesPhones()
{
    QString output;
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("field"), QStringLiteral("--model"),
                   QStringLiteral("70"), QStringLiteral("--user"), QStringLiteral("Ruth O'Neil"),
                   QStringLiteral("--pin"), QStringLiteral("4321"), QStringLiteral("--connect")},
                  &output),
             0);
    CVirtualPhone phone = m_fx.Load(QStringLiteral("field"));
    QCOMPARE(phone.UserName(), QStringLiteral("Ruth O'Neil"));
    QCOMPARE(phone.sim.status, 2);
    // The same name again, an IMEI in use, an unknown model: refused.
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("field"), QStringLiteral("--model"),
                   QStringLiteral("70")}),
             1);
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("twin"), QStringLiteral("--model"),
                   QStringLiteral("70"), QStringLiteral("--imei"), phone.imei}),
             1);
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("x"), QStringLiteral("--model"),
                   QStringLiteral("250")}),
             1);
    // A second phone of the model gets an IMEI of its own.
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("field2"), QStringLiteral("--model"),
                   QStringLiteral("70")}),
             0);
    QVERIFY(m_fx.Load(QStringLiteral("field2")).imei != phone.imei);

    QCOMPARE(Tool({QStringLiteral("set-item"), QStringLiteral("3"), QStringLiteral("--text"),
                   QStringLiteral("Sam")}),
             0);
    QCOMPARE(Tool({QStringLiteral("set-item"), QStringLiteral("17"), QStringLiteral("--values"),
                   QStringLiteral("0x00FF")}),
             0);
    QCOMPARE(Tool({QStringLiteral("set-item"), QStringLiteral("17"), QStringLiteral("--values"),
                   QStringLiteral("70000")}),
             1);
    QCOMPARE(Tool({QStringLiteral("set-item"), QStringLiteral("59"), QStringLiteral("--width"),
                   QStringLiteral("1"), QStringLiteral("--count"), QStringLiteral("12"),
                   QStringLiteral("--text"), QStringLiteral("001234005678")}),
             0);
    QCOMPARE(Tool({QStringLiteral("remove-item"), QStringLiteral("115")}), 0);
    phone = m_fx.Load(QStringLiteral("field"));
    QCOMPARE(phone.UserName(), QStringLiteral("Sam"));
    QCOMPARE(phone.codeplug.Value(CodeplugItem::GeneralBits), 0xFFu);
    QCOMPARE(phone.codeplug.Find(CodeplugItem::PrivateIds, 0)->bytes, QByteArray("001234005678"));
    QVERIFY(!phone.codeplug.Find(CodeplugItem::OnlineId, 0));

    QCOMPARE(Tool({QStringLiteral("fault"), QStringLiteral("add"), QStringLiteral("AgentGetSimStatus"),
                   QStringLiteral("-6"), QStringLiteral("--times"), QStringLiteral("5")}),
             0);
    QCOMPARE(Tool({QStringLiteral("fault"), QStringLiteral("add"), QStringLiteral("item:59"),
                   QStringLiteral("-2")}),
             0);
    QCOMPARE(Tool({QStringLiteral("fault"), QStringLiteral("add"), QStringLiteral("AgentBogus"),
                   QStringLiteral("-2")}),
             1);
    QCOMPARE(Tool({QStringLiteral("fault"), QStringLiteral("add"), QStringLiteral("item:59"),
                   QStringLiteral("1")}),
             1);
    phone = m_fx.Load(QStringLiteral("field"));
    QCOMPARE(phone.faults.size(), 2);
    QCOMPARE(phone.faults.first().remaining, 5);
    // The SIM is asked six times: five timeouts, then an answer.
    QCOMPARE(AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0), int(AGENT_SUCCESS));
    int status = 0, rc = 0;
    for (int i = 0; i < AGENT_SIM_TRIES; ++i)
        rc = AgentGetSimStatus(1, &status, nullptr, nullptr);
    QCOMPARE(rc, int(AGENT_SUCCESS));
    QCOMPARE(status, 2);
    QCOMPARE(Tool({QStringLiteral("fault"), QStringLiteral("clear")}), 0);
    QVERIFY(m_fx.Load(QStringLiteral("field")).faults.isEmpty());

    QCOMPARE(Tool({QStringLiteral("sim"), QStringLiteral("--pin"), QStringLiteral("none")}),
             1); // status 2 needs one
    QCOMPARE(Tool({QStringLiteral("sim"), QStringLiteral("--status"), QStringLiteral("6"),
                   QStringLiteral("--phone"), QStringLiteral("field2")}),
             0);
    QCOMPARE(m_fx.Load(QStringLiteral("field2")).sim.status, 6);
    QCOMPARE(Tool({QStringLiteral("sim"), QStringLiteral("--status"), QStringLiteral("0"),
                   QStringLiteral("--phone"), QStringLiteral("../field")}),
             1);

    QCOMPARE(Tool({QStringLiteral("disconnect")}), 0);
    QCOMPARE(Tool({QStringLiteral("show")}, &output), 1);
    QCOMPARE(Tool({QStringLiteral("bogus")}), 2);
}

void TestPhoneBench::toolListsBackups()
{
    QString output;
    QCOMPARE(Tool({QStringLiteral("create"), QStringLiteral("k10"), QStringLiteral("--model"),
                   QStringLiteral("10"), QStringLiteral("--connect")}),
             0);
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QCOMPARE(AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(Tool({QStringLiteral("backups"), backups}, &output), 0);
    QVERIFY(output.contains(m_fx.Load(QStringLiteral("k10")).imei));
    QVERIFY(!output.contains(QStringLiteral("UNREADABLE")));
}

void TestPhoneBench::toolWorksBeforeTheFirstStart()
{
    // A program folder the first start has not filled yet: the catalogue is the installed one.
    const QString folder = CTestEnvironment::NewFolder(QStringLiteral("unfilled"));
    QString out, err;
    QCOMPARE(PlainTool({QStringLiteral("--program-folder"), folder, QStringLiteral("models")}, out, err), 0);
    QVERIFY2(out.contains(m_catalogue.Find(20)->name), qPrintable(out + err));
    QCOMPARE(PlainTool({QStringLiteral("--program-folder"), folder, QStringLiteral("create"),
                        QStringLiteral("shop-phone"), QStringLiteral("--model"), QStringLiteral("20"),
                        QStringLiteral("--connect")},
                       out, err),
             0);
    const CPhoneBench bench(folder + QStringLiteral("/phones"));
    QCOMPARE(bench.ConnectedName(), QStringLiteral("shop-phone.phone"));
    CVirtualPhone created;
    QCOMPARE(CVirtualPhone::Load(bench.ConnectedPath(), created), int(AGENT_SUCCESS));
    QCOMPARE(created.ModelType(), 20);
    QVERIFY(out.contains(QStringLiteral("IMEI ") + created.imei));

    // The first start will bring the shipped phones the bench lacks: the new phone keeps clear of
    // their IMEIs, so backups named after an IMEI stay apart.
    const CPhoneBench shipped(CTestEnvironment::ShareDir() + QStringLiteral("/phones"));
    QVERIFY(!shipped.PhoneFiles().isEmpty());
    for (const QString& file : shipped.PhoneFiles()) {
        CVirtualPhone phone;
        QCOMPARE(CVirtualPhone::Load(shipped.PathOf(file), phone), int(AGENT_SUCCESS));
        QVERIFY2(phone.imei != created.imei, qPrintable(file));
    }

    // Once the folder has files of its own they are the ones read, even when they are damaged.
    QFile broken(folder + QStringLiteral("/VelmoraDB.vdf"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a database");
    broken.close();
    QCOMPARE(PlainTool({QStringLiteral("--program-folder"), folder, QStringLiteral("models")}, out, err), 1);
    QVERIFY2(err.contains(folder + QStringLiteral("/VelmoraDB.vdf")), qPrintable(err));
}

void TestPhoneBench::toolSpeaksTheLanguageOfTheSettings()
{
    // The English table and the setting come back however the test ends.
    struct Restore
    {
        std::shared_ptr<const CResourceStrings> strings = CVelmoraWrap::ResourceStrings();
        QString language;
        bool had = CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), language);
        ~Restore()
        {
            CVelmoraWrap::SetResourceStrings(strings);
            CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"),
                                           had ? language : QStringLiteral("English"));
        }
    } restore;
    const auto english = restore.strings;
    const QString folder = CTestEnvironment::ProgramFolder();
    CResourceStrings fr, he;
    QVERIFY(fr.Load(folder + QStringLiteral("/VelmoraFrRes.lang")));
    QVERIFY(he.Load(folder + QStringLiteral("/VelmoraHebRes.lang")));

    QString out, err;
    const QStringList global = {QStringLiteral("--program-folder"), folder, QStringLiteral("--bench"),
                                m_fx.Bench()};
    QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), QStringLiteral("French")));
    QCOMPARE(PlainTool(global + QStringList{QStringLiteral("create"), QStringLiteral("x"),
                                            QStringLiteral("--model"), QStringLiteral("999")},
                       out, err),
             1);
    const QString french =
        fr.Text(PhoneToolMsg::ModelUnknown).replace(QStringLiteral("%1"), QStringLiteral("999"));
    QVERIFY(french !=
            english->Text(PhoneToolMsg::ModelUnknown).replace(QStringLiteral("%1"), QStringLiteral("999")));
    QCOMPARE(err, QStringLiteral("velmora-phone: ") + french + QLatin1Char('\n'));
    // What scripts read stays as it was: the file name and the IMEI.
    QCOMPARE(PlainTool(global + QStringList{QStringLiteral("create"), QStringLiteral("fr"),
                                            QStringLiteral("--model"), QStringLiteral("70")},
                       out, err),
             0);
    QVERIFY(out.startsWith(fr.Text(PhoneToolMsg::Created).section(QStringLiteral("%1"), 0, 0)));
    QCOMPARE(QRegularExpression(QStringLiteral("IMEI (\\d+)")).match(out).captured(1),
             m_fx.Load(QStringLiteral("fr")).imei);

    QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), QStringLiteral("Hebrew")));
    QCOMPARE(PlainTool(global + QStringList{QStringLiteral("--help")}, out, err), 0);
    QVERIFY(out.startsWith(he.Text(PhoneToolMsg::HelpIntro)));
    QVERIFY(out.contains(he.Text(PhoneToolMsg::HelpFaults)));

    // Without any table the message still shows its id and what it is about; a value that looks like a
    // placeholder is not filled in again.
    CVelmoraWrap::SetResourceStrings(nullptr);
    QCOMPARE(PhoneToolText(PhoneToolMsg::ModelUnknown, {QStringLiteral("999")}),
             QStringLiteral("[7662] 999"));
    CVelmoraWrap::SetResourceStrings(english);
    QCOMPARE(PhoneToolText(PhoneToolMsg::PhoneUnusable,
                           {QStringLiteral("a%2"), QStringLiteral("b"), QStringLiteral("c")}),
             QStringLiteral("a%2 cannot be used: b (c)"));
}

VELMORA_TEST_MAIN(TestPhoneBench)
#include "tst_phonebench.moc"
