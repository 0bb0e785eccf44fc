#include "CUnitComments.h"

#include "CUnitRecSet.h"
#include "UnitsMessageIds.h"

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
    CUnitRecSet unit(m_db);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {m_imei}))
        return CVelmoraError::Text(unit.LastError());
    // The sheet edits a stored unit; a record that went away is not made up from a comment alone.
    if (unit.IsEOF())
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    unit.Edit();
    unit.m_unit_imei_num = m_imei;
    unit.m_units_comments = m_text;
    if (!unit.Update())
        return CVelmoraError::Text(unit.LastError());
    return CVelmoraError();
}
