#pragma once

#include "VelmoraTypes.h"

#include <QString>

// One message on its way to the user: the id it came from (0 for a ready text), the text, its kind.
struct CVelmoraMessage
{
    int id = 0;
    QString text;
    VELMORA_MSG_TYPE type = VMT_ERROR;
    QString caption;
};

// Whoever shows messages and returns the user's answer: message boxes in the program, a script in tests,
// stderr in unattended runs.
class IVelmoraAnswerer
{
public:
    virtual ~IVelmoraAnswerer() = default;
    virtual int Answer(const CVelmoraMessage& message) = 0;
};
