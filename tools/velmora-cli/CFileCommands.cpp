#include "CFileCommands.h"

#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CFleetFile.h"
#include "CFleetSession.h"
#include "CFleetSnapshot.h"
#include "CTextTable.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

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
        return why.isEmpty() ? m_cx.Failed(QStringLiteral("%1 could not be made").arg(path)) : m_cx.Fail(why);
    if (!session.Commit())
        return m_cx.Failed(QStringLiteral("%1 could not be saved").arg(path));
    m_cx.out << path << ": new fleet file\n";
    return m_cx.Result();
}

int CFileCommands::Info(const QString& path)
{
    CFleetSnapshot snapshot;
    QString why;
    if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, false, why))
        return why.isEmpty() ? m_cx.Failed(QStringLiteral("%1 cannot be read").arg(path)) : m_cx.Fail(why);
    if (!snapshot.HasUnitTable()) {
        CVelmoraWrap::ShowError(FleetMsg::CannotReadFleet, VMT_ERROR);
        return 1;
    }
    QSqlQuery count(snapshot.Database());
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM unit_details")) || !count.next())
        return m_cx.Fail(QStringLiteral("%1: the units cannot be counted").arg(path));

    const QString current = QString::number(snapshot.CurrentVersion());
    QString version;
    if (!snapshot.HasVersion())
        version =
            QStringLiteral("none (older than this program's %1; upgrade brings it up to date)").arg(current);
    else if (snapshot.IsNewer())
        version =
            QStringLiteral("%1 (newer than this program's %2)").arg(snapshot.FileVersion()).arg(current);
    else if (snapshot.IsOlder())
        version = QStringLiteral("%1 (older than this program's %2; upgrade brings it up to date)")
                      .arg(snapshot.FileVersion())
                      .arg(current);
    else
        version = QStringLiteral("%1 (current)").arg(current);

    CTextTable table({QString(), QString()});
    table.AddRow({QStringLiteral("file"), path});
    table.AddRow(
        {QStringLiteral("form"), snapshot.WasStored() ? QStringLiteral("stored") : QStringLiteral("plain")});
    table.AddRow({QStringLiteral("schema version"), version});
    table.AddRow({QStringLiteral("units"), QString::number(count.value(0).toLongLong())});
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
        return m_cx.Fail(QStringLiteral("%1: only .vlf files are stored").arg(path));
    if (CFleetFile::IsStoredForm(path)) {
        m_cx.out << path << ": stored already\n";
        return 0;
    }
    QString busy;
    switch (CFleetFile::ProbeDatabase(path, &busy)) {
    case CFleetFile::Probe::Busy:
        CVelmoraWrap::ShowError(busy, VMT_ERROR);
        return 1;
    case CFleetFile::Probe::Database:
        break;
    default:
        CVelmoraWrap::ShowError(FleetMsg::CannotOpenFleet, VMT_ERROR);
        return 1;
    }
    if (!CFleetFile::StoreFleetFile(path) || !CFleetFile::IsStoredForm(path))
        return m_cx.Fail(QStringLiteral("%1 could not be stored; it is left plain").arg(path));
    m_cx.out << path << ": stored\n";
    return m_cx.Result();
}

int CFileCommands::Expand(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(FleetMsg::FileMissing, VMT_ERROR);
        return 1;
    }
    QString busy;
    switch (CFleetFile::ProbeDatabase(path, &busy)) {
    case CFleetFile::Probe::Database:
        m_cx.out << path << ": plain already\n";
        return 0;
    case CFleetFile::Probe::Busy:
        CVelmoraWrap::ShowError(busy, VMT_ERROR);
        return 1;
    default:
        break;
    }
    if (!CFleetFile::ExpandFleetFile(path)) {
        CVelmoraWrap::ShowError(FleetMsg::CannotOpenFleet, VMT_ERROR);
        return 1;
    }
    m_cx.out << path << ": expanded\n";
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
            return why.isEmpty() ? m_cx.Failed(QStringLiteral("%1 cannot be read").arg(path))
                                 : m_cx.Fail(why);
        if (!snapshot.HasUnitTable()) {
            CVelmoraWrap::ShowError(FleetMsg::CannotReadFleet, VMT_ERROR);
            return 1;
        }
        if (snapshot.IsNewer()) {
            CVelmoraWrap::ShowError(FleetMsg::NewerFleet, VMT_ERROR);
            return 1;
        }
        if (!snapshot.IsOlder()) {
            m_cx.out << path << ": schema version " << snapshot.FileVersion() << " is current\n";
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
        return why.isEmpty() ? m_cx.Failed(QStringLiteral("%1 was not upgraded").arg(path)) : m_cx.Fail(why);
    if (m_cx.answerer.Failed()) {
        session.Rollback();
        return 1;
    }
    if (!session.Commit())
        return m_cx.Failed(QStringLiteral("%1 was not upgraded").arg(path));
    m_cx.out << path << ": upgraded from schema version "
             << (hadVersion ? QString::number(from) : QStringLiteral("none")) << " to " << to << '\n';
    return m_cx.Result();
}
