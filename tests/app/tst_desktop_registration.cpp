// The desktop's knowledge of the program: the entry, file types and icons written for one account, the
// Exec line that must start the program whatever its path holds, and when an installed prefix makes the
// account's copies unneeded.
#include "CDesktopRegistration.h"
#include "CTestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The built share folder: applications/, mime/packages/ and icons/hicolor/ beside the data.
QString BuiltShareRoot()
{
    return QDir::cleanPath(CTestEnvironment::ShareDir() + QStringLiteral("/.."));
}

// Puts PATH back when the test is over.
class CPathScope
{
public:
    explicit CPathScope(const QString& path) : m_saved(qgetenv("PATH")) { qputenv("PATH", path.toUtf8()); }
    ~CPathScope() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

class TestDesktopRegistration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void execLineQuotesAndEscapesThePath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/velmora"
                               << "\"/usr/bin/velmora\" %F";
        QTest::newRow("spaces") << "/opt/My Apps/velmora"
                                << "\"/opt/My Apps/velmora\" %F";
        // $ and " take a backslash inside the quotes, and the entry writes that backslash twice.
        QTest::newRow("shell characters") << "/opt/a$b\"c`d/velmora"
                                          << "\"/opt/a\\\\$b\\\\\"c\\\\`d/velmora\" %F";
        QTest::newRow("backslash") << "/x\\y/velmora"
                                   << "\"/x\\\\\\\\y/velmora\" %F";
        QTest::newRow("percent is no field code") << "/x/100%/velmora"
                                                  << "\"/x/100%%/velmora\" %F";
        QTest::newRow("Hebrew folder")
            << QString::fromUtf8("/home/דנה/velmora") << QString::fromUtf8("\"/home/דנה/velmora\" %F");
        QTest::newRow("relative path") << "bin/velmora" << QString();
        QTest::newRow("line break") << "/opt/a\nb/velmora" << QString();
    }

    void execLineQuotesAndEscapesThePath()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(CDesktopRegistration::ExecLine(program), exec);
    }

    void writesEntryTypesAndIconsForTheAccount()
    {
        const QString home = CTestEnvironment::NewFolder(QStringLiteral("written"));
        const QString program = QStringLiteral("/opt/Fleet Tools/bin/velmora");
        QString why;
        QVERIFY2(CDesktopRegistration(BuiltShareRoot()).WriteForUser(program, home, why), qPrintable(why));

        // The shipped entry with only its Exec line changed.
        const QList<QByteArray> shipped =
            Read(BuiltShareRoot() + "/applications/velmora.desktop").split('\n');
        const QList<QByteArray> own = Read(home + "/applications/velmora.desktop").split('\n');
        QCOMPARE(own.size(), shipped.size());
        int changed = 0;
        for (int i = 0; i < own.size(); ++i) {
            if (own[i] != shipped[i]) {
                ++changed;
                QCOMPARE(own[i], QByteArray("Exec=\"/opt/Fleet Tools/bin/velmora\" %F"));
            }
        }
        QCOMPARE(changed, 1);
        QVERIFY(own.contains("Icon=velmora"));
        QCOMPARE(Read(home + "/mime/packages/velmora.xml"),
                 Read(BuiltShareRoot() + "/mime/packages/velmora.xml"));

        // Every shipped size of the program's and the file types' icons, in the themed folders.
        QStringList icons;
        QDirIterator it(home + "/icons/hicolor", QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            icons << QDir(home + "/icons/hicolor").relativeFilePath(it.next());
        QCOMPARE(icons.size(), 7 * 3);
        for (const char* size : {"16x16", "48x48", "256x256"}) {
            QVERIFY(icons.contains(QString::fromLatin1(size) + "/apps/velmora.png"));
            QVERIFY(icons.contains(QString::fromLatin1(size) + "/mimetypes/application-x-velmora-pim.png"));
        }

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QProcess check;
            check.start(validator, {home + "/applications/velmora.desktop"});
            QVERIFY(check.waitForFinished(30000));
            const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
            QVERIFY2(check.exitCode() == 0 && said.isEmpty(), said.constData());
        }
    }

    void writesNothingWhenShippedFilesAreMissing()
    {
        const QString home = CTestEnvironment::NewFolder(QStringLiteral("nothing"));
        QString why;
        // No share folder at all.
        QVERIFY(!CDesktopRegistration(CTestEnvironment::NewFolder(QStringLiteral("empty")))
                     .WriteForUser(QStringLiteral("/usr/bin/velmora"), home, why));
        QVERIFY(why.contains(QStringLiteral("velmora.desktop")));
        // An entry and types without icons: no entry that names an icon nobody has.
        const QString share = CTestEnvironment::NewFolder(QStringLiteral("no-icons"));
        QVERIFY(Write(share + "/applications/velmora.desktop", "[Desktop Entry]\nExec=velmora %F\n"));
        QVERIFY(Write(share + "/mime/packages/velmora.xml", "<mime-info/>\n"));
        why.clear();
        QVERIFY(!CDesktopRegistration(share).WriteForUser(QStringLiteral("/usr/bin/velmora"), home, why));
        QVERIFY(!why.isEmpty());
        // A path no entry can hold.
        QVERIFY(!CDesktopRegistration(BuiltShareRoot()).WriteForUser(QStringLiteral("velmora"), home, why));
        QVERIFY(!QFile::exists(home + "/applications/velmora.desktop"));
        QVERIFY(!QFile::exists(home + "/mime/packages/velmora.xml"));
    }

    void systemWideOnlyWhenTheDesktopReadsThePrefix()
    {
        const QString prefix = CTestEnvironment::NewFolder(QStringLiteral("prefix"));
        const QString share = prefix + "/share";
        const QString program = prefix + "/bin/velmora";
        QVERIFY(Write(share + "/applications/velmora.desktop", "[Desktop Entry]\nExec=velmora %F\n"));
        QVERIFY(Write(share + "/mime/packages/velmora.xml", "<mime-info/>\n"));
        QVERIFY(Write(program, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const CDesktopRegistration installed(share);
        const QStringList dirs{QStringLiteral("/usr/local/share"), prefix + "/share/",
                               QStringLiteral("/usr/share")};
        {
            CPathScope path(prefix + "/bin:/usr/bin:/bin");
            QVERIFY(installed.InstalledSystemWide(program, dirs));
            // Reached through a link: the same folder.
            const QString link = CTestEnvironment::NewFolder(QStringLiteral("links")) + "/share";
            QVERIFY(QFile::link(share, link));
            QVERIFY(installed.InstalledSystemWide(program, {link}));
            // The desktop does not read this prefix.
            QVERIFY(!installed.InstalledSystemWide(program, {QStringLiteral("/usr/share")}));
            // Another copy of the program: the entry's "velmora" would start the prefix's one.
            const QString other = CTestEnvironment::NewFolder(QStringLiteral("other")) + "/velmora";
            QVERIFY(QFile::copy(program, other));
            QVERIFY(!installed.InstalledSystemWide(other, dirs));
        }
        {
            // The PATH finds no velmora, or another one first.
            CPathScope path(CTestEnvironment::NewFolder(QStringLiteral("nopath")));
            QVERIFY(!installed.InstalledSystemWide(program, dirs));
        }
        // A prefix without the file types.
        QVERIFY(QFile::remove(share + "/mime/packages/velmora.xml"));
        CPathScope path(prefix + "/bin:/usr/bin:/bin");
        QVERIFY(!installed.InstalledSystemWide(program, dirs));
    }
};

VELMORA_TEST_MAIN(TestDesktopRegistration)
#include "tst_desktop_registration.moc"
