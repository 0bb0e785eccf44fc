#include "CIPEditCtrl.h"

#include "CGridCellCheck.h"

CIPEditCtrl::CIPEditCtrl(QWidget* parent) : CMaskedEdit(parent)
{
    setProperty("controlId", int(ControlId));
    SetPrompt(QLatin1Char('_'));
    SetMasks(CTarnMasks(CGridCellCheck::NumFmtMask(4)));
}

void CIPEditCtrl::SetCellText(const QString& text)
{
    if (!text.contains(QLatin1Char('.'))) {
        SetValue(text);
        return;
    }
    QString groups;
    for (const QString& part : text.split(QLatin1Char('.')))
        groups += part.trimmed().rightJustified(3, QLatin1Char(' '), true);
    SetValue(groups);
}

QString CIPEditCtrl::NormalisedGroups(const QString& groups)
{
    if (groups.trimmed().isEmpty())
        return QString();
    QString out;
    for (int i = 0; i < 12; i += 3) {
        const QString g = groups.mid(i, 3).trimmed();
        bool ok = false;
        const int value = g.toInt(&ok);
        out += (g.isEmpty() ? QStringLiteral("000")
                : ok        ? QString::number(value).rightJustified(3, QLatin1Char('0'))
                            : groups.mid(i, 3));
    }
    return out;
}
