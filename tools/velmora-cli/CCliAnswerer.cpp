#include "CCliAnswerer.h"

#include "CCliTexts.h"
#include "CStderrAnswerer.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "FleetMessageIds.h"

#include <QTextStream>

CCliAnswerer::CPreset::CPreset(CCliAnswerer& answerer, int messageId, int answer)
    : m_answerer(answerer), m_id(messageId)
{
    m_answerer.m_presets.insert(messageId, answer);
}

CCliAnswerer::CPreset::~CPreset()
{
    m_answerer.m_presets.remove(m_id);
}

void CCliAnswerer::SetOption(int messageId, const QString& option, bool given, bool accepted)
{
    m_options.insert(messageId, Option{option, given, accepted});
}

void CCliAnswerer::SetYes(bool given, bool accepted)
{
    m_yes.given = given;
    m_yes.accepted = accepted;
}

void CCliAnswerer::SetAppendAnswer(bool overwriteAll, bool skipAll)
{
    m_overwriteAll = overwriteAll;
    m_skipAll = skipAll;
}

void CCliAnswerer::Print(const char* kind, int id, const QString& text)
{
    // One message, one line: scripts read stderr line by line.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (id != 0)
        m_err << "velmora: " << kind << ' ' << id << ": " << line << '\n';
    else
        m_err << "velmora: " << kind << ": " << line << '\n';
    m_err.flush();
    m_shown << id;
}

int CCliAnswerer::NoAnswer(const QString& options, bool accepted, int cautious)
{
    // The question's own line, with its id, is just above.
    m_unanswered = true;
    if (accepted)
        m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::NotAnswered, {options}) << '\n';
    else
        m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::CannotAnswer) << '\n';
    m_err.flush();
    return cautious;
}

int CCliAnswerer::Answer(const CVelmoraMessage& message)
{
    const bool question = message.type == VMT_YESNO || message.type == VMT_YESNOCANCEL;
    const auto preset = m_presets.constFind(message.id);
    if (question && preset != m_presets.constEnd())
        return preset.value();

    switch (message.type) {
    case VMT_NOTICE:
        Print("notice", message.id, message.text);
        return IDOK;
    case VMT_YESNO:
    case VMT_YESNOCANCEL: {
        Print("question", message.id, message.text);
        if (message.id == FleetMsg::CrashedSession)
            return AnswerRecovery();
        const auto own = m_options.constFind(message.id);
        const Option& option = own != m_options.constEnd() ? own.value() : m_yes;
        if (option.given)
            return IDYES;
        return NoAnswer(option.name, option.accepted, CStderrAnswerer::CautiousAnswer(message.type));
    }
    default:
        ++m_errors;
        Print("error", message.id, message.text);
        return IDOK;
    }
}

void CCliAnswerer::SetRecoveryAnswer(bool keepUnsaved, bool lastSaved, bool accepted)
{
    m_keepUnsaved = keepUnsaved;
    m_lastSaved = lastSaved;
    m_recoveryAccepted = accepted;
}

int CCliAnswerer::AnswerRecovery()
{
    if (m_keepUnsaved)
        return IDYES;
    if (m_lastSaved)
        return IDNO;
    // Neither state is chosen for the user: both files stay as they are.
    return NoAnswer(CCliTexts::Text(CliMsg::EitherOption,
                                    {QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")}),
                    m_recoveryAccepted, IDCANCEL);
}

int CCliAnswerer::AskOverwrite(const QString& imei)
{
    QString text = CVelmoraWrap::LoadString(FleetMsg::OverwriteQuestion);
    text = text.contains(QLatin1String("%1")) ? text.arg(imei) : text + QLatin1Char(' ') + imei;
    Print("question", FleetMsg::OverwriteQuestion, text);
    if (m_overwriteAll)
        return OverwriteAll;
    if (m_skipAll)
        return SkipAll;
    // Skip all: no further question, and the failure makes the caller put the fleet back as it was.
    return NoAnswer(CCliTexts::Text(CliMsg::EitherOption,
                                    {QStringLiteral("--overwrite-all"), QStringLiteral("--skip-all")}),
                    true, SkipAll);
}
