#pragma once

#include "CRecordset.h"

#include <memory>

// Personalised menus of a unit, one row per unit: the soft keys, the power-up application and the
// main-menu slots. The three personalisation tables share this shape and differ in their slot count.
class CPersonalizeRecSet : public CRecordset
{
public:
    enum : int
    {
        MaxMenuSlots = 32
    };

    int MenuSlots() const { return m_slots; }

    // The recordset of a model type's personalisation table, as the schema assigns it.
    static std::unique_ptr<CPersonalizeRecSet> ForModel(int modelType, const QSqlDatabase& db);

    QString m_unit_imei_num;
    int m_unit_left_key;
    int m_unit_right_key;
    int m_unit_powerup_app;
    // unit_main_menu_1 .. unit_main_menu_<MenuSlots()>
    int m_unit_main_menu[MaxMenuSlots];

protected:
    CPersonalizeRecSet(const QSqlDatabase& db, int slots);

private:
    int m_slots;
};
