#pragma once

#include <QString>

struct CCliContext;

// The commands on the phone on the cable: read-phone, write-phone and recover. The program's phone
// commands do the work; this class gives them the fleet and the answers.
class CCliPhoneCommands
{
public:
    explicit CCliPhoneCommands(const CCliContext& context) : m_cx(context) {}

    // Runs the named command; answers the exit status.
    int Run(const QString& command);

    // Reads the phone into path (a new fleet there when there is no file).
    int ReadPhone(const QString& path);
    // Writes the fleet's unit of the phone on the cable into the phone; with imei, only that unit
    // may be written. The fleet file is only read.
    int WritePhone(const QString& path, const QString& imei);
    // Puts a codeplug backup back into the phone: backup, or the phone's own in the backup folder.
    int Recover(const QString& backup);

private:
    const CCliContext& m_cx;
};
