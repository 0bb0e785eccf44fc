// The options dialog: what it shows, what OK writes, what Cancel leaves.

#include "COptionsDlg.h"
#include "CScriptedAnswerer.h"
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

    void foldersMustBeFullPaths()
    {
        CScriptedAnswerer& user = CScriptedAnswerer::Instance();
        // An emptied backup folder would put the backups at the root: refused, the dialog stays on
        // that page and nothing is written, not even what else changed.
        {
            user.Clear();
            COptionsDlg dialog;
            dialog.show();
            Control<QSpinBox>(dialog, "COM Port")->setValue(5);
            Control<QLineEdit>(dialog, "Codeplug Backup Path")->setText(QStringLiteral("   "));
            dialog.accept();
            QCOMPARE(user.Ids(), QList<int>{7801});
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.Tabs()->currentIndex(), 1);
            QCOMPARE(Stored("Codeplug Backup Path"), QStringLiteral("/srv/backups/"));
            QCOMPARE(Stored("COM Port"), QStringLiteral("3"));

            // A relative folder would depend on where the program was started.
            user.Clear();
            Control<QLineEdit>(dialog, "Codeplug Backup Path")->setText(QStringLiteral("backups"));
            dialog.accept();
            QCOMPARE(user.Count(), 1);
            QCOMPARE(user.Messages().first().text,
                     CVelmoraWrap::LoadString(7800).arg(QStringLiteral("backups")));
            QCOMPARE(Stored("Codeplug Backup Path"), QStringLiteral("/srv/backups/"));

            user.Clear();
            Control<QLineEdit>(dialog, "Codeplug Backup Path")->setText(QStringLiteral("/srv/other/"));
            dialog.accept();
            QCOMPARE(user.Count(), 0);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(Stored("Codeplug Backup Path"), QStringLiteral("/srv/other/"));
            QCOMPARE(Stored("COM Port"), QStringLiteral("5"));
        }
        // The bench folder may be emptied (the program folder's bench), not made relative.
        {
            user.Clear();
            COptionsDlg dialog;
            Control<QLineEdit>(dialog, "Phone Bench Folder")->setText(QStringLiteral("phones"));
            dialog.accept();
            QCOMPARE(user.Count(), 1);
            QCOMPARE(user.Messages().first().text,
                     CVelmoraWrap::LoadString(7800).arg(QStringLiteral("phones")));
            QCOMPARE(dialog.Tabs()->currentIndex(), 0);
            QCOMPARE(Stored("Phone Bench Folder"), QStringLiteral("/srv/bench"));
            user.Clear();
            Control<QLineEdit>(dialog, "Phone Bench Folder")->clear();
            dialog.accept();
            QCOMPARE(user.Count(), 0);
            QCOMPARE(Stored("Phone Bench Folder"), QString());
        }
        // A stored value that is already odd does not lock the dialog.
        {
            Store("Codeplug Backup Path", QStringLiteral("old-backups"));
            user.Clear();
            COptionsDlg dialog;
            Control<QCheckBox>(dialog, "Auto Split")->setChecked(true);
            dialog.accept();
            QCOMPARE(user.Count(), 0);
            QCOMPARE(Stored("Auto Split"), QStringLiteral("1"));
        }
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
