#pragma once

#include <QString>

// The private world of one test executable: temporary XDG folders (so the settings store and the
// default program folder are the test's own) and a program folder filled from the built data.
class CTestEnvironment
{
public:
    // Called by VELMORA_TEST_MAIN before the application object exists.
    static void PrepareProcess();
    // Called once the application object exists: program folder, English texts, scripted answerer.
    static void PrepareApplication();

    static QString Root();
    // A fresh copy of the built program folder (language files, application database, Carrier.ini...).
    static QString ProgramFolder();
    static QString ShareDir();
    static QString SourceDir();
    // A new empty folder under the test's root.
    static QString NewFolder(const QString& name);
    // Copies the built data into folder (replacing what is there).
    static bool FillProgramFolder(const QString& folder);
    // Removes every value of the settings store.
    static void ClearSettings();
};

// main() of a test executable: sets up the environment, then runs the test object.
#define VELMORA_TEST_MAIN(TestObject)                                                                        \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        CTestEnvironment::PrepareProcess();                                                                  \
        QApplication app(argc, argv);                                                                        \
        CTestEnvironment::PrepareApplication();                                                              \
        TestObject test;                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
