#pragma once

#include "CAlderErgoImage.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QList>
#include <QString>
#include <functional>

class CModelRules;

// What the carrier settings allow on the ergonomic page of one Alder unit ("SubId Rel_Models" keys
// of the unit's sub-release, release and model).
struct CAlderErgoSwitches
{
    bool alderModel = false; // in "AlderModels": more than the general section
    bool hideStyles = false;
    bool hideShortcuts = false;
    bool hideMoSms = false;
    bool hidePersonalize = false;
    QList<int> hiddenRows; // rows hidden for good ("HideStyleRows")

    static CAlderErgoSwitches Of(const CModelRules& rules, const CUnitSheetUnit& unit);
};

// The ergonomic settings page of Alder phones without its widgets: the sections it offers, which
// rows and controls each shows, the style being edited, the personalised menu and the image of the
// unit's ergonomic tables that the page loads when it opens and saves with the sheet.
class CAlderErgoFields
{
public:
    enum Section
    {
        General,
        Styles,
        Shortcuts,
        MoSms,
        Personalise,
    };
    // Control ids of the page.
    enum Control : int
    {
        DialogId = 160,
        GridControl = 1888,
        SectionChooser = 1887,
        StyleSpin = 1889,
        StyleNumber = 1890,
        CopyUserInfo = 1025,
        MoveUp = 1029,
        MoveDown = 1032,
        StyleNote = 3000, // says which style the rows hold
        MenuList = 2053,
    };
    struct SectionEntry
    {
        Section section;
        int stringId; // 0: the literal MO SMS name
        QString Caption() const;
    };

    CAlderErgoFields(const CUnitSheetUnit& unit, const CAlderErgoSwitches& switches);

    const CUnitSheetUnit& Unit() const { return m_unit; }
    const CAlderErgoSwitches& Switches() const { return m_switches; }
    CAlderErgoImage& Image() { return m_image; }
    const CAlderErgoImage& Image() const { return m_image; }

    // Reads the unit's rows. On failure the image keeps its defaults and Save writes nothing, so a
    // unit whose rows could not be read never has them replaced by defaults.
    CVelmoraError Load();
    bool IsLoaded() const { return m_loaded; }

    // The section chooser's entries, in order.
    QList<SectionEntry> Sections() const;
    Section CurrentSection() const { return m_section; }
    // The rows a section shows (the rows hidden for good left out).
    QList<int> RowsOf(Section section) const;
    QList<int> VisibleRows() const { return RowsOf(m_section); }
    bool IsRowHidden(int row) const { return m_switches.hiddenRows.contains(row); }
    // The style the style rows hold: 0 in the general section, else the style being edited.
    int ShownStyle() const;
    // The style being edited in the styles section (-1 before it was first shown).
    int CurrentStyle() const { return m_style; }
    // Whether a control (Control id) is shown in the current section.
    bool ControlShown(int controlId) const;

    using CellReader = std::function<QString(int row)>;
    // Stores the visible rows' cells (read by row) into the image.
    void StoreVisible(const CellReader& cell);
    // Changes the section (the caller stored the visible cells first); the first visit of the styles
    // section edits style 1.
    void SetSection(Section section);
    // The value a row's cell shows now.
    QString CellValue(int row) const { return m_image.RowValue(row, ShownStyle()); }

    // The style number typed into its edit: a number above 10 becomes "10"; a number from 1 to 10
    // becomes the style edited (the caller stored the visible cells first). Returns the edit's text.
    QString EnterStyleNumber(const QString& text, bool* styleChanged = nullptr);

    // Moves the current shortcut's target one shortcut up or down (row of the shortcut); returns
    // the row the target moved to, or 0.
    int MoveShortcut(int row, bool up);

    // Menu slot texts for the menu list.
    static QString MenuItemText(int value);

    // Writes the image into the unit's four tables (inside the sheet's transaction); changed tells
    // whether it differs from what was loaded.
    CVelmoraError Save(bool& changed);
    // The page holds changes that are not in the unit's tables yet.
    bool HasUnsavedChanges() const { return !(m_image == m_stored); }
    // The save was committed: the saved image is the stored one.
    void SaveCommitted()
    {
        m_stored = m_image;
        m_stored.MarkComplete();
    }

private:
    CUnitSheetUnit m_unit;
    CAlderErgoSwitches m_switches;
    CAlderErgoImage m_image;
    CAlderErgoImage m_stored; // as last loaded or saved
    bool m_loaded = false;
    Section m_section = General;
    int m_style = -1;
};
