#pragma once

#include "CSmsModem.h"

// The modem that needs no hardware: every part becomes one line appended to the outbox file,
// "date-time TAB number TAB service centre TAB option TAB text" in UTF-8, where the option is "0" or
// "1:" and its value, and the text has "\\", line breaks and tabs written as \\, \n and \t.
class CVirtualModem : public CSmsModem
{
public:
    explicit CVirtualModem(const QString& outboxPath) : m_path(outboxPath) {}

    int Open(const Context& context, int* detail) override;
    int SendPart(const QByteArray& number, const QByteArray& text, int* detail) override;
    void Close() override {}

    static QString Escape(const QString& text);

private:
    QString m_path;
    Context m_context;
};
