#pragma once

#include "CVelmoraError.h"

#include <QString>
#include <functional>

class CSmsSendPlan;
struct CSmsSendSettings;

// What the SMS screens ask of the modem library: its modems, the modem to use, a send with progress,
// the cancel of a running send and the texts of its error codes. The program's adapter speaks to the
// library; tests give a scripted one.
class ISmsLibrary
{
public:
    // What a send reports while it runs (from the thread the send runs on).
    struct Progress
    {
        std::function<void(const QString& text)> status;
        std::function<void(int position)> position;
        std::function<void()> disableCancel;
    };
    // How a send ended: 0 for success, else the library's code with the index of the recipient that
    // failed and a detail code.
    struct Result
    {
        int code = 0;
        int failedIndex = 0;
        int detail = 0;
        // Set when the request was refused before anything was sent (the code is then not 0).
        CVelmoraError refused;
    };

    virtual ~ISmsLibrary() = default;

    virtual int ModemCount() = 0;
    virtual QString ModemName(int index) = 0;
    // 0, or an error code for ErrorText.
    virtual int SetConfiguration(int modemIndex) = 0;
    // Sends the plan's text to each of its numbers in turn; blocks until the send ends. optionOn and
    // optionValue go into the request as the view's option switch and value.
    virtual Result Send(const CSmsSendPlan& plan, const CSmsSendSettings& settings, bool optionOn,
                        const QString& optionValue, const Progress& progress) = 0;
    // Asks a running send to stop; may be called from any thread.
    virtual void Cancel() = 0;
    virtual QString ErrorText(int code, int detail) = 0;
};
