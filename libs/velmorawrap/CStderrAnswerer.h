#pragma once

#include "IVelmoraAnswerer.h"

// Answers messages without a user: writes each one to stderr and gives the cautious answer
// (OK, No, Cancel), so an unattended run never replaces or discards anything on its own.
class CStderrAnswerer : public IVelmoraAnswerer
{
public:
    int Answer(const CVelmoraMessage& message) override;
    static int CautiousAnswer(VELMORA_MSG_TYPE type);
};
