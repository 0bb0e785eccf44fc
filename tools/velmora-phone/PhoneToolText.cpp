#include "PhoneToolText.h"

#include "CVelmoraWrap.h"

QString PhoneToolText(int id, const QStringList& args)
{
    const QString text = CVelmoraWrap::LoadString(id);
    if (text.isEmpty()) {
        QString bare = QStringLiteral("[%1]").arg(id);
        for (const QString& arg : args)
            bare += QLatin1Char(' ') + arg;
        return bare;
    }
    return CVelmoraWrap::FillArgs(text, args);
}
