#pragma once

class CVelmoraError;

// Where the messages of a phone command reach the user: the error that ended it, or a remark on work
// that goes on, shown at the point it arises. The command layer implements it (the main window with
// the message box, the command-line tool at the terminal); tests record and show.
class IPhoneMessages
{
public:
    virtual ~IPhoneMessages() = default;
    // Shows nothing for success and for a stop the user chose.
    virtual void Report(const CVelmoraError& error) = 0;
};
