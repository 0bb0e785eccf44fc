#pragma once

#include <QColor>
#include <QString>
#include <optional>

// How one column (or one cell) of a list grid looks and what it accepts: its cell control, the
// range edit attributes, colours, caption and width.
struct CGridCellStyle
{
    enum Control
    {
        StaticText,  // text that is shown only
        RangeEdit,   // edit with valid characters, lengths, value range and dial-string rule
        NumFmt,      // masked number cell
        IpEdit,      // dotted IP address cell
        TabbedCombo, // choice list of "text<TAB>value" lines; the cell holds the value
        CheckBox,    // "1" checked, "0" or empty unchecked
    };
    // Where a combo box takes its choice list from.
    enum ChoiceSource
    {
        OwnChoices,          // choiceList below
        CallListTypeChoices, // the number types of the application
        ModelChoices,        // the model list of the application
    };

    Control control = RangeEdit;
    bool readOnly = false;
    bool hidden = false;

    // Range edit attributes; unset ones do not check.
    int maxLength = 0;                  // 0: no limit
    int minLength = 0;                  // 0: no minimum (1411)
    QString validChars;                 // range list in character mode (1410); number mode for NumFmt
    std::optional<qint64> minValue;     // 1667
    std::optional<qint64> maxValue;     // 1651; the value range is checked only when this is set
    bool dialString = false;            // 1869
    int phoneCodePage = 0;              // a text for the phone: the code page it must fit (0: none)
    std::optional<int> attr1415;        // carried for the name columns
    std::optional<int> formatType;      // 1420: the number-format type (1..4) of a NumFmt cell
    bool ipAttr = false;                // 1608: a NumFmt cell that holds a dotted address
    quint32 scale = 1;                  // NumFmt: shown value = stored value * scale
    std::optional<qint32> defaultValue; // NumFmt: shown for an empty stored value

    ChoiceSource choiceSource = OwnChoices;
    QString choiceList;   // "text\tvalue\n" lines
    QString initialValue; // what a new row holds in this column

    QColor interior;  // invalid: the view's base colour
    QColor textColor; // invalid: the view's text colour
    bool rtlReading = false;
    bool centred = false;
    bool secondFont = false;
    bool numericSort = false;

    int captionId = 0;  // language text id
    double widthMm = 0; // 0: a width worked out from the caption
};
