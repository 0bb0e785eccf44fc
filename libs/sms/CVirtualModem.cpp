#include "CVirtualModem.h"

#include "Sms.h"

#include <QDateTime>
#include <QFile>

QString CVirtualModem::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

int CVirtualModem::Open(const Context& context, int* detail)
{
    m_context = context;
    QFile file(m_path);
    if (!file.open(QIODevice::Append)) {
        *detail = int(file.error());
        return SMS_ERR_OUTBOX;
    }
    return SMS_OK;
}

int CVirtualModem::SendPart(const QByteArray& number, const QByteArray& text, int* detail)
{
    const QString option = m_context.option
                               ? QStringLiteral("1:") + QString::fromLatin1(m_context.optionValue)
                               : QStringLiteral("0");
    const QString line = QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char('\t') +
                         QString::fromLatin1(number) + QLatin1Char('\t') +
                         QString::fromLatin1(m_context.serviceCentre) + QLatin1Char('\t') + Escape(option) +
                         QLatin1Char('\t') + Escape(QString::fromLatin1(text)) + QLatin1Char('\n');
    QFile file(m_path);
    const QByteArray bytes = line.toUtf8();
    if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size() || !file.flush()) {
        *detail = int(file.error());
        return SMS_ERR_OUTBOX;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *detail = int(file.error());
        return SMS_ERR_OUTBOX;
    }
    return SMS_OK;
}
