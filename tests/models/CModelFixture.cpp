#include "CModelFixture.h"

#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

QSqlDatabase CModelFixture::NewDatabase(const QStringList& statements)
{
    static int counter = 0;
    const QString name = QStringLiteral("models-test-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(CTestEnvironment::NewFolder(QStringLiteral("appdb")) +
                       QStringLiteral("/VelmoraDB.vdf"));
    if (!db.open())
        qFatal("cannot create a test database: %s", qPrintable(db.lastError().text()));
    QStringList all{QStringLiteral(
        "CREATE TABLE radio_model_types_table (\"Index\" INTEGER, ModelType INTEGER, ModelDescription TEXT, "
        "ModelNumber TEXT, CallListType INTEGER, CrossFleetCapable INTEGER, CrossFleetCPVersion INTEGER, "
        "IsPlusSeriesPhone INTEGER, display_model_name TEXT, codeplug_id INTEGER, codeplug_id_desc TEXT, "
        "supported_lang TEXT)")};
    all << statements;
    for (const QString& sql : all) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            qFatal("test database statement failed: %s: %s", qPrintable(sql),
                   qPrintable(query.lastError().text()));
    }
    return db;
}

QString CModelFixture::ModelRow(int modelType, const QString& name, int callListType, int codeplugId,
                                const QString& description)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    QString desc = description;
    desc.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral(
               "INSERT INTO radio_model_types_table VALUES (%1, %1, '%2', 'N-%1', %3, 0, 0, 0, '%4', %5, "
               "'', '0,1')")
        .arg(modelType)
        .arg(desc)
        .arg(callListType)
        .arg(quoted)
        .arg(codeplugId);
}

QStringList CModelFixture::RuleTable(const QString& table, int first, int last, const QString& models,
                                     int editRules)
{
    QStringList sql{QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY, Ergo_Field_id INTEGER, "
                                   "Ergo_Field_desc TEXT, Models TEXT, Edit_rules INTEGER)")
                        .arg(table)};
    for (int id = first; id <= last; ++id)
        sql << RuleRow(table, id, models, editRules);
    return sql;
}

QString CModelFixture::RuleRow(const QString& table, int id, const QString& models, int editRules)
{
    return QStringLiteral("INSERT INTO %1 (Ergo_Field_id, Ergo_Field_desc, Models, Edit_rules) "
                          "VALUES (%2, 'field %2', '%3', %4)")
        .arg(table)
        .arg(id)
        .arg(models)
        .arg(editRules);
}

QString CModelFixture::UseCarrierIni(const QString& text)
{
    const QString folder = CTestEnvironment::NewFolder(QStringLiteral("carrier"));
    QFile file(folder + QStringLiteral("/Carrier.ini"));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write a test Carrier.ini");
    file.close();
    CVelmoraWrap::SetAppPath(folder);
    return folder;
}

bool CModelFixture::UseCarrierIniFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    UseCarrierIni(QString::fromUtf8(file.readAll()));
    return true;
}

void CModelFixture::UseProgramFolder()
{
    CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder());
}
