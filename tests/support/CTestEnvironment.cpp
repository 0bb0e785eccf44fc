#include "CTestEnvironment.h"

#include "CResourceStrings.h"
#include "CScriptedAnswerer.h"
#include "CVelmoraWrap.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

QTemporaryDir& RootDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/velmora-test-XXXXXX"));
    return dir;
}

QString g_programFolder;

} // namespace

void CTestEnvironment::PrepareProcess()
{
    const QString root = RootDir().path();
    QDir(root).mkpath(QStringLiteral("config"));
    QDir(root).mkpath(QStringLiteral("data"));
    QDir(root).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + QStringLiteral("/runtime")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELMORA_SHARE_DIR"))
        qputenv("VELMORA_SHARE_DIR", VELMORA_DEFAULT_SHARE_DIR);
    if (qEnvironmentVariableIsEmpty("VELMORA_SOURCE_DIR"))
        qputenv("VELMORA_SOURCE_DIR", VELMORA_DEFAULT_SOURCE_DIR);
    if (qEnvironmentVariableIsEmpty("VELMORA_BIN_DIR"))
        qputenv("VELMORA_BIN_DIR", VELMORA_DEFAULT_BIN_DIR);
}

void CTestEnvironment::PrepareApplication()
{
    g_programFolder = NewFolder(QStringLiteral("program"));
    FillProgramFolder(g_programFolder);
    CVelmoraWrap::SetAppPath(g_programFolder);
    auto strings = std::make_shared<CResourceStrings>();
    strings->Load(g_programFolder + QStringLiteral("/VelmoraRes.lang"));
    CVelmoraWrap::SetResourceStrings(strings);
    CVelmoraWrap::SetAnswerer(&CScriptedAnswerer::Instance());
}

QString CTestEnvironment::Root()
{
    return RootDir().path();
}

QString CTestEnvironment::ProgramFolder()
{
    return g_programFolder;
}

QString CTestEnvironment::ShareDir()
{
    return qEnvironmentVariable("VELMORA_SHARE_DIR");
}

QString CTestEnvironment::SourceDir()
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR");
}

QString CTestEnvironment::NewFolder(const QString& name)
{
    static int counter = 0;
    const QString path = QStringLiteral("%1/%2-%3").arg(Root(), name).arg(++counter);
    QDir().mkpath(path);
    return path;
}

bool CTestEnvironment::FillProgramFolder(const QString& folder)
{
    const QDir share(ShareDir());
    if (ShareDir().isEmpty() || !share.exists())
        return false;
    QDirIterator it(share.path(), QDir::Files, QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = folder + QLatin1Char('/') + share.relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        ok = QFile::copy(source, target) && ok;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return ok;
}

void CTestEnvironment::ClearSettings()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                       QStringLiteral("Velmora"));
    settings.clear();
    settings.sync();
}
