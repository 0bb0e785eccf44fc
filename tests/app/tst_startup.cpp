#include "CIniFile.h"
#include "CInstanceGuard.h"
#include "CProgramFolderSetup.h"
#include "CResourceStrings.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "IAppShell.h"
#include "Sms.h"
#include "SmsRequest.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>
#include <thread>
#include <unistd.h>

namespace {

// Stands in for a program folder nobody may write to (the suite may run as root).
bool UnwritableFolder(const QString&)
{
    return false;
}

// Starts as main() does: the message start-up ends with is shown by its caller.
bool Start(CVelmoraApp& app, const QStringList& arguments)
{
    CVelmoraError error;
    const bool started = app.InitInstance(arguments, error);
    CVelmoraWrap::ShowError(error);
    return started;
}

// Records what start-up asked of the windowed half.
class CRecordingShell : public IAppShell
{
public:
    QStringList titles;
    QList<QStringList> shellFiles;
    QList<QStringList> activations;
    int shown = 0;
    int destroyed = 0;
    bool createResult = true;

    bool CreateMainFrame(const QString& title) override
    {
        titles << title;
        return createResult;
    }
    bool ProcessShellCommand(const QStringList& files) override
    {
        shellFiles << files;
        return true;
    }
    void ShowMainWindow() override { ++shown; }
    void ActivateFromOtherInstance(const QStringList& files) override { activations << files; }
    void DestroyMainFrame() override { ++destroyed; }
};

// Collects what a piece of code writes to stderr.
class CStderrCapture
{
public:
    CStderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    ~CStderrCapture() { Stop(); }
    QString Stop()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, 2);
            ::close(m_saved);
            m_saved = -1;
            m_file.seek(0);
            m_text = QString::fromUtf8(m_file.readAll());
        }
        return m_text;
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
    QString m_text;
};

QString SetValue(const char* name, const QString& value)
{
    CVelmoraWrap::SetRegistryValue(QString::fromLatin1(name), value);
    return value;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();
    QString m_folder;
    int m_keyCounter = 0;

    // A complete, valid configuration over a fresh program folder.
    void Configure()
    {
        CTestEnvironment::ClearSettings();
        m_folder = CTestEnvironment::NewFolder(QStringLiteral("program"));
        QVERIFY(CTestEnvironment::FillProgramFolder(m_folder));
        CProgramFolderSetup::WriteDefaultSettings(m_folder);
        SetValue("Setup Flag", QString());
    }

    void SetIni(const QString& section, const QString& key, const QString& value)
    {
        CIniFile ini;
        QVERIFY(ini.Load(m_folder + QStringLiteral("/Carrier.ini")));
        QVERIFY(ini.SetValue(section, key, value));
        QVERIFY(ini.Save(m_folder + QStringLiteral("/Carrier.ini")));
    }

    QString Ini(const QString& section, const QString& key)
    {
        CIniFile ini;
        QString value;
        ini.Load(m_folder + QStringLiteral("/Carrier.ini"));
        ini.Value(section, key, value);
        return value;
    }

    std::unique_ptr<CVelmoraApp> MakeApp(CRecordingShell& shell)
    {
        auto app = std::make_unique<CVelmoraApp>();
        app->SetShell(&shell);
        app->SetInstanceKey(QStringLiteral("test-%1-%2").arg(::getpid()).arg(++m_keyCounter));
        app->SetSystemIsHebrew([]() { return false; });
        return app;
    }

    // Runs a start-up that must fail and gives what it said on stderr; the window never appears.
    QString FailedStartup(int* windows = nullptr, std::function<bool(const QString&)> folderProbe = {})
    {
        CRecordingShell shell;
        auto app = MakeApp(shell);
        if (folderProbe)
            app->SetFolderProbe(std::move(folderProbe));
        CStderrCapture capture;
        const bool started = Start(*app, {});
        const QString err = capture.Stop();
        app->ExitInstance();
        if (windows)
            *windows = int(shell.titles.size()) + shell.shown;
        return started ? QStringLiteral("<started>") : err;
    }

private Q_SLOTS:
    void init()
    {
        answers.Clear();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        Configure();
    }

    // The SMS library runs from start-up to exit, with the modem chosen in an earlier run and its
    // outbox in the program folder.
    void smsLibraryRunsWithTheProgram()
    {
        SetValue("Modem ID", QStringLiteral("0"));
        SetValue("Modem Name", QStringLiteral("Virtual modem"));
        CRecordingShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {}));
        QVERIFY(app->SmsAvailable());
        QByteArray request(SMS_REQUEST_SIZE, '\0');
        SmsRecord::WriteInt(request.data(), SMS_OFF_RECIPIENT_COUNT, 1);
        SmsRecord::WriteText(request.data(), SMS_OFF_RECIPIENTS, SMS_RECIPIENT_SIZE, "0541234567");
        SmsRecord::WriteText(request.data(), SMS_OFF_MESSAGE, SMS_MESSAGE_SIZE, "hello");
        SmsRecord::WriteInt(request.data(), SMS_OFF_MAX_LENGTH, 140);
        QCOMPARE(SMSSendMessage(nullptr, request.data()), int(SMS_OK));
        QFile outbox(m_folder + QStringLiteral("/SmsOutbox.txt"));
        QVERIFY(outbox.open(QIODevice::ReadOnly));
        QVERIFY(outbox.readAll().endsWith("\t0541234567\t\t0\thello\n"));
        // The library's texts come from the language files.
        QString text;
        SMSGetErrString(SMS_ERR_CANCELLED, 0, &text);
        QCOMPARE(text, CVelmoraWrap::LoadString(8013));
        app->ExitInstance();
        int count = 0;
        QCOMPARE(SMSGetModemCount(&count), int(SMS_ERR_NOT_INITIALIZED));

        // With no modem chosen (id -1) the library starts without one.
        SetValue("Modem ID", QStringLiteral("-1"));
        auto again = MakeApp(shell);
        QVERIFY(Start(*again, {}));
        QCOMPARE(SMSSendMessage(nullptr, request.data()), int(SMS_ERR_NO_MODEM));
        again->ExitInstance();
    }

    void firstRunPreparesEverything()
    {
        CTestEnvironment::ClearSettings();
        QFile::remove(CVelmoraWrap::SettingsStorePath());
        QVERIFY(!CVelmoraWrap::SettingsStoreExists());
        qputenv("VELMORA_SHARE_DIR", CTestEnvironment::ShareDir().toUtf8());
        CRecordingShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {}));
        const QString expected = CProgramFolderSetup::DefaultProgramFolder();
        QCOMPARE(app->ProgramFolder(), expected);
        QVERIFY(QFile::exists(expected + QStringLiteral("/VelmoraRes.lang")));
        QVERIFY(QFile::exists(expected + QStringLiteral("/VelmoraDB.vdf")));
        QVERIFY(QFile::exists(expected + QStringLiteral("/Carrier.ini")));
        QVERIFY(QDir(expected + QStringLiteral("/Backup")).exists());
        QCOMPARE(app->BackupFolder(), expected + QStringLiteral("/Backup/"));
        // Carrier 1: the setup flag is kept for a later carrier-3 set-up to see.
        QString flag;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Setup Flag"), flag));
        QCOMPARE(flag, QStringLiteral("1"));
        QCOMPARE(shell.shown, 1);
        QVERIFY(QFile::exists(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                              QStringLiteral("/applications/velmora.desktop")));
        app->ExitInstance();
    }

    void aStartThatHandsOverLeavesNoSettings()
    {
        // On an account without settings, a start that hands over (here to an instance that is too
        // busy to confirm) must not make a settings store: the next start of its own would then
        // skip the first-run setup and stop for want of every value.
        CTestEnvironment::ClearSettings();
        QFile::remove(CVelmoraWrap::SettingsStorePath());
        const QString key = QStringLiteral("taken-%1").arg(::getpid());
        CInstanceGuard probe(key);
        QLocalServer running;
        QVERIFY(running.listen(probe.ServerName()));
        CRecordingShell shell;
        auto app = MakeApp(shell);
        app->SetInstanceKey(key);
        QVERIFY(!Start(*app, {}));
        QVERIFY(app->HandedOver());
        QCOMPARE(app->ExitInstance(), 0);
        QVERIFY(!CVelmoraWrap::SettingsStoreExists());
        running.close();

        // The same for a start that stops before the settings are read.
        CTestEnvironment::ClearSettings();
        QFile::remove(CVelmoraWrap::SettingsStorePath());
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Last PIM File"), QString()); // no program folder
        QVERIFY(!FailedStartup().isEmpty());
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                        QStringLiteral("Velmora"));
        QVERIFY(!store.contains(QStringLiteral("Phonebook Split")));
    }

    void normalStartReadsEverySetting()
    {
        SetValue("USB Port", QStringLiteral("-1"));
        SetValue("COM Port", QStringLiteral("3"));
        SetValue("Codeplug Backup Path", m_folder + QStringLiteral("/Backups"));
        SetValue("Phonebook Split", QStringLiteral("0"));
        SetValue("Datebook Split", QStringLiteral("120"));
        SetIni(QStringLiteral("Carrier Settings"), QStringLiteral("Service Provider Max SMS Length"),
               QString());
        SetIni(QStringLiteral("Carrier Settings"), QStringLiteral("Service Provider NAM"), QString());
        SetIni(QStringLiteral("Application Title"), QStringLiteral("Title"),
               QStringLiteral("North's \"Fleet\" 100%"));
        CRecordingShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {QStringLiteral("one.vlf")}));
        QCOMPARE(app->UsbPort(), 0);
        QCOMPARE(app->ComPort(), 3);
        QCOMPARE(app->BackupFolder(), m_folder + QStringLiteral("/Backups/"));
        QCOMPARE(app->MaxSmsLength(), 140);
        QCOMPARE(app->ServiceProviderNam(), 1);
        // Empty values were written back with their defaults.
        QCOMPARE(Ini(QStringLiteral("Carrier Settings"), QStringLiteral("Service Provider Max SMS Length")),
                 QStringLiteral("140"));
        QCOMPARE(Ini(QStringLiteral("Carrier Settings"), QStringLiteral("Service Provider NAM")),
                 QStringLiteral("1"));
        unsigned long pb = 0, db = 0;
        CVelmoraWrap::GetSplitterPos(pb, db);
        QCOMPARE(pb, 50ul);
        QCOMPARE(db, 120ul);
        // Title, command line, window, sibling language, help, entry languages.
        QCOMPARE(shell.titles,
                 QStringList{QStringLiteral("North's \"Fleet\" 100% ") + CVelmoraWrap::LoadString(1704)});
        QCOMPARE(shell.shellFiles, QList<QStringList>{QStringList{QStringLiteral("one.vlf")}});
        QCOMPARE(shell.shown, 1);
        QString shared;
        QVERIFY(CVelmoraWrap::GetGroupValue(QStringLiteral("Tarn"), QStringLiteral("SharedUI Lang"), shared));
        QCOMPARE(shared, QStringLiteral("0"));
        QCOMPARE(app->HelpFile(), m_folder + QStringLiteral("/help/en/index.html"));
        const QStringList lines = app->EntryLanguageList().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], CVelmoraWrap::LoadString(1885) + QStringLiteral("\t0"));
        QCOMPARE(lines[9], CVelmoraWrap::LoadString(1894) + QStringLiteral("\t9"));
        QVERIFY(!app->ModelList().isEmpty());
        QVERIFY(app->AppDatabase().isOpen());
        QVERIFY(app->PhoneLinkOpen());
        QCOMPARE(app->BenchFolder(), m_folder + QStringLiteral("/phones"));
        QVERIFY(answers.Messages().isEmpty());

        app->ExitInstance();
        QVERIFY(!app->PhoneLinkOpen());
        QCOMPARE(shell.destroyed, 1);
        QString split;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Phonebook Split"), split));
        QCOMPARE(split, QStringLiteral("50"));
    }

    void emptyTitleUsesTheProductStrings()
    {
        SetIni(QStringLiteral("Application Title"), QStringLiteral("Title"), QString());
        CRecordingShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {}));
        QCOMPARE(shell.titles.value(0),
                 CVelmoraWrap::LoadString(1703) + QLatin1Char(' ') + CVelmoraWrap::LoadString(1704));
        app->ExitInstance();
    }

    void languagesAndTheCarrierThreeSetup_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("carrier");
        QTest::addColumn<bool>("hebrewSystem");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("flagAfter");
        QTest::addColumn<QString>("sharedUi");
        QTest::newRow("French") << "French" << 1 << false << 1 << "1"
                                << "1";
        QTest::newRow("Hebrew by name") << "Hebrew" << 1 << false << 3 << "1"
                                        << "2";
        QTest::newRow("anything else is Hebrew") << "Klingon" << 1 << false << 3 << "1"
                                                 << "2";
        QTest::newRow("carrier 3 on a Hebrew system") << "English" << 3 << true << 3 << ""
                                                      << "2";
        QTest::newRow("carrier 3 elsewhere") << "English" << 3 << false << 2 << ""
                                             << "0";
        QTest::newRow("carrier 2 on a Hebrew system") << "English" << 2 << true << 2 << "1"
                                                      << "0";
    }

    void languagesAndTheCarrierThreeSetup()
    {
        QFETCH(QString, language);
        QFETCH(int, carrier);
        QFETCH(bool, hebrewSystem);
        QFETCH(int, code);
        QFETCH(QString, flagAfter);
        QFETCH(QString, sharedUi);
        SetValue("Initial Language", language);
        SetValue("Setup Flag", QStringLiteral("1"));
        SetIni(QStringLiteral("Application Title"), QStringLiteral("CarrierID"), QString::number(carrier));
        CRecordingShell shell;
        auto app = MakeApp(shell);
        app->SetSystemIsHebrew([hebrewSystem]() { return hebrewSystem; });
        QVERIFY(Start(*app, {}));
        QCOMPARE(app->LanguageCode(), code);
        QString flag;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Setup Flag"), flag));
        QCOMPARE(flag, flagAfter);
        QString shared;
        QVERIFY(CVelmoraWrap::GetGroupValue(QStringLiteral("Tarn"), QStringLiteral("SharedUI Lang"), shared));
        QCOMPARE(shared, sharedUi);
        // The texts are those of the language, and Hebrew lays out right to left.
        const QString file = code == 1 ? QStringLiteral("VelmoraFrRes.lang")
                                       : (code == 3 ? QStringLiteral("VelmoraHebRes.lang")
                                                    : QStringLiteral("VelmoraRes.lang"));
        CResourceStrings expected;
        QVERIFY(expected.Load(m_folder + QLatin1Char('/') + file));
        QCOMPARE(CVelmoraWrap::LoadString(1704), expected.Text(1704));
        QCOMPARE(QGuiApplication::layoutDirection(), code == 3 ? Qt::RightToLeft : Qt::LeftToRight);
        // French and Hebrew have help pages of their own, the others read the English ones.
        const QString help =
            code == 1 ? QStringLiteral("fr") : (code == 3 ? QStringLiteral("he") : QStringLiteral("en"));
        QVERIFY2(app->HelpFile().endsWith(QStringLiteral("help/%1/index.html").arg(help)),
                 qPrintable(app->HelpFile()));
        if (code == 3)
            QVERIFY(app->GridFont().family() != QStringLiteral("Times New Roman"));
        if (carrier == 3 && code == 3) {
            QString name;
            CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), name);
            QCOMPARE(name, QStringLiteral("Hebrew"));
        }
        app->ExitInstance();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void missingRequiredValueEndsStartup_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Velmora App Path", "Last PIM File", "Initial Language", "Quick Comm",
                                 "USB Port", "COM Port", "Codeplug Backup Path", "Strip Extra Space",
                                 "Auto Split", "Add Index", "Break Between Words", "Setup Flag"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void missingRequiredValueEndsStartup()
    {
        QFETCH(QString, name);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                  QStringLiteral("Velmora"))
            .remove(name);
        int windows = 0;
        const QString err = FailedStartup(&windows);
        QVERIFY2(err.contains(QLatin1Char('"') + name + QLatin1Char('"')), qPrintable(err));
        QCOMPARE(windows, 0);
        QVERIFY(answers.Messages().isEmpty()); // silently, but for the stderr line
    }

    void missingOrDamagedCarrierKeysEndStartup_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // "<remove>" removes the key
        QTest::newRow("no title key") << "Application Title"
                                      << "Title"
                                      << "<remove>";
        QTest::newRow("carrier id not a number") << "Application Title"
                                                 << "CarrierID"
                                                 << "one";
        QTest::newRow("no city of the chosen number") << "Carrier Settings"
                                                      << "Service Provider City Sel"
                                                      << "99";
        QTest::newRow("no SMS length key") << "Carrier Settings"
                                           << "Service Provider Max SMS Length"
                                           << "<remove>";
        QTest::newRow("no roaming") << "Carrier Settings"
                                    << "Service Provider Roaming"
                                    << "<remove>";
        QTest::newRow("negative model count") << "Model Types"
                                              << "Total Models"
                                              << "-5";
        QTest::newRow("model count beyond a byte") << "Model Types"
                                                   << "Total Models"
                                                   << "256";
        QTest::newRow("no hide simple list") << "Hide Simple List"
                                             << "HideSimpleList"
                                             << "<remove>";
    }

    void missingOrDamagedCarrierKeysEndStartup()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        if (value == QLatin1String("<remove>")) {
            // Rewrite the file without the key's line.
            QFile f(m_folder + QStringLiteral("/Carrier.ini"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QStringList kept;
            for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
                if (!line.trimmed().startsWith(key + QLatin1Char('='), Qt::CaseInsensitive) &&
                    !line.trimmed().startsWith(key + QLatin1Char(' '), Qt::CaseInsensitive))
                    kept << line;
            }
            f.close();
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(kept.join(QLatin1Char('\n')).toUtf8());
        } else {
            SetIni(section, key, value);
        }
        int windows = 0;
        const QString err = FailedStartup(&windows);
        QVERIFY2(err.contains(QLatin1Char('[') + section + QLatin1Char(']')), qPrintable(err));
        QCOMPARE(windows, 0);
    }

    void damagedFilesEndStartupWithAReason()
    {
        // Carrier file.
        {
            QFile f(m_folder + QStringLiteral("/Carrier.ini"));
            QVERIFY(f.open(QIODevice::Append));
            f.write("\nthis line is not a setting\n");
        }
        QString err = FailedStartup();
        QVERIFY2(err.contains(QStringLiteral("Carrier.ini:")), qPrintable(err));

        // Language file of the chosen language.
        Configure();
        SetValue("Initial Language", QStringLiteral("French"));
        {
            QFile f(m_folder + QStringLiteral("/VelmoraFrRes.lang"));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("1703\tok\nnot an id\n");
        }
        err = FailedStartup();
        QVERIFY2(err.contains(QStringLiteral("VelmoraFrRes.lang:2")), qPrintable(err));

        // Missing English language file ends start-up too.
        Configure();
        QVERIFY(QFile::remove(m_folder + QStringLiteral("/VelmoraRes.lang")));
        err = FailedStartup();
        QVERIFY2(err.contains(QStringLiteral("VelmoraRes.lang")), qPrintable(err));
    }

    void anUpdatedProgramBringsItsNewTextsToTheFolder()
    {
        // The installed data of an update: the same files, the English table with one more text.
        const QString installed = CTestEnvironment::NewFolder(QStringLiteral("installed"));
        for (const char* name : {"VelmoraRes.lang", "VelmoraFrRes.lang", "VelmoraHebRes.lang"}) {
            const QString file = QString::fromLatin1(name);
            QVERIFY(QFile::copy(m_folder + QLatin1Char('/') + file, installed + QLatin1Char('/') + file));
        }
        const QString english = installed + QStringLiteral("/VelmoraRes.lang");
        {
            QFile f(english);
            QVERIFY(f.open(QIODevice::Append));
            f.write("7999\tA text the update brought\n");
        }
        const QDateTime later = QDateTime::currentDateTime().addSecs(3600);
        {
            QFile f(english);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(later, QFileDevice::FileModificationTime));
        }
        // A French table of the folder newer than the installed one is the user's: it stays.
        {
            QFile f(m_folder + QStringLiteral("/VelmoraFrRes.lang"));
            QVERIFY(f.open(QIODevice::Append));
            f.write("7998\tgard\u00e9\n");
            QVERIFY(f.setFileTime(later.addSecs(60), QFileDevice::FileModificationTime));
        }
        const QByteArray shareDir = qgetenv("VELMORA_SHARE_DIR");
        qputenv("VELMORA_SHARE_DIR", installed.toUtf8());
        CRecordingShell shell;
        auto app = MakeApp(shell);
        const bool started = Start(*app, {});
        qputenv("VELMORA_SHARE_DIR", shareDir);
        QVERIFY(started);
        QCOMPARE(CVelmoraWrap::LoadString(7999), QStringLiteral("A text the update brought"));
        QFile french(m_folder + QStringLiteral("/VelmoraFrRes.lang"));
        QVERIFY(french.open(QIODevice::ReadOnly));
        QVERIFY(french.readAll().contains("7998\t"));
        app->ExitInstance();
    }

    void applicationDatabaseProblemsShow1837_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: the file is removed
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("this is not an SQLite file at all, just text");
    }

    void applicationDatabaseProblemsShow1837()
    {
        QFETCH(QByteArray, contents);
        const QString db = m_folder + QStringLiteral("/VelmoraDB.vdf");
        QVERIFY(QFile::remove(db));
        if (!contents.isEmpty()) {
            QFile f(db);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contents);
        }
        int windows = 0;
        QVERIFY(FailedStartup(&windows).contains(QStringLiteral("VelmoraDB.vdf")));
        QCOMPARE(answers.Ids(), QList<int>{1837});
        QCOMPARE(windows, 0);
        // A missing database is not created empty by trying to open it.
        QCOMPARE(QFile::exists(db), !contents.isEmpty());
    }

    void emptyInternationalListShows1837()
    {
        SetIni(QStringLiteral("International Models"), QStringLiteral("Q700PhoneModels"), QString());
        QVERIFY(FailedStartup().contains(QStringLiteral("Q700PhoneModels")));
        QCOMPARE(answers.Ids(), QList<int>{1837});
    }

    void unwritableProgramFolderShows1662()
    {
        int windows = 0;
        QVERIFY(FailedStartup(&windows, UnwritableFolder).contains(QStringLiteral("not writable")));
        QCOMPARE(answers.Ids(), QList<int>{1662});
        QCOMPARE(windows, 0);
    }

    // Start-up tells its caller what to show; it shows nothing itself.
    void startupReturnsItsMessage()
    {
        CRecordingShell shell;
        auto app = MakeApp(shell);
        app->SetFolderProbe(UnwritableFolder);
        CStderrCapture capture;
        CVelmoraError error;
        QVERIFY(!app->InitInstance({}, error));
        capture.Stop();
        app->ExitInstance();
        QCOMPARE(error, CVelmoraError::Message(1662));
        QVERIFY(answers.Messages().isEmpty());
    }

    void phoneLinkFailureEndsStartup()
    {
        // A bench folder that cannot be a folder: the port cannot be set up.
        const QString notAFolder = m_folder + QStringLiteral("/Carrier.ini");
        SetValue("Phone Bench Folder", notAFolder);
        int windows = 0;
        QVERIFY(FailedStartup(&windows).contains(QStringLiteral("phone link")));
        QCOMPARE(answers.Ids(), QList<int>{6004});
        QCOMPARE(windows, 1); // made, never shown

        // Without the setting the program folder's bench is used.
        answers.Clear();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                  QStringLiteral("Velmora"))
            .remove(QStringLiteral("Phone Bench Folder"));
        CRecordingShell again;
        auto second = MakeApp(again);
        QVERIFY(Start(*second, {}));
        QCOMPARE(second->BenchFolder(), m_folder + QStringLiteral("/phones"));
        second->ExitInstance();
    }

    void automationStartKeepsTheWindowHidden()
    {
        CRecordingShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {QStringLiteral("--automation")}));
        QCOMPARE(shell.titles.size(), 1);
        QCOMPARE(shell.shown, 0);
        QVERIFY(shell.shellFiles.isEmpty());
        // Everything a client needs once it shows the window is ready.
        QVERIFY(app->PhoneLinkOpen());
        QVERIFY(!app->EntryLanguageList().isEmpty());
        app->ExitInstance();
    }

    void helpContextsOfTheToolkitGoToTheGeneralTopic()
    {
        for (int id : {126720, 126723, 262146, 262152, 262162, 387072, 387099, 387101})
            QCOMPARE(CVelmoraApp::MapHelpContext(id), 131204);
        for (int id : {126719, 126724, 262147, 262151, 262163, 387098, 387102, 0x10000 + 1184})
            QCOMPARE(CVelmoraApp::MapHelpContext(id), id);
    }

    void secondInstanceHandsItsFilesOver()
    {
        const QString key = QStringLiteral("handover-%1").arg(::getpid());
        CInstanceGuard first(key);
        QVERIFY(first.Claim({}));
        QSignalSpy spy(&first, &CInstanceGuard::ActivationRequested);
        bool secondRuns = true;
        std::thread later([&]() {
            CInstanceGuard second(key);
            secondRuns = second.Claim({QStringLiteral("fleet one.vlf"), QStringLiteral("/tmp/b.vlf")});
        });
        QTRY_COMPARE(spy.size(), 1);
        later.join();
        QVERIFY(!secondRuns);
        const QStringList files = spy.at(0).at(0).toStringList();
        QCOMPARE(files, (QStringList{QDir::current().absoluteFilePath(QStringLiteral("fleet one.vlf")),
                                     QStringLiteral("/tmp/b.vlf")}));
    }

    void aBusyInstanceKeepsItsPlace()
    {
        // The running instance accepts the connection but is busy (no event loop turns while a phone
        // is being programmed): the later start must end, not take the socket name over.
        const QString key = QStringLiteral("busy-%1").arg(::getpid());
        CInstanceGuard probe(key);
        QLocalServer busy;
        QVERIFY(busy.listen(probe.ServerName()));
        bool secondRuns = true;
        std::thread later([&]() {
            CInstanceGuard second(key);
            secondRuns = second.Claim({QStringLiteral("a.vlf")});
        });
        later.join(); // no events here: the "running instance" never answers
        QVERIFY(!secondRuns);
        QVERIFY(busy.isListening());
        // The busy instance still gets the files once it is free again.
        QTRY_VERIFY(busy.hasPendingConnections());

        // A socket left behind by a crashed instance is taken over.
        busy.close();
        const QString stale = QStringLiteral("stale-%1").arg(::getpid());
        CInstanceGuard staleProbe(stale);
        QFile leftOver(QDir::temp().filePath(staleProbe.ServerName()));
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();
        CInstanceGuard third(stale);
        QVERIFY(third.Claim({}));
        QLocalServer::removeServer(staleProbe.ServerName());
    }

    void secondStartOfTheProgramEnds()
    {
        // The real program, twice: the second start hands over and ends, the first keeps running.
        const QString exe = qEnvironmentVariable("VELMORA_BIN_DIR") + QStringLiteral("/velmora");
        QVERIFY(QFile::exists(exe));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = CTestEnvironment::NewFolder(QStringLiteral("home"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The instance socket lives in the temporary folder: a private one keeps a Velmora that runs
        // elsewhere on this account out of the test.
        env.insert(QStringLiteral("TMPDIR"), CTestEnvironment::NewFolder(QStringLiteral("tmp")));
        QProcess first;
        first.setProcessEnvironment(env);
        // A windowed start: one started for automation ends at once when there is no session bus.
        first.start(exe, QStringList());
        QVERIFY(first.waitForStarted());
        // Wait until the first instance listens (its settings store appears with the first run).
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home + QStringLiteral("/config/Quorvel/Velmora.conf")), 20000);
        QTest::qWait(500);
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(exe, {QStringLiteral("x.vlf")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }
};

VELMORA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
