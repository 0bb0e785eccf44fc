#pragma once

#include "CFleetContext.h"
#include "CFleetFixtures.h"
#include "CModelRules.h"
#include "CUnitsSettings.h"
#include "CVelmoraDoc.h"
#include "INewUnitPrompt.h"

#include <QStringList>
#include <memory>

// The model rules of the shipped application database and carrier settings, and fleets opened as
// documents, for the units tests.
class CUnitsFixture
{
public:
    // The catalogue over the program folder's application database, model list built, model lists read.
    static const CModelRules& Rules();
    static CUnitsSettings Settings();

    // A fleet file in a new folder holding the units, opened as a document (nullptr on failure).
    std::unique_ptr<CVelmoraDoc> OpenFleet(const QString& name, const QList<CUnitSpec>& units);

    // The 33 cell texts of a new row holding the given cells (grid column -> text).
    static QStringList Row(const QList<QPair<int, QString>>& cells);
    // A row that passes every check: user, 15-digit IMEI, model 105.
    static QStringList GoodRow(const QString& imei = QStringLiteral("351234567890123"));

    // Number of rows of a table for an IMEI.
    static int Count(const CVelmoraDoc& doc, const QString& table, const QString& imei = QString());
    // One field of a unit (by IMEI).
    static QVariant Field(const CVelmoraDoc& doc, const QString& imei, const QString& field,
                          const QString& table = QStringLiteral("unit_details"));

private:
    std::unique_ptr<CFleetContext> m_context;
};

// Answers the new-unit prompt from a script and counts the questions.
class CScriptedNewUnitPrompt : public INewUnitPrompt
{
public:
    Answer answer;
    int asked = 0;
    bool lastPhoneChoiceAvailable = false;
    Answer AskNewUnit(bool phoneChoiceAvailable) override
    {
        ++asked;
        lastPhoneChoiceAvailable = phoneChoiceAvailable;
        return answer;
    }
};
