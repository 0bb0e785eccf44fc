// The talkgroup page with a phone on the bench: a list edited in the unit property sheet and saved
// reaches the phone through the write command, entry by entry at its location, and read back into a
// fleet the page shows the same rows.

#include "CPhoneCommands.h"
#include "CPhoneDump.h"
#include "CPhoneFixture.h"
#include "CPhoneTextCodec.h"
#include "CScriptedAnswerer.h"
#include "CSheetOnBench.h"
#include "CTestEnvironment.h"
#include "CUnitNamListPage.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QTest>

class TestNamListsPhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    std::unique_ptr<CUnitPropertySheet> Sheet(CVelmoraDoc& doc, const QString& imei, int page)
    {
        return SheetOnBench::Sheet(m_fx, doc, imei, page);
    }

    CVelmoraDoc* ReadIntoNewFleet() { return SheetOnBench::ReadIntoNewFleet(m_fx); }

    // A model whose talkgroup list holds at least `rows` entries on NAM 1.
    int ModelWithTalkgroups(int rows) const
    {
        for (int model : m_fx.ModelTypes()) {
            const CModelProfile profile = m_fx.Rules().ProfileOf(model, 0, 0);
            if (profile.capacities.talkgroups[0] >= rows && profile.phoneClass != 3)
                return model;
        }
        return 0;
    }

    static QString PhoneBytes(const QString& text, int language)
    {
        QByteArray bytes;
        CPhoneTextCodec::ForUnit(language, false).Encode(text, bytes);
        return QString::fromLatin1(bytes);
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void talkgroupsEditedInTheSheetReachThePhoneAndComeBack_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("language");
        QTest::newRow("latin") << QStringLiteral("Dispatch") << QStringLiteral("O'Hara Yard") << 0;
        QTest::newRow("hebrew") << QString::fromUtf8("מוקד") << QString::fromUtf8("חצר \"א\"") << 3;
    }
    void talkgroupsEditedInTheSheetReachThePhoneAndComeBack()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, language);
        const int model = ModelWithTalkgroups(4);
        QVERIFY(model != 0);
        // A Hebrew phone: its release keeps call lists in Hebrew, so reading it takes the names back in
        // code page 1255.
        CPhonePresetOptions options;
        if (language == 3)
            options.release = 39;
        const QString name = m_fx.Plug(model, options);
        CVelmoraDoc* doc = ReadIntoNewFleet();
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        {
            QSqlQuery query(doc->Database());
            query.prepare(QStringLiteral("UPDATE unit_details SET unit_def_call_list_lang_id = ?"));
            query.addBindValue(language);
            QVERIFY(query.exec());
        }

        auto sheet = Sheet(*doc, imei, UnitPage::TalkgroupList);
        QVERIFY(sheet);
        auto* page = qobject_cast<CUnitNamListPage*>(sheet->GetActivePage());
        QVERIFY(page);
        CVelmoraGridWnd* grid = page->Grid();
        for (int row = 1; row <= grid->RowCount(); ++row) {
            grid->SetValue(row, 1, QString());
            grid->SetValue(row, 2, QString());
        }
        grid->SetValue(1, 1, first);
        grid->SetValue(1, 2, QStringLiteral("17"));
        grid->SetValue(1, 3, QStringLiteral("1"));
        // A gap: the fourth entry keeps its location.
        grid->SetValue(4, 1, second);
        grid->SetValue(4, 2, QStringLiteral("201"));
        grid->SetValue(4, 3, QStringLiteral("1"));
        QVERIFY(sheet->PressOk());
        QVERIFY(sheet->FleetChanged());
        sheet.reset();

        CScriptedAnswerer::Instance().Clear();
        m_fx.Host().active = doc;
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));
        const QStringList dump = CPhoneDump::ListBlock(m_fx.Load(name));
        // The dump shows the names' bytes; the phone holds them in its code page.
        const QString firstBytes = PhoneBytes(first, language);
        const QString secondBytes = PhoneBytes(second, language);
        const QStringList nam1 = dump.filter(QStringLiteral("NAM1 slot")).filter(QStringLiteral("alkgroup"));
        QVERIFY2(nam1.size() == 2, qPrintable(dump.join(QLatin1Char('\n'))));
        QVERIFY2(nam1[0].contains(QStringLiteral("slot 1:")) && nam1[0].contains(firstBytes) &&
                     nam1[0].contains(QStringLiteral("17")),
                 qPrintable(nam1[0]));
        QVERIFY2(nam1[1].contains(QStringLiteral("slot 4:")) && nam1[1].contains(secondBytes) &&
                     nam1[1].contains(QStringLiteral("201")),
                 qPrintable(nam1[1]));

        CVelmoraDoc* again = ReadIntoNewFleet();
        QVERIFY(again);
        auto reread = Sheet(*again, imei, UnitPage::TalkgroupList);
        QVERIFY(reread);
        page = qobject_cast<CUnitNamListPage*>(reread->GetActivePage());
        QVERIFY(page);
        grid = page->Grid();
        QCOMPARE(grid->Value(1, 1), first);
        QCOMPARE(grid->Value(1, 2), QStringLiteral("17"));
        QCOMPARE(grid->Value(1, 3), QStringLiteral("1"));
        QCOMPARE(grid->Value(2, 1), second);
        QCOMPARE(grid->Value(2, 2), QStringLiteral("201"));
        reread->PressCancel();
    }
};

VELMORA_TEST_MAIN(TestNamListsPhone)
#include "tst_nam_lists_phone.moc"
