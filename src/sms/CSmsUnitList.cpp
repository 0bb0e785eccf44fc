#include "CSmsUnitList.h"

#include "CFleetConnection.h"

#include <QCollator>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

QList<CSmsUnitList::Unit> CSmsUnitList::Read(const QSqlDatabase& db, CVelmoraError& error)
{
    QList<Unit> units;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT unit_user_name, unit_phone_num_nam1 FROM unit_details"))) {
        error = CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
        return units;
    }
    while (query.next())
        units << Unit{query.value(0).toString(), query.value(1).toString().trimmed(), false};
    QCollator collator;
    std::stable_sort(units.begin(), units.end(),
                     [&](const Unit& a, const Unit& b) { return collator.compare(a.name, b.name) < 0; });
    return units;
}

QString CSmsUnitList::Recipients(const QList<Unit>& units)
{
    QString text;
    for (const Unit& unit : units) {
        if (unit.checked && !unit.number.isEmpty())
            text += unit.number + QLatin1Char(';');
    }
    return text;
}

int CSmsUnitList::CheckedNumbers(const QList<Unit>& units)
{
    return int(std::count_if(units.begin(), units.end(),
                             [](const Unit& u) { return u.checked && !u.number.isEmpty(); }));
}

void CSmsUnitList::SelectAll(QList<Unit>& units, int freeSlots)
{
    int left = freeSlots;
    for (Unit& unit : units) {
        if (unit.number.isEmpty()) {
            unit.checked = true;
            continue;
        }
        unit.checked = left > 0;
        if (unit.checked)
            --left;
    }
}
