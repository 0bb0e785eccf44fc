#include "CInstalledData.h"

#include "CResourceStrings.h"
#include "CVelmoraWrap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString CInstalledData::Dir()
{
    const QString fromEnv = qEnvironmentVariable("VELMORA_SHARE_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString bin = QCoreApplication::applicationDirPath();
#ifdef VELMORA_DATA_FROM_BIN
    // Where the install put the data, relative to the program (the same as the build tree's unless the
    // packager moved the folders).
    const QString installed = QDir::cleanPath(bin + QStringLiteral("/" VELMORA_DATA_FROM_BIN));
    if (QFileInfo::exists(installed))
        return installed;
#endif
    return QDir::cleanPath(bin + QStringLiteral("/../share/velmora"));
}

QString CInstalledData::DefaultProgramFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Velmora");
}

QString CInstalledData::ProgramOrInstalledFile(const QString& programFolder, const QString& name)
{
    const QString own = QDir(programFolder).filePath(name);
    if (QFileInfo::exists(own))
        return own;
    const QString installed = QDir(Dir()).filePath(name);
    return QFileInfo::exists(installed) ? installed : own;
}

int CInstalledData::LanguageCodeOf(const QString& name)
{
    if (name == QLatin1String("English"))
        return English;
    if (name == QLatin1String("French"))
        return French;
    return Hebrew;
}

QString CInstalledData::LanguageFile(int languageCode)
{
    switch (languageCode) {
    case English:
        return QStringLiteral("VelmoraRes.lang");
    case French:
        return QStringLiteral("VelmoraFrRes.lang");
    default:
        return QStringLiteral("VelmoraHebRes.lang");
    }
}

bool CInstalledData::LoadLanguageTable(const QString& programFolder, const QString& languageName)
{
    const int wanted =
        languageName.trimmed().isEmpty() ? int(English) : LanguageCodeOf(languageName.trimmed());
    for (const int code : {wanted, int(English)}) {
        const QString file = LanguageFile(code);
        const QString path = programFolder.isEmpty() ? QDir(Dir()).filePath(file)
                                                     : ProgramOrInstalledFile(programFolder, file);
        auto strings = std::make_shared<CResourceStrings>();
        if (strings->Load(path)) {
            CVelmoraWrap::SetResourceStrings(strings);
            return true;
        }
    }
    return false;
}
