// The consolidated call list page with an Alder phone on the bench: entries edited in the unit
// property sheet reach the phone's consolidated list through the write command with their types and
// name indexes, and read back into a fleet the page shows the same rows.

#include "CPhoneCommands.h"
#include "CPhoneDump.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CSheetOnBench.h"
#include "CTestEnvironment.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"

#include <QTest>

namespace {

using L = CUnitConsolCallList;

// The grid's entries as "name|number|type|index", up to the first empty row.
QStringList Entries(const CVelmoraGridWnd& grid)
{
    QStringList rows;
    for (int row = 1; row <= grid.RowCount() && !grid.Value(row, L::ColNumber).isEmpty(); ++row)
        rows << QStringList{grid.Value(row, L::ColName), grid.Value(row, L::ColNumber),
                            grid.Value(row, L::ColType), grid.Value(row, L::ColNameIndex)}
                    .join(QLatin1Char('|'));
    return rows;
}

} // namespace

class TestConsolPagePhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    int AlderModel() const
    {
        for (int model : m_fx.ModelTypes()) {
            if (m_fx.Rules().ProfileOf(model, 0, 0).phoneClass == 3)
                return model;
        }
        return 0;
    }

    CUnitConsolCallListDlg* Page(CUnitPropertySheet& sheet)
    {
        return qobject_cast<CUnitConsolCallListDlg*>(sheet.GetActivePage());
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void entriesEditedInTheSheetReachThePhoneAndComeBack()
    {
        const int model = AlderModel();
        QVERIFY(model != 0);
        const QString name = m_fx.Plug(model);
        CVelmoraDoc* doc = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;

        auto sheet = SheetOnBench::Sheet(m_fx, *doc, imei, UnitPage::Consolidated);
        QVERIFY(sheet);
        QVERIFY(sheet->PageIds().contains(UnitPage::Consolidated));
        CUnitConsolCallListDlg* page = Page(*sheet);
        QVERIFY(page);
        CVelmoraGridWnd* grid = page->Grid();
        QCOMPARE(grid->RowCount(), 250);
        // The phone's own entries were read in.
        QVERIFY(!Entries(*grid).isEmpty());
        for (int row = 1; row <= grid->RowCount(); ++row) {
            for (int col = 1; col <= L::ColumnCount; ++col)
                grid->SetValue(row, col, QString());
        }
        const QList<QStringList> typed = {{"Ann", "0501", "0"}, {"Ann", "0502", "2"},  {"Ann", "0503", "0"},
                                          {"Bo", "12", "7"},    {"", "10.0.0.1", "8"}, {"Dana", "", "0"},
                                          {"Cy", "4711", "1"}};
        for (int i = 0; i < typed.size(); ++i) {
            for (int col = 1; col <= 3; ++col)
                grid->SetValue(i + 1, col, typed[i][col - 1]);
        }
        QVERIFY(sheet->PressOk());
        QVERIFY(sheet->FleetChanged());
        sheet.reset();

        CScriptedAnswerer::Instance().Clear();
        m_fx.Host().active = doc;
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));
        const QStringList dump = CPhoneDump::SimBlock(m_fx.Load(name)).filter(QStringLiteral("onsolidated"));
        const QStringList expected = {"\"Ann\" 0501 type 0 name index 1",  "\"Ann\" 0502 type 2 name index 1",
                                      "\"Ann\" 0503 type 0 name index 2",  "\"Bo\" 12 type 7 name index 3",
                                      "\"\" 10.0.0.1 type 8 name index 4", "\"Cy\" 4711 type 1 name index 5"};
        QVERIFY2(dump.size() == expected.size(), qPrintable(dump.join(QLatin1Char('\n'))));
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(dump[i].endsWith(expected[i]), qPrintable(dump[i]));

        CVelmoraDoc* again = SheetOnBench::ReadIntoNewFleet(m_fx);
        QVERIFY(again);
        auto reread = SheetOnBench::Sheet(m_fx, *again, imei, UnitPage::Consolidated);
        QVERIFY(reread);
        page = Page(*reread);
        QVERIFY(page);
        QCOMPARE(Entries(*page->Grid()), (QStringList{"Ann|0501|0|1", "Ann|0502|2|1", "Ann|0503|0|2",
                                                      "Bo|12|7|3", "|10.0.0.1|8|4", "Cy|4711|1|5"}));
        reread->PressCancel();
    }
};

VELMORA_TEST_MAIN(TestConsolPagePhone)
#include "tst_consol_page_phone.moc"
