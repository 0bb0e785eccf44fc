#include "CUnitListRows.h"

#include "CTGScanListRecSet.h"
#include "CUnitConCallListRecSet.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitPrvtDetRecSet.h"
#include "CUnitStatusMsgRecSet.h"
#include "CUnitTGDetRecSet.h"

namespace {

using Kind = CListBlockLayout::ListKind;

CVelmoraError Failed(const CRecordset& rs)
{
    return CVelmoraError::Text(rs.LastError());
}

CListRow ConsolidatedRow(const CUnitConCallListRecSet& rs)
{
    CListRow row;
    row.kind = Kind::Consolidated;
    row.number = rs.m_unit_rec_num;
    row.name = rs.m_unit_name;
    row.phone = rs.m_unit_num;
    row.language = rs.m_unit_language;
    CConsolidatedRecord& r = row.record;
    r.name = rs.m_unit_name;
    r.phoneNumLen = rs.m_unit_phone_num_len;
    r.reserved = rs.m_unit_reserved;
    r.tonNP = rs.m_unit_tonNP;
    r.number = rs.m_unit_num;
    r.capabilityID = rs.m_unit_capabilityID;
    r.extnRecID = rs.m_unit_extnRecID;
    r.numType = rs.m_unit_num_type;
    r.language = rs.m_unit_language;
    r.voiceTag = quint32(rs.m_unit_voiceTag);
    r.timeStamp = quint32(rs.m_unit_timeStamp);
    r.syncStatus = rs.m_unit_syncStatus;
    r.tempID = quint32(rs.m_unit_tempID);
    r.nameIndex = rs.m_unit_nameIndex;
    r.nameLang = rs.m_unit_NameLang;
    return row;
}

CVelmoraError LoadPhoneBook(const QSqlDatabase& db, const QString& imei, QList<CListRow>& rows)
{
    CUnitPhoneDetRecSet rs(db);
    if (!rs.Open(QStringLiteral("unit_imei_num = ?"), {imei}, QStringLiteral("unit_speed_dial")))
        return Failed(rs);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        CListRow row;
        row.kind = Kind::PhoneBook;
        row.number = rs.m_unit_speed_dial;
        row.name = rs.m_unit_name;
        row.phone = rs.m_unit_phone_num;
        row.flag = rs.m_unit_program_flag;
        row.language = rs.m_unit_language;
        rows.append(row);
    }
    return CVelmoraError();
}

// The per-NAM lists of one NAM: privates, talkgroups, scan list and status messages, in that order.
CVelmoraError LoadNamLists(const QSqlDatabase& db, const QString& imei, int nam, QList<CListRow>& rows)
{
    const QString byNam = QStringLiteral("unit_imei_num = ? AND unit_nam = ?");
    CUnitPrvtDetRecSet privates(db);
    if (!privates.Open(byNam, {imei, nam}))
        return Failed(privates);
    for (; !privates.IsEOF(); privates.MoveNext()) {
        CListRow row;
        row.kind = Kind::Private;
        row.nam = nam;
        row.number = privates.m_unit_loc_no;
        row.name = privates.m_unit_name;
        row.urban = quint32(privates.m_unit_urban_id);
        row.fleet = quint32(privates.m_unit_fleet_id);
        row.member = quint32(privates.m_unit_member_id);
        row.flag = privates.m_unit_program_flag;
        row.language = privates.m_unit_language;
        rows.append(row);
    }
    CUnitTGDetRecSet talkgroups(db);
    if (!talkgroups.Open(byNam, {imei, nam}))
        return Failed(talkgroups);
    for (; !talkgroups.IsEOF(); talkgroups.MoveNext()) {
        CListRow row;
        row.kind = Kind::Talkgroup;
        row.nam = nam;
        row.number = talkgroups.m_unit_loc_no;
        row.name = talkgroups.m_unit_tg_name;
        row.id = quint32(talkgroups.m_unit_tg_id);
        row.flag = talkgroups.m_unit_program_flag;
        row.language = talkgroups.m_unit_language;
        rows.append(row);
    }
    CTGScanListRecSet scans(db);
    if (!scans.Open(byNam, {imei, nam}))
        return Failed(scans);
    for (; !scans.IsEOF(); scans.MoveNext()) {
        CListRow row;
        row.kind = Kind::Scan;
        row.nam = nam;
        row.number = scans.m_unit_loc_no;
        row.name = scans.m_unit_tg_alias;
        row.id = quint32(scans.m_unit_tg_id);
        row.flag = scans.m_unit_program_flag;
        rows.append(row);
    }
    CUnitStatusMsgRecSet statuses(db);
    if (!statuses.Open(byNam, {imei, nam}))
        return Failed(statuses);
    for (; !statuses.IsEOF(); statuses.MoveNext()) {
        CListRow row;
        row.kind = Kind::Status;
        row.nam = nam;
        row.number = statuses.m_unit_loc_no;
        row.name = statuses.m_unit_msg_text;
        row.id = quint32(statuses.m_unit_msg_id);
        row.flag = statuses.m_unit_program_flag;
        rows.append(row);
    }
    return CVelmoraError();
}

CVelmoraError LoadConsolidated(const QSqlDatabase& db, const QString& imei, QList<CListRow>& rows)
{
    CUnitConCallListRecSet consolidated(db);
    if (!consolidated.Open(QStringLiteral("unit_imei_num = ?"), {imei}, QStringLiteral("unit_rec_num")))
        return Failed(consolidated);
    for (; !consolidated.IsEOF(); consolidated.MoveNext())
        rows.append(ConsolidatedRow(consolidated));
    return CVelmoraError();
}

// Each adds one row to its list's recordset; false when the database refuses it.
bool StorePhoneBook(CUnitPhoneDetRecSet& phoneBook, const QString& imei, const CListRow& row)
{
    phoneBook.AddNew();
    phoneBook.m_unit_imei_num = imei;
    phoneBook.m_unit_speed_dial = row.number;
    phoneBook.m_unit_name = row.name;
    phoneBook.m_unit_phone_num = row.phone;
    phoneBook.m_unit_program_flag = row.flag;
    phoneBook.m_unit_language = row.language;
    return phoneBook.Update();
}

bool StorePrivate(CUnitPrvtDetRecSet& privates, const QString& imei, const CListRow& row)
{
    privates.AddNew();
    privates.m_unit_imei_num = imei;
    privates.m_unit_nam = row.nam;
    privates.m_unit_urban_id = int(row.urban);
    privates.m_unit_fleet_id = int(row.fleet);
    privates.m_unit_member_id = int(row.member);
    privates.m_unit_name = row.name;
    privates.m_unit_loc_no = row.number;
    privates.m_unit_program_flag = row.flag;
    privates.m_unit_language = row.language;
    return privates.Update();
}

bool StoreTalkgroup(CUnitTGDetRecSet& talkgroups, const QString& imei, const CListRow& row)
{
    talkgroups.AddNew();
    talkgroups.m_unit_imei_num = imei;
    talkgroups.m_unit_nam = row.nam;
    talkgroups.m_unit_tg_id = int(row.id);
    talkgroups.m_unit_tg_name = row.name;
    talkgroups.m_unit_loc_no = row.number;
    talkgroups.m_unit_program_flag = row.flag;
    talkgroups.m_unit_language = row.language;
    return talkgroups.Update();
}

bool StoreScan(CTGScanListRecSet& scans, const QString& imei, const CListRow& row)
{
    scans.AddNew();
    scans.m_unit_imei_num = imei;
    scans.m_unit_nam = row.nam;
    scans.m_unit_tg_id = int(row.id);
    scans.m_unit_loc_no = row.number;
    scans.m_unit_tg_alias = row.name;
    scans.m_unit_program_flag = row.flag;
    return scans.Update();
}

bool StoreStatus(CUnitStatusMsgRecSet& statuses, const QString& imei, const CListRow& row)
{
    statuses.AddNew();
    statuses.m_unit_imei_num = imei;
    statuses.m_unit_msg_text = row.name;
    statuses.m_unit_nam = row.nam;
    statuses.m_unit_msg_id = int(row.id);
    statuses.m_unit_loc_no = row.number;
    statuses.m_unit_program_flag = row.flag;
    return statuses.Update();
}

bool StoreConsolidated(CUnitConCallListRecSet& consolidated, const QString& imei, const CListRow& row)
{
    const CConsolidatedRecord& r = row.record;
    consolidated.AddNew();
    consolidated.m_unit_imei_num = imei;
    consolidated.m_unit_name = r.name;
    consolidated.m_unit_phone_num_len = r.phoneNumLen;
    consolidated.m_unit_reserved = r.reserved;
    consolidated.m_unit_tonNP = r.tonNP;
    consolidated.m_unit_num = r.number;
    consolidated.m_unit_capabilityID = r.capabilityID;
    consolidated.m_unit_extnRecID = r.extnRecID;
    consolidated.m_unit_num_type = r.numType;
    consolidated.m_unit_language = r.language;
    consolidated.m_unit_voiceTag = int(r.voiceTag);
    consolidated.m_unit_timeStamp = int(r.timeStamp);
    consolidated.m_unit_syncStatus = r.syncStatus;
    consolidated.m_unit_tempID = int(r.tempID);
    consolidated.m_unit_nameIndex = r.nameIndex;
    consolidated.m_unit_rec_num = row.number;
    consolidated.m_unit_NameLang = r.nameLang;
    return consolidated.Update();
}

} // namespace

QList<CListRow> CUnitListRows::Of(Kind kind, int nam) const
{
    QList<CListRow> list;
    for (const CListRow& row : rows) {
        if (row.kind == kind && (row.nam == nam || kind == Kind::PhoneBook || kind == Kind::Consolidated))
            list.append(row);
    }
    return list;
}

CVelmoraError CUnitListRows::Load(const QSqlDatabase& db, const QString& imei)
{
    rows.clear();
    if (CVelmoraError error = LoadPhoneBook(db, imei, rows))
        return error;
    for (int nam = 1; nam <= 3; ++nam) {
        if (CVelmoraError error = LoadNamLists(db, imei, nam, rows))
            return error;
    }
    return LoadConsolidated(db, imei, rows);
}

CVelmoraError CUnitListRows::Store(const QString& imei, CUnitPhoneDetRecSet& phoneBook,
                                   CUnitPrvtDetRecSet& privates, CUnitTGDetRecSet& talkgroups,
                                   CTGScanListRecSet& scans, CUnitStatusMsgRecSet& statuses,
                                   CUnitConCallListRecSet& consolidated) const
{
    for (const CListRow& row : rows) {
        switch (row.kind) {
        case Kind::PhoneBook:
            if (!StorePhoneBook(phoneBook, imei, row))
                return Failed(phoneBook);
            break;
        case Kind::Private:
            if (!StorePrivate(privates, imei, row))
                return Failed(privates);
            break;
        case Kind::Talkgroup:
            if (!StoreTalkgroup(talkgroups, imei, row))
                return Failed(talkgroups);
            break;
        case Kind::Scan:
            if (!StoreScan(scans, imei, row))
                return Failed(scans);
            break;
        case Kind::Status:
            if (!StoreStatus(statuses, imei, row))
                return Failed(statuses);
            break;
        case Kind::Consolidated:
            if (!StoreConsolidated(consolidated, imei, row))
                return Failed(consolidated);
            break;
        }
    }
    return CVelmoraError();
}
