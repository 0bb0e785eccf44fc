#pragma once

#include <QString>

#include <initializer_list>
#include <memory>

class CModelRules;

// Fills a scene's program folder with shipped files of the build (writable copies, as the first start
// makes them) and makes it the program folder.
void FillSceneProgramFolder(const QString& program, std::initializer_list<const char*> names);
// The folder's application database opened under connection, with the model list and the
// international lists built; nullptr when it does not open or the lists fail.
std::unique_ptr<CModelRules> OpenSceneModels(const QString& program, const QString& connection);
