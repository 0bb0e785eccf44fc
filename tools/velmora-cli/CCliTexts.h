#pragma once

#include <QString>
#include <QStringList>

// The language texts of velmora-cli, by id (CliMessageIds.h), from the shared-services component.
class CCliTexts
{
public:
    // The text of an id in the running language with %1, %2... filled in one pass (a value holding
    // "%1" stays as it is). A text missing from the language file is shown as its id, as the
    // program's message boxes do.
    static QString Text(int id, const QStringList& values = {});

    // Before the program has started (usage errors and help): the language of the settings, as the
    // start-up would load it, from the program folder the settings name; with --program-folder, from
    // that folder's settings when it has them. Reads and changes no settings. Without settings, or
    // when their language file cannot be used, the installed texts (CInstalledData::LoadLanguageTable).
    static void LoadBeforeStart(const QString& programFolderOption);
    // The same, only when no texts of the tool are loaded yet (start-up stopped before its language).
    static void EnsureLoaded(const QString& programFolderOption);
};
