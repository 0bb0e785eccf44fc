// The commands of the SMS view: choosing recipients, sending, saving and loading messages, and
// choosing the modem.

#include "CDisplayUnitsDlg.h"
#include "CLoadSMSDlg.h"
#include "CModemDlg.h"
#include "CSendSMSView.h"
#include "CSmsRecipients.h"
#include "CSmsSavedMessages.h"
#include "CSmsSendJob.h"
#include "CSmsStatusDlg.h"
#include "CToEdit.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "IVelmoraQuestion.h"
#include "SmsMessageIds.h"

#include <QDateTime>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

void CSendSMSView::OnChooseRecipients()
{
    CVelmoraDoc* fleet = m_context.Fleet();
    CDisplayUnitsDlg dialog(fleet, CSmsRecipients::FreeSlots(m_lastSendCount),
                            m_context.fleetSettings ? m_context.fleetSettings() : CFleetSettings(), window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString chosen = dialog.Result();
    const QString text = CSmsRecipients::Append(m_to->text(), chosen);
    // The field keeps to its limits; what would break them stays out, and the user is told.
    if (const CVelmoraError error = CSmsRecipients::Check(CSmsRecipients::Split(text))) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    if (text.size() > CSmsRecipients::MaxTextLength) {
        CVelmoraWrap::ShowError(CVelmoraError::Message(
            SmsMsg::TooManyRecipients, {QString::number(CSmsRecipients::Split(text).size())}));
        return;
    }
    m_to->setText(text);
}

void CSendSMSView::OnSend()
{
    if (s_sending || !m_context.library)
        return;
    CSmsSendSettings settings = m_context.sendSettings ? m_context.sendSettings() : CSmsSendSettings();
    QString modemId;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Modem ID"), modemId);
    settings.modemId = modemId;
    CSmsSendPlan plan;
    const CSmsDraft draft = Draft();
    if (const CVelmoraError error =
            CSmsSendPlan::Prepare(draft, settings, IVelmoraQuestion::Shared(), plan)) {
        if (!error.IsCancelled())
            CVelmoraWrap::ShowError(error);
        return;
    }
    if (plan.text != draft.text)
        m_text->setPlainText(plan.text);

    m_lastSendCount = plan.numbers.size();
    s_sending = true;
    for (CSendSMSView* view : AllViews())
        view->m_send->setEnabled(false);
    CSmsSendOutcome outcome;
    {
        CSmsStatusDlg status(window());
        // The program waits for the send, but keeps drawing and lets the user cancel.
        status.setWindowModality(Qt::ApplicationModal);
        status.show();
        CSmsSendJob job(*m_context.library, status);
        outcome = job.Run(plan, settings, draft.optionOn, draft.optionValue);
    }
    s_sending = false;
    for (CSendSMSView* view : AllViews())
        view->m_send->setEnabled(view->m_context.library != nullptr);
    ReportSend(outcome, plan);
}

void CSendSMSView::ReportSend(const CSmsSendOutcome& outcome, const CSmsSendPlan& plan)
{
    if (outcome.cancelled) {
        CVelmoraWrap::ShowError(SmsMsg::SendCancelled, VMT_NOTICE);
        return;
    }
    const ISmsLibrary::Result& result = outcome.result;
    if (result.refused) {
        CVelmoraWrap::ShowError(result.refused);
        return;
    }
    if (result.code == 0) {
        CVelmoraWrap::ShowError(SmsMsg::Sent, VMT_NOTICE);
        return;
    }
    const QString number = result.failedIndex >= 0 && result.failedIndex < plan.numbers.size()
                               ? plan.numbers.at(result.failedIndex)
                               : QString();
    const QString text = m_context.library->ErrorText(result.code, result.detail);
    CVelmoraWrap::ShowError(CVelmoraError::Message(SmsMsg::SendFailed, {number, text}));
}

void CSendSMSView::OnSave()
{
    CVelmoraDoc* fleet = m_context.Fleet();
    if (!fleet)
        return;
    CSmsSavedMessages store(fleet->Database());
    const CVelmoraError error = store.Save(m_text->toPlainText(), QDateTime::currentDateTime(), m_currentId,
                                           IVelmoraQuestion::Shared());
    if (error)
        CVelmoraWrap::ShowError(error);
    else
        CVelmoraWrap::ShowError(SmsMsg::Saved, VMT_NOTICE);
}

void CSendSMSView::OnLoad()
{
    CVelmoraDoc* fleet = m_context.Fleet();
    if (!fleet)
        return;
    CLoadSMSDlg dialog(fleet->Database(), window());
    if (!dialog.Start())
        return;
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenId().isEmpty())
        return;
    m_text->setPlainText(dialog.ChosenText());
    m_currentId = dialog.ChosenId();
}

void CSendSMSView::OnChooseModem()
{
    if (!m_context.library)
        return;
    CModemDlg dialog(*m_context.library, window());
    dialog.exec();
}
