#include "CVelmoraApp.h"

#include "AgentApi.h"
#include "AgentResult.h"
#include "CInstalledData.h"
#include "CInstanceGuard.h"
#include "CProgramFolderSetup.h"
#include "CResourceStrings.h"
#include "CVelmoraWrap.h"
#include "IAppShell.h"
#include "Sms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSqlError>
#include <QTemporaryFile>
#include <QTranslator>
#include <cstdio>

namespace {

CVelmoraApp* g_app = nullptr;

// One line on stderr saying why start-up stopped, for whoever started the program from a shell.
void StartupLine(const QString& why)
{
    std::fprintf(stderr, "velmora: start-up stopped: %s\n", qPrintable(why));
    std::fflush(stderr);
}

const QString kTitleSection = QStringLiteral("Application Title");
const QString kCarrierSection = QStringLiteral("Carrier Settings");

} // namespace

CVelmoraApp::CVelmoraApp()
{
    g_app = this;
    m_systemIsHebrew = []() { return QLocale::system().language() == QLocale::Hebrew; };
}

CVelmoraApp::~CVelmoraApp()
{
    if (m_appDb.isOpen())
        m_appDb.close();
    m_appDb = QSqlDatabase();
    if (!m_appDbConnection.isEmpty())
        QSqlDatabase::removeDatabase(m_appDbConnection);
    if (g_app == this)
        g_app = nullptr;
}

CVelmoraApp* CVelmoraApp::Instance()
{
    return g_app;
}

QString CVelmoraApp::LanguageFile(int languageCode)
{
    return CInstalledData::LanguageFile(languageCode);
}

int CVelmoraApp::LanguageCodeOf(const QString& name)
{
    return CInstalledData::LanguageCodeOf(name);
}

bool CVelmoraApp::LoadLanguage(const QString& fileName)
{
    auto strings = std::make_shared<CResourceStrings>();
    if (!strings->Load(QDir(m_programFolder).filePath(fileName))) {
        StartupLine(QStringLiteral("the language file cannot be used: %1").arg(strings->ErrorString()));
        return false;
    }
    CVelmoraWrap::SetResourceStrings(strings);
    m_resourcesLoaded = true;
    return true;
}

void CVelmoraApp::LoadToolkitTexts()
{
    if (m_languageCode == LangEnglish)
        return;
    const QString name =
        m_languageCode == LangFrench ? QStringLiteral("qtbase_fr") : QStringLiteral("qtbase_he");
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(name, folder)) {
        // Not fatal: the buttons and file dialogs then speak English.
        std::fprintf(stderr, "velmora: Qt's texts %s are not in %s\n", qPrintable(name), qPrintable(folder));
        std::fflush(stderr);
        return;
    }
    QCoreApplication::installTranslator(texts.get());
    m_toolkitTexts = std::move(texts);
}

bool CVelmoraApp::InitInstance(const QStringList& arguments, CVelmoraError& error)
{
    // Command line: file names, and the switches of an automation start.
    QStringList files;
    const bool automation = IsAutomationStart(arguments);
    m_automation = automation;
    for (const QString& arg : arguments) {
        if (!IsAutomationStart({arg}) && !arg.startsWith(QLatin1String("--")))
            files << arg;
    }

    // 1. One instance per user: a later start hands its files to the running one and ends.
    m_instanceGuard = std::make_unique<CInstanceGuard>(m_instanceKey);
    if (!m_instanceGuard->Claim(files)) {
        m_handedOver = true;
        m_resourcesLoaded = false;
        return false;
    }
    if (m_shell) {
        QObject::connect(
            m_instanceGuard.get(), &CInstanceGuard::ActivationRequested, m_instanceGuard.get(),
            [this](const QStringList& forwarded) { m_shell->ActivateFromOtherInstance(forwarded); });
    }

    // First run on this account: default settings and a filled program folder.
    QString why;
    if (!CProgramFolderSetup::RunIfFirstStart(why)) {
        StartupLine(why);
        return false;
    }

    // 2. The English texts are the resource library until the user's language is known. The program
    //    folder comes from the settings store, so read it first.
    if (!ReadRegistry("Velmora App Path", m_programFolder))
        return false;
    // Texts of a program updated since the folder was filled; the old ones still serve when that fails.
    if (!CProgramFolderSetup::RefreshLanguageFiles(m_programFolder, CProgramFolderSetup::InstalledDataDir(),
                                                   why)) {
        std::fprintf(stderr, "velmora: %s\n", qPrintable(why));
        std::fflush(stderr);
    }
    if (!LoadLanguage(LanguageFile(LangEnglish)))
        return false;

    // 3. (window class: nothing to register on this platform)

    // 4. Settings.
    if (!LoadSettings())
        return false;

    // 5. The language of the user interface.
    if (m_languageCode != LangEnglish && !LoadLanguage(LanguageFile(m_languageCode)))
        return false;
    LoadToolkitTexts();

    // 6. Fonts.
    SetupFonts();

    // 7. The program folder must be writable.
    if (!m_folderProbe(m_programFolder)) {
        error = CVelmoraError::Message(1662);
        StartupLine(QStringLiteral("the program folder %1 is not writable").arg(m_programFolder));
        return false;
    }

    // 8. The splash picture may show, unless the main window is to stay hidden.
    if (m_shell && !automation)
        m_shell->EnableSplashScreen();

    // 9. The SMS library. Without it SMS stays off and start-up goes on.
    StartSmsLibrary();

    // 12. Template paths.
    const QDir folder(m_programFolder);
    m_appDbPath = folder.filePath(QStringLiteral("VelmoraDB.vdf"));
    m_fleetTemplatePath = folder.filePath(QStringLiteral("VelmoraVLF.vdf"));
    m_pimTemplatePath = folder.filePath(QStringLiteral("VelmoraPIM.vdf"));

    // 13. Application database and the model list.
    if (!OpenAppDatabase(error))
        return false;
    m_modelRules.SetDatabase(m_appDb);
    error = m_modelRules.BuildModelList(m_modelList);
    if (error || m_modelList.isEmpty()) {
        StartupLine(QStringLiteral("the model list could not be built from the model table"));
        return false;
    }

    // 14. The three model lists of "International Models".
    error = m_modelRules.LoadInternationalLists();
    if (error)
        return false;

    // 18-20. Main window: right to left for Hebrew, titled from the carrier's title and the product name.
    if (m_languageCode == LangHebrew)
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const QString product = CVelmoraWrap::LoadString(1704);
    const QString title = m_appTitle.isEmpty() ? CVelmoraWrap::LoadString(1703) : m_appTitle;
    m_displayName = title + QLatin1Char(' ') + product;
    QGuiApplication::setApplicationDisplayName(m_displayName);
    if (m_shell && !m_shell->CreateMainFrame(m_displayName)) {
        StartupLine(QStringLiteral("the main window could not be created"));
        return false;
    }

    // 21. An automation start keeps the main window hidden. It still needs the phone link and the
    //     rest of the settings below, for when a client shows the window and works with it.
    if (!automation) {
        // 23. The command line's files.
        if (m_shell && !m_shell->ProcessShellCommand(files))
            return false;
    }

    // 24. The phone link: the bench of virtual phones behind the programming cable.
    if (!OpenPhoneLink(error))
        return false;

    // 25. Show the main window.
    if (m_shell && !automation)
        m_shell->ShowMainWindow();

    // 26. Language code again from the name.
    m_languageCode = LanguageCodeOf(m_languageName);

    // 27. The language for sibling programs: 0 English, 1 French, 2 Hebrew.
    const int shared = m_languageCode == LangEnglish ? 0 : (m_languageCode == LangFrench ? 1 : 2);
    CVelmoraWrap::SetGroupValue(QStringLiteral("Tarn"), QStringLiteral("SharedUI Lang"),
                                QString::number(shared));

    // 28. Help pages of the language: French and Hebrew have their own; the others read the English ones.
    const QString helpLanguage = m_languageCode == LangFrench   ? QStringLiteral("fr")
                                 : m_languageCode == LangHebrew ? QStringLiteral("he")
                                                                : QStringLiteral("en");
    m_helpFile = folder.filePath(QStringLiteral("help/%1/index.html").arg(helpLanguage));

    // 29. The entry-language choice list.
    BuildEntryLanguageList();
    return true;
}

bool CVelmoraApp::IsAutomationStart(const QStringList& arguments)
{
    for (const QString& arg : arguments) {
        if (arg == QLatin1String("--automation") ||
            arg.compare(QLatin1String("-Embedding"), Qt::CaseInsensitive) == 0 ||
            arg.compare(QLatin1String("/Embedding"), Qt::CaseInsensitive) == 0 ||
            arg.compare(QLatin1String("-Automation"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void CVelmoraApp::StartSmsLibrary()
{
    SMSSetup setup;
    setup.outboxFolder = m_programFolder;
    // Serial devices beyond the usual USB ones, separated by ";" (optional in the store).
    QString ports;
    if (CVelmoraWrap::GetRegistryValue(QStringLiteral("Modem Ports"), ports))
        for (const QString& port : ports.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!port.trimmed().isEmpty())
                setup.modemPorts << port.trimmed();
    // The modem chosen in an earlier run, until the modem dialog chooses again.
    QString modemId;
    QString modemName;
    if (CVelmoraWrap::GetRegistryValue(QStringLiteral("Modem ID"), modemId) &&
        modemId.trimmed().toInt() >= 0 && !modemId.trimmed().isEmpty())
        CVelmoraWrap::GetRegistryValue(QStringLiteral("Modem Name"), modemName);
    setup.modemName = modemName;
    setup.loadString = [](int id) { return CVelmoraWrap::LoadString(id); };
    m_smsStarted = SMSInitialize(setup) == SMS_OK;
    if (!m_smsStarted) {
        m_smsAvailable = false;
        if (m_carrierId != 3 && m_shell)
            m_shell->ShowStartupMessage(CVelmoraError::Message(1641));
    }
}

bool CVelmoraApp::OpenPhoneLink(CVelmoraError& error)
{
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Quick Comm"), m_quickCommText);
    m_quickComm = m_quickCommText.trimmed().toInt();
    // The bench folder is optional in the settings store: older stores do not have it.
    QString bench;
    if (!CVelmoraWrap::GetRegistryValue(QStringLiteral("Phone Bench Folder"), bench) ||
        bench.trimmed().isEmpty())
        bench = QDir(m_programFolder).filePath(QStringLiteral("phones"));
    m_benchFolder = bench;
    AgentSetBenchFolder(bench);
    const int rc = AgentOpenLink(m_comPort & 0xFF, m_quickComm, AGENT_BAUD_RATE, m_usbPort);
    if (rc != AGENT_SUCCESS) {
        // Say why rather than vanish: the user can mend the bench folder or the port setting.
        error = CVelmoraError::FromAgentCode(rc);
        StartupLine(
            QStringLiteral("the phone link could not be opened (code %1, bench %2)").arg(rc).arg(bench));
        return false;
    }
    m_linkOpen = true;
    return true;
}

bool CVelmoraApp::ReadRegistry(const char* name, QString& value)
{
    if (CVelmoraWrap::GetRegistryValue(QString::fromLatin1(name), value))
        return true;
    StartupLine(QStringLiteral("the settings value \"%1\" is missing (settings file %2)")
                    .arg(QString::fromLatin1(name), CVelmoraWrap::SettingsStorePath()));
    return false;
}

bool CVelmoraApp::ReadRegistryInt(const char* name, int& value)
{
    QString text;
    if (!ReadRegistry(name, text))
        return false;
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok) {
        StartupLine(QStringLiteral("the settings value \"%1\" is not a number: \"%2\"")
                        .arg(QString::fromLatin1(name), text));
        return false;
    }
    value = number;
    return true;
}

bool CVelmoraApp::ReadIni(const QString& section, const QString& key, QString& value)
{
    if (CVelmoraWrap::GetCarrierIniValue(section, key, value))
        return true;
    const QString fileError = CVelmoraWrap::CarrierIniError();
    if (!fileError.isEmpty())
        StartupLine(QStringLiteral("the carrier settings cannot be read: %1").arg(fileError));
    else
        StartupLine(QStringLiteral("the carrier settings key \"%1\" in section [%2] is missing (%3)")
                        .arg(key, section, CVelmoraWrap::CarrierIniPath()));
    return false;
}

bool CVelmoraApp::ReadIniInt(const QString& section, const QString& key, int& value)
{
    QString text;
    if (!ReadIni(section, key, text))
        return false;
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok) {
        StartupLine(QStringLiteral("the carrier settings key \"%1\" in section [%2] is not a number: \"%3\"")
                        .arg(key, section, text));
        return false;
    }
    value = number;
    return true;
}

// A key that must exist but may be empty: an empty value takes the default, which is written back.
bool CVelmoraApp::ReadIniDefaulted(const QString& key, const QString& fallback, int& value)
{
    QString text;
    if (!ReadIni(kCarrierSection, key, text))
        return false;
    if (text.trimmed().isEmpty()) {
        text = fallback;
        CVelmoraWrap::SetCarrierIniValue(kCarrierSection, key, text);
    }
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    if (!ok) {
        StartupLine(QStringLiteral("the carrier settings key \"%1\" in section [%2] is not a number: \"%3\"")
                        .arg(key, kCarrierSection, text));
        return false;
    }
    return true;
}

bool CVelmoraApp::LoadSettings()
{
    QString text;
    if (!ReadRegistry("Velmora App Path", m_programFolder) || !ReadRegistry("Last PIM File", m_lastPimFile) ||
        !ReadRegistry("Initial Language", m_languageName))
        return false;
    m_languageCode = LanguageCodeOf(m_languageName);
    if (!ReadRegistryInt("Quick Comm", m_quickComm) || !ReadRegistryInt("USB Port", m_usbPort))
        return false;
    if (m_usbPort == -1)
        m_usbPort = 0;
    if (!ReadRegistryInt("COM Port", m_comPort) || !ReadRegistry("Codeplug Backup Path", m_backupFolder))
        return false;
    if (!m_backupFolder.endsWith(QLatin1Char('/')))
        m_backupFolder += QLatin1Char('/');

    // The carrier settings file lives in the program folder.
    CVelmoraWrap::SetAppPath(m_programFolder);
    if (!ReadIni(kTitleSection, QStringLiteral("Title"), m_appTitle) ||
        !ReadIniInt(kTitleSection, QStringLiteral("CarrierID"), m_carrierId) ||
        !ReadIni(kCarrierSection, QStringLiteral("Service Provider Name"), m_spName) ||
        !ReadIniInt(kCarrierSection, QStringLiteral("Service Provider City Sel"), m_spCitySel) ||
        !ReadIni(kCarrierSection, QStringLiteral("Service Provider City%1").arg(m_spCitySel), m_spCity) ||
        !ReadIni(kCarrierSection, QStringLiteral("Service Provider Phone%1").arg(m_spCitySel), m_spPhone) ||
        !ReadIni(kCarrierSection, QStringLiteral("Service Provider Prefix"), m_spPrefix) ||
        !ReadIniDefaulted(QStringLiteral("Service Provider Max SMS Length"), QStringLiteral("140"),
                          m_maxSmsLength) ||
        !ReadIniDefaulted(QStringLiteral("Service Provider NAM"), QStringLiteral("1"), m_spNam) ||
        !ReadIniInt(kCarrierSection, QStringLiteral("Service Provider Phone Only"), m_phoneOnly) ||
        !ReadIniInt(kCarrierSection, QStringLiteral("Service Provider Roaming"), m_roaming))
        return false;
    if (!ReadRegistryInt("Strip Extra Space", m_stripExtraSpace) ||
        !ReadRegistryInt("Auto Split", m_autoSplit) || !ReadRegistryInt("Add Index", m_addIndex) ||
        !ReadRegistryInt("Break Between Words", m_breakBetweenWords))
        return false;
    if (!ReadIniInt(QStringLiteral("Hide Simple List"), QStringLiteral("HideSimpleList"), m_hideSimpleList))
        return false;

    // Splitter positions are optional: missing or 0 gives 50.
    const auto split = [](const char* name) -> unsigned long {
        QString value;
        if (!CVelmoraWrap::GetRegistryValue(QString::fromLatin1(name), value))
            return 50;
        const unsigned long n = value.trimmed().toULong();
        return n == 0 ? 50 : n;
    };
    m_phoneBookSplit = split("Phonebook Split");
    m_dateBookSplit = split("Datebook Split");
    CVelmoraWrap::SetSplitterPos(m_phoneBookSplit, m_dateBookSplit);
    m_settingsLoaded = true;

    if (!ReadRegistry("Setup Flag", m_setupFlag))
        return false;
    // First run after installation for carrier 3: a Hebrew system starts in Hebrew.
    if (m_setupFlag == QLatin1String("1") && m_carrierId == 3) {
        if (m_systemIsHebrew && m_systemIsHebrew()) {
            m_languageCode = LangHebrew;
            m_languageName = QStringLiteral("Hebrew");
        }
        m_setupFlag.clear();
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Setup Flag"), m_setupFlag);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), m_languageName);
    }
    return true;
}

void CVelmoraApp::SetupFonts()
{
    QString face = QStringLiteral("Times New Roman");
    int points = 8;
    QFont::Weight weight = QFont::Bold;
    if (m_languageCode == LangHebrew) {
        // "Miriam" where it is installed, else a Hebrew face that is.
        face = QStringLiteral("Miriam");
        const QStringList families = QFontDatabase::families(QFontDatabase::Hebrew);
        if (!families.contains(face)) {
            for (const QString& candidate : {QStringLiteral("Miriam CLM"), QStringLiteral("Miriam Libre"),
                                             QStringLiteral("David CLM"), QStringLiteral("DejaVu Sans")}) {
                if (families.contains(candidate)) {
                    face = candidate;
                    break;
                }
            }
        }
        points = 9;
        weight = QFont::Normal;
    }
    m_gridFont = QFont(face, points, weight);
    m_gridFont2 = QFont(QStringLiteral("Times New Roman"), points, weight);
    m_plainFont = QFont(face);
    m_plainFont.setPixelSize(20);
    m_plainFont.setWeight(QFont::Normal);
    m_plainFont.setStyleHint(QFont::SansSerif);
}

bool CVelmoraApp::ProgramFolderWritable(const QString& folder)
{
    // A name of its own per call: programs started together must not remove each other's probe.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tem.XXXXXX")));
    probe.setAutoRemove(false);
    if (!probe.open())
        return false;
    const bool written = probe.write("0", 1) == 1 && probe.flush();
    probe.close();
    return probe.remove() && written;
}

bool CVelmoraApp::OpenAppDatabase(CVelmoraError& error)
{
    m_appDbConnection = QStringLiteral("VelmoraDB");
    m_appDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_appDbConnection);
    m_appDb.setDatabaseName(m_appDbPath);
    // An absent file must not be created empty: open it only when it is there and is a database.
    bool ok = QFileInfo(m_appDbPath).isFile();
    if (ok) {
        m_appDb.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY=0"));
        ok = m_appDb.open() && m_appDb.tables().contains(QStringLiteral("radio_model_types_table"));
    }
    if (!ok) {
        error = CVelmoraError::Message(1837);
        StartupLine(QStringLiteral("the application database %1 cannot be opened: %2")
                        .arg(m_appDbPath, m_appDb.lastError().text().isEmpty()
                                              ? QStringLiteral("missing or damaged")
                                              : m_appDb.lastError().text()));
        return false;
    }
    return true;
}

void CVelmoraApp::BuildEntryLanguageList()
{
    m_entryLanguageList.clear();
    for (int i = 0; i <= 9; ++i)
        m_entryLanguageList +=
            CVelmoraWrap::LoadString(1885 + i) + QLatin1Char('\t') + QString::number(i) + QLatin1Char('\n');
}

int CVelmoraApp::MapHelpContext(int contextId)
{
    const bool toolkit = (contextId >= 126720 && contextId <= 126723) || contextId == 262146 ||
                         (contextId >= 262152 && contextId <= 262162) || contextId == 387072 ||
                         (contextId >= 387099 && contextId <= 387101);
    return toolkit ? 131204 : contextId;
}

int CVelmoraApp::ExitInstance()
{
    // 1. Splitter positions back to the settings. A start that ended before it read the settings
    //    (handed over to the running instance, or stopped early) writes nothing: on an account
    //    without settings that would make a store holding only these two values, and every later
    //    start would then skip the first-run setup and stop for want of the rest.
    if (m_settingsLoaded) {
        unsigned long phoneBook = 0;
        unsigned long dateBook = 0;
        CVelmoraWrap::GetSplitterPos(phoneBook, dateBook);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Phonebook Split"), QString::number(phoneBook));
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Datebook Split"), QString::number(dateBook));
    }

    // 2. The SMS library stops (a send still running is cancelled before its next part).
    if (m_smsStarted) {
        SMSTerminate();
        m_smsStarted = false;
    }

    // 3. The main window goes; the language texts stay until the process ends (messages may still come).
    if (m_shell)
        m_shell->DestroyMainFrame();

    // 4. Application database.
    if (m_appDb.isOpen())
        m_appDb.close();
    m_modelRules.SetDatabase(QSqlDatabase());
    m_appDb = QSqlDatabase();
    if (!m_appDbConnection.isEmpty()) {
        QSqlDatabase::removeDatabase(m_appDbConnection);
        m_appDbConnection.clear();
    }
    // 5. Phone link.
    if (m_linkOpen) {
        AgentCloseLink();
        m_linkOpen = false;
    }
    m_instanceGuard.reset();
    return 0;
}

CAppSettings CVelmoraApp::Settings() const
{
    CAppSettings settings;
    settings.programFolder = m_programFolder;
    settings.templatePath = m_fleetTemplatePath;
    settings.languageName = m_languageName;
    settings.language = LanguageCode();
    settings.carrierId = m_carrierId;
    settings.smsAvailable = m_smsAvailable;
    settings.systemIsHebrew = SystemIsHebrew();
    settings.comPort = m_comPort;
    settings.quickComm = m_quickComm;
    settings.usbPort = m_usbPort;
    settings.backupFolder = m_backupFolder;
    settings.benchFolder = m_benchFolder;
    settings.stripExtraSpace = m_stripExtraSpace;
    settings.autoSplit = m_autoSplit;
    settings.addIndex = m_addIndex;
    settings.breakBetweenWords = m_breakBetweenWords;
    settings.helpFile = m_helpFile;
    settings.displayName = m_displayName;
    return settings;
}

void CVelmoraApp::ReloadOptions()
{
    CAppSettings settings = Settings();
    settings.ReloadOptions();
    m_comPort = settings.comPort;
    m_usbPort = settings.usbPort;
    m_quickComm = settings.quickComm;
    m_backupFolder = settings.backupFolder;
    m_benchFolder = settings.benchFolder;
    m_stripExtraSpace = settings.stripExtraSpace;
    m_autoSplit = settings.autoSplit;
    m_addIndex = settings.addIndex;
    m_breakBetweenWords = settings.breakBetweenWords;
    Q_EMIT settingsChanged(settings);
}
