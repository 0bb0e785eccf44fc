#include "Sms.h"

#include "CAtModem.h"
#include "CSmsSplitter.h"
#include "CSmsStatus.h"
#include "CVirtualModem.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <memory>

namespace {

struct LibraryState
{
    QMutex mutex; // guards everything below but the atomics
    bool initialized = false;
    SMSSetup setup;
    QStringList modems{QString::fromLatin1(SMS_VIRTUAL_MODEM_NAME)};
    QString chosen;
    std::atomic<bool> sending{false};
    std::atomic<bool> cancel{false};
};

LibraryState& State()
{
    static LibraryState state;
    return state;
}

QString Text(const SMSSetup& setup, int id)
{
    return setup.loadString ? setup.loadString(id) : QString();
}

// Fills %1..%9 in one pass, so a value holding "%2" stays as it is.
QString Fill(const QString& text, const QStringList& args)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= args.size()) {
                out += args.at(n - 1);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QStringList UsualDevices()
{
    QStringList paths;
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& name : dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                             QDir::System | QDir::Files, QDir::Name))
        paths << dev.filePath(name);
    return paths;
}

bool IsPhoneNumber(const QByteArray& number)
{
    if (number.isEmpty())
        return false;
    for (int i = 0; i < number.size(); ++i) {
        const char c = number.at(i);
        if (!((c >= '0' && c <= '9') || c == '*' || c == '#' || (c == '+' && i == 0)))
            return false;
    }
    return true;
}

// What SMSSendMessage reads from a request.
struct ParsedRequest
{
    CSmsSplitter::Options split;
    CSmsModem::Context context;
    QList<QByteArray> numbers;
    QString message;
};

// SMS_OK, or SMS_ERR_BAD_REQUEST with *detail the field and *index the recipient at fault.
int Parse(const char* r, ParsedRequest* out, int* detail, int* index)
{
    out->split.breakWords = SmsRecord::ReadInt(r, SMS_OFF_BREAK_WORDS) != 0;
    out->split.autoSplit = SmsRecord::ReadInt(r, SMS_OFF_AUTO_SPLIT) != 0;
    out->split.stripSpace = SmsRecord::ReadInt(r, SMS_OFF_STRIP_SPACE) != 0;
    out->split.addIndex = SmsRecord::ReadInt(r, SMS_OFF_ADD_INDEX) != 0;
    out->split.maxLength = SmsRecord::ReadInt(r, SMS_OFF_MAX_LENGTH);
    out->context.option = SmsRecord::ReadInt(r, SMS_OFF_OPTION) != 0;
    out->context.optionValue = SmsRecord::ReadText(r, SMS_OFF_OPTION_VALUE, SMS_OPTION_VALUE_SIZE);
    out->context.serviceCentre = SmsRecord::ReadText(r, SMS_OFF_SC_NUMBER, SMS_TEXT_FIELD_SIZE);

    const int count = SmsRecord::ReadInt(r, SMS_OFF_RECIPIENT_COUNT);
    if (count < 1 || count > SMS_RECIPIENT_SLOTS) {
        *detail = SMS_FIELD_RECIPIENT_COUNT;
        return SMS_ERR_BAD_REQUEST;
    }
    for (int i = 0; i < count; ++i) {
        const int offset = SMS_OFF_RECIPIENTS + i * SMS_RECIPIENT_SIZE;
        const QByteArray number = SmsRecord::ReadText(r, offset, SMS_RECIPIENT_SIZE);
        // A slot filled to its last byte has lost its terminator: the number was cut.
        if (number.size() >= SMS_RECIPIENT_SIZE || !IsPhoneNumber(number)) {
            *detail = SMS_FIELD_RECIPIENT;
            *index = i;
            return SMS_ERR_BAD_REQUEST;
        }
        out->numbers << number;
    }
    const QByteArray message = SmsRecord::ReadText(r, SMS_OFF_MESSAGE, SMS_MESSAGE_SIZE);
    if (message.size() >= SMS_MESSAGE_SIZE) {
        *detail = SMS_FIELD_MESSAGE;
        return SMS_ERR_BAD_REQUEST;
    }
    out->message = QString::fromLatin1(message);
    if (out->split.maxLength < 1) {
        *detail = SMS_FIELD_MAX_LENGTH;
        return SMS_ERR_BAD_REQUEST;
    }
    return SMS_OK;
}

std::unique_ptr<CSmsModem> MakeModem(const QString& name, const SMSSetup& setup)
{
    if (name == QLatin1String(SMS_VIRTUAL_MODEM_NAME))
        return std::make_unique<CVirtualModem>(
            QDir(setup.outboxFolder).filePath(QLatin1String(SMS_OUTBOX_FILE)));
    return std::make_unique<CAtModem>(name);
}

} // namespace

int SMSInitialize(const SMSSetup& setup)
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (setup.outboxFolder.isEmpty() || !setup.loadString)
        return SMS_ERR_BAD_SETUP;
    s.setup = setup;
    s.modems = QStringList{QString::fromLatin1(SMS_VIRTUAL_MODEM_NAME)};
    s.chosen = setup.modemName;
    s.cancel = false;
    s.initialized = true;
    return SMS_OK;
}

int SMSTerminate()
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (s.sending)
        s.cancel = true;
    s.initialized = false;
    s.chosen.clear();
    return SMS_OK;
}

int SMSGetModemCount(int* count)
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (!s.initialized)
        return SMS_ERR_NOT_INITIALIZED;
    QStringList candidates = s.setup.scanUsualDevices ? UsualDevices() : QStringList();
    for (const QString& port : s.setup.modemPorts)
        if (!port.trimmed().isEmpty() && !candidates.contains(port.trimmed()))
            candidates << port.trimmed();
    QStringList modems{QString::fromLatin1(SMS_VIRTUAL_MODEM_NAME)};
    for (const QString& path : candidates)
        if (QFileInfo::exists(path) && CAtModem::Probe(path, s.setup.scanTimeoutMs))
            modems << path;
    s.modems = modems;
    *count = int(modems.size());
    return SMS_OK;
}

int SMSGetModemName(int index, QString* name)
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (!s.initialized)
        return SMS_ERR_NOT_INITIALIZED;
    if (index < 0 || index >= s.modems.size())
        return SMS_ERR_NO_MODEM;
    *name = s.modems.at(index);
    return SMS_OK;
}

int SMSSetConfiguration(const SMSConfiguration& config)
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (!s.initialized)
        return SMS_ERR_NOT_INITIALIZED;
    if (config.modemIndex < 0 || config.modemIndex >= s.modems.size())
        return SMS_ERR_BAD_CONFIG;
    s.chosen = s.modems.at(config.modemIndex);
    return SMS_OK;
}

int SMSCancel()
{
    // Under the lock, so a request can neither slip past the start of a send nor outlive its end.
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    if (s.sending)
        s.cancel = true;
    return SMS_OK;
}

int SMSGetErrString(int code, int detail, QString* text)
{
    LibraryState& s = State();
    QMutexLocker lock(&s.mutex);
    const SMSSetup& setup = s.setup;
    QString base = code >= 1 && code <= SMS_ERR_LAST
                       ? Text(setup, SMS_TEXT_BASE + code)
                       : Fill(Text(setup, SMS_TEXT_UNKNOWN_ERROR), {QString::number(code)});
    if (base.isEmpty())
        base = QString::number(code);
    if (detail != 0) {
        const bool stepDetail =
            code == SMS_ERR_NO_ANSWER || code == SMS_ERR_MODEM_ERROR || code == SMS_ERR_LINE_LOST;
        QString detailText = stepDetail && detail >= SMS_STEP_ATTENTION && detail <= SMS_STEP_SUBMIT
                                 ? Text(setup, SMS_TEXT_STEP_BASE + detail)
                                 : QString();
        if (detailText.isEmpty())
            detailText = QString::number(detail);
        const QString format = Text(setup, SMS_TEXT_DETAIL);
        base = format.isEmpty() ? base + QLatin1Char(' ') + detailText : Fill(format, {base, detailText});
    }
    *text = base;
    return s.initialized || setup.loadString ? SMS_OK : SMS_ERR_NOT_INITIALIZED;
}

namespace {

// Clears the sending mark and the cancel request however a send ends.
struct SendingMark
{
    ~SendingMark()
    {
        QMutexLocker lock(&State().mutex);
        State().cancel = false;
        State().sending = false;
    }
};

int Finish(char* request, int index, int detail, int result)
{
    SmsRecord::WriteInt(request, SMS_OFF_CURRENT, index);
    SmsRecord::WriteShort(request, SMS_OFF_DETAIL, int16_t(detail));
    return result;
}

} // namespace

int SMSSendMessage(CSmsStatus* status, char* request)
{
    LibraryState& s = State();
    SMSSetup setup;
    QString chosen;
    {
        QMutexLocker lock(&s.mutex);
        if (!s.initialized)
            return SMS_ERR_NOT_INITIALIZED;
        if (s.sending)
            return SMS_ERR_BUSY;
        s.cancel = false;
        s.sending = true;
        setup = s.setup;
        chosen = s.chosen;
    }
    SendingMark mark;
    int index = 0;
    int detail = 0;
    Finish(request, 0, 0, SMS_OK);

    ParsedRequest parsed;
    if (int rc = Parse(request, &parsed, &detail, &index))
        return Finish(request, index, detail, rc);
    int rc = SMS_OK;
    const QStringList parts = CSmsSplitter::Split(parsed.message, parsed.split, &rc);
    if (rc)
        return Finish(request, 0, rc == SMS_ERR_BAD_REQUEST ? SMS_FIELD_MAX_LENGTH : 0, rc);
    if (chosen.isEmpty())
        return Finish(request, 0, 0, SMS_ERR_NO_MODEM);

    auto say = [&](int id, const QStringList& args) {
        if (status)
            Q_EMIT status->StatusText(Fill(Text(setup, id), args));
    };
    parsed.context.answerTimeoutMs = setup.answerTimeoutMs;
    parsed.context.submitTimeoutMs = setup.submitTimeoutMs;
    std::unique_ptr<CSmsModem> modem = MakeModem(chosen, setup);
    say(SMS_TEXT_STATUS_OPENING, {chosen});
    if (status)
        Q_EMIT status->Progress(0);
    if ((rc = modem->Open(parsed.context, &detail)))
        return Finish(request, 0, detail, rc);

    const int total = int(parsed.numbers.size() * parts.size());
    int done = 0;
    for (index = 0; index < parsed.numbers.size(); ++index) {
        SmsRecord::WriteInt(request, SMS_OFF_CURRENT, index);
        for (int part = 0; part < parts.size(); ++part) {
            if (s.cancel) {
                say(SMS_TEXT_STATUS_CANCELLING, {});
                modem->Close();
                return Finish(request, index, 0, SMS_ERR_CANCELLED);
            }
            if (status && done == total - 1)
                Q_EMIT status->CancelEnabled(false);
            say(SMS_TEXT_STATUS_SENDING,
                {QString::number(part + 1), QString::number(parts.size()),
                 QString::fromLatin1(parsed.numbers.at(index)), QString::number(index + 1),
                 QString::number(parsed.numbers.size())});
            if ((rc = modem->SendPart(parsed.numbers.at(index), parts.at(part).toLatin1(), &detail))) {
                modem->Close();
                return Finish(request, index, detail, rc);
            }
            ++done;
            if (status)
                Q_EMIT status->Progress(done * 100 / total);
        }
    }
    modem->Close();
    say(SMS_TEXT_STATUS_DONE, {});
    return Finish(request, parsed.numbers.size() - 1, 0, SMS_OK);
}
