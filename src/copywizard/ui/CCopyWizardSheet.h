#pragma once

#include "CCopyLog.h"
#include "CCopyWizardState.h"
#include "CPhoneSettings.h"
#include "CPropertySheetWithHelp.h"
#include "CWriteFlags.h"
#include "IPhoneMessages.h"
#include "IWaitIndicator.h"

#include <functional>
#include <memory>

class CModelRules;
class CWindowWait;
class ISimPinPrompt;

// What the wizard works with: the phone settings, the model rules, the carrier's NAM count, the PIN
// question, the fleet file offered as a source and the wait over the main window (the sheet's own
// wait when there is none).
struct CCopyWizardContext
{
    CPhoneSettings settings;
    const CModelRules* rules = nullptr;
    int namCount = 1;
    ISimPinPrompt* prompt = nullptr;
    QString fleetPath;
    std::function<void()> beginMainWait;
    std::function<void()> endMainWait;
};

// The Copy Wizard: the Source, Custom copy and Write pages in wizard mode, sharing the wizard state,
// the write flags of the check list and the write log. Messages are shown here, at the top of the
// UI; the pages keep the sheet disabled while they work.
class CCopyWizardSheet : public CPropertySheetWithHelp, public IPhoneMessages, public IWaitIndicator
{
    Q_OBJECT

public:
    enum : int
    {
        HelpContext = 135689, // the wizard itself (its buttons); the pages have their own
    };

    explicit CCopyWizardSheet(const CCopyWizardContext& context, QWidget* parent = nullptr);
    ~CCopyWizardSheet() override;

    CCopyWizardState& State() { return m_state; }
    const CCopyWizardContext& Context() const { return m_context; }
    const CModelRules& Rules() const { return *m_context.rules; }
    CWriteFlags& Flags() { return m_flags; }
    CCopyLog& Log() { return m_log; }

    // IPhoneMessages: the message box.
    void Report(const CVelmoraError& error) override;
    // IWaitIndicator: the main window's wait (or the sheet's).
    void BeginWait() override;
    void EndWait() override;

    // The sheet and the active page disabled for the life of the value.
    class Busy
    {
    public:
        explicit Busy(QWidget* sheet);
        ~Busy();

    private:
        QWidget* m_sheet;
    };

private:
    CCopyWizardContext m_context;
    CCopyWizardState m_state;
    CWriteFlags m_flags;
    CCopyLog m_log;
    std::unique_ptr<CWindowWait> m_ownWait;
};
