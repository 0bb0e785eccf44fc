#include "CVelmoraWrap.h"

#include "CVelmoraError.h"
#include "IVelmoraQuestion.h"

#include "CIniFile.h"
#include "CResourceStrings.h"
#include "CStderrAnswerer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>
#include <cerrno>
#include <signal.h>

namespace {

struct WrapState
{
    CStderrAnswerer stderrAnswerer;
    IVelmoraAnswerer* answerer = nullptr;
    std::shared_ptr<const CResourceStrings> strings;
    QString appPath;
    CIniFile ini;
    bool iniLoaded = false;
    QDateTime iniModified;
    qint64 iniSize = -1;
    QString iniError;
    unsigned long phoneBookSplit = 50;
    unsigned long dateBookSplit = 50;
};

WrapState& State()
{
    static WrapState state;
    return state;
}

bool ProcessAlive(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// True when no live writer holds the store's lock any more (a lock left by a dead one is removed).
bool RecoverSettingsLock(const QString& lockPath)
{
    if (!QFileInfo::exists(lockPath))
        return true;
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    qint64 pid = 0;
    QString host;
    QString app;
    bool stale = false;
    if (lock.getLockInfo(&pid, &host, &app)) {
        stale = (host.isEmpty() || host == QSysInfo::machineHostName()) && !ProcessAlive(pid);
    } else {
        // Killed between creating the lock and naming itself in it: a live owner names itself at once.
        const QDateTime created = QFileInfo(lockPath).lastModified();
        stale = created.msecsTo(QDateTime::currentDateTime()) > 1000;
    }
    // Removal fails while a live owner still holds the lock file open and locked.
    return stale && lock.removeStaleLockFile();
}

// A writer killed while saving leaves its lock, which would stall the next writer for half a minute, and
// may leave its temporary copy beside the store. Both are cleared before the store is used.
void RecoverSettingsStore(const QString& path)
{
    if (!RecoverSettingsLock(path + QStringLiteral(".lock")))
        return;
    const QFileInfo store(path);
    const QRegularExpression temporary(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(store.fileName())));
    const QDateTime old = QDateTime::currentDateTime().addSecs(-60);
    const QFileInfoList entries =
        store.dir().entryInfoList({store.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (temporary.match(entry.fileName()).hasMatch() && entry.lastModified() < old)
            QFile::remove(entry.filePath());
    }
}

QSettings OpenSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                     QStringLiteral("Velmora"));
}

QSettings Settings()
{
    RecoverSettingsStore(OpenSettings().fileName());
    return OpenSettings();
}

int CaptionId(VELMORA_MSG_TYPE type)
{
    switch (type) {
    case VMT_NOTICE:
        return CVelmoraWrap::IdCaptionNotice;
    case VMT_YESNO:
    case VMT_YESNOCANCEL:
        return CVelmoraWrap::IdCaptionQuestion;
    default:
        return CVelmoraWrap::IdCaptionError;
    }
}

int Deliver(CVelmoraMessage message)
{
    message.caption = CVelmoraWrap::LoadString(CaptionId(message.type));
    if (message.caption.isEmpty())
        message.caption = QStringLiteral("Velmora");
    const int answer = CVelmoraWrap::Answerer()->Answer(message);
    // Whatever the answerer does, callers only ever see answers that exist for the kind.
    switch (message.type) {
    case VMT_YESNO:
        return answer == IDYES ? IDYES : IDNO;
    case VMT_YESNOCANCEL:
        return (answer == IDYES || answer == IDNO) ? answer : IDCANCEL;
    default:
        return IDOK;
    }
}

// Reloads the carrier INI when it changed on disk since it was last read.
bool EnsureIni()
{
    WrapState& s = State();
    const QString path = CVelmoraWrap::CarrierIniPath();
    const QFileInfo info(path);
    if (!info.exists()) {
        s.iniLoaded = false;
        s.iniError = QStringLiteral("%1: the file does not exist").arg(path);
        return false;
    }
    if (s.iniLoaded && info.lastModified() == s.iniModified && info.size() == s.iniSize)
        return true;
    s.iniLoaded = s.ini.Load(path);
    s.iniError = s.iniLoaded ? QString() : s.ini.ErrorString();
    s.iniModified = info.lastModified();
    s.iniSize = info.size();
    return s.iniLoaded;
}

} // namespace

int CVelmoraWrap::ShowError(int messageId, VELMORA_MSG_TYPE type)
{
    CVelmoraMessage message;
    message.id = messageId;
    message.type = type;
    message.text = LoadString(messageId);
    if (message.text.isEmpty())
        message.text = QStringLiteral("Message %1").arg(messageId);
    return Deliver(message);
}

int CVelmoraWrap::ShowError(const QString& text, VELMORA_MSG_TYPE type)
{
    CVelmoraMessage message;
    message.type = type;
    message.text = text;
    return Deliver(message);
}

bool CVelmoraWrap::AgentErrorStops(AGENT_RET_CODE code)
{
    return !(code == 1 || code == -2 || code == -23 || code == -24 || code == -25);
}

int CVelmoraWrap::ShowError(const CVelmoraError& error)
{
    if (!error.IsError() || error.IsCancelled())
        return IDOK;
    CVelmoraMessage message;
    message.type = error.Type();
    message.text = error.ToText();
    if (error.GetKind() == CVelmoraError::Kind::Message)
        message.id = error.Id();
    return Deliver(message);
}

namespace {

class CSharedQuestion : public IVelmoraQuestion
{
public:
    int Ask(const CVelmoraError& question) override { return CVelmoraWrap::ShowError(question); }
};

} // namespace

IVelmoraQuestion& IVelmoraQuestion::Shared()
{
    static CSharedQuestion shared;
    return shared;
}

bool CVelmoraWrap::ShowErrors(bool result, const QList<CVelmoraError>& errors)
{
    for (const CVelmoraError& error : errors)
        ShowError(error);
    return result;
}

int CVelmoraWrap::HandleAgentAPIErrors(AGENT_RET_CODE code)
{
    // A completed write with a remark: the user hears the remark, the operation goes on.
    const CVelmoraError error = CVelmoraError::FromAgentCode(code);
    ShowError(error);
    return error.Stops() ? 1 : 0;
}

int CVelmoraWrap::HandleVelmoraError(VELMORA_RET_CODE code)
{
    ShowError(CVelmoraError::FromVelmoraCode(code));
    return 1;
}

bool CVelmoraWrap::GetRegistryValue(const QString& name, QString& value)
{
    return GetGroupValue(QString(), name, value);
}

bool CVelmoraWrap::SetRegistryValue(const QString& name, const QString& value)
{
    return SetGroupValue(QString(), name, value);
}

bool CVelmoraWrap::SetRegistryValues(const QList<QPair<QString, QString>>& values)
{
    QSettings settings = Settings();
    for (const auto& [name, value] : values)
        settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CVelmoraWrap::GetGroupValue(const QString& group, const QString& name, QString& value)
{
    QSettings settings = Settings();
    if (settings.status() != QSettings::NoError)
        return false;
    if (!group.isEmpty())
        settings.beginGroup(group);
    const QVariant stored = settings.value(name);
    if (!stored.isValid() || !stored.canConvert<QString>())
        return false;
    value = stored.toString();
    return true;
}

bool CVelmoraWrap::SetGroupValue(const QString& group, const QString& name, const QString& value)
{
    QSettings settings = Settings();
    if (!group.isEmpty())
        settings.beginGroup(group);
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CVelmoraWrap::SettingsStoreExists()
{
    return QFileInfo::exists(SettingsStorePath());
}

QString CVelmoraWrap::SettingsStorePath()
{
    return OpenSettings().fileName();
}

bool CVelmoraWrap::GetCarrierIniValue(const QString& section, const QString& key, QString& value)
{
    if (!EnsureIni())
        return false;
    return State().ini.Value(section, key, value);
}

bool CVelmoraWrap::SetCarrierIniValue(const QString& section, const QString& key, const QString& value)
{
    WrapState& s = State();
    if (!EnsureIni())
        return false;
    CIniFile changed = s.ini;
    if (!changed.SetValue(section, key, value) || !changed.Save(CarrierIniPath())) {
        s.iniError = changed.ErrorString();
        return false;
    }
    s.ini = changed;
    const QFileInfo info(CarrierIniPath());
    s.iniModified = info.lastModified();
    s.iniSize = info.size();
    return true;
}

void CVelmoraWrap::SetAppPath(const QString& programFolder)
{
    WrapState& s = State();
    s.appPath = programFolder;
    s.iniLoaded = false;
    s.iniError.clear();
}

QString CVelmoraWrap::CarrierIniPath()
{
    return QDir(State().appPath).filePath(QStringLiteral("Carrier.ini"));
}

QString CVelmoraWrap::CarrierIniError()
{
    return State().iniError;
}

void CVelmoraWrap::GetSplitterPos(unsigned long& phoneBook, unsigned long& dateBook)
{
    phoneBook = State().phoneBookSplit;
    dateBook = State().dateBookSplit;
}

void CVelmoraWrap::SetSplitterPos(unsigned long phoneBook, unsigned long dateBook)
{
    State().phoneBookSplit = phoneBook;
    State().dateBookSplit = dateBook;
}

QString CVelmoraWrap::strVARIANT(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODate);
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

void CVelmoraWrap::SetResourceStrings(std::shared_ptr<const CResourceStrings> strings)
{
    State().strings = std::move(strings);
}

std::shared_ptr<const CResourceStrings> CVelmoraWrap::ResourceStrings()
{
    return State().strings;
}

QString CVelmoraWrap::LoadString(int id)
{
    const auto& strings = State().strings;
    return strings ? strings->Text(id) : QString();
}

QString CVelmoraWrap::FillArgs(const QString& text, const QStringList& args)
{
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 1 < text.size() && text.at(i + 1).isDigit() &&
            text.at(i + 1) != QLatin1Char('0')) {
            int n = text.at(i + 1).digitValue();
            int end = i + 2;
            if (end < text.size() && text.at(end).isDigit()) {
                n = n * 10 + text.at(end).digitValue();
                ++end;
            }
            if (n <= args.size()) {
                result += args.at(n - 1);
                i = end - 1;
                continue;
            }
        }
        result += c;
    }
    return result;
}

IVelmoraAnswerer* CVelmoraWrap::SetAnswerer(IVelmoraAnswerer* answerer)
{
    IVelmoraAnswerer* previous = Answerer();
    State().answerer = answerer;
    return previous;
}

IVelmoraAnswerer* CVelmoraWrap::Answerer()
{
    WrapState& s = State();
    return s.answerer ? s.answerer : &s.stderrAnswerer;
}
