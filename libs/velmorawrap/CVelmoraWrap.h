#pragma once

#include "IVelmoraAnswerer.h"
#include "VelmoraTypes.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class CResourceStrings;
class CVelmoraError;

// The shared-services component: every message to the user, the texts of error codes, the settings
// store ("registry" values), the carrier INI file and the PIM splitter positions. All operations are static.
//
// Message ids of its own: 6000 + |code| for programming-library codes and program error codes,
// 6100 and 6101 for codes it has no text for, 7001-7003 for the captions of the message kinds.
class CVelmoraWrap
{
public:
    // Messages. The answer is IDOK for errors and notices, IDYES/IDNO for VMT_YESNO and
    // IDYES/IDNO/IDCANCEL for VMT_YESNOCANCEL.
    static int ShowError(int messageId, VELMORA_MSG_TYPE type);
    static int ShowError(const QString& text, VELMORA_MSG_TYPE type);
    // Shows an error value returned by logic (by id when it has one); success and a stop the user
    // chose show nothing and answer IDOK.
    static int ShowError(const CVelmoraError& error);
    // Shows, in order, what an operation that went on past its failures reported, and passes its result
    // on.
    static bool ShowErrors(bool result, const QList<CVelmoraError>& errors);

    // Shows the text of a failed programming-library call. Answers 1 (stop the operation) for every
    // failure; answers 0 without a message for 1 (success) and -2 (item or list absent in this phone).
    // The write warnings -23, -24, -25 are shown as a notice and answer 0 (go on); callers that accept
    // them silently do not pass them. -28 (cancelled by the user) answers 1 without a message.
    static int HandleAgentAPIErrors(AGENT_RET_CODE code);
    static bool AgentErrorStops(AGENT_RET_CODE code);
    // Shows the text of a program error code (-262 to -203); answers 1.
    static int HandleVelmoraError(VELMORA_RET_CODE code);

    // Settings store. Values are strings. Get fails when the value does not exist.
    static bool GetRegistryValue(const QString& name, QString& value);
    static bool SetRegistryValue(const QString& name, const QString& value);
    // Several values in one write: a program reading the store sees all of them or none.
    static bool SetRegistryValues(const QList<QPair<QString, QString>>& values);
    // Values kept for sibling programs under their own group ("Tarn", "Brightwave/SyncDesk").
    static bool GetGroupValue(const QString& group, const QString& name, QString& value);
    static bool SetGroupValue(const QString& group, const QString& name, const QString& value);
    // True once anything has ever been written to the settings store on this account.
    static bool SettingsStoreExists();
    static QString SettingsStorePath();

    // Carrier INI ("Carrier.ini" in the program folder given to SetAppPath).
    static bool GetCarrierIniValue(const QString& section, const QString& key, QString& value);
    static bool SetCarrierIniValue(const QString& section, const QString& key, const QString& value);
    static void SetAppPath(const QString& programFolder);
    static QString CarrierIniPath();
    // Why the last carrier INI read or write failed (damaged file, missing file), or empty.
    static QString CarrierIniError();

    static void GetSplitterPos(unsigned long& phoneBook, unsigned long& dateBook);
    static void SetSplitterPos(unsigned long phoneBook, unsigned long dateBook);

    // Text of a database field value.
    static QString strVARIANT(const QVariant& value);

    // Language texts by id. Without a table, or for an unknown id, LoadString gives an empty text.
    static void SetResourceStrings(std::shared_ptr<const CResourceStrings> strings);
    static std::shared_ptr<const CResourceStrings> ResourceStrings();
    static QString LoadString(int id);
    // text with "%1".."%99" filled from args in one pass: a value that holds "%2" stays as it is, and
    // a marker without a value is left in place.
    static QString FillArgs(const QString& text, const QStringList& args);

    // Installs who answers messages and returns the previous one (not owned). nullptr restores the
    // default, which writes to stderr and gives the cautious answer.
    static IVelmoraAnswerer* SetAnswerer(IVelmoraAnswerer* answerer);
    static IVelmoraAnswerer* Answerer();

    enum : int
    {
        CodeTextBase = 6000,
        IdUnknownAgentCode = 6100,
        IdUnknownVelmoraCode = 6101,
        IdCaptionError = 7001,
        IdCaptionNotice = 7002,
        IdCaptionQuestion = 7003,
    };
};
