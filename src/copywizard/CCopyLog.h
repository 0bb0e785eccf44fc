#pragma once

#include "CVelmoraError.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The record of a wizard's writes, one line per phone: when, which phone, its model, how the write
// ended and where the phone's previous codeplug was kept. Saved as CSV for the production record.
class CCopyLog
{
public:
    struct Line
    {
        QDateTime time;
        QString imei;
        QString model;
        QString result; // the text shown (written, failed: why, cancelled)
        bool written = false;
        QString backupFile;
    };

    void Add(const Line& line) { m_lines << line; }
    int Count() const { return int(m_lines.size()); }
    const Line& At(int index) const { return m_lines.at(index); }
    const QList<Line>& Lines() const { return m_lines; }

    // One line as text, fields separated by separator (the CSV form quotes them).
    static QString Format(const Line& line, const QString& separator = QStringLiteral("  "));
    // The CSV text: a header of the given column titles and one row per line.
    QString ToCsv(const QStringList& header) const;
    // Writes the CSV text to path (replaced as a whole); the error when it could not.
    CVelmoraError Save(const QString& path, const QStringList& header) const;

    static QString CsvField(const QString& text);

private:
    QList<Line> m_lines;
};
