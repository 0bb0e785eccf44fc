#pragma once

#include "ISmsLibrary.h"

#include <QObject>

class CSmsSendPlan;
class CSmsStatusDlg;

// How a send ended as the view reports it.
struct CSmsSendOutcome
{
    ISmsLibrary::Result result;
    bool cancelled = false;
};

// Runs one send on a thread of its own so the windows stay responsive, passing the library's progress
// to the status dialog and its Cancel to the library; Run returns when the send has ended.
class CSmsSendJob : public QObject
{
    Q_OBJECT

public:
    CSmsSendJob(ISmsLibrary& library, CSmsStatusDlg& status);
    CSmsSendOutcome Run(const CSmsSendPlan& plan, const CSmsSendSettings& settings, bool optionOn,
                        const QString& optionValue);

private:
    ISmsLibrary& m_library;
    CSmsStatusDlg& m_status;
};
