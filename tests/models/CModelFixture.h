#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Small application databases and carrier settings files that the model tests build for themselves.
class CModelFixture
{
public:
    // A new SQLite database in the test's folder with the model table (and nothing else), filled
    // by the given statements. The connection stays open for the rest of the test run.
    static QSqlDatabase NewDatabase(const QStringList& statements);
    // SQL of one catalogue row.
    static QString ModelRow(int modelType, const QString& name, int callListType, int codeplugId,
                            const QString& description = QString());
    // SQL creating a rule table with rows (id, models, edit rule) for ids first..last.
    static QStringList RuleTable(const QString& table, int first, int last,
                                 const QString& models = QStringLiteral("All"), int editRules = 0);
    static QString RuleRow(const QString& table, int id, const QString& models, int editRules);
    // Writes text as Carrier.ini of a new program folder and points the shared services at it.
    static QString UseCarrierIni(const QString& text);
    // Points the shared services at a copy of a fixture file as Carrier.ini.
    static bool UseCarrierIniFile(const QString& path);
    // Points the shared services back at the test's program folder.
    static void UseProgramFolder();
};
