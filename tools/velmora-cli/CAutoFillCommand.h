#pragma once

#include <QString>

struct CCliContext;

// autofill FILE: fills every unit's lists with the other units of the fleet, as the window's
// whole-fleet auto fill does, and reports which units' lists ran full.
class CAutoFillCommand
{
public:
    explicit CAutoFillCommand(const CCliContext& context) : m_cx(context) {}

    int Run(const QString& path);

private:
    const CCliContext& m_cx;
};
