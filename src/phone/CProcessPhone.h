#pragma once

#include "CFleetLock.h"
#include "CPhoneSettings.h"
#include "CPhoneTextCodec.h"
#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QSqlDatabase>
#include <QString>
#include <array>
#include <memory>

class CAlderErgoQuickNotesRecSet;
class CAlderErgoShortcutsRecSet;
class CAlderErgoStylesRecSet;
class CFleetConnection;
class CModelRules;
class CPersonalizeRecSet;
class CRecordset;
class CSimPreparation;
class CTGScanListRecSet;
class CUnitConCallListRecSet;
class CUnitPhoneDetRecSet;
class CUnitPhoneErgoRecSet;
class CUnitPrvtDetRecSet;
class CUnitRecSet;
class CUnitStatusMsgRecSet;
class CUnitTGDetRecSet;
class IPhoneMessages;
class ISimPinPrompt;

// One phone operation: the identity of the phone on the cable, a fleet database with the fourteen
// recordsets of one unit, and the steps that read the phone into that unit or write the unit into the
// phone. A read fills a scratch copy of the fleet template ("phone.tem"), never the open fleet: the
// unit copy engine brings the unit over afterwards. A write reads the open fleet and changes only the
// library's working copy until the caller programs the phone. Steps answer the error that ended them
// (nothing when they got to the end); the caller shows it. Remarks on work that goes on reach the
// user through the messages given with SetMessages.
class CProcessPhone
{
public:
    enum Mode : int
    {
        ModeRead = 0,
        ModeWrite = 2
    };

    // The recordset slots, in the order the unit copy engine borrows them.
    enum Slot : int
    {
        SlotUnit,
        SlotErgo,
        SlotShortcuts,
        SlotStyles,
        SlotPhoneBook,
        SlotPrivate,
        SlotTalkgroup,
        SlotScan,
        SlotStatus,
        SlotConsolidated,
        SlotQuickNotes,
        SlotPersonalize,
        SlotCount
    };

    CProcessPhone(int mode, const CPhoneSettings& settings, const CModelRules& rules, ISimPinPrompt* prompt);
    ~CProcessPhone();
    CProcessPhone(const CProcessPhone&) = delete;
    CProcessPhone& operator=(const CProcessPhone&) = delete;

    // Where remarks on work that goes on are shown (the derived lists cut at their limit).
    void SetMessages(IPhoneMessages* messages) { m_messages = messages; }

    // --- Database ---
    // Copies the fleet template over "<program folder>/phone.tem" and opens the copy; 1603 on failure.
    CVelmoraError OpenScratchDatabase();
    // Opens a fleet file instead (a stored one is expanded); 1603 on failure.
    CVelmoraError OpenFleetFile(const QString& path);
    // Works on a database someone else holds open (the open fleet, for a write).
    void AttachDatabase(const QSqlDatabase& db);
    QSqlDatabase Database() const { return m_db; }
    QString ScratchPath() const;
    void CloseRecordsets();
    CRecordset* Recordset(int slot) const;

    // --- Phone ---
    // The SIM preparation for SIM phones (it may set the IMEI and the PIN), else the IMEI from item 6
    // (an absent item gives an empty IMEI).
    CVelmoraError IdentifyPhone(bool simAfterReset);
    // Reads the phone into one new unit of the database; the failing step's error.
    CVelmoraError ReadPhone();
    // The recordsets of one unit (the personalisation slot of the phone's model).
    CVelmoraError OpenUnitRecordsets(const QString& imei);

    // --- Write stages ---
    void SetWriteFlags(const CWriteFlags& flags) { m_flags = flags; }
    const CWriteFlags& WriteFlags() const { return m_flags; }
    // The phone must belong to the unit of the same IMEI, model and sub-release; then the unit's
    // identity items, settings and lists go into the working copy.
    CVelmoraError PrepareAndWriteUnitItems();
    // Another unit's settings and lists (not its identity) into the working copy.
    CVelmoraError PrepareAndWriteSourceItems(const QString& sourceImei);
    CVelmoraError WriteSettingsAndLists();
    // The list block from the unit's rows; consolidated: the phone book and NAM 1 lists come from the
    // unit's consolidated call list.
    CVelmoraError WriteListBlock(bool consolidated);
    // The SIM data block of a SIM phone (classes 2 and 3), written with writeMode.
    CVelmoraError SimStage(bool useGivenSimKind, int writeMode, int phoneClass, int simKind);

    // --- Identity of the phone on the cable ---
    int Mode() const { return m_mode; }
    int ModelType() const { return m_modelType; }
    int SubRelease() const { return m_subRelease; }
    int Release() const { return m_release; }
    int StructureVersion() const { return m_structureVersion; }
    bool Release39() const { return m_release39; }
    QString Imei() const { return m_imei; }
    void ClearImei() { m_imei.clear(); }
    int PhoneClass() const { return m_phoneClass; }
    int SimKind() const { return m_simKind; }
    int CallListType() const { return m_callListType; }
    bool CrossFleet() const { return m_crossFleet; }
    bool PlusSeries() const { return m_plusSeries; }
    QString ModelDescription() const { return m_modelDescription; }
    bool HasPin() const;
    // The IMEI whose recordsets are open.
    QString UnitImei() const { return m_unitImei; }

    // The sub-release letter of the phone as a number: 'A'..'Z' and 'a'..'z' are 1..26, else 0.
    static int SubReleaseNumber(int letter);
    // Leading decimal digits of a text, as the phone's decimal fields are read.
    static int DecimalPrefix(const QByteArray& text);

private:
    friend class CPhoneUnitWriter;

    CUnitRecSet& Unit() const;
    CUnitPhoneErgoRecSet& Ergo() const;
    // The code page of the unit's texts: its default call-list language, else the interface's.
    CPhoneTextCodec UnitTextCodec() const;
    CPersonalizeRecSet* Personalize() const;
    template <typename T> T& SlotAs(int slot) const
    {
        return *static_cast<T*>(m_recordsets[size_t(slot)].get());
    }

    // Items 10, the sub-release and 123 (and item 8 when withStructure), each failure with its code.
    CVelmoraError ReadIdentity(bool withStructure);
    CVelmoraError ReadStructureVersion();
    // The model's catalogue row: description, call list type, plus series, class, cross-fleet.
    bool LookupModel();
    // Every step of a read after the unit's two rows were started.
    CVelmoraError ReadUnitItems();
    CVelmoraError ReadPrivateIds();
    CVelmoraError ReadErgoItems();
    CVelmoraError ReadPackedItems();
    CVelmoraError ReadLists();
    CVelmoraError ReadSimLists();
    void SetDisplayPrivateId();
    CVelmoraError OpenDatabaseFile(const QString& path);
    // The error of a failed step: its program code, or a silent stop when the cable was cancelled.
    static CVelmoraError Fail(int velmoraCode, int agentCode);
    static CVelmoraError FailMessage(int messageId, int agentCode);

    int m_mode;
    CPhoneSettings m_settings;
    const CModelRules& m_rules;
    ISimPinPrompt* m_prompt;
    IPhoneMessages* m_messages = nullptr;
    CWriteFlags m_flags;
    std::unique_ptr<CFleetConnection> m_connection;
    CFleetLock m_fleetLock; // the fleet file m_connection has open
    QSqlDatabase m_db;
    std::array<std::unique_ptr<CRecordset>, SlotCount> m_recordsets;
    std::unique_ptr<CSimPreparation> m_sim;

    int m_modelType = 0;
    int m_subRelease = 0;
    int m_release = 0;
    int m_structureVersion = 0;
    bool m_release39 = false;
    QString m_imei;
    QString m_unitImei;
    int m_phoneClass = 1;
    int m_simKind = 1;
    QString m_modelDescription;
    int m_callListType = 0;
    bool m_plusSeries = false;
    bool m_crossFleet = false;
};
