#pragma once

#include "CAlderErgoRows.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The ergonomic settings of one Alder unit as the ergonomic page edits them: eleven ring styles,
// twenty shortcuts, the personalised menu of the model's table, ten quick notes and the SMS status
// report flag. Values are held as the grid's cells hold them: texts, "1" / "0" for the yes/no columns
// and decimal numbers for the rest. Load reads the unit's rows of the four tables; Save writes them
// back, table by table, in whatever transaction the caller holds.
class CAlderErgoImage
{
public:
    enum : int
    {
        AlderModelSlots = 15,
        CedarModel = 114,    // its menu is in unit_cedar_personalize_details (32 slots)
        AgpsModel = 116,     // unit_agps_personalize_details (16 slots)
        NoApplication = 255, // the power-up application "none", also an empty menu slot
    };

    explicit CAlderErgoImage(int modelType = 0);

    // The defaults a style has before it is loaded, by style row 1..26.
    static QStringList DefaultStyle();
    // The style columns of unit_alder_styles_details, by style row 1..26.
    static QList<const char*> StyleColumns();

    // The personalisation table and its menu slot count for a model type.
    static QString PersonalizeTable(int modelType);
    static int MenuSlotCount(int modelType);
    int ModelType() const { return m_modelType; }

    // --- Values ---
    // Setting row 1..26 of style 0..10.
    QString StyleValue(int style, int row) const;
    void SetStyleValue(int style, int row, const QString& value);
    // Shortcut 1..20 (an empty one is "no shortcut").
    QString Shortcut(int number) const;
    void SetShortcut(int number, const QString& value);
    // Quick note 1..10.
    QString Note(int number) const;
    void SetNote(int number, const QString& text);
    bool StatusReport() const { return m_statusReport; }
    void SetStatusReport(bool on) { m_statusReport = on; }
    int LeftKey() const { return m_leftKey; }
    int RightKey() const { return m_rightKey; }
    int PowerUpApp() const { return m_powerUpApp; }
    void SetLeftKey(int value) { m_leftKey = value; }
    void SetRightKey(int value) { m_rightKey = value; }
    void SetPowerUpApp(int value) { m_powerUpApp = value; }
    // The main-menu slots in order (MenuSlotCount entries).
    const QList<int>& Menu() const { return m_menu; }
    void SetMenu(const QList<int>& menu);
    // Moves menu slot index one place up or down; false at the end it would pass.
    bool MoveMenuItem(int index, bool up);

    // The value of a grid row (1..62) as its cell holds it, style rows of style `style` (an empty
    // shortcut as "no shortcut").
    QString RowValue(int row, int style) const;
    void SetRowValue(int row, int style, const QString& value);

    // --- Fleet ---
    // Reads the unit's rows. The first table that cannot be read ends the load with its error and
    // leaves the image as it was (its defaults when it was new).
    CVelmoraError Load(const QSqlDatabase& db, const QString& imei);
    // The last load found every row a save writes (11 styles, 20 shortcuts, a menu, the notes).
    bool Complete() const { return m_complete; }
    // The image was saved: the unit now has every row.
    void MarkComplete() { m_complete = true; }
    // Replaces the unit's rows of the four tables: 11 style rows, 20 shortcut rows, one menu row and
    // one quick-notes row. Stops at the first database error; the caller's transaction takes back
    // what was written.
    CVelmoraError Save(const QSqlDatabase& db, const QString& imei) const;

    bool operator==(const CAlderErgoImage& other) const;
    bool operator!=(const CAlderErgoImage& other) const { return !(*this == other); }

private:
    CVelmoraError LoadStyles(const QSqlDatabase& db, const QString& imei);
    CVelmoraError LoadShortcuts(const QSqlDatabase& db, const QString& imei);
    CVelmoraError LoadMenu(const QSqlDatabase& db, const QString& imei);
    CVelmoraError LoadNotes(const QSqlDatabase& db, const QString& imei);
    CVelmoraError SaveStyles(const QSqlDatabase& db, const QString& imei) const;
    CVelmoraError SaveShortcuts(const QSqlDatabase& db, const QString& imei) const;
    CVelmoraError SaveMenu(const QSqlDatabase& db, const QString& imei) const;
    CVelmoraError SaveNotes(const QSqlDatabase& db, const QString& imei) const;

    int m_modelType = 0;
    QList<QStringList> m_styles; // [style][row - 1]
    QStringList m_shortcuts;     // [number - 1]
    QStringList m_notes;         // [number - 1]
    bool m_statusReport = false;
    int m_leftKey = 1;  // contacts
    int m_rightKey = 2; // messages
    int m_powerUpApp = NoApplication;
    QList<int> m_menu;
    bool m_complete = false;
    int m_rowsFound = 0; // while loading
};
