#include "SheetListRows.h"

#include "CResourceStrings.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <memory>

#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

namespace {

bool Insert(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        return false;
    for (const QVariant& v : values)
        q.addBindValue(v);
    return q.exec();
}

QStringList Names(bool hebrew)
{
    if (hebrew)
        return {QString::fromUtf16(u"\u05DE\u05D5\u05E7\u05D3"),
                QString::fromUtf16(u"\u05D7\u05E6\u05E8"),
                QString::fromUtf16(u"\u05DE\u05E9\u05DE\u05E8\u05EA \u05DC\u05D9\u05DC\u05D4"),
                QString::fromUtf16(u"\u05D0\u05D7\u05D6\u05E7\u05D4"),
                QString::fromUtf16(u"\u05D1\u05D9\u05D8\u05D7\u05D5\u05DF"),
                QString::fromUtf16(u"\u05E0\u05D4\u05D2\u05D9\u05DD"),
                QString::fromUtf16(u"\u05DE\u05D7\u05E1\u05DF \u05E6\u05E4\u05D5\u05DF"),
                QString::fromUtf16(u"\u05DE\u05D7\u05E1\u05DF \u05D3\u05E8\u05D5\u05DD"),
                QString::fromUtf16(u"\u05DE\u05E0\u05D4\u05DC\u05D9\u05DD"),
                QString::fromUtf16(u"\u05D7\u05D9\u05E8\u05D5\u05DD"),
                QString::fromUtf16(u"\u05E6\u05D5\u05D5\u05EA \u05D0'"),
                QString::fromUtf16(u"\u05D4\u05E2\u05DE\u05E1\u05D4")};
    return {QStringLiteral("Dispatch"),    QStringLiteral("Yard"),        QStringLiteral("Night Shift"),
            QStringLiteral("Maintenance"), QStringLiteral("Security"),    QStringLiteral("Drivers"),
            QStringLiteral("Depot North"), QStringLiteral("Depot South"), QStringLiteral("Managers"),
            QStringLiteral("Emergency"),   QStringLiteral("O'Hara Crew"), QStringLiteral("Loading")};
}

} // namespace

bool AddSheetListRows(const QSqlDatabase& db, const QString& imei, bool hebrew)
{
    const QStringList names = Names(hebrew);
    const int language = hebrew ? 3 : 0;
    bool ok = true;
    for (int i = 0; i < names.size(); ++i) {
        ok = ok && Insert(db,
                          QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, "
                                         "unit_tg_name, unit_loc_no, unit_program_flag, unit_language) "
                                         "VALUES (?, 1, ?, ?, ?, ?, ?)"),
                          {imei, 10 + i * 7, names[i], i + 1, i % 3 != 2, language});
    }
    for (int i = 0; i < 4; ++i) {
        ok = ok &&
             Insert(db,
                    QStringLiteral("INSERT INTO unit_private_details (unit_imei_num, unit_nam, "
                                   "unit_urban_id, unit_fleet_id, unit_member_id, unit_name, unit_loc_no, "
                                   "unit_program_flag, unit_language) VALUES (?, 1, 0, 0, ?, ?, ?, 1, ?)"),
                    {imei, 101 + i, names[names.size() - 1 - i], i + 1, language});
        ok =
            ok &&
            Insert(db,
                   QStringLiteral("INSERT INTO unit_tg_scan (unit_imei_num, unit_nam, unit_tg_id, "
                                  "unit_loc_no, unit_tg_alias, unit_program_flag) VALUES (?, 1, ?, ?, ?, 1)"),
                   {imei, 10 + i * 7, i + 1, names[i]});
        ok =
            ok &&
            Insert(db,
                   QStringLiteral("INSERT INTO unit_status_msg_list (unit_imei_num, unit_msg_text, unit_nam, "
                                  "unit_msg_id, unit_loc_no, unit_program_flag) VALUES (?, ?, 1, ?, ?, 1)"),
                   {imei, names[i + 4], i + 1, i + 1});
    }
    // The consolidated call list: contacts of several numbers under one name index.
    const struct
    {
        int name;
        const char* number;
        int type;
        int index;
    } consolidated[] = {{0, "0501234567", 0, 1}, {0, "+97231234567", 3, 1}, {0, "4711", 1, 1},
                        {1, "*100#", 2, 2},      {2, "12", 7, 3},           {3, "10.0.0.1", 8, 4},
                        {4, "035551212", 5, 5},  {4, "035551213", 4, 5},    {10, "0529876543", 0, 6}};
    int rec = 0;
    for (const auto& c : consolidated) {
        ok = ok && Insert(db,
                          QStringLiteral("INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, "
                                         "unit_num, unit_phone_num_len, unit_num_type, unit_nameIndex, "
                                         "unit_rec_num, unit_tonNP, unit_capabilityID, unit_language, "
                                         "unit_syncStatus) VALUES (?, ?, ?, ?, ?, ?, ?, 129, 144, ?, 128)"),
                          {imei, names[c.name], QString::fromLatin1(c.number), int(qstrlen(c.number)), c.type,
                           c.index, ++rec, language});
    }
    return ok;
}

bool UseSceneLanguage(const QString& program, bool hebrew)
{
    auto strings = std::make_shared<CResourceStrings>();
    if (!strings->Load(program +
                       (hebrew ? QStringLiteral("/VelmoraHebRes.lang") : QStringLiteral("/VelmoraRes.lang"))))
        return false;
    CVelmoraWrap::SetResourceStrings(strings);
    QApplication::setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    return true;
}
