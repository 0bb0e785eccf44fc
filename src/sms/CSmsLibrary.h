#pragma once

#include "ISmsLibrary.h"

// The modem library as the SMS screens use it: the send request built from the plan and the
// settings, the library's status signals turned into progress calls.
class CSmsLibrary : public ISmsLibrary
{
public:
    int ModemCount() override;
    QString ModemName(int index) override;
    int SetConfiguration(int modemIndex) override;
    Result Send(const CSmsSendPlan& plan, const CSmsSendSettings& settings, bool optionOn,
                const QString& optionValue, const Progress& progress) override;
    void Cancel() override;
    QString ErrorText(int code, int detail) override;
};
