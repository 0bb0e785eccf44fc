#include "CTextTable.h"

#include <algorithm>

void CTextTable::AddRow(const QStringList& cells)
{
    QStringList row = cells;
    while (row.size() < m_headers.size())
        row << QString();
    m_rows << row;
}

QString CTextTable::PlainCell(const QString& text)
{
    QString cell;
    cell.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            cell += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            cell += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            cell += QLatin1String("\\t");
        else
            cell += c;
    }
    return cell;
}

QString CTextTable::CsvField(const QString& text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote)
        return text;
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString CTextTable::Plain(const QString& indent, bool withHeader) const
{
    const int columns = int(m_headers.size());
    QList<QStringList> lines;
    if (withHeader)
        lines << m_headers;
    for (const QStringList& row : m_rows) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << PlainCell(row.value(c));
        lines << cells;
    }
    QList<int> widths(columns, 0);
    for (const QStringList& line : lines) {
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], int(line.at(c).size()));
    }
    QString text;
    for (const QStringList& line : lines) {
        QString out = indent;
        for (int c = 0; c < columns; ++c) {
            if (c + 1 < columns)
                out += line.at(c).leftJustified(widths[c]) + QLatin1String("  ");
            else
                out += line.at(c);
        }
        // No blanks at the end of a line when the last cells are empty.
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text += out + QLatin1Char('\n');
    }
    return text;
}

QString CTextTable::Csv() const
{
    const auto record = [](const QStringList& cells) -> QString {
        QStringList fields;
        for (const QString& cell : cells)
            fields << CsvField(cell);
        return fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    };
    QString text = record(m_headers);
    for (const QStringList& row : m_rows)
        text += record(row.mid(0, m_headers.size()));
    return text;
}
