#include "CFramePlacement.h"

#include "CVelmoraWrap.h"

#include <QWidget>

namespace {

const QString kGroup = QStringLiteral("Frame");

int ReadValue(const char* name)
{
    QString text;
    if (!CVelmoraWrap::GetGroupValue(kGroup, QString::fromLatin1(name), text))
        return -1;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : -1;
}

} // namespace

CFramePlacement::Values CFramePlacement::Read()
{
    Values values;
    values.status = ReadValue("Status");
    values.top = ReadValue("Top");
    values.left = ReadValue("Left");
    values.bottom = ReadValue("Bottom");
    values.right = ReadValue("Right");
    return values;
}

void CFramePlacement::Write(const Values& values)
{
    CVelmoraWrap::SetGroupValue(kGroup, QStringLiteral("Status"), QString::number(values.status));
    CVelmoraWrap::SetGroupValue(kGroup, QStringLiteral("Top"), QString::number(values.top));
    CVelmoraWrap::SetGroupValue(kGroup, QStringLiteral("Left"), QString::number(values.left));
    CVelmoraWrap::SetGroupValue(kGroup, QStringLiteral("Bottom"), QString::number(values.bottom));
    CVelmoraWrap::SetGroupValue(kGroup, QStringLiteral("Right"), QString::number(values.right));
}

CFramePlacement::Values CFramePlacement::Capture(const QWidget& window, const QRect& workArea)
{
    Values values;
    if (window.isMaximized())
        values.status = ShowMaximized;
    else if (window.isMinimized())
        values.status = ShowMinimized;
    else
        values.status = ShowNormal;
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    values.left = normal.left() - workArea.left();
    values.top = normal.top() - workArea.top();
    values.right = values.left + normal.width();
    values.bottom = values.top + normal.height();
    return values;
}

bool CFramePlacement::Restore(const Values& values, const QRect& workArea, const QRect& screen,
                              QRect& geometry, bool& maximized)
{
    if (!values.Complete())
        return false;
    if (values.right - values.left <= 0 || values.bottom - values.top <= 0)
        return false;
    // A placement kept from a larger screen is cut to this one, so every edge can be reached.
    const int width = qMin(values.right - values.left, screen.width());
    const int height = qMin(values.bottom - values.top, screen.height());
    // At most the screen size less an icon, so the window can always be reached; never left of or
    // above the screen either.
    const int x =
        qBound(screen.left(), values.left + workArea.left(), screen.left() + screen.width() - kIconSize);
    const int y =
        qBound(screen.top(), values.top + workArea.top(), screen.top() + screen.height() - kIconSize);
    geometry = QRect(x, y, width, height);
    maximized = values.status == ShowMaximized;
    return true;
}
