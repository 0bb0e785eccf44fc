#include "CModelFixture.h"
#include "CModelListParser.h"
#include "CModelRules.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QTest>

namespace {

const QString kLarch = QStringLiteral("Larch_UI_CP_Fields_details");
const QString kBirch = QStringLiteral("Birch_CP_Fields_details");
const QString kAlder = QStringLiteral("Alder_UI_CP_Fields_details");
const QString kFdi = QStringLiteral("Larch_FDIUI_CP_Fields_details");

const QString kInternationalLists = QStringLiteral("[International Models]\n"
                                                   "AlderModels=#105#111#\n"
                                                   "InternationalPhones=#110#\n"
                                                   "Q700PhoneModels=#70#111#\n");

} // namespace

// The model rules against small databases and carrier settings made by each test.
class TestModelRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }

    void modelsText_data()
    {
        QTest::addColumn<QString>("models");
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("matches");
        QTest::newRow("range start") << "1-5,9" << 1 << true;
        QTest::newRow("inside range") << "1-5,9" << 3 << true;
        QTest::newRow("range end") << "1-5,9" << 5 << true;
        QTest::newRow("single") << "1-5,9" << 9 << true;
        QTest::newRow("between") << "1-5,9" << 6 << false;
        QTest::newRow("above") << "1-5,9" << 10 << false;
        QTest::newRow("All") << "All" << 201 << true;
        QTest::newRow("empty") << "" << 77 << true;
        QTest::newRow("blank") << "   " << 77 << true;
        QTest::newRow("letters skipped") << "M12,Q20-22" << 21 << true;
        QTest::newRow("no prefix match") << "12" << 1 << false;
        QTest::newRow("three digits") << "1000" << 100 << true;
        QTest::newRow("not four digits") << "1000" << 1000 << false;
        QTest::newRow("low 16 bits") << "9" << (65536 + 9) << true;
        QTest::newRow("spaces around") << " 20 - 24 , 91" << 22 << true;
        QTest::newRow("reversed range") << "24-20" << 22 << true;
        QTest::newRow("no digits") << "none" << 0 << false;
    }
    void modelsText()
    {
        QFETCH(QString, models);
        QFETCH(int, model);
        QFETCH(bool, matches);
        QCOMPARE(CModelListParser::Matches(models, model), matches);
    }

    void hashListsAndPhoneClass()
    {
        QVERIFY(CModelListParser::ListHas(QStringLiteral("#105#110#"), 110));
        QVERIFY(!CModelListParser::ListHas(QStringLiteral("#105#110#"), 10));
        QVERIFY(!CModelListParser::ListHas(QStringLiteral("#105#110#"), 5));

        CModelFixture::UseCarrierIni(kInternationalLists);
        CModelRules rules;
        QVERIFY(!rules.LoadInternationalLists());
        QCOMPARE(rules.PhoneClassOf(111), 3); // in both the Alder and q700 lists
        QCOMPARE(rules.PhoneClassOf(105), 3);
        QCOMPARE(rules.PhoneClassOf(70), 2);
        QCOMPARE(rules.PhoneClassOf(10), 1);
        QVERIFY(rules.HasSubReleases(110));
        QVERIFY(!rules.HasSubReleases(105));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void internationalListsMissingOrEmpty_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::newRow("empty q700 list")
            << "[International Models]\nAlderModels=#105#\nInternationalPhones=#110#\n"
               "Q700PhoneModels=\n";
        QTest::newRow("missing key") << "[International Models]\nAlderModels=#105#\nQ700PhoneModels=#70#\n";
        QTest::newRow("missing section") << "[Model Types]\nTotal Models=0\n";
    }
    void internationalListsMissingOrEmpty()
    {
        QFETCH(QString, ini);
        CModelFixture::UseCarrierIni(ini);
        CModelRules rules;
        // The catalogue answers the message; start-up shows it.
        QCOMPARE(rules.LoadInternationalLists(), CVelmoraError::Message(1837));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void lookupAndSpecialRelease()
    {
        CModelRules rules(
            CModelFixture::NewDatabase({CModelFixture::ModelRow(90, QStringLiteral("C90"), 0, 13),
                                        CModelFixture::ModelRow(91, QStringLiteral("C91"), 2, 13)}));
        int callListType = -1;
        int codeplugId = -1;
        QVERIFY(rules.LookupModel(90, CModelRules::IsSpecialVariant(39, 90), callListType, codeplugId));
        QCOMPARE(callListType, 8);
        QCOMPARE(codeplugId, 13);
        QVERIFY(rules.LookupModel(90, CModelRules::IsSpecialVariant(40, 90), callListType, codeplugId));
        QCOMPARE(callListType, 0);
        QVERIFY(!CModelRules::IsSpecialVariant(39, 91));
        // Only model 90 has the variant, whatever a caller passes.
        QVERIFY(rules.LookupModel(91, true, callListType, codeplugId));
        QCOMPARE(callListType, 2);
        QVERIFY(!rules.LookupModel(55, false, callListType, codeplugId));
    }

    void capacitiesPerCallListType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>(
            "expected"); // phone book, private 1-3, talkgroups 1-3, scan 1-3, status 1-3
        QTest::addColumn<bool>("scanAndStatus");
        const QList<int> standard{100, 100, 5, 5, 30, 5, 5, 0, 0, 0, 0, 0, 0};
        const QList<int> scan{100, 100, 5, 5, 100, 5, 5, 30, 5, 5, 10, 5, 5};
        const QList<int> wide{100, 100, 5, 5, 50, 5, 5, 0, 0, 0, 0, 0, 0};
        QTest::newRow("0") << 0 << standard << false;
        QTest::newRow("1") << 1 << scan << true;
        QTest::newRow("2") << 2 << wide << false;
        QTest::newRow("3") << 3 << QList<int>{15, 15, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0} << false;
        QTest::newRow("4") << 4 << wide << false;
        QTest::newRow("5") << 5 << standard << false;
        QTest::newRow("6") << 6 << scan << true;
        QTest::newRow("7") << 7 << QList<int>{100, 100, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0} << false;
        QTest::newRow("8") << 8 << standard << false;
        QTest::newRow("9") << 9 << QList<int>{100, 100, 5, 5, 30, 5, 5, 30, 5, 5, 10, 5, 5} << true;
        QTest::newRow("10") << 10 << QList<int>(13, 0) << false;
        QTest::newRow("-1") << -1 << QList<int>(13, 0) << false;
    }
    void capacitiesPerCallListType()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, expected);
        QFETCH(bool, scanAndStatus);
        // Each type goes through a model row, so the stored type and the phone class come along.
        CModelFixture::UseCarrierIni(kInternationalLists);
        CModelRules rules(
            CModelFixture::NewDatabase({CModelFixture::ModelRow(111, QStringLiteral("A11"), type, 23)}));
        QVERIFY(!rules.LoadInternationalLists());
        CModelProfile profile;
        QVERIFY(rules.SetupListCapacities(111, false, profile));
        const CModelRules::ListCapacities& c = profile.capacities;
        QList<int> actual{c.phoneBook};
        for (const auto* list : {&c.privateList, &c.talkgroups, &c.scanList, &c.statusMessages})
            actual << (*list)[0] << (*list)[1] << (*list)[2];
        QCOMPARE(actual, expected);
        QCOMPARE(c.consolidated, 250);
        QCOMPARE(profile.scanAndStatus, scanAndStatus);
        QCOMPARE(profile.callListType, type);
        QCOMPARE(profile.phoneClass, 3);
        QVERIFY(profile.known);
    }

    void unknownModelKeepsCapacities()
    {
        CModelRules rules(
            CModelFixture::NewDatabase({CModelFixture::ModelRow(20, QStringLiteral("H20"), 1, 3)}));
        CModelProfile profile;
        QVERIFY(rules.SetupListCapacities(20, false, profile));
        QVERIFY(!rules.SetupListCapacities(21, false, profile));
        QCOMPARE(profile.callListType, 1);
        QCOMPARE(profile.capacities.scanList[0], 30);
        QVERIFY(profile.scanAndStatus);

        CModelProfile unknown;
        QVERIFY(!rules.SetupListCapacities(21, false, unknown));
        QVERIFY(!unknown.known);
        QCOMPARE(unknown.NamCount(), 0);
    }

    void ruleRowEvaluation()
    {
        const QList<int> enabling{1, 0, 1, 1, 0, 0, 1, 1, 1}; // edit rules 0..8
        for (int rule = 0; rule < enabling.size(); ++rule) {
            QCOMPARE(CModelRules::EvaluateRuleRow(QStringLiteral("1-5,9"), rule, 3), enabling[rule]);
            QCOMPARE(CModelRules::EvaluateRuleRow(QStringLiteral("1-5,9"), rule, 6), 0);
        }
    }

    // Fields 1..40 of a Birch table: even ids enabled for model 30, odd ids not applying to it.
    void ergoFlagsFromRuleTable()
    {
        QStringList sql{CModelFixture::ModelRow(30, QStringLiteral("S30"), 2, 4),
                        CModelFixture::ModelRow(31, QStringLiteral("S31"), 2, 4)};
        sql << CModelFixture::RuleTable(kBirch, 0, -1);
        for (int id = 1; id <= 40; ++id)
            sql << CModelFixture::RuleRow(kBirch, id,
                                          id % 2 == 0 ? QStringLiteral("30") : QStringLiteral("31"), 0);
        CModelRules rules(CModelFixture::NewDatabase(sql));
        CModelProfile profile;
        QVERIFY(!rules.SetupErgoFieldFlags(30, false, profile));
        QVERIFY(profile.hasErgoFlags);
        for (int id = 1; id <= 40; ++id)
            QCOMPARE(profile.ErgoFieldFlag(id), id % 2 == 0 ? 1 : 0);
        QCOMPARE(profile.ErgoFieldFlag(41), 1); // no row 41: follows field 40
        QVERIFY(!rules.SetupErgoFieldFlags(31, false, profile));
        QCOMPARE(profile.ErgoFieldFlag(40), 0);
        QCOMPARE(profile.ErgoFieldFlag(41), 0);
        QCOMPARE(profile.ErgoFieldFlag(39), 1);
        QCOMPARE(profile.ErgoFieldFlag(0), 0);
        QCOMPARE(profile.ErgoFieldFlag(42), 0);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void row41OverridesField40AndExtraRowsIgnored()
    {
        QStringList sql{CModelFixture::ModelRow(105, QStringLiteral("A5"), 7, 22)};
        sql << CModelFixture::RuleTable(kAlder, 1, 40);
        sql << CModelFixture::RuleRow(kAlder, 41, QStringLiteral("All"), 1);
        sql << CModelFixture::RuleRow(kAlder, 42, QStringLiteral("All"), 0);
        CModelRules rules(CModelFixture::NewDatabase(sql));
        CModelProfile profile;
        QVERIFY(!rules.SetupErgoFieldFlags(105, false, profile));
        QVERIFY(profile.hasErgoFlags);
        QCOMPARE(profile.ErgoFieldFlag(40), 1);
        QCOMPARE(profile.ErgoFieldFlag(41), 0);
    }

    void ergoFlagFailures()
    {
        QStringList sql{CModelFixture::ModelRow(10, QStringLiteral("K10"), 0, 0),
                        CModelFixture::ModelRow(11, QStringLiteral("K11"), 0, 25),
                        CModelFixture::ModelRow(40, QStringLiteral("F40"), 4, 7),
                        CModelFixture::ModelRow(50, QStringLiteral("M50"), 5, 8)};
        sql << CModelFixture::RuleTable(kLarch, 1, 41);
        // Birch: 40 rows but field 40 missing (ids 1..39 and 41).
        sql << CModelFixture::RuleTable(kBirch, 1, 39) << CModelFixture::RuleRow(kBirch, 41, QString(), 0);
        // No Larch FDI table at all.
        CModelRules rules(CModelFixture::NewDatabase(sql));
        // The failures come back as values; the catalogue shows nothing itself.
        CModelProfile profile;
        QVERIFY(!rules.SetupErgoFieldFlags(10, false, profile));
        QVERIFY(profile.hasErgoFlags);
        QCOMPARE(profile.ErgoFieldFlag(41), 1);

        QCOMPARE(rules.SetupErgoFieldFlags(11, false, profile), CVelmoraError::Message(1642));
        QVERIFY(!profile.hasErgoFlags);
        QCOMPARE(profile.ErgoFieldFlag(1), 0); // the previous model's flags are gone

        QVERIFY(!rules.SetupErgoFieldFlags(10, false, profile));
        QCOMPARE(rules.SetupErgoFieldFlags(40, false, profile), CVelmoraError::Message(1644));
        QVERIFY(!profile.hasErgoFlags);
        QCOMPARE(profile.ErgoFieldFlag(1), 0);

        QCOMPARE(rules.SetupErgoFieldFlags(50, false, profile), CVelmoraError::Message(1643));
        QVERIFY(!profile.hasErgoFlags);

        // No catalogue row: no message, no flags.
        QVERIFY(!rules.SetupErgoFieldFlags(99, false, profile));
        QVERIFY(!profile.hasErgoFlags);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);

        // The whole profile carries the first failure to the caller, who shows it once.
        CVelmoraError error;
        const CModelProfile unreadable = rules.ProfileOf(50, 1, 0, &error);
        QCOMPARE(error, CVelmoraError::Message(1643));
        QVERIFY(unreadable.known && !unreadable.Complete());
        QCOMPARE(unreadable.callListType, 5);
        const CModelProfile unknown = rules.ProfileOf(99, 1, 0, &error);
        QVERIFY(!error);
        QVERIFY(!unknown.known && !unknown.Complete());
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void applyModelUsesRelease()
    {
        QStringList sql{CModelFixture::ModelRow(90, QStringLiteral("C90"), 0, 13)};
        sql << CModelFixture::RuleTable(kFdi, 1, 41, QStringLiteral("90"), 0);
        CModelRules rules(CModelFixture::NewDatabase(sql));
        CModelProfile profile;
        QVERIFY(!rules.ApplyModel(90, 39, profile));
        QVERIFY(profile.Complete());
        QCOMPARE(profile.callListType, 8);
        QCOMPARE(profile.ErgoFieldFlag(17), 1);
        QVERIFY(!rules.ApplyModel(90, 38, profile));
        QVERIFY(profile.Complete());
        QCOMPARE(profile.callListType, 0);
        QCOMPARE(profile.releaseId, 38);
    }

    // Two units of different models edited side by side: each keeps its own profile.
    void secondProfileLeavesTheFirstAlone()
    {
        CModelFixture::UseCarrierIni(kInternationalLists);
        QStringList sql{CModelFixture::ModelRow(111, QStringLiteral("A11"), 1, 22),
                        CModelFixture::ModelRow(20, QStringLiteral("H20"), 3, 4)};
        sql << CModelFixture::RuleTable(kAlder, 1, 41, QStringLiteral("111"), 0);
        sql << CModelFixture::RuleTable(kBirch, 1, 41, QStringLiteral("111"), 0);
        CModelRules loaded(CModelFixture::NewDatabase(sql));
        QVERIFY(!loaded.LoadInternationalLists());
        const CModelRules& rules = loaded; // after loading, the catalogue is only read

        CVelmoraError error;
        const CModelProfile first = rules.ProfileOf(111, 1, 0, &error);
        QVERIFY(!error);
        const CModelProfile firstCopy = first;
        QCOMPARE(first.phoneClass, 3);
        QCOMPARE(first.capacities.scanList[0], 30);
        QVERIFY(first.scanAndStatus);
        QCOMPARE(first.NamCount(), 3);
        QCOMPARE(first.ErgoFieldFlag(5), 1);

        const CModelProfile second = rules.ProfileOf(20, 1, 0, &error);
        QVERIFY(!error);
        QCOMPARE(second.phoneClass, 1);
        QCOMPARE(second.capacities.phoneBook, 15);
        QVERIFY(!second.scanAndStatus);
        QCOMPARE(second.NamCount(), 1);
        QCOMPARE(second.ErgoFieldFlag(5), 0); // the Birch rows are for model 111 only

        QVERIFY(first.capacities == firstCopy.capacities);
        QCOMPARE(first.callListType, firstCopy.callListType);
        QCOMPARE(first.phoneClass, firstCopy.phoneClass);
        QVERIFY(first.scanAndStatus);
        QVERIFY(first.ergoFlags == firstCopy.ergoFlags);
        QCOMPARE(first.modelKey, QStringLiteral("111"));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void modelListFromCarrierSettings()
    {
        // The name with a quote must reach the database as a value, not as SQL.
        CModelFixture::UseCarrierIni(
            QStringLiteral("[Model Types]\nTotal Models=3\n"
                           "Model0=Zero Z0\nModel2=\nModel3=O'Hara 7\nModel4=Four F4\n"
                           "[SubId Rel_Models]\nTotal SubModels=2\n"
                           "RelModel0=-1#70#110\nRelModel1=-2#70#110\nRelModel2=-3#70#110\n"
                           "RelModel3=-4#70#110\n"
                           "RelModelName-1#70#110=Alder A10 Hebrew\n"
                           "RelModelName-3#70#110=Alder A10 Arabic\n"
                           "RelModelName-4#70#110=Alder A10 Beyond\n") +
            kInternationalLists);
        CModelRules rules(
            CModelFixture::NewDatabase({CModelFixture::ModelRow(0, QStringLiteral("Zero Z0"), 0, 0),
                                        CModelFixture::ModelRow(7, QStringLiteral("O'Hara 7"), 0, 0),
                                        CModelFixture::ModelRow(4, QStringLiteral("Four F4"), 0, 0)}));
        QString list;
        QVERIFY(!rules.BuildModelList(list));
        QCOMPARE(list, QStringLiteral("Zero Z0\t0\nO'Hara 7\t7\nAlder A10 Hebrew\t-1#70#110\n"
                                      "Alder A10 Arabic\t-3#70#110\n"));
        QCOMPARE(rules.ModelList(), list);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);

        // Supported phones are the ones the list offers, by sub-model for the international models.
        QVERIFY(!rules.LoadInternationalLists());
        QVERIFY(rules.IsSupportedPhone(7, 0, 0));
        QVERIFY(rules.IsSupportedPhone(110, 1, 70));
        QVERIFY(!rules.IsSupportedPhone(110, 2, 70)); // listed without a name
        QVERIFY(!rules.IsSupportedPhone(4, 0, 0));    // beyond Total Models
        QVERIFY(!rules.IsSupportedPhone(110, 0, 0));  // offered only by sub-model
        QVERIFY(!rules.CheckSupportedPhone(0, 5, 5));
        QCOMPARE(rules.CheckSupportedPhone(4, 0, 0), CVelmoraError::Message(1635));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void modelListFailures_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("unknown name") << "[Model Types]\nTotal Models=5\nModel1=Zero Z0\nModel5=Ghost G5\n"
                                      << QList<int>{1631};
        QTest::newRow("nothing listed")
            << "[Model Types]\nTotal Models=5\n[SubId Rel_Models]\nTotal SubModels=0\n"
            << QList<int>{};
        QTest::newRow("no total") << "[Model Types]\nModel0=Zero Z0\n" << QList<int>{};
        QTest::newRow("total negative") << "[Model Types]\nTotal Models=-5\nModel0=Zero Z0\n" << QList<int>{};
        QTest::newRow("total beyond a byte") << "[Model Types]\nTotal Models=100000\nModel0=Zero Z0\n"
                                             << QList<int>{};
        QTest::newRow("total not a number") << "[Model Types]\nTotal Models=many\nModel0=Zero Z0\n"
                                            << QList<int>{};
    }
    void modelListFailures()
    {
        QFETCH(QString, ini);
        QFETCH(QList<int>, messages);
        CModelFixture::UseCarrierIni(ini);
        CModelRules rules(
            CModelFixture::NewDatabase({CModelFixture::ModelRow(0, QStringLiteral("Zero Z0"), 0, 0)}));
        QString list = QStringLiteral("stale");
        const CVelmoraError error = rules.BuildModelList(list);
        QVERIFY(list.isEmpty());
        QVERIFY(rules.ModelList().isEmpty());
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        // The message ids the user would see, once start-up shows the answer.
        CVelmoraWrap::ShowError(error);
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), messages);
    }

    void namesAndSwitches()
    {
        CModelFixture::UseCarrierIni(
            kInternationalLists +
            QStringLiteral("[Model Types]\nModel105=Alder A5\n"
                           "[SubId Rel_Models]\n"
                           "RelModelName-1#70#110=Alder A10 Hebrew\n"
                           "RelModelDesc-1#70#110=Hebrew menus\n"
                           "HideStyles-1#70#110=1\nHideShortcuts-1#70#110=0\n"
                           "HidePersonalize-1#70#110=yes\nHideMOSMS-1#70#110=1\n"
                           "HideStyleRows-1#70#110=3,5\nHideStyleRows-2#70#110=1\n"
                           "HideStyleRows-3#70#110=\n"
                           "DisableNetMode=1\nDisableNetMode-1#70#110=1\n"
                           "EnableVibrateFlag-1#70#110=1\nEnableVibrateFlag105=1\n"
                           "EnableSimPinWarningFlag-1#70#110=0\n"
                           "PhoneBookLangEntryID-1#70#110=3\nPhoneBookLangEntryID105=\n"));
        CModelRules rules(CModelFixture::NewDatabase({CModelFixture::ModelRow(
            105, QStringLiteral("Alder A5"), 7, 22, QStringLiteral("Alder A5 smart handset"))}));
        QVERIFY(!rules.LoadInternationalLists());

        QCOMPARE(rules.ModelDisplayName(110, 1, 70), QStringLiteral("Alder A10 Hebrew"));
        QCOMPARE(rules.ModelDescription(110, 1, 70), QStringLiteral("Hebrew menus"));
        QCOMPARE(rules.ModelDisplayName(105, 1, 70), QStringLiteral("Alder A5"));
        QCOMPARE(rules.ModelDescription(105, 1, 70), QStringLiteral("Alder A5 smart handset"));
        QCOMPARE(rules.ModelKey(110, 1, 70), QStringLiteral("-1#70#110"));
        QCOMPARE(rules.ModelKey(105, 1, 70), QStringLiteral("105"));

        QVERIFY(rules.HideStyles(1, 70, 110));
        QVERIFY(!rules.HideShortcuts(1, 70, 110));
        QVERIFY(!rules.HidePersonalize(1, 70, 110)); // only "1" is on
        QVERIFY(rules.HideMOSMS(1, 70, 110));
        QVERIFY(!rules.HideStyles(2, 70, 110)); // missing key
        QVERIFY(rules.DisableNetMode(1, 70, 110));
        QVERIFY(rules.EnableVibrateFlag(1, 70, 110));
        QVERIFY(!rules.EnableSimPinWarningFlag(1, 70, 110));

        QString rows = QStringLiteral("x");
        QVERIFY(rules.HideStyleRows(1, 70, 110, rows));
        QCOMPARE(rows, QStringLiteral("3,5"));
        QVERIFY(!rules.HideStyleRows(2, 70, 110, rows));
        QVERIFY(rows.isEmpty());
        rows = QStringLiteral("x");
        QVERIFY(rules.HideStyleRows(3, 70, 110, rows));
        QVERIFY(rows.isEmpty());

        QVERIFY(rules.EnableVibrateFlag(rules.ModelKey(105, 0, 0)));
        QVERIFY(rules.EnableVibrateFlag(rules.ModelKey(110, 1, 70)));
        QVERIFY(rules.DisableNetMode(QString()));
        QVERIFY(!rules.DisableNetMode(QStringLiteral("105")));
        QCOMPARE(rules.PhoneBookLangEntryID(QStringLiteral("-1#70#110")), 3);
        QCOMPARE(rules.PhoneBookLangEntryID(QStringLiteral("105")), 0);
        QCOMPARE(rules.PhoneBookLangEntryID(QStringLiteral("114")), 0);
    }

    void crossFleetFlag()
    {
        QVERIFY(CModelRules::CrossFleetFlag(true, 0, 7));
        QVERIFY(CModelRules::CrossFleetFlag(true, 18, 18));
        QVERIFY(!CModelRules::CrossFleetFlag(true, 18, 17));
        QVERIFY(!CModelRules::CrossFleetFlag(false, 0, 7));
    }

    // The phone keeps its structure version as decimal digits in hexadecimal places: 0x12 is 12 and
    // links the lock-outs, 0x0C reads as 0 and leaves them apart, as on every codeplug from 16 up.
    void structureVersionCountsItsDigitsAsDecimal_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("linked");
        QTest::newRow("0") << 0 << 0 << false;
        QTest::newRow("0x01") << 0x01 << 1 << true;
        QTest::newRow("0x09") << 0x09 << 9 << true;
        QTest::newRow("0x0A") << 0x0A << 0 << false;
        QTest::newRow("0x0C") << 0x0C << 0 << false;
        QTest::newRow("0x0F") << 0x0F << 0 << false;
        QTest::newRow("0x10") << 0x10 << 10 << true;
        QTest::newRow("0x12") << 0x12 << 12 << true;
        QTest::newRow("0x15") << 0x15 << 15 << true;
        QTest::newRow("0x16") << 0x16 << 16 << false;
        QTest::newRow("0x18") << 0x18 << 18 << false;
        QTest::newRow("0x1A reads up to its letter") << 0x1A << 1 << true;
        QTest::newRow("0x21") << 0x21 << 21 << false;
        QTest::newRow("0x105") << 0x105 << 105 << false;
        QTest::newRow("never read") << int(CModelRules::UnreadStructureVersion) << 0 << false;
    }
    void structureVersionCountsItsDigitsAsDecimal()
    {
        QFETCH(int, stored);
        QFETCH(int, number);
        QFETCH(bool, linked);
        QCOMPARE(CModelRules::StructureVersionNumber(stored), number);
        QCOMPARE(CModelRules::LockoutsLinked(CModelRules::AlderPhoneClass, false, stored), linked);
        // Code control links them on every Alder codeplug; no other phone class links them.
        QVERIFY(CModelRules::LockoutsLinked(CModelRules::AlderPhoneClass, true, stored));
        QVERIFY(!CModelRules::LockoutsLinked(1, true, stored));
        QVERIFY(!CModelRules::LockoutsLinked(2, true, stored));
    }

    void cleanupTestCase() { CModelFixture::UseProgramFolder(); }
};

VELMORA_TEST_MAIN(TestModelRules)
#include "tst_model_rules.moc"
