#include "CCliArguments.h"

namespace {

const QString kProgramFolder = QStringLiteral("--program-folder");

const QString kProgramFolderHelp = QStringLiteral(
    "  --program-folder DIR   work from DIR, a program folder of its own, with its settings in\n"
    "                         DIR/settings (made and filled from the installed data on first use)\n");

} // namespace

const QList<CCliArguments::Command>& CCliArguments::Commands()
{
    static const QList<Command> commands{
        {QStringLiteral("new"),
         QStringLiteral("FILE"),
         QStringLiteral("make an empty fleet file"),
         QStringLiteral(
             "Makes FILE (a .vlf name) from the fleet template of the program folder. An existing\n"
             "file is never replaced.\n"),
         1,
         1,
         {},
         {}},
        {QStringLiteral("info"),
         QStringLiteral("FILE"),
         QStringLiteral("schema version, unit count, stored or plain"),
         QStringLiteral("Prints the form of FILE (stored: compacted and compressed, or plain), its schema\n"
                        "version against this program's and its number of units. FILE is not changed.\n"),
         1,
         1,
         {},
         {}},
        {QStringLiteral("store"),
         QStringLiteral("FILE"),
         QStringLiteral("compact and compress a fleet file"),
         QStringLiteral("Writes FILE in the stored form, the form the program leaves fleet files in when\n"
                        "it closes them. Only .vlf files are stored.\n"),
         1,
         1,
         {},
         {}},
        {QStringLiteral("expand"),
         QStringLiteral("FILE"),
         QStringLiteral("turn a stored fleet file back into a plain one"),
         QStringLiteral("Writes FILE back as the plain database it holds (for other database tools).\n"),
         1,
         1,
         {},
         {}},
        {QStringLiteral("upgrade"),
         QStringLiteral("FILE [--yes]"),
         QStringLiteral("bring a fleet file of an older schema up to date"),
         QStringLiteral("Upgrades FILE to this program's schema, keeping every unit. The program asks\n"
                        "before it upgrades a file; --yes is the answer. A current file is left as it is.\n"),
         1,
         1,
         {QStringLiteral("--yes")},
         {}},
        {QStringLiteral("units"),
         QStringLiteral("FILE [--csv]"),
         QStringLiteral("list the units of a fleet"),
         QStringLiteral("One line per unit: IMEI, user name, model name, NAM 1 number and the private id\n"
                        "as displayed. --csv prints CSV (RFC 4180) with a header line. FILE is not\n"
                        "changed; a file of an older schema is shown as it would be upgraded.\n"),
         1,
         1,
         {QStringLiteral("--csv")},
         {}},
        {QStringLiteral("show"),
         QStringLiteral("FILE IMEI"),
         QStringLiteral("every list of one unit"),
         QStringLiteral("Prints the unit's details, its phone settings and every list it carries (phone\n"
                        "book, private, talkgroup, scan and status lists, consolidated call list, styles,\n"
                        "shortcuts, quick notes, personalisation). FILE is not changed.\n"),
         2,
         2,
         {},
         {}},
        {QStringLiteral("append"),
         QStringLiteral("DEST SRC [--overwrite-all | --skip-all] [--yes]"),
         QStringLiteral("copy every unit of SRC into DEST"),
         QStringLiteral("Copies every unit of SRC, with all its lists, into DEST, and adds SRC's talkgroup\n"
                        "index to DEST's. A unit whose IMEI DEST already holds is replaced with\n"
                        "--overwrite-all or kept with --skip-all; without either, such a unit stops the\n"
                        "command and DEST is left as it was. --yes answers the upgrade question for files\n"
                        "of an older schema. SRC is left in the stored form, as the program leaves it.\n"),
         2,
         2,
         {QStringLiteral("--overwrite-all"), QStringLiteral("--skip-all"), QStringLiteral("--yes")},
         {}},
        {QStringLiteral("delete"),
         QStringLiteral("FILE IMEI... [--yes]"),
         QStringLiteral("delete units"),
         QStringLiteral("Deletes the units with these IMEIs and every row of their lists. When any IMEI is\n"
                        "not in FILE nothing is deleted. --yes answers the upgrade question for a file of\n"
                        "an older schema.\n"),
         2,
         -1,
         {QStringLiteral("--yes")},
         {}},
        {QStringLiteral("talkgroups"),
         QStringLiteral("FILE [--nam N] [--members] [--csv]"),
         QStringLiteral("the fleet-wide talkgroup index"),
         QStringLiteral("Lists every talkgroup that some unit carries programmed in its talkgroup list, per\n"
                        "NAM (only NAM N with --nam), with the number of units carrying it; --members\n"
                        "lists those units instead, one line per talkgroup and unit. FILE is not changed.\n"),
         1,
         1,
         {QStringLiteral("--members"), QStringLiteral("--csv")},
         {QStringLiteral("--nam")}},
        {QStringLiteral("read-phone"),
         QStringLiteral("FILE [--replace] [--pin PIN] [--yes]"),
         QStringLiteral("read the phone on the cable into a fleet"),
         QStringLiteral("Reads the phone on the cable (the connected phone of the bench) into FILE as one\n"
                        "unit; a missing FILE is made first. A unit of the same IMEI in FILE is replaced\n"
                        "only with --replace; without it the command stops and FILE stays as it was.\n"
                        "--pin gives the PIN when the phone's SIM asks for it; --yes answers the upgrade\n"
                        "question for a file of an older schema.\n"),
         1,
         1,
         {QStringLiteral("--replace"), QStringLiteral("--yes")},
         {QStringLiteral("--pin")}},
        {QStringLiteral("write-phone"),
         QStringLiteral("FILE [--imei IMEI] [--pin PIN]"),
         QStringLiteral("write a unit of a fleet into the phone on the cable"),
         QStringLiteral(
             "Writes the unit of FILE that has the IMEI of the phone on the cable into the phone.\n"
             "The phone's previous codeplug is kept as a backup (.dbf) in the backup folder\n"
             "(the setting \"Codeplug Backup Path\"). With --imei, only that unit is written:\n"
             "any other phone is refused before anything is written. --pin gives the PIN when\n"
             "the phone's SIM asks for it. FILE is only read.\n"),
         1,
         1,
         {},
         {QStringLiteral("--imei"), QStringLiteral("--pin")}},
        {QStringLiteral("recover"),
         QStringLiteral("[BACKUP.dbf] [--yes]"),
         QStringLiteral("put a codeplug backup back into the phone on the cable"),
         QStringLiteral(
             "Programs the phone on the cable with a codeplug backup and restarts it: BACKUP.dbf,\n"
             "or without it the phone's own backup in the backup folder. The program asks\n"
             "before it does; --yes is the answer.\n"),
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

QString CCliArguments::Usage()
{
    QString text = QStringLiteral(
        "Usage: velmora-cli [--program-folder DIR] COMMAND [ARGUMENTS]\n"
        "\n"
        "Scripted fleet work without the window: the same fleet files, settings, program folder and\n"
        "phone bench as the program. Messages of the program are printed on stderr as\n"
        "\"velmora: KIND ID: TEXT\"; its questions are answered by options.\n"
        "\n"
        "Commands:\n");
    for (const Command& command : Commands()) {
        const QString head = QStringLiteral("  %1 %2").arg(command.name, command.synopsis);
        text += head + QLatin1Char('\n') + QStringLiteral("      ") + command.summary + QLatin1Char('\n');
    }
    text += QStringLiteral("\nOptions:\n") + kProgramFolderHelp +
            QStringLiteral("  -h, --help             this text; after a command, that command's help\n"
                           "\n"
                           "Exit status: 0 done, 1 failed (the reason is on stderr), 2 wrong usage.\n");
    return text;
}

QString CCliArguments::CommandHelp(const Command& command)
{
    return QStringLiteral("Usage: velmora-cli [--program-folder DIR] %1 %2\n\n%3\n%4")
        .arg(command.name, command.synopsis, command.details,
             QStringLiteral("Options:\n") + kProgramFolderHelp);
}

bool CCliArguments::Fail(const QString& error)
{
    m_error = error;
    return false;
}

bool CCliArguments::Accepts(const QString& option) const
{
    const Command* command = Find(m_command);
    return option == kProgramFolder ||
           (command && (command->flags.contains(option) || command->valueOptions.contains(option)));
}

bool CCliArguments::Parse(const QStringList& args)
{
    QStringList words;
    QList<std::pair<QString, QString>> options; // name, value (null for a flag)
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
                                name == QLatin1String("--imei") || name == QLatin1String("--pin");
        if (takesValue && equals < 0) {
            if (i + 1 >= args.size())
                return Fail(QStringLiteral("%1 needs a value").arg(name));
            value = args.at(++i);
        } else if (!takesValue && equals > 0) {
            return Fail(QStringLiteral("%1 takes no value").arg(name));
        }
        options.append({name, takesValue ? value : QString()});
    }

    if (words.isEmpty()) {
        if (!m_help)
            return Fail(QStringLiteral("no command given"));
        return true;
    }
    m_command = words.takeFirst();
    if (m_command == QLatin1String("help")) {
        // "help COMMAND" is "COMMAND --help".
        m_help = true;
        m_command = words.isEmpty() ? QString() : words.takeFirst();
        if (!m_command.isEmpty() && !Find(m_command))
            return Fail(QStringLiteral("unknown command '%1'").arg(m_command));
        return true;
    }
    const Command* command = Find(m_command);
    if (!command)
        return Fail(QStringLiteral("unknown command '%1'").arg(m_command));
    if (m_help)
        return true;

    for (const auto& [name, value] : options) {
        if (!Accepts(name))
            return Fail(QStringLiteral("%1 does not take %2").arg(m_command, name));
        if (value.isNull())
            m_flags.insert(name);
        else
            m_values.insert(name, value);
    }
    m_operands = words;
    if (m_operands.size() < command->minOperands ||
        (command->maxOperands >= 0 && m_operands.size() > command->maxOperands))
        return Fail(QStringLiteral("usage: velmora-cli %1 %2").arg(command->name, command->synopsis));
    for (const QString& operand : m_operands) {
        if (operand.isEmpty())
            return Fail(QStringLiteral("%1: an argument is empty").arg(m_command));
    }
    if (Has(QStringLiteral("--overwrite-all")) && Has(QStringLiteral("--skip-all")))
        return Fail(QStringLiteral("--overwrite-all and --skip-all exclude each other"));
    if (HasValue(QStringLiteral("--nam"))) {
        bool ok = false;
        const int nam = Value(QStringLiteral("--nam")).toInt(&ok);
        if (!ok || nam < 1 || nam > 3)
            return Fail(QStringLiteral("--nam takes 1, 2 or 3"));
    }
    if (HasValue(kProgramFolder) && Value(kProgramFolder).isEmpty())
        return Fail(QStringLiteral("--program-folder needs a folder"));
    return true;
}
