#include "CUnitErgoRecord.h"

#include "CUnitPhoneErgoRecSet.h"

namespace {

const QString kByImei = QStringLiteral("unit_imei_num = ?");
constexpr int kEmptyImeiCode = -260;       // the unit has no IMEI
constexpr int kDamagedFleetMessage = 1603; // not a valid fleet file, or damaged

CVelmoraError DatabaseError(const CRecordset& record)
{
    return CVelmoraError::Text(record.LastError());
}

QVariantList Snapshot(const CRecordset& record)
{
    QVariantList values;
    for (int i = 0; i < record.FieldCount(); ++i)
        values << record.FieldValue(i);
    return values;
}

} // namespace

CUnitErgoRecord::CUnitErgoRecord(const CUnitSheetUnit& unit)
    : m_unit(unit), m_values(std::make_unique<CUnitPhoneErgoRecSet>(unit.db))
{
}

CUnitErgoRecord::~CUnitErgoRecord() = default;

CVelmoraError CUnitErgoRecord::Ensure(const QSqlDatabase& db, const QString& imei, bool* created)
{
    if (created)
        *created = false;
    // A record without its key would belong to no unit.
    if (imei.isEmpty())
        return CVelmoraError::FromVelmoraCode(kEmptyImeiCode);
    CUnitPhoneErgoRecSet record(db);
    if (!record.Open(kByImei, {imei}))
        return DatabaseError(record);
    if (!record.IsEOF())
        return CVelmoraError();
    // One INSERT outside any transaction of the sheet: it is committed as it runs, so the new record
    // stays whatever the sheet does afterwards.
    record.AddNew();
    record.m_unit_imei_num = imei;
    record.m_unit_emergency_id.clear();
    if (!record.Update())
        return DatabaseError(record);
    if (created)
        *created = true;
    return CVelmoraError();
}

CVelmoraError CUnitErgoRecord::Load()
{
    m_loaded = false;
    bool created = false;
    if (const CVelmoraError error = Ensure(m_unit.db, m_unit.imei, &created))
        return error;
    m_created = m_created || created;
    if (!m_values->Open(kByImei, {m_unit.imei}))
        return DatabaseError(*m_values);
    if (m_values->IsEOF())
        return CVelmoraError::Message(kDamagedFleetMessage); // the record just made cannot be read back
    m_loaded = true;
    return CVelmoraError();
}

CVelmoraError CUnitErgoRecord::Save(const Filler& fill, bool* changed) const
{
    if (changed)
        *changed = false;
    if (m_unit.imei.isEmpty())
        return CVelmoraError::FromVelmoraCode(kEmptyImeiCode);
    CUnitPhoneErgoRecSet record(m_unit.db);
    if (!record.Open(kByImei, {m_unit.imei}))
        return DatabaseError(record);
    const bool adding = record.IsEOF();
    const QVariantList before = adding ? QVariantList() : Snapshot(record);
    if (adding) {
        record.AddNew();
        record.m_unit_emergency_id.clear();
    } else {
        record.Edit();
    }
    fill(record);
    record.m_unit_imei_num = m_unit.imei;
    const bool differs = adding || Snapshot(record) != before;
    if (!differs) {
        record.CancelUpdate();
        return CVelmoraError();
    }
    if (!record.Update())
        return DatabaseError(record);
    if (changed)
        *changed = true;
    return CVelmoraError();
}
