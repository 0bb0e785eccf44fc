#include "CUnitComments.h"

#include "CFleetConnection.h"
#include "CUnitRecSet.h"
#include "UnitsMessageIds.h"

#include <QSqlQuery>

CUnitComments::CUnitComments(const QSqlDatabase& db, const QString& imei, bool hebrewInterface)
    : m_db(db), m_imei(imei), m_hebrewInterface(hebrewInterface)
{
}

CVelmoraError CUnitComments::Load()
{
    CUnitRecSet unit(m_db);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {m_imei}))
        return CVelmoraError::Text(unit.LastError());
    if (unit.IsEOF())
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    m_codec = CPhoneTextCodec::ForUnit(unit.m_unit_def_call_list_lang_id, m_hebrewInterface);
    m_loaded = unit.m_units_comments.left(MaxLength);
    m_text = m_loaded;
    return CVelmoraError();
}

CVelmoraError CUnitComments::SetText(const QString& text)
{
    const QString cut = text.left(MaxLength);
    if (CVelmoraError refused = m_codec.Check(cut))
        return refused;
    m_text = cut;
    return CVelmoraError();
}

CVelmoraError CUnitComments::Save()
{
    // unit_details' record number is its row id, so the row is changed by its IMEI.
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE unit_details SET units_comments = ? WHERE unit_imei_num = ?"));
    query.addBindValue(m_text);
    query.addBindValue(m_imei);
    if (!query.exec())
        return CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
    // The sheet edits a stored unit; a record that went away is not made up from a comment alone.
    if (query.numRowsAffected() < 1)
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    return CVelmoraError();
}
