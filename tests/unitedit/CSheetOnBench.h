#pragma once

#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"

#include <memory>

// The unit property sheet against the bench: the phone on the cable read into a new fleet, and the
// sheet of one of its units opened, shown, on a page.
namespace SheetOnBench {

inline CVelmoraDoc* ReadIntoNewFleet(CPhoneFixture& fx)
{
    CVelmoraDoc* doc = fx.NewFleet();
    return doc && CPhoneCommands::ReadPhone(fx.Host(), fx.Settings(), fx.Rules()) ? doc : nullptr;
}

inline std::unique_ptr<CUnitPropertySheet> Sheet(CPhoneFixture& fx, CVelmoraDoc& doc, const QString& imei,
                                                 int page)
{
    CUnitOpenInfo info;
    if (CUnitOpener::Prepare(doc.Database(), imei, false, &fx.Rules(), info))
        return nullptr;
    CUnitSheetContext context;
    context.db = doc.Database();
    context.rules = &fx.Rules();
    auto sheet = std::make_unique<CUnitPropertySheet>(info, context);
    sheet->SetStartPageId(page);
    sheet->show();
    return sheet;
}

} // namespace SheetOnBench
