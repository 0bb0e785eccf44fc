#pragma once

#include "IVelmoraAnswerer.h"

#include <QPointer>
#include <QWidget>

// Shows each message in a modal message box over the program's active window.
class CMessageBoxAnswerer : public IVelmoraAnswerer
{
public:
    int Answer(const CVelmoraMessage& message) override;
};
