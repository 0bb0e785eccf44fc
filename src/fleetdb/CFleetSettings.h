#pragma once

#include <QString>

// The program settings that fleet files need: where the program folder and the fleet template are,
// the document name of new fleets and the carrier id (release-id fixes of the upgrade).
struct CFleetSettings
{
    QString programFolder;
    QString templatePath;                             // programFolder + "/VelmoraVLF.vdf"
    QString documentName = QStringLiteral("Velmora"); // new fleets are "<folder>/<name><n>"
    int carrierId = 1;

    static CFleetSettings ForProgramFolder(const QString& folder, int carrierId = 1);
};
