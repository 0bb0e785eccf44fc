#pragma once

#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QString>

class CCopyWizardState;
class CModelRules;
class IPhoneMessages;
class IWaitIndicator;
struct CPhoneSettings;

// Writes the wizard's source unit into the phone now on the cable: reads the phone's codeplug,
// writes the chosen settings and lists of the source into it (a list left unchosen keeps the phone's
// own entries), programs it with a backup of its previous codeplug, runs the SIM stage of a SIM
// phone and restarts it when asked. Each write stands alone and leaves the source as it was.
class CCopyWriter
{
public:
    struct Outcome
    {
        CVelmoraError error; // what ended the write; empty when it got to the end
        bool written = false;
        QString imei;       // the phone written (its backup name)
        int modelType = 0;  // of the phone written
        int phoneClass = 1; // of the phone written
        QString backupFile;
        int successId = 0; // the notice of a write that got to the end
    };

    CCopyWriter(const CPhoneSettings& settings, const CModelRules& rules, IPhoneMessages& messages)
        : m_settings(settings), m_rules(rules), m_messages(messages)
    {
    }

    Outcome Write(CCopyWizardState& state, const CWriteFlags& flags, bool restart, IWaitIndicator& wait);

private:
    // A library result that may end the write: empty to go on (a remark is reported on the way).
    CVelmoraError Check(int code);
    CVelmoraError Program(CCopyWizardState& state, Outcome& outcome, bool restart, IWaitIndicator& wait);

    const CPhoneSettings& m_settings;
    const CModelRules& m_rules;
    IPhoneMessages& m_messages;
};
