#pragma once

#include "CVelmoraError.h"

#include <QString>

class CProcessPhone;

// The write stages of a phone operation: a unit's identity items, settings, ergonomic groups and
// lists into the library's working copy, and its SIM data into the SIM. Works on the operation's
// identity and recordsets; the fleet database is only read. Each stage answers the error that ended
// it.
class CPhoneUnitWriter
{
public:
    explicit CPhoneUnitWriter(CProcessPhone& phone) : m_phone(phone) {}

    CVelmoraError PrepareAndWriteUnitItems();
    CVelmoraError PrepareAndWriteSourceItems(const QString& sourceImei);
    CVelmoraError WriteSettingsAndLists();
    CVelmoraError WriteListBlock(bool consolidated);
    CVelmoraError SimStage(bool useGivenSimKind, int writeMode, int phoneClass, int simKind);

    // Item 21 keeps the baud rate in hundreds, except on the q700 Rugged (model 92) when it is not of
    // the plus series, which keeps it as it is.
    static int BaudRateFromPhone(int value, int modelType, bool plusSeries);
    static int BaudRateToPhone(int baudRate, int modelType, bool plusSeries);
    // Item 59: six decimal characters per NAM, as many bytes as the phone's item holds.
    static QByteArray PrivateIdsText(int nam1, int nam2, int nam3, int length);
    // Item 114: the four numbers of a dotted address; an empty or unreadable text gives 0.0.0.0.
    static QByteArray IpBytes(const QString& address);

private:
    CVelmoraError WriteIdentityItems();
    // The phone does not match the unit of its IMEI: the message names the phone's IMEI and model.
    CVelmoraError MismatchError() const;
    CVelmoraError WritePackedItems();
    CVelmoraError WriteFurtherItems();
    CVelmoraError WriteAlderGroups();
    static CVelmoraError Fail(int velmoraCode, int agentCode);
    static CVelmoraError FailAgent(int agentCode);
    // Shows the remarks of lists cut at their limit, where they arise.
    void ShowRemarks(const QList<CVelmoraError>& remarks) const;

    CProcessPhone& m_phone;
};
