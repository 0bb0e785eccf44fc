#pragma once

// The question shown before a new unit is stored (while the "Show Msg" setting is "1"): enter the
// unit's settings by hand, or read them from the phone on the cable. The program answers it with a
// dialog; tests script it.
class INewUnitPrompt
{
public:
    enum Choice : int
    {
        ByHand = 1,
        FromPhone = 2,
    };
    struct Answer
    {
        bool confirmed = false;
        int choice = ByHand;
        bool dontShowAgain = false;
    };

    virtual ~INewUnitPrompt() = default;
    // phoneChoiceAvailable: whether reading from a phone can be offered now.
    virtual Answer AskNewUnit(bool phoneChoiceAvailable) = 0;
};
