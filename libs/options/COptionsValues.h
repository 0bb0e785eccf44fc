#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The settings the options dialog edits, by their names in the settings store. Only what changed is
// written back, so values the user did not touch keep their stored form.
class COptionsValues
{
public:
    static const QStringList& Names();

    // Reads every value; a missing one is empty.
    void Load();
    // Writes the values that differ from before; false when a write failed.
    bool SaveChanges(const COptionsValues& before) const;

    QString Value(const QString& name) const { return m_values.value(name); }
    void SetValue(const QString& name, const QString& value) { m_values[name] = value; }
    int Number(const QString& name, int fallback = 0) const;
    bool Flag(const QString& name) const { return Number(name) != 0; }
    void SetNumber(const QString& name, int value) { SetValue(name, QString::number(value)); }
    void SetFlag(const QString& name, bool on)
    {
        SetValue(name, on ? QStringLiteral("1") : QStringLiteral("0"));
    }

private:
    QMap<QString, QString> m_values;
};
