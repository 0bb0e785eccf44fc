#pragma once

#include "CPrivateIdForm.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QList>
#include <QString>

// A speed-dial entry of the phone book as the transfer shows it (row = speed-dial number).
struct CTransferPhoneEntry
{
    QString name;
    QString number;
    bool program = false;
    int language = 0;

    bool IsEmpty() const { return name.isEmpty() && number.isEmpty(); }
    bool operator==(const CTransferPhoneEntry& o) const
    {
        return name == o.name && number == o.number && program == o.program && language == o.language;
    }
};

// A NAM 1 private-call entry (row = location number).
struct CTransferPrivateEntry
{
    QString name;
    CPrivateIdForm::Id id;
    bool program = false;
    int language = 0;

    bool IsEmpty() const { return name.isEmpty() && id.member == 0; }
    // "urban*fleet*member", or the member alone when urban or fleet is 0; empty for an empty row.
    QString IdText() const;
    bool operator==(const CTransferPrivateEntry& o) const
    {
        return name == o.name && id == o.id && program == o.program && language == o.language;
    }
};

// A consolidated call list entry with every column the list keeps.
struct CTransferConsolEntry
{
    QString name;
    QString number;
    int numType = -1;
    int nameIndex = 0;
    int tonNP = 129;
    int capabilityID = 144;
    int extnRecID = 0;
    int language = 255;
    int voiceTag = 0;
    int timeStamp = 0;
    int syncStatus = 0;
    int tempID = 0;
    int reserved = 0;
    int nameLang = 0;

    bool IsEmpty() const { return name.isEmpty() && number.isEmpty(); }
    bool operator==(const CTransferConsolEntry& o) const;
};

// The phone-book transfer of one unit without widgets: the unit's phone book, NAM 1 private-call list
// and consolidated call list held in memory, entries copied between them, and the three lists written
// back together. It works on the "_tmp" twins the sheet's list pages edit (so the sheet's OK or Cancel
// decides), or, with the carrier's "hide simple list" switch, reads the phone book and the private list
// from their tables (their panes are hidden then, so they are never written). Rows are counted from 1.
class CPhoneBookTransfer
{
public:
    enum List : int
    {
        PhoneBook = 0,
        Private = 1,
        Consolidated = 2,
    };
    enum : int
    {
        ConsolRows = 250,
        TransferNam = 1, // the private list the transfer shows
        MsgConsolFull = 1781,
        MsgPhoneBookFull = 1782,
        MsgPrivateFull = 1783,
        MsgNoPhoneRows = 1784,
        MsgNoPrivateRows = 1785,
        MsgNoConsolRows = 1786,
        MsgNoClearRows = 1602,
        MsgDuplicateKey = 1652,
        MsgNoPlaceForType = 7630, // "%1": a talkgroup or IP entry cannot go back
        MsgBadPrivateId = 7631,   // "%1" of "%2" is not a private id
    };

    // readSimpleTables: the carrier's "hide simple list" switch.
    CPhoneBookTransfer(const CUnitSheetUnit& unit, bool readSimpleTables);

    const CUnitSheetUnit& Unit() const { return m_unit; }
    bool ReadsSimpleTables() const { return m_readSimpleTables; }
    // The tables the three lists are read from and written to.
    QString TableOf(List list) const;

    // Reads the three lists. Phone-book rows go to their speed-dial numbers and private rows to their
    // location numbers (an entry whose place is taken or outside the list goes to the first free row);
    // private entries without a member and consolidated rows without a name index are left out.
    CVelmoraError Load();

    int RowCount(List list) const;
    const QList<CTransferPhoneEntry>& PhoneEntries() const { return m_phone; }
    const QList<CTransferPrivateEntry>& PrivateEntries() const { return m_private; }
    const QList<CTransferConsolEntry>& ConsolEntries() const { return m_consol; }
    const CTransferPhoneEntry& PhoneRow(int row) const { return m_phone.at(row - 1); }
    const CTransferPrivateEntry& PrivateRow(int row) const { return m_private.at(row - 1); }
    const CTransferConsolEntry& ConsolRow(int row) const { return m_consol.at(row - 1); }
    // Whether the list changed since it was loaded (only changed lists are written back).
    bool IsChanged(List list) const { return m_changed[list]; }

    // The first consolidated row without name and number; 0 when the list is full.
    int FreeConsolRow() const;
    // Copies the rows of the phone book (as phone numbers, type 0) or the private list (as private
    // ids, type 1) into the consolidated list. Each row with a name or a number takes the first free
    // consolidated row and a name index by the list's rule (a contact holds one number of each type);
    // no free row or no free index: 1781, and the entries copied before stay. No row: 1784, 1785.
    CVelmoraError MoveToConsolidated(List from, const QList<int>& rows);
    // Copies the consolidated rows to the phone book (phone numbers) or the private list (private ids),
    // each into the first empty row, else the first row not marked for programming. Rows without name
    // and number are passed over. Stops at the first entry that has no place (1782, 1783) or that the
    // simple lists cannot hold (talkgroups and IP addresses, ids and numbers those lists would refuse);
    // the entries copied before it stay. No row: 1786.
    CVelmoraError MoveBack(const QList<int>& consolRows);
    // Empties the rows of a list. No row: 1602.
    CVelmoraError Clear(List list, const QList<int>& rows);

    // OK: writes the changed lists back in order (phone book, private list, consolidated list) in one
    // transaction, stopping at the first that fails; what was written before it is taken back, so the
    // three lists never disagree. failedList gets the list that failed (-1 for none).
    CVelmoraError Write(int* failedList = nullptr);
    // Write's steps, for tests that make one of them fail.
    CVelmoraError WritePhoneBook();
    CVelmoraError WritePrivate();
    CVelmoraError WriteConsolidated();

private:
    CVelmoraError LoadPhoneBook();
    CVelmoraError LoadPrivate();
    CVelmoraError LoadConsolidated();
    // The row an entry moved back goes to: the first empty row, else the first not programmed; 0 none.
    template <typename Entry> static int PlaceFor(const QList<Entry>& rows);
    CVelmoraError MoveBackRow(const CTransferConsolEntry& entry);
    CVelmoraError MoveIn(const QString& name, const QString& number, int type);
    static CVelmoraError DatabaseError(const QString& text, int nativeError);

    CUnitSheetUnit m_unit;
    bool m_readSimpleTables = false;
    QList<CTransferPhoneEntry> m_phone;
    QList<CTransferPrivateEntry> m_private;
    QList<CTransferConsolEntry> m_consol;
    bool m_changed[3] = {false, false, false};
};
