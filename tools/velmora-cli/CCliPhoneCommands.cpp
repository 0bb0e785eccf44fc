#include "CCliPhoneCommands.h"

#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CCliPhoneHost.h"
#include "CCliTexts.h"
#include "CCodeplugRecovery.h"
#include "CFleetSession.h"
#include "CFleetSnapshot.h"
#include "CPhoneCommands.h"
#include "CPhoneSettings.h"
#include "CUnitCascade.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "PhoneMessageIds.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QTextStream>

namespace {

// The same for an operation that stops at its first failure: true when it succeeded.
bool Shown(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
    return !error;
}

const QString kPin = QStringLiteral("--pin");

QStringList Imeis(const QSqlDatabase& db)
{
    QStringList imeis;
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT unit_imei_num FROM unit_details ORDER BY rowid"))) {
        while (query.next())
            imeis << CVelmoraWrap::strVARIANT(query.value(0));
    }
    return imeis;
}

} // namespace

int CCliPhoneCommands::Run(const QString& command)
{
    const CCliArguments& a = m_cx.args;
    if (command == QLatin1String("read-phone"))
        return ReadPhone(a.Operand(0));
    if (command == QLatin1String("write-phone"))
        return WritePhone(a.Operand(0), a.Value(QStringLiteral("--imei")));
    return Recover(a.Operand(0));
}

int CCliPhoneCommands::ReadPhone(const QString& path)
{
    CFleetSession session(m_cx.fleets);
    QString why;
    const bool exists = QFileInfo::exists(path);
    if (!(exists ? session.Open(path, why) : session.Create(path, why)))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotOpen, {path})) : m_cx.Fail(why);

    CCliPhoneHost host(m_cx.err, &session.Document());
    host.SetPin(m_cx.args.Value(kPin), m_cx.args.HasValue(kPin), true);
    const QStringList before = Imeis(session.Document().Database());
    bool read = false;
    {
        // The phone goes into the fleet the command names, whatever it holds already.
        CCliAnswerer::CPreset intoThisFleet(m_cx.answerer, PhoneMsg::ReadIntoOpenFleet, IDYES);
        read = CPhoneCommands::ReadPhone(host, CPhoneSettings::FromApp(), m_cx.app.ModelRules());
    }
    if (!read || m_cx.answerer.Failed()) {
        session.Rollback();
        return m_cx.Failed(CCliTexts::Text(CliMsg::PhoneNotRead, {path}));
    }
    const QStringList after = Imeis(session.Document().Database());
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotSaved, {path}));
    QStringList added;
    const QSet<QString> known(before.begin(), before.end());
    for (const QString& imei : after) {
        if (!known.contains(imei))
            added << imei;
    }
    const QString count = QString::number(after.size());
    if (!added.isEmpty())
        m_cx.Done(path, CCliTexts::Text(CliMsg::PhoneRead, {added.join(QStringLiteral(", ")), count}));
    else
        m_cx.Done(path, CCliTexts::Text(CliMsg::PhoneReplaced, {count}));
    return m_cx.Result();
}

int CCliPhoneCommands::WritePhone(const QString& path, const QString& imei)
{
    // The write only reads the fleet: it works on a private copy, so the file keeps its form.
    CFleetSnapshot snapshot;
    QString why;
    if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, true, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path})) : m_cx.Fail(why);
    if (!imei.isEmpty()) {
        // Only that unit stays in the copy, so the program refuses any other phone before it writes.
        bool held = false;
        bool kept = false;
        {
            const QSqlDatabase db = snapshot.Database();
            QStringList others = Imeis(db);
            held = others.removeAll(imei) > 0;
            kept = held && (others.isEmpty() || Shown(CUnitCascade::DeleteUnits(db, others)));
        }
        if (!held)
            return m_cx.Fail(CCliTexts::Text(CliMsg::NoSuchUnit, {path, imei}));
        if (!kept)
            return m_cx.Failed(CCliTexts::Text(CliMsg::CannotPickUnit, {imei, path}));
    }
    snapshot.Close();

    CVelmoraDoc document(m_cx.fleets);
    CFleetErrors errors;
    if (!CVelmoraWrap::ShowErrors(document.OnOpenDocument(snapshot.CopyPath(), errors), errors)) {
        document.OnCloseDocument();
        return m_cx.Failed(CCliTexts::Text(CliMsg::CannotOpen, {path}));
    }
    CCliPhoneHost host(m_cx.err, &document);
    host.SetPin(m_cx.args.Value(kPin), m_cx.args.HasValue(kPin), true);
    const CPhoneSettings settings = CPhoneSettings::FromApp();
    const bool written = CPhoneCommands::WritePhone(host, settings, m_cx.app.ModelRules());
    document.OnCloseDocument();
    if (!written) {
        if (!imei.isEmpty())
            m_cx.Note(CCliTexts::Text(CliMsg::OtherPhoneRefused, {QStringLiteral("--imei"), imei}));
        return m_cx.Failed(CCliTexts::Text(CliMsg::NothingWritten));
    }
    m_cx.Done(path, CCliTexts::Text(CliMsg::PhoneWritten, {settings.BackupFolderForWrite()}));
    return m_cx.Result();
}

int CCliPhoneCommands::Recover(const QString& backup)
{
    const CCodeplugRecovery recovery(CPhoneSettings::FromApp());
    CCliPhoneHost host(m_cx.err, nullptr);
    QString own;
    const CVelmoraError started = recovery.Start(host, own);
    host.Report(started);
    if (started.Stops())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NothingRestored));
    const QString path = backup.isEmpty() ? own : backup;
    if (path.isEmpty())
        return m_cx.Fail(CCliTexts::Text(CliMsg::NoBackupName));
    if (recovery.Restore(path, host, host) != CCodeplugRecovery::Result::Close)
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotRestored, {path}));
    m_cx.Done(path, CCliTexts::Text(CliMsg::Restored));
    return m_cx.Result();
}
