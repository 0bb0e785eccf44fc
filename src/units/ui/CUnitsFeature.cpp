#include "CUnitsFeature.h"

#include "CAppendDlg.h"
#include "CUnitsView.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

void CUnitsFeature::Register(IFrameRegistry& frame, CUnitSheetHooks sheet)
{
    IFrameServices& services = frame.Services();
    frame.AddTabView(FrameTab::Units, [&services, sheet](CVelmoraDoc& document) -> QWidget* {
        auto* view = new CUnitsView(document, CUnitsView::SettingsFromApp());
        view->SetAppendQuestion(new CAppendDlg(view));
        // A new unit's settings may come from the phone on the cable: the read command brings them.
        view->SetReadPhoneHandler([&services]() { services.ExecuteCommand(FrameCmd::ReadPhone); });
        view->SetSheetHooks(sheet);
        return view;
    });
}
