#include "CGridCheckResult.h"

#include "CVelmoraWrap.h"

QString CGridCheckResult::Text() const
{
    if (messageId == 0)
        return QString();
    QString text = CVelmoraWrap::LoadString(messageId);
    for (const QString& value : args)
        text = text.arg(value);
    return text;
}

CVelmoraError CGridCheckResult::Error() const
{
    if (ok || messageId == 0)
        return CVelmoraError();
    return args.isEmpty() ? CVelmoraError::Message(messageId) : CVelmoraError::Text(Text());
}
