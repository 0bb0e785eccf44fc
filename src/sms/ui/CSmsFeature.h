#pragma once

#include "CSmsContext.h"

class IFrameRegistry;

// SMS messaging in the main frame: the command that opens the SMS window (and with it the SMS list
// bar), and the SMS list bar's items, which run the SMS view's commands. Without a modem library the
// window still composes and saves messages; sending and the modem choice stay off.
class CSmsFeature
{
public:
    // context.services is filled here.
    static void Register(IFrameRegistry& frame, CSmsContext context, bool smsAvailable);
    // The SMS command of a list-bar label (an item's label in the running language), or 0.
    static int CommandOfLabel(const QString& label);
};
