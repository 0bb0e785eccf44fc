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

// Programming a phone from its working copy, and the codeplug backups and phone files around it.
class TestAgentApiProgramming : public QObject
{
    Q_OBJECT

private:
    CBenchFixture m_fx;

private Q_SLOTS:
    void init() { m_fx.Start(); }
    void cleanupTestCase() { AgentCloseLink(); }

    void writesChangeOnlyTheWorkingCopyUntilProgrammed();
    void programmingKeepsTheOldCodeplugAsBackupFirst();
    void backupFolderProblemsLeaveThePhoneAlone();
    void aSwappedPhoneIsNotProgrammedWithAnotherPhonesCodeplug();
    void backupRestoresAPhone();
    void backupOfAnotherModelIsRefused();
    void damagedPhoneFilesAreRefusedWhole();
    void damagedBackupsAreRefused();
    void unsupportedCodeplugVersion();
};

void TestAgentApiProgramming::writesChangeOnlyTheWorkingCopyUntilProgrammed()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    const CVirtualPhone before = m_fx.Load(QStringLiteral("a"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));

    QByteArray name(CPhonePreset::UserNameLength, '\0');
    name.replace(0, 7, "O'Brien");
    QCOMPARE(AgentWriteItem8(CodeplugItem::UserName, U8(name), name.size(), 0), int(AGENT_SUCCESS));
    uint16_t flags = 0x1234;
    QCOMPARE(AgentWriteItem16(CodeplugItem::GeneralBits, &flags, 1, 0), int(AGENT_SUCCESS));
    uint32_t minutes = 5 * 60000;
    QCOMPARE(AgentWriteItem32(CodeplugItem::PowerDownTimer, &minutes, 1, 0), int(AGENT_SUCCESS));

    QByteArray bytes;
    QCOMPARE(ReadItem(CodeplugItem::UserName, 0, bytes), int(AGENT_SUCCESS));
    QCOMPARE(bytes, name);
    QCOMPARE(ReadItem(CodeplugItem::PowerDownTimer, 0, bytes), int(AGENT_SUCCESS));
    QCOMPARE(bytes, QByteArray("\xE0\x93\x04\x00", 4));
    QVERIFY(m_fx.Load(QStringLiteral("a")).codeplug == before.codeplug);

    // A new read discards the changes: the working copy is the phone again.
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(ReadItem(CodeplugItem::UserName, 0, bytes), int(AGENT_SUCCESS));
    QCOMPARE(bytes, before.codeplug.Find(CodeplugItem::UserName, 0)->bytes);
}

void TestAgentApiProgramming::programmingKeepsTheOldCodeplugAsBackupFirst()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    const CVirtualPhone before = m_fx.Load(QStringLiteral("a"));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QByteArray name(CPhonePreset::UserNameLength, '\0');
    name.replace(0, 5, "Maria");
    QCOMPARE(AgentWriteItem8(CodeplugItem::UserName, U8(name), name.size(), 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));

    QString backupName;
    QCOMPARE(AgentGetBackupName(1, 0, &backupName), int(AGENT_SUCCESS));
    QVERIFY(!backupName.isEmpty());
    CCodeplugBackup backup;
    QCOMPARE(CCodeplugBackup::Load(QDir(backups).filePath(backupName + QStringLiteral(".dbf")), backup),
             int(AGENT_SUCCESS));
    QVERIFY(backup.codeplug == before.codeplug);
    QCOMPARE(backup.imei, before.imei);
    QCOMPARE(QDir(backups).entryList(QDir::Files), QStringList{backupName + QStringLiteral(".dbf")});

    const CVirtualPhone after = m_fx.Load(QStringLiteral("a"));
    QCOMPARE(after.UserName(), QStringLiteral("Maria"));
    QCOMPARE(after.imei, before.imei);
    QCOMPARE(after.codeplug.Find(CodeplugItem::Imei, 0)->bytes,
             before.codeplug.Find(CodeplugItem::Imei, 0)->bytes);

    // A second programming keeps the codeplug the first one wrote; the copy call does the same.
    name.replace(0, 5, "Agnes");
    QCOMPARE(AgentWriteItem8(CodeplugItem::UserName, U8(name), name.size(), 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplugForCopy(1, 0, backups, 0), int(AGENT_SUCCESS));
    QCOMPARE(CCodeplugBackup::Load(QDir(backups).filePath(backupName + QStringLiteral(".dbf")), backup),
             int(AGENT_SUCCESS));
    QVERIFY(backup.codeplug == after.codeplug);
    QCOMPARE(m_fx.Load(QStringLiteral("a")).UserName(), QStringLiteral("Agnes"));

    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 2), int(AGENT_INVALID_REQUEST));
}

void TestAgentApiProgramming::backupFolderProblemsLeaveThePhoneAlone()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    const CVirtualPhone before = m_fx.Load(QStringLiteral("a"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    uint8_t tone = 7;
    QCOMPARE(AgentWriteItem8(CodeplugItem::Line1RingTone, &tone, 1, 0), int(AGENT_SUCCESS));

    QCOMPARE(AgentWriteCodeplug(1, 0, QString(), 0, 0), int(AGENT_BACKUP_WRITE_FAILED));
    const QString file = CTestEnvironment::NewFolder(QStringLiteral("f")) + QStringLiteral("/plain-file");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(AgentWriteCodeplug(1, 0, file, 0, 0), int(AGENT_BACKUP_WRITE_FAILED));
    QVERIFY(m_fx.Load(QStringLiteral("a")).codeplug == before.codeplug);

    // A missing folder is made.
    const QString deep = CTestEnvironment::NewFolder(QStringLiteral("b")) + QStringLiteral("/x/y");
    QCOMPARE(AgentWriteCodeplug(1, 0, deep, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(m_fx.Load(QStringLiteral("a")).codeplug.Value(CodeplugItem::Line1RingTone), 7u);
    QCOMPARE(QDir(deep).entryList(QDir::Files).size(), 1);
}

void TestAgentApiProgramming::aSwappedPhoneIsNotProgrammedWithAnotherPhonesCodeplug()
{
    CPhonePresetOptions second;
    second.serial = 2;
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    m_fx.Make(QStringLiteral("b"), CBenchFixture::Plain(), second);
    const CVirtualPhone b = m_fx.Load(QStringLiteral("b"));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QVERIFY(m_fx.Connect(QStringLiteral("b")));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_NO_PHONE));
    QVERIFY(m_fx.Load(QStringLiteral("b")).codeplug == b.codeplug);
    QVERIFY(QDir(backups).entryList(QDir::Files).isEmpty());

    QVERIFY(CPhoneBench(m_fx.Bench()).Disconnect());
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_NO_PHONE));
}

void TestAgentApiProgramming::backupRestoresAPhone()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Alder());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    const CVirtualPhone original = m_fx.Load(QStringLiteral("a"));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    uint8_t shortcuts = 0;
    QCOMPARE(AgentWriteItem8(CodeplugItem::ShortcutCount, &shortcuts, 1, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    const CVirtualPhone programmed = m_fx.Load(QStringLiteral("a"));
    QCOMPARE(programmed.codeplug.Value(CodeplugItem::ShortcutCount), 0u);

    // The recovery path: recovery link, the backup's name, load it, program it in mode 1.
    QCOMPARE(AgentCloseLink(), int(AGENT_SUCCESS));
    QCOMPARE(AgentOpenRecoveryLink(1, 0, AGENT_BAUD_RATE, 0), int(AGENT_SUCCESS));
    QString name;
    QCOMPARE(AgentGetBackupName(1, 0, &name), int(AGENT_SUCCESS));
    const QString file = QDir(backups).filePath(name + QStringLiteral(".dbf"));
    QCOMPARE(AgentLoadBackupFile(file), int(AGENT_SUCCESS));
    QByteArray bytes;
    QCOMPARE(ReadItem(CodeplugItem::ShortcutCount, 0, bytes), int(AGENT_SUCCESS));
    QCOMPARE(bytes, original.codeplug.Find(CodeplugItem::ShortcutCount, 0)->bytes);
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 1), int(AGENT_SUCCESS));
    // Mode 1 puts the backup back as it was, its date included.
    QVERIFY(m_fx.Load(QStringLiteral("a")).codeplug == original.codeplug);
    // ...and keeps what the phone held before the restore.
    CCodeplugBackup backup;
    QCOMPARE(CCodeplugBackup::Load(file, backup), int(AGENT_SUCCESS));
    QVERIFY(backup.codeplug == programmed.codeplug);

    QCOMPARE(AgentLoadBackupFile(file + QStringLiteral(".missing")), int(AGENT_BACKUP_UNREADABLE));
}

void TestAgentApiProgramming::backupOfAnotherModelIsRefused()
{
    m_fx.Make(QStringLiteral("plain"), CBenchFixture::Plain(10));
    m_fx.Make(QStringLiteral("other"), CBenchFixture::Plain(30, 2));
    const CVirtualPhone other = m_fx.Load(QStringLiteral("other"));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QVERIFY(m_fx.Connect(QStringLiteral("plain")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    QString name;
    QCOMPARE(AgentGetBackupName(1, 0, &name), int(AGENT_SUCCESS));

    QVERIFY(m_fx.Connect(QStringLiteral("other")));
    QCOMPARE(AgentLoadBackupFile(QDir(backups).filePath(name + QStringLiteral(".dbf"))), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 1), int(AGENT_CP_UNSUPPORTED));
    QVERIFY(m_fx.Load(QStringLiteral("other")).codeplug == other.codeplug);
}

void TestAgentApiProgramming::damagedPhoneFilesAreRefusedWhole()
{
    const QString path = m_fx.Make(QStringLiteral("good"), CBenchFixture::Plain());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    file.close();
    QByteArray payload;
    QVERIFY(CPhoneFile::Unwrap(contents, CPhoneFile::Kind::Phone, payload) == CPhoneFile::Status::Ok);

    struct Case
    {
        const char* name;
        QByteArray bytes;
        int code;
    };
    QByteArray flipped = contents;
    flipped[contents.size() / 2] = char(flipped.at(contents.size() / 2) ^ 0x01);
    QByteArray newer = contents;
    newer[4] = char(CPhoneFile::FormatVersion + 1);
    // A file whose checksum is right but whose contents do not hold together.
    CVirtualPhone bad = m_fx.Load(QStringLiteral("good"));
    bad.codeplug.Find(CodeplugItem::UserName, 0)->bytes.chop(1);
    const QByteArray inconsistent = CPhoneFile::Wrap(CPhoneFile::Kind::Phone, bad.Serialize());
    const QList<Case> cases = {
        {"truncated", contents.left(contents.size() - 10), AGENT_PHONE_DAMAGED},
        {"header only", contents.left(CPhoneFile::HeaderSize - 2), AGENT_PHONE_DAMAGED},
        {"padded", contents + QByteArray(3, '\0'), AGENT_PHONE_DAMAGED},
        {"one bit", flipped, AGENT_PHONE_DAMAGED},
        {"inconsistent", inconsistent, AGENT_PHONE_DAMAGED},
        {"newer", newer, AGENT_PHONE_FORMAT},
        {"foreign", QByteArray("[phone]\nmodel=10\n"), AGENT_PHONE_FORMAT},
        {"backup", CCodeplugBackup().FileContents(), AGENT_PHONE_FORMAT},
        {"empty", QByteArray(), AGENT_PHONE_FORMAT},
    };

    QVERIFY(m_fx.Connect(QStringLiteral("good")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QByteArray userName;
    QCOMPARE(ReadItem(CodeplugItem::UserName, 0, userName), int(AGENT_SUCCESS));
    for (const Case& c : cases) {
        const QString damaged =
            m_fx.PathOf(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('-')));
        QFile out(damaged);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(c.bytes);
        out.close();
        CVirtualPhone phone;
        QCOMPARE(CVirtualPhone::Load(damaged, phone), c.code);
        QVERIFY(m_fx.Connect(QFileInfo(damaged).fileName()));
        QCOMPARE(AgentReadCodeplug(1, 0, 0), c.code);
        // The working copy is still the good phone's.
        QByteArray again;
        QCOMPARE(ReadItem(CodeplugItem::UserName, 0, again), int(AGENT_SUCCESS));
        QCOMPARE(again, userName);
        QString name;
        QCOMPARE(AgentGetBackupName(1, 0, &name), c.code);
    }
}

void TestAgentApiProgramming::damagedBackupsAreRefused()
{
    m_fx.Make(QStringLiteral("a"), CBenchFixture::Plain());
    QVERIFY(m_fx.Connect(QStringLiteral("a")));
    const QString backups = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
    QCOMPARE(AgentWriteCodeplug(1, 0, backups, 0, 0), int(AGENT_SUCCESS));
    const QString path = QDir(backups).filePath(QDir(backups).entryList(QDir::Files).first());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray contents = file.readAll();
    file.resize(contents.size() - 1);
    file.close();
    QCOMPARE(AgentLoadBackupFile(path), int(AGENT_BACKUP_UNREADABLE));
    const QString phoneFile = m_fx.PathOf(QStringLiteral("a"));
    QCOMPARE(AgentLoadBackupFile(phoneFile), int(AGENT_BACKUP_UNREADABLE));
    QByteArray newer = contents;
    newer[4] = char(CPhoneFile::FormatVersion + 1);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(newer);
    file.close();
    QCOMPARE(AgentLoadBackupFile(path), int(AGENT_PHONE_FORMAT));
}

void TestAgentApiProgramming::unsupportedCodeplugVersion()
{
    CPhonePresetOptions options;
    options.structureVersion = 0x40;
    m_fx.Make(QStringLiteral("new"), CBenchFixture::Plain(), options);
    QVERIFY(m_fx.Connect(QStringLiteral("new")));
    QCOMPARE(Open(), int(AGENT_SUCCESS));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_CP_UNSUPPORTED));
    options.structureVersion = 0x3F;
    m_fx.Make(QStringLiteral("last"), CBenchFixture::Plain(), options);
    QVERIFY(m_fx.Connect(QStringLiteral("last")));
    QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
}

VELMORA_TEST_MAIN(TestAgentApiProgramming)
#include "tst_agentapi_programming.moc"
