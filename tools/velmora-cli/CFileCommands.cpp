#include "CFileCommands.h"

#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CCliTexts.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CFleetSession.h"
#include "CFleetSnapshot.h"
#include "CTextTable.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "FleetMessageIds.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

namespace {

// Shows what an operation that stops at its first failure met; true when it succeeded.
bool Shown(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
    return !error;
}

} // namespace

int CFileCommands::Run(const QString& command)
{
    const QString path = m_cx.args.Operand(0);
    if (command == QLatin1String("new"))
        return New(path);
    if (command == QLatin1String("info"))
        return Info(path);
    if (command == QLatin1String("store"))
        return Store(path);
    if (command == QLatin1String("expand"))
        return Expand(path);
    return Upgrade(path);
}

int CFileCommands::New(const QString& path)
{
    CFleetSession session(m_cx.fleets);
    QString why;
    if (!session.Create(path, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::NotMade, {path})) : m_cx.Fail(why);
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotSaved, {path}));
    m_cx.Done(path, CCliTexts::Text(CliMsg::NewFleet));
    return m_cx.Result();
}

int CFileCommands::Info(const QString& path)
{
    CFleetSnapshot snapshot;
    QString why;
    if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, false, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path})) : m_cx.Fail(why);
    if (!snapshot.HasUnitTable()) {
        CVelmoraWrap::ShowError(FleetMsg::CannotReadFleet, VMT_ERROR);
        return 1;
    }
    QSqlQuery count(snapshot.Database());
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM unit_details")) || !count.next())
        return m_cx.Fail(CCliTexts::Text(CliMsg::CannotCount, {path}));

    const QString current = QString::number(snapshot.CurrentVersion());
    QString version;
    const QString fileVersion = QString::number(snapshot.FileVersion());
    if (!snapshot.HasVersion())
        version = CCliTexts::Text(CliMsg::VersionOlder, {CCliTexts::Text(CliMsg::NoVersion), current});
    else if (snapshot.IsNewer())
        version = CCliTexts::Text(CliMsg::VersionNewer, {fileVersion, current});
    else if (snapshot.IsOlder())
        version = CCliTexts::Text(CliMsg::VersionOlder, {fileVersion, current});
    else
        version = CCliTexts::Text(CliMsg::VersionIsCurrent, {current});

    CTextTable table({QString(), QString()});
    table.AddRow({CCliTexts::Text(CliMsg::InfoFile), path});
    table.AddRow({CCliTexts::Text(CliMsg::InfoForm),
                  snapshot.WasStored() ? CCliTexts::Text(CliMsg::Stored) : CCliTexts::Text(CliMsg::Plain)});
    table.AddRow({CCliTexts::Text(CliMsg::InfoVersion), version});
    table.AddRow({CCliTexts::Text(CliMsg::InfoUnits), QString::number(count.value(0).toLongLong())});
    m_cx.out << table.Plain(QString(), false);
    return m_cx.Result();
}

int CFileCommands::Store(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(FleetMsg::FileMissing, VMT_ERROR);
        return 1;
    }
    if (QFileInfo(path).suffix().toUpper() != QLatin1String("VLF"))
        return m_cx.Fail(CCliTexts::Text(CliMsg::OnlyVlfStored, {path}));
    if (!Shown(CFleetFile::CheckWritable(path)))
        return 1;
    // Held from the first look at the file to the rename: no other program changes it meanwhile.
    CFleetLock lock;
    if (!Shown(lock.Lock(path)))
        return 1;
    // A stored file is only stored already when all of it is there as it was written.
    if (CFleetFile::IsStoredForm(path)) {
        if (!Shown(CFleetFile::VerifyStoredForm(path)))
            return 1;
        m_cx.Done(path, CCliTexts::Text(CliMsg::StoredAlready));
        return 0;
    }
    CVelmoraError busy;
    switch (CFleetFile::ProbeDatabase(path, busy)) {
    case CFleetFile::Probe::Busy:
        CVelmoraWrap::ShowError(busy);
        return 1;
    case CFleetFile::Probe::Database:
        break;
    default:
        // A database that does not open is a damaged one; other bytes (an empty file) are no fleet.
        if (CFleetFile::HasDatabaseHeader(path) && !Shown(CFleetFile::CheckFleetDatabase(path)))
            return 1;
        CVelmoraWrap::ShowError(FleetMsg::CannotReadFleet, VMT_ERROR);
        return 1;
    }
    // Only a whole fleet is stored: storing compacts, which carries a damaged page on unseen.
    if (!Shown(CFleetFile::CheckFleetDatabase(path)))
        return 1;
    if (!CFleetFile::StoreFleetFile(path) || !CFleetFile::IsStoredForm(path))
        return m_cx.Fail(CCliTexts::Text(CliMsg::NotStored, {path}));
    m_cx.Done(path, CCliTexts::Text(CliMsg::Stored));
    return m_cx.Result();
}

int CFileCommands::Expand(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(FleetMsg::FileMissing, VMT_ERROR);
        return 1;
    }
    if (!Shown(CFleetFile::CheckWritable(path)))
        return 1;
    CFleetLock lock;
    if (!Shown(lock.Lock(path)))
        return 1;
    CVelmoraError busy;
    switch (CFleetFile::ProbeDatabase(path, busy)) {
    case CFleetFile::Probe::Database:
        // A database is plain already only when it is a whole fleet.
        if (!Shown(CFleetFile::CheckFleetDatabase(path)))
            return 1;
        m_cx.Done(path, CCliTexts::Text(CliMsg::PlainAlready));
        return 0;
    case CFleetFile::Probe::Busy:
        CVelmoraWrap::ShowError(busy);
        return 1;
    default:
        break;
    }
    if (CFleetFile::HasDatabaseHeader(path) && !Shown(CFleetFile::CheckFleetDatabase(path)))
        return 1;
    if (!Shown(CFleetFile::Expand(path)))
        return 1;
    m_cx.Done(path, CCliTexts::Text(CliMsg::Expanded));
    return m_cx.Result();
}

int CFileCommands::Upgrade(const QString& path)
{
    int from = 0;
    bool hadVersion = false;
    int to = 0;
    {
        CFleetSnapshot snapshot;
        QString why;
        if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, false, why))
            return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path})) : m_cx.Fail(why);
        if (!snapshot.HasUnitTable()) {
            CVelmoraWrap::ShowError(FleetMsg::CannotReadFleet, VMT_ERROR);
            return 1;
        }
        if (snapshot.IsNewer()) {
            CVelmoraWrap::ShowError(FleetMsg::NewerFleet, VMT_ERROR);
            return 1;
        }
        if (!snapshot.IsOlder() && !snapshot.IsUnfinished()) {
            m_cx.Done(path,
                      CCliTexts::Text(CliMsg::VersionCurrent, {QString::number(snapshot.FileVersion())}));
            return m_cx.Result();
        }
        from = snapshot.FileVersion();
        hadVersion = snapshot.HasVersion();
        to = snapshot.CurrentVersion();
    }
    // Opening the file as the program opens it asks the question and upgrades it.
    CFleetSession session(m_cx.fleets);
    QString why;
    if (!session.Open(path, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::NotUpgraded, {path})) : m_cx.Fail(why);
    if (m_cx.answerer.Failed()) {
        session.Rollback();
        return 1;
    }
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotUpgraded, {path}));
    // An upgrade that was cut short is finished: the file now is what its version says.
    if (from == to)
        m_cx.Done(path, CCliTexts::Text(CliMsg::VersionCurrent, {QString::number(to)}));
    else if (hadVersion)
        m_cx.Done(path, CCliTexts::Text(CliMsg::Upgraded, {QString::number(from), QString::number(to)}));
    else
        m_cx.Done(path, CCliTexts::Text(CliMsg::UpgradedUnversioned, {QString::number(to)}));
    return m_cx.Result();
}
