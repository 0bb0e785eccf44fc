#pragma once

#include "CExchangeCapacities.h"
#include "CExchangeList.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class CModelRules;

// One unit of the fleet as the copy dialog lists it.
struct CCopyUnitRow
{
    QString imei;
    QString name;
    int modelType = 0;
    int releaseId = 0;
    int subReleaseId = 0;
    QString modelName;
    bool crossFleet = false;
    QString phoneNumber;     // NAM1 number
    QString displayPrivate;  // unit_display_prvt_id
    qint64 namUrban[3] = {}; // the unit's own urban and fleet numbers per NAM
    qint64 namFleet[3] = {};
};

// What a copy did: how many targets received something, the targets a too-large private id was left
// out of, the targets that had no room left.
struct CCopyUserInfoResult
{
    CVelmoraError error; // a database error: nothing of the copy was kept
    int targetsReceived = 0;
    QStringList tooLarge; // names of the targets (message 1895 after each)
    QStringList full;     // names of the targets whose list had no room for everything
};

// Copies what one unit has (a list, its basic or advanced settings, its Alder ergonomic tables) into
// other units of the fleet. List sources are the source unit's rows in the lists' "_tmp" twins (what
// its sheet shows); targets are written in the real tables, each with the capacities of its own model.
// One copy is one transaction: a database error takes back everything it wrote.
class CUnitCopyUserInfo
{
public:
    enum Mode : int
    {
        PhoneBook = 1,
        Private = 2,
        Talkgroups = 3,
        Consolidated = 4,
        AdvancedSettings = 5,
        BasicSettings = 6,
        StatusMessages = 7,
        ScanList = 8,
        AlderErgonomics = 11,
    };
    enum : int
    {
        MsgNoTarget = 1654,
        MsgCopied = 1638,
        MsgTooLarge = 1895,
        MsgNoSource = 7850, // the unit being edited is no longer in the fleet
        LockoutCarrier = 2, // the lock-outs are copied under this carrier only
        CedarModel = 114,
    };

    struct Options
    {
        int nam = 1;
        int language = 0;            // the language given to the source unit's own phone-book entry
        int carrierId = 1;           // CarrierID of the carrier settings
        bool lockoutsLinked = false; // basic settings: either lock-out set sets both
    };

    CUnitCopyUserInfo(const QSqlDatabase& db, const CModelRules& rules, int mode, const QString& sourceImei,
                      const Options& options);

    static bool IsListMode(int mode);
    static bool IsSettingsMode(int mode) { return mode == AdvancedSettings || mode == BasicSettings; }
    static bool IsKnownMode(int mode);

    // Reads the source unit and the other units of the fleet (in IMEI order).
    CVelmoraError Load();
    const CCopyUnitRow& Source() const { return m_source; }
    const QList<CCopyUnitRow>& Others() const { return m_others; }
    // IMEIs of the other units of the source's model type.
    QStringList SameModel() const;

    // Copies to the targets in their order (IMEIs not among the others are left out).
    CCopyUserInfoResult Copy(const QStringList& targets);

private:
    CVelmoraError CopyTo(const CCopyUnitRow& target, CCopyUserInfoResult& result, bool& received);
    CVelmoraError CopyList(const CCopyUnitRow& target, CCopyUserInfoResult& result, bool& received);
    CVelmoraError LoadSourceEntries();
    CVelmoraError CopySettings(const CCopyUnitRow& target);
    CVelmoraError CopyErgonomics(const CCopyUnitRow& target);
    QList<CExchangeEntry> OwnEntries(const CCopyUnitRow& unit) const;
    CExchangeKind Kind() const { return CExchangeKind(m_mode); }

    QSqlDatabase m_db;
    const CModelRules& m_rules;
    CExchangeCapacities m_capacities;
    int m_mode;
    QString m_sourceImei;
    Options m_options;
    CCopyUnitRow m_source;
    QList<CCopyUnitRow> m_others;
    QList<CExchangeEntry> m_entries; // the source's list entries
};
