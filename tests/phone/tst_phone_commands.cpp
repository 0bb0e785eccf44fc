#include "AgentApi.h"
#include "CCodeplugRecovery.h"
#include "CEditingView.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "IFleetView.h"
#include "PhoneMessageIds.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

QString UserName(CVelmoraDoc* doc, const QString& imei)
{
    QSqlQuery query(doc->Database());
    query.prepare(QStringLiteral("SELECT unit_user_name FROM unit_details WHERE unit_imei_num = ?"));
    query.addBindValue(imei);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

} // namespace

// The read command's choice of fleet and its questions, the not-supported notice, the wait state on
// every path, and the recover command's steps.
class TestPhoneCommands : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    bool Read() { return CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()); }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void readWithoutFleetMakesOne()
    {
        const QString phone = m_fx.Plug(10);
        QVERIFY(Read());
        QCOMPARE(int(m_fx.Host().made.size()), 1);
        CVelmoraDoc* doc = m_fx.Host().active;
        QCOMPARE(CPhoneCommands::UnitCount(doc->Database()), 1);
        QVERIFY(doc->IsModified());
        QCOMPARE(m_fx.Host().unitsShown, 1);
        // The unit read is the one shown, and the status bar says it was read.
        const QString imei = m_fx.Load(phone).imei;
        QVERIFY(!imei.isEmpty());
        QCOMPARE(m_fx.Host().unitsShownImei, imei);
        QCOMPARE(m_fx.Host().statusTexts.last(), CVelmoraWrap::LoadString(PhoneText::ReadDone).arg(imei));
        QVERIFY(m_fx.Host().statusTexts.last().contains(imei));
        QCOMPARE(m_fx.Host().simKind, 1);
        QCOMPARE(m_fx.Host().depth, 0);
        QCOMPARE(m_fx.Host().waits, 1);
        QVERIFY(Answers().Ids().isEmpty());
    }

    void question1397ChoosesTheFleet()
    {
        m_fx.Plug(10, {}, QStringLiteral("first"));
        QVERIFY(Read());
        CVelmoraDoc* first = m_fx.Host().active;
        CPhonePresetOptions options;
        options.serial = 2;
        m_fx.Plug(10, options, QStringLiteral("second"));
        Answers().Script({IDYES});
        QVERIFY(Read());
        QCOMPARE(Answers().Ids(), QList<int>{int(PhoneMsg::ReadIntoOpenFleet)});
        QCOMPARE(m_fx.Host().active, first);
        QCOMPARE(CPhoneCommands::UnitCount(first->Database()), 2);

        Answers().Clear();
        Answers().Script({IDNO});
        QVERIFY(Read());
        QVERIFY(m_fx.Host().active != first);
        QCOMPARE(CPhoneCommands::UnitCount(m_fx.Host().active->Database()), 1);
        QCOMPARE(CPhoneCommands::UnitCount(first->Database()), 2);
    }

    void knownImeiIsReplacedOnlyOnYes()
    {
        const QString name = m_fx.Plug(20);
        const QString imei = m_fx.Load(name).imei;
        QVERIFY(Read());
        CVelmoraDoc* doc = m_fx.Host().active;
        QSqlQuery query(doc->Database());
        query.prepare(QStringLiteral("UPDATE unit_details SET unit_user_name = 'Kept'"));
        QVERIFY(query.exec());
        Answers().Script({IDYES, IDNO});
        QVERIFY(Read());
        QCOMPARE(Answers().Ids(), (QList<int>{PhoneMsg::ReadIntoOpenFleet, 1604}));
        QCOMPARE(UserName(doc, imei), QStringLiteral("Kept"));
        Answers().Clear();
        Answers().Script({IDYES, IDYES});
        QVERIFY(Read());
        QCOMPARE(UserName(doc, imei), m_fx.Load(name).UserName());
    }

    void unsupportedCodeplugShowsTheNotice()
    {
        CPhonePresetOptions options;
        options.structureVersion = 0x40;
        m_fx.Plug(10, options);
        QVERIFY(!Read());
        QCOMPARE(Answers().Ids(), QList<int>{6000 - AGENT_CP_UNSUPPORTED});
        QCOMPARE(m_fx.Host().noSupportShown, 1);
        QCOMPARE(m_fx.Host().waits, 0);
    }

    void cancelledOrFailedReadLeavesTheFleet()
    {
        const QString name = m_fx.Plug(10);
        m_fx.AddFault(name, QStringLiteral("AgentReadCodeplug"), AGENT_CANCELLED, 1);
        QVERIFY(!Read());
        QVERIFY(Answers().Ids().isEmpty());
        QCOMPARE(m_fx.Host().noSupportShown, 0);

        m_fx.AddFault(name, QStringLiteral("item:3"), AGENT_READ_FAILED, 1);
        QVERIFY(!Read());
        QCOMPARE(Answers().Ids(), QList<int>{6000 - PhoneErr::UserName});
        QCOMPARE(m_fx.Host().depth, 0);
        QCOMPARE(CPhoneCommands::UnitCount(m_fx.Host().active->Database()), 0);
    }

    void editingGridStopsTheRead()
    {
        m_fx.Plug(10);
        CVelmoraDoc* doc = m_fx.NewFleet();
        CEditingView view;
        doc->AddView(&view);
        QVERIFY(!Read());
        doc->RemoveView(&view);
        QCOMPARE(Answers().Ids(), QList<int>{int(PhoneMsg::CellEditingRead)});
        QCOMPARE(m_fx.Host().waits, 0);
    }

    void aNewRowAskingForThePhoneReadsItOnce()
    {
        // Storing the row being typed may show the new-unit prompt, whose read-from-phone choice runs
        // the read inside the read already asked for: the phone is read once, and the row is not
        // stored again.
        m_fx.Plug(10);
        QVERIFY(Read());
        m_fx.Host().storePending = [this](CVelmoraDoc&) {
            Answers().Script({IDYES});
            Read();
            return false; // the grid was reloaded under the row
        };
        Answers().Clear();
        QVERIFY(!Read());
        QCOMPARE(m_fx.Host().pendingStored, 1);
        QCOMPARE(Answers().Ids(), (QList<int>{PhoneMsg::ReadIntoOpenFleet, 1604}));
        QCOMPARE(m_fx.Host().depth, 0);
    }

    void failedResetAfterReadIsReported()
    {
        const QString name = m_fx.Plug(10);
        m_fx.AddFault(name, QStringLiteral("AgentResetPhone"), AGENT_RESET_FAILED, 1);
        QVERIFY(Read());
        QCOMPARE(Answers().Ids(), QList<int>{6000 - AGENT_RESET_FAILED});
        QCOMPARE(CPhoneCommands::UnitCount(m_fx.Host().active->Database()), 1);
    }

    void recoveryFindsThePhonesBackup()
    {
        const QString name = m_fx.Plug(10);
        const QString imei = m_fx.Load(name).imei;
        QString path;
        Answers().Script({IDNO});
        // A no ends the command without a word.
        QCOMPARE(CCodeplugRecovery(m_fx.Settings()).Start(m_fx.Host(), path), CVelmoraError::Cancelled());
        QCOMPARE(m_fx.Host().waits, 0);
        Answers().Script({IDYES});
        QVERIFY(!CCodeplugRecovery(m_fx.Settings()).Start(m_fx.Host(), path).IsError());
        // The folder setting has no trailing separator: the file is still found inside it.
        QCOMPARE(path, m_fx.Settings().backupFolder + QStringLiteral("/") + imei + QStringLiteral(".dbf"));
        QCOMPARE(m_fx.Host().depth, 0);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Codeplug Backup Path"), QString());
        Answers().Script({IDYES});
        QVERIFY(!CCodeplugRecovery(m_fx.Settings()).Start(m_fx.Host(), path).IsError());
        QCOMPARE(path,
                 CTestEnvironment::ProgramFolder() + QStringLiteral("/") + imei + QStringLiteral(".dbf"));
    }

    void restoreStaysOnEveryFailure()
    {
        const QString name = m_fx.Plug(10);
        const CCodeplugRecovery recovery(m_fx.Settings());
        QCOMPARE(recovery.Restore(QString(), m_fx.Host(), m_fx.Host()), CCodeplugRecovery::Result::Stay);
        QCOMPARE(recovery.Restore(m_fx.Settings().backupFolder + QStringLiteral("/none.dbf"), m_fx.Host(),
                                  m_fx.Host()),
                 CCodeplugRecovery::Result::Stay);
        QCOMPARE(Answers().Ids(), (QList<int>{PhoneMsg::BackupMissing, PhoneMsg::BackupMissing}));

        const QString damaged = m_fx.Settings().backupFolder + QStringLiteral("/damaged.dbf");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a backup");
        file.close();
        Answers().Clear();
        QCOMPARE(recovery.Restore(damaged, m_fx.Host(), m_fx.Host()), CCodeplugRecovery::Result::Stay);
        QCOMPARE(Answers().Ids(), QList<int>{6000 - AGENT_BACKUP_UNREADABLE});

        // A real backup, made by programming the phone.
        QVERIFY(AgentReadCodeplug(1, 0, 0) == AGENT_SUCCESS);
        QVERIFY(AgentWriteCodeplug(1, 0, m_fx.Settings().backupFolder, 0, 0) == AGENT_SUCCESS);
        const QString backup =
            m_fx.Settings().backupFolder + QStringLiteral("/") + m_fx.Load(name).imei + ".dbf";
        m_fx.AddFault(name, QStringLiteral("AgentWriteCodeplug"), AGENT_WRITE_FAILED, 1);
        Answers().Clear();
        QCOMPARE(recovery.Restore(backup, m_fx.Host(), m_fx.Host()), CCodeplugRecovery::Result::Stay);
        QCOMPARE(Answers().Ids(), QList<int>{6000 - AGENT_WRITE_FAILED});

        // Once the phone took the backup, the restart and its notice always follow.
        m_fx.AddFault(name, QStringLiteral("AgentResetPhone"), AGENT_RESET_FAILED, 1);
        Answers().Clear();
        QCOMPARE(recovery.Restore(backup, m_fx.Host(), m_fx.Host()), CCodeplugRecovery::Result::Stay);
        QCOMPARE(Answers().Ids(), (QList<int>{PhoneMsg::Restored, 6000 - AGENT_RESET_FAILED}));
        QCOMPARE(m_fx.Host().depth, 0);

        // A restore that goes through: the window waits while the phone is programmed and again while
        // it restarts, and takes input again for the notice.
        Answers().Clear();
        const int waits = m_fx.Host().waits;
        QCOMPARE(recovery.Restore(backup, m_fx.Host(), m_fx.Host()), CCodeplugRecovery::Result::Close);
        QCOMPARE(Answers().Ids(), QList<int>{PhoneMsg::Restored});
        QCOMPARE(m_fx.Host().waits - waits, 2);
        QCOMPARE(m_fx.Host().depth, 0);
    }
};

VELMORA_TEST_MAIN(TestPhoneCommands)
#include "tst_phone_commands.moc"
