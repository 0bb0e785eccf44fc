#include "CAlderGroups.h"

#include "AgentApi.h"
#include "CAlderErgoQuickNotesRecSet.h"
#include "CAlderErgoShortcutsRecSet.h"
#include "CAlderErgoStylesRecSet.h"
#include "CPersonalizeRecSet.h"
#include "CPhoneItems.h"
#include "CodeplugItemIds.h"

#include <QMap>

namespace {

enum class Field
{
    Text,  // the style name
    Byte,  // byte 0
    Bool,  // true when byte 0 is 1
    Style, // bits 2..6
    Type,  // bits 0..1
    Long,  // a 32-bit value shown as "%u"
};

struct Setting
{
    const char* column;
    Field field;
};

// Settings 0..25 of a style.
const Setting Settings[CAlderGroups::SettingCount] = {
    {"unit_style_name", Field::Text},
    {"unit_style_ringer_volume", Field::Byte},
    {"unit_style_ringer_keypad_volume", Field::Byte},
    {"unit_style_ringer_mail_volume", Field::Byte},
    {"unit_style_ringer_javaordata_volume", Field::Byte},
    {"unit_style_ringer_headset", Field::Byte},
    {"unit_style_vibe_all", Field::Bool},
    {"unit_style_line1_style", Field::Style},
    {"unit_style_line1_type", Field::Type},
    {"unit_style_line2_style", Field::Style},
    {"unit_style_line2_type", Field::Type},
    {"unit_style_prvtgrp_type", Field::Type},
    {"unit_style_callalert_ring_style", Field::Style},
    {"unit_style_callalert_ring_type", Field::Type},
    {"unit_style_text_messages", Field::Type},
    {"unit_style_reminders", Field::Type},
    {"unit_style_voicemail", Field::Type},
    {"unit_style_netmail", Field::Byte},
    {"unit_style_backlight", Field::Long},
    {"unit_style_display", Field::Byte},
    {"unit_style_call_filter_phone", Field::Byte},
    {"unit_style_call_filter_prvtgrp", Field::Bool},
    {"unit_style_call_filter_alerts", Field::Bool},
    {"unit_style_call_filter_notifications", Field::Byte},
    {"unit_style_auto_answer_line1", Field::Byte},
    {"unit_style_auto_answer_line2", Field::Byte},
};

bool IsBitField(Field field)
{
    return field == Field::Style || field == Field::Type;
}

QVariant Decode(Field field, const CPhoneItems::Item& item, const QString& text)
{
    const quint32 v = item.Value();
    switch (field) {
    case Field::Text:
        return text;
    case Field::Byte:
        return int(v & 0xFF);
    case Field::Bool:
        return (v & 0xFF) == 1;
    case Field::Style:
        return int((v >> 2) & 0x1F);
    case Field::Type:
        return int(v & 0x3);
    case Field::Long:
        return QString::number(v);
    }
    return QVariant();
}

quint32 EncodeInto(Field field, quint32 v, const QVariant& value)
{
    switch (field) {
    case Field::Byte:
        return (v & ~0xFFu) | (quint32(value.toInt()) & 0xFF);
    case Field::Bool:
        return (v & ~0xFFu) | (value.toBool() ? 1u : 0u);
    case Field::Style:
        return (v & ~(0x1Fu << 2)) | ((quint32(value.toInt()) & 0x1F) << 2);
    case Field::Type:
        return (v & ~0x3u) | (quint32(value.toInt()) & 0x3);
    case Field::Long:
        return value.toString().trimmed().toUInt();
    case Field::Text:
        break;
    }
    return v;
}

} // namespace

int CAlderGroups::ReadStyles(const QString& imei, CAlderErgoStylesRecSet& styles,
                             const CPhoneTextCodec& codec)
{
    for (int r = 0; r < StyleCount; ++r) {
        styles.AddNew();
        styles.m_unit_imei_num = imei;
        styles.m_unit_style_number = r;
        for (int s = 0; s < SettingCount; ++s) {
            const int id = CodeplugItem::StyleItem(r, s);
            if (id < 0)
                continue;
            CPhoneItems::Item item;
            QString text;
            const int rc = Settings[s].field == Field::Text ? CPhoneItems::ReadText(id, text, codec)
                                                            : CPhoneItems::Read(id, item);
            if (!CPhoneItems::Ok(rc)) {
                styles.CancelUpdate();
                return rc;
            }
            styles.SetFieldValue(styles.FieldIndex(QLatin1String(Settings[s].column)),
                                 Decode(Settings[s].field, item, text));
        }
        if (!styles.Update())
            return AGENT_READ_FAILED;
    }
    return AGENT_SUCCESS;
}

int CAlderGroups::WriteStyles(CAlderErgoStylesRecSet& styles, const CPhoneTextCodec& codec)
{
    for (styles.MoveFirst(); !styles.IsEOF(); styles.MoveNext()) {
        const int r = styles.m_unit_style_number;
        if (r < 0 || r >= StyleCount)
            continue;
        // Settings sharing an item are applied together: whole bytes first, then the bit fields.
        QMap<int, QList<int>> byItem;
        for (int s = 0; s < SettingCount; ++s) {
            const int id = CodeplugItem::StyleItem(r, s);
            if (id >= 0)
                byItem[id].append(s);
        }
        for (auto it = byItem.cbegin(); it != byItem.cend(); ++it) {
            const int id = it.key();
            const QList<int>& settings = it.value();
            if (settings.size() == 1 && Settings[settings.first()].field == Field::Text) {
                const int rc = CPhoneItems::WriteText(id, styles.m_unit_style_name, codec);
                if (!CPhoneItems::Ok(rc))
                    return rc;
                continue;
            }
            CPhoneItems::Item item;
            int rc = CPhoneItems::Read(id, item);
            if (!CPhoneItems::Ok(rc))
                return rc;
            if (item.absent || item.elements.isEmpty())
                continue;
            quint32 v = item.elements[0];
            for (const bool bits : {false, true}) {
                for (const int s : settings) {
                    if (IsBitField(Settings[s].field) == bits)
                        v = EncodeInto(
                            Settings[s].field, v,
                            styles.FieldValue(styles.FieldIndex(QLatin1String(Settings[s].column))));
                }
            }
            item.elements[0] = v;
            rc = CPhoneItems::Write(id, item);
            if (!CPhoneItems::Ok(rc))
                return rc;
        }
    }
    return AGENT_SUCCESS;
}

int CAlderGroups::ReadShortcuts(const QString& imei, CAlderErgoShortcutsRecSet& shortcuts)
{
    quint32 count = 0;
    int rc = CPhoneItems::ReadValue(CodeplugItem::ShortcutCount, count);
    if (!CPhoneItems::Ok(rc))
        return rc;
    CPhoneItems::Item values;
    rc = CPhoneItems::Read(CodeplugItem::ShortcutValues, values);
    if (!CPhoneItems::Ok(rc))
        return rc;
    const int n = qMin(int(count & 0xFF), int(values.elements.size()));
    for (int k = 0; k < n; ++k) {
        shortcuts.AddNew();
        shortcuts.m_unit_imei_num = imei;
        shortcuts.m_unit_shortcut_number = k + 1;
        shortcuts.m_unit_shortcut_value = QString::number(values.elements[k]);
        if (!shortcuts.Update())
            return AGENT_READ_FAILED;
    }
    return AGENT_SUCCESS;
}

int CAlderGroups::WriteShortcuts(CAlderErgoShortcutsRecSet& shortcuts)
{
    CPhoneItems::Item values;
    int rc = CPhoneItems::Read(CodeplugItem::ShortcutValues, values);
    if (!CPhoneItems::Ok(rc) || values.absent)
        return rc;
    int n = 0;
    for (shortcuts.MoveFirst(); !shortcuts.IsEOF() && n < values.elements.size(); shortcuts.MoveNext()) {
        bool ok = false;
        const quint32 value = shortcuts.m_unit_shortcut_value.trimmed().toUInt(&ok);
        values.elements[n++] = ok ? value : 0xFFFFFFFFu;
    }
    rc = CPhoneItems::WriteValue(CodeplugItem::ShortcutCount, quint32(n));
    if (!CPhoneItems::Ok(rc))
        return rc;
    return CPhoneItems::Write(CodeplugItem::ShortcutValues, values);
}

int CAlderGroups::ReadQuickNotes(const QString& imei, CAlderErgoQuickNotesRecSet& notes,
                                 const CPhoneTextCodec& codec)
{
    notes.AddNew();
    notes.m_unit_imei_num = imei;
    QString* columns[10] = {&notes.m_unit_quick_notes_1, &notes.m_unit_quick_notes_2,
                            &notes.m_unit_quick_notes_3, &notes.m_unit_quick_notes_4,
                            &notes.m_unit_quick_notes_5, &notes.m_unit_quick_notes_6,
                            &notes.m_unit_quick_notes_7, &notes.m_unit_quick_notes_8,
                            &notes.m_unit_quick_notes_9, &notes.m_unit_quick_notes_10};
    for (int i = 0; i < 10; ++i) {
        const int rc = CPhoneItems::ReadText(CodeplugItem::FirstQuickNote + i, *columns[i], codec);
        if (!CPhoneItems::Ok(rc)) {
            notes.CancelUpdate();
            return rc;
        }
    }
    return notes.Update() ? AGENT_SUCCESS : AGENT_READ_FAILED;
}

int CAlderGroups::WriteQuickNotes(CAlderErgoQuickNotesRecSet& notes, const CPhoneTextCodec& codec)
{
    notes.MoveFirst();
    if (notes.IsEOF())
        return AGENT_SUCCESS;
    const QString columns[10] = {notes.m_unit_quick_notes_1, notes.m_unit_quick_notes_2,
                                 notes.m_unit_quick_notes_3, notes.m_unit_quick_notes_4,
                                 notes.m_unit_quick_notes_5, notes.m_unit_quick_notes_6,
                                 notes.m_unit_quick_notes_7, notes.m_unit_quick_notes_8,
                                 notes.m_unit_quick_notes_9, notes.m_unit_quick_notes_10};
    for (int i = 0; i < 10; ++i) {
        const int rc = CPhoneItems::WriteText(CodeplugItem::FirstQuickNote + i, columns[i], codec);
        if (!CPhoneItems::Ok(rc))
            return rc;
    }
    return AGENT_SUCCESS;
}

int CAlderGroups::ReadPersonalize(const QString& imei, CPersonalizeRecSet& personalize)
{
    personalize.AddNew();
    personalize.m_unit_imei_num = imei;
    quint32 left = 0, right = 0, app = 0;
    CPhoneItems::Item menu;
    const std::pair<int, quint32*> keys[3] = {
        {CodeplugItem::LeftKey, &left}, {CodeplugItem::RightKey, &right}, {CodeplugItem::PowerUpApp, &app}};
    for (const auto& [id, value] : keys) {
        const int rc = CPhoneItems::ReadValue(id, *value);
        if (!CPhoneItems::Ok(rc)) {
            personalize.CancelUpdate();
            return rc;
        }
    }
    const int rc = CPhoneItems::Read(CodeplugItem::MenuSlots, menu);
    if (!CPhoneItems::Ok(rc)) {
        personalize.CancelUpdate();
        return rc;
    }
    personalize.m_unit_left_key = int(left);
    personalize.m_unit_right_key = int(right);
    personalize.m_unit_powerup_app = int(app);
    for (int i = 0; i < personalize.MenuSlots() && i < menu.elements.size(); ++i)
        personalize.m_unit_main_menu[i] = int(menu.elements[i] & 0xFF);
    return personalize.Update() ? AGENT_SUCCESS : AGENT_READ_FAILED;
}

int CAlderGroups::WritePersonalize(CPersonalizeRecSet& personalize)
{
    personalize.MoveFirst();
    if (personalize.IsEOF())
        return AGENT_SUCCESS;
    const std::pair<int, int> keys[3] = {{CodeplugItem::LeftKey, personalize.m_unit_left_key},
                                         {CodeplugItem::RightKey, personalize.m_unit_right_key},
                                         {CodeplugItem::PowerUpApp, personalize.m_unit_powerup_app}};
    for (const auto& [id, value] : keys) {
        const int rc = CPhoneItems::WriteValue(id, quint32(value));
        if (!CPhoneItems::Ok(rc))
            return rc;
    }
    CPhoneItems::Item menu;
    int rc = CPhoneItems::Read(CodeplugItem::MenuSlots, menu);
    if (!CPhoneItems::Ok(rc) || menu.absent)
        return rc;
    for (int i = 0; i < personalize.MenuSlots() && i < menu.elements.size(); ++i)
        menu.elements[i] = quint32(personalize.m_unit_main_menu[i]) & 0xFF;
    rc = CPhoneItems::Write(CodeplugItem::MenuSlots, menu);
    return rc;
}

CVelmoraError CAlderGroups::CheckTexts(CAlderErgoStylesRecSet* styles, CAlderErgoQuickNotesRecSet* notes,
                                       const CPhoneTextCodec& codec)
{
    if (styles) {
        for (styles->MoveFirst(); !styles->IsEOF(); styles->MoveNext()) {
            if (CVelmoraError refused = codec.Check(styles->m_unit_style_name))
                return refused;
        }
    }
    if (notes) {
        notes->MoveFirst();
        if (!notes->IsEOF()) {
            for (const QString& note :
                 {notes->m_unit_quick_notes_1, notes->m_unit_quick_notes_2, notes->m_unit_quick_notes_3,
                  notes->m_unit_quick_notes_4, notes->m_unit_quick_notes_5, notes->m_unit_quick_notes_6,
                  notes->m_unit_quick_notes_7, notes->m_unit_quick_notes_8, notes->m_unit_quick_notes_9,
                  notes->m_unit_quick_notes_10}) {
                if (CVelmoraError refused = codec.Check(note))
                    return refused;
            }
        }
    }
    return CVelmoraError();
}
