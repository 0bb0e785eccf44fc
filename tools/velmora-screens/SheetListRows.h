#pragma once

#include <QSqlDatabase>
#include <QString>

// Sample rows of a unit's per-NAM lists for the sheet's pictures: a dozen talkgroups on NAM 1 and a few
// private calls, scan entries and status messages, with English or Hebrew names.
bool AddSheetListRows(const QSqlDatabase& db, const QString& imei, bool hebrew);

// Loads the program's English or Hebrew texts from the program folder and sets the matching reading
// direction, as the scenes do before each language's pictures; false when the language file is missing.
bool UseSceneLanguage(const QString& program, bool hebrew);
