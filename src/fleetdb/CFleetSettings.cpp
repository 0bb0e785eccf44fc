#include "CFleetSettings.h"

CFleetSettings CFleetSettings::ForProgramFolder(const QString& folder, int carrierId)
{
    CFleetSettings settings;
    settings.programFolder = folder;
    settings.templatePath = folder + QStringLiteral("/VelmoraVLF.vdf");
    settings.carrierId = carrierId;
    return settings;
}
