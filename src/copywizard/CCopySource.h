#pragma once

#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class CCopyWizardState;
class CModelRules;
class IPhoneMessages;
class ISimPinPrompt;
class IWaitIndicator;
struct CPhoneSettings;

// Where a copy's source unit comes from: the phone on the cable, read into a scratch fleet, or a
// unit of a fleet file. Each step answers the error that ended it (a stop the user chose is a
// cancelled error, shown as nothing); the wizard state changes only when the step succeeds.
class CCopySource
{
public:
    // One unit of a fleet file as the choose-a-unit list shows it.
    struct Choice
    {
        QString modelText; // the model type in decimal
        QString userName;
        QString imei;
    };

    CCopySource(const CPhoneSettings& settings, const CModelRules& rules, IPhoneMessages& messages)
        : m_settings(settings), m_rules(rules), m_messages(messages)
    {
    }

    // Reads the phone on the cable into the state's new source; the wait is held while it reads.
    // A phone without SIM is restarted afterwards (a failed restart is reported, the read stands).
    CVelmoraError ReadFromPhone(CCopyWizardState& state, ISimPinPrompt* prompt, IWaitIndicator& wait);
    // Opens the fleet file as the state's new source: 1489 for an empty path, 1603 when the file is
    // no fleet.
    CVelmoraError OpenFile(CCopyWizardState& state, const QString& path);
    // The units of the source's database sorted on the user name; 1495 when there are none.
    static CVelmoraError ListUnits(const QSqlDatabase& db, QList<Choice>& choices);
    // Takes the chosen unit as the source: its IMEI, model, class, SIM kind and release flag.
    CVelmoraError Choose(CCopyWizardState& state, const QString& imei, const QString& modelText);

    // The model type of a choice's model text: the number itself, or, in the form with "-" and "#"
    // separators, the number after the second "#".
    static int ModelTypeFromText(const QString& text);

private:
    const CPhoneSettings& m_settings;
    const CModelRules& m_rules;
    IPhoneMessages& m_messages;
};
