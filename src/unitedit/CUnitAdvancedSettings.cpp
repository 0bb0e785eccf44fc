#include "CUnitAdvancedSettings.h"

#include "CUnitPhoneErgoRecSet.h"

namespace {

using R = CUnitPhoneErgoRecSet;
using A = CUnitAdvancedSettings;

// A combo whose selected index is the column's value, its captions and its enabling field.
struct IndexComboRow
{
    int id;
    int R::*member;
    QList<int> stringIds; // empty: "1".."9"
    int field;
};

const IndexComboRow kIndexCombos[] = {
    {A::PowerMode, &R::m_unit_power_mode, {1721, 1722, 1723, 1724, 1725}, 22},
    {A::TalkgroupType, &R::m_unit_tg_type, {1726, 1727, 1728, 1729}, 23},
    {A::ActiveLine, &R::m_unit_active_line_indicator, {1730, 1731, 1732}, 29},
    {A::Line1RingTone, &R::m_unit_Line1_ring_tone, {}, 26},
    {A::Line2RingTone, &R::m_unit_Line2_ring_tone, {}, 27},
};

struct EditRow
{
    int id;
    int R::*member;
    int field;
};

const EditRow kEdits[] = {
    {A::AutoPowerDownTimer, &R::m_unit_timer_auto_power_down_value, 24},
    {A::CallAlertStackTimer, &R::m_unit_call_alert_stack_timer, 32},
};

struct CheckRow
{
    int id;
    bool R::*member;
    int field;
};

const CheckRow kChecks[] = {
    {A::Iso, &R::m_unit_iso_enabled, 28},
    {A::SilentAudio, &R::m_unit_silent_audio_enabled, 33},
    {A::NetMode, &R::m_unit_net_mode, 30},
};

constexpr int kLanguageField = 37;
constexpr int kBaudField = 31;
constexpr int kMaxLanguageCode = 255;
const int kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Language code -> caption.
const QHash<int, int>& LanguageStrings()
{
    static const QHash<int, int> strings{{0, 1856}, {1, 1857}, {2, 1858}, {3, 1859},  {4, 1860},  {5, 1861},
                                         {6, 1862}, {7, 1863}, {8, 1864}, {11, 1870}, {255, 1865}};
    return strings;
}

int ValidIndex(int index, const CSheetComboEntries& entries)
{
    return index >= 0 && index < entries.size() ? index : -1;
}

} // namespace

CUnitAdvancedSettings::CUnitAdvancedSettings(const CUnitSheetUnit& unit) : m_unit(unit), m_record(unit)
{
    BuildLists();
}

const QList<int>& CUnitAdvancedSettings::ComboIds()
{
    static const QList<int> ids{PowerMode,     TalkgroupType, ActiveLine, Line1RingTone,
                                Line2RingTone, Language,      BaudRate};
    return ids;
}

const QList<int>& CUnitAdvancedSettings::EditIds()
{
    static const QList<int> ids{AutoPowerDownTimer, CallAlertStackTimer};
    return ids;
}

const QList<int>& CUnitAdvancedSettings::CheckIds()
{
    static const QList<int> ids{Iso, SilentAudio, NetMode};
    return ids;
}

int CUnitAdvancedSettings::LanguageStringId(int code)
{
    return LanguageStrings().value(code, 0);
}

CSheetComboEntries CUnitAdvancedSettings::LanguageEntries(const QString& supportedLang)
{
    CSheetComboEntries entries;
    for (const QString& part : supportedLang.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        int code = 0;
        if (!CUnitSheetUnit::ParseNumber(part, 0, kMaxLanguageCode, code))
            continue;
        if (const int stringId = LanguageStringId(code))
            entries << CSheetComboEntry{stringId, QString(), code};
    }
    return entries;
}

CSheetComboEntries CUnitAdvancedSettings::BaudEntries(bool plusSeries, int modelType)
{
    const bool more = plusSeries && modelType != NonPlusModelType;
    CSheetComboEntries entries;
    const int count = more ? int(PlusBaudRateCount) : int(BaseBaudRateCount);
    for (int i = 0; i < count; ++i)
        entries << CSheetComboEntry{0, QString::number(kBaudRates[i]), kBaudRates[i]};
    if (more)
        entries << CSheetComboEntry{StrAutomaticBaud, QString(), 0};
    return entries;
}

int CUnitAdvancedSettings::BaudIndexFor(int baudRate, bool autoBaud)
{
    if (autoBaud)
        return AutomaticBaudIndex;
    // Rates are told apart by their first two digits, as the phone's own menu lists them.
    const QString lead = QString::number(baudRate).left(2);
    static const QStringList leads{QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("48"),
                                   QStringLiteral("96"), QStringLiteral("19"), QStringLiteral("38"),
                                   QStringLiteral("57"), QStringLiteral("11")};
    const int index = leads.indexOf(lead);
    return index >= 0 ? index : int(AutomaticBaudIndex);
}

int CUnitAdvancedSettings::BaudRateAt(int index)
{
    return index >= 0 && index < int(PlusBaudRateCount) ? kBaudRates[index] : 0;
}

void CUnitAdvancedSettings::BuildLists()
{
    for (const IndexComboRow& row : kIndexCombos) {
        ComboBox& combo = m_combos[row.id];
        if (row.stringIds.isEmpty()) {
            for (int i = 0; i < RingToneCount; ++i)
                combo.entries << CSheetComboEntry{0, QString::number(i + 1), i};
        } else {
            for (int i = 0; i < row.stringIds.size(); ++i)
                combo.entries << CSheetComboEntry{row.stringIds.at(i), QString(), i};
        }
        combo.selection = 0;
    }
    ComboBox& language = m_combos[Language];
    language.entries = LanguageEntries(m_unit.supportedLang);
    language.selection = ValidIndex(0, language.entries);
    ComboBox& baud = m_combos[BaudRate];
    baud.entries = BaudEntries(m_unit.plusSeries, m_unit.modelType);
    baud.selection = ValidIndex(AutomaticBaudIndex, baud.entries);
    for (const EditRow& row : kEdits)
        m_edits[row.id].text = QStringLiteral("0");
    for (const CheckRow& row : kChecks)
        m_checks[row.id] = CheckBox();
}

CVelmoraError CUnitAdvancedSettings::Load()
{
    if (const CVelmoraError error = m_record.Load())
        return error;
    Fill();
    ApplyEnableRules();
    return CVelmoraError();
}

void CUnitAdvancedSettings::Fill()
{
    const CUnitPhoneErgoRecSet& record = m_record.Values();
    for (const IndexComboRow& row : kIndexCombos) {
        ComboBox& combo = m_combos[row.id];
        combo.selection = ValidIndex(record.*row.member, combo.entries);
    }
    ComboBox& language = m_combos[Language];
    language.selection = -1;
    for (int i = 0; i < language.entries.size(); ++i) {
        if (language.entries.at(i).data == record.m_unit_language) {
            language.selection = i;
            break;
        }
    }
    ComboBox& baud = m_combos[BaudRate];
    baud.selection =
        ValidIndex(BaudIndexFor(record.m_unit_baud_rate, record.m_unit_auto_baud_flag), baud.entries);
    for (const EditRow& row : kEdits) {
        EditBox& edit = m_edits[row.id];
        edit.stored = record.*row.member;
        edit.text = QString::number(edit.stored);
    }
    for (const CheckRow& row : kChecks)
        m_checks[row.id].checked = record.*row.member;
    // A model whose carrier turns net mode off has it off, whatever was stored.
    if (m_unit.disableNetMode)
        m_checks[NetMode].checked = false;
}

void CUnitAdvancedSettings::ApplyEnableRules()
{
    for (const IndexComboRow& row : kIndexCombos)
        m_combos[row.id].enabled = m_unit.FieldEnabled(row.field);
    m_combos[Language].enabled = m_unit.FieldEnabled(kLanguageField) && !m_combos[Language].entries.isEmpty();
    m_combos[BaudRate].enabled = m_unit.FieldEnabled(kBaudField);
    for (const EditRow& row : kEdits)
        m_edits[row.id].enabled = m_unit.FieldEnabled(row.field);
    for (const CheckRow& row : kChecks)
        m_checks[row.id].enabled = m_unit.FieldEnabled(row.field);
    m_checks[NetMode].enabled = m_checks[NetMode].enabled && !m_unit.disableNetMode;
}

bool CUnitAdvancedSettings::IsEnabled(int controlId) const
{
    if (const auto it = m_combos.constFind(controlId); it != m_combos.constEnd())
        return it->enabled;
    if (const auto it = m_edits.constFind(controlId); it != m_edits.constEnd())
        return it->enabled;
    if (const auto it = m_checks.constFind(controlId); it != m_checks.constEnd())
        return it->enabled;
    return false;
}

CSheetComboEntries CUnitAdvancedSettings::Entries(int comboId) const
{
    return m_combos.value(comboId).entries;
}

int CUnitAdvancedSettings::Selection(int comboId) const
{
    const auto it = m_combos.constFind(comboId);
    return it != m_combos.constEnd() ? it->selection : -1;
}

void CUnitAdvancedSettings::SetSelection(int comboId, int index)
{
    const auto it = m_combos.find(comboId);
    if (it != m_combos.end())
        it->selection = ValidIndex(index, it->entries);
}

bool CUnitAdvancedSettings::IsChecked(int checkId) const
{
    return m_checks.value(checkId).checked;
}

void CUnitAdvancedSettings::SetChecked(int checkId, bool checked)
{
    const auto it = m_checks.find(checkId);
    if (it != m_checks.end())
        it->checked = checked;
}

QString CUnitAdvancedSettings::Text(int editId) const
{
    return m_edits.value(editId).text;
}

void CUnitAdvancedSettings::SetText(int editId, const QString& text)
{
    const auto it = m_edits.find(editId);
    if (it != m_edits.end())
        it->text = text;
}

CVelmoraError CUnitAdvancedSettings::CheckEdit(int editId) const
{
    const auto it = m_edits.constFind(editId);
    int value = 0;
    if (it != m_edits.constEnd() && it->enabled &&
        !CUnitSheetUnit::ParseNumber(it->text, TimerMin, TimerMax, value))
        return CUnitSheetUnit::RangeError(TimerMin, TimerMax);
    return CVelmoraError();
}

CVelmoraError CUnitAdvancedSettings::Check() const
{
    for (const EditRow& row : kEdits) {
        if (const CVelmoraError error = CheckEdit(row.id))
            return error;
    }
    return CVelmoraError();
}

CVelmoraError CUnitAdvancedSettings::Save(bool* changed)
{
    if (changed)
        *changed = false;
    // A page never loaded shows nothing the user could have changed.
    if (!m_record.IsLoaded())
        return CVelmoraError();
    if (const CVelmoraError error = Check())
        return error;
    return m_record.Save(
        [&](CUnitPhoneErgoRecSet& record) {
            // A combo showing nothing (a stored value it has no entry for) keeps that value.
            for (const IndexComboRow& row : kIndexCombos) {
                const int selection = m_combos[row.id].selection;
                if (selection >= 0)
                    record.*row.member = selection;
            }
            const ComboBox& language = m_combos[Language];
            if (language.selection >= 0)
                record.m_unit_language = language.entries.at(language.selection).data;
            const int baud = m_combos[BaudRate].selection;
            const bool automatic = baud < 0 || baud >= int(PlusBaudRateCount);
            record.m_unit_baud_rate = automatic ? 0 : BaudRateAt(baud);
            record.m_unit_auto_baud_flag = automatic;
            for (const EditRow& row : kEdits) {
                const EditBox& edit = m_edits[row.id];
                int value = edit.stored;
                // A disabled edit keeps what is stored, whatever it holds.
                if (edit.enabled)
                    CUnitSheetUnit::ParseNumber(edit.text, TimerMin, TimerMax, value);
                record.*row.member = value;
            }
            for (const CheckRow& row : kChecks)
                record.*row.member = m_checks[row.id].checked;
        },
        changed);
}
