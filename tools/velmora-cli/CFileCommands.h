#pragma once

#include <QString>

struct CCliContext;

// The commands on whole fleet files: new, info, store, expand and upgrade.
class CFileCommands
{
public:
    explicit CFileCommands(const CCliContext& context) : m_cx(context) {}

    // Runs the named command; answers the exit status.
    int Run(const QString& command);

    int New(const QString& path);
    int Info(const QString& path);
    int Store(const QString& path);
    int Expand(const QString& path);
    int Upgrade(const QString& path);

private:
    const CCliContext& m_cx;
};
