// The application's settings value: what the options dialog changes reaches the application object
// and its announcement once the dialog has closed.

#include "CAppSettings.h"
#include "COptionsDlg.h"
#include "CProgramFolderSetup.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <unistd.h>

namespace {

void Store(const char* name, const QString& value)
{
    CVelmoraWrap::SetRegistryValue(QString::fromLatin1(name), value);
}

template <typename T> T* Control(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

    QString m_folder;
    std::unique_ptr<CVelmoraApp> m_app;

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        CTestEnvironment::ClearSettings();
        m_folder = CTestEnvironment::NewFolder(QStringLiteral("program"));
        QVERIFY(CTestEnvironment::FillProgramFolder(m_folder));
        CProgramFolderSetup::WriteDefaultSettings(m_folder);
        Store("Setup Flag", QString());
        Store("COM Port", QStringLiteral("3"));
        Store("USB Port", QStringLiteral("-1"));
        Store("Initial Language", QStringLiteral("French"));
        m_app = std::make_unique<CVelmoraApp>();
        m_app->SetInstanceKey(QStringLiteral("settings-test-%1").arg(::getpid()));
        m_app->SetSystemIsHebrew([]() { return false; });
        CVelmoraError error;
        QVERIFY(m_app->InitInstance({}, error));
        QVERIFY(!error);
    }

    void cleanup()
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
    }

    void startUpFillsTheValue()
    {
        const CAppSettings settings = m_app->Settings();
        QCOMPARE(settings.programFolder, m_app->ProgramFolder());
        QCOMPARE(settings.language, CInstalledData::French);
        QVERIFY(!settings.IsHebrew());
        QCOMPARE(settings.comPort, 3);
        QCOMPARE(settings.usbPort, 0);
        QCOMPARE(settings.backupFolder, m_app->BackupFolder());
        QCOMPARE(settings.benchFolder, m_app->BenchFolder());
        QCOMPARE(settings.Fleet().templatePath, m_app->FleetTemplatePath());
    }

    void optionsDialogChangesReachTheApplication()
    {
        QSignalSpy announced(m_app.get(), &CVelmoraApp::settingsChanged);
        const QString backups = m_folder + QStringLiteral("/o'brien backups");
        {
            COptionsDlg dialog;
            Control<QSpinBox>(dialog, "COM Port")->setValue(7);
            Control<QSpinBox>(dialog, "USB Port")->setValue(2);
            Control<QCheckBox>(dialog, "Quick Comm")->setChecked(true);
            Control<QCheckBox>(dialog, "Break Between Words")->setChecked(true);
            Control<QLineEdit>(dialog, "Codeplug Backup Path")->setText(backups);
            dialog.accept();
        }
        // Until the reload the application keeps what start-up read.
        QCOMPARE(m_app->ComPort(), 3);
        m_app->ReloadOptions();
        QCOMPARE(announced.count(), 1);
        const auto sent = announced.at(0).at(0).value<CAppSettings>();
        for (const CAppSettings& settings : {m_app->Settings(), sent}) {
            QCOMPARE(settings.comPort, 7);
            QCOMPARE(settings.ComPortArg(), 7);
            QCOMPARE(settings.usbPort, 2);
            QCOMPARE(settings.quickComm, 1);
            QCOMPARE(settings.breakBetweenWords, 1);
            QCOMPARE(settings.backupFolder, backups + QStringLiteral("/"));
            // What the dialog does not edit stays.
            QCOMPARE(settings.language, CInstalledData::French);
            QCOMPARE(settings.programFolder, m_app->ProgramFolder());
        }
        QCOMPARE(m_app->ComPort(), 7);
        QCOMPARE(m_app->UsbPort(), 2);
        QCOMPARE(m_app->BackupFolder(), backups + QStringLiteral("/"));
    }

    void aValueTheStoreLacksOrGarblesKeepsWhatItWas()
    {
        Store("COM Port", QStringLiteral("seven"));
        Store("USB Port", QStringLiteral("-1"));
        Store("Phone Bench Folder", QStringLiteral("  "));
        CAppSettings settings = m_app->Settings();
        settings.usbPort = 4;
        settings.ReloadOptions();
        QCOMPARE(settings.comPort, 3);
        // "No USB port" and an empty bench folder read as start-up reads them.
        QCOMPARE(settings.usbPort, 0);
        QCOMPARE(settings.benchFolder, m_folder + QStringLiteral("/phones"));
    }
};

VELMORA_TEST_MAIN(TestAppSettings)
#include "tst_app_settings.moc"
