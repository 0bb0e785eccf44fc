#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of velmora-cli: its exit status and what it printed.
struct CCliRun
{
    int status = -1;
    QString out;
    QString err;
};

// Runs velmora-cli's commands in the test process.
CCliRun Cli(const QStringList& args);
// Runs the built velmora-cli (VELMORA_BIN_DIR) as a program with the given environment.
CCliRun Program(const QStringList& args,
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
// Splits CSV text (RFC 4180, CRLF records) into records of fields.
QList<QStringList> ParseCsv(const QString& text);
