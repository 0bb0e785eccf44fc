#pragma once

#include "CPhonePreset.h"

#include <QList>
#include <QString>

// The models of the shipped catalogue, as presets need them: the rows of radio_model_types_table
// in the application database and the families and sub-models of the carrier settings.
class CModelCatalogue
{
public:
    bool Load(const QString& appDatabase, const QString& carrierIni, QString* why);

    const QList<CPhoneModelFacts>& Models() const { return m_models; }
    const CPhoneModelFacts* Find(int modelType) const;

    // Whether "#n#" occurs in a model list text of the carrier settings.
    static bool InList(const QString& list, int modelType);
    // "-1#70#110" (sub-release, release, model type); false for any other text.
    static bool ParseSubModel(const QString& text, int& subRelease, int& release, int& modelType);

private:
    QList<CPhoneModelFacts> m_models;
};
