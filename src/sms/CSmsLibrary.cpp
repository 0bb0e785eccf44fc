#include "CSmsLibrary.h"

#include "CSmsSendPlan.h"
#include "CSmsSendRequest.h"
#include "CSmsStatus.h"
#include "Sms.h"

int CSmsLibrary::ModemCount()
{
    int count = 0;
    return SMSGetModemCount(&count) == SMS_OK ? count : 0;
}

QString CSmsLibrary::ModemName(int index)
{
    QString name;
    return SMSGetModemName(index, &name) == SMS_OK ? name : QString();
}

int CSmsLibrary::SetConfiguration(int modemIndex)
{
    SMSConfiguration config;
    config.modemIndex = modemIndex;
    return SMSSetConfiguration(config);
}

ISmsLibrary::Result CSmsLibrary::Send(const CSmsSendPlan& plan, const CSmsSendSettings& settings,
                                      bool optionOn, const QString& optionValue, const Progress& progress)
{
    CSmsSendRequest::Input input;
    input.breakBetweenWords = settings.breakBetweenWords;
    input.autoSplit = settings.autoSplit;
    input.stripExtraSpace = settings.stripExtraSpace;
    input.addIndex = settings.addIndex;
    input.option = optionOn;
    input.optionValue = optionValue;
    input.message = plan.text;
    input.recipients = plan.numbers.join(QLatin1Char(';'));
    input.providerName = settings.providerName;
    input.providerCity = settings.providerCity;
    input.providerPrefix = settings.providerPrefix;
    input.providerPhone = settings.providerPhone;
    input.maxLength = settings.maxLength;

    Result result;
    QByteArray request;
    if (const CVelmoraError error = CSmsSendRequest::Build(input, &request)) {
        result.code = -1;
        result.refused = error;
        return result;
    }
    // The signals come on this (the sending) thread; the callbacks pass them on.
    CSmsStatus status;
    if (progress.status)
        QObject::connect(&status, &CSmsStatus::StatusText, progress.status);
    if (progress.position)
        QObject::connect(&status, &CSmsStatus::Progress, progress.position);
    if (progress.disableCancel)
        QObject::connect(&status, &CSmsStatus::CancelEnabled, [&progress](bool enabled) {
            if (!enabled)
                progress.disableCancel();
        });
    result.code = SMSSendMessage(&status, request.data());
    result.failedIndex = CSmsSendRequest::CurrentIndex(request);
    result.detail = CSmsSendRequest::DetailCode(request);
    return result;
}

void CSmsLibrary::Cancel()
{
    SMSCancel();
}

QString CSmsLibrary::ErrorText(int code, int detail)
{
    QString text;
    SMSGetErrString(code, detail, &text);
    return text;
}
