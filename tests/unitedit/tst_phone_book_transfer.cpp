// The phone-book transfer without widgets: loading the three lists from the twins, copying entries
// back to the simple lists, clearing, and writing the three lists back as one.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CPhoneBookTransfer.h"
#include "CTestEnvironment.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000051");
const QString kOther = QStringLiteral("350000000000052");

using T = CPhoneBookTransfer;

} // namespace

class TestPhoneBookTransfer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    CUnitSheetUnit Unit() const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = 3;
        unit.profile.capacities.phoneBook = 10;
        unit.profile.capacities.privateList = {8, 0, 0};
        unit.phoneBookLangEntryId = 4;
        return unit;
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

    void AddPhone(const QString& table, int dial, const QString& name, const QString& number,
                  bool program = true)
    {
        Exec(QStringLiteral("INSERT INTO %1 (unit_imei_num, unit_speed_dial, unit_name, unit_phone_num, "
                            "unit_program_flag, unit_language) VALUES (?, ?, ?, ?, ?, 4)")
                 .arg(table),
             {kImei, dial, name, number, program ? 1 : 0});
    }

    void AddPrivate(const QString& table, int nam, int loc, const QString& name, int urban, int fleet,
                    int member)
    {
        Exec(QStringLiteral("INSERT INTO %1 (unit_imei_num, unit_nam, unit_urban_id, unit_fleet_id, "
                            "unit_member_id, unit_name, unit_loc_no, unit_program_flag, unit_language) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, 1, 4)")
                 .arg(table),
             {kImei, nam, urban, fleet, member, name, loc});
    }

    void AddConsol(int index, const QString& name, const QString& number, int type, int rec = 0)
    {
        Exec("INSERT INTO unit_consolid_call_list_tmp (unit_imei_num, unit_name, unit_num, "
             "unit_phone_num_len, unit_num_type, unit_nameIndex, unit_rec_num, unit_tonNP, "
             "unit_capabilityID, unit_extnRecID, unit_language, unit_voiceTag, unit_timeStamp, "
             "unit_syncStatus, unit_tempID, unit_reserved, unit_NameLang) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, 145, 7, 3, 2, 9, 123456, 128, 5, 1, 2)",
             {kImei, name, number, number.size(), type, index, rec});
    }

    QList<QVariantList> Rows(const QString& table) const
    {
        return CFleetFixtures::Rows(Db(), table, QString(), {"unit_rec_num"});
    }

    // Every row of the three twins and tables, of every unit.
    QList<QList<QVariantList>> Everything() const
    {
        QList<QList<QVariantList>> all;
        for (const char* t : {"unit_phone_details", "unit_private_details", "unit_consolid_call_list"}) {
            all << Rows(t) << Rows(QStringLiteral("%1_tmp").arg(t));
        }
        return all;
    }

    static QList<CTransferConsolEntry> NonEmpty(const QList<CTransferConsolEntry>& rows)
    {
        QList<CTransferConsolEntry> entries;
        for (const CTransferConsolEntry& e : rows) {
            if (!e.IsEmpty())
                entries << e;
        }
        return entries;
    }

private Q_SLOTS:
    void init()
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        CUnitSpec other;
        other.imei = kOther;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit, other}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        // The unit's lists as its pages left them in the twins; the tables hold something else.
        for (const char* t : {"unit_phone_details", "unit_private_details", "unit_consolid_call_list"}) {
            Exec(QStringLiteral("DELETE FROM %1_tmp").arg(t));
            Exec(QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(t), {kImei});
        }
        AddPhone("unit_phone_details_tmp", 2, "Ann", "0501");
        AddPhone("unit_phone_details_tmp", 5, "Bob", "0502", false);
        AddPhone("unit_phone_details", 1, "Table", "0999");
        AddPrivate("unit_private_details_tmp", 1, 3, "Ann", 10, 20, 5);
        AddPrivate("unit_private_details_tmp", 1, 4, "Cy", 0, 20, 6);
        AddPrivate("unit_private_details_tmp", 1, 5, "Gil", 0, 0, 7);
        AddPrivate("unit_private_details_tmp", 1, 6, "None", 0, 0, 0);
        AddPrivate("unit_private_details_tmp", 2, 1, "Nam2", 0, 0, 9);
        AddConsol(3, "Dee", "0777", 2);
        AddConsol(1, "Eve", "30", 7);
        AddConsol(0, "Gone", "0888", 0);
        AddConsol(2, "Fay", "12*34*56", 1);
    }

    void loadsTheTwinsAtTheirPlaces()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QCOMPARE(transfer.RowCount(T::PhoneBook), 10);
        QCOMPARE(transfer.RowCount(T::Private), 8);
        QCOMPARE(transfer.RowCount(T::Consolidated), 250);
        QCOMPARE(transfer.PhoneRow(2), (CTransferPhoneEntry{"Ann", "0501", true, 4}));
        QCOMPARE(transfer.PhoneRow(5).program, false);
        QVERIFY(transfer.PhoneRow(1).IsEmpty()); // the table's row is not the sheet's
        QCOMPARE(transfer.PrivateRow(3).IdText(), QStringLiteral("10*20*5"));
        // Urban and fleet 0: the member alone; a fleet of its own is kept.
        QCOMPARE(transfer.PrivateRow(5).IdText(), QStringLiteral("7"));
        QCOMPARE(transfer.PrivateRow(4).IdText(), QStringLiteral("0*20*6"));
        // No member, and NAM 2, are not shown.
        for (int row : {1, 2, 6, 7, 8})
            QVERIFY2(transfer.PrivateRow(row).IsEmpty(), qPrintable(QString::number(row)));
        // Consolidated rows in name-index order, index 0 left out, every column kept.
        QCOMPARE(transfer.ConsolRow(1).name, QStringLiteral("Eve"));
        QCOMPARE(transfer.ConsolRow(2).name, QStringLiteral("Fay"));
        QCOMPARE(transfer.ConsolRow(3).name, QStringLiteral("Dee"));
        QCOMPARE(transfer.ConsolRow(3).timeStamp, 123456);
        QCOMPARE(transfer.ConsolRow(3).tonNP, 145);
        QCOMPARE(transfer.FreeConsolRow(), 4);

        // With the simple lists hidden, they come from the tables.
        T hidden(Unit(), true);
        QVERIFY(!hidden.Load());
        QCOMPARE(hidden.PhoneRow(1).name, QStringLiteral("Table"));
        QCOMPARE(hidden.TableOf(T::Consolidated), QStringLiteral("unit_consolid_call_list_tmp"));
    }

    void movedEntriesShareAnIndexPerContact()
    {
        AddPhone("unit_phone_details_tmp", 7, "Ann", "0503");
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QCOMPARE(transfer.MoveToConsolidated(T::PhoneBook, {}), CVelmoraError::Message(T::MsgNoPhoneRows));
        QCOMPARE(transfer.MoveToConsolidated(T::Private, {}), CVelmoraError::Message(T::MsgNoPrivateRows));
        QVERIFY(!transfer.IsChanged(T::Consolidated));
        // Indexes 1 to 3 are held: Ann's phone number opens 4, in the first free row; empty rows
        // selected with it are passed over.
        QVERIFY(!transfer.MoveToConsolidated(T::PhoneBook, {1, 2}));
        const CTransferConsolEntry& ann = transfer.ConsolRow(4);
        QCOMPARE(ann.name, QStringLiteral("Ann"));
        QCOMPARE(ann.number, QStringLiteral("0501"));
        QCOMPARE(ann.numType, 0);
        QCOMPARE(ann.nameIndex, 4);
        QCOMPARE(ann.syncStatus, 128);
        QVERIFY(ann.timeStamp > 0);
        QVERIFY(transfer.ConsolRow(5).IsEmpty());
        // Her private id joins the contact; a second phone number of hers opens an index.
        QVERIFY(!transfer.MoveToConsolidated(T::Private, {3}));
        QCOMPARE(transfer.ConsolRow(5).number, QStringLiteral("10*20*5"));
        QCOMPARE(transfer.ConsolRow(5).numType, 1);
        QCOMPARE(transfer.ConsolRow(5).nameIndex, 4);
        QVERIFY(!transfer.MoveToConsolidated(T::PhoneBook, {7}));
        QCOMPARE(transfer.ConsolRow(6).nameIndex, 5);
        // A member alone goes as the member.
        QVERIFY(!transfer.MoveToConsolidated(T::Private, {5}));
        QCOMPARE(transfer.ConsolRow(7).number, QStringLiteral("7"));
        // The entries stay in their lists until cleared.
        QCOMPARE(transfer.PhoneRow(2).name, QStringLiteral("Ann"));
        QVERIFY(transfer.IsChanged(T::Consolidated) && !transfer.IsChanged(T::PhoneBook));
    }

    void aFullListRefusesANewName()
    {
        Exec("DELETE FROM unit_consolid_call_list_tmp");
        for (int i = 1; i <= 250; ++i)
            AddConsol(i, QStringLiteral("N%1").arg(i), QStringLiteral("0%1").arg(i), 0);
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QCOMPARE(transfer.FreeConsolRow(), 0);
        const QList<CTransferConsolEntry> before = transfer.ConsolEntries();
        QCOMPARE(transfer.MoveToConsolidated(T::PhoneBook, {2}), CVelmoraError::Message(T::MsgConsolFull));
        QCOMPARE(transfer.ConsolEntries(), before);
        // A cleared entry frees its row and its index: the first of two entries fits, the second
        // is refused, and the first stays.
        QVERIFY(!transfer.Clear(T::Consolidated, {17}));
        QCOMPARE(transfer.MoveToConsolidated(T::PhoneBook, {2, 5}), CVelmoraError::Message(T::MsgConsolFull));
        QCOMPARE(transfer.ConsolRow(17).name, QStringLiteral("Ann"));
        QCOMPARE(transfer.ConsolRow(17).nameIndex, 17);
    }

    // A phone-book number and a private id moved into the consolidated list and back are what they
    // were: the same list, number and id.
    void aRoundTripKeepsNumberAndType()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        const CTransferPhoneEntry phone = transfer.PhoneRow(2);
        const CTransferPrivateEntry privateId = transfer.PrivateRow(3);
        QVERIFY(!transfer.MoveToConsolidated(T::PhoneBook, {2}));
        QVERIFY(!transfer.MoveToConsolidated(T::Private, {3}));
        QVERIFY(!transfer.Clear(T::PhoneBook, {2}));
        QVERIFY(!transfer.Clear(T::Private, {3}));
        QVERIFY(!transfer.Write());

        T back(Unit(), false);
        QVERIFY(!back.Load());
        QVERIFY(back.PhoneRow(2).IsEmpty());
        QCOMPARE(back.ConsolRow(4).numType, 0);
        QCOMPARE(back.ConsolRow(5).numType, 1);
        QVERIFY(!back.MoveBack({4, 5}));
        QVERIFY(!back.Clear(T::Consolidated, {4, 5}));
        QVERIFY(!back.Write());

        T reread(Unit(), false);
        QVERIFY(!reread.Load());
        QCOMPARE(reread.PhoneRow(1).name, phone.name);
        QCOMPARE(reread.PhoneRow(1).number, phone.number);
        QCOMPARE(reread.PrivateRow(1).name, privateId.name);
        QCOMPARE(reread.PrivateRow(1).id, privateId.id);
        QCOMPARE(reread.FreeConsolRow(), 4);
    }

    void movesBackByType()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QCOMPARE(transfer.MoveBack({}), CVelmoraError::Message(T::MsgNoConsolRows));
        // A phone number goes to the first empty phone-book row, a private id to the private list.
        QVERIFY(!transfer.MoveBack({3, 2}));
        QCOMPARE(transfer.PhoneRow(1), (CTransferPhoneEntry{"Dee", "0777", true, 4}));
        QCOMPARE(transfer.PrivateRow(1).id, (CPrivateIdForm::Id{12, 34, 56}));
        QCOMPARE(transfer.PrivateRow(1).name, QStringLiteral("Fay"));
        QVERIFY(transfer.IsChanged(T::PhoneBook) && transfer.IsChanged(T::Private));
        QVERIFY(!transfer.IsChanged(T::Consolidated));
        // The consolidated entries stay until cleared.
        QCOMPARE(transfer.ConsolRow(3).name, QStringLiteral("Dee"));
        // A talkgroup has no place in the simple lists.
        QCOMPARE(transfer.MoveBack({1}), CVelmoraError::Message(T::MsgNoPlaceForType, {"Eve"}));
    }

    void movingBackRefusesWhatTheListsCannotHold()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        Exec("DELETE FROM unit_consolid_call_list_tmp");
        AddConsol(1, "Ip", "10.0.0.1", 8);
        AddConsol(2, "Bad", "1*2*3*4", 1);
        AddConsol(3, "Dial", "05.1", 0);
        AddConsol(4, "Zero", "0", 1);
        QVERIFY(!transfer.Load());
        QCOMPARE(transfer.MoveBack({1}), CVelmoraError::Message(T::MsgNoPlaceForType, {"Ip"}));
        QCOMPARE(transfer.MoveBack({2}), CVelmoraError::Message(T::MsgBadPrivateId, {"1*2*3*4", "Bad"}));
        QCOMPARE(transfer.MoveBack({4}), CVelmoraError::Message(T::MsgBadPrivateId, {"0", "Zero"}));
        QCOMPARE(transfer.MoveBack({3}).Id(), 1847);
        QVERIFY(!transfer.IsChanged(T::PhoneBook) && !transfer.IsChanged(T::Private));
    }

    void fullSimpleListsTakeTheFirstRowNotProgrammed()
    {
        CUnitSheetUnit unit = Unit();
        unit.profile.capacities.phoneBook = 2;
        Exec("DELETE FROM unit_phone_details_tmp");
        AddPhone("unit_phone_details_tmp", 1, "Kept", "01");
        AddPhone("unit_phone_details_tmp", 2, "Spare", "02", false);
        T transfer(unit, false);
        QVERIFY(!transfer.Load());
        QVERIFY(!transfer.MoveBack({3}));
        QCOMPARE(transfer.PhoneRow(1).name, QStringLiteral("Kept"));
        QCOMPARE(transfer.PhoneRow(2).name, QStringLiteral("Dee"));
        // Now every row is programmed: no place.
        QCOMPARE(transfer.MoveBack({3}), CVelmoraError::Message(T::MsgPhoneBookFull));

        unit.profile.capacities.privateList = {0, 0, 0};
        T noPrivate(unit, false);
        QVERIFY(!noPrivate.Load());
        QCOMPARE(noPrivate.MoveBack({2}), CVelmoraError::Message(T::MsgPrivateFull));
    }

    void clearNeedsRows()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        for (T::List list : {T::PhoneBook, T::Private, T::Consolidated})
            QCOMPARE(transfer.Clear(list, {}), CVelmoraError::Message(T::MsgNoClearRows));
        QVERIFY(!transfer.Clear(T::PhoneBook, {2, 99}));
        QVERIFY(transfer.PhoneRow(2).IsEmpty());
        QVERIFY(transfer.IsChanged(T::PhoneBook));
    }

    void writeReplacesTheUnitsRowsOfTheChangedLists()
    {
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QVERIFY(!transfer.MoveBack({2}));
        QVERIFY(!transfer.Clear(T::PhoneBook, {2}));
        QVERIFY(!transfer.Clear(T::Consolidated, {2}));
        const auto tablesBefore = CFleetFixtures::Rows(Db(), "unit_phone_details");
        int failed = 0;
        QVERIFY(!transfer.Write(&failed));
        QCOMPARE(failed, -1);
        QCOMPARE(CFleetFixtures::Rows(Db(), "unit_phone_details"), tablesBefore);

        T reread(Unit(), false);
        QVERIFY(!reread.Load());
        QCOMPARE(reread.PhoneEntries(), transfer.PhoneEntries());
        QCOMPARE(reread.PrivateEntries(), transfer.PrivateEntries());
        // The consolidated list closes its gaps: entries follow one another in name-index order.
        QCOMPARE(NonEmpty(reread.ConsolEntries()), NonEmpty(transfer.ConsolEntries()));
        QCOMPARE(reread.FreeConsolRow(), 3);
        // NAM 2 stays; the consolidated rows are numbered by row, with their length.
        QSqlQuery q(Db());
        QVERIFY(q.exec("SELECT count(*) FROM unit_private_details_tmp WHERE unit_nam = 2"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QVERIFY(q.exec("SELECT unit_rec_num, unit_phone_num_len FROM unit_consolid_call_list_tmp "
                       "WHERE unit_name = 'Dee'"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 3); // its row when written
        QCOMPARE(q.value(1).toInt(), 4);
    }

    void writeStopsAtTheFirstFailingListAndKeepsNothing()
    {
        const auto before = Everything();
        T transfer(Unit(), false);
        QVERIFY(!transfer.Load());
        QVERIFY(!transfer.MoveBack({2, 3}));
        QVERIFY(!transfer.Clear(T::Consolidated, {2, 3}));
        Exec("CREATE TRIGGER refuse_private BEFORE INSERT ON unit_private_details_tmp "
             "BEGIN SELECT RAISE(ABORT, 'private list refused'); END");
        int failed = 0;
        const CVelmoraError error = transfer.Write(&failed);
        QCOMPARE(failed, int(T::Private));
        QVERIFY(error.ToText().contains("private list refused"));
        // The phone book written before is taken back; the consolidated list was not reached.
        QCOMPARE(Everything(), before);
        QVERIFY(transfer.IsChanged(T::PhoneBook));

        Exec("DROP TRIGGER refuse_private");
        Exec("CREATE TRIGGER refuse_phone BEFORE INSERT ON unit_phone_details_tmp "
             "BEGIN SELECT RAISE(ABORT, 'phone book refused'); END");
        QVERIFY(transfer.Write(&failed));
        QCOMPARE(failed, int(T::PhoneBook));
        QCOMPARE(Everything(), before);
        Exec("DROP TRIGGER refuse_phone");
        QVERIFY(!transfer.Write(&failed));
        QVERIFY(Everything() != before);
    }
};

VELMORA_TEST_MAIN(TestPhoneBookTransfer)
#include "tst_phone_book_transfer.moc"
