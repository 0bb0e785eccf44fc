#pragma once

#include "CCodeplug.h"
#include "CodeplugItemIds.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The SIM card slot of a phone.
struct CSimCard
{
    bool slot = false; // the phone has a SIM slot at all
    int status = 0;    // AgentGetSimStatus status at power-up
    QString pin;       // 4 to 8 digits; empty when the SIM has no PIN lock
    int triesLeft = 3; // wrong PINs left before the SIM blocks
    QString kind;      // SIM kind text ("01", "02", ...)
    QByteArray block;  // the 25316-byte SIM block when there is a slot
};

// A switched-on fault: the operation (or every operation on one item) answers code. Warning codes
// (-23, -24, -25) let the operation happen and answer the warning; every other code stops it.
struct CPhoneFault
{
    QString target; // an operation name, a family (AgentReadItem, AgentWriteItem, AgentReadLists,
                    // AgentWriteLists) or "item:<id>"
    int code = 0;
    int remaining = 0; // 0: every time; n: the next n times
};

// One virtual phone of the bench: what a real phone would keep (identity, codeplug, SIM) and the
// faults a tester switched on. Stored as one "*.phone" file.
class CVirtualPhone
{
public:
    QString imei;          // 15 digits
    char subRelease = 'A'; // 'A'..'Z', 'a'..'z', or 0 for none
    QString label;         // free description for the bench listing
    CCodeplug codeplug;
    CSimCard sim;
    QList<CPhoneFault> faults;

    int ModelType() const { return int(codeplug.Value(CodeplugItem::ModelType)); }
    int StructureVersion() const { return int(codeplug.Value(CodeplugItem::StructureVersion)); }
    int Release() const { return int(codeplug.Value(CodeplugItem::Release)); }
    QString UserName() const;

    // The IMEI as AgentReadImei gives it: 15 digits and a filler nibble, two per byte.
    QByteArray ImeiBytes() const;
    // The IMEI as item 6 holds it: the first 14 digits, two per byte.
    QByteArray ImeiItemBytes() const;
    static bool IsValidImei(const QString& imei);

    QByteArray Serialize() const;
    // Checks everything; on failure answers false with the reason and leaves phone unchanged.
    static bool Deserialize(const QByteArray& payload, CVirtualPhone& phone, QString* why);
    bool Validate(QString* why) const;

    // AGENT_SUCCESS, or AGENT_NO_PHONE (missing), AGENT_READ_FAILED (unreadable),
    // AGENT_PHONE_DAMAGED, AGENT_PHONE_FORMAT (foreign or newer). Never half-loads.
    static int Load(const QString& path, CVirtualPhone& phone, QString* why = nullptr);
    bool Save(const QString& path, QString* why = nullptr) const;

    // Index of the fault that applies to the operation (and item, -1 for none), or -1.
    int FaultIndex(const QString& operation, int item = -1) const;
    // Counts one use of a fault; a fault whose count runs out is removed.
    void UseFault(int index);
    static QStringList FaultTargets();
    static bool IsValidFaultTarget(const QString& target);
};
