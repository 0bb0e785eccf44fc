#pragma once

class CVelmoraError;

// Who answers the questions logic has to put to the user (a yes/no or yes/no/cancel question carried as a
// message with its type). The shared one hands them to the installed answerer: message boxes in the program,
// a script in tests, the cautious answer in unattended runs.
class IVelmoraQuestion
{
public:
    virtual ~IVelmoraQuestion() = default;
    // IDYES or IDNO, and IDCANCEL for a yes/no/cancel question.
    virtual int Ask(const CVelmoraError& question) = 0;

    static IVelmoraQuestion& Shared();
};
