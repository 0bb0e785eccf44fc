#pragma once

#include "CRecordset.h"

// One unit of the fleet: identity, numbers, private ids and phone versions (unit_details).
class CUnitRecSet : public CRecordset
{
public:
    explicit CUnitRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_details"); }

    QString m_unit_user_name;
    QString m_unit_imei_num;
    int m_unit_model_type;
    QString m_unit_phone_num_nam1;
    int m_unit_currentNAMSelection;
    QString m_unit_phone_num_nam2;
    QString m_unit_phone_num_nam3;
    QString m_unit_display_prvt_id;
    int m_unit_private_nam1_urban_id;
    int m_unit_private_nam1_fleet_id;
    int m_unit_private_nam1_member_id;
    int m_unit_private_nam2_urban_id;
    int m_unit_private_nam2_fleet_id;
    int m_unit_private_nam2_member_id;
    int m_unit_private_nam3_urban_id;
    int m_unit_private_nam3_fleet_id;
    int m_unit_private_nam3_member_id;
    bool m_unit_cross_fleet_enable;
    int m_unit_nam1_private_id;
    int m_unit_nam2_private_id;
    int m_unit_nam3_private_id;
    QString m_unit_tarn_online;
    QString m_unit_fax_num;
    QString m_unit_ip_address;
    int m_unit_cp_structure_version;
    int m_unit_cp_default_version;
    QString m_unit_last_mod_date;
    QString m_units_comments;
    int m_unit_rec_num;
    int m_unit_sim_version;
    int m_unit_prod_sub_release_id;
    int m_unit_def_call_list_lang_id;
    int m_unit_prod_release_id;
};
