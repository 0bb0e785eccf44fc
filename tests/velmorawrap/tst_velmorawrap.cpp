#include "CIniFile.h"
#include "CResourceStrings.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraError.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

class TestVelmoraWrap : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

    static void WriteFile(const QString& path, const QByteArray& data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }
    // A file last written the given number of seconds ago.
    static void WriteAged(const QString& path, const QByteArray& data, int seconds)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
        f.close();
        QVERIFY(f.open(QIODevice::Append));
        QVERIFY(
            f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
    }
    static QByteArray ReadFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { answers.Clear(); }

    void showErrorByIdAndText()
    {
        // The text comes from the language table; captions by kind.
        QCOMPARE(CVelmoraWrap::ShowError(1662, VMT_ERROR), int(IDOK));
        QCOMPARE(answers.Count(), 1);
        QCOMPARE(answers.Messages()[0].id, 1662);
        QCOMPARE(answers.Messages()[0].text, CVelmoraWrap::LoadString(1662));
        QVERIFY(!answers.Messages()[0].text.isEmpty());
        QCOMPARE(answers.Messages()[0].caption, CVelmoraWrap::LoadString(CVelmoraWrap::IdCaptionError));

        QCOMPARE(CVelmoraWrap::ShowError(QStringLiteral("O'Brien: 100% #1"), VMT_NOTICE), int(IDOK));
        QCOMPARE(answers.Messages()[1].id, 0);
        QCOMPARE(answers.Messages()[1].text, QStringLiteral("O'Brien: 100% #1"));
        QCOMPARE(answers.Messages()[1].caption, CVelmoraWrap::LoadString(CVelmoraWrap::IdCaptionNotice));
    }

    void answersAreThoseOfTheKind()
    {
        answers.Script({IDYES, IDNO, IDCANCEL, IDCANCEL, IDYES, 42});
        QCOMPARE(CVelmoraWrap::ShowError(1397, VMT_YESNO), int(IDYES));
        QCOMPARE(CVelmoraWrap::ShowError(1397, VMT_YESNO), int(IDNO));
        // A yes/no question has no cancel: anything but yes is no.
        QCOMPARE(CVelmoraWrap::ShowError(1397, VMT_YESNO), int(IDNO));
        QCOMPARE(CVelmoraWrap::ShowError(1394, VMT_YESNOCANCEL), int(IDCANCEL));
        QCOMPARE(CVelmoraWrap::ShowError(1394, VMT_YESNOCANCEL), int(IDYES));
        // An answer that does not exist for the kind is taken as cancel.
        QCOMPARE(CVelmoraWrap::ShowError(1394, VMT_YESNOCANCEL), int(IDCANCEL));
        // Script used up: the cautious answer.
        QCOMPARE(CVelmoraWrap::ShowError(1397, VMT_YESNO), int(IDNO));
        QCOMPARE(CVelmoraWrap::ShowError(1662, VMT_ERROR), int(IDOK));
    }

    void agentErrorsStopRule()
    {
        // Not failures: no message, go on.
        for (int code : {1, -2}) {
            QCOMPARE(CVelmoraWrap::HandleAgentAPIErrors(code), 0);
        }
        QCOMPARE(answers.Count(), 0);
        // Completed with a remark (a restore passes these on): the remark is a notice, and go on.
        for (int code : {-23, -24, -25}) {
            answers.Clear();
            QCOMPARE(CVelmoraWrap::HandleAgentAPIErrors(code), 0);
            QCOMPARE(answers.Count(), 1);
            QCOMPARE(answers.Messages()[0].id, 6000 - code);
            QCOMPARE(answers.Messages()[0].type, VMT_NOTICE);
            QVERIFY(!answers.Messages()[0].text.isEmpty());
        }
        answers.Clear();
        // Cancelled: stop, silently.
        QCOMPARE(CVelmoraWrap::HandleAgentAPIErrors(-28), 1);
        QCOMPARE(answers.Count(), 0);
        // Every failure the library can return has its own text, and stops.
        for (int code = -1; code >= -30; --code) {
            if (code == -2 || code == -23 || code == -24 || code == -25 || code == -28)
                continue;
            answers.Clear();
            QCOMPARE(CVelmoraWrap::HandleAgentAPIErrors(code), 1);
            QCOMPARE(answers.Count(), 1);
            QCOMPARE(answers.Messages()[0].id, 6000 - code);
            QVERIFY2(!answers.Messages()[0].text.isEmpty(), qPrintable(QString::number(code)));
        }
        // An unknown code still says which code it was.
        answers.Clear();
        QCOMPARE(CVelmoraWrap::HandleAgentAPIErrors(-77), 1);
        QVERIFY(answers.Messages()[0].text.contains(QStringLiteral("-77")));
    }

    void errorValuesCarryWhatIsShown()
    {
        // A value made by logic shows the same message, by id, as showing it directly would.
        const CVelmoraError byId = CVelmoraError::Message(1631, {QStringLiteral("O'Brien")});
        QVERIFY(byId.IsError() && byId.Stops() && !byId.IsNotice());
        QCOMPARE(CVelmoraWrap::ShowError(byId), int(IDOK));
        QCOMPARE(answers.Count(), 1);
        QCOMPARE(answers.Messages()[0].id, 1631);
        QCOMPARE(answers.Messages()[0].text,
                 CVelmoraWrap::FillArgs(CVelmoraWrap::LoadString(1631), {QStringLiteral("O'Brien")}));

        const CVelmoraError text = CVelmoraError::Text(QStringLiteral("database is locked"));
        QCOMPARE(text.ToText(), QStringLiteral("database is locked"));
        CVelmoraWrap::ShowError(text);
        QCOMPARE(answers.Messages()[1].id, 0);
        QCOMPARE(answers.Messages()[1].text, QStringLiteral("database is locked"));

        // Success and a stop the user chose show nothing.
        answers.Clear();
        QCOMPARE(CVelmoraWrap::ShowError(CVelmoraError()), int(IDOK));
        QCOMPARE(CVelmoraWrap::ShowError(CVelmoraError::Cancelled()), int(IDOK));
        QCOMPARE(answers.Count(), 0);
        QVERIFY(CVelmoraError::Cancelled().Stops());
        QVERIFY(!CVelmoraError());

        // Agent codes: the same rule as the handler.
        QVERIFY(!CVelmoraError::FromAgentCode(1) && !CVelmoraError::FromAgentCode(-2));
        QVERIFY(CVelmoraError::FromAgentCode(-24).IsNotice() && !CVelmoraError::FromAgentCode(-24).Stops());
        QVERIFY(CVelmoraError::FromAgentCode(-28).IsCancelled());
        QCOMPARE(CVelmoraError::FromAgentCode(-5).Id(), 6005);
        QVERIFY(CVelmoraError::FromAgentCode(-77).ToText().contains(QStringLiteral("-77")));
        QCOMPARE(CVelmoraError::FromVelmoraCode(-203).Id(), 6203);
        QCOMPARE(CVelmoraError::Message(5, {QStringLiteral("a")}),
                 CVelmoraError::Message(5, {QStringLiteral("a")}));
        QVERIFY(CVelmoraError::Message(5) != CVelmoraError::Message(5, {}, VMT_NOTICE));
    }

    void programErrorTexts()
    {
        for (int code = -203; code >= -262; --code) {
            answers.Clear();
            CVelmoraWrap::HandleVelmoraError(code);
            QCOMPARE(answers.Count(), 1);
            QCOMPARE(answers.Messages()[0].id, 6000 - code);
            QVERIFY(!answers.Messages()[0].text.isEmpty());
        }
        answers.Clear();
        CVelmoraWrap::HandleVelmoraError(-300);
        QVERIFY(answers.Messages()[0].text.contains(QStringLiteral("-300")));
    }

    void registryRoundTrip()
    {
        const QStringList values = {QStringLiteral("He said \"hi\""),
                                    QStringLiteral("100% sure"),
                                    QStringLiteral("-1#70#105"),
                                    QStringLiteral("a, b; c=d"),
                                    QStringLiteral("שלום עולם"),
                                    QStringLiteral("  padded  "),
                                    QString(),
                                    QStringLiteral("C:\\Backups\\"),
                                    QStringLiteral("[Section]")};
        for (const QString& v : values) {
            QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Round Trip"), v));
            QString back = QStringLiteral("unset");
            QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Round Trip"), back));
            QCOMPARE(back, v);
        }
        QString missing;
        QVERIFY(!CVelmoraWrap::GetRegistryValue(QStringLiteral("Never Written"), missing));
        QVERIFY(CVelmoraWrap::SettingsStoreExists());

        // Values of sibling programs live in their own group and do not mix with ours.
        QVERIFY(CVelmoraWrap::SetGroupValue(QStringLiteral("Tarn"), QStringLiteral("SharedUI Lang"),
                                            QStringLiteral("2")));
        QString shared;
        QVERIFY(CVelmoraWrap::GetGroupValue(QStringLiteral("Tarn"), QStringLiteral("SharedUI Lang"), shared));
        QCOMPARE(shared, QStringLiteral("2"));
        QVERIFY(!CVelmoraWrap::GetRegistryValue(QStringLiteral("SharedUI Lang"), shared));
    }

    // A writer killed while saving the settings leaves its lock; the next use clears it at once instead of
    // waiting for it to grow stale.
    void deadWritersLockIsRecovered_data()
    {
        QTest::addColumn<bool>("namesOwner");
        QTest::newRow("killed before naming itself") << false;
        QTest::newRow("owner no longer running") << true;
    }
    void deadWritersLockIsRecovered()
    {
        QFETCH(bool, namesOwner);
        QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Lock Test"), QStringLiteral("before")));
        const QString lockPath = CVelmoraWrap::SettingsStorePath() + QStringLiteral(".lock");
        QByteArray owner;
        if (namesOwner) {
            QProcess gone;
            gone.start(QStringLiteral("true"), {});
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            owner = QByteArray::number(pid) + "\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        }
        WriteAged(lockPath, owner, 5);

        QString value;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Lock Test"), value));
        QVERIFY(!QFile::exists(lockPath));
        QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Lock Test"), QStringLiteral("after")));
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Lock Test"), value));
        QCOMPARE(value, QStringLiteral("after"));
        QVERIFY(!QFile::exists(lockPath));
    }

    void liveWritersLockIsKept()
    {
        QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Lock Test"), QStringLiteral("kept")));
        QLockFile live(CVelmoraWrap::SettingsStorePath() + QStringLiteral(".lock"));
        QVERIFY(live.tryLock());
        QString value;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Lock Test"), value));
        QCOMPARE(value, QStringLiteral("kept"));
        QVERIFY(live.isLocked());
        QVERIFY(QFile::exists(live.fileName()));
        live.unlock();
    }

    // Temporary copies of killed writers go; recent ones (a writer at work) and other files stay.
    void strayTemporariesAreRemoved()
    {
        QVERIFY(CVelmoraWrap::SetRegistryValue(QStringLiteral("Temp Test"), QStringLiteral("1")));
        const QString store = CVelmoraWrap::SettingsStorePath();
        const QString stray = store + QStringLiteral(".aB3xYz");
        const QString recent = store + QStringLiteral(".Qw7Er9");
        const QString backup = store + QStringLiteral(".bak");
        WriteAged(stray, "[General]\n", 120);
        WriteAged(recent, "[General]\n", 0);
        WriteAged(backup, "keep", 120);
        QString value;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Temp Test"), value));
        QVERIFY(!QFile::exists(stray));
        QVERIFY(QFile::exists(recent));
        QVERIFY(QFile::exists(backup));
        QFile::remove(recent);
        QFile::remove(backup);

        // Nothing is cleared while a live writer holds the store.
        WriteAged(stray, "[General]\n", 120);
        QLockFile live(store + QStringLiteral(".lock"));
        QVERIFY(live.tryLock());
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Temp Test"), value));
        QVERIFY(QFile::exists(stray));
        live.unlock();
        QFile::remove(stray);
    }

    void iniKeepsCommentsOrderAndValues()
    {
        const QByteArray original = "; carrier file\r\n"
                                    "[Application Title]\r\n"
                                    "Title=Fleet \"North\"\r\n"
                                    "CarrierID = 1\r\n"
                                    "\r\n"
                                    "# the models\r\n"
                                    "[SubId Rel_Models]\r\n"
                                    "RelModel0=-1#70#105\r\n"
                                    "RelModelName-1#70#105=Alder 105 \xD7\xA9\r\n"
                                    "Empty=\r\n";
        CIniFile ini;
        QVERIFY2(ini.Parse(original, QStringLiteral("t")), qPrintable(ini.ErrorString()));
        QString v;
        QVERIFY(ini.Value(QStringLiteral("application title"), QStringLiteral("TITLE"), v));
        QCOMPARE(v, QStringLiteral("Fleet \"North\""));
        QVERIFY(ini.Value(QStringLiteral("Application Title"), QStringLiteral("CarrierID"), v));
        QCOMPARE(v, QStringLiteral("1"));
        QVERIFY(ini.Value(QStringLiteral("SubId Rel_Models"), QStringLiteral("RelModelName-1#70#105"), v));
        QCOMPARE(v, QString::fromUtf8("Alder 105 ש"));
        QVERIFY(ini.Value(QStringLiteral("SubId Rel_Models"), QStringLiteral("Empty"), v));
        QVERIFY(v.isEmpty());
        QVERIFY(!ini.Value(QStringLiteral("SubId Rel_Models"), QStringLiteral("Nope"), v));
        // Untouched, it writes back byte for byte.
        QCOMPARE(ini.Serialize(), original);

        // A change stays in its line; a new key goes after the section's last key; a new section at the end.
        QVERIFY(ini.SetValue(QStringLiteral("Application Title"), QStringLiteral("carrierid"),
                             QStringLiteral("3")));
        QVERIFY(ini.SetValue(QStringLiteral("Application Title"), QStringLiteral("Extra"),
                             QStringLiteral("100%")));
        QVERIFY(ini.SetValue(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral(" spaced ")));
        const QByteArray changed = ini.Serialize();
        QCOMPARE(
            changed,
            QByteArray(
                "; carrier file\r\n[Application Title]\r\nTitle=Fleet \"North\"\r\nCarrierID=3\r\n"
                "Extra=100%\r\n\r\n# the models\r\n[SubId Rel_Models]\r\nRelModel0=-1#70#105\r\n"
                "RelModelName-1#70#105=Alder 105 \xD7\xA9\r\nEmpty=\r\n\r\n[New]\r\nKey=\" spaced \"\r\n"));
        CIniFile reread;
        QVERIFY(reread.Parse(changed, QStringLiteral("t")));
        QVERIFY(reread.Value(QStringLiteral("New"), QStringLiteral("Key"), v));
        QCOMPARE(v, QStringLiteral(" spaced "));
        // Values that look quoted survive too.
        QVERIFY(reread.SetValue(QStringLiteral("New"), QStringLiteral("Q"), QStringLiteral("\"quoted\"")));
        CIniFile third;
        QVERIFY(third.Parse(reread.Serialize(), QStringLiteral("t")));
        QVERIFY(third.Value(QStringLiteral("New"), QStringLiteral("Q"), v));
        QCOMPARE(v, QStringLiteral("\"quoted\""));
        // A line break cannot be stored.
        QVERIFY(!third.SetValue(QStringLiteral("New"), QStringLiteral("Bad"), QStringLiteral("a\nb")));
    }

    void iniRefusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("line");
        QTest::newRow("key before section") << QByteArray("Key=1\n[S]\n") << 1;
        QTest::newRow("no equals") << QByteArray("[S]\nA=1\njunk line\n") << 3;
        QTest::newRow("open header") << QByteArray("[S]\n[Broken\n") << 2;
        QTest::newRow("empty header") << QByteArray("[S]\n[]\n") << 2;
        QTest::newRow("repeated key") << QByteArray("[S]\nA=1\na=2\n") << 3;
        QTest::newRow("repeated section") << QByteArray("[S]\nA=1\n[s]\nB=2\n") << 3;
        QTest::newRow("nameless key") << QByteArray("[S]\n=2\n") << 2;
    }

    void iniRefusesDamagedFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, line);
        CIniFile ini;
        QVERIFY(!ini.Parse(contents, QStringLiteral("Carrier.ini")));
        QVERIFY2(ini.ErrorString().startsWith(QStringLiteral("Carrier.ini:%1:").arg(line)),
                 qPrintable(ini.ErrorString()));
        QString v;
        QVERIFY(!ini.Value(QStringLiteral("S"), QStringLiteral("A"), v)); // nothing half-loaded
    }

    void carrierIniThroughTheComponent()
    {
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("ini"));
        const QString path = folder + QStringLiteral("/Carrier.ini");
        WriteFile(path, "; keep me\n[Carrier Settings]\nService Provider Max SMS Length=\n");
        CVelmoraWrap::SetAppPath(folder);
        QString v = QStringLiteral("x");
        QVERIFY(CVelmoraWrap::GetCarrierIniValue(QStringLiteral("Carrier Settings"),
                                                 QStringLiteral("Service Provider Max SMS Length"), v));
        QVERIFY(v.isEmpty());
        QVERIFY(CVelmoraWrap::SetCarrierIniValue(QStringLiteral("Carrier Settings"),
                                                 QStringLiteral("Service Provider Max SMS Length"),
                                                 QStringLiteral("140")));
        QCOMPARE(ReadFile(path),
                 QByteArray("; keep me\n[Carrier Settings]\nService Provider Max SMS Length=140\n"));

        // A change made on disk by someone else is seen.
        QTest::qWait(20);
        WriteFile(path, "[Carrier Settings]\nService Provider Max SMS Length=160 \n");
        QVERIFY(CVelmoraWrap::GetCarrierIniValue(QStringLiteral("Carrier Settings"),
                                                 QStringLiteral("Service Provider Max SMS Length"), v));
        QCOMPARE(v, QStringLiteral("160"));

        // A damaged file reads nothing, says why, and is not written over.
        WriteFile(path, "[Carrier Settings]\nthis is not a key\n");
        QVERIFY(
            !CVelmoraWrap::GetCarrierIniValue(QStringLiteral("Carrier Settings"), QStringLiteral("A"), v));
        QVERIFY(CVelmoraWrap::CarrierIniError().contains(QStringLiteral(":2:")));
        QVERIFY(!CVelmoraWrap::SetCarrierIniValue(QStringLiteral("Carrier Settings"), QStringLiteral("A"),
                                                  QStringLiteral("1")));
        QCOMPARE(ReadFile(path), QByteArray("[Carrier Settings]\nthis is not a key\n"));

        // No file at all.
        QFile::remove(path);
        QVERIFY(
            !CVelmoraWrap::GetCarrierIniValue(QStringLiteral("Carrier Settings"), QStringLiteral("A"), v));
        QVERIFY(!CVelmoraWrap::CarrierIniError().isEmpty());
        CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder());
    }

    void languageTables()
    {
        CResourceStrings strings;
        QVERIFY(strings.Parse("# comment\n10\tLine one\\nLine two\\tTabbed \\\\ back\n\n20\t%1 of %2\n",
                              QStringLiteral("x")));
        QCOMPARE(strings.Text(10), QStringLiteral("Line one\nLine two\tTabbed \\ back"));
        QCOMPARE(strings.Text(20).arg(3).arg(5), QStringLiteral("3 of 5"));
        QCOMPARE(strings.Ids(), (QList<int>{10, 20}));
        bool ok = false;
        QCOMPARE(CResourceStrings::Unescape(CResourceStrings::Escape(QStringLiteral("a\\n\n\tb")), &ok),
                 QStringLiteral("a\\n\n\tb"));

        QVERIFY(!strings.Parse("10\tone\n10\ttwo\n", QStringLiteral("x")));
        QVERIFY(strings.ErrorString().contains(QStringLiteral("x:2")));
        QVERIFY(strings.IsEmpty());
        QVERIFY(!strings.Parse("ten\tone\n", QStringLiteral("x")));
        QVERIFY(!strings.Parse("10 no tab\n", QStringLiteral("x")));
        QVERIFY(!strings.Parse("10\tbad \\q escape\n", QStringLiteral("x")));
        QVERIFY(!strings.Parse("", QStringLiteral("x")));
        QVERIFY(!strings.Load(QStringLiteral("/nonexistent/VelmoraRes.lang")));
    }

    void fillArgsInOnePass()
    {
        const auto fill = [](const char* text, const QStringList& args) {
            return CVelmoraWrap::FillArgs(QString::fromUtf8(text), args);
        };
        // Markers by number in any order, each filled once; a value holding a marker is not filled again.
        QCOMPARE(fill("%2 from %1", {"a.vlf", "b.vlf"}), QStringLiteral("b.vlf from a.vlf"));
        QCOMPARE(fill("%1 and %2", {"100%2", "x"}), QStringLiteral("100%2 and x"));
        QCOMPARE(fill("%1%1", {"7"}), QStringLiteral("77"));
        // Two-digit markers, %0, a lone % and markers without a value stay as they are.
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QString::number(i * 10);
        QCOMPARE(fill("%12 %1", twelve), QStringLiteral("120 10"));
        QCOMPARE(fill("50% %0 %3 %", {"a"}), QStringLiteral("50% %0 %3 %"));
        QCOMPARE(fill("עותק של %1", {"דוד"}), QStringLiteral("עותק של דוד"));
    }

    void splitterAndVariants()
    {
        CVelmoraWrap::SetSplitterPos(120, 80);
        unsigned long a = 0, b = 0;
        CVelmoraWrap::GetSplitterPos(a, b);
        QCOMPARE(a, 120ul);
        QCOMPARE(b, 80ul);

        QCOMPARE(CVelmoraWrap::strVARIANT(QVariant()), QString());
        QCOMPARE(CVelmoraWrap::strVARIANT(QVariant(QMetaType(QMetaType::QString))), QString());
        QCOMPARE(CVelmoraWrap::strVARIANT(QStringLiteral("O'Brien")), QStringLiteral("O'Brien"));
        QCOMPARE(CVelmoraWrap::strVARIANT(42), QStringLiteral("42"));
        QCOMPARE(CVelmoraWrap::strVARIANT(qint64(356789012345678)), QStringLiteral("356789012345678"));
        QCOMPARE(CVelmoraWrap::strVARIANT(true), QStringLiteral("1"));
        QCOMPARE(CVelmoraWrap::strVARIANT(2.5), QStringLiteral("2.5"));
    }
};

VELMORA_TEST_MAIN(TestVelmoraWrap)
#include "tst_velmorawrap.moc"
