#include "CUnitRecSet.h"

CUnitRecSet::CUnitRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_user_name", &m_unit_user_name);
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_model_type", &m_unit_model_type);
    Bind("unit_phone_num_nam1", &m_unit_phone_num_nam1);
    Bind("unit_currentNAMSelection", &m_unit_currentNAMSelection);
    Bind("unit_phone_num_nam2", &m_unit_phone_num_nam2);
    Bind("unit_phone_num_nam3", &m_unit_phone_num_nam3);
    Bind("unit_display_prvt_id", &m_unit_display_prvt_id);
    Bind("unit_private_nam1_urban_id", &m_unit_private_nam1_urban_id);
    Bind("unit_private_nam1_fleet_id", &m_unit_private_nam1_fleet_id);
    Bind("unit_private_nam1_member_id", &m_unit_private_nam1_member_id);
    Bind("unit_private_nam2_urban_id", &m_unit_private_nam2_urban_id);
    Bind("unit_private_nam2_fleet_id", &m_unit_private_nam2_fleet_id);
    Bind("unit_private_nam2_member_id", &m_unit_private_nam2_member_id);
    Bind("unit_private_nam3_urban_id", &m_unit_private_nam3_urban_id);
    Bind("unit_private_nam3_fleet_id", &m_unit_private_nam3_fleet_id);
    Bind("unit_private_nam3_member_id", &m_unit_private_nam3_member_id);
    Bind("unit_cross_fleet_enable", &m_unit_cross_fleet_enable);
    Bind("unit_nam1_private_id", &m_unit_nam1_private_id);
    Bind("unit_nam2_private_id", &m_unit_nam2_private_id);
    Bind("unit_nam3_private_id", &m_unit_nam3_private_id);
    Bind("unit_tarn_online", &m_unit_tarn_online);
    Bind("unit_fax_num", &m_unit_fax_num);
    Bind("unit_ip_address", &m_unit_ip_address);
    Bind("unit_cp_structure_version", &m_unit_cp_structure_version);
    Bind("unit_cp_default_version", &m_unit_cp_default_version);
    Bind("unit_last_mod_date", &m_unit_last_mod_date);
    Bind("units_comments", &m_units_comments);
    Bind("unit_rec_num", &m_unit_rec_num, true);
    Bind("unit_sim_version", &m_unit_sim_version);
    Bind("unit_prod_sub_release_id", &m_unit_prod_sub_release_id);
    Bind("unit_def_call_list_lang_id", &m_unit_def_call_list_lang_id);
    Bind("unit_prod_release_id", &m_unit_prod_release_id);
    InitMembers();
}
