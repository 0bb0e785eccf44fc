#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <utility>

// The command line of velmora-cli: the command, its operands and its options, checked against what the
// command takes. Also holds the usage texts, so the parser and the help never disagree.
class CCliArguments
{
public:
    // What a command takes.
    struct Command
    {
        QString name;
        QString synopsis; // operands and options, as the usage shows them (typed, never translated)
        int textId = 0;   // its summary on the first line, its --help text after it
        int minOperands = 0;
        int maxOperands = 0; // -1: no limit
        QStringList flags;   // options without a value
        QStringList valueOptions;
    };

    // Parses args (without the program name). False on a usage error: Error() says what is wrong.
    bool Parse(const QStringList& args);
    // The folder of --program-folder among args, even when they hold a usage error (the language of
    // the error is that folder's).
    static QString ProgramFolderIn(const QStringList& args);

    QString CommandName() const { return m_command; }
    const QStringList& Operands() const { return m_operands; }
    QString Operand(int index) const { return m_operands.value(index); }
    bool Has(const QString& flag) const { return m_flags.contains(flag); }
    bool HasValue(const QString& option) const { return m_values.contains(option); }
    QString Value(const QString& option) const { return m_values.value(option); }
    // Help was asked for: of the command, or of the tool when there is none.
    bool HelpWanted() const { return m_help; }
    // In the running language.
    QString Error() const;
    // Whether the command (once parsed) takes this option at all.
    bool Accepts(const QString& option) const;

    // The commands the tool has, in the order the usage lists them.
    static const QList<Command>& Commands();
    static const Command* Find(const QString& name);
    // In the running language.
    static QString Usage();
    static QString CommandHelp(const Command& command);
    static QString Summary(const Command& command);

private:
    using OptionList = QList<std::pair<QString, QString>>; // name, value (null for a flag)

    bool Fail(int textId, const QStringList& values = {});
    // Sorts args into words (command and operands) and options; false on an option's usage error.
    bool SplitWords(const QStringList& args, QStringList& words, OptionList& options);
    // The operand count and the option values the command was given.
    bool CheckOperandsAndValues(const Command& command);

    QString m_command;
    QStringList m_operands;
    QSet<QString> m_flags;
    QMap<QString, QString> m_values;
    bool m_help = false;
    int m_errorId = 0;
    QStringList m_errorValues;
};
