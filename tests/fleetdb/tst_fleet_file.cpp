#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CFleetUpgrade.h"
#include "CSafeFile.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zstd.h>

namespace {

int Mode(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

bool SetMode(const QString& path, int mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

// Every row of every table, as text: equal dumps mean equal fleets.
QStringList Dump(const QString& path)
{
    QStringList lines;
    CFleetConnection c;
    if (!c.Open(path))
        return {QStringLiteral("cannot open ") + path};
    QSqlQuery q(c.Database());
    q.exec("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    for (const QString& t : tables) {
        for (const QVariantList& row : CFleetFixtures::Rows(c.Database(), t)) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << v.toString();
            lines << t + ": " + cells.join("|");
        }
    }
    return lines;
}

// Runs the checks of a block as a user other than the owner of the files: root reads and writes
// everything, so the test process takes the identity of "nobody" for the block (and back after it).
class CAsOtherUser
{
public:
    CAsOtherUser() : m_switched(::geteuid() == 0 && ::seteuid(kNobody) == 0) {}
    ~CAsOtherUser()
    {
        if (m_switched)
            (void)::seteuid(0);
    }
    CAsOtherUser(const CAsOtherUser&) = delete;
    CAsOtherUser& operator=(const CAsOtherUser&) = delete;
    // The file is given to the user the checks run as (only root can, and only root needs to).
    static void GiveAway(const QString& path)
    {
        if (::geteuid() == 0)
            (void)::chown(QFile::encodeName(path).constData(), kNobody, gid_t(-1));
    }
    static constexpr uid_t kNobody = 65534;

private:
    bool m_switched;
};

} // namespace

class TestFleetFile : public QObject
{
    Q_OBJECT

private:
    QString m_folder;
    QString m_path;

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_folder = CTestEnvironment::NewFolder("file");
        m_path = m_folder + "/Fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(m_path, CFleetFixtures::Units(6)));
    }

    void storeAndExpandGiveBackTheSameFleet()
    {
        const QStringList before = Dump(m_path);
        QVERIFY(before.size() > 50);
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(CFleetFile::IsStoredForm(m_path));
        QCOMPARE(CFleetFile::ProbeDatabase(m_path), CFleetFile::Probe::NotDatabase);
        // Storing a stored file again leaves it alone.
        const QByteArray stored = CFleetFixtures::Bytes(m_path);
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), stored);

        QVERIFY(CFleetFile::ExpandFleetFile(m_path));
        QCOMPARE(CFleetFile::ProbeDatabase(m_path), CFleetFile::Probe::Database);
        QCOMPARE(Dump(m_path), before);
        // No temporaries are left beside the file.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"Fleet.vlf"});
    }

    void storedFileIsReadableWithStandardTools()
    {
        const QString zstd = QStandardPaths::findExecutable("zstd");
        const QString sqlite = QStandardPaths::findExecutable("sqlite3");
        if (zstd.isEmpty() || sqlite.isEmpty())
            QSKIP("zstd or sqlite3 is not installed");
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        const QString plain = m_folder + "/plain.db";
        QProcess unzip;
        unzip.setStandardOutputFile(plain);
        unzip.start(zstd, {"-d", "-q", "-c", m_path});
        QVERIFY(unzip.waitForFinished() && unzip.exitCode() == 0);
        QProcess query;
        query.start(sqlite, {plain, "SELECT unit_user_name FROM unit_details ORDER BY rowid LIMIT 1"});
        QVERIFY(query.waitForFinished() && query.exitCode() == 0);
        QCOMPARE(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), QString("O'Brien 0"));
    }

    void storeIgnoresOtherExtensions()
    {
        const QString other = m_folder + "/fleet.db";
        QVERIFY(QFile::copy(m_path, other));
        const QByteArray bytes = CFleetFixtures::Bytes(other);
        QVERIFY(CFleetFile::StoreFleetFile(other));
        QCOMPARE(CFleetFixtures::Bytes(other), bytes);
        // A new fleet's temporary has no extension at all.
        const QString temporary = m_folder + "/Velmora0";
        QVERIFY(QFile::copy(m_path, temporary));
        QVERIFY(CFleetFile::StoreFleetFile(temporary));
        QCOMPARE(CFleetFixtures::Bytes(temporary), bytes);
    }

    void failedStoreLeavesTheFileWhole()
    {
        const QByteArray plain = CFleetFixtures::Bytes(m_path);
        // Nothing can be written beside the file: the store fails and the fleet stays as it was.
        QVERIFY(QDir().mkpath(m_path + ".part"));
        QVERIFY(!CFleetFile::StoreFleetFile(m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), plain);
        QVERIFY(QDir().rmdir(m_path + ".part"));
    }

    // A file of the user's that bears the restore temporary's name ("TempFleet.vlf") is not touched.
    void expandLeavesAFileNamedLikeItsTemporary()
    {
        const QString other = CFleetFile::RestoreTempPath(m_path);
        QCOMPARE(other, m_folder + "/TempFleet.vlf");
        QVERIFY(CFleetFixtures::WriteBytes(other, "another fleet"));
        const QStringList content = Dump(m_path);
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(CFleetFile::ExpandFleetFile(m_path));
        QCOMPARE(Dump(m_path), content);
        QCOMPARE(CFleetFixtures::Bytes(other), QByteArray("another fleet"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), (QStringList{"Fleet.vlf", "TempFleet.vlf"}));
    }

    // 200 characters, 240 bytes: the name fits, "Temp" + name or name + "Temp" + name would not.
    void longNamesAreStoredExpandedAndRebuilt()
    {
        const QString name = QString(40, QChar(0x05D0)) + QString(156, QLatin1Char('a')) + ".vlf";
        QCOMPARE(name.size(), 200);
        QCOMPARE(QFile::encodeName(name).size(), 240);
        const QString path = m_folder + "/" + name;
        QVERIFY(QFile::rename(m_path, path));
        const QStringList before = Dump(path);
        for (const QString& temp : {CFleetFile::RestoreTempPath(path), CFleetFile::CompactionTempPath(path),
                                    CSafeFile::TempBeside(path)}) {
            QVERIFY2(QFile::encodeName(QFileInfo(temp).fileName()).size() <= 255, qPrintable(temp));
            QCOMPARE(QFileInfo(temp).absolutePath(), m_folder);
        }
        // Shortened names stay apart when the long names differ only at their end.
        QVERIFY(CFleetFile::RestoreTempPath(path) !=
                CFleetFile::RestoreTempPath(m_folder + "/" + name + "x"));

        QVERIFY(CFleetFile::StoreFleetFile(path));
        QVERIFY(CFleetFile::IsStoredForm(path));
        // The restore temporary's name is taken by a file of the user's: the fallback fits too.
        QVERIFY(CFleetFixtures::WriteBytes(CFleetFile::RestoreTempPath(path), "another fleet"));
        QVERIFY(CFleetFile::ExpandFleetFile(path));
        QCOMPARE(Dump(path), before);
        QVERIFY(QFile::remove(CFleetFile::RestoreTempPath(path)));

        CFleetErrors errors;
        QVERIFY(CFleetUpgrade::RebuildFromTemplate(path, CFleetFixtures::TemplatePath(), errors));
        QVERIFY(errors.isEmpty());
        QCOMPARE(Dump(path), before);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{name});
    }

    // A fleet file that cannot be opened is not stored, and the store says so.
    void storeFailsOnAFileItCannotOpen()
    {
        QVERIFY(!CFleetFile::StoreFleetFile(m_folder + "/missing.vlf"));
        QVERIFY(!QFile::exists(m_folder + "/missing.vlf"));

        const QString junk = m_folder + "/junk.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(junk, "not a fleet"));
        QVERIFY(!CFleetFile::StoreFleetFile(junk));
        QCOMPARE(CFleetFixtures::Bytes(junk), QByteArray("not a fleet"));

        const QByteArray plain = CFleetFixtures::Bytes(m_path);
        {
            CFleetConnection holder;
            QVERIFY(holder.Open(m_path, CFleetConnection::Mode::Exclusive));
            QVERIFY(!CFleetFile::StoreFleetFile(m_path));
        }
        QCOMPARE(CFleetFixtures::Bytes(m_path), plain);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), (QStringList{"Fleet.vlf", "junk.vlf"}));
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(CFleetFile::IsStoredForm(m_path));
    }

    // A store or expand killed at any moment leaves the old file or the new one, never a mixture.
    void interruptedStoreAndExpandLeaveAWholeFile()
    {
        QVERIFY(CFleetFixtures::MakeFleet(m_path, CFleetFixtures::Units(400)));
        const QStringList content = Dump(m_path);
        const QString check = m_folder + "/check.vlf";
        for (const bool storing : {true, false}) {
            // Bring the file to the form the operation starts from and time one run.
            if (CFleetFile::IsStoredForm(m_path) == storing)
                QVERIFY(storing ? CFleetFile::ExpandFleetFile(m_path) : CFleetFile::StoreFleetFile(m_path));
            const QByteArray start = CFleetFixtures::Bytes(m_path);
            QElapsedTimer timer;
            timer.start();
            QVERIFY(storing ? CFleetFile::StoreFleetFile(m_path) : CFleetFile::ExpandFleetFile(m_path));
            const qint64 span = timer.nsecsElapsed() / 1000 + 500;
            constexpr int kRuns = 24;
            for (int i = 0; i < kRuns; ++i) {
                QVERIFY(CFleetFixtures::WriteBytes(m_path, start));
                const pid_t child = ::fork();
                QVERIFY(child >= 0);
                if (child == 0) {
                    storing ? CFleetFile::StoreFleetFile(m_path) : CFleetFile::ExpandFleetFile(m_path);
                    ::_exit(0);
                }
                ::usleep(useconds_t(span * i / kRuns));
                ::kill(child, SIGKILL);
                int status = 0;
                ::waitpid(child, &status, 0);
                QFile::remove(check);
                QVERIFY(QFile::copy(m_path, check));
                QVERIFY2(CFleetFile::OpensAsDatabase(check) || CFleetFile::ExpandFleetFile(check),
                         qPrintable(QString("%1 killed after %2 us")
                                        .arg(storing ? "store" : "expand")
                                        .arg(span * i / kRuns)));
                QCOMPARE(Dump(check), content);
            }
        }
    }

    void expandRefusesWhatStoreDidNotWrite_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString path = CTestEnvironment::NewFolder("stored") + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        QVERIFY(CFleetFile::StoreFleetFile(path));
        const QByteArray stored = CFleetFixtures::Bytes(path);
        QByteArray otherTag = stored;
        otherTag[8] = 'X';
        // A well-formed header and frame whose content is not a database.
        const QByteArray text(4096, 'a');
        QByteArray frame(int(ZSTD_compressBound(text.size())), '\0');
        frame.resize(int(ZSTD_compress(frame.data(), frame.size(), text.constData(), text.size(), 3)));
        QByteArray header = stored.left(24);
        header.replace(16, 8, QByteArray("\0\x10\0\0\0\0\0\0", 8));
        QTest::newRow("plain text") << QByteArray("not a fleet file at all");
        QTest::newRow("truncated") << stored.left(stored.size() / 2);
        QTest::newRow("trailing bytes") << stored + "extra";
        QTest::newRow("other tag") << otherTag;
        QTest::newRow("not a database inside") << header + frame;
    }
    void expandRefusesWhatStoreDidNotWrite()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(CFleetFixtures::WriteBytes(m_path, bytes));
        QVERIFY(!CFleetFile::ExpandFleetFile(m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), bytes);
        QVERIFY(!QFile::exists(CFleetFile::RestoreTempPath(m_path)));
    }

    void readableCheckNamesWhatIsWrong()
    {
        // The check tells what is wrong; showing it is the caller's.
        auto& answers = CScriptedAnswerer::Instance();
        QCOMPARE(CFleetFile::CheckReadable(m_folder + "/missing.vlf"), CVelmoraError::Message(1640));

        const QString junk = m_folder + "/junk.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(junk, "junk"));
        QCOMPARE(CFleetFile::CheckReadable(junk), CVelmoraError::Message(1801));

        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(!CFleetFile::CheckReadable(m_path).IsError());
        QVERIFY(!CFleetFile::IsStoredForm(m_path));

        // A fleet another connection holds open is reported in the database's words, not expanded.
        CFleetConnection holder;
        QVERIFY(holder.Open(m_path, CFleetConnection::Mode::Exclusive));
        const QByteArray bytes = CFleetFixtures::Bytes(m_path);
        const CVelmoraError busy = CFleetFile::CheckReadable(m_path);
        QCOMPARE(busy.GetKind(), CVelmoraError::Kind::Text);
        QVERIFY(busy.ToText().contains("locked"));
        QCOMPARE(CFleetFixtures::Bytes(m_path), bytes);
        QCOMPARE(answers.Count(), 0);
    }

    // Rewrites keep the file's own mode: a private fleet does not become readable by everyone.
    void rewritesKeepTheFileMode()
    {
        QVERIFY(SetMode(m_path, 0600));
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(CFleetFile::IsStoredForm(m_path));
        QCOMPARE(Mode(m_path), 0600);
        QVERIFY(CFleetFile::ExpandFleetFile(m_path));
        QCOMPARE(CFleetFile::ProbeDatabase(m_path), CFleetFile::Probe::Database);
        QCOMPARE(Mode(m_path), 0600);
        QVERIFY(SetMode(m_path, 0640));
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QCOMPARE(Mode(m_path), 0640);

        // A copy that replaces a file keeps the replaced file's mode; a new copy takes its source's.
        const QString other = m_folder + "/other.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(other, "other"));
        QVERIFY(SetMode(other, 0604));
        QVERIFY(CSafeFile::Copy(m_path, other));
        QCOMPARE(Mode(other), 0604);
        QCOMPARE(CFleetFixtures::Bytes(other), CFleetFixtures::Bytes(m_path));
        const QString fresh = m_folder + "/fresh.tem";
        QVERIFY(SetMode(m_path, 0600));
        QVERIFY(CSafeFile::Copy(m_path, fresh));
        QCOMPARE(Mode(fresh), 0600);
    }

    // A fleet reached through a symlink is rewritten where the link points; the link stays a link.
    void rewritesGoThroughSymlinks()
    {
        const QString real = m_folder + "/real";
        QVERIFY(QDir().mkpath(real));
        const QString target = real + "/Fleet.vlf";
        QVERIFY(QFile::rename(m_path, target));
        QVERIFY(QFile::link(target, m_path));
        const QStringList content = Dump(target);

        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(QFileInfo(m_path).isSymLink());
        QCOMPARE(QFileInfo(m_path).symLinkTarget(), target);
        QVERIFY(CFleetFile::IsStoredForm(target));
        QVERIFY(CFleetFile::ExpandFleetFile(m_path));
        QVERIFY(QFileInfo(m_path).isSymLink());
        QCOMPARE(CFleetFile::ProbeDatabase(target), CFleetFile::Probe::Database);
        QCOMPARE(Dump(target), content);
        // The temporaries lived beside the real file and are gone; only the link is beside the link.
        QCOMPARE(QDir(real).entryList(QDir::Files), QStringList{"Fleet.vlf"});
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::System), QStringList{"Fleet.vlf"});

        // A copy onto the link writes the target, too.
        const QString source = m_folder + "/source.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(source, "replacement"));
        QVERIFY(CSafeFile::Copy(source, m_path));
        QVERIFY(QFileInfo(m_path).isSymLink());
        QCOMPARE(CFleetFixtures::Bytes(target), QByteArray("replacement"));
    }

    // A read-only fleet is refused with a message naming it, and no rewrite touches it.
    void readOnlyFleetIsRefusedAndLeftAlone()
    {
        QVERIFY(SetMode(m_path, 0444));
        const QByteArray plain = CFleetFixtures::Bytes(m_path);
        QCOMPARE(CFleetFile::CheckReadable(m_path), CVelmoraError::Message(1872, {m_path}));
        QCOMPARE(CFleetFile::CheckWritable(m_path), CVelmoraError::Message(1872, {m_path}));
        QVERIFY(!CFleetFile::StoreFleetFile(m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), plain);
        const QString source = m_folder + "/source.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(source, "replacement"));
        QVERIFY(!CSafeFile::Copy(source, m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), plain);

        // A stored read-only fleet is not expanded either.
        QVERIFY(SetMode(m_path, 0644));
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(SetMode(m_path, 0444));
        const QByteArray stored = CFleetFixtures::Bytes(m_path);
        QCOMPARE(CFleetFile::CheckReadable(m_path), CVelmoraError::Message(1872, {m_path}));
        QVERIFY(!CFleetFile::ExpandFleetFile(m_path));
        QCOMPARE(CFleetFixtures::Bytes(m_path), stored);
        QCOMPARE(Mode(m_path), 0444);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), (QStringList{"Fleet.vlf", "source.vlf"}));
    }

    void damagedStoredFilesAreNamedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString path = CTestEnvironment::NewFolder("damaged") + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(40)));
        QVERIFY(CFleetFile::StoreFleetFile(path));
        const QByteArray stored = CFleetFixtures::Bytes(path);
        QByteArray flipped = stored;
        flipped[stored.size() / 2] = char(flipped[stored.size() / 2] ^ 0x10);
        QByteArray checksum = stored;
        checksum[stored.size() - 1] = char(checksum[stored.size() - 1] ^ 0x01);
        QTest::newRow("header only") << stored.left(24);
        QTest::newRow("cut in the middle") << stored.left(stored.size() / 2);
        QTest::newRow("last byte missing") << stored.left(stored.size() - 1);
        QTest::newRow("bit flipped") << flipped;
        QTest::newRow("checksum altered") << checksum;
    }
    // A stored file that is not whole is no stored fleet: storing does not call it done, expanding
    // and opening name the damage, and its bytes stay as they are.
    void damagedStoredFilesAreNamedAndLeftAlone()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(CFleetFixtures::WriteBytes(m_path, bytes));
        const CVelmoraError damaged = CVelmoraError::Message(1877, {m_path});
        QVERIFY(CFleetFile::IsStoredForm(m_path));
        QCOMPARE(CFleetFile::VerifyStoredForm(m_path), damaged);
        QVERIFY(!CFleetFile::StoreFleetFile(m_path));
        QCOMPARE(CFleetFile::Expand(m_path), damaged);
        QCOMPARE(CFleetFile::CheckReadable(m_path), damaged);
        QCOMPARE(CFleetFixtures::Bytes(m_path), bytes);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"Fleet.vlf"});
    }

    void storedFleetIsWhole()
    {
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(!CFleetFile::VerifyStoredForm(m_path));
        QVERIFY(CFleetFile::StoreFleetFile(m_path));
        QVERIFY(!CFleetFile::Expand(m_path));
        QVERIFY(!CFleetFile::CheckFleetDatabase(m_path));
    }

    // SQLite takes an empty or very short file for an empty database; neither, nor a database of
    // another program, is a fleet to store or to call plain.
    void emptyAndForeignFilesAreNoFleets()
    {
        for (const QByteArray& bytes : {QByteArray(), QByteArray("x")}) {
            const QString path = m_folder + "/short.vlf";
            QVERIFY(CFleetFixtures::WriteBytes(path, bytes));
            QCOMPARE(CFleetFile::ProbeDatabase(path), CFleetFile::Probe::NotDatabase);
            QVERIFY(!CFleetFile::StoreFleetFile(path));
            QCOMPARE(CFleetFile::CheckReadable(path), CVelmoraError::Message(1801));
            QCOMPARE(CFleetFixtures::Bytes(path), bytes);
        }
        const QString foreign = m_folder + "/foreign.vlf";
        {
            CFleetConnection c;
            QVERIFY(c.Create(foreign));
            QVERIFY(QSqlQuery(c.Database()).exec("CREATE TABLE notes (text)"));
        }
        const QByteArray bytes = CFleetFixtures::Bytes(foreign);
        QVERIFY(!CFleetFile::IsFleetDatabase(foreign));
        QVERIFY(!CFleetFile::StoreFleetFile(foreign));
        QCOMPARE(CFleetFile::CheckReadable(foreign), CVelmoraError::Message(1603));
        QCOMPARE(CFleetFixtures::Bytes(foreign), bytes);
    }

    // A damaged page is found when the fleet is opened for a change, not after the change wrote it on.
    void damagedPageIsFoundBeforeAnyChange()
    {
        QVERIFY(CFleetFixtures::MakeFleet(m_path, CFleetFixtures::Units(120)));
        QVERIFY(CFleetFixtures::DamagePage(m_path));
        const QByteArray bytes = CFleetFixtures::Bytes(m_path);
        const CVelmoraError error = CFleetFile::CheckReadable(m_path);
        QCOMPARE(error.Id(), 1878);
        QCOMPARE(error.Args().value(0), m_path);
        QVERIFY(!error.Args().value(1).isEmpty());
        CFleetErrors errors;
        QVERIFY(!CFleetFile::CheckAndPrepare(m_path, CFleetFixtures::Settings(), errors));
        QCOMPARE(errors, CFleetErrors{error});
        QCOMPARE(CFleetFixtures::Bytes(m_path), bytes);
    }

    // What stands in the way is named: a file that may not be read, a folder that takes no new file.
    void permissionProblemsAreNamedAsSuch()
    {
        QTemporaryDir top(QDir::tempPath() + "/velmora-access-XXXXXX");
        QVERIFY(top.isValid());
        QVERIFY(SetMode(top.path(), 0755));
        const QString unreadable = top.filePath("secret.vlf");
        QVERIFY(QFile::copy(m_path, unreadable));
        QVERIFY(SetMode(unreadable, ::geteuid() == 0 ? 0600 : 0));

        const QString folder = top.filePath("shared");
        QVERIFY(QDir().mkdir(folder));
        const QString fleet = folder + "/fleet.vlf";
        QVERIFY(QFile::copy(m_path, fleet));
        QVERIFY(CFleetFile::StoreFleetFile(fleet));
        QVERIFY(SetMode(fleet, 0644));
        CAsOtherUser::GiveAway(fleet);
        QVERIFY(SetMode(folder, 0555));
        const QByteArray stored = CFleetFixtures::Bytes(fleet);
        {
            CAsOtherUser user;
            QCOMPARE(CFleetFile::CheckReadable(unreadable), CVelmoraError::Message(1879, {unreadable}));
            QCOMPARE(CFleetFile::CheckReadPermission(unreadable), CVelmoraError::Message(1879, {unreadable}));
            const CVelmoraError noFolder = CVelmoraError::Message(1880, {folder});
            QCOMPARE(CFleetFile::CheckReadable(fleet), noFolder);
            QCOMPARE(CFleetFile::Expand(fleet), noFolder);
            QVERIFY(!CFleetFile::CheckReadPermission(fleet));
        }
        QVERIFY(SetMode(folder, 0755));
        QCOMPARE(CFleetFixtures::Bytes(fleet), stored);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"fleet.vlf"});
    }
};

VELMORA_TEST_MAIN(TestFleetFile)
#include "tst_fleet_file.moc"
