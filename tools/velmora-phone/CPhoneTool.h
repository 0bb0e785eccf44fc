#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class QTextStream;
class CModelCatalogue;
class CVirtualPhone;

// The commands of velmora-phone, the bench tool: make phones from the model presets, connect
// one, look inside, change items and SIM, switch faults on and off, list backups.
class CPhoneTool
{
public:
    CPhoneTool(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    // Run speaks the language of the setting "Initial Language" (the program's language table, from
    // the program folder or else the installed data). Off, it uses the table already loaded.
    void SetUseSettingsLanguage(bool use) { m_useSettingsLanguage = use; }
    // Loads the language table of the setting "Initial Language" (English when it is not set, or
    // when the table of the language cannot be read). False when no table could be loaded.
    static bool LoadSettingsLanguage(const QString& programFolder);

    // args without the program name; answers the exit code (0 done, 1 failed, 2 bad usage).
    int Run(const QStringList& args);

    // The --help text in the loaded language.
    static QString Usage();
    // "Kestrel K10 XF" -> "kestrel-k10-xf"
    static QString FileNameFor(const QString& modelName);

private:
    struct Arguments
    {
        QStringList positional;
        QMap<QString, QString> options;
        QSet<QString> flags;
    };

    // Decimal, or hexadecimal after 0x.
    static bool ParseNumber(const QString& text, qint64& value);
    bool Parse(const QStringList& args, Arguments& parsed);
    QString ProgramFolder() const;
    QString BenchFolder() const;
    // A file of the program folder, or the installed one while the folder lacks it.
    QString ProgramFile(const QString& name) const;
    bool LoadCatalogue(CModelCatalogue& catalogue);
    // The phone named by --phone, or the connected one.
    bool LoadPhone(const Arguments& a, CVirtualPhone& phone, QString& path);
    bool SavePhone(const CVirtualPhone& phone, const QString& path);
    QSet<QString> ImeisInUse() const;
    int Fail(const QString& message);
    int Fail(int messageId, const QStringList& args = {});
    int UsageError(const QString& syntax);

    int Models();
    int Create(const Arguments& a);
    int CreateAll(const Arguments& a);
    int List();
    int Connect(const Arguments& a);
    int Disconnect();
    // Looking into a phone and changing it (CPhoneToolEdits.cpp).
    int Show(const Arguments& a);
    int Dump(const Arguments& a);
    int SetItem(const Arguments& a);
    int RemoveItem(const Arguments& a);
    int Fault(const Arguments& a);
    int Sim(const Arguments& a);
    int Backups(const Arguments& a);

    QTextStream& m_out;
    QTextStream& m_err;
    QMap<QString, QString> m_global;
    bool m_useSettingsLanguage = false;
};
