// The window ended by a signal (logout, shutdown, a kill from a terminal) closes its fleets as its own
// exit would.
#include "CEndSignals.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CTestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <unistd.h>

class TestProgramEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endSignalsArriveInTheEventLoop()
    {
        CEndSignals guard;
        QVERIFY(guard.IsActive());
        QSignalSpy spy(&guard, &CEndSignals::endRequested);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            QCOMPARE(::raise(signal), 0);
            QTRY_COMPARE(spy.count(), 1);
            QCOMPARE(spy.takeFirst().at(0).toInt(), signal);
        }
    }

    void aSignalledWindowStoresItsFleet()
    {
        const QString exe = qEnvironmentVariable("VELMORA_BIN_DIR") + QStringLiteral("/velmora");
        const QString home = CTestEnvironment::NewFolder(QStringLiteral("home"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), CTestEnvironment::NewFolder(QStringLiteral("tmp")));
        // A fleet made by the program's own template, stored as the program leaves fleets.
        const QString fleet = home + QStringLiteral("/Shift.vlf");
        const QString templatePath = CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraVLF.vdf");
        QVERIFY(QFile::copy(templatePath, fleet));
        QFile::setPermissions(fleet, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(CFleetFile::StoreFleetFile(fleet));

        for (const int signal : {SIGTERM, SIGHUP}) {
            QProcess program;
            program.setProcessEnvironment(env);
            program.start(exe, {fleet});
            QVERIFY(program.waitForStarted());
            // The fleet is open once its backup is there.
            const QString backup = home + QStringLiteral("/shift.tem");
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(backup) && QFile::exists(CFleetLock::LockPathFor(fleet)),
                                     30000);
            QVERIFY(!CFleetFile::IsStoredForm(fleet));
            QTest::qWait(300);
            ::kill(pid_t(program.processId()), signal);
            QVERIFY(program.waitForFinished(20000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 128 + signal);
            QVERIFY(CFleetFile::IsStoredForm(fleet));
            QVERIFY(!QFile::exists(backup));
            QVERIFY(!QFile::exists(CFleetLock::LockPathFor(fleet)));
        }
    }
};

VELMORA_TEST_MAIN(TestProgramEnd)
#include "tst_program_end.moc"
