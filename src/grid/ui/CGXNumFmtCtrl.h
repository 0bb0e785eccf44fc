#pragma once

#include "CGridCellStyle.h"
#include "CMaskedEdit.h"

// The number-format cell editor (control id 1417): a masked numeric field whose mask and value
// range come from the cell's format type (1 "###", 2 and 3 "#####", 4 "###.###.###.###").
class CGXNumFmtCtrl : public CMaskedEdit
{
    Q_OBJECT

public:
    enum : int
    {
        ControlId = 1417
    };

    CGXNumFmtCtrl(const CGridCellStyle& style, QWidget* parent = nullptr);

    // The prompt of untyped positions: a blank in a read-only cell, "_" where the user types.
    static QChar PromptFor(bool readOnly) { return readOnly ? QLatin1Char(' ') : QLatin1Char('_'); }

    // The cell text to check and store: the digits typed (for an address, its four groups of
    // three, each padded with zeros; no address at all gives an empty text).
    QString CellText() const;
    void SetCellText(const QString& text);

private:
    bool m_address = false;
};
