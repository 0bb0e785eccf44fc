#include "AgentApi.h"
#include "AgentTestCalls.h"
#include "CBenchFixture.h"
#include "CCodeplugBackup.h"
#include "CListBlockLayout.h"
#include "CListEntry.h"
#include "CPhoneBench.h"
#include "CPhoneFile.h"
#include "CTestEnvironment.h"
#include "CodeplugItemIds.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestAgentApi : public QObject
{
    Q_OBJECT

private:
    CBenchFixture m_fx;

private Q_SLOTS:
    void init() { m_fx.Start(); }
    void cleanupTestCase() { AgentCloseLink(); }

    void layoutsFitTheirBlocks();
    void linkMustBeOpen();
    void openLinkPreparesTheBench();
    void itemsAreSizedByGetItemInfo();
    void itemBanksAndSizesAreEnforced();
    void faultsAnswerTheirCode();
    void faultsCountedDownStayUsedUp();
    void listBlocksByLayout();
    void simStatusAndPin();
    void wrongPinsBlockTheSim();
    void simBlockAccess();
    void restartNeedsTheWait();
    void imeiBytes();
    void supportListRows();
    void subReleaseAndResetItem();
    void resultNamesCoverEveryCode();
};

void TestAgentApi::layoutsFitTheirBlocks()
{
    for (int l = 0; l < CListBlockLayout::LayoutCount; ++l) {
        const auto layout = CListBlockLayout::Layout(l);
        const int size = CListBlockLayout::BlockSize(layout);
        QVector<bool> used(size, false);
        for (const CListBlockLayout::Region& r : CListBlockLayout::Regions(layout)) {
            const int end = r.offset + r.count * CListBlockLayout::EntrySize(r.format);
            QVERIFY2(r.offset >= 0 && end <= size, qPrintable(CListBlockLayout::Code(layout)));
            for (int b = r.offset; b < end; ++b) {
                QVERIFY2(!used[b], qPrintable(QStringLiteral("layout %1 overlaps at %2")
                                                  .arg(CListBlockLayout::Code(layout))
                                                  .arg(b)));
                used[b] = true;
            }
        }
        QCOMPARE(CListBlockLayout::FromCode(CListBlockLayout::Code(layout)), layout);
    }
    int simEnd = 0;
    for (const CListBlockLayout::Region& r : CListBlockLayout::SimRegions())
        simEnd = qMax(simEnd, r.offset + r.count * CListBlockLayout::EntrySize(r.format));
    QVERIFY(simEnd <= CListBlockLayout::SimTalkgroupTypeOffset);

    // The operations table and the layouts agree on every call list type.
    for (int type = 0; type <= 9; ++type) {
        for (const bool xf : {false, true}) {
            const AgentListOperations* ops = AgentListOperationsFor(type, xf);
            const CListBlockLayout::Layout layout = CListBlockLayout::LayoutFor(type, xf);
            if (type == 7) {
                QVERIFY(!ops);
                QCOMPARE(layout, CListBlockLayout::None);
                continue;
            }
            QVERIFY(ops);
            QCOMPARE(ops->blockSize, CListBlockLayout::BlockSize(layout));
        }
    }
    QVERIFY(!AgentListOperationsFor(10, false));
    QVERIFY(AgentListOperationsFor(6, false)->read == AgentListOperationsFor(1, false)->read);
}

void TestAgentApi::linkMustBeOpen()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_LINK_NOT_OPEN));
    QString name;
    QCOMPARE(AgentGetBackupName(1, 0, &name), int(AGENT_LINK_NOT_OPEN));
    QCOMPARE(AgentResetPhone(1, 0, 0), int(AGENT_LINK_NOT_OPEN));

    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QByteArray bytes;
    QCOMPARE(ReadItem(CodeplugItem::ModelType, 0, bytes), int(AGENT_SUCCESS));
    // Closing drops the working copy with the link.
    QCOMPARE(AgentCloseLink(), int(AGENT_SUCCESS));
    QCOMPARE(ReadItem(CodeplugItem::ModelType, 0, bytes), int(AGENT_LINK_NOT_OPEN));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(ReadItem(CodeplugItem::ModelType, 0, bytes), int(AGENT_INVALID_REQUEST));
}

void TestAgentApi::openLinkPreparesTheBench()
{
    AgentSetBenchFolder(QString());
    QCOMPARE(Open(), int(AGENT_PORT_FAILED));
    const QString file = m_fx.Bench() + QStringLiteral("/not-a-folder");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    AgentSetBenchFolder(file);
    QCOMPARE(Open(), int(AGENT_PORT_FAILED));

    const QString fresh = m_fx.Bench() + QStringLiteral("/new/phones");
    AgentSetBenchFolder(fresh);
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QVERIFY(QDir(fresh).exists());
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_NO_PHONE));
}

void TestAgentApi::itemsAreSizedByGetItemInfo()
{
    m_fx.Make(QStringLiteral("alder"), CBenchFixture::Alder());
    QVERIFY(m_fx.Connect(QStringLiteral("alder")));
    const CVirtualPhone phone = m_fx.Load(QStringLiteral("alder"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    int checked = 0;
    for (const CCodeplugItem& item : phone.codeplug.Items()) {
        int width = 0;
        uint16_t count = 0;
        QCOMPARE(AgentGetItemInfo(item.id, &width, &count, item.bank), int(AGENT_SUCCESS));
        QCOMPARE(width, item.width);
        QCOMPARE(int(count), item.count);
        QByteArray bytes;
        QCOMPARE(ReadItem(item.id, item.bank, bytes), int(AGENT_SUCCESS));
        QCOMPARE(bytes, item.bytes);
        ++checked;
    }
    QVERIFY(checked > 250); // the style items are there too
}

void TestAgentApi::itemBanksAndSizesAreEnforced()
{
    m_fx.Make(QStringLiteral("q"), CBenchFixture::Q700());
    QVERIFY(m_fx.Connect(QStringLiteral("q")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    int width = 0;
    uint16_t count = 0;
    // The SIM-phone items live in bank 1 only.
    QCOMPARE(AgentGetItemInfo(CodeplugItem::SimNumber, &width, &count, 1), int(AGENT_SUCCESS));
    QCOMPARE(AgentGetItemInfo(CodeplugItem::SimNumber, &width, &count, 0), int(AGENT_ABSENT));
    QCOMPARE(AgentGetItemInfo(CodeplugItem::UserName, &width, &count, 1), int(AGENT_ABSENT));
    QCOMPARE(AgentGetItemInfo(CodeplugItem::UserName, &width, &count, 2), int(AGENT_INVALID_REQUEST));
    QCOMPARE(AgentGetItemInfo(9999, &width, &count, 0), int(AGENT_ABSENT));
    QCOMPARE(AgentGetItemInfo(CodeplugItem::UserName, nullptr, &count, 0), int(AGENT_INVALID_REQUEST));

    // Item 8 is one 16-bit element: any other width or count does not match.
    uint16_t word[2] = {};
    uint8_t bytes[4] = {};
    uint32_t dword = 0;
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, word, 1, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, word, 2, 0), int(AGENT_SIZE_MISMATCH));
    QCOMPARE(AgentReadItem8(CodeplugItem::StructureVersion, bytes, 2, 0), int(AGENT_SIZE_MISMATCH));
    QCOMPARE(AgentReadItem32(CodeplugItem::StructureVersion, &dword, 1, 0), int(AGENT_SIZE_MISMATCH));
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, nullptr, 1, 0), int(AGENT_INVALID_REQUEST));
    QCOMPARE(AgentWriteItem16(CodeplugItem::StructureVersion, word, 0, 0), int(AGENT_INVALID_REQUEST));
    // Identity items are the phone's own.
    QCOMPARE(AgentWriteItem16(CodeplugItem::StructureVersion, word, 1, 0), int(AGENT_VALUE_REJECTED));
    uint8_t model = 99;
    QCOMPARE(AgentWriteItem8(CodeplugItem::ModelType, &model, 1, 0), int(AGENT_VALUE_REJECTED));
}

void TestAgentApi::faultsAnswerTheirCode()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    CVirtualPhone phone = m_fx.Load(QStringLiteral("a"));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QVERIFY(m_fx.Connect(QStringLiteral("a")));

    // Every code reaches the caller, through the operation it is set on.
    for (int code = -1; code >= -30; --code) {
        phone.faults = {{QStringLiteral("AgentReadCodeplug"), code, 0}};
        QVERIFY(phone.Save(m_fx.PathOf(QStringLiteral("a"))));
        QCOMPARE(Open(), int(AGENT_SUCCESS));
        QCOMPARE(AgentReadCodeplug(1, 0, 0), code);
        // A warning still reads the phone; a failure does not.
        QByteArray bytes;
        QCOMPARE(ReadItem(CodeplugItem::ModelType, 0, bytes),
                 AgentIsWarning(code) ? int(AGENT_SUCCESS) : int(AGENT_INVALID_REQUEST));
        AgentCloseLink();
    }

    phone.faults = {{QStringLiteral("AgentOpenLink"), AGENT_PORT_FAILED, 0}};
    QVERIFY(phone.Save(m_fx.PathOf(QStringLiteral("a"))));
    QCOMPARE(Open(), int(AGENT_PORT_FAILED));

    phone.faults = {{QStringLiteral("item:59"), AGENT_ABSENT, 0},
                    {QStringLiteral("AgentReadItem"), AGENT_COMM_ERROR, 0},
                    {QStringLiteral("AgentWriteCodeplug"), AGENT_WARN_KEPT, 0}};
    QVERIFY(phone.Save(m_fx.PathOf(QStringLiteral("a"))));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    int width = 0;
    uint16_t count = 0;
    QCOMPARE(AgentGetItemInfo(CodeplugItem::PrivateIds, &width, &count, 0), int(AGENT_ABSENT));
    QCOMPARE(AgentGetItemInfo(CodeplugItem::UserName, &width, &count, 0), int(AGENT_SUCCESS));
    QByteArray name(count, '\0');
    QCOMPARE(AgentReadItem8(CodeplugItem::UserName, reinterpret_cast<uint8_t*>(name.data()), count, 0),
             int(AGENT_COMM_ERROR));
    name.replace(0, 3, "Eva");
    QCOMPARE(AgentWriteItem8(CodeplugItem::UserName, U8(name), count, 0), int(AGENT_SUCCESS));
    // A warning on programming still programs.
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_WARN_KEPT));
    QCOMPARE(m_fx.Load(QStringLiteral("a")).UserName(), QStringLiteral("Eva"));
    QCOMPARE(QDir(backups).entryList(QDir::Files).size(), 1);

    // A failure on programming does nothing at all.
    phone = m_fx.Load(QStringLiteral("a"));
    phone.faults = {{QStringLiteral("AgentWriteCodeplugForCopy"), AGENT_WRITE_FAILED, 0}};
    QVERIFY(phone.Save(m_fx.PathOf(QStringLiteral("a"))));
    QVERIFY(QFile::remove(QDir(backups).filePath(QDir(backups).entryList(QDir::Files).first())));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    name.replace(0, 3, "Ida");
    QCOMPARE(AgentWriteItem8(CodeplugItem::UserName, U8(name), count, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplugForCopy(1, 0, backups, 0), int(AGENT_WRITE_FAILED));
    QCOMPARE(m_fx.Load(QStringLiteral("a")).UserName(), QStringLiteral("Eva"));
    QVERIFY(QDir(backups).entryList(QDir::Files).isEmpty());
}

void TestAgentApi::faultsCountedDownStayUsedUp()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    CVirtualPhone phone = m_fx.Load(QStringLiteral("a"));
    phone.faults = {{QStringLiteral("AgentReadCodeplug"), AGENT_TIMEOUT, 2},
                    {QStringLiteral("AgentReadItem16"), AGENT_READ_FAILED, 1}};
    QVERIFY(phone.Save(m_fx.PathOf(QStringLiteral("a"))));
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_TIMEOUT));
    QCOMPARE(m_fx.Load(QStringLiteral("a")).faults.first().remaining, 1);
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_TIMEOUT));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    uint16_t word = 0;
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, &word, 1, 0), int(AGENT_READ_FAILED));
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, &word, 1, 0), int(AGENT_SUCCESS));
    // Used up in the phone too: reading again does not bring the fault back.
    QVERIFY(m_fx.Load(QStringLiteral("a")).faults.isEmpty());
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadItem16(CodeplugItem::StructureVersion, &word, 1, 0), int(AGENT_SUCCESS));
}

void TestAgentApi::listBlocksByLayout()
{
    m_fx.Make(QStringLiteral("xf"), CBenchFixture::CrossFleet(12, 0, 0));
    m_fx.Make(QStringLiteral("sim"), CBenchFixture::Alder());
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QVERIFY(m_fx.Connect(QStringLiteral("xf")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));

    const AgentListOperations* xf = AgentListOperationsFor(0, true);
    const AgentListOperations* plain = AgentListOperationsFor(0, false);
    QByteArray block(xf->blockSize, '\0');
    QCOMPARE(plain->read(reinterpret_cast<uint8_t*>(block.data())), int(AGENT_UNSUPPORTED));
    QCOMPARE(xf->read(nullptr), int(AGENT_INVALID_REQUEST));
    QCOMPARE(xf->read(reinterpret_cast<uint8_t*>(block.data())), int(AGENT_SUCCESS));
    // The cross-fleet private list holds urban, fleet and member ids.
    const CListBlockLayout::Region pr1 = CListBlockLayout::Regions(CListBlockLayout::L0X).at(2);
    QCOMPARE(pr1.format, CListBlockLayout::Format::CrossFleet);
    CListEntry entry = CListEntry::Decode(pr1.format, block, pr1.offset);
    QVERIFY(entry.member != 0 && entry.urban != 0 && entry.fleet != 0);

    entry.name = QStringLiteral("Night shift");
    entry.member = 4242;
    CListEntry::Encode(pr1.format, entry, block, CListBlockLayout::SlotOffset(pr1, 99));
    QCOMPARE(xf->write(reinterpret_cast<const uint8_t*>(block.constData())), int(AGENT_SUCCESS));
    QVERIFY(m_fx.Load(QStringLiteral("xf")).codeplug.ListBlock() != block);
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    const QByteArray stored = m_fx.Load(QStringLiteral("xf")).codeplug.ListBlock();
    QCOMPARE(stored, block);
    QCOMPARE(CListEntry::Decode(pr1.format, stored, CListBlockLayout::SlotOffset(pr1, 99)).member, 4242u);

    // Lists on the SIM: no list block.
    QVERIFY(m_fx.Connect(QStringLiteral("sim")));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(plain->read(reinterpret_cast<uint8_t*>(block.data())), int(AGENT_ABSENT));
}

void TestAgentApi::simStatusAndPin()
{
    // Each status reaches the caller as the phone has it; 2 and 5 turn ready with the PIN.
    for (int status = 0; status <= 6; ++status) {
        CPhonePresetOptions options;
        options.simStatus = status;
        options.serial = status + 1;
        options.pin = QStringLiteral("2468");
        m_fx.Make(QStringLiteral("q%1").arg(status), CBenchFixture::Q700(), options);
    }
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    for (int status = 0; status <= 6; ++status) {
        QVERIFY(m_fx.Connect(QStringLiteral("q%1").arg(status)));
        int reported = -1, tries = -1;
        QString kind;
        QCOMPARE(AgentGetSimStatus(1, &reported, &kind, &tries), int(AGENT_SUCCESS));
        QCOMPARE(reported, status);
        QCOMPARE(kind, QStringLiteral("01"));
        QCOMPARE(tries, 3);
        int after = -1;
        QCOMPARE(AgentVerifySimPin(1, U8(Pin("2468")), &after), int(AGENT_SUCCESS));
        const int expected = status == 2 ? 3 : (status == 5 ? 4 : status);
        QCOMPARE(after, expected);
        QCOMPARE(AgentGetSimStatus(1, &reported, nullptr, nullptr), int(AGENT_SUCCESS));
        QCOMPARE(reported, expected);
    }
    // A restart locks the SIM again.
    QVERIFY(m_fx.Connect(QStringLiteral("q2")));
    int status = 0;
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("2468")), &status), int(AGENT_SUCCESS));
    QCOMPARE(AgentResetPhone(1, 0, 0), int(AGENT_SUCCESS));
    AgentDelay(AGENT_RESET_WAIT_MS);
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_SUCCESS));
    QCOMPARE(status, 2);
    // So does putting another phone on the cable.
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("2468")), &status), int(AGENT_SUCCESS));
    QVERIFY(m_fx.Connect(QStringLiteral("q5")));
    QVERIFY(m_fx.Connect(QStringLiteral("q2")));
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_SUCCESS));
    QCOMPARE(status, 2);

    m_fx.Make(QStringLiteral("plain"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("plain")));
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_UNSUPPORTED));
}

void TestAgentApi::wrongPinsBlockTheSim()
{
    CPhonePresetOptions options;
    options.pin = QStringLiteral("1357");
    m_fx.Make(QStringLiteral("q"), CBenchFixture::Q700(), options);
    QVERIFY(m_fx.Connect(QStringLiteral("q")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    int status = 0, tries = 0;
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("1111")), &status), int(AGENT_SUCCESS));
    QCOMPARE(status, 2);
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("13571")), &status), int(AGENT_SUCCESS));
    QCOMPARE(status, 2);
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, &tries), int(AGENT_SUCCESS));
    QCOMPARE(tries, 1);
    // The right PIN gives the tries back.
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("1357")), &status), int(AGENT_SUCCESS));
    QCOMPARE(status, 3);
    QCOMPARE(m_fx.Load(QStringLiteral("q")).sim.triesLeft, 3);

    QCOMPARE(AgentResetPhone(1, 0, 0), int(AGENT_SUCCESS));
    AgentDelay(AGENT_RESET_WAIT_MS);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(AgentVerifySimPin(1, U8(Pin("0000")), &status), int(AGENT_SUCCESS));
    QCOMPARE(status, 6);
    // Blocked for good: the SIM keeps it.
    AgentCloseLink();
    QCOMPARE(m_fx.Load(QStringLiteral("q")).sim.status, 6);
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("1357")), &status), int(AGENT_SUCCESS));
    QCOMPARE(status, 6);
    QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
    QCOMPARE(AgentReadSimBlock(1, U8(Pin("1357")), reinterpret_cast<uint8_t*>(block.data()), 0),
             int(AGENT_SIM_BLOCKED));
}

void TestAgentApi::simBlockAccess()
{
    CPhonePresetOptions locked;
    locked.pin = QStringLiteral("9876");
    m_fx.Make(QStringLiteral("locked"), CBenchFixture::Alder(), locked);
    CPhonePresetOptions none;
    none.simStatus = 0;
    m_fx.Make(QStringLiteral("nosim"), CBenchFixture::Q700(), none);
    CPhonePresetOptions notReady;
    notReady.simStatus = 1;
    m_fx.Make(QStringLiteral("notready"), CBenchFixture::Q700(), notReady);
    m_fx.Make(QStringLiteral("plain"), CBenchFixture::Plain());
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
    auto* data = reinterpret_cast<uint8_t*>(block.data());

    QVERIFY(m_fx.Connect(QStringLiteral("locked")));
    QCOMPARE(AgentReadSimBlock(1, nullptr, data, 1), int(AGENT_WRONG_PIN));
    QCOMPARE(AgentReadSimBlock(1, U8(Pin("1234")), data, 1), int(AGENT_WRONG_PIN));
    QCOMPARE(AgentReadSimBlock(1, U8(Pin("9876")), data, 1), int(AGENT_SUCCESS));
    QCOMPARE(block, m_fx.Load(QStringLiteral("locked")).sim.block);
    QCOMPARE(AgentReadSimBlock(1, U8(Pin("9876")), data, 2), int(AGENT_INVALID_REQUEST));

    // A SIM block write reaches the SIM at once, without programming the codeplug.
    block[CListBlockLayout::SimTalkgroupTypeOffset] = 3;
    QCOMPARE(AgentWriteSimBlock(1, U8(Pin("9876")), data, 1), int(AGENT_SUCCESS));
    QCOMPARE(
        quint8(m_fx.Load(QStringLiteral("locked")).sim.block.at(CListBlockLayout::SimTalkgroupTypeOffset)),
        quint8(3));
    // Once the PIN is verified the program may pass none.
    int status = 0;
    QCOMPARE(AgentVerifySimPin(1, U8(Pin("9876")), &status), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadSimBlock(1, nullptr, data, 0), int(AGENT_SUCCESS));
    const QByteArray noPin = QByteArray("\0\0\0\0\xFF\xFF\xFF\xFF", 8);
    QCOMPARE(AgentWriteSimBlock(1, U8(noPin), data, 0), int(AGENT_SUCCESS));

    QVERIFY(m_fx.Connect(QStringLiteral("nosim")));
    QCOMPARE(AgentReadSimBlock(1, nullptr, data, 0), int(AGENT_NO_SIM));
    QVERIFY(m_fx.Connect(QStringLiteral("notready")));
    QCOMPARE(AgentWriteSimBlock(1, nullptr, data, 0), int(AGENT_SIM_IO));
    QVERIFY(m_fx.Connect(QStringLiteral("plain")));
    QCOMPARE(AgentReadSimBlock(1, nullptr, data, 0), int(AGENT_UNSUPPORTED));
}

void TestAgentApi::restartNeedsTheWait()
{
    m_fx.Make(QStringLiteral("q"), CBenchFixture::Q700());
    QVERIFY(m_fx.Connect(QStringLiteral("q")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    int status = 0;
    QCOMPARE(AgentResetPhone(1, 0, 0), int(AGENT_SUCCESS));
    // Asking the SIM during the restart finds the phone busy; the retries' waits count.
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_PHONE_BUSY));
    int tries = 1;
    while (AgentGetSimStatus(1, &status, nullptr, nullptr) != AGENT_SUCCESS && tries < AGENT_SIM_TRIES) {
        AgentDelay(AGENT_RETRY_WAIT_MS);
        ++tries;
    }
    QCOMPARE(status, 4);
    QCOMPARE(m_fx.Delays(), QList<int>({1000, 1000, 1000, 1000}));

    m_fx.Delays().clear();
    uint8_t imei[AGENT_IMEI_SIZE] = {};
    QCOMPARE(AgentReadImei(1, imei, 1), int(AGENT_SUCCESS));
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_PHONE_BUSY));
    AgentDelay(AGENT_RESET_WAIT_MS);
    QCOMPARE(AgentGetSimStatus(1, &status, nullptr, nullptr), int(AGENT_SUCCESS));
    QCOMPARE(m_fx.Delays(), QList<int>({4000}));
    QCOMPARE(AgentReadImei(1, imei, 2), int(AGENT_INVALID_REQUEST));
}

void TestAgentApi::imeiBytes()
{
    m_fx.Make(QStringLiteral("q"), CBenchFixture::Q700());
    m_fx.Make(QStringLiteral("plain"), CBenchFixture::Plain());
    QCOMPARE(Open(), int(AGENT_SUCCESS));

    QVERIFY(m_fx.Connect(QStringLiteral("q")));
    uint8_t imei[AGENT_IMEI_SIZE] = {};
    QCOMPARE(AgentReadImei(1, imei, 0), int(AGENT_SUCCESS));
    // Two upper-case hex digits a byte, the sixteenth character cut off.
    QCOMPARE(Hex(QByteArray(reinterpret_cast<const char*>(imei), AGENT_IMEI_SIZE)).left(15),
             m_fx.Load(QStringLiteral("q")).imei);

    // An ordinary phone: item 6 in hex, followed by "0".
    QVERIFY(m_fx.Connect(QStringLiteral("plain")));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QByteArray item6;
    QCOMPARE(ReadItem(CodeplugItem::Imei, 0, item6), int(AGENT_SUCCESS));
    QCOMPARE(Hex(item6) + QStringLiteral("0"), m_fx.Load(QStringLiteral("plain")).imei);
}

void TestAgentApi::supportListRows()
{
    char buffer[AGENT_SUPPORT_LIST_SIZE];
    memset(buffer, 'x', sizeof buffer);
    QCOMPARE(AgentGetSupportList(buffer), int(AGENT_SUCCESS));
    QCOMPARE(buffer[AGENT_SUPPORT_LIST_SIZE - 1], '\0');
    QString text = QString::fromLatin1(buffer);
    QVERIFY(text.size() < AGENT_SUPPORT_LIST_SIZE);
    // Read as the support dialog reads it: "@" is a column break, rows end "@\r\n" but the last.
    text.replace(QLatin1Char('@'), QLatin1Char('\t'));
    QStringList parts = text.split(QLatin1Char('\n'));
    QStringList rows;
    for (int i = 0; i + 1 < parts.size(); ++i)
        rows << parts.at(i).chopped(2);
    rows << parts.last();
    QVERIFY(rows.size() >= 2);
    for (const QString& row : rows) {
        QCOMPARE(row.count(QLatin1Char('\t')), 1);
        QVERIFY(!row.startsWith(QLatin1Char('\t')) && !row.endsWith(QLatin1Char('\t')));
    }
    QCOMPARE(AgentGetSupportList(nullptr), int(AGENT_INVALID_REQUEST));
}

void TestAgentApi::subReleaseAndResetItem()
{
    CPhonePresetOptions options;
    options.subRelease = 3;
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain(), options);
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    uint8_t sub[AGENT_SUB_RELEASE_SIZE] = {0xEE, 0xEE};
    QCOMPARE(AgentGetSubRelease(sub), int(AGENT_INVALID_REQUEST));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentGetSubRelease(sub), int(AGENT_SUCCESS));
    QCOMPARE(sub[0], uint8_t('C'));
    QCOMPARE(sub[1], uint8_t(0));

    QByteArray passcode;
    QCOMPARE(ReadItem(CodeplugItem::Passcode, 0, passcode), int(AGENT_SUCCESS));
    QCOMPARE(AgentResetItem(CodeplugItem::Passcode), int(AGENT_SUCCESS));
    QByteArray reset;
    QCOMPARE(ReadItem(CodeplugItem::Passcode, 0, reset), int(AGENT_SUCCESS));
    QVERIFY(reset != passcode);
    QCOMPARE(reset, m_fx.Load(QStringLiteral("a")).codeplug.Find(CodeplugItem::Passcode, 0)->defaults);
    QCOMPARE(AgentResetItem(9999), int(AGENT_ABSENT));
}

void TestAgentApi::resultNamesCoverEveryCode()
{
    QSet<QString> names;
    for (int code = -30; code <= 1; ++code) {
        if (code == 0)
            continue;
        const QString name = QLatin1String(AgentResultName(code));
        QVERIFY2(name.startsWith(QLatin1String("AGENT_")), qPrintable(QString::number(code)));
        names.insert(name);
    }
    QCOMPARE(names.size(), 31);
    QCOMPARE(QLatin1String(AgentResultName(-31)), QLatin1String("?"));
}

VELMORA_TEST_MAIN(TestAgentApi)
#include "tst_agentapi.moc"
