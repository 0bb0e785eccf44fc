#pragma once

struct CCliContext;

// The copy command: one fleet unit's chosen items written into the phone on the cable, as the Copy
// Wizard's Write page does, with one log line printed for the production record.
class CCliCopyCommand
{
public:
    explicit CCliCopyCommand(const CCliContext& context) : m_cx(context) {}

    int Run();

private:
    const CCliContext& m_cx;
};
