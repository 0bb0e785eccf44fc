#include "SceneProgram.h"

#include "CModelRules.h"
#include "CVelmoraWrap.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>

void FillSceneProgramFolder(const QString& program, std::initializer_list<const char*> names)
{
    const QString share = QStringLiteral(VELMORA_SHARE_DIR);
    QDir().mkpath(program);
    for (const char* name : names) {
        const QString target = program + QLatin1Char('/') + QLatin1String(name);
        QFile::copy(share + QLatin1Char('/') + QLatin1String(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    CVelmoraWrap::SetAppPath(program);
}

std::unique_ptr<CModelRules> OpenSceneModels(const QString& program, const QString& connection)
{
    QSqlDatabase app = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    app.setDatabaseName(program + QStringLiteral("/VelmoraDB.vdf"));
    if (!app.open())
        return nullptr;
    auto rules = std::make_unique<CModelRules>(app);
    QString modelList;
    if (rules->BuildModelList(modelList) || rules->LoadInternationalLists())
        return nullptr;
    return rules;
}
