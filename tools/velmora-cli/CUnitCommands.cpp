#include "CUnitCommands.h"

#include "CAppendFile.h"
#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CCliTexts.h"
#include "CFleetFile.h"
#include "CFleetSchema.h"
#include "CFleetSession.h"
#include "CFleetSnapshot.h"
#include "CTalkgroupIndex.h"
#include "CTextTable.h"
#include "CUnitCascade.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace {

// The same for an operation that stops at its first failure: true when it succeeded.
bool Shown(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
    return !error;
}

// One list of a unit as show prints it: a table of rows, or one row as names and values.
struct ListSection
{
    int titleId;
    const char* table;
    const char* order; // empty: one row per unit
};

const ListSection kSections[] = {
    {CliShared::ListPhoneBook, "unit_phone_details", "unit_speed_dial"},
    {CliShared::ListPrivate, "unit_private_details", "unit_nam, unit_loc_no"},
    {CliShared::ListTalkgroup, "unit_tg_details", "unit_nam, unit_loc_no"},
    {CliShared::ListScan, "unit_tg_scan", "unit_nam, unit_loc_no"},
    {CliShared::ListStatus, "unit_status_msg_list", "unit_nam, unit_loc_no"},
    {CliShared::ListConsolidated, "unit_consolid_call_list", "unit_rec_num"},
    {CliMsg::PhoneSettings, "unit_phone_ergo_settings", ""},
    {CliShared::ListStyles, "unit_alder_styles_details", "unit_style_number"},
    {CliShared::ListShortcuts, "unit_alder_shortcut_details", "unit_shortcut_number"},
    {CliShared::ListQuickNotes, "unit_alder_quick_notes", ""},
};

int UnitCount(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM unit_details")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool HasUnit(const QSqlDatabase& db, const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM unit_details WHERE unit_imei_num = ?"));
    query.addBindValue(imei);
    return query.exec() && query.next();
}

// Every row of the unit in a table, in the given order, without the IMEI column (the unit's key).
bool ReadRows(const QSqlDatabase& db, const QString& table, const QString& order, const QString& imei,
              QStringList& columns, QList<QStringList>& rows, QString& error)
{
    QSqlQuery query(db);
    QString sql = QStringLiteral("SELECT * FROM %1 WHERE unit_imei_num = ?").arg(table);
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order;
    query.prepare(sql);
    query.addBindValue(imei);
    if (!query.exec()) {
        error = query.lastError().text();
        return false;
    }
    const QSqlRecord record = query.record();
    QList<int> shown;
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i) != QLatin1String("unit_imei_num")) {
            shown << i;
            columns << record.fieldName(i);
        }
    }
    while (query.next()) {
        QStringList row;
        for (const int i : shown)
            row << CVelmoraWrap::strVARIANT(query.value(i));
        rows << row;
    }
    return true;
}

} // namespace

QStringList CUnitCommands::UnitHeaders()
{
    // The CSV header that scripts read the columns by: fixed English in every language.
    return {QStringLiteral("IMEI"), QStringLiteral("User name"), QStringLiteral("Model"),
            QStringLiteral("NAM1 number"), QStringLiteral("Private id")};
}

QStringList CUnitCommands::UnitCaptions()
{
    return {CCliTexts::Text(CliShared::CaptionImei), CCliTexts::Text(CliShared::CaptionUserName),
            CCliTexts::Text(CliShared::CaptionModel), CCliTexts::Text(CliShared::CaptionPhoneNumber),
            CCliTexts::Text(CliShared::CaptionPrivateId)};
}

QStringList CUnitCommands::TalkgroupHeaders(bool members)
{
    // The CSV header that scripts read the columns by: fixed English in every language.
    return members ? QStringList{QStringLiteral("NAM"),       QStringLiteral("Talkgroup"),
                                 QStringLiteral("Name"),      QStringLiteral("IMEI"),
                                 QStringLiteral("User name"), QStringLiteral("Private id")}
                   : QStringList{QStringLiteral("NAM"), QStringLiteral("Talkgroup"), QStringLiteral("Name"),
                                 QStringLiteral("Units")};
}

QStringList CUnitCommands::TalkgroupCaptions(bool members)
{
    const QStringList head{CCliTexts::Text(CliMsg::CaptionNam),
                           CCliTexts::Text(CliShared::CaptionTalkgroupId),
                           CCliTexts::Text(CliShared::CaptionTalkgroupName)};
    return members ? head + QStringList{CCliTexts::Text(CliShared::CaptionImei),
                                        CCliTexts::Text(CliShared::CaptionUserName),
                                        CCliTexts::Text(CliShared::CaptionPrivateId)}
                   : head + QStringList{CCliTexts::Text(CliShared::CaptionUnits)};
}

int CUnitCommands::Run(const QString& command)
{
    const CCliArguments& a = m_cx.args;
    if (command == QLatin1String("units"))
        return Units(a.Operand(0), a.Has(QStringLiteral("--csv")));
    if (command == QLatin1String("show"))
        return Show(a.Operand(0), a.Operand(1));
    if (command == QLatin1String("append"))
        return Append(a.Operand(0), a.Operand(1));
    if (command == QLatin1String("delete"))
        return Delete(a.Operand(0), a.Operands().mid(1));
    const int nam = a.HasValue(QStringLiteral("--nam")) ? a.Value(QStringLiteral("--nam")).toInt() : 0;
    return Talkgroups(a.Operand(0), nam, a.Has(QStringLiteral("--members")), a.Has(QStringLiteral("--csv")));
}

bool CUnitCommands::OpenSnapshot(CFleetSnapshot& snapshot, const QString& path, int& status) const
{
    QString why;
    if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, true, why)) {
        status = why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path})) : m_cx.Fail(why);
        return false;
    }
    if (snapshot.IsOlder())
        m_cx.Note(snapshot.HasVersion()
                      ? CCliTexts::Text(CliMsg::ShownUpgraded, {path, QString::number(snapshot.FileVersion()),
                                                                QString::number(snapshot.CurrentVersion())})
                      : CCliTexts::Text(CliMsg::ShownUpgradedUnversioned,
                                        {path, QString::number(snapshot.CurrentVersion())}));
    return true;
}

void CUnitCommands::Print(const CTextTable& table, const QStringList& captions, bool csv) const
{
    if (csv) {
        m_cx.out << table.Csv();
        return;
    }
    CTextTable shown(captions);
    for (const QStringList& row : table.Rows())
        shown.AddRow(row);
    m_cx.out << shown.Plain();
}

int CUnitCommands::Units(const QString& path, bool csv)
{
    CFleetSnapshot snapshot;
    int status = 0;
    if (!OpenSnapshot(snapshot, path, status))
        return status;
    QSqlQuery query(snapshot.Database());
    // The units grid lists the units in the order the table holds them.
    if (!query.exec(
            QStringLiteral("SELECT unit_imei_num, unit_user_name, unit_model_type, unit_prod_sub_release_id, "
                           "unit_prod_release_id, unit_phone_num_nam1, unit_display_prvt_id "
                           "FROM unit_details ORDER BY rowid")))
        return m_cx.Fail(QStringLiteral("%1: %2").arg(path, query.lastError().text()));
    const CModelRules& rules = m_cx.app.ModelRules();
    CTextTable table(UnitHeaders());
    while (query.next()) {
        const int model = query.value(2).toInt();
        QString name = rules.ModelDisplayName(model, query.value(3).toInt(), query.value(4).toInt());
        if (name.isEmpty())
            name = QString::number(model);
        table.AddRow({CVelmoraWrap::strVARIANT(query.value(0)), CVelmoraWrap::strVARIANT(query.value(1)),
                      name, CVelmoraWrap::strVARIANT(query.value(5)),
                      CVelmoraWrap::strVARIANT(query.value(6))});
    }
    Print(table, UnitCaptions(), csv);
    return m_cx.Result();
}

int CUnitCommands::Show(const QString& path, const QString& imei)
{
    CFleetSnapshot snapshot;
    int status = 0;
    if (!OpenSnapshot(snapshot, path, status))
        return status;
    const QSqlDatabase db = snapshot.Database();
    if (!HasUnit(db, imei))
        return m_cx.Fail(CCliTexts::Text(CliMsg::NoSuchUnit, {path, imei}));

    QString error;
    QStringList columns;
    QList<QStringList> rows;
    if (!ReadRows(db, QStringLiteral("unit_details"), QString(), imei, columns, rows, error))
        return m_cx.Fail(QStringLiteral("%1: %2").arg(path, error));
    const int modelColumn = int(columns.indexOf(QStringLiteral("unit_model_type")));
    const int model = modelColumn >= 0 ? rows.value(0).value(modelColumn).toInt() : 0;

    const auto oneRow = [&](const QStringList& names, const QList<QStringList>& values) {
        CTextTable table({QString(), QString()});
        for (int i = 0; i < names.size(); ++i)
            table.AddRow({names.at(i), values.value(0).value(i)});
        m_cx.out << table.Plain(QStringLiteral("  "), false);
    };

    const int subColumn = int(columns.indexOf(QStringLiteral("unit_prod_sub_release_id")));
    const int releaseColumn = int(columns.indexOf(QStringLiteral("unit_prod_release_id")));
    const QString modelName = m_cx.app.ModelRules().ModelDisplayName(
        model, rows.value(0).value(subColumn).toInt(), rows.value(0).value(releaseColumn).toInt());
    m_cx.out << CCliTexts::Text(CliMsg::UnitHeading, {imei});
    if (!modelName.isEmpty())
        m_cx.out << " (" << modelName << ')';
    m_cx.out << '\n';
    oneRow(columns, rows);

    QList<ListSection> sections(std::begin(kSections), std::end(kSections));
    const QByteArray personalize = CFleetSchema::PersonalizeTableFor(model).toLatin1();
    sections.append(ListSection{CliMsg::Personalisation, personalize.constData(), ""});
    for (const ListSection& section : sections) {
        columns.clear();
        rows.clear();
        if (!ReadRows(db, QLatin1String(section.table), QLatin1String(section.order), imei, columns, rows,
                      error))
            return m_cx.Fail(QStringLiteral("%1: %2").arg(path, error));
        m_cx.out << '\n'
                 << CCliTexts::Text(CliMsg::ListHeading,
                                    {CCliTexts::Text(section.titleId), QLatin1String(section.table),
                                     QString::number(rows.size())})
                 << '\n';
        if (rows.isEmpty())
            continue;
        if (*section.order == '\0') {
            oneRow(columns, rows);
            continue;
        }
        // Column names are the table's own (the names scripts and database tools know them by).
        CTextTable table(columns);
        for (const QStringList& row : rows)
            table.AddRow(row);
        m_cx.out << table.Plain(QStringLiteral("  "));
    }
    return m_cx.Result();
}

int CUnitCommands::Append(const QString& destination, const QString& source)
{
    const QString a = QFileInfo(destination).canonicalFilePath();
    if (!a.isEmpty() && a == QFileInfo(source).canonicalFilePath())
        return m_cx.Fail(CCliTexts::Text(CliMsg::SameFile, {destination, source}));
    m_cx.answerer.SetAppendAnswer(m_cx.args.Has(QStringLiteral("--overwrite-all")),
                                  m_cx.args.Has(QStringLiteral("--skip-all")));
    // Before the session keeps its copy of the fleet: what stands in the way is named.
    if (!Shown(CFleetFile::CheckWritable(destination)))
        return 1;
    CFleetSession session(m_cx.fleets);
    QString why;
    if (!session.Open(destination, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotOpen, {destination}))
                             : m_cx.Fail(why);
    CVelmoraDoc& document = session.Document();
    const int before = UnitCount(document.Database());
    CFleetErrors errors;
    const bool appended = CVelmoraWrap::ShowErrors(
        CAppendFile::AppendFleetFile(document, source, &m_cx.answerer, errors), errors);
    if (!appended || m_cx.answerer.Failed()) {
        session.Rollback();
        return m_cx.Failed(CCliTexts::Text(CliMsg::NothingAppended, {destination}));
    }
    const int after = UnitCount(document.Database());
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotSaved, {destination}));
    m_cx.Done(destination, CCliTexts::Text(CliMsg::Appended, {source, QString::number(after - before),
                                                              QString::number(after)}));
    return m_cx.Result();
}

int CUnitCommands::Delete(const QString& path, const QStringList& imeis)
{
    QStringList unique;
    for (const QString& imei : imeis) {
        if (!unique.contains(imei))
            unique << imei;
    }
    if (!Shown(CFleetFile::CheckWritable(path)))
        return 1;
    CFleetSession session(m_cx.fleets);
    QString why;
    if (!session.Open(path, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotOpen, {path})) : m_cx.Fail(why);
    // The database handle must be gone before the document closes its connection.
    QStringList missing;
    bool deleted = false;
    {
        const QSqlDatabase db = session.Document().Database();
        for (const QString& imei : unique) {
            if (!HasUnit(db, imei))
                missing << imei;
        }
        deleted = missing.isEmpty() && Shown(CUnitCascade::DeleteUnits(db, unique));
    }
    if (!missing.isEmpty()) {
        session.Rollback();
        return m_cx.Fail(CCliTexts::Text(CliMsg::NothingDeleted, {path, missing.join(QStringLiteral(", "))}));
    }
    if (!deleted || m_cx.answerer.Failed()) {
        session.Rollback();
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotDeleted, {path}));
    }
    if (!session.Commit())
        return m_cx.Failed(CCliTexts::Text(CliMsg::NotSaved, {path}));
    m_cx.Done(path, CCliTexts::Text(CliMsg::Deleted, {QString::number(unique.size())}));
    return m_cx.Result();
}

int CUnitCommands::Talkgroups(const QString& path, int nam, bool members, bool csv)
{
    CFleetSnapshot snapshot;
    int status = 0;
    if (!OpenSnapshot(snapshot, path, status))
        return status;
    CTalkgroupIndex index(snapshot.Database());
    if (const CVelmoraError rebuilt = index.Rebuild())
        return m_cx.Fail(CCliTexts::Text(CliMsg::NoTalkgroupIndex, {path, rebuilt.ToText()}));
    CVelmoraError error;

    CTextTable table(TalkgroupHeaders(members));
    const QList<int> nams = nam > 0 ? QList<int>{nam} : QList<int>{1, 2, 3};
    for (const int n : nams) {
        const QList<CTalkgroupIndex::Talkgroup> talkgroups = index.Talkgroups(n, &error);
        if (error)
            return m_cx.Fail(QStringLiteral("%1: %2").arg(path, error.ToText()));
        for (const CTalkgroupIndex::Talkgroup& talkgroup : talkgroups) {
            const QList<CTalkgroupIndex::Member> list = index.Members(talkgroup, &error);
            if (error)
                return m_cx.Fail(QStringLiteral("%1: %2").arg(path, error.ToText()));
            const QStringList head{QString::number(n), QString::number(talkgroup.id), talkgroup.name};
            if (!members) {
                table.AddRow(head + QStringList{QString::number(list.size())});
                continue;
            }
            for (const CTalkgroupIndex::Member& member : list)
                table.AddRow(head + QStringList{member.imei, member.userName, member.displayPrivateId});
        }
    }
    Print(table, TalkgroupCaptions(members), csv);
    return m_cx.Result();
}
