#include "CCliArguments.h"

#include "CCliTexts.h"
#include "CliMessageIds.h"
#include "ExchangeMessageIds.h"

namespace {

const QString kProgramFolder = QStringLiteral("--program-folder");
const QString kTool = QStringLiteral("velmora-cli");
const QString kToolSynopsis = QStringLiteral("velmora-cli [--program-folder DIR]");

// An option of the help: its name in a column of its own, the text beside it (its lines too).
QString OptionLine(const QString& option, const QString& text)
{
    const int column = 25;
    const QString head = QStringLiteral("  ") + option;
    QString line = head.leftJustified(column - 1) + QLatin1Char(' ');
    const QStringList lines = text.split(QLatin1Char('\n'));
    line += lines.value(0) + QLatin1Char('\n');
    for (const QString& more : lines.mid(1))
        line += QString(column, QLatin1Char(' ')) + more + QLatin1Char('\n');
    return line;
}

QString EndLine(QString text)
{
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

} // namespace

const QList<CCliArguments::Command>& CCliArguments::Commands()
{
    static const QList<Command> commands{
        {QStringLiteral("new"), QStringLiteral("FILE"), CliMsg::HelpNew, 1, 1, {}, {}},
        {QStringLiteral("info"), QStringLiteral("FILE"), CliMsg::HelpInfo, 1, 1, {}, {}},
        {QStringLiteral("store"), QStringLiteral("FILE"), CliMsg::HelpStore, 1, 1, {}, {}},
        {QStringLiteral("expand"), QStringLiteral("FILE"), CliMsg::HelpExpand, 1, 1, {}, {}},
        {QStringLiteral("upgrade"),
         QStringLiteral("FILE [--yes] [--keep-unsaved | --last-saved]"),
         CliMsg::HelpUpgrade,
         1,
         1,
         {QStringLiteral("--yes"), QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")},
         {}},
        {QStringLiteral("units"),
         QStringLiteral("FILE [--csv]"),
         CliMsg::HelpUnits,
         1,
         1,
         {QStringLiteral("--csv")},
         {}},
        {QStringLiteral("show"), QStringLiteral("FILE IMEI"), CliMsg::HelpShow, 2, 2, {}, {}},
        {QStringLiteral("append"),
         QStringLiteral("DEST SRC [--overwrite-all | --skip-all] [--yes] [--keep-unsaved | --last-saved]"),
         CliMsg::HelpAppend,
         2,
         2,
         {QStringLiteral("--overwrite-all"), QStringLiteral("--skip-all"), QStringLiteral("--yes"),
          QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")},
         {}},
        {QStringLiteral("delete"),
         QStringLiteral("FILE IMEI... [--yes] [--keep-unsaved | --last-saved]"),
         CliMsg::HelpDelete,
         2,
         -1,
         {QStringLiteral("--yes"), QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")},
         {}},
        {QStringLiteral("talkgroups"),
         QStringLiteral("FILE [--nam N] [--members] [--csv]"),
         CliMsg::HelpTalkgroups,
         1,
         1,
         {QStringLiteral("--members"), QStringLiteral("--csv")},
         {QStringLiteral("--nam")}},
        {QStringLiteral("autofill"),
         QStringLiteral("FILE [--yes] [--keep-unsaved | --last-saved]"),
         ExchangeMsg::HelpAutoFill,
         1,
         1,
         {QStringLiteral("--yes"), QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")},
         {}},
        {QStringLiteral("read-phone"),
         QStringLiteral("FILE [--replace] [--pin PIN] [--yes] [--keep-unsaved | --last-saved]"),
         CliMsg::HelpReadPhone,
         1,
         1,
         {QStringLiteral("--replace"), QStringLiteral("--yes"), QStringLiteral("--keep-unsaved"),
          QStringLiteral("--last-saved")},
         {QStringLiteral("--pin")}},
        {QStringLiteral("write-phone"),
         QStringLiteral("FILE [--imei IMEI] [--pin PIN]"),
         CliMsg::HelpWritePhone,
         1,
         1,
         {},
         {QStringLiteral("--imei"), QStringLiteral("--pin")}},
        {QStringLiteral("copy"),
         QStringLiteral("FILE IMEI --items LIST [--reset] [--pin PIN]"),
         7842, // the Copy Wizard's write, from the command line
         2,
         2,
         {QStringLiteral("--reset")},
         {QStringLiteral("--items"), QStringLiteral("--pin")}},
        {QStringLiteral("recover"),
         QStringLiteral("[BACKUP.dbf] [--yes]"),
         CliMsg::HelpRecover,
         0,
         1,
         {QStringLiteral("--yes")},
         {}},
    };
    return commands;
}

const CCliArguments::Command* CCliArguments::Find(const QString& name)
{
    for (const Command& command : Commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString CCliArguments::Summary(const Command& command)
{
    return CCliTexts::Text(command.textId).section(QLatin1Char('\n'), 0, 0);
}

QString CCliArguments::Usage()
{
    QString text =
        CCliTexts::Text(CliMsg::Usage, {kToolSynopsis + QStringLiteral(" COMMAND [ARGUMENTS]")}) +
        QStringLiteral("\n\n") +
        EndLine(CCliTexts::Text(CliMsg::HelpIntro, {QStringLiteral("\"velmora: KIND ID: TEXT\"")})) +
        QLatin1Char('\n') + CCliTexts::Text(CliMsg::HelpCommands) + QLatin1Char('\n');
    for (const Command& command : Commands()) {
        text += QStringLiteral("  %1 %2\n").arg(command.name, command.synopsis);
        text += QStringLiteral("      ") + Summary(command) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + CCliTexts::Text(CliMsg::HelpOptions) + QLatin1Char('\n') +
            OptionLine(kProgramFolder + QStringLiteral(" DIR"), CCliTexts::Text(CliMsg::HelpProgramFolder)) +
            OptionLine(QStringLiteral("-h, --help"), CCliTexts::Text(CliMsg::HelpHelp)) + QLatin1Char('\n') +
            EndLine(CCliTexts::Text(CliMsg::HelpExitStatus));
    return text;
}

QString CCliArguments::CommandHelp(const Command& command)
{
    const QString details = CCliTexts::Text(command.textId).section(QLatin1Char('\n'), 1);
    return CCliTexts::Text(CliMsg::Usage,
                           {QStringLiteral("%1 %2 %3").arg(kToolSynopsis, command.name, command.synopsis)}) +
           QStringLiteral("\n\n") + EndLine(details) + QLatin1Char('\n') +
           CCliTexts::Text(CliMsg::HelpOptions) + QLatin1Char('\n') +
           OptionLine(kProgramFolder + QStringLiteral(" DIR"), CCliTexts::Text(CliMsg::HelpProgramFolder));
}

QString CCliArguments::ProgramFolderIn(const QStringList& args)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (arg == kProgramFolder)
            return args.value(i + 1);
        if (arg.startsWith(kProgramFolder + QLatin1Char('=')))
            return arg.mid(kProgramFolder.size() + 1);
    }
    return QString();
}

QString CCliArguments::Error() const
{
    return m_errorId != 0 ? CCliTexts::Text(m_errorId, m_errorValues) : QString();
}

bool CCliArguments::Fail(int textId, const QStringList& values)
{
    m_errorId = textId;
    m_errorValues = values;
    return false;
}

bool CCliArguments::Accepts(const QString& option) const
{
    const Command* command = Find(m_command);
    return option == kProgramFolder ||
           (command && (command->flags.contains(option) || command->valueOptions.contains(option)));
}

bool CCliArguments::SplitWords(const QStringList& args, QStringList& words, OptionList& options)
{
    bool onlyOperands = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (onlyOperands || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            words << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyOperands = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            m_help = true;
            continue;
        }
        QString name = arg;
        QString value;
        const int equals = arg.indexOf(QLatin1Char('='));
        if (equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
        }
        const bool takesValue = name == kProgramFolder || name == QLatin1String("--nam") ||
                                name == QLatin1String("--imei") || name == QLatin1String("--pin") ||
                                name == QLatin1String("--items");
        if (takesValue && equals < 0) {
            if (i + 1 >= args.size())
                return Fail(CliMsg::NeedsValue, {name});
            value = args.at(++i);
        } else if (!takesValue && equals > 0) {
            return Fail(CliMsg::TakesNoValue, {name});
        }
        options.append({name, takesValue ? value : QString()});
    }
    return true;
}

bool CCliArguments::CheckOperandsAndValues(const Command& command)
{
    if (m_operands.size() < command.minOperands ||
        (command.maxOperands >= 0 && m_operands.size() > command.maxOperands))
        return Fail(CliMsg::Usage, {QStringLiteral("%1 %2 %3").arg(kTool, command.name, command.synopsis)});
    for (const QString& operand : m_operands) {
        if (operand.isEmpty())
            return Fail(CliMsg::ArgumentEmpty, {m_command});
    }
    if (Has(QStringLiteral("--keep-unsaved")) && Has(QStringLiteral("--last-saved")))
        return Fail(CliMsg::ExcludeEachOther,
                    {QStringLiteral("--keep-unsaved"), QStringLiteral("--last-saved")});
    if (Has(QStringLiteral("--overwrite-all")) && Has(QStringLiteral("--skip-all")))
        return Fail(CliMsg::ExcludeEachOther,
                    {QStringLiteral("--overwrite-all"), QStringLiteral("--skip-all")});
    if (HasValue(QStringLiteral("--nam"))) {
        bool ok = false;
        const int nam = Value(QStringLiteral("--nam")).toInt(&ok);
        if (!ok || nam < 1 || nam > 3)
            return Fail(CliMsg::NamRange, {QStringLiteral("--nam")});
    }
    if (HasValue(kProgramFolder) && Value(kProgramFolder).isEmpty())
        return Fail(CliMsg::NeedsFolder, {kProgramFolder});
    return true;
}

bool CCliArguments::Parse(const QStringList& args)
{
    QStringList words;
    OptionList options;
    if (!SplitWords(args, words, options))
        return false;

    if (words.isEmpty()) {
        if (!m_help)
            return Fail(CliMsg::NoCommand);
        return true;
    }
    m_command = words.takeFirst();
    if (m_command == QLatin1String("help")) {
        // "help COMMAND" is "COMMAND --help".
        m_help = true;
        m_command = words.isEmpty() ? QString() : words.takeFirst();
        if (!m_command.isEmpty() && !Find(m_command))
            return Fail(CliMsg::UnknownCommand, {m_command});
        return true;
    }
    const Command* command = Find(m_command);
    if (!command)
        return Fail(CliMsg::UnknownCommand, {m_command});
    if (m_help)
        return true;

    for (const auto& [name, value] : options) {
        if (!Accepts(name))
            return Fail(CliMsg::DoesNotTake, {m_command, name});
        if (value.isNull())
            m_flags.insert(name);
        else
            m_values.insert(name, value);
    }
    m_operands = words;
    return CheckOperandsAndValues(*command);
}
