#pragma once

#include "CSmsDraft.h"
#include "CVelmoraError.h"

#include <QStringList>

class IVelmoraQuestion;

// What a send needs to know before it starts: the modem chosen, the splitting switches and the
// longest single message of the carrier.
struct CSmsSendSettings
{
    QString modemId; // "Modem ID": the modem's index as text, "-1" or empty when none is chosen
    bool autoSplit = false;
    int maxLength = 140;
    // The other splitting switches and the carrier's service centre, as the request carries them.
    bool breakBetweenWords = false;
    bool stripExtraSpace = false;
    bool addIndex = false;
    QString providerName;
    QString providerCity;
    QString providerPrefix;
    QString providerPhone;
};

// The checks of the send command before anything reaches the modem: a modem is chosen, a message
// longer than the maximum is cut (after the user agreed) unless it will be split, there is a recipient
// and the recipients fit their places. What passes is the text and the numbers to send.
class CSmsSendPlan
{
public:
    static CVelmoraError Prepare(const CSmsDraft& draft, const CSmsSendSettings& settings,
                                 IVelmoraQuestion& question, CSmsSendPlan& plan);

    QString text;
    QStringList numbers;
};
