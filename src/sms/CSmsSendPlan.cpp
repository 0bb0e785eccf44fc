#include "CSmsSendPlan.h"

#include "CSmsRecipients.h"
#include "IVelmoraQuestion.h"
#include "SmsMessageIds.h"
#include "VelmoraTypes.h"

CVelmoraError CSmsSendPlan::Prepare(const CSmsDraft& draft, const CSmsSendSettings& settings,
                                    IVelmoraQuestion& question, CSmsSendPlan& plan)
{
    bool idIsNumber = false;
    const int modem = settings.modemId.trimmed().toInt(&idIsNumber);
    if (!idIsNumber || modem < 0)
        return CVelmoraError::Message(SmsMsg::NoModem);

    plan.text = draft.text;
    if (!settings.autoSplit && settings.maxLength > 0 && plan.text.size() > settings.maxLength) {
        if (question.Ask(CVelmoraError::Message(SmsMsg::CutToMaximum, {}, VMT_YESNO)) != IDYES)
            return CVelmoraError::Cancelled();
        plan.text.truncate(settings.maxLength);
    }

    if (draft.recipients.isEmpty())
        return CVelmoraError::Message(SmsMsg::NoRecipient);
    plan.numbers = CSmsRecipients::Split(draft.recipients);
    // A text of separators only names nobody either.
    if (plan.numbers.isEmpty())
        return CVelmoraError::Message(SmsMsg::NoRecipient);
    return CSmsRecipients::Check(plan.numbers);
}
