#include "AgentApi.h"
#include "CCodeplugBackup.h"
#include "CCodeplugRecovery.h"
#include "CConsolidatedDerivation.h"
#include "CConsolidatedRecord.h"
#include "CEditingView.h"
#include "CFleetSchema.h"
#include "CListBlockCodec.h"
#include "CListEntry.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CPhonePreset.h"
#include "CProcessPhone.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "CodeplugItemIds.h"
#include "IFleetView.h"
#include "PhoneMessageIds.h"

#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <functional>

namespace {

const int OwnItem = 900; // an item of the phone's own that no version of the fleet reads

QList<int> Ids()
{
    return CScriptedAnswerer::Instance().Ids();
}

const QStringList UnitTables = CFleetSchema::PerUnitTables();

// What may differ between two reads of one unit: numbering the database does, the programming date
// the library stamps, and the time stamps a write gives consolidated entries.
bool Volatile(const QString& table, const QString& column)
{
    if (column == QLatin1String("unit_rec_num"))
        return table != QLatin1String("unit_consolid_call_list");
    return column == QLatin1String("unit_last_mod_date") || column == QLatin1String("unit_timeStamp");
}

// Every row of the unit in every unit table, in a stable order, without the volatile columns.
QMap<QString, QList<QStringList>> Snapshot(const QSqlDatabase& db, const QString& imei)
{
    QMap<QString, QList<QStringList>> snapshot;
    for (const QString& table : UnitTables) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT * FROM %1 WHERE unit_imei_num = ?").arg(table));
        query.addBindValue(imei);
        if (!query.exec())
            qFatal("%s", qPrintable(table));
        QList<QStringList> rows;
        while (query.next()) {
            QStringList row;
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i) {
                if (!Volatile(table, record.fieldName(i)))
                    row << record.fieldName(i) + QLatin1Char('=') + query.value(i).toString();
            }
            rows << row;
        }
        std::sort(rows.begin(), rows.end());
        snapshot.insert(table, rows);
    }
    return snapshot;
}

bool Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    return query.exec();
}

// Items of two codeplugs that differ, leaving out the ones named.
QList<int> ChangedItems(const CCodeplug& before, const CCodeplug& after, const QList<int>& skip)
{
    QList<int> changed;
    for (const CCodeplugItem& item : before.Items()) {
        if (skip.contains(item.id))
            continue;
        const CCodeplugItem* now = after.Find(item.id, item.bank);
        if (!now || now->bytes != item.bytes)
            changed << item.id;
    }
    return changed;
}

// The SIM block without the time stamps of its consolidated entries.
QByteArray WithoutTimeStamps(QByteArray block)
{
    if (block.size() != AGENT_SIM_BLOCK_SIZE)
        return block; // no SIM
    for (const CListBlockLayout::Region& region : CListBlockLayout::SimRegions()) {
        if (region.kind != CListBlockLayout::ListKind::Consolidated)
            continue;
        for (int slot = 0; slot < region.count; ++slot) {
            const int at = CListBlockLayout::SlotOffset(region, slot) + CConsolidatedRecord::TimeStampOffset;
            for (int i = 0; i < 4; ++i)
                block[at + i] = '\0';
        }
    }
    return block;
}

// Which bytes of a block the fleet manages: its list regions and, in a SIM block, the talkgroup type.
QVector<bool> ManagedBytes(const QByteArray& block, const QList<CListBlockLayout::Region>& regions)
{
    QVector<bool> mask(block.size(), false);
    for (const CListBlockLayout::Region& r : regions) {
        const int end = qMin(int(block.size()), r.offset + r.count * CListBlockLayout::EntrySize(r.format));
        for (int i = r.offset; i < end; ++i)
            mask[i] = true;
    }
    if (block.size() == AGENT_SIM_BLOCK_SIZE)
        mask[CListBlockLayout::SimTalkgroupTypeOffset] = true;
    return mask;
}

QByteArray Unmanaged(const QByteArray& block, const QList<CListBlockLayout::Region>& regions)
{
    const QVector<bool> managed = ManagedBytes(block, regions);
    QByteArray outside;
    for (int i = 0; i < block.size(); ++i) {
        if (!managed[i])
            outside += block.at(i);
    }
    return outside;
}

// Gives the phone bytes that belong to it alone: an item the fleet never reads and a pattern between
// the regions of its list block and of its SIM block.
void AddPhonesOwnBytes(CVirtualPhone& phone)
{
    CCodeplugItem& own = phone.codeplug.Add(OwnItem, 0, 1, 6);
    own.bytes = QByteArray::fromHex("a55aa55a0102");
    const auto fill = [](QByteArray& block, const QList<CListBlockLayout::Region>& regions) {
        const QVector<bool> managed = ManagedBytes(block, regions);
        for (int i = 0; i < block.size(); ++i) {
            if (!managed[i])
                block[i] = char((i * 7 + 3) & 0xFF);
        }
    };
    fill(phone.codeplug.ListBlock(), CListBlockLayout::Regions(phone.codeplug.Layout()));
    if (phone.sim.block.size() == AGENT_SIM_BLOCK_SIZE)
        fill(phone.sim.block, CListBlockLayout::SimRegions());
}

// The edits a fleet manager makes to a read unit: identity and settings, and list rows changed,
// added and removed (the consolidated list, a style, quick notes and shortcuts on the Alder platform).
void EditUnit(const QSqlDatabase& db, const QString& imei, bool alder)
{
    QVERIFY(Exec(db, "UPDATE unit_details SET unit_user_name = ?, units_comments = ? WHERE unit_imei_num = ?",
                 {QStringLiteral("O'Brien"), QStringLiteral("Checked"), imei}));
    QVERIFY(Exec(db,
                 "UPDATE unit_phone_ergo_settings SET unit_one_min_beep = 1 - unit_one_min_beep, "
                 "unit_timer_auto_power_down_value = 45, unit_emergency_talkgroup = 7, unit_power_mode = 2, "
                 "unit_vadk = 1 WHERE unit_imei_num = ?",
                 {imei}));
    if (alder) {
        QVERIFY(Exec(db,
                     "UPDATE unit_consolid_call_list SET unit_name = ? WHERE unit_imei_num = ? AND "
                     "unit_rec_num = 1",
                     {QStringLiteral("Edited"), imei}));
        QVERIFY(Exec(db,
                     "UPDATE unit_alder_styles_details SET unit_style_name = ?, unit_style_line1_style = 5 "
                     "WHERE unit_imei_num = ? AND unit_style_number = 3",
                     {QStringLiteral("Quiet"), imei}));
        QVERIFY(Exec(db, "UPDATE unit_alder_quick_notes SET unit_quick_notes_10 = ? WHERE unit_imei_num = ?",
                     {QStringLiteral("New note"), imei}));
        QVERIFY(Exec(db,
                     "DELETE FROM unit_alder_shortcut_details WHERE unit_imei_num = ? AND "
                     "unit_shortcut_number = 4",
                     {imei}));
    } else {
        QVERIFY(Exec(db,
                     "UPDATE unit_phone_details SET unit_name = ? WHERE unit_imei_num = ? AND "
                     "unit_speed_dial = 1",
                     {QStringLiteral("Edited"), imei}));
        QVERIFY(Exec(db,
                     "INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, "
                     "unit_phone_num, unit_name, "
                     "unit_program_flag, unit_language) VALUES (?, 10, '5559999', 'Added', 1, 0)",
                     {imei}));
        QVERIFY(Exec(db,
                     "UPDATE unit_tg_details SET unit_tg_id = 4242 WHERE unit_imei_num = ? AND "
                     "unit_loc_no = 1",
                     {imei}));
        QVERIFY(
            Exec(db, "DELETE FROM unit_private_details WHERE unit_imei_num = ? AND unit_loc_no = 1", {imei}));
    }
}

} // namespace

// Writing a fleet's unit into the phone, and the whole read, edit, save, write, read cycle for every
// model of the catalogue, with the backup the library keeps and its recovery.
class TestWritePhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    // A phone of the model with a PIN on its SIM, read into a new fleet.
    CVelmoraDoc* PlugAndRead(int modelType, QString& name, CPhonePresetOptions options = {},
                             const std::function<void(CVirtualPhone&)>& change = {})
    {
        if (m_fx.Rules().PhoneClassOf(modelType) >= 2 && options.pin.isEmpty()) {
            options.pin = QStringLiteral("1357");
            m_fx.Pin().script = QStringList(4, options.pin);
        }
        name = m_fx.Plug(modelType, options);
        if (change) {
            CVirtualPhone phone = m_fx.Load(name);
            change(phone);
            m_fx.Save(name, phone);
        }
        CVelmoraDoc* doc = m_fx.NewFleet();
        if (!doc || !CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()))
            return nullptr;
        return doc;
    }

    bool Write(const CWriteFlags& flags = CWriteFlags::All())
    {
        return CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), flags);
    }

    QString BackupOf(const QString& imei) { return m_fx.Settings().backupFolder + "/" + imei + ".dbf"; }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void everyModelWritesBackWhatItRead_data()
    {
        QTest::addColumn<int>("modelType");
        for (const int type : m_fx.ModelTypes())
            QTest::addRow("model %d", type) << type;
    }
    void everyModelWritesBackWhatItRead()
    {
        QFETCH(int, modelType);
        QString name;
        CVelmoraDoc* doc = PlugAndRead(modelType, name);
        QVERIFY(doc);
        const CVirtualPhone before = m_fx.Load(name);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Programmed)});
        const CVirtualPhone after = m_fx.Load(name);

        // Nothing changes but the programming date, the item 40 patch and, on a SIM phone, the IP
        // address item, which the fleet takes from the SIM.
        QList<int> skip{1, 40};
        if (m_fx.Facts(modelType).callListType == 7)
            skip << 114;
        QCOMPARE(ChangedItems(before.codeplug, after.codeplug, skip), QList<int>{});
        QCOMPARE(after.codeplug.Find(CodeplugItem::ProgrammingState, 0)->bytes,
                 QByteArray::fromHex("19f1000002"));
        QCOMPARE(after.codeplug.ListBlock(), before.codeplug.ListBlock());
        QCOMPARE(WithoutTimeStamps(after.sim.block), WithoutTimeStamps(before.sim.block));

        // The phone's previous codeplug is in the backup folder, and recovery puts it back.
        CCodeplugBackup backup;
        QCOMPARE(CCodeplugBackup::Load(BackupOf(before.imei), backup), int(AGENT_SUCCESS));
        QVERIFY(backup.codeplug == before.codeplug);
        CScriptedAnswerer::Instance().Clear();
        QCOMPARE(CCodeplugRecovery(m_fx.Settings()).Restore(BackupOf(before.imei), m_fx.Host(), m_fx.Host()),
                 CCodeplugRecovery::Result::Close);
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Restored)});
        QVERIFY(m_fx.Load(name).codeplug == before.codeplug);
        QCOMPARE(m_fx.Host().depth, 0);
    }

    // An Alder phone whose structure version counts 1..15 gets both lock-outs when the unit has
    // either; 0x0C counts as 0 and 0x16 as 16, which keep them apart.
    void lockoutsAreWrittenByTheStructureVersionAsCounted_data()
    {
        QTest::addColumn<int>("structure");
        QTest::addColumn<bool>("linked");
        QTest::newRow("0x0C") << 0x0C << false;
        QTest::newRow("0x12") << 0x12 << true;
        QTest::newRow("0x16") << 0x16 << false;
    }
    void lockoutsAreWrittenByTheStructureVersionAsCounted()
    {
        QFETCH(int, structure);
        QFETCH(bool, linked);
        const auto restore =
            qScopeGuard([this, id = m_fx.Settings().carrierId] { m_fx.Settings().carrierId = id; });
        m_fx.Settings().carrierId = 2; // the only carrier whose lock-outs reach the phone
        CPhonePresetOptions options;
        options.structureVersion = structure;
        QString name;
        CVelmoraDoc* doc = PlugAndRead(105, name, options);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        QVERIFY(
            Exec(doc->Database(),
                 "UPDATE unit_phone_ergo_settings SET unit_phone_lock_out = 1, unit_private_lock_out = 0, "
                 "unit_code_control = 0 WHERE unit_imei_num = ?",
                 {imei}));
        QVERIFY(Write());
        const quint32 bits = m_fx.Load(name).codeplug.Value(CodeplugItem::LockoutBits);
        QCOMPARE(bits & 1u, 1u);
        QCOMPARE(bool(bits & 2u), linked);
    }

    void everyModelKeepsItsEdits_data() { everyModelWritesBackWhatItRead_data(); }
    // The whole cycle a fleet manager goes through: a phone with bytes of its own is read into a new
    // fleet, edited, saved and written back; the phone keeps what the fleet does not manage, reads
    // back as the edited unit, and its previous codeplug is in the backup folder for recovery.
    void everyModelKeepsItsEdits()
    {
        QFETCH(int, modelType);
        QString name;
        CVelmoraDoc* doc = PlugAndRead(modelType, name, {}, AddPhonesOwnBytes);
        QVERIFY(doc);
        const CVirtualPhone before = m_fx.Load(name);
        const QString imei = before.imei;
        const bool alder = m_fx.Rules().PhoneClassOf(modelType) == 3;
        EditUnit(doc->Database(), imei, alder);
        if (QTest::currentTestFailed())
            return;
        const QString saved =
            CTestEnvironment::NewFolder(QStringLiteral("saved")) + QStringLiteral("/fleet.vlf");
        doc->SetSaveAsPrompt([saved](const CVelmoraDoc&) { return saved; });
        CFleetErrors errors;
        QVERIFY(doc->DoFileSave(errors));
        QVERIFY(errors.isEmpty());
        const auto edited = Snapshot(doc->Database(), imei);

        CScriptedAnswerer::Instance().Clear();
        QVERIFY(Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Programmed)});
        QCOMPARE(m_fx.Host().depth, 0);

        // Only the items the edits touched changed (besides the programming date, the item 40 patch
        // and a SIM phone's address item); the phone's own bytes are as they were.
        const CVirtualPhone after = m_fx.Load(name);
        QList<int> edits{1, 3, 5, 13, 17, 22, 28, 29, 40};
        if (m_fx.Facts(modelType).callListType == 7)
            edits << 114;
        if (alder) {
            for (const int offset : CPhonePreset::StyleItems(3))
                edits << 1300 + offset;
            edits << 127 << 128 << 139;
        }
        QCOMPARE(ChangedItems(before.codeplug, after.codeplug, edits), QList<int>{});
        QVERIFY(after.codeplug.Find(CodeplugItem::UserName, 0)->bytes.startsWith("O'Brien"));
        QCOMPARE(after.codeplug.Find(OwnItem, 0)->bytes, QByteArray::fromHex("a55aa55a0102"));
        const auto regions = CListBlockLayout::Regions(before.codeplug.Layout());
        QCOMPARE(after.codeplug.ListBlock().size(), before.codeplug.ListBlock().size());
        QCOMPARE(Unmanaged(after.codeplug.ListBlock(), regions),
                 Unmanaged(before.codeplug.ListBlock(), regions));
        QCOMPARE(Unmanaged(after.sim.block, CListBlockLayout::SimRegions()),
                 Unmanaged(before.sim.block, CListBlockLayout::SimRegions()));

        // Read again, the phone gives the unit as it was edited.
        m_fx.Pin().script = QStringList(2, QStringLiteral("1357"));
        {
            const auto again = m_fx.Read();
            QVERIFY(again);
            const auto reread = Snapshot(again->Database(), imei);
            for (const QString& table : UnitTables)
                QCOMPARE(reread.value(table), edited.value(table));
        }

        // The codeplug the phone held before the write is in the backup folder; recovery puts it back.
        CCodeplugBackup backup;
        QCOMPARE(CCodeplugBackup::Load(BackupOf(imei), backup), int(AGENT_SUCCESS));
        QVERIFY(backup.codeplug == before.codeplug);
        CScriptedAnswerer::Instance().Clear();
        QCOMPARE(CCodeplugRecovery(m_fx.Settings()).Restore(BackupOf(imei), m_fx.Host(), m_fx.Host()),
                 CCodeplugRecovery::Result::Close);
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Restored)});
        QVERIFY(m_fx.Load(name).codeplug == before.codeplug);
    }

    void phoneOutsideTheFleetIsLeftAlone()
    {
        QString name;
        QVERIFY(PlugAndRead(20, name));
        CPhonePresetOptions options;
        options.serial = 7;
        const QString other = m_fx.Plug(20, options, QStringLiteral("other"));
        const CVirtualPhone before = m_fx.Load(other);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{6000 - PhoneErr::UnitMismatch});
        // The message names the phone on the cable.
        const CVelmoraMessage& mismatch = CScriptedAnswerer::Instance().Messages().first();
        QVERIFY2(mismatch.text.contains(before.imei), qPrintable(mismatch.text));
        const QString model = m_fx.Rules().ModelDisplayName(20, 0, 0);
        QVERIFY(!model.isEmpty());
        QVERIFY2(mismatch.text.contains(model), qPrintable(mismatch.text));
        QVERIFY(m_fx.Load(other).codeplug == before.codeplug);
        QVERIFY(!QFile::exists(BackupOf(before.imei)));
        QCOMPARE(m_fx.Host().depth, 0);
        QCOMPARE(m_fx.Host().statusTexts.value(m_fx.Host().statusTexts.size() - 1), QString());
    }

    void unitOfAnotherModelIsRefused()
    {
        QString name;
        CVelmoraDoc* doc = PlugAndRead(20, name);
        QVERIFY(doc);
        QVERIFY(Exec(doc->Database(), "UPDATE unit_details SET unit_model_type = 24", {}));
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{6000 - PhoneErr::UnitMismatch});
    }

    void crossFleetMustMatch_data()
    {
        QTest::addColumn<int>("modelType");
        QTest::addColumn<bool>("unitCrossFleet");
        QTest::addColumn<int>("message");
        QTest::newRow("phone cross-fleet, unit not") << 12 << false << int(PhoneMsg::CrossFleetOffForUnit);
        QTest::newRow("unit cross-fleet, phone not") << 10 << true << int(PhoneMsg::CrossFleetOnForUnit);
    }
    void crossFleetMustMatch()
    {
        QFETCH(int, modelType);
        QFETCH(bool, unitCrossFleet);
        QFETCH(int, message);
        QString name;
        CVelmoraDoc* doc = PlugAndRead(modelType, name);
        QVERIFY(doc);
        QVERIFY(
            Exec(doc->Database(), "UPDATE unit_details SET unit_cross_fleet_enable = ?", {unitCrossFleet}));
        const CVirtualPhone before = m_fx.Load(name);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{message});
        QVERIFY(m_fx.Load(name).codeplug == before.codeplug);
    }

    void item40IsPatchedOnlyFromItsFirstState()
    {
        QString name;
        QVERIFY(PlugAndRead(10, name));
        CVirtualPhone phone = m_fx.Load(name);
        phone.codeplug.Find(CodeplugItem::ProgrammingState, 0)->bytes = QByteArray::fromHex("19f1000001");
        m_fx.Save(name, phone);
        QVERIFY(Write());
        QCOMPARE(m_fx.Load(name).codeplug.Find(CodeplugItem::ProgrammingState, 0)->bytes,
                 QByteArray::fromHex("19f1000001"));
    }

    void clearedListFlagKeepsThePhonesList()
    {
        QString name;
        CVelmoraDoc* doc = PlugAndRead(30, name);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        QVERIFY(Exec(doc->Database(), "DELETE FROM unit_phone_details WHERE unit_imei_num = ?", {imei}));
        QVERIFY(Exec(doc->Database(), "DELETE FROM unit_tg_details WHERE unit_imei_num = ?", {imei}));
        const QByteArray before = m_fx.Load(name).codeplug.ListBlock();
        CWriteFlags flags = CWriteFlags::All();
        flags.phoneBook = false;
        QVERIFY(Write(flags));
        const QByteArray after = m_fx.Load(name).codeplug.ListBlock();
        QCOMPARE(after.left(100 * 54), before.left(100 * 54));
        QCOMPARE(after.mid(5400, 50 * 20), QByteArray(50 * 20, '\0'));
    }

    void refusedListBlockStopsBeforeProgramming()
    {
        QString name;
        QVERIFY(PlugAndRead(40, name));
        m_fx.AddFault(name, QStringLiteral("AgentWriteLists"), AGENT_VALUE_REJECTED);
        const CVirtualPhone before = m_fx.Load(name);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{6000 - AGENT_VALUE_REJECTED});
        QVERIFY(m_fx.Load(name).codeplug == before.codeplug);
        QCOMPARE(m_fx.Host().depth, 0);
    }

    void simStageRetriesTheSimBlock()
    {
        QString name;
        QVERIFY(PlugAndRead(70, name));
        m_fx.AddFault(name, QStringLiteral("AgentWriteSimBlock"), AGENT_SIM_IO, 2);
        m_fx.Delays().clear();
        const int asked = m_fx.Pin().asked;
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::Programmed)});
        QCOMPARE(m_fx.Delays().count(AGENT_RETRY_WAIT_MS), 2);
        // The PIN typed at identification serves the SIM stage after the restart as well.
        QCOMPARE(m_fx.Pin().asked, asked + 1);

        m_fx.AddFault(name, QStringLiteral("AgentWriteSimBlock"), AGENT_SIM_IO, 6);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{6000 - AGENT_SIM_IO});
    }

    void consolidatedUnitIntoAPhoneWithLists()
    {
        QString alder;
        CVelmoraDoc* doc = PlugAndRead(105, alder);
        QVERIFY(doc);
        const QString source = m_fx.Load(alder).imei;
        QVERIFY(Exec(doc->Database(),
                     "UPDATE unit_consolid_call_list SET unit_name = 'From Alder' WHERE unit_rec_num = 1",
                     {}));
        // The Copy Wizard's way: another unit's settings and lists into the phone on the cable.
        const QString plain = m_fx.Plug(10, {}, QStringLiteral("plain"));
        using Kind = CListBlockLayout::ListKind;
        const QList<CListBlockLayout::Region> regions = CListBlockLayout::Regions(CListBlockLayout::L0);
        // The phone holds an entry in each list of NAM 2 and 3.
        CVirtualPhone target = m_fx.Load(plain);
        CListEntry entry;
        entry.name = QStringLiteral("Phone's");
        entry.id = 77;
        for (const CListBlockLayout::Region& region : regions) {
            if (region.nam > 1)
                CListEntry::Encode(region.format, entry, target.codeplug.ListBlock(), region.offset);
        }
        m_fx.Save(plain, target);
        QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
        CProcessPhone phone(CProcessPhone::ModeWrite, m_fx.Settings(), m_fx.Rules(), &m_fx.Pin());
        CWriteFlags flags;
        flags.consolidated = true;
        flags.talkgroups[1] = true;
        phone.SetWriteFlags(flags);
        phone.AttachDatabase(doc->Database());
        QVERIFY(!phone.PrepareAndWriteSourceItems(source).IsError());
        QVERIFY(!phone.WriteListBlock(true).IsError());
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L0), '\0');
        QCOMPARE(AgentReadLists0(reinterpret_cast<uint8_t*>(block.data())), int(AGENT_SUCCESS));
        const CUnitListRows rows = CListBlockCodec::Decode(block, regions, false);
        QCOMPARE(rows.Count(Kind::PhoneBook), 4);
        QCOMPARE(rows.Of(Kind::PhoneBook).first().name, QStringLiteral("From Alder"));
        QCOMPARE(rows.Count(Kind::Private), 2);
        QCOMPARE(rows.Of(Kind::Private).first().member, 2001u);
        QCOMPARE(rows.Count(Kind::Talkgroup), 3);
        // NAM 2 talkgroups were selected and the unit has none; the other lists keep the phone's.
        QCOMPARE(rows.Count(Kind::Talkgroup, 2), 0);
        QCOMPARE(rows.Count(Kind::Private, 2), 1);
        QCOMPARE(rows.Count(Kind::Talkgroup, 3), 1);
        QCOMPARE(rows.Count(Kind::Private, 3), 1);
    }

    void derivedListCutAtItsLimitIsRemarkedAndTheWriteGoesOn()
    {
        QString alder;
        CVelmoraDoc* doc = PlugAndRead(105, alder);
        QVERIFY(doc);
        const QString source = m_fx.Load(alder).imei;
        // More consolidated talkgroups than a NAM 1 talkgroup list holds.
        for (int i = 0; i <= CConsolidatedDerivation::TalkgroupLimit; ++i) {
            QVERIFY(Exec(
                doc->Database(),
                "INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, unit_num, unit_num_type, "
                "unit_rec_num) VALUES (?, ?, ?, ?, ?)",
                {source, QStringLiteral("Group %1").arg(i), QString::number(700 + i),
                 int(CConsolidatedDerivation::TalkgroupType), 200 + i}));
        }
        m_fx.Plug(10, {}, QStringLiteral("plain"));
        QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
        CProcessPhone phone(CProcessPhone::ModeWrite, m_fx.Settings(), m_fx.Rules(), &m_fx.Pin());
        phone.SetMessages(&m_fx.Host());
        CWriteFlags flags;
        flags.consolidated = true;
        phone.SetWriteFlags(flags);
        phone.AttachDatabase(doc->Database());
        QVERIFY(!phone.PrepareAndWriteSourceItems(source).IsError());
        QByteArray before(CListBlockLayout::BlockSize(CListBlockLayout::L0), '\0');
        QCOMPARE(AgentReadLists0(reinterpret_cast<uint8_t*>(before.data())), int(AGENT_SUCCESS));
        CScriptedAnswerer::Instance().Clear();
        // The notice reaches the user while the list block is made; the block is still written.
        QVERIFY(!phone.WriteListBlock(true).IsError());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::TalkgroupCut)});
        QByteArray after(before.size(), '\0');
        QCOMPARE(AgentReadLists0(reinterpret_cast<uint8_t*>(after.data())), int(AGENT_SUCCESS));
        QVERIFY(after != before);
    }

    void fleetWithoutUnitsOrEditingGridWritesNothing()
    {
        m_fx.Plug(10);
        CVelmoraDoc* doc = m_fx.NewFleet();
        QVERIFY(doc);
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneText::NoUnitsToWrite)});
        CEditingView view;
        doc->AddView(&view);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::CellEditingWrite)});
        doc->RemoveView(&view);
        QCOMPARE(m_fx.Host().waits, 0);
    }

    void theUnitIsWrittenAsTheGridShowsIt()
    {
        QString name;
        CVelmoraDoc* doc = PlugAndRead(20, name);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        // A name typed into the grid but not stored yet: the grid stores it when the write asks.
        m_fx.Host().storePending = [imei](CVelmoraDoc& document) {
            return Exec(document.Database(),
                        "UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                        {QStringLiteral("Typed"), imei});
        };
        const int asked = m_fx.Host().pendingStored;
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(Write());
        QCOMPARE(m_fx.Host().pendingStored, asked + 1);
        QVERIFY(m_fx.Load(name).codeplug.Find(CodeplugItem::UserName, 0)->bytes.startsWith("Typed"));

        // A typed row its checks refuse stops the write before the phone is touched.
        m_fx.Host().storePending = [](CVelmoraDoc&) { return false; };
        const CVirtualPhone before = m_fx.Load(name);
        const int waits = m_fx.Host().waits;
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!Write());
        QCOMPARE(Ids(), QList<int>{});
        QVERIFY(m_fx.Load(name).codeplug == before.codeplug);
        QCOMPARE(m_fx.Host().waits, waits);
    }

    void emptyBackupSettingUsesTheProgramFolder()
    {
        QString name;
        QVERIFY(PlugAndRead(10, name));
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Codeplug Backup Path"), QString());
        QVERIFY(Write());
        QVERIFY(QFile::exists(CTestEnvironment::ProgramFolder() + "/" + m_fx.Load(name).imei + ".dbf"));
        QVERIFY(m_fx.Host().statusTexts.contains(
            CVelmoraWrap::LoadString(PhoneMsg::ProgrammingStatus).arg(m_fx.Load(name).imei)));
        // The status bar says the write is done, already when the success box comes up.
        const QString done = CVelmoraWrap::LoadString(PhoneText::WriteDone).arg(m_fx.Load(name).imei);
        QVERIFY(done.contains(m_fx.Load(name).imei));
        QCOMPARE(m_fx.Host().statusTexts.last(), done);
        QCOMPARE(Ids().last(), int(PhoneMsg::Programmed));
        QCOMPARE(m_fx.Host().statusAtMessages.last(), done);
    }
};

VELMORA_TEST_MAIN(TestWritePhone)
#include "tst_write_phone.moc"
