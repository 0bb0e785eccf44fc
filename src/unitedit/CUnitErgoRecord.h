#pragma once

#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <functional>
#include <memory>

class CUnitPhoneErgoRecSet;

// The unit's one record of basic phone settings (unit_phone_ergo_settings) for the Basic and Advanced
// pages. Loading makes the record when the unit has none (carrier defaults, lockouts only for carrier
// 2) and commits it at once, so it stays even when the sheet is cancelled. Saving writes only the
// columns a page owns, so two pages saving one record in turn do not undo each other.
class CUnitErgoRecord
{
public:
    explicit CUnitErgoRecord(const CUnitSheetUnit& unit);
    ~CUnitErgoRecord();
    CUnitErgoRecord(const CUnitErgoRecord&) = delete;
    CUnitErgoRecord& operator=(const CUnitErgoRecord&) = delete;

    // Reads the unit's record, first adding it when missing. Call it before the sheet begins its
    // transaction: the new record is committed on its own. A database error comes back as its text.
    CVelmoraError Load();
    bool IsLoaded() const { return m_loaded; }
    // The record did not exist and Load added it.
    bool WasCreated() const { return m_created; }
    // The record as loaded (initial values before Load).
    const CUnitPhoneErgoRecSet& Values() const { return *m_values; }

    using Filler = std::function<void(CUnitPhoneErgoRecSet& record)>;
    // Opens the unit's record afresh (adding it when it has gone), lets fill set the page's columns,
    // and updates it, in whatever transaction the caller holds. changed (when given) tells whether any
    // column differs from what was stored. A database error comes back as its text.
    CVelmoraError Save(const Filler& fill, bool* changed = nullptr) const;

    // Adds the record of imei when it has none (carrier defaults), committed at once; created tells
    // whether it was added.
    static CVelmoraError Ensure(const QSqlDatabase& db, const QString& imei, bool* created = nullptr);

private:
    CUnitSheetUnit m_unit;
    std::unique_ptr<CUnitPhoneErgoRecSet> m_values;
    bool m_loaded = false;
    bool m_created = false;
};
