#pragma once

#include "CGridCellStyle.h"

#include <QAbstractTableModel>
#include <QDataStream>
#include <QFont>
#include <QIODevice>
#include <QMimeData>

// A table of grid cells drawn under CGridCellStyle. The roles a style decides (check state of
// check-box cells, background, text colour, alignment, font) are answered here, so that every grid
// draws a style alike; a model answers the roles of its values (display and edit text) itself.
//
// Two coordinate systems: the Qt model API uses 0-based rows and columns; the grid API uses grid
// coordinates, rows and columns from 1 as the list tables number them (row 0 and column 0 are the
// headers). The helpers below are the one place that converts between them.
class CStyledGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // --- Grid coordinates ---
    // The grid row and column of a model index; 0 (the header) for an invalid index.
    static int GridRow(const QModelIndex& index) { return index.row() + 1; }
    static int GridCol(const QModelIndex& index) { return index.column() + 1; }
    static int GridRowOf(int modelRow) { return modelRow + 1; }
    static int GridColOf(int modelCol) { return modelCol + 1; }
    static int ModelRow(int gridRow) { return gridRow - 1; }
    static int ModelCol(int gridCol) { return gridCol - 1; }
    // The model index of a grid cell; invalid for the headers and outside the table.
    QModelIndex IndexOf(int gridRow, int gridCol) const { return index(gridRow - 1, gridCol - 1); }

    virtual int RowCount() const = 0;
    virtual int ColCount() const = 0;
    virtual QString Value(int row, int col) const = 0;
    virtual CGridCellStyle StyleAt(int row, int col) const = 0;
    CGridCellStyle StyleOf(const QModelIndex& index) const { return StyleAt(GridRow(index), GridCol(index)); }

    // --- Qt model ---
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    // The fonts of the style's first and second font; none: the view's own font.
    struct CellFonts
    {
        bool has = false;
        QFont font;
        QFont font2;
    };

    // What the model says of a cell itself: its display and edit text, and any role it draws
    // otherwise than its style says. Roles left invalid are answered from the style.
    virtual QVariant CellData(int row, int col, int role) const = 0;
    virtual CellFonts Fonts() const = 0;
    // Whether a check-box cell is checked: it holds "1".
    virtual bool IsChecked(int row, int col) const;

    // The flags a style gives a cell on top of `flags`: none more for read-only and static cells,
    // user-checkable for check boxes, editable for the rest.
    static Qt::ItemFlags StyleFlags(const CGridCellStyle& style, Qt::ItemFlags flags);

    // Dragged rows travel as the id of where they come from and the rows (numbers or keys) under
    // a mime type of the grid's own.
    template <class Rows>
    static QMimeData* EncodeDraggedRows(const QString& mimeType, quint64 sourceId, const Rows& rows)
    {
        QByteArray payload;
        QDataStream out(&payload, QIODevice::WriteOnly);
        out << sourceId << rows;
        auto* data = new QMimeData;
        data->setData(mimeType, payload);
        return data;
    }
    template <class Rows>
    static bool DecodeDraggedRows(const QMimeData* data, const QString& mimeType, quint64& sourceId,
                                  Rows& rows)
    {
        if (!data || !data->hasFormat(mimeType))
            return false;
        QDataStream in(data->data(mimeType));
        in >> sourceId >> rows;
        return in.status() == QDataStream::Ok;
    }

private:
    QVariant StyleData(int row, int col, int role) const;
};
