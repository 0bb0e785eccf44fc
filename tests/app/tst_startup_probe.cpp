#include "CTestEnvironment.h"
#include "CVelmoraApp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>
#include <vector>

// The program folder's write check, as programs started together run it.
class TestStartupProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void concurrentProbesAllSucceed()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        constexpr int Threads = 4;
        constexpr int Rounds = 2000;
        std::atomic<int> failures{0};
        std::vector<std::thread> starts;
        for (int t = 0; t < Threads; ++t) {
            starts.emplace_back([&]() {
                for (int i = 0; i < Rounds; ++i) {
                    if (!CVelmoraApp::ProgramFolderWritable(folder.path()))
                        ++failures;
                }
            });
        }
        for (std::thread& start : starts)
            start.join();
        QCOMPARE(failures.load(), 0);
        // Each probe removes its own file and only its own.
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void probeKeepsOtherFiles()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // A file named as the old fixed probe belongs to someone else now.
        QFile other(folder.filePath(QStringLiteral("tem")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("keep");
        other.close();
        QVERIFY(CVelmoraApp::ProgramFolderWritable(folder.path()));
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("keep"));
    }

    void folderThatCannotHoldFilesFails()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(!CVelmoraApp::ProgramFolderWritable(folder.filePath(QStringLiteral("missing"))));
        // A plain file where the folder should be: nothing can be created in it, even by root.
        QFile plain(folder.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(!CVelmoraApp::ProgramFolderWritable(plain.fileName()));
    }
};

VELMORA_TEST_MAIN(TestStartupProbe)
#include "tst_startup_probe.moc"
