#pragma once

#include <QString>

// Where the installed data is, and how the program folder is filled from it: the program, its
// first-run setup and the command-line tools all find the shipped files through this class.
class CInstalledData
{
public:
    // Language codes of the setting "Initial Language".
    enum Language : int
    {
        French = 1,
        English = 2,
        Hebrew = 3
    };

    // The installed data folder: share/velmora beside the program's bin/ folder (where the install
    // rules put it, relative to the program), or the folder named by VELMORA_SHARE_DIR.
    static QString Dir();
    // The program folder of an account that has not chosen one: "Velmora" in the user's data folder.
    static QString DefaultProgramFolder();
    // name (a file of the program folder) in programFolder, or the installed one when the folder lacks
    // it (before the first start has filled the folder). The program folder's path when neither exists.
    static QString ProgramOrInstalledFile(const QString& programFolder, const QString& name);

    // "English", "French"; any other name is Hebrew.
    static int LanguageCodeOf(const QString& name);
    // The language table of the program folder for a language code.
    static QString LanguageFile(int languageCode);
    // Loads the table of a language of the settings ("English", "French", "Hebrew"; empty is English)
    // into the shared services: programFolder's (or the installed one while the folder lacks it; the
    // installed one when no folder is given), else the English one. False when none can be read.
    static bool LoadLanguageTable(const QString& programFolder, const QString& languageName);
};
