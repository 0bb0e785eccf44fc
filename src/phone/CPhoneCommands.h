#pragma once

#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QSqlDatabase>

class CModelRules;
class IPhoneCommandHost;
struct CPhoneSettings;

// The main window's phone commands as the program runs them: read the phone on the cable into the
// open (or a new) fleet, and write the fleet's unit of that phone back into it. Each answers whether
// it got to the end; every message has been shown through the host by then.
class CPhoneCommands
{
public:
    static bool ReadPhone(IPhoneCommandHost& host, const CPhoneSettings& settings, const CModelRules& rules);
    static bool WritePhone(IPhoneCommandHost& host, const CPhoneSettings& settings, const CModelRules& rules,
                           const CWriteFlags& flags = CWriteFlags::All());

    static int UnitCount(const QSqlDatabase& db);
    // Item 40 (the programming state) of the working copy patched when it holds 25, 241, 0, 0, 0; the error
    // of a failed write.
    static CVelmoraError PatchItem40();
};
