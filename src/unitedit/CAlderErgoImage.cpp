#include "CAlderErgoImage.h"

#include "CAlderErgoQuickNotesRecSet.h"
#include "CAlderErgoShortcutsRecSet.h"
#include "CAlderErgoStylesRecSet.h"
#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CPersonalizeRecSet.h"

using R = CAlderErgoRows;

namespace {

const char* const kStyleColumns[R::StyleSettings] = {
    "unit_style_name",
    "unit_style_ringer_volume",
    "unit_style_ringer_keypad_volume",
    "unit_style_ringer_mail_volume",
    "unit_style_ringer_javaordata_volume",
    "unit_style_ringer_headset",
    "unit_style_vibe_all",
    "unit_style_line1_style",
    "unit_style_line1_type",
    "unit_style_line2_style",
    "unit_style_line2_type",
    "unit_style_prvtgrp_type",
    "unit_style_callalert_ring_style",
    "unit_style_callalert_ring_type",
    "unit_style_text_messages",
    "unit_style_reminders",
    "unit_style_voicemail",
    "unit_style_netmail",
    "unit_style_backlight",
    "unit_style_display",
    "unit_style_call_filter_phone",
    "unit_style_call_filter_prvtgrp",
    "unit_style_call_filter_alerts",
    "unit_style_call_filter_notifications",
    "unit_style_auto_answer_line1",
    "unit_style_auto_answer_line2",
};

const char* const kByImei = "unit_imei_num = ?";

CVelmoraError OpenError(const CRecordset& record)
{
    return CVelmoraError::Text(record.LastError());
}

// A yes/no column's value as the grid's check box holds it.
QString CellText(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

CVelmoraError DeleteRows(const QSqlDatabase& db, const QString& table, const QString& imei)
{
    return CFleetConnection::Exec(db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table),
                                  {imei});
}

} // namespace

CAlderErgoImage::CAlderErgoImage(int modelType) : m_modelType(modelType)
{
    for (int s = 0; s < R::StyleCount; ++s)
        m_styles << DefaultStyle();
    for (int i = 0; i < R::ShortcutCount; ++i)
        m_shortcuts << QString();
    for (int i = 0; i < R::NoteCount; ++i)
        m_notes << QString();
    // The phone's own order: the fifteen menu items, then empty slots.
    for (int i = 0; i < MenuSlotCount(modelType); ++i)
        m_menu << (i < AlderModelSlots ? i : int(NoApplication));
}

QStringList CAlderErgoImage::DefaultStyle()
{
    QStringList values;
    for (int i = 0; i < R::StyleSettings; ++i)
        values << QStringLiteral("0");
    values[0] = QString();
    values[1] = QStringLiteral("229");
    values[2] = QStringLiteral("214");
    values[3] = QStringLiteral("216");
    values[4] = QStringLiteral("242");
    values[9] = QStringLiteral("1");      // line 2 ring style
    values[18] = QStringLiteral("10000"); // back-light
    values[19] = QStringLiteral("6");     // display
    return values;
}

QList<const char*> CAlderErgoImage::StyleColumns()
{
    return QList<const char*>(std::begin(kStyleColumns), std::end(kStyleColumns));
}

QString CAlderErgoImage::PersonalizeTable(int modelType)
{
    return CFleetSchema::PersonalizeTableFor(modelType);
}

int CAlderErgoImage::MenuSlotCount(int modelType)
{
    return modelType == CedarModel ? 32 : (modelType == AgpsModel ? 16 : AlderModelSlots);
}

QString CAlderErgoImage::StyleValue(int style, int row) const
{
    if (style < 0 || style >= R::StyleCount || row < 1 || row > R::StyleSettings)
        return QString();
    return m_styles[style][row - 1];
}

void CAlderErgoImage::SetStyleValue(int style, int row, const QString& value)
{
    if (style >= 0 && style < R::StyleCount && row >= 1 && row <= R::StyleSettings)
        m_styles[style][row - 1] = value;
}

QString CAlderErgoImage::Shortcut(int number) const
{
    return number >= 1 && number <= R::ShortcutCount ? m_shortcuts[number - 1] : QString();
}

void CAlderErgoImage::SetShortcut(int number, const QString& value)
{
    if (number >= 1 && number <= R::ShortcutCount)
        m_shortcuts[number - 1] = value.trimmed().left(R::ShortcutLength);
}

QString CAlderErgoImage::Note(int number) const
{
    return number >= 1 && number <= R::NoteCount ? m_notes[number - 1] : QString();
}

void CAlderErgoImage::SetNote(int number, const QString& text)
{
    if (number >= 1 && number <= R::NoteCount)
        m_notes[number - 1] = text;
}

void CAlderErgoImage::SetMenu(const QList<int>& menu)
{
    const int slots = MenuSlotCount(m_modelType);
    m_menu = menu.mid(0, slots);
    while (m_menu.size() < slots)
        m_menu << NoApplication;
}

bool CAlderErgoImage::MoveMenuItem(int index, bool up)
{
    const int to = up ? index - 1 : index + 1;
    if (index < 0 || index >= m_menu.size() || to < 0 || to >= m_menu.size())
        return false;
    m_menu.move(index, to);
    return true;
}

QString CAlderErgoImage::RowValue(int row, int style) const
{
    if (row >= R::FirstStyleRow && row <= R::LastStyleRow)
        return StyleValue(style, row);
    if (row >= R::FirstShortcutRow && row <= R::LastShortcutRow) {
        // An empty shortcut is no shortcut, as it is stored.
        const QString value = Shortcut(row - R::FirstShortcutRow + 1);
        return value.isEmpty() ? R::NoShortcut() : value;
    }
    if (row >= R::FirstNoteRow && row <= R::LastNoteRow)
        return Note(row - R::FirstNoteRow + 1);
    switch (row) {
    case R::StatusReportRow:
        return m_statusReport ? QStringLiteral("1") : QStringLiteral("0");
    case R::LeftKeyRow:
        return QString::number(m_leftKey);
    case R::RightKeyRow:
        return QString::number(m_rightKey);
    case R::PowerUpRow:
        return QString::number(m_powerUpApp);
    default:
        return QString();
    }
}

void CAlderErgoImage::SetRowValue(int row, int style, const QString& value)
{
    if (row >= R::FirstStyleRow && row <= R::LastStyleRow)
        SetStyleValue(style, row, value);
    else if (row >= R::FirstShortcutRow && row <= R::LastShortcutRow)
        SetShortcut(row - R::FirstShortcutRow + 1, value);
    else if (row >= R::FirstNoteRow && row <= R::LastNoteRow)
        SetNote(row - R::FirstNoteRow + 1, value);
    else if (row == R::StatusReportRow)
        m_statusReport = value == QLatin1String("1");
    else if (row == R::LeftKeyRow)
        m_leftKey = value.toInt();
    else if (row == R::RightKeyRow)
        m_rightKey = value.toInt();
    else if (row == R::PowerUpRow)
        m_powerUpApp = value.toInt();
}

CVelmoraError CAlderErgoImage::Load(const QSqlDatabase& db, const QString& imei)
{
    // Read into a copy: a table that cannot be read leaves this image as it was.
    CAlderErgoImage loaded(*this);
    loaded.m_rowsFound = 0;
    CVelmoraError error = loaded.LoadStyles(db, imei);
    if (!error)
        error = loaded.LoadShortcuts(db, imei);
    if (!error)
        error = loaded.LoadMenu(db, imei);
    if (!error)
        error = loaded.LoadNotes(db, imei);
    if (!error) {
        loaded.m_complete = loaded.m_rowsFound == R::StyleCount + R::ShortcutCount + 2;
        *this = loaded;
    }
    return error;
}

CVelmoraError CAlderErgoImage::LoadStyles(const QSqlDatabase& db, const QString& imei)
{
    CAlderErgoStylesRecSet rs(db);
    if (!rs.Open(kByImei, {imei}, QStringLiteral("unit_style_number ASC")))
        return OpenError(rs);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const int style = rs.m_unit_style_number;
        if (style < 0 || style >= R::StyleCount)
            continue;
        ++m_rowsFound;
        for (int i = 0; i < R::StyleSettings; ++i)
            m_styles[style][i] = CellText(rs.FieldValue(rs.FieldIndex(QLatin1String(kStyleColumns[i]))));
    }
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::LoadShortcuts(const QSqlDatabase& db, const QString& imei)
{
    CAlderErgoShortcutsRecSet rs(db);
    if (!rs.Open(kByImei, {imei}, QStringLiteral("unit_shortcut_number ASC")))
        return OpenError(rs);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        SetShortcut(rs.m_unit_shortcut_number, rs.m_unit_shortcut_value);
        if (rs.m_unit_shortcut_number >= 1 && rs.m_unit_shortcut_number <= R::ShortcutCount)
            ++m_rowsFound;
    }
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::LoadMenu(const QSqlDatabase& db, const QString& imei)
{
    std::unique_ptr<CPersonalizeRecSet> rs = CPersonalizeRecSet::ForModel(m_modelType, db);
    if (!rs->Open(kByImei, {imei}))
        return OpenError(*rs);
    if (rs->IsEOF())
        return CVelmoraError();
    ++m_rowsFound;
    m_leftKey = rs->m_unit_left_key;
    m_rightKey = rs->m_unit_right_key;
    m_powerUpApp = rs->m_unit_powerup_app;
    QList<int> menu;
    for (int i = 0; i < rs->MenuSlots(); ++i)
        menu << rs->m_unit_main_menu[i];
    SetMenu(menu);
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::LoadNotes(const QSqlDatabase& db, const QString& imei)
{
    CAlderErgoQuickNotesRecSet rs(db);
    if (!rs.Open(kByImei, {imei}))
        return OpenError(rs);
    if (rs.IsEOF())
        return CVelmoraError();
    for (int i = 0; i < R::NoteCount; ++i)
        m_notes[i] =
            rs.FieldValue(rs.FieldIndex(QStringLiteral("unit_quick_notes_%1").arg(i + 1))).toString();
    m_statusReport = rs.m_unit_sms_status_report;
    ++m_rowsFound;
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::Save(const QSqlDatabase& db, const QString& imei) const
{
    CVelmoraError error = SaveStyles(db, imei);
    if (!error)
        error = SaveShortcuts(db, imei);
    if (!error)
        error = SaveMenu(db, imei);
    if (!error)
        error = SaveNotes(db, imei);
    return error;
}

CVelmoraError CAlderErgoImage::SaveStyles(const QSqlDatabase& db, const QString& imei) const
{
    CAlderErgoStylesRecSet rs(db);
    if (CVelmoraError error = DeleteRows(db, rs.TableName(), imei))
        return error;
    for (int style = 0; style < R::StyleCount; ++style) {
        rs.AddNew();
        rs.m_unit_imei_num = imei;
        rs.m_unit_style_number = style;
        for (int i = 0; i < R::StyleSettings; ++i)
            rs.SetFieldValue(rs.FieldIndex(QLatin1String(kStyleColumns[i])), m_styles[style][i]);
        if (!rs.Update())
            return OpenError(rs);
    }
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::SaveShortcuts(const QSqlDatabase& db, const QString& imei) const
{
    CAlderErgoShortcutsRecSet rs(db);
    if (CVelmoraError error = DeleteRows(db, rs.TableName(), imei))
        return error;
    for (int n = 1; n <= R::ShortcutCount; ++n) {
        rs.AddNew();
        rs.m_unit_imei_num = imei;
        rs.m_unit_shortcut_number = n;
        const QString value = Shortcut(n);
        rs.m_unit_shortcut_value = value.isEmpty() ? R::NoShortcut() : value;
        if (!rs.Update())
            return OpenError(rs);
    }
    return CVelmoraError();
}

CVelmoraError CAlderErgoImage::SaveMenu(const QSqlDatabase& db, const QString& imei) const
{
    std::unique_ptr<CPersonalizeRecSet> rs = CPersonalizeRecSet::ForModel(m_modelType, db);
    if (CVelmoraError error = DeleteRows(db, rs->TableName(), imei))
        return error;
    rs->AddNew();
    rs->m_unit_imei_num = imei;
    rs->m_unit_left_key = m_leftKey;
    rs->m_unit_right_key = m_rightKey;
    rs->m_unit_powerup_app = m_powerUpApp;
    for (int i = 0; i < rs->MenuSlots(); ++i)
        rs->m_unit_main_menu[i] = i < m_menu.size() ? m_menu[i] : int(NoApplication);
    return rs->Update() ? CVelmoraError() : OpenError(*rs);
}

CVelmoraError CAlderErgoImage::SaveNotes(const QSqlDatabase& db, const QString& imei) const
{
    CAlderErgoQuickNotesRecSet rs(db);
    if (CVelmoraError error = DeleteRows(db, rs.TableName(), imei))
        return error;
    rs.AddNew();
    rs.m_unit_imei_num = imei;
    for (int i = 0; i < R::NoteCount; ++i)
        rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_quick_notes_%1").arg(i + 1)), m_notes[i]);
    rs.m_unit_sms_status_report = m_statusReport;
    return rs.Update() ? CVelmoraError() : OpenError(rs);
}

bool CAlderErgoImage::operator==(const CAlderErgoImage& other) const
{
    return m_modelType == other.m_modelType && m_styles == other.m_styles &&
           m_shortcuts == other.m_shortcuts && m_notes == other.m_notes &&
           m_statusReport == other.m_statusReport && m_leftKey == other.m_leftKey &&
           m_rightKey == other.m_rightKey && m_powerUpApp == other.m_powerUpApp && m_menu == other.m_menu;
}
