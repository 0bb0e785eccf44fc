#pragma once

#include <QString>

// First run on an account: writes the default settings and fills the program folder from the
// installed data, and registers the fleet and PIM file types with the desktop.
class CProgramFolderSetup
{
public:
    // The installed data folder (CInstalledData::Dir).
    static QString InstalledDataDir();
    static QString DefaultProgramFolder();

    // Runs the first-run setup when the settings store does not exist yet. False (with why) when the
    // folder cannot be made or filled; the settings store is then left unwritten so the next start
    // tries again.
    static bool RunIfFirstStart(QString& why);
    // Copies every installed file that the folder lacks. Files already there are kept.
    static bool FillProgramFolder(const QString& folder, const QString& dataDir, QString& why);
    // Replaces the folder's language files with the installed ones where those are newer and differ, so a
    // program updated after its first run finds the texts of its new messages. A file the folder lacks
    // stays missing (start-up reports it); one newer than the installed copy is kept. False (with why)
    // when a newer installed file could not be put in place.
    static bool RefreshLanguageFiles(const QString& folder, const QString& dataDir, QString& why);
    static void WriteDefaultSettings(const QString& folder);
    // The program the desktop should start for a file: the window program beside the running one (the
    // command-line tools start the first run too), else the running program itself.
    static QString WindowProgram();
    // Registers the program's desktop entry, file types and icons for this account (CDesktopRegistration),
    // unless the prefix it was installed in gives them to every account already. False (with why) when
    // they could not be written.
    static bool RegisterFileTypes(const QString& executable, QString& why);
};
