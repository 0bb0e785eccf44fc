#include "CPrivateIdForm.h"

#include "CCrossFleet.h"
#include "CUnitSheetUnit.h"

#include <QStringList>

CPrivateIdForm::CPrivateIdForm(bool crossFleet, int ownUrban, int ownFleet)
    : m_crossFleet(crossFleet), m_ownUrban(crossFleet ? ownUrban : 0), m_ownFleet(crossFleet ? ownFleet : 0)
{
}

QString CPrivateIdForm::Display(const Id& id) const
{
    if (!m_crossFleet)
        return QString::number(id.member);
    // A foreign urban is shown with its fleet, whatever that is: "30*5" would read back as fleet 30
    // of the own urban.
    if (id.urban != 0 && id.urban != m_ownUrban)
        return QStringLiteral("%1*%2*%3").arg(id.urban).arg(id.fleet).arg(id.member);
    if (id.fleet != 0 && id.fleet != m_ownFleet)
        return QStringLiteral("%1*%2").arg(id.fleet).arg(id.member);
    return QString::number(id.member);
}

QString CPrivateIdForm::ShortForm(const Id& id) const
{
    if (id.urban != m_ownUrban)
        return QStringLiteral("%1*%2*%3").arg(id.urban).arg(id.fleet).arg(id.member);
    if (id.fleet != m_ownFleet)
        return QStringLiteral("%1*%2").arg(id.fleet).arg(id.member);
    return QString::number(id.member);
}

CPrivateIdForm::Reading CPrivateIdForm::Read(const QString& typed) const
{
    Reading reading;
    const QString text = typed.trimmed();
    if (!m_crossFleet) {
        int member = 0;
        if (!CUnitSheetUnit::ParseNumber(text, MinId, MaxId, member)) {
            reading.error = CUnitSheetUnit::RangeError(MinId, MaxId);
            return reading;
        }
        reading.id.member = member;
        reading.shortForm = QString::number(member);
        return reading;
    }
    // The full id: the parts not typed are the own ones.
    const QStringList parts = text.split(QLatin1Char('*'));
    QString full;
    switch (parts.size()) {
    case 1:
        full = QStringLiteral("%1*%2*%3").arg(m_ownUrban).arg(m_ownFleet).arg(parts[0]);
        break;
    case 2:
        full = QStringLiteral("%1*%2*%3").arg(m_ownUrban).arg(parts[0], parts[1]);
        break;
    case 3:
        full = text;
        break;
    default:
        break;
    }
    const CCrossFleet check(m_ownUrban, m_ownFleet, 0, 1);
    if (full.isEmpty() || check.ValidateTrinumID(full, CCrossFleet::FullFormOnly) != CCrossFleet::Valid) {
        reading.error = CVelmoraError::Message(MsgInvalidTrinum);
        return reading;
    }
    const QStringList fullParts = full.split(QLatin1Char('*'));
    reading.id = {fullParts[0].toInt(), fullParts[1].toInt(), fullParts[2].toInt()};
    reading.shortForm = ShortForm(reading.id);
    return reading;
}
