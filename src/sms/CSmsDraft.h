#pragma once

#include <QString>

// What an SMS view composes: the recipients text, the message, and the option switch with its value.
// Every SMS view shows the same draft.
struct CSmsDraft
{
    QString recipients;
    QString text;
    bool optionOn = false;
    QString optionValue;

    bool operator==(const CSmsDraft& o) const
    {
        return recipients == o.recipients && text == o.text && optionOn == o.optionOn &&
               optionValue == o.optionValue;
    }
    bool operator!=(const CSmsDraft& o) const { return !(*this == o); }
};
