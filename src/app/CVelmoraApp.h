#pragma once

#include "CAppSettings.h"
#include "CInstalledData.h"
#include "CModelRules.h"
#include "CVelmoraError.h"

#include <QFont>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CInstanceGuard;
class CResourceStrings;
class IAppShell;
class QTranslator;

// The application object: runs start-up and exit in their fixed order and holds every
// application-wide setting, the application database and the model rules for the rest of the run.
class CVelmoraApp : public QObject
{
    Q_OBJECT
public:
    enum LanguageCode
    {
        LangFrench = CInstalledData::French,
        LangEnglish = CInstalledData::English,
        LangHebrew = CInstalledData::Hebrew
    };

    CVelmoraApp();
    ~CVelmoraApp() override;
    CVelmoraApp(const CVelmoraApp&) = delete;
    CVelmoraApp& operator=(const CVelmoraApp&) = delete;

    // The one application object of the process (nullptr before it is made).
    static CVelmoraApp* Instance();

    void SetShell(IAppShell* shell) { m_shell = shell; }
    // Tests give their own instance key so they never meet a real running program.
    void SetInstanceKey(const QString& key) { m_instanceKey = key; }
    // What the system language is taken to be at the first run (tests set it).
    void SetSystemIsHebrew(std::function<bool()> probe) { m_systemIsHebrew = std::move(probe); }
    // Whether the system's default language is Hebrew (the Hebrew language command needs it).
    bool SystemIsHebrew() const { return m_systemIsHebrew && m_systemIsHebrew(); }
    // The program folder's write check (tests stand in for a folder even root cannot write to).
    void SetFolderProbe(std::function<bool(const QString&)> probe) { m_folderProbe = std::move(probe); }

    // Start-up. False means the program ends: a line on stderr names what was missing, and error holds
    // the message the caller is to show (none when there is nothing to tell). HandedOver() then tells
    // whether another instance took over.
    bool InitInstance(const QStringList& arguments, CVelmoraError& error);
    bool HandedOver() const { return m_handedOver; }
    int ExitInstance();
    // Started by an automation client (--automation, -Embedding): the main window stays hidden until a
    // client or the user asks for it.
    static bool IsAutomationStart(const QStringList& arguments);
    bool AutomationStart() const { return m_automation; }

    // Help context ids of the toolkit's own commands and dialogs go to the general help topic.
    static int MapHelpContext(int contextId);
    // Start-up check that a file can be written to and removed from the folder; safe to run concurrently.
    static bool ProgramFolderWritable(const QString& folder);

    // Settings, as one value.
    CAppSettings Settings() const;
    // The options dialog has closed: its values are read again, and settingsChanged announces them.
    void ReloadOptions();

    // Settings.
    const QString& ProgramFolder() const { return m_programFolder; }
    const QString& LastPimFile() const { return m_lastPimFile; }
    const QString& LanguageName() const { return m_languageName; }
    CInstalledData::Language LanguageCode() const { return CInstalledData::Language(m_languageCode); }
    int QuickComm() const { return m_quickComm; }
    int UsbPort() const { return m_usbPort; }
    int ComPort() const { return m_comPort; }
    const QString& BackupFolder() const { return m_backupFolder; }
    const QString& BenchFolder() const { return m_benchFolder; }
    bool PhoneLinkOpen() const { return m_linkOpen; }
    const QString& AppTitle() const { return m_appTitle; }
    int CarrierId() const { return m_carrierId; }
    const QString& ServiceProviderName() const { return m_spName; }
    int ServiceProviderCitySel() const { return m_spCitySel; }
    const QString& ServiceProviderCity() const { return m_spCity; }
    const QString& ServiceProviderPhone() const { return m_spPhone; }
    const QString& ServiceProviderPrefix() const { return m_spPrefix; }
    int MaxSmsLength() const { return m_maxSmsLength; }
    int ServiceProviderNam() const { return m_spNam; }
    int PhoneOnly() const { return m_phoneOnly; }
    int Roaming() const { return m_roaming; }
    int StripExtraSpace() const { return m_stripExtraSpace; }
    int AutoSplit() const { return m_autoSplit; }
    int AddIndex() const { return m_addIndex; }
    int BreakBetweenWords() const { return m_breakBetweenWords; }
    int HideSimpleList() const { return m_hideSimpleList; }
    bool SmsAvailable() const { return m_smsAvailable; }
    void SetSmsAvailable(bool available) { m_smsAvailable = available; }

    QSqlDatabase AppDatabase() const { return m_appDb; }
    const QString& AppDatabasePath() const { return m_appDbPath; }
    const QString& FleetTemplatePath() const { return m_fleetTemplatePath; }
    const QString& PimTemplatePath() const { return m_pimTemplatePath; }

    const CModelRules& ModelRules() const { return m_modelRules; }
    const QString& ModelList() const { return m_modelList; }
    const QString& EntryLanguageList() const { return m_entryLanguageList; }
    const QString& HelpFile() const { return m_helpFile; }
    const QString& DisplayName() const { return m_displayName; }
    const QFont& GridFont() const { return m_gridFont; }
    const QFont& GridFont2() const { return m_gridFont2; }
    const QFont& PlainFont() const { return m_plainFont; }
    bool IsRightToLeft() const { return m_languageCode == LangHebrew; }

Q_SIGNALS:
    void settingsChanged(const CAppSettings& settings);

private:
    bool LoadLanguage(const QString& fileName);
    void LoadToolkitTexts();
    bool LoadSettings();
    bool ReadRegistry(const char* name, QString& value);
    bool ReadRegistryInt(const char* name, int& value);
    bool ReadIni(const QString& section, const QString& key, QString& value);
    bool ReadIniInt(const QString& section, const QString& key, int& value);
    bool ReadIniDefaulted(const QString& key, const QString& fallback, int& value);
    void SetupFonts();
    bool OpenAppDatabase(CVelmoraError& error);
    bool OpenPhoneLink(CVelmoraError& error);
    void StartSmsLibrary();
    void BuildEntryLanguageList();

    static QString LanguageFile(int languageCode);
    static int LanguageCodeOf(const QString& name);

    IAppShell* m_shell = nullptr;
    QString m_instanceKey;
    std::function<bool()> m_systemIsHebrew;
    std::function<bool(const QString&)> m_folderProbe = &CVelmoraApp::ProgramFolderWritable;
    std::unique_ptr<CInstanceGuard> m_instanceGuard;
    // Qt's own texts (standard buttons, file dialogs) in the user's language; removed with the object.
    std::unique_ptr<QTranslator> m_toolkitTexts;
    bool m_handedOver = false;
    bool m_automation = false;
    bool m_resourcesLoaded = false;
    // Set once start-up has read the settings; exit writes settings back only then.
    bool m_settingsLoaded = false;

    QString m_programFolder;
    QString m_lastPimFile;
    QString m_languageName;
    int m_languageCode = LangEnglish;
    int m_quickComm = 0;
    int m_usbPort = 0;
    int m_comPort = 1;
    QString m_backupFolder;
    QString m_benchFolder;
    QString m_quickCommText;
    bool m_linkOpen = false;
    QString m_appTitle;
    int m_carrierId = 1;
    QString m_spName;
    int m_spCitySel = 0;
    QString m_spCity;
    QString m_spPhone;
    QString m_spPrefix;
    int m_maxSmsLength = 140;
    int m_spNam = 1;
    int m_phoneOnly = 0;
    int m_roaming = 0;
    int m_stripExtraSpace = 0;
    int m_autoSplit = 0;
    int m_addIndex = 0;
    int m_breakBetweenWords = 0;
    int m_hideSimpleList = 0;
    unsigned long m_phoneBookSplit = 50;
    unsigned long m_dateBookSplit = 50;
    QString m_setupFlag;
    bool m_smsAvailable = true;
    bool m_smsStarted = false;

    QString m_appDbPath;
    QString m_fleetTemplatePath;
    QString m_pimTemplatePath;
    QString m_appDbConnection;
    QSqlDatabase m_appDb;
    CModelRules m_modelRules;
    QString m_modelList;
    QString m_entryLanguageList;
    QString m_helpFile;
    QString m_displayName;
    QFont m_gridFont;
    QFont m_gridFont2;
    QFont m_plainFont;
};
