// The units table over a fleet document: lazy reading, storing rows (checks, prompt, IMEI rules,
// private ids, addresses, the IMEI change cascade, the settings record), deleting and opening units.

#include "CPhoneTextCodec.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitCascade.h"
#include "CUnitOpener.h"
#include "CUnitRowStore.h"
#include "CUnitsColumns.h"
#include "CUnitsFixture.h"
#include "CUnitsTableModel.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "UnitsMessageIds.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSqlQuery>
#include <QTest>

using C = CUnitsColumns;

namespace {

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

// Types a row's cells into the table, as the grid's editors would.
bool Type(CUnitsTableModel& model, int row, const QList<QPair<int, QString>>& cells)
{
    for (const auto& cell : cells) {
        if (!model.SetCellText(row, cell.first, cell.second))
            return false;
    }
    return true;
}

QList<QPair<int, QString>> NewUnit(const QString& imei)
{
    return {{C::UserName, "Dana"}, {C::Imei, imei}, {C::ModelType, "105"}};
}

} // namespace

class TestUnitsTable : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    CScriptedNewUnitPrompt m_prompt;

    std::unique_ptr<CUnitsTableModel> Table(const CVelmoraDoc& doc)
    {
        auto model = std::make_unique<CUnitsTableModel>(doc.Database(), CUnitsFixture::Settings());
        model->SetNewUnitPrompt(&m_prompt);
        model->Load();
        return model;
    }

private Q_SLOTS:
    void init()
    {
        Answers().Clear();
        m_prompt = CScriptedNewUnitPrompt();
        CVelmoraWrap::SetRegistryValue("Show Msg", "0");
    }

    void anEmptyFleetShowsOneBlankRow()
    {
        auto doc = m_fixture.OpenFleet("empty.vlf", {});
        QVERIFY(doc);
        auto model = Table(*doc);
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(!model->IsStoredRow(1));
        QCOMPARE(model->CellText(1, C::ModelType), QString());
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QString("*"));
    }

    void rowsAreReadInBlocksAsTheyAreAskedFor()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(1000);
        for (CUnitSpec& u : units)
            u.listRows = 0;
        auto doc = m_fixture.OpenFleet("large.vlf", units);
        QVERIFY(doc);
        auto model = Table(*doc);
        QCOMPARE(model->RowCount(), 1001);
        QCOMPARE(model->BlocksRead(), 0);
        QCOMPARE(model->data(model->index(0, 0)).toString(), units[0].user);
        QCOMPARE(model->BlocksRead(), 1);
        QCOMPARE(model->StoredImei(1000), units[999].imei);
        QCOMPARE(model->BlocksRead(), 2);
        // A sweep over every row reads each block once.
        for (int row = 1; row <= 1000; ++row)
            QCOMPARE(model->StoredImei(row), units[row - 1].imei);
        QCOMPARE(model->BlocksRead(), (1000 + CUnitsTableModel::BlockSize - 1) / CUnitsTableModel::BlockSize);
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void storedRowsShowTheirDisplayForms()
    {
        CUnitSpec sub;
        sub.imei = "350000000000099";
        sub.user = "Sub";
        sub.modelType = 110;
        sub.subReleaseId = 1;
        sub.releaseId = 70;
        auto doc = m_fixture.OpenFleet("display.vlf", {sub});
        QVERIFY(doc);
        QVERIFY(
            QSqlQuery(doc->Database())
                .exec(
                    "UPDATE unit_details SET unit_ip_address = '010000000001', unit_cross_fleet_enable = 1"));
        auto model = Table(*doc);
        QCOMPARE(model->CellText(1, C::ModelType), QString("Alder A10 Hebrew"));
        QCOMPARE(model->data(model->index(0, C::ModelType - 1), Qt::EditRole).toString(),
                 QString("-1#70#110"));
        QCOMPARE(model->CellText(1, C::IpAddress), QString("10.0.0.1"));
        QCOMPARE(model->CellText(1, C::DefCallListLang), QString("Hebrew"));
        // A change behind the grid shows once the row is read again.
        QVERIFY(QSqlQuery(doc->Database()).exec("UPDATE unit_details SET unit_user_name = 'Changed'"));
        QCOMPARE(model->CellText(1, C::UserName), QString("Sub"));
        model->RefreshRow(1);
        QCOMPARE(model->CellText(1, C::UserName), QString("Changed"));
        QCOMPARE(model->data(model->index(0, C::CrossFleet - 1), Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
        // Model and address of a stored unit are not edited in the grid.
        QVERIFY(!(model->flags(model->index(0, C::ModelType - 1)) & Qt::ItemIsEditable));
        QVERIFY(!model->SetCellText(1, C::IpAddress, "10.0.0.2"));
        QVERIFY(model->flags(model->index(1, C::ModelType - 1)) & Qt::ItemIsEditable);
    }

    void theGridDrawsEachColumnsStyle()
    {
        auto doc = m_fixture.OpenFleet("styles.vlf", CFleetFixtures::Units(1));
        QVERIFY(doc);
        CUnitsSettings settings = CUnitsFixture::Settings();
        settings.hasFonts = true;
        settings.gridFont.setPointSize(9);
        settings.gridFont2.setPointSize(13);
        CUnitsTableModel model(doc->Database(), settings);
        QVERIFY(!model.Load());
        for (int row = 1; row <= model.RowCount(); ++row) {
            for (int col = 1; col <= C::Count; ++col) {
                const CGridCellStyle style = C::Style(col);
                const QModelIndex cell = model.IndexOf(row, col);
                const QString where = QStringLiteral("row %1 column %2").arg(row).arg(col);
                // No units column sets a text colour: the view's own text colour shows.
                QVERIFY2(!model.data(cell, Qt::ForegroundRole).isValid(), qPrintable(where));
                QVERIFY2(model.data(cell, Qt::BackgroundRole) ==
                             (style.interior.isValid() ? QVariant(style.interior) : QVariant()),
                         qPrintable(where));
                QVERIFY2(model.data(cell, Qt::FontRole).value<QFont>() ==
                             (style.secondFont ? settings.gridFont2 : settings.gridFont),
                         qPrintable(where));
                QVERIFY2(model.data(cell, Qt::TextAlignmentRole).value<Qt::Alignment>() ==
                             (style.centred ? Qt::Alignment(Qt::AlignCenter)
                                            : Qt::AlignLeading | Qt::AlignVCenter),
                         qPrintable(where));
                QVERIFY2(model.data(cell, Qt::CheckStateRole).isValid() == (col == C::CrossFleet),
                         qPrintable(where));
            }
        }
        QVERIFY(C::Style(C::UserName).interior.isValid() && C::Style(C::DisplayPrivateId).secondFont);
        QVERIFY(C::Style(C::CrossFleet).centred);
    }

    void aFleetWithoutItsUnitsTableSaysSoOnLoad()
    {
        auto doc = m_fixture.OpenFleet("notable.vlf", CFleetFixtures::Units(2));
        QVERIFY(doc);
        QVERIFY(QSqlQuery(doc->Database()).exec("DROP TABLE unit_details"));
        CUnitsTableModel model(doc->Database(), CUnitsFixture::Settings());
        QCOMPARE(model.Load(), CVelmoraError::Message(FleetMsg::CannotReadFleet));
        QCOMPARE(Answers().Count(), 0); // the view shows it
        QCOMPARE(model.RowCount(), 1);  // the append row alone
    }

    void aPhoneReadThatLeavesNoUserNameIsRefused()
    {
        auto doc = m_fixture.OpenFleet("noname.vlf", {});
        QVERIFY(doc);
        auto model = Table(*doc);
        CVelmoraWrap::SetRegistryValue("Show Msg", "1");
        // The phone's answer emptied the name and did not reload the grid.
        model->SetReadPhoneHandler([&] { QVERIFY(model->SetCellText(1, C::UserName, QString())); });
        m_prompt.answer = {true, INewUnitPrompt::FromPhone, false};
        QVERIFY(Type(*model, 1, NewUnit("351234567890777")));
        const CUnitsTableModel::StoreResult r = model->StoreRow(1);
        QVERIFY(!r.ok && !r.stored && model->StoreFailed());
        QCOMPARE(r.column, int(C::UserName));
        QCOMPARE(r.error, CVelmoraError::Message(UnitsMsg::UserNameMissing));
        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", "351234567890777"), 0);
    }

    void aNewUnitIsStoredWithItsSettingsRecord()
    {
        auto doc = m_fixture.OpenFleet("new.vlf", {});
        QVERIFY(doc);
        CVelmoraWrap::SetCarrierIniValue("SubId Rel_Models", "EnableVibrateFlag105", "1");
        CVelmoraWrap::SetCarrierIniValue("SubId Rel_Models", "DisableNetMode", "1");
        auto model = Table(*doc);
        const QString imei = "351234567890123";
        QVERIFY(Type(*model, 1,
                     {{C::UserName, "O'Brien"},
                      {C::Imei, imei},
                      {C::ModelType, "105"},
                      {C::DisplayPrivateId, "4321"},
                      {C::IpAddress, "010.000.000.001"}}));
        QVERIFY(model->IsRecordEditing());
        const CUnitsTableModel::StoreResult r = model->StoreRow(1);
        CVelmoraWrap::SetCarrierIniValue("SubId Rel_Models", "EnableVibrateFlag105", "0");
        CVelmoraWrap::SetCarrierIniValue("SubId Rel_Models", "DisableNetMode", "0");
        QVERIFY(r.ok && r.stored);
        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(model->RowCount(), 2);
        QVERIFY(model->IsStoredRow(1) && !model->IsRecordEditing());

        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_user_name").toString(), QString("O'Brien"));
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_ip_address").toString(), QString("10.0.0.1"));
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_currentNAMSelection").toInt(), 1);
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_nam1_private_id").toInt(), 4321);
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_sim_version").toInt(),
                 CUnitsFixture::Rules().PhoneClassOf(105));
        QVERIFY(CUnitsFixture::Field(*doc, imei, "unit_rec_num").toInt() > 0);
        // The settings record: the carrier's defaults, then the model's switches.
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_phone_ergo_settings", imei), 1);
        const QString ergo = "unit_phone_ergo_settings";
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_one_min_beep", ergo).toInt(), 1);
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_call_alert_stack", ergo).toInt(), 0);
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_vibrate_enable", ergo).toInt(), 0);
        QCOMPARE(CUnitsFixture::Field(*doc, imei, "unit_net_mode", ergo).toInt(), 0);
    }

    void theNewUnitPromptAsksForNewRowsWhileShowMsgIsOn()
    {
        auto doc = m_fixture.OpenFleet("prompt.vlf", CFleetFixtures::Units(1));
        QVERIFY(doc);
        auto model = Table(*doc);
        CVelmoraWrap::SetRegistryValue("Show Msg", "1");
        m_prompt.answer = {true, INewUnitPrompt::ByHand, true};
        QVERIFY(Type(*model, 2, NewUnit("351234567890123")));
        QVERIFY(model->StoreRow(2).stored);
        QCOMPARE(m_prompt.asked, 1);
        QVERIFY(!m_prompt.lastPhoneChoiceAvailable);
        QString showMsg;
        QVERIFY(CVelmoraWrap::GetRegistryValue("Show Msg", showMsg));
        QCOMPARE(showMsg, QString("0"));

        // Edits of stored units never ask.
        CVelmoraWrap::SetRegistryValue("Show Msg", "1");
        QVERIFY(model->SetCellText(1, C::UserName, "Renamed"));
        QVERIFY(model->StoreRow(1).stored);
        QCOMPARE(m_prompt.asked, 1);

        // Read from the phone: the phone's unit arrives through the fleet, which reloads the grid.
        bool read = false;
        model->SetReadPhoneHandler([&] {
            read = true;
            model->Load();
        });
        m_prompt.answer = {true, INewUnitPrompt::FromPhone, false};
        QVERIFY(Type(*model, 3, NewUnit("351234567890999")));
        const CUnitsTableModel::StoreResult r = model->StoreRow(3);
        QVERIFY(read && r.ok && !r.stored);
        QVERIFY(m_prompt.lastPhoneChoiceAvailable);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", "351234567890999"), 0);
    }

    void imeisMustHaveFifteenDigitsAndBeUnique()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("imei.vlf", units);
        QVERIFY(doc);
        auto model = Table(*doc);
        QVERIFY(Type(*model, 3, NewUnit("35123456789012")));
        CUnitsTableModel::StoreResult r = model->StoreRow(3);
        QVERIFY(!r.ok && r.column == C::Imei && model->StoreFailed());
        // The refusal comes back for the view to show; the table shows nothing itself.
        QCOMPARE(r.error, CVelmoraError::Message(UnitsMsg::ImeiTooShort));
        QCOMPARE(Answers().Count(), 0);
        QVERIFY(model->IsRecordEditing()); // the typed row stays for the user to fix

        Answers().Clear();
        QVERIFY(model->SetCellText(3, C::Imei, units[1].imei));
        r = model->StoreRow(3);
        QVERIFY(!r.ok && r.column == C::Imei);
        QCOMPARE(r.error, CVelmoraError::Message(UnitsMsg::DuplicateImei));
        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 2);

        // The store itself answers the refusal and leaves showing it to its caller.
        Answers().Clear();
        QStringList cells = CUnitsFixture::GoodRow();
        cells[C::Imei - 1] = units[1].imei;
        qint64 rowId = 0;
        int failed = 0;
        CUnitRowStore store(doc->Database(), &CUnitsFixture::Rules());
        QCOMPARE(store.Store(cells, rowId, QString(), &failed),
                 CVelmoraError::Message(UnitsMsg::DuplicateImei));
        QCOMPARE(failed, int(C::Imei));
        QCOMPARE(rowId, 0);
        QCOMPARE(Answers().Count(), 0);

        // Renaming a stored unit to another's IMEI is refused the same way.
        model->CancelRecordEdit();
        Answers().Clear();
        QVERIFY(model->SetCellText(1, C::Imei, units[1].imei));
        const CUnitsTableModel::StoreResult renamed = model->StoreRow(1);
        QVERIFY(!renamed.ok);
        QCOMPARE(renamed.error, CVelmoraError::Message(UnitsMsg::DuplicateImei));
        QCOMPARE(CUnitsFixture::Field(*doc, units[0].imei, "unit_user_name").toString(), units[0].user);

        Answers().Clear();
        QVERIFY(model->SetCellText(1, C::Imei, "351234567890123"));
        r = model->StoreRow(1);
        QVERIFY(r.stored && !r.error);
        QVERIFY(!model->StoreFailed());
        QCOMPARE(Answers().Count(), 0);
    }

    void zeroOnNamTwoEmptiesItsPrivateId()
    {
        CUnitSpec unit = CFleetFixtures::Units(1).first();
        auto doc = m_fixture.OpenFleet("nam2.vlf", {unit});
        QVERIFY(doc);
        QVERIFY(
            QSqlQuery(doc->Database())
                .exec("UPDATE unit_details SET unit_currentNAMSelection = 2, unit_cross_fleet_enable = 0, "
                      "unit_nam2_private_id = 555, unit_display_prvt_id = '555'"));
        auto model = Table(*doc);
        QVERIFY(model->SetCellText(1, C::DisplayPrivateId, "0"));
        // "0" is not a private id without cross-fleet: refused like any number out of range.
        QCOMPARE(model->StoreRow(1).column, int(C::DisplayPrivateId));
        // With cross-fleet the id is an identity; without it and emptied, NAM 2 loses its id.
        QVERIFY(model->SetCellText(1, C::DisplayPrivateId, ""));
        QVERIFY(model->StoreRow(1).stored);
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_nam2_private_id").toInt(), 0);
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_display_prvt_id").toString(), QString());
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_nam1_private_id").toInt(), 0);
    }

    void aSimIdentityReadFromThePhoneDoesNotHoldTheUnitBack()
    {
        // A SIM phone reports urban*fleet*member even when its model does not call across fleets.
        CUnitSpec unit = CFleetFixtures::Units(1).first();
        auto doc = m_fixture.OpenFleet("simid.vlf", {unit});
        QVERIFY(doc);
        QVERIFY(
            QSqlQuery(doc->Database())
                .exec("UPDATE unit_details SET unit_cross_fleet_enable = 0, unit_currentNAMSelection = 1, "
                      "unit_display_prvt_id = '101*2000*1001', unit_private_nam1_urban_id = 101, "
                      "unit_private_nam1_fleet_id = 2000, unit_private_nam1_member_id = 1001"));
        auto model = Table(*doc);
        QVERIFY(model->SetCellText(1, C::UserName, "Noa Bar"));
        QVERIFY(model->StoreRow(1).stored);
        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_user_name").toString(), QString("Noa Bar"));
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_private_nam1_member_id").toInt(), 1001);

        // What the user types is checked as always.
        QVERIFY(model->SetCellText(1, C::DisplayPrivateId, "101*2000*1002"));
        const CUnitsTableModel::StoreResult refused = model->StoreRow(1);
        QCOMPARE(refused.column, int(C::DisplayPrivateId));
        // A message with values to fill comes back as its filled text.
        QCOMPARE(refused.error.GetKind(), CVelmoraError::Kind::Text);
        QVERIFY(refused.error.ToText().contains("65535"));
        QCOMPARE(Answers().Count(), 0);
        QVERIFY(model->SetCellText(1, C::DisplayPrivateId, "101*2000*1001"));
        QVERIFY(model->StoreRow(1).ok);
    }

    // Renaming a unit read from a phone keeps what the phone reported: its SIM kind (not its model's)
    // and an address the grid cannot edit, even one the address check would refuse.
    void editingAStoredUnitKeepsItsSimKindAndAddress()
    {
        CUnitSpec unit = CFleetFixtures::Units(1).first(); // model 105, stored with SIM version 2
        auto doc = m_fixture.OpenFleet("stored.vlf", {unit});
        QVERIFY(doc);
        QVERIFY(CUnitsFixture::Rules().PhoneClassOf(105) != 2);
        QVERIFY(QSqlQuery(doc->Database())
                    .exec("UPDATE unit_details SET unit_sim_version = 2, unit_ip_address = '300.1.1.1'"));
        auto model = Table(*doc);
        QVERIFY(!model->SetCellText(1, C::IpAddress, "10.0.0.2"));
        QVERIFY(model->SetCellText(1, C::UserName, "Renamed"));
        const CUnitsTableModel::StoreResult r = model->StoreRow(1);
        QVERIFY(r.ok && r.stored);
        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_user_name").toString(), QString("Renamed"));
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_sim_version").toInt(), 2);
        QCOMPARE(CUnitsFixture::Field(*doc, unit.imei, "unit_ip_address").toString(), QString("300.1.1.1"));
    }

    void changingAnImeiMovesTheUnitsRowsInEveryTable()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(2);
        units[0].allPersonalize = true;
        auto doc = m_fixture.OpenFleet("cascade.vlf", units);
        QVERIFY(doc);
        const QString oldImei = units[0].imei, newImei = "351111111111111";
        QMap<QString, int> before;
        for (const QString& table : CUnitCascade::ImeiChangeTables()) {
            before[table] = CUnitsFixture::Count(*doc, table, oldImei);
            QVERIFY2(before[table] > 0, qPrintable(table));
        }
        const int otherRows = CUnitsFixture::Count(*doc, "unit_phone_details", units[1].imei);
        auto model = Table(*doc);
        QVERIFY(model->SetCellText(1, C::Imei, newImei));
        QVERIFY(model->StoreRow(1).stored);
        for (const QString& table : CUnitCascade::ImeiChangeTables()) {
            QVERIFY2(CUnitsFixture::Count(*doc, table, oldImei) == 0, qPrintable(table));
            QVERIFY2(CUnitsFixture::Count(*doc, table, newImei) == before[table], qPrintable(table));
        }
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", newImei), 1);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_phone_details", units[1].imei), otherRows);
        QCOMPARE(model->StoredImei(1), newImei);
    }

    void aRefusedWriteLeavesTheImeiChangeUndone()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(1);
        auto doc = m_fixture.OpenFleet("undone.vlf", units);
        QVERIFY(doc);
        QVERIFY(QSqlQuery(doc->Database())
                    .exec("CREATE TRIGGER refuse BEFORE UPDATE ON unit_details "
                          "BEGIN SELECT RAISE(ABORT, 'unit row refused'); END"));
        const int phoneRows = CUnitsFixture::Count(*doc, "unit_phone_details", units[0].imei);
        auto model = Table(*doc);
        QVERIFY(model->SetCellText(1, C::Imei, "351111111111111"));
        const CUnitsTableModel::StoreResult refused = model->StoreRow(1);
        QVERIFY(!refused.ok);
        QVERIFY(refused.error.ToText().contains("unit row refused"));
        QCOMPARE(Answers().Count(), 0);
        // The lists did not move to an IMEI that no unit has.
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_phone_details", units[0].imei), phoneRows);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_phone_details", "351111111111111"), 0);
    }

    // A user name goes to the phone in its model's code page: what the page cannot hold is refused
    // where it is typed, by the message naming the character, and again when a model chosen after the
    // name makes it unfit.
    void aUserNameThePhoneCannotHoldIsRefused()
    {
        auto doc = m_fixture.OpenFleet("names.vlf", {});
        QVERIFY(doc);
        auto model = Table(*doc);
        const auto refusal = [&model](const QString& character, int page) {
            const CGridCheckResult r = model->LastRefusal();
            return !r.ok && r.messageId == CPhoneTextCodec::MsgCharacterNotInCodePage &&
                   r.args == QStringList{character, QString::number(page)};
        };

        // A Hebrew sub-model (release 70): Hebrew and mixed names pass, an accented letter does not.
        QVERIFY(model->SetCellText(1, C::ModelType, "-1#70#110"));
        QVERIFY(!model->SetCellText(1, C::UserName, QString::fromUtf8("Zoé")));
        QVERIFY(refusal(QString::fromUtf8("é"), 1255));
        QVERIFY(model->SetCellText(1, C::UserName, QString::fromUtf8("דני Cohen")));
        QCOMPARE(model->Value(1, C::UserName), QString::fromUtf8("דני Cohen"));
        model->CancelRecordEdit();

        // A Latin model: accents pass, Hebrew does not; the first refused character is named.
        QVERIFY(model->SetCellText(1, C::ModelType, "105"));
        QVERIFY(model->SetCellText(1, C::UserName, QString::fromUtf8("Zoé Müller")));
        QVERIFY(!model->SetCellText(1, C::UserName, QString::fromUtf8("Dan שלום")));
        QVERIFY(refusal(QString::fromUtf8("ש"), 1252));
        model->CancelRecordEdit();

        // No model yet: either page will do, a letter of neither is refused.
        QVERIFY(model->SetCellText(1, C::UserName, QString::fromUtf8("שלום")));
        QVERIFY(!model->SetCellText(1, C::UserName, QString::fromUtf8("Жанна")));
        QVERIFY(refusal(QString::fromUtf8("Ж"), 1252));
        // The Latin model chosen afterwards refuses the Hebrew name when the row is stored.
        QVERIFY(Type(*model, 1, {{C::Imei, "351234567890555"}, {C::ModelType, "105"}}));
        const CUnitsTableModel::StoreResult r = model->StoreRow(1);
        QVERIFY(!r.ok && !r.stored);
        QCOMPARE(r.column, int(C::UserName));
        QCOMPARE(r.error.ToText(), CVelmoraError::Message(CPhoneTextCodec::MsgCharacterNotInCodePage,
                                                          {QString::fromUtf8("ש"), "1252"})
                                       .ToText());
        QVERIFY(r.error.ToText().contains(QString::fromUtf8("ש")));
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", "351234567890555"), 0);
    }

    void deletingTwoUnitsEmptiesTheirTablesButKeepsTalkgroupMembers()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(3);
        for (CUnitSpec& u : units)
            u.allPersonalize = true;
        auto doc = m_fixture.OpenFleet("delete.vlf", units);
        QVERIFY(doc);
        const int members = CUnitsFixture::Count(*doc, "talk_grp_detail");
        QVERIFY(CUnitsFixture::Count(*doc, "talk_grp_detail", units[0].imei) > 0);
        auto model = Table(*doc);
        QVERIFY(model->DeleteUnits({units[0].imei, units[2].imei}).deleted);
        for (const QString& table : CUnitCascade::DeleteTables()) {
            QVERIFY2(CUnitsFixture::Count(*doc, table, units[0].imei) == 0, qPrintable(table));
            QVERIFY2(CUnitsFixture::Count(*doc, table, units[2].imei) == 0, qPrintable(table));
            QVERIFY2(CUnitsFixture::Count(*doc, table, units[1].imei) > 0, qPrintable(table));
        }
        QCOMPARE(CUnitsFixture::Count(*doc, "talk_grp_detail"), members);
        QCOMPARE(model->RowCount(), 2);
        QCOMPARE(model->StoredImei(1), units[1].imei);
    }

    void openingAUnitSetsTheModelRulesUp()
    {
        CUnitSpec unit = CFleetFixtures::Units(4).at(3); // model 90
        unit.releaseId = 39;
        auto doc = m_fixture.OpenFleet("open.vlf", {unit});
        QVERIFY(doc);
        const CModelRules& rules = CUnitsFixture::Rules();
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(doc->Database(), unit.imei, false, &rules, info));
        QCOMPARE(info.imei, unit.imei);
        QVERIFY(info.recNum > 0);
        QVERIFY(info.crossFleet && !info.rowCrossFleet);
        QCOMPARE(info.simVersion, 2);
        QCOMPARE(info.modelType, 90);
        QCOMPARE(info.profile.callListType, int(CModelRules::SpecialCallListType));
        QVERIFY(info.profile.Complete());
        QVERIFY(!info.profileError);
        QCOMPARE(info.modelKey, info.profile.modelKey);
        QCOMPARE(Answers().Count(), 0);

        // The opener answers its refusals; showing them is the view's part.
        QCOMPARE(CUnitOpener::Prepare(doc->Database(), "359999999999999", false, &rules, info),
                 CVelmoraError::Message(UnitsMsg::RecordIncomplete));
        QCOMPARE(Answers().Count(), 0);

        QVERIFY(QSqlQuery(doc->Database()).exec("UPDATE unit_details SET unit_imei_num = ''"));
        const CVelmoraError noImei = CUnitOpener::Prepare(doc->Database(), "", false, &rules, info);
        QCOMPARE(noImei, CVelmoraError::FromVelmoraCode(kUnitsEmptyImeiCode));
        CVelmoraWrap::ShowError(noImei);
        QCOMPARE(Answers().Ids(), QList<int>{CVelmoraWrap::CodeTextBase - kUnitsEmptyImeiCode});
    }

    // The sheet gets the structure version as stored and counts it the way the phone programming does.
    void openingAUnitCountsItsStructureVersion()
    {
        CUnitSpec unit = CFleetFixtures::Units(1).first(); // model 105, an Alder phone
        auto doc = m_fixture.OpenFleet("structure.vlf", {unit});
        QVERIFY(doc);
        const CModelRules& rules = CUnitsFixture::Rules();
        const QList<QPair<int, bool>> versions = {{0x0C, false}, {0x12, true}, {0x16, false}};
        for (const auto& [stored, linked] : versions) {
            QSqlQuery update(doc->Database());
            QVERIFY(update.prepare("UPDATE unit_details SET unit_cp_structure_version = ?"));
            update.addBindValue(stored);
            QVERIFY(update.exec());
            CUnitOpenInfo info;
            QVERIFY(!CUnitOpener::Prepare(doc->Database(), unit.imei, false, &rules, info));
            QCOMPARE(info.phoneClass, int(CModelRules::AlderPhoneClass));
            QCOMPARE(info.structureVersion, stored);
            QCOMPARE(info.StructureNumber(), CModelRules::StructureVersionNumber(stored));
            QCOMPARE(info.LockoutsLinked(false), linked);
            QVERIFY(info.LockoutsLinked(true));
        }
    }

    // Two property sheets open side by side: the second unit's model must not reach the first's lists.
    void openingASecondUnitLeavesTheFirstProfileAlone()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(4);
        units[3].releaseId = 39; // model 90's large list block
        auto doc = m_fixture.OpenFleet("two.vlf", {units[0], units[3]});
        QVERIFY(doc);
        const CModelRules& rules = CUnitsFixture::Rules();
        CUnitOpenInfo first;
        QVERIFY(!CUnitOpener::Prepare(doc->Database(), units[0].imei, false, &rules, first));
        QCOMPARE(first.modelType, 105);
        const CModelProfile before = first.profile;
        QCOMPARE(before.phoneClass, 3);

        CUnitOpenInfo second;
        QVERIFY(!CUnitOpener::Prepare(doc->Database(), units[3].imei, false, &rules, second));
        QCOMPARE(second.profile.callListType, int(CModelRules::SpecialCallListType));
        QVERIFY(second.profile.phoneClass != before.phoneClass);
        QVERIFY(second.profile.callListType != before.callListType);

        QVERIFY(first.profile.capacities == before.capacities);
        QCOMPARE(first.profile.callListType, before.callListType);
        QCOMPARE(first.profile.phoneClass, before.phoneClass);
        QCOMPARE(first.profile.scanAndStatus, before.scanAndStatus);
        QVERIFY(first.profile.ergoFlags == before.ergoFlags);
        // And the catalogue answers the first model as it did before the second was opened.
        const CModelProfile again = rules.ProfileOf(105, units[0].releaseId, units[0].subReleaseId);
        QVERIFY(again.capacities == before.capacities);
        QVERIFY(again.ergoFlags == before.ergoFlags);
        QCOMPARE(Answers().Count(), 0);
    }
};

VELMORA_TEST_MAIN(TestUnitsTable)
#include "tst_units_table.moc"
