#include "CCopyLog.h"

#include "CopyWizardIds.h"

#include <QSaveFile>

QString CCopyLog::Format(const Line& line, const QString& separator)
{
    return QStringList{line.time.toString(Qt::ISODate), line.imei, line.model, line.result, line.backupFile}
        .join(separator);
}

QString CCopyLog::CsvField(const QString& text)
{
    QString field = text;
    // A field a spreadsheet would take for a formula is kept as text.
    if (!field.isEmpty() && QStringLiteral("=+-@").contains(field.at(0)))
        field.prepend(QLatin1Char('\''));
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString CCopyLog::ToCsv(const QStringList& header) const
{
    QStringList rows;
    QStringList head;
    for (const QString& title : header)
        head << CsvField(title);
    rows << head.join(QLatin1Char(','));
    for (const Line& line : m_lines) {
        rows << QStringList{CsvField(line.time.toString(Qt::ISODate)), CsvField(line.imei),
                            CsvField(line.model), CsvField(line.result), CsvField(line.backupFile)}
                    .join(QLatin1Char(','));
    }
    return rows.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

CVelmoraError CCopyLog::Save(const QString& path, const QStringList& header) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return CVelmoraError::Message(CopyWizText::LogSaveFailed, {path, file.errorString()});
    const QByteArray bytes = ToCsv(header).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return CVelmoraError::Message(CopyWizText::LogSaveFailed, {path, file.errorString()});
    return CVelmoraError();
}
