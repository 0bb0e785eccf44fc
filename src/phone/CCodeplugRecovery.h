#pragma once

#include "CPhoneSettings.h"
#include "CVelmoraError.h"

#include <QString>

class IPhoneMessages;
class IWaitIndicator;

// Puts a codeplug backup (".dbf") back into the phone on the cable: finds the phone's backup name,
// loads the chosen file as the working copy, programs it in restore mode and restarts the phone.
class CCodeplugRecovery
{
public:
    enum class Result
    {
        Stay,  // the dialog stays open (missing file, refused file or programming)
        Close, // done
    };

    explicit CCodeplugRecovery(const CPhoneSettings& settings) : m_settings(settings) {}

    // Question 1896, the recovery link and the phone's backup name. The command ends here when the
    // answer Stops() (a no is a stop without a word); otherwise path is the phone's backup file in the
    // backup folder, and the answer may be a remark of the library to show first.
    CVelmoraError Start(IWaitIndicator& wait, QString& path) const;
    // The restore button: 1508 for a missing file; the library's errors; after an accepted programming
    // always the restart and notice 1505. Remarks come between the steps, so every message goes to
    // messages as it arises.
    Result Restore(const QString& path, IWaitIndicator& wait, IPhoneMessages& messages) const;

private:
    CPhoneSettings m_settings;
};
