#include "AgentApi.h"
#include "CCopyItems.h"
#include "CCopyLog.h"
#include "CCopySource.h"
#include "CCopyWizardState.h"
#include "CCopyWriter.h"
#include "CFleetErrors.h"
#include "CFleetFile.h"
#include "CListBlockCodec.h"
#include "CListBlockLayout.h"
#include "CListEntry.h"
#include "CModelProfile.h"
#include "CPhoneFixture.h"
#include "CProcessPhone.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitListRows.h"
#include "CVelmoraDoc.h"
#include "CopyWizardIds.h"

#include <QDir>
#include <QtTest>

namespace {

// Waits counted, nothing shown.
class CCountingWait : public IWaitIndicator
{
public:
    void BeginWait() override { ++depth; }
    void EndWait() override { --depth; }
    int depth = 0;
};

class CRecordedMessages : public IPhoneMessages
{
public:
    void Report(const CVelmoraError& error) override
    {
        if (error.IsError() && !error.IsCancelled())
            ids << error.Id();
    }
    QList<int> ids;
};

CModelProfile FullProfile()
{
    CModelProfile profile;
    profile.known = true;
    profile.scanAndStatus = true;
    profile.capacities.privateList = {100, 5, 5};
    profile.capacities.talkgroups = {30, 5, 5};
    return profile;
}

QStringList Names(const CUnitListRows& rows, CListBlockLayout::ListKind kind)
{
    QStringList names;
    for (const CListRow& row : rows.Of(kind, 1))
        names << row.name;
    return names;
}

} // namespace

class TestCopyWizard : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;
    CRecordedMessages m_messages;
    CCountingWait m_wait;

    CUnitListRows ListsOf(const QString& name)
    {
        const CVirtualPhone phone = m_fx.Load(name);
        return CListBlockCodec::Decode(phone.codeplug.ListBlock(),
                                       CListBlockLayout::Regions(CListBlockLayout::L0), false);
    }

    // A source read from a plain phone on the bench, its check list filled for one NAM.
    bool ReadSource(CCopyWizardState& state, const QString& name)
    {
        m_fx.Plug(10, {}, name);
        CCopySource source(m_fx.Settings(), m_fx.Rules(), m_messages);
        if (source.ReadFromPhone(state, &m_fx.Pin(), m_wait).IsError())
            return false;
        state.ApplyModelRules(m_fx.Rules());
        state.EnsureItems(1);
        return state.HasSource();
    }

    CWriteFlags Checked(CCopyWizardState& state, const QStringList& keys)
    {
        for (const QString& key : keys)
            state.items.SetChecked(state.items.IndexOfKey(key), true);
        CWriteFlags flags;
        if (state.items.Flags(flags).IsError())
            qFatal("nothing checked");
        return flags;
    }

private Q_SLOTS:
    void init()
    {
        m_fx.Start();
        m_messages.ids.clear();
    }

    void itemListsFollowTheNamCountAndEndWithTheConsolidatedList()
    {
        QCOMPARE(CCopyItems::TextIds(1), (QList<int>{1398, 1399, 1695, 1402, 1403, 1404, 1660, 1765}));
        QCOMPARE(CCopyItems::TextIds(2).size(), 12);
        QCOMPARE(CCopyItems::TextIds(3).size(), 16);
        QCOMPARE(CCopyItems::TextIds(3).mid(4, 3), (QList<int>{1695, 1696, 1697}));
        for (int nam = 1; nam <= 3; ++nam)
            QCOMPARE(CCopyItems::TextIds(nam).last(), 1765);
        CCopyItems items;
        items.Fill(3, FullProfile(), 3);
        QCOMPARE(items.Count(), 16);
        items.SetAllChecked(true);
        CWriteFlags flags;
        QVERIFY(!items.Flags(flags).IsError());
        QVERIFY(flags.phoneBook && flags.consolidated && flags.basicSettings && flags.furtherSettings);
        QCOMPARE(flags.talkgroups, (std::array<bool, 3>{true, true, true}));
        QCOMPARE(flags.statusMessages, (std::array<bool, 3>{true, true, true}));
        QVERIFY(!flags.alderStyles); // never part of a copy
    }

    void disabledItemsStayUncheckedAndNothingCheckedIs1654()
    {
        CModelProfile profile = FullProfile();
        profile.scanAndStatus = false;
        profile.capacities.privateList = {100, 0, 5};
        profile.capacities.talkgroups = {30, 5, 0};
        CCopyItems items;
        items.Fill(3, profile, 1);
        const QStringList disabled = {"private2", "talkgroup3", "scan1",   "scan2",       "scan3",
                                      "status1",  "status2",    "status3", "consolidated"};
        for (int i = 0; i < items.Count(); ++i) {
            const QString key = CCopyItems::Key(items.At(i));
            QCOMPARE(items.At(i).enabled, !disabled.contains(key));
        }
        CWriteFlags flags;
        QCOMPARE(items.Flags(flags).Id(), int(CopyWizMsg::NothingChecked));
        QVERIFY(!items.SetChecked(items.IndexOfKey("consolidated"), true));
        QVERIFY(!items.SetChecked(99, true));
        items.SetAllChecked(true);
        QCOMPARE(items.CheckedCount(), items.Count() - int(disabled.size()));
        QVERIFY(!items.Flags(flags).IsError());
        QVERIFY(!flags.consolidated && !flags.privateList[1] && !flags.talkgroups[2] && !flags.scanList[0]);
        QVERIFY(flags.privateList[2] && flags.talkgroups[1]);
        // Uncheck all leaves nothing to write again.
        items.SetAllChecked(false);
        QCOMPARE(items.Flags(flags).Id(), int(CopyWizMsg::NothingChecked));
    }

    void checksSurviveBackAndNextUntilANewSource()
    {
        CCopyWizardState state;
        state.phoneClass = 3;
        QVERIFY(state.EnsureItems(2));
        QVERIFY(state.items.SetChecked(0, true));
        // Back and Next again: the page asks again, the list stays as it was.
        QVERIFY(!state.EnsureItems(2));
        QCOMPARE(state.items.CheckedCount(), 1);
        state.SetSource(nullptr);
        QVERIFY(state.EnsureItems(2));
        QCOMPARE(state.items.CheckedCount(), 0);
    }

    void modelTextWithSeparatorsGivesTheNumberAfterTheSecondHash()
    {
        QCOMPARE(CCopySource::ModelTypeFromText("105"), 105);
        QCOMPARE(CCopySource::ModelTypeFromText("A-1#B-2#90"), 90);
        QCOMPARE(CCopySource::ModelTypeFromText("12#3-4#114 extra"), 114);
        QCOMPARE(CCopySource::ModelTypeFromText("1-2#3"), 0); // no third part
    }

    void fileSourceListsUnitsByUserNameAndRefusesEmptyPathsAndNonFleets()
    {
        CCopyWizardState state;
        CCopySource source(m_fx.Settings(), m_fx.Rules(), m_messages);
        QCOMPARE(source.OpenFile(state, "  ").Id(), int(CopyWizMsg::EmptyPath));
        const QString junk = CTestEnvironment::NewFolder("junk") + "/not.vlf";
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a fleet");
        file.close();
        QCOMPARE(source.OpenFile(state, junk).Id(), 1603);
        QVERIFY(!state.Source());

        // A read phone's scratch fleet serves as a fleet with units.
        QVERIFY(ReadSource(state, "src"));
        QList<CCopySource::Choice> choices;
        QVERIFY(!CCopySource::ListUnits(state.Source()->Database(), choices).IsError());
        QCOMPARE(choices.size(), 1);
        QCOMPARE(choices.first().imei, m_fx.Load("src").imei);
        QVERIFY(!source.Choose(state, choices.first().imei, "x-1#y-2#10").IsError());
        QCOMPARE(state.modelType, 10);
        QCOMPARE(state.phoneClass, 1);
        QVERIFY(!state.itemListFilled);

        // A fleet file in the stored form is read from a private copy: the file keeps its form.
        const QString stored = CTestEnvironment::NewFolder("stored") + "/fleet.vlf";
        QVERIFY(QFile::copy(state.Source()->ScratchPath(), stored));
        state.FreeSource();
        QVERIFY(CFleetFile::StoreFleetFile(stored));
        QVERIFY(CFleetFile::IsStoredForm(stored));
        const QByteArray storedBytes = [&stored]() {
            QFile f(stored);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(!source.OpenFile(state, stored).IsError());
        QVERIFY(CFleetFile::IsStoredForm(stored));
        QVERIFY(!CCopySource::ListUnits(state.Source()->Database(), choices).IsError());
        QCOMPARE(choices.size(), 1);
        const QString privateCopy = state.Source()->Database().databaseName();
        QVERIFY(privateCopy != stored && QFile::exists(privateCopy));
        state.FreeSource();
        QVERIFY(!QFile::exists(privateCopy));
        QFile after(stored);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), storedBytes);

        // The fleet open in the window is offered as the source.
        CVelmoraDoc document(m_fx.Context());
        CFleetErrors errors;
        QVERIFY(document.OnOpenDocument(stored, errors));
        const CVelmoraError open = source.OpenFile(state, stored);
        QVERIFY2(!open.IsError(), qPrintable(open.ToText()));
        QVERIFY(!CCopySource::ListUnits(state.Source()->Database(), choices).IsError());
        state.FreeSource();
        document.OnCloseDocument();
    }

    void threePhonesInARowLeaveThreeBackupsAndThreeLines()
    {
        CCopyWizardState state;
        QVERIFY(ReadSource(state, "src"));
        const CWriteFlags flags = Checked(state, {"talkgroup1", "basic"});
        CCopyWriter writer(m_fx.Settings(), m_fx.Rules(), m_messages);
        CCopyLog log;
        QStringList imeis;
        for (int serial = 2; serial <= 4; ++serial) {
            CPhonePresetOptions options;
            options.serial = serial;
            const QString name = m_fx.Plug(10, options, QStringLiteral("target%1").arg(serial));
            const CCopyWriter::Outcome outcome = writer.Write(state, flags, false, m_wait);
            QVERIFY2(outcome.written, qPrintable(outcome.error.ToText()));
            QCOMPARE(outcome.successId, int(CopyWizMsg::Programmed));
            QCOMPARE(outcome.imei, m_fx.Load(name).imei);
            QVERIFY(QFile::exists(outcome.backupFile));
            log.Add({QDateTime::currentDateTime(), outcome.imei, "10", "ok", true, outcome.backupFile});
            imeis << outcome.imei;
        }
        QCOMPARE(m_wait.depth, 0);
        QCOMPARE(QDir(m_fx.Settings().backupFolder).entryList({"*.dbf"}).size(), 3);
        QCOMPARE(log.Count(), 3);
        imeis.removeDuplicates();
        QCOMPARE(imeis.size(), 3);
        QCOMPARE(log.ToCsv({"a", "b", "c", "d", "e"}).count("\r\n"), 4);
        // The source is left as it was for the next phone.
        QCOMPARE(state.sourceImei, m_fx.Load("src").imei);
    }

    void aPhoneFailingMidWriteIsLoggedAndTheNextStillWrites()
    {
        CCopyWizardState state;
        QVERIFY(ReadSource(state, "src"));
        const CWriteFlags flags = Checked(state, {"talkgroup1"});
        CCopyWriter writer(m_fx.Settings(), m_fx.Rules(), m_messages);
        CPhonePresetOptions options;
        options.serial = 2;
        const QString broken = m_fx.Plug(10, options, "broken");
        const QByteArray before = m_fx.Load(broken).codeplug.ListBlock();
        m_fx.AddFault(broken, "AgentWriteCodeplugForCopy", AGENT_WRITE_FAILED);
        const CCopyWriter::Outcome failed = writer.Write(state, flags, false, m_wait);
        QVERIFY(!failed.written);
        QVERIFY(failed.error.Stops());
        QCOMPARE(failed.successId, 0);
        QCOMPARE(m_fx.Load(broken).codeplug.ListBlock(), before);
        QCOMPARE(m_wait.depth, 0);

        options.serial = 3;
        m_fx.Plug(10, options, "next");
        const CCopyWriter::Outcome next = writer.Write(state, flags, false, m_wait);
        QVERIFY2(next.written, qPrintable(next.error.ToText()));
    }

    void anUncheckedListKeepsThePhonesOwnEntries()
    {
        // The source's first talkgroup and private entry are its own, so the test tells which side
        // each list came from.
        CPhonePresetOptions sourceOptions;
        sourceOptions.serial = 5;
        m_fx.Plug(10, sourceOptions, "src");
        CVirtualPhone phone = m_fx.Load("src");
        CListEntry entry;
        entry.name = QStringLiteral("Source only");
        entry.id = 4242;
        for (const CListBlockLayout::Region& region : CListBlockLayout::Regions(CListBlockLayout::L0)) {
            if (region.nam == 1 && (region.kind == CListBlockLayout::ListKind::Talkgroup ||
                                    region.kind == CListBlockLayout::ListKind::Private))
                CListEntry::Encode(region.format, entry, phone.codeplug.ListBlock(), region.offset);
        }
        m_fx.Save("src", phone);
        CCopyWizardState state;
        CCopySource reader(m_fx.Settings(), m_fx.Rules(), m_messages);
        QVERIFY(!reader.ReadFromPhone(state, &m_fx.Pin(), m_wait).IsError());
        state.ApplyModelRules(m_fx.Rules());
        state.EnsureItems(1);
        const CUnitListRows source = ListsOf("src");
        CPhonePresetOptions options;
        options.serial = 7;
        const QString target = m_fx.Plug(10, options, "target");
        const CUnitListRows before = ListsOf(target);
        using Kind = CListBlockLayout::ListKind;
        QVERIFY(Names(source, Kind::Talkgroup) != Names(before, Kind::Talkgroup));
        QVERIFY(Names(source, Kind::Private) != Names(before, Kind::Private));
        const CWriteFlags flags = Checked(state, {"talkgroup1"});
        CCopyWriter writer(m_fx.Settings(), m_fx.Rules(), m_messages);
        QVERIFY(writer.Write(state, flags, true, m_wait).written);
        const CUnitListRows after = ListsOf(target);
        QCOMPARE(Names(after, Kind::Talkgroup), Names(source, Kind::Talkgroup));
        QCOMPARE(Names(after, Kind::Private), Names(before, Kind::Private));
        QCOMPARE(Names(after, Kind::PhoneBook), Names(before, Kind::PhoneBook));
    }

    void logSavesCsvWithFormulaTextDefused()
    {
        CCopyLog log;
        log.Add(
            {QDateTime(QDate(2026, 12, 8), QTime(10, 0)), "350000000000017", "10", "=cmd \"x\"", false, ""});
        const QString path = CTestEnvironment::NewFolder("log") + "/copy.csv";
        QVERIFY(!log.Save(path, {"Time", "IMEI", "Model", "Result", "Backup"}).IsError());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith("\"Time\",\"IMEI\""));
        QVERIFY(text.contains("\"'=cmd \"\"x\"\"\""));
        QVERIFY(log.Save("/nonexistent-folder/x.csv", {}).IsError());
    }
};

VELMORA_TEST_MAIN(TestCopyWizard)
#include "tst_copy_wizard.moc"
