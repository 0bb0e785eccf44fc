#pragma once

#include "CListBlockLayout.h"
#include "CPhoneTextCodec.h"
#include "CUnitListRows.h"
#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QByteArray>
#include <QList>

// Turns the regions of a list block (or of the SIM block) into a unit's list rows and back. Only the
// regions are touched: every other byte of a block stays as the phone had it. Names are in the code
// page of the entry's language where its list keeps one (SIM lists, consolidated entries), else of
// unitPage, the unit's (CPhoneTextCodec::ForUnit).
class CListBlockCodec
{
public:
    using Region = CListBlockLayout::Region;
    using Kind = CListBlockLayout::ListKind;
    using Format = CListBlockLayout::Format;

    enum : int
    {
        WrittenNameLength = 11, // names go to the phone with at most 11 characters, whatever the field
        WrittenNumberLength = 40,
    };

    // Block to rows: empty phone-book slots and private or talkgroup slots with identifier 0 are
    // skipped, scan and status slots all become rows, consolidated slots with name index 0 are
    // skipped (and consolidated regions only read when withConsolidated).
    static CUnitListRows Decode(const QByteArray& block, const QList<Region>& regions, bool withConsolidated,
                                CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);
    static QList<CListRow> DecodeRegion(const QByteArray& block, const Region& region,
                                        CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);

    // Whether a write programs the region's list.
    static bool Selected(const Region& region, const CWriteFlags& flags);
    // Zero-fills the region, then puts each row at slot number - 1; rows outside the region are left out.
    // A name the code page cannot hold refuses the write with the message naming the character (the
    // block is then not to be written).
    static CVelmoraError EncodeRegion(QByteArray& block, const Region& region, const QList<CListRow>& rows,
                                      bool stripPause,
                                      CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);
    // Every selected region from the unit's rows of its list.
    static CVelmoraError Encode(QByteArray& block, const QList<Region>& regions, const CUnitListRows& rows,
                                const CWriteFlags& flags, bool stripPause,
                                CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);
    // Every name of the selected lists against the page it would take in the regions, without writing:
    // lets a write refuse before anything is programmed.
    static CVelmoraError CheckNames(const QList<Region>& regions, const CUnitListRows& rows,
                                    const CWriteFlags& flags, CPhoneTextCodec::CodePage unitPage);
    // The code page of an entry's name in a list of the format.
    static CPhoneTextCodec CodecFor(Format format, int entryLanguage, CPhoneTextCodec::CodePage unitPage);

    // Old codeplugs do not know the pause characters in phone-book numbers: they are removed for a unit
    // whose default version's low byte is below 10, or 10 with the phone's structure version's low byte
    // below 5.
    static bool StripPauseApplies(int defaultVersion, int structureVersion);
    static QString StripPause(const QString& number);
};
