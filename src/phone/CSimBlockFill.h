#pragma once

#include "CPhoneTextCodec.h"
#include "CUnitListRows.h"
#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QByteArray>
#include <QDateTime>

// Fills the lists of a SIM block (25316 bytes) from a unit's rows before it is written back, by the
// phone class and SIM kind of the unit the rows come from and of the phone they go to.
class CSimBlockFill
{
public:
    struct Side
    {
        int phoneClass = 1;
        int simKind = 1;
        bool ConsolidatedForm() const { return phoneClass == 3 && simKind == 3; }
    };

    // - source in the consolidated form, target not, consolidated flag set: the phone book, private
    //   and talkgroup regions come from the consolidated records (Derive);
    // - target in the consolidated form, source not, any of the phone book, NAM 1 private or NAM 1
    //   talkgroup flags set: the consolidated region is built from those lists;
    // - otherwise each selected region from its own rows, consolidated time stamps set to now.
    // A SIM of the first kind keeps no lists the fleet manages, and one of the second kind no
    // consolidated list: those regions are left as the SIM has them.
    // A name its code page cannot hold refuses the fill (the block is then not to be written).
    static CVelmoraError Fill(QByteArray& block, const CUnitListRows& rows, const CWriteFlags& flags,
                              Side source, Side target, bool stripPause, const QDateTime& nowUtc,
                              CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);
    // The talkgroup type byte of the SIM block.
    static void SetTalkgroupType(QByteArray& block, int talkgroupType);
};
