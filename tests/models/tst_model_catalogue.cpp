#include "CIniFile.h"
#include "CModelFixture.h"
#include "CModelListParser.h"
#include "CModelRules.h"
#include "CRadioModelRecSet.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUIFieldsRecSet.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTest>

// The shipped model catalogue, rule tables and carrier settings: what the rest of the program
// counts on finding in them.
class TestModelCatalogue : public QObject
{
    Q_OBJECT

private:
    QSqlDatabase m_db;
    QList<int> m_modelTypes;

    QList<int> HashListNumbers(const QString& list)
    {
        QList<int> numbers;
        for (const QString& part : list.split(QLatin1Char('#'), Qt::SkipEmptyParts))
            numbers << part.toInt();
        return numbers;
    }

    QString IniValue(const QString& section, const QString& key)
    {
        QString value;
        CVelmoraWrap::GetCarrierIniValue(section, key, value);
        return value;
    }

private Q_SLOTS:
    void initTestCase()
    {
        CModelFixture::UseProgramFolder();
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("catalogue"));
        m_db.setDatabaseName(CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraDB.vdf"));
        QVERIFY(m_db.open());
        CRadioModelRecSet rs(m_db);
        QVERIFY2(rs.OpenAll(), qPrintable(rs.LastError()));
        for (; !rs.IsEOF(); rs.MoveNext())
            m_modelTypes << rs.m_ModelType;
        QVERIFY(m_modelTypes.size() >= 20);
    }

    void init()
    {
        CModelFixture::UseProgramFolder();
        CScriptedAnswerer::Instance().Clear();
    }

    void catalogueCoversEveryLayout()
    {
        CRadioModelRecSet rs(m_db);
        QVERIFY(rs.OpenAll());
        QSet<int> callListTypes;
        QSet<QString> crossFleet; // "<call list type>/<any|specific>"
        QSet<int> plusSeries;
        QSet<int> codeplugIds;
        const QSet<int> languageCodes{0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 255};
        for (; !rs.IsEOF(); rs.MoveNext()) {
            callListTypes << rs.m_CallListType;
            codeplugIds << rs.m_codeplug_id;
            if (rs.m_CrossFleetCapable)
                crossFleet << QStringLiteral("%1/%2")
                                  .arg(rs.m_CallListType)
                                  .arg(rs.m_CrossFleetCPVersion ? "specific" : "any");
            if (rs.m_IsPlusSeriesPhone)
                plusSeries << rs.m_ModelType;
            QVERIFY2(rs.m_codeplug_id >= 0 && rs.m_codeplug_id <= 24, qPrintable(rs.m_display_model_name));
            QVERIFY(!rs.m_ModelDescription.isEmpty() && !rs.m_ModelNumber.isEmpty());
            for (const QString& code : rs.m_supported_lang.split(QLatin1Char(','), Qt::SkipEmptyParts))
                QVERIFY2(languageCodes.contains(code.toInt()), qPrintable(rs.m_display_model_name));
        }
        for (int type = 0; type <= 9; ++type)
            QVERIFY2(callListTypes.contains(type), qPrintable(QString::number(type)));
        for (int type : {0, 4, 5}) {
            QVERIFY(crossFleet.contains(QStringLiteral("%1/any").arg(type)));
            QVERIFY(crossFleet.contains(QStringLiteral("%1/specific").arg(type)));
        }
        QSet<QString> tables;
        for (int id : codeplugIds)
            tables << CModelRules::RuleTableForCodeplugId(id);
        QCOMPARE(tables.size(), 4);

        for (int model : {90, 92, 105, 110, 111, 114, 116})
            QVERIFY2(m_modelTypes.contains(model), qPrintable(QString::number(model)));
        CModelRules rules(m_db);
        QVERIFY(!rules.IsPlusSeriesPhone(92));
        QVERIFY(!(plusSeries - QSet<int>{92}).isEmpty());
    }

    void everyRuleTableHasFields1To41()
    {
        for (int codeplugId : {0, 4, 8, 22}) {
            const QString table = CModelRules::RuleTableForCodeplugId(codeplugId);
            CUIFieldsRecSet rs(m_db);
            QVERIFY2(rs.OpenSql(QStringLiteral("SELECT * FROM ") + table +
                                QStringLiteral(" ORDER BY Ergo_Field_id")),
                     qPrintable(table));
            QList<int> ids;
            for (; !rs.IsEOF(); rs.MoveNext()) {
                ids << rs.m_Ergo_Field_id;
                QVERIFY(!rs.m_Ergo_Field_desc.isEmpty());
            }
            QList<int> expected;
            for (int id = 1; id <= 41; ++id)
                expected << id;
            QCOMPARE(ids, expected);
        }
    }

    void carrierListsMatchCatalogue()
    {
        CModelRules rules(m_db);
        QString list;
        QVERIFY(!rules.BuildModelList(list));
        QVERIFY(!list.isEmpty());
        QVERIFY(!rules.LoadInternationalLists());
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QVERIFY(list.contains(QStringLiteral("q700")));

        // "Model<n>" names model type n.
        const int total = IniValue(QStringLiteral("Model Types"), QStringLiteral("Total Models")).toInt();
        for (int type : m_modelTypes) {
            const QString name = IniValue(QStringLiteral("Model Types"), QStringLiteral("Model%1").arg(type));
            if (name.isEmpty())
                continue;
            QVERIFY(type <= total);
            CRadioModelRecSet rs;
            QVERIFY(rules.GetModelRow(type, rs));
            QCOMPARE(rs.m_display_model_name, name);
        }

        for (const QString& key : {QStringLiteral("AlderModels"), QStringLiteral("InternationalPhones"),
                                   QStringLiteral("Q700PhoneModels")}) {
            const QList<int> models = HashListNumbers(IniValue(QStringLiteral("International Models"), key));
            QVERIFY(!models.isEmpty());
            for (int model : models)
                QVERIFY2(m_modelTypes.contains(model),
                         qPrintable(QStringLiteral("%1: %2").arg(key).arg(model)));
        }

        // Every model is offered once: plainly, or by each of its sub-models.
        for (int model : m_modelTypes) {
            const bool plain = list.contains(QStringLiteral("\t%1\n").arg(model));
            const bool bySubModel =
                list.contains(QRegularExpression(QStringLiteral("\t-\\d+#\\d+#%1\n").arg(model)));
            QVERIFY2(plain != bySubModel, qPrintable(QString::number(model)));
            QCOMPARE(bySubModel, rules.IsInternationalModel(model));
        }
    }

    void familiesAndVariants()
    {
        CModelRules rules(m_db);
        QVERIFY(!rules.LoadInternationalLists());
        for (int model : {105, 110, 111, 114, 116})
            QCOMPARE(rules.PhoneClassOf(model), 3);
        QVERIFY(rules.IsQ700Model(111));
        int q700Sim = 0;
        for (int model : m_modelTypes) {
            if (rules.PhoneClassOf(model) != 2)
                continue;
            CModelProfile profile;
            QVERIFY(rules.SetupListCapacities(model, false, profile));
            QCOMPARE(profile.callListType, 7);
            QCOMPARE(profile.NamCount(), 1); // SIM phones carry one NAM
            ++q700Sim;
        }
        QVERIFY(q700Sim >= 2);

        CModelProfile special;
        QVERIFY(!rules.ApplyModel(90, 39, special));
        QVERIFY(special.Complete());
        QCOMPARE(special.callListType, 8);
        CModelProfile plain;
        QVERIFY(!rules.ApplyModel(90, 40, plain));
        QVERIFY(plain.Complete());
        QVERIFY(plain.callListType != 8);

        // Every shipped model gets its profile without an error.
        for (int model : m_modelTypes) {
            CVelmoraError error;
            const CModelProfile profile = rules.ProfileOf(model, 1, 0, &error);
            QVERIFY2(!error && profile.Complete(), qPrintable(QString::number(model)));
            QVERIFY2(profile.NamCount() >= 1, qPrintable(QString::number(model)));
        }
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void subModelsOfTheDefaultCarrier()
    {
        CModelRules rules(m_db);
        QString list;
        QVERIFY(!rules.BuildModelList(list));
        QVERIFY(!list.isEmpty());
        QVERIFY(!rules.LoadInternationalLists());
        const QString section = QStringLiteral("SubId Rel_Models");
        const int total = IniValue(section, QStringLiteral("Total SubModels")).toInt();
        QSet<int> withSubModels;
        const QRegularExpression form(QStringLiteral("^-(\\d+)#(\\d+)#(\\d+)$"));
        for (int i = 0; i <= total; ++i) {
            const QString key = IniValue(section, QStringLiteral("RelModel%1").arg(i));
            const QRegularExpressionMatch match = form.match(key);
            QVERIFY2(match.hasMatch(), qPrintable(key));
            const int sub = match.captured(1).toInt();
            const int release = match.captured(2).toInt();
            const int model = match.captured(3).toInt();
            QVERIFY(rules.IsInternationalModel(model));
            QVERIFY(!rules.ModelDisplayName(model, sub, release).isEmpty());
            QVERIFY(!rules.ModelDescription(model, sub, release).isEmpty());
            QVERIFY(rules.IsSupportedPhone(model, sub, release));
            QVERIFY(!rules.IsSupportedPhone(model, sub + 30, release));
            withSubModels << model;
        }
        for (int model : HashListNumbers(rules.InternationalPhones()))
            QVERIFY(withSubModels.contains(model));
    }

    void fixtureCarriers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("carrierId");
        QTest::newRow("carrier 2") << "carrier2.ini" << 2;
        QTest::newRow("carrier 3") << "carrier3.ini" << 3;
    }
    void fixtureCarriers()
    {
        QFETCH(QString, file);
        QFETCH(int, carrierId);
        const QString path = CTestEnvironment::SourceDir() + QStringLiteral("/tests/fixtures/") + file;
        CIniFile fixture;
        QVERIFY2(fixture.Load(path), qPrintable(fixture.ErrorString()));
        CIniFile shipped;
        QVERIFY(shipped.Load(CTestEnvironment::ProgramFolder() + QStringLiteral("/Carrier.ini")));

        // Same shape as the shipped file: every section and every basic-settings key.
        for (const char* section :
             {"Application Title", "Carrier Settings", "Carrier Basic Settings", "Hide Simple List",
              "International Models", "Model Types", "SubId Rel_Models"})
            QVERIFY2(fixture.HasSection(QString::fromLatin1(section)), section);
        const QStringList basicKeys{"Automatic Radio Lock",
                                    "Reset Passcode",
                                    "One Minute Beep Timer",
                                    "VADK",
                                    "Group Call Tone",
                                    "Talk Permit",
                                    "Enable PTT ID",
                                    "Auto Display Timer",
                                    "Muted DTMF",
                                    "Talkgroup Scan",
                                    "Desk-Set Accessory Support",
                                    "Enable Call Alert Queuing",
                                    "Phone Only Mode",
                                    "SMS Call Back Disable",
                                    "Emergency Button",
                                    "Phone Lockout",
                                    "Private Lockout",
                                    "Lock Override",
                                    "Theft Alarm",
                                    "Use External Speaker",
                                    "Horn and Lights",
                                    "Inactivity Revert",
                                    "Auto Revert",
                                    "Photo Sensor",
                                    "Vibrate Enable",
                                    "Sim pin warning"};
        QCOMPARE(basicKeys.size(), 26);
        QString value;
        for (const QString& key : basicKeys) {
            QVERIFY2(fixture.Value(QStringLiteral("Carrier Basic Settings"), key, value), qPrintable(key));
            QVERIFY2(shipped.Value(QStringLiteral("Carrier Basic Settings"), key, value), qPrintable(key));
        }
        QVERIFY(fixture.Value(QStringLiteral("Application Title"), QStringLiteral("CarrierID"), value));
        QCOMPARE(value.toInt(), carrierId);

        QVERIFY(CModelFixture::UseCarrierIniFile(path));
        CModelRules rules(m_db);
        QString list;
        QVERIFY(!rules.BuildModelList(list));
        QVERIFY(!list.isEmpty());
        QVERIFY(!rules.LoadInternationalLists());
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        for (int model : HashListNumbers(rules.AlderModels()) + HashListNumbers(rules.Q700PhoneModels()))
            QVERIFY(m_modelTypes.contains(model));
    }

    void cleanupTestCase()
    {
        CModelFixture::UseProgramFolder();
        m_db.close();
    }
};

VELMORA_TEST_MAIN(TestModelCatalogue)
#include "tst_model_catalogue.moc"
