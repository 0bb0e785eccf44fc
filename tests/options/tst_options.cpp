// The options dialog: what it shows, what OK writes, what Cancel leaves.

#include "COptionsDlg.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "Options.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

QString Stored(const char* name)
{
    QString value;
    return CVelmoraWrap::GetRegistryValue(QString::fromLatin1(name), value) ? value
                                                                            : QStringLiteral("<missing>");
}

void Store(const char* name, const QString& value)
{
    CVelmoraWrap::SetRegistryValue(QString::fromLatin1(name), value);
}

template <typename T> T* Control(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        CTestEnvironment::ClearSettings();
        Store("COM Port", QStringLiteral("3"));
        Store("USB Port", QStringLiteral("-1"));
        Store("Quick Comm", QStringLiteral("0"));
        Store("Phone Bench Folder", QStringLiteral("/srv/bench"));
        Store("Codeplug Backup Path", QStringLiteral("/srv/backups/"));
        Store("Strip Extra Space", QStringLiteral("1"));
        Store("Auto Split", QStringLiteral("0"));
        Store("Add Index", QStringLiteral("1"));
        Store("Break Between Words", QStringLiteral("0"));
    }

    void okWithoutChangesKeepsStoredTexts()
    {
        COptionsDlg dialog;
        QCOMPARE(Control<QSpinBox>(dialog, "COM Port")->value(), 3);
        // -1 is shown as no USB port, and stays -1 unless the user picks a port.
        QCOMPARE(Control<QSpinBox>(dialog, "USB Port")->value(), 0);
        QVERIFY(Control<QCheckBox>(dialog, "Strip Extra Space")->isChecked());
        QVERIFY(!Control<QCheckBox>(dialog, "Auto Split")->isChecked());
        dialog.accept();
        QCOMPARE(Stored("USB Port"), QStringLiteral("-1"));
        QCOMPARE(Stored("COM Port"), QStringLiteral("3"));
        QCOMPARE(Stored("Codeplug Backup Path"), QStringLiteral("/srv/backups/"));
    }

    void okWritesWhatChanged()
    {
        COptionsDlg dialog;
        Control<QSpinBox>(dialog, "COM Port")->setValue(7);
        Control<QSpinBox>(dialog, "USB Port")->setValue(2);
        Control<QCheckBox>(dialog, "Quick Comm")->setChecked(true);
        Control<QCheckBox>(dialog, "Strip Extra Space")->setChecked(false);
        Control<QCheckBox>(dialog, "Break Between Words")->setChecked(true);
        Control<QLineEdit>(dialog, "Codeplug Backup Path")
            ->setText(QStringLiteral("  /home/o'brien/backups/  "));
        dialog.accept();
        QCOMPARE(Stored("COM Port"), QStringLiteral("7"));
        QCOMPARE(Stored("USB Port"), QStringLiteral("2"));
        QCOMPARE(Stored("Quick Comm"), QStringLiteral("1"));
        QCOMPARE(Stored("Strip Extra Space"), QStringLiteral("0"));
        QCOMPARE(Stored("Break Between Words"), QStringLiteral("1"));
        QCOMPARE(Stored("Auto Split"), QStringLiteral("0"));
        QCOMPARE(Stored("Codeplug Backup Path"), QStringLiteral("/home/o'brien/backups/"));
        QCOMPARE(Stored("Phone Bench Folder"), QStringLiteral("/srv/bench"));
    }

    void cancelWritesNothingAndThePageIsChosen()
    {
        int result = 0;
        QTimer::singleShot(0, []() {
            auto* dialog = qobject_cast<COptionsDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->Tabs()->currentIndex(), 2);
            Control<QSpinBox>(*dialog, "COM Port")->setValue(9);
            dialog->reject();
        });
        result = DispalyOptionsDialog(nullptr, 2);
        QCOMPARE(result, 2);
        QCOMPARE(Stored("COM Port"), QStringLiteral("3"));

        QTimer::singleShot(0, []() {
            auto* dialog = qobject_cast<COptionsDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // A page out of range opens the first.
            QCOMPARE(dialog->Tabs()->currentIndex(), 0);
            Control<QSpinBox>(*dialog, "COM Port")->setValue(9);
            dialog->accept();
        });
        QCOMPARE(DispalyOptionsDialog(nullptr, -4), 1);
        QCOMPARE(Stored("COM Port"), QStringLiteral("9"));
    }
};

VELMORA_TEST_MAIN(TestOptions)
#include "tst_options.moc"
