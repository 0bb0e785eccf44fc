#include "COptionsValues.h"

#include "CVelmoraWrap.h"

const QStringList& COptionsValues::Names()
{
    static const QStringList names = {
        QStringLiteral("COM Port"),
        QStringLiteral("USB Port"),
        QStringLiteral("Quick Comm"),
        QStringLiteral("Phone Bench Folder"),
        QStringLiteral("Codeplug Backup Path"),
        QStringLiteral("Strip Extra Space"),
        QStringLiteral("Auto Split"),
        QStringLiteral("Add Index"),
        QStringLiteral("Break Between Words"),
    };
    return names;
}

void COptionsValues::Load()
{
    m_values.clear();
    for (const QString& name : Names()) {
        QString value;
        CVelmoraWrap::GetRegistryValue(name, value);
        m_values.insert(name, value);
    }
}

bool COptionsValues::SaveChanges(const COptionsValues& before) const
{
    bool ok = true;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (before.m_values.value(it.key()) != it.value())
            ok = CVelmoraWrap::SetRegistryValue(it.key(), it.value()) && ok;
    }
    return ok;
}

int COptionsValues::Number(const QString& name, int fallback) const
{
    bool ok = false;
    const int value = Value(name).trimmed().toInt(&ok);
    return ok ? value : fallback;
}
