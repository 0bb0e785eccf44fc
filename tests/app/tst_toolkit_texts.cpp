#include "CProgramFolderSetup.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTest>
#include <unistd.h>

// Qt's own texts (the buttons of the message boxes, the file dialogs) follow the language the user
// chose, for as long as the program runs.
class TestToolkitTexts : public QObject
{
    Q_OBJECT

    int m_keyCounter = 0;

    static QString YesText()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text();
    }

private Q_SLOTS:
    void buttonsSpeakTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("qtFile");
        QTest::addColumn<QString>("yes");
        QTest::newRow("English") << "English" << QString() << "&Yes";
        QTest::newRow("French") << "French"
                                << "qtbase_fr.qm" << QStringLiteral("&Oui");
        QTest::newRow("Hebrew") << "Hebrew"
                                << "qtbase_he.qm" << QStringLiteral("&כן");
    }
    void buttonsSpeakTheChosenLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, qtFile);
        QFETCH(QString, yes);
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!qtFile.isEmpty() && !QFileInfo::exists(folder + QLatin1Char('/') + qtFile))
            QSKIP(qPrintable(QStringLiteral("Qt's translations are not installed (%1/%2 is missing: "
                                            "package qt6-translations-l10n)")
                                 .arg(folder, qtFile)));

        CTestEnvironment::ClearSettings();
        const QString program = CTestEnvironment::NewFolder(QStringLiteral("program-") + language);
        QVERIFY(CTestEnvironment::FillProgramFolder(program));
        CProgramFolderSetup::WriteDefaultSettings(program);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Setup Flag"), QString());
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), language);
        QCOMPARE(YesText(), QStringLiteral("&Yes"));
        {
            CVelmoraApp app;
            app.SetInstanceKey(QStringLiteral("texts-%1-%2").arg(::getpid()).arg(++m_keyCounter));
            app.SetSystemIsHebrew([]() { return false; });
            CVelmoraError error;
            QVERIFY(app.InitInstance({}, error));
            QCOMPARE(YesText(), yes);
            app.ExitInstance();
            // Messages may still come after exit: the texts stay until the application object goes.
            QCOMPARE(YesText(), yes);
        }
        QCOMPARE(YesText(), QStringLiteral("&Yes"));
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }
};

VELMORA_TEST_MAIN(TestToolkitTexts)
#include "tst_toolkit_texts.moc"
