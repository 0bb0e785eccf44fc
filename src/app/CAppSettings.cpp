#include "CAppSettings.h"

#include "CVelmoraWrap.h"

#include <QDir>

namespace {

bool ReadText(const char* name, QString& value)
{
    QString text;
    if (!CVelmoraWrap::GetRegistryValue(QString::fromLatin1(name), text))
        return false;
    value = text;
    return true;
}

void ReadNumber(const char* name, int& value)
{
    QString text;
    bool ok = false;
    const int number = ReadText(name, text) ? text.trimmed().toInt(&ok) : 0;
    if (ok)
        value = number;
}

} // namespace

CFleetSettings CAppSettings::Fleet() const
{
    CFleetSettings fleet = CFleetSettings::ForProgramFolder(programFolder, carrierId);
    if (!templatePath.isEmpty())
        fleet.templatePath = templatePath;
    return fleet;
}

void CAppSettings::ReloadOptions()
{
    ReadNumber("COM Port", comPort);
    ReadNumber("USB Port", usbPort);
    if (usbPort == -1)
        usbPort = 0;
    ReadNumber("Quick Comm", quickComm);
    if (ReadText("Codeplug Backup Path", backupFolder) && !backupFolder.endsWith(QLatin1Char('/')))
        backupFolder += QLatin1Char('/');
    QString bench;
    if (ReadText("Phone Bench Folder", bench))
        benchFolder =
            bench.trimmed().isEmpty() ? QDir(programFolder).filePath(QStringLiteral("phones")) : bench;
    ReadNumber("Strip Extra Space", stripExtraSpace);
    ReadNumber("Auto Split", autoSplit);
    ReadNumber("Add Index", addIndex);
    ReadNumber("Break Between Words", breakBetweenWords);
}
