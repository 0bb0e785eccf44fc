#include "CAlderErgoFields.h"

#include "CModelRules.h"
#include "CVelmoraWrap.h"

using R = CAlderErgoRows;

namespace {

enum : int
{
    TextEmptySlot = 7700, // a menu slot without an item
    TextMenuItem = 7701,  // "Menu item %1"
};

QList<int> RowRange(int first, int last)
{
    QList<int> rows;
    for (int row = first; row <= last; ++row)
        rows << row;
    return rows;
}

} // namespace

CAlderErgoSwitches CAlderErgoSwitches::Of(const CModelRules& rules, const CUnitSheetUnit& unit)
{
    CAlderErgoSwitches s;
    const int sub = unit.subReleaseId, release = unit.releaseId, model = unit.modelType;
    s.alderModel = rules.IsAlderModel(model);
    s.hideStyles = rules.HideStyles(sub, release, model);
    s.hideShortcuts = rules.HideShortcuts(sub, release, model);
    s.hideMoSms = rules.HideMOSMS(sub, release, model);
    s.hidePersonalize = rules.HidePersonalize(sub, release, model);
    QString rows;
    if (rules.HideStyleRows(sub, release, model, rows))
        s.hiddenRows = R::ParseHiddenRows(rows);
    return s;
}

QString CAlderErgoFields::SectionEntry::Caption() const
{
    return stringId != 0 ? CVelmoraWrap::LoadString(stringId) : R::MoSmsText();
}

CAlderErgoFields::CAlderErgoFields(const CUnitSheetUnit& unit, const CAlderErgoSwitches& switches)
    : m_unit(unit), m_switches(switches), m_image(unit.modelType), m_stored(unit.modelType)
{
}

CVelmoraError CAlderErgoFields::Load()
{
    m_image = CAlderErgoImage(m_unit.modelType);
    const CVelmoraError error = m_image.Load(m_unit.db, m_unit.imei);
    m_loaded = !error;
    m_stored = m_image;
    return error;
}

QList<CAlderErgoFields::SectionEntry> CAlderErgoFields::Sections() const
{
    QList<SectionEntry> entries{{General, 2010}};
    if (!m_switches.alderModel)
        return entries;
    if (!m_switches.hideStyles)
        entries << SectionEntry{Styles, 2011};
    if (!m_switches.hideShortcuts)
        entries << SectionEntry{Shortcuts, 2012};
    if (!m_switches.hideMoSms)
        entries << SectionEntry{MoSms, 0};
    if (!m_switches.hidePersonalize)
        entries << SectionEntry{Personalise, 1999};
    return entries;
}

QList<int> CAlderErgoFields::RowsOf(Section section) const
{
    QList<int> rows;
    switch (section) {
    case General:
        rows = RowRange(2, R::LastStyleRow);
        break;
    case Styles:
        rows = RowRange(R::FirstStyleRow, R::LastStyleRow);
        break;
    case Shortcuts:
        rows = RowRange(R::FirstShortcutRow, R::LastShortcutRow);
        break;
    case MoSms:
        rows = RowRange(R::FirstNoteRow, R::LastNoteRow) << R::StatusReportRow;
        break;
    case Personalise:
        rows = RowRange(R::LeftKeyRow, R::PowerUpRow);
        break;
    }
    rows.removeIf([this](int row) { return IsRowHidden(row); });
    return rows;
}

int CAlderErgoFields::ShownStyle() const
{
    return m_section == Styles ? qMax(m_style, 1) : 0;
}

bool CAlderErgoFields::ControlShown(int controlId) const
{
    const bool styleRows = m_section == General || m_section == Styles;
    switch (controlId) {
    case StyleSpin:
    case StyleNumber:
        return m_section == Styles;
    case StyleNote:
        return styleRows;
    case MoveUp:
    case MoveDown:
        return m_section == Shortcuts || m_section == Personalise;
    case CopyUserInfo:
        return m_section == Shortcuts || m_section == MoSms;
    case MenuList:
        return m_section == Personalise;
    default:
        return true;
    }
}

void CAlderErgoFields::StoreVisible(const CellReader& cell)
{
    const int style = ShownStyle();
    for (int row : VisibleRows())
        m_image.SetRowValue(row, style, cell(row));
}

void CAlderErgoFields::SetSection(Section section)
{
    m_section = section;
    if (section == Styles && m_style < 0)
        m_style = 1;
}

QString CAlderErgoFields::EnterStyleNumber(const QString& text, bool* styleChanged)
{
    if (styleChanged)
        *styleChanged = false;
    const QString digits = text.trimmed();
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    if (!ok)
        return text;
    const int style = number > R::MaxStyle ? int(R::MaxStyle) : int(number);
    if (style >= 1 && style != m_style) {
        m_style = style;
        if (styleChanged)
            *styleChanged = true;
    }
    return number > R::MaxStyle ? QString::number(R::MaxStyle) : text;
}

int CAlderErgoFields::MoveShortcut(int row, bool up)
{
    const int to = up ? row - 1 : row + 1;
    if (row < R::FirstShortcutRow || row > R::LastShortcutRow || to < R::FirstShortcutRow ||
        to > R::LastShortcutRow || IsRowHidden(to))
        return 0;
    const int a = row - R::FirstShortcutRow + 1, b = to - R::FirstShortcutRow + 1;
    const QString value = m_image.Shortcut(a);
    m_image.SetShortcut(a, m_image.Shortcut(b));
    m_image.SetShortcut(b, value);
    return to;
}

QString CAlderErgoFields::MenuItemText(int value)
{
    if (value == CAlderErgoImage::NoApplication)
        return CVelmoraWrap::LoadString(TextEmptySlot);
    const QString text = R::TextOfValue(R::List::P, quint32(value));
    return text.isEmpty() ? CVelmoraWrap::LoadString(TextMenuItem).arg(value) : text;
}

CVelmoraError CAlderErgoFields::Save(bool& changed)
{
    changed = false;
    // Rows that could not be read are not replaced by defaults.
    if (!m_loaded)
        return CVelmoraError();
    if (CVelmoraError error = m_image.Save(m_unit.db, m_unit.imei))
        return error;
    changed = m_image != m_stored || !m_stored.Complete();
    return CVelmoraError();
}
