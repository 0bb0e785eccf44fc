#pragma once

#include "CTGDlg.h"

class IFrameRegistry;

// The talkgroup manager in the main frame: the talkgroup tab of every fleet window, whose view answers
// the talkgroup, refresh and delete-talkgroup commands.
class CTalkgroupFeature
{
public:
    static void Register(IFrameRegistry& frame);
    // The manager's settings in the running program.
    static CTGDlgSettings SettingsFromApp();
};
