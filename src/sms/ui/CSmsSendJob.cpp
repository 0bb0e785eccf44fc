#include "CSmsSendJob.h"

#include "CSmsSendPlan.h"
#include "CSmsStatusDlg.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>

CSmsSendJob::CSmsSendJob(ISmsLibrary& library, CSmsStatusDlg& status) : m_library(library), m_status(status)
{
}

CSmsSendOutcome CSmsSendJob::Run(const CSmsSendPlan& plan, const CSmsSendSettings& settings, bool optionOn,
                                 const QString& optionValue)
{
    CSmsSendOutcome outcome;
    QPointer<CSmsStatusDlg> status(&m_status);
    // The library calls back on the send's thread; the dialog is changed on ours.
    ISmsLibrary::Progress progress;
    progress.status = [status](const QString& text) {
        QMetaObject::invokeMethod(status, [status, text]() {
            if (status)
                status->SetStatus(text);
        });
    };
    progress.position = [status](int position) {
        QMetaObject::invokeMethod(status, [status, position]() {
            if (status)
                status->SetPosition(position);
        });
    };
    progress.disableCancel = [status]() {
        QMetaObject::invokeMethod(status, [status]() {
            if (status)
                status->DisableCancel();
        });
    };
    connect(&m_status, &CSmsStatusDlg::cancelRequested, this, [this]() { m_library.Cancel(); });

    QEventLoop loop;
    QThread* thread = QThread::create(
        [&]() { outcome.result = m_library.Send(plan, settings, optionOn, optionValue, progress); });
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    // Progress posted at the very end must not reach a dialog that is gone.
    QCoreApplication::sendPostedEvents(&m_status);
    outcome.cancelled = m_status.Cancelled();
    return outcome;
}
