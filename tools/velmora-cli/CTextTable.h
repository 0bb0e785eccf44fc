#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows of text under a header, printed as aligned columns for people or as CSV (RFC 4180) for
// programs.
class CTextTable
{
public:
    explicit CTextTable(const QStringList& headers) : m_headers(headers) {}

    void AddRow(const QStringList& cells);
    int RowCount() const { return int(m_rows.size()); }
    const QStringList& Headers() const { return m_headers; }
    const QList<QStringList>& Rows() const { return m_rows; }

    // Columns padded to their widest cell, two blanks apart, each line after indent; line breaks and
    // tabs inside a cell are shown as \n, \r and \t so every row stays one line. Without the header
    // line for lists of names and values.
    QString Plain(const QString& indent = QString(), bool withHeader = true) const;
    // Header line, then one record per row, CRLF after each; fields quoted when they hold a comma, a
    // quote or a line break.
    QString Csv() const;

    static QString PlainCell(const QString& text);
    static QString CsvField(const QString& text);

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};
