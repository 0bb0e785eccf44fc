#include "CPhoneBookTransfer.h"

#include "CConsolNameIndex.h"
#include "CConsolNumberType.h"
#include "CConsolidatedRecord.h"
#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CTransaction.h"
#include "CUnitConCallListRecSet.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitPhoneList.h"
#include "CUnitPrvtDetRecSet.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>

namespace {

const QString kPhoneTable = QStringLiteral("unit_phone_details");
const QString kPrivateTable = QStringLiteral("unit_private_details");
const QString kConsolTable = QStringLiteral("unit_consolid_call_list");

// SQLite's constraint codes for a second row with the same unique key.
bool IsDuplicateKey(int nativeError)
{
    return nativeError == 2067 || nativeError == 1555;
}

// Puts an entry at its stored place, or at the first free row when that place is taken or outside
// the list, so that nothing stored is lost by a write-back.
template <typename Entry>
void Place(QList<Entry>& rows, QList<Entry>& misplaced, int place, const Entry& entry)
{
    if (place >= 1 && place <= rows.size() && rows[place - 1].IsEmpty())
        rows[place - 1] = entry;
    else
        misplaced << entry;
}

template <typename Entry> void PlaceMisplaced(QList<Entry>& rows, const QList<Entry>& misplaced)
{
    for (const Entry& entry : misplaced) {
        auto free = std::find_if(rows.begin(), rows.end(), [](const Entry& e) { return e.IsEmpty(); });
        if (free != rows.end())
            *free = entry;
        else
            rows << entry;
    }
}

// Reads "member", "fleet*member" (urban 0) or "urban*fleet*member"; every part a decimal number,
// the member at least 1.
bool ReadPrivateId(const QString& text, CPrivateIdForm::Id& id)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('*'));
    if (parts.size() > 3)
        return false;
    QList<int> values;
    for (const QString& part : parts) {
        int value = 0;
        if (!CUnitSheetUnit::ParseNumber(part, 0, 0x7fffffff, value))
            return false;
        values << value;
    }
    while (values.size() < 3)
        values.prepend(0);
    id = {values[0], values[1], values[2]};
    return id.member >= 1;
}

} // namespace

QString CTransferPrivateEntry::IdText() const
{
    if (id.member == 0)
        return QString();
    return CConsolNumberType::PrivateIdText(id.urban, id.fleet, id.member);
}

bool CTransferConsolEntry::operator==(const CTransferConsolEntry& o) const
{
    return name == o.name && number == o.number && numType == o.numType && nameIndex == o.nameIndex &&
           tonNP == o.tonNP && capabilityID == o.capabilityID && extnRecID == o.extnRecID &&
           language == o.language && voiceTag == o.voiceTag && timeStamp == o.timeStamp &&
           syncStatus == o.syncStatus && tempID == o.tempID && reserved == o.reserved &&
           nameLang == o.nameLang;
}

CPhoneBookTransfer::CPhoneBookTransfer(const CUnitSheetUnit& unit, bool readSimpleTables)
    : m_unit(unit), m_readSimpleTables(readSimpleTables)
{
}

QString CPhoneBookTransfer::TableOf(List list) const
{
    switch (list) {
    case PhoneBook:
        return m_readSimpleTables ? kPhoneTable : CFleetSchema::TwinName(kPhoneTable);
    case Private:
        return m_readSimpleTables ? kPrivateTable : CFleetSchema::TwinName(kPrivateTable);
    case Consolidated:
    default:
        return CFleetSchema::TwinName(kConsolTable);
    }
}

int CPhoneBookTransfer::RowCount(List list) const
{
    switch (list) {
    case PhoneBook:
        return m_phone.size();
    case Private:
        return m_private.size();
    case Consolidated:
    default:
        return m_consol.size();
    }
}

CVelmoraError CPhoneBookTransfer::Load()
{
    if (CVelmoraError error = LoadPhoneBook())
        return error;
    if (CVelmoraError error = LoadPrivate())
        return error;
    if (CVelmoraError error = LoadConsolidated())
        return error;
    m_changed[PhoneBook] = m_changed[Private] = m_changed[Consolidated] = false;
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::LoadPhoneBook()
{
    m_phone = QList<CTransferPhoneEntry>(qMax(0, m_unit.profile.capacities.phoneBook));
    CUnitPhoneDetRecSet rs(m_unit.db);
    rs.UseTable(TableOf(PhoneBook));
    if (!rs.Open(QStringLiteral("unit_imei_num = ?"), {m_unit.imei}, QStringLiteral("unit_speed_dial")))
        return CVelmoraError::Text(rs.LastError());
    QList<CTransferPhoneEntry> misplaced;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        const CTransferPhoneEntry entry{rs.m_unit_name, rs.m_unit_phone_num, rs.m_unit_program_flag,
                                        rs.m_unit_language};
        if (!entry.IsEmpty())
            Place(m_phone, misplaced, rs.m_unit_speed_dial, entry);
    }
    PlaceMisplaced(m_phone, misplaced);
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::LoadPrivate()
{
    m_private = QList<CTransferPrivateEntry>(qMax(0, m_unit.profile.capacities.privateList[TransferNam - 1]));
    CUnitPrvtDetRecSet rs(m_unit.db);
    rs.UseTable(TableOf(Private));
    if (!rs.Open(QStringLiteral("unit_imei_num = ? AND unit_nam = ?"), {m_unit.imei, int(TransferNam)},
                 QStringLiteral("unit_loc_no")))
        return CVelmoraError::Text(rs.LastError());
    QList<CTransferPrivateEntry> misplaced;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        // The private list page shows no entry without a member either.
        if (rs.m_unit_member_id == 0)
            continue;
        const CTransferPrivateEntry entry{rs.m_unit_name,
                                          {rs.m_unit_urban_id, rs.m_unit_fleet_id, rs.m_unit_member_id},
                                          rs.m_unit_program_flag,
                                          rs.m_unit_language};
        Place(m_private, misplaced, rs.m_unit_loc_no, entry);
    }
    PlaceMisplaced(m_private, misplaced);
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::LoadConsolidated()
{
    m_consol = QList<CTransferConsolEntry>(ConsolRows);
    CUnitConCallListRecSet rs(m_unit.db);
    rs.UseTable(TableOf(Consolidated));
    if (!rs.Open(QStringLiteral("unit_imei_num = ?"), {m_unit.imei}, QStringLiteral("unit_nameIndex")))
        return CVelmoraError::Text(rs.LastError());
    int row = 0;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        if (rs.m_unit_nameIndex == 0)
            continue;
        CTransferConsolEntry e;
        e.name = rs.m_unit_name;
        e.number = rs.m_unit_num;
        e.numType = rs.m_unit_num_type;
        e.nameIndex = rs.m_unit_nameIndex;
        e.tonNP = rs.m_unit_tonNP;
        e.capabilityID = rs.m_unit_capabilityID;
        e.extnRecID = rs.m_unit_extnRecID;
        e.language = rs.m_unit_language;
        e.voiceTag = rs.m_unit_voiceTag;
        e.timeStamp = rs.m_unit_timeStamp;
        e.syncStatus = rs.m_unit_syncStatus;
        e.tempID = rs.m_unit_tempID;
        e.reserved = rs.m_unit_reserved;
        e.nameLang = rs.m_unit_NameLang;
        if (row < m_consol.size())
            m_consol[row] = e;
        else
            m_consol << e; // more than the list holds: kept, so an OK loses nothing
        ++row;
    }
    return CVelmoraError();
}

int CPhoneBookTransfer::FreeConsolRow() const
{
    for (int row = 1; row <= m_consol.size(); ++row) {
        if (m_consol[row - 1].IsEmpty())
            return row;
    }
    return 0;
}

CVelmoraError CPhoneBookTransfer::MoveIn(const QString& name, const QString& number, int type)
{
    const int row = FreeConsolRow();
    if (row == 0)
        return CVelmoraError::Message(MsgConsolFull);
    QList<CConsolIndexEntry> others;
    for (const CTransferConsolEntry& e : m_consol) {
        if (!e.IsEmpty())
            others << CConsolIndexEntry{e.name, e.numType, e.nameIndex};
    }
    const int index = CConsolNameIndex::For(others, name, type);
    if (index == CConsolNameIndex::NoIndex)
        return CVelmoraError::Message(MsgConsolFull);
    CTransferConsolEntry& e = m_consol[row - 1];
    e = CTransferConsolEntry();
    e.name = name;
    e.number = number;
    e.numType = type;
    e.nameIndex = index;
    e.timeStamp = int(CConsolidatedRecord::PhoneMinutes(QDateTime::currentDateTimeUtc()));
    e.syncStatus = !name.isEmpty() && !number.isEmpty() ? 128 : 0;
    m_changed[Consolidated] = true;
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::MoveToConsolidated(List from, const QList<int>& rows)
{
    if (from == Consolidated)
        return CVelmoraError();
    if (rows.isEmpty())
        return CVelmoraError::Message(from == PhoneBook ? MsgNoPhoneRows : MsgNoPrivateRows);
    for (int row : rows) {
        if (row < 1 || row > RowCount(from))
            continue;
        CVelmoraError error;
        if (from == PhoneBook) {
            const CTransferPhoneEntry& e = m_phone[row - 1];
            if (!e.IsEmpty())
                error = MoveIn(e.name, e.number, CConsolNumberType::PhoneNumber);
        } else {
            const CTransferPrivateEntry& e = m_private[row - 1];
            if (!e.IsEmpty())
                error = MoveIn(e.name, e.IdText(), CConsolNumberType::PrivateId);
        }
        if (error)
            return error;
    }
    return CVelmoraError();
}

template <typename Entry> int CPhoneBookTransfer::PlaceFor(const QList<Entry>& rows)
{
    for (int row = 1; row <= rows.size(); ++row) {
        if (rows[row - 1].IsEmpty())
            return row;
    }
    for (int row = 1; row <= rows.size(); ++row) {
        if (!rows[row - 1].program)
            return row;
    }
    return 0;
}

CVelmoraError CPhoneBookTransfer::MoveBackRow(const CTransferConsolEntry& entry)
{
    const QString shown = entry.name.isEmpty() ? entry.number : entry.name;
    if (entry.numType == CConsolNumberType::PrivateId) {
        CTransferPrivateEntry moved;
        if (!ReadPrivateId(entry.number, moved.id))
            return CVelmoraError::Message(MsgBadPrivateId, {entry.number, shown});
        const int row = PlaceFor(m_private);
        if (row == 0)
            return CVelmoraError::Message(MsgPrivateFull);
        moved.name = entry.name;
        moved.program = true;
        moved.language = m_unit.phoneBookLangEntryId;
        m_private[row - 1] = moved;
        m_changed[Private] = true;
        return CVelmoraError();
    }
    // Talkgroups and IP addresses have no place in the simple lists.
    if (!CConsolNumberType::IsPhoneNumber(entry.numType))
        return CVelmoraError::Message(MsgNoPlaceForType, {shown});
    // The phone list would refuse the number when the sheet is saved: say so now.
    if (CVelmoraError error = CUnitPhoneList::CheckNumber(entry.number))
        return error;
    const int row = PlaceFor(m_phone);
    if (row == 0)
        return CVelmoraError::Message(MsgPhoneBookFull);
    m_phone[row - 1] = {entry.name, entry.number, true, m_unit.phoneBookLangEntryId};
    m_changed[PhoneBook] = true;
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::MoveBack(const QList<int>& consolRows)
{
    if (consolRows.isEmpty())
        return CVelmoraError::Message(MsgNoConsolRows);
    for (int row : consolRows) {
        if (row < 1 || row > m_consol.size() || m_consol[row - 1].IsEmpty())
            continue;
        if (CVelmoraError error = MoveBackRow(m_consol[row - 1]))
            return error;
    }
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::Clear(List list, const QList<int>& rows)
{
    if (rows.isEmpty())
        return CVelmoraError::Message(MsgNoClearRows);
    for (int row : rows) {
        if (row < 1 || row > RowCount(list))
            continue;
        switch (list) {
        case PhoneBook:
            m_phone[row - 1] = CTransferPhoneEntry();
            break;
        case Private:
            m_private[row - 1] = CTransferPrivateEntry();
            break;
        case Consolidated:
            m_consol[row - 1] = CTransferConsolEntry();
            break;
        }
        m_changed[list] = true;
    }
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::DatabaseError(const QString& text, int nativeError)
{
    if (IsDuplicateKey(nativeError))
        return CVelmoraError::Message(MsgDuplicateKey);
    return CVelmoraError::Text(text);
}

CVelmoraError CPhoneBookTransfer::WritePhoneBook()
{
    if (CVelmoraError error = CFleetConnection::Exec(
            m_unit.db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(TableOf(PhoneBook)),
            {m_unit.imei}))
        return error;
    CUnitPhoneDetRecSet rs(m_unit.db);
    rs.UseTable(TableOf(PhoneBook));
    for (int row = 1; row <= m_phone.size(); ++row) {
        const CTransferPhoneEntry& e = m_phone[row - 1];
        if (e.number.isEmpty())
            continue;
        rs.AddNew();
        rs.m_unit_imei_num = m_unit.imei;
        rs.m_unit_speed_dial = row;
        rs.m_unit_name = e.name;
        rs.m_unit_phone_num = e.number;
        rs.m_unit_program_flag = e.program;
        rs.m_unit_language = e.language;
        if (!rs.Update())
            return DatabaseError(rs.LastError(), rs.LastNativeError());
    }
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::WritePrivate()
{
    if (CVelmoraError error = CFleetConnection::Exec(
            m_unit.db,
            QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ? AND unit_nam = ?").arg(TableOf(Private)),
            {m_unit.imei, int(TransferNam)}))
        return error;
    CUnitPrvtDetRecSet rs(m_unit.db);
    rs.UseTable(TableOf(Private));
    for (int row = 1; row <= m_private.size(); ++row) {
        const CTransferPrivateEntry& e = m_private[row - 1];
        if (e.id.member == 0)
            continue;
        rs.AddNew();
        rs.m_unit_imei_num = m_unit.imei;
        rs.m_unit_nam = TransferNam;
        rs.m_unit_urban_id = e.id.urban;
        rs.m_unit_fleet_id = e.id.fleet;
        rs.m_unit_member_id = e.id.member;
        rs.m_unit_name = e.name;
        rs.m_unit_loc_no = row;
        rs.m_unit_program_flag = e.program;
        rs.m_unit_language = e.language;
        if (!rs.Update())
            return DatabaseError(rs.LastError(), rs.LastNativeError());
    }
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::WriteConsolidated()
{
    if (CVelmoraError error = CFleetConnection::Exec(
            m_unit.db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(TableOf(Consolidated)),
            {m_unit.imei}))
        return error;
    CUnitConCallListRecSet rs(m_unit.db);
    rs.UseTable(TableOf(Consolidated));
    for (int row = 1; row <= m_consol.size(); ++row) {
        const CTransferConsolEntry& e = m_consol[row - 1];
        if (e.IsEmpty())
            continue;
        rs.AddNew();
        rs.m_unit_imei_num = m_unit.imei;
        rs.m_unit_name = e.name;
        rs.m_unit_num = e.number;
        rs.m_unit_phone_num_len = e.number.size();
        rs.m_unit_num_type = e.numType;
        rs.m_unit_nameIndex = e.nameIndex;
        rs.m_unit_tonNP = e.tonNP;
        rs.m_unit_capabilityID = e.capabilityID;
        rs.m_unit_extnRecID = e.extnRecID;
        rs.m_unit_language = e.language;
        rs.m_unit_voiceTag = e.voiceTag;
        rs.m_unit_timeStamp = e.timeStamp;
        rs.m_unit_syncStatus = e.syncStatus;
        rs.m_unit_tempID = e.tempID;
        rs.m_unit_reserved = e.reserved;
        rs.m_unit_NameLang = e.nameLang;
        rs.m_unit_rec_num = row;
        if (!rs.Update())
            return DatabaseError(rs.LastError(), rs.LastNativeError());
    }
    return CVelmoraError();
}

CVelmoraError CPhoneBookTransfer::Write(int* failedList)
{
    if (failedList)
        *failedList = -1;
    CTransaction transaction(m_unit.db);
    if (!transaction.IsActive())
        return CVelmoraError::Text(transaction.LastError());
    using Step = CVelmoraError (CPhoneBookTransfer::*)();
    const Step steps[3] = {&CPhoneBookTransfer::WritePhoneBook, &CPhoneBookTransfer::WritePrivate,
                           &CPhoneBookTransfer::WriteConsolidated};
    for (int list = PhoneBook; list <= Consolidated; ++list) {
        if (!m_changed[list])
            continue;
        if (CVelmoraError error = (this->*steps[list])()) {
            // The guard takes back the lists written before this one.
            if (failedList)
                *failedList = list;
            return error;
        }
    }
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    m_changed[PhoneBook] = m_changed[Private] = m_changed[Consolidated] = false;
    return CVelmoraError();
}
