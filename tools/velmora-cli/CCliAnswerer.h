#pragma once

#include "IAppendQuestion.h"
#include "IVelmoraAnswerer.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QTextStream;

// Stands in for the user at the terminal: prints every message of the program on stderr as
// "velmora: KIND ID: TEXT" in the running language, and answers questions from the command line's
// options. A question that no given option answers gets the cautious answer and a line naming the
// option that would answer it, and the command fails.
class CCliAnswerer : public IVelmoraAnswerer, public IAppendQuestion
{
public:
    explicit CCliAnswerer(QTextStream& err) : m_err(err) {}

    // A question with an option of its own (the replace question and --replace). given: the option
    // was on the command line; accepted: the command takes it at all.
    void SetOption(int messageId, const QString& option, bool given, bool accepted);
    // --yes answers every other yes/no question.
    void SetYes(bool given, bool accepted);
    // The append question (1409): --overwrite-all or --skip-all.
    void SetAppendAnswer(bool overwriteAll, bool skipAll);
    // The question of a fleet a stopped session left with changes after its last save: --keep-unsaved
    // keeps them, --last-saved goes back to the last saved state; accepted: the command takes them.
    void SetRecoveryAnswer(bool keepUnsaved, bool lastSaved, bool accepted);

    // Answers a question by id without printing it: the tool asked it of itself (an upgrade of a
    // private copy, for instance). Until the guard goes.
    class CPreset
    {
    public:
        CPreset(CCliAnswerer& answerer, int messageId, int answer);
        ~CPreset();
        CPreset(const CPreset&) = delete;
        CPreset& operator=(const CPreset&) = delete;

    private:
        CCliAnswerer& m_answerer;
        int m_id;
    };

    int Answer(const CVelmoraMessage& message) override;
    int AskOverwrite(const QString& imei) override;

    // An error was shown or a question went unanswered: the command did not do what was asked.
    bool Failed() const { return m_errors > 0 || m_unanswered; }
    int ErrorCount() const { return m_errors; }
    bool Unanswered() const { return m_unanswered; }
    // Ids of every message printed, in order (tests and the tool's own checks).
    const QList<int>& Shown() const { return m_shown; }

private:
    struct Option
    {
        QString name;
        bool given = false;
        bool accepted = false;
    };

    void Print(const char* kind, int id, const QString& text);
    int NoAnswer(const QString& options, bool accepted, int cautious);
    int AnswerRecovery();

    QTextStream& m_err;
    QHash<int, Option> m_options;
    Option m_yes{QStringLiteral("--yes")};
    bool m_overwriteAll = false;
    bool m_skipAll = false;
    bool m_keepUnsaved = false;
    bool m_lastSaved = false;
    bool m_recoveryAccepted = false;
    QHash<int, int> m_presets;
    QList<int> m_shown;
    int m_errors = 0;
    bool m_unanswered = false;
};
