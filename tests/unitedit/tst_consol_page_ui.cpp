// The consolidated call list page in the unit property sheet: shown for Alder units only, its grid
// and buttons, the Delete key, the sort kept across reloads, the transfer hook and its reload flags,
// and a refused row keeping the sheet open.

#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString kImei = QStringLiteral("350000000000061");
using L = CUnitConsolCallList;

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

} // namespace

class TestConsolPageUi : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    std::unique_ptr<CVelmoraDoc> m_doc;
    std::unique_ptr<CUnitPropertySheet> m_sheet;
    CUnitConsolCallListDlg* m_page = nullptr;

    QSqlDatabase Db() const { return m_doc->Database(); }
    CVelmoraGridWnd* Grid() const { return m_page->Grid(); }

    int Count(const QString& table) { return CFleetFixtures::Count(Db(), table, kImei); }

    void OpenSheet(int modelType = 105)
    {
        CUnitSpec spec;
        spec.imei = kImei;
        spec.modelType = modelType;
        spec.listRows = 3;
        m_sheet.reset();
        m_page = nullptr;
        m_doc = m_fixture.OpenFleet("consol.vlf", {spec});
        QVERIFY(m_doc);
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(Db(), kImei, false, &CUnitsFixture::Rules(), info).IsError());
        CUnitSheetContext context;
        context.db = Db();
        context.rules = &CUnitsFixture::Rules();
        m_sheet = std::make_unique<CUnitPropertySheet>(info, context);
        m_sheet->SetStartPageId(UnitPage::Consolidated);
        m_sheet->show();
        m_page = qobject_cast<CUnitConsolCallListDlg*>(m_sheet->PageById(UnitPage::Consolidated));
        Answers().Clear();
    }

    void SetRow(int row, const QString& name, const QString& number, const QString& type)
    {
        Grid()->SetValue(row, L::ColName, name);
        Grid()->SetValue(row, L::ColNumber, number);
        Grid()->SetValue(row, L::ColType, type);
    }

    void Activate(int page)
    {
        QVERIFY(m_sheet->SetActivePage(m_sheet->GetPageIndex(m_sheet->PageById(page))));
    }

private Q_SLOTS:
    void cleanup()
    {
        m_sheet.reset();
        m_doc.reset();
    }

    void pageOfAlderUnitsOnly()
    {
        OpenSheet(20);
        QVERIFY(!m_page);
        QVERIFY(!m_sheet->PageIds().contains(UnitPage::Consolidated));
        OpenSheet();
        QVERIFY(m_page);
        QCOMPARE(m_sheet->GetActivePage(), m_page);
        QCOMPARE(m_sheet->PageIds().indexOf(UnitPage::Consolidated),
                 m_sheet->PageIds().indexOf(UnitPage::TalkgroupList) + 1);
        QCOMPARE(Grid()->property("controlId").toInt(), 1209);
        QCOMPARE(Grid()->RowCount(), 250);
        // Name, number, type and index are shown; the record's other fields are not.
        for (int col = 1; col <= 4; ++col)
            QVERIFY(!Grid()->isColumnHidden(CVelmoraGridModel::ModelCol(col)));
        for (int col = 5; col <= L::ColumnCount; ++col)
            QVERIFY(Grid()->isColumnHidden(CVelmoraGridModel::ModelCol(col)));
        // The type column shows the type's caption.
        QCOMPARE(Grid()->Value(1, L::ColType), QStringLiteral("1"));
        QCOMPARE(Grid()
                     ->Model()
                     ->data(Grid()->Model()->index(0, CVelmoraGridModel::ModelCol(L::ColType)))
                     .toString(),
                 CVelmoraWrap::LoadString(1886));
        for (int id : {1025, 1027})
            QVERIFY(!m_page->Button(id)->isEnabled());
        // The sheet opens the phone-book transfer from here.
        QVERIFY(!m_page->Button(1262)->isHidden());
        QVERIFY(m_page->Button(1262)->isEnabled());
        QVERIFY(m_page->EntryCount()->text().contains(QStringLiteral("250")));
    }

    void deleteKeyAndClearEmptyTheSelectedEntries()
    {
        OpenSheet();
        QVERIFY(!Grid()->Model()->IsRowEmpty(2));
        Grid()->clearSelection();
        m_page->PressButton(L::ClearRows);
        m_page->PressButton(L::MoveDown);
        QCOMPARE(Answers().Ids(), (QList<int>{1602, 1646}));
        QVERIFY(Grid()->SetCurrentCell(2, 1));
        Grid()->selectRow(1);
        QTest::keyClick(Grid(), Qt::Key_Delete);
        for (int col = 1; col <= L::ColumnCount; ++col)
            QVERIFY(Grid()->Value(2, col).isEmpty());
        QVERIFY(!Grid()->Model()->IsRowEmpty(1));
        QVERIFY(m_sheet->PressOk());
        QCOMPARE(Count("unit_consolid_call_list"), 2);
    }

    void sortIsKeptAcrossAReload()
    {
        OpenSheet();
        m_page->PressButton(L::SortByNumber);
        QVERIFY(m_page->Button(L::SortByNumber)->isChecked());
        SetRow(5, "Zed", "0001", "0");
        QVERIFY(m_sheet->PressApply());
        // Another dialog rewrote the twin: the page reloads when it is shown, in its sort.
        m_sheet->ReloadFlags().Set(UnitPage::Consolidated);
        Activate(UnitPage::Basic);
        Activate(UnitPage::Consolidated);
        QVERIFY(!m_sheet->ReloadFlags().IsSet(UnitPage::Consolidated));
        QCOMPARE(Grid()->Value(1, L::ColName), QStringLiteral("Zed"));
        m_page->PressButton(L::SortByName);
        QVERIFY(!m_page->Button(L::SortByNumber)->isChecked());
        QCOMPARE(Grid()->Value(4, L::ColName), QStringLiteral("Zed"));
    }

    void transferHookSeesTheGridAndFlagsTheSimpleLists()
    {
        OpenSheet();
        SetRow(4, "New", "0505", "0");
        int twinRows = -1;
        bool accept = false;
        m_page->SetTransferOpener([&](CUnitConsolCallListDlg& page) {
            twinRows = page.List().Twin().TwinRowCount();
            QSqlQuery(Db()).exec("DELETE FROM unit_consolid_call_list_tmp WHERE unit_rec_num = 1");
            return accept;
        });
        QVERIFY(m_page->Button(1262)->isEnabled());
        // Cancelled: nothing reloads.
        m_page->PressButton(L::PhoneBookTransfer);
        QCOMPARE(twinRows, 4);
        QCOMPARE(Grid()->Value(4, L::ColName), QStringLiteral("New"));
        QVERIFY(!m_sheet->ReloadFlags().IsSet(UnitPage::PhoneList));
        // OK: the page shows the twin and the simple lists reload when next shown.
        accept = true;
        m_page->PressButton(L::PhoneBookTransfer);
        QCOMPARE(Grid()->Value(3, L::ColName), QStringLiteral("New"));
        QVERIFY(m_sheet->ReloadFlags().IsSet(UnitPage::PhoneList));
        QVERIFY(m_sheet->ReloadFlags().IsSet(UnitPage::PrivateList));

        // A row the write-back refuses keeps the dialog closed.
        twinRows = -1;
        SetRow(6, "Bad", "0255", "7");
        m_page->PressButton(L::PhoneBookTransfer);
        QCOMPARE(twinRows, -1);
        QCOMPARE(Answers().Ids(), QList<int>{1823});
    }

    void refusedRowKeepsTheSheetOpen()
    {
        OpenSheet();
        SetRow(5, "Ip", "10.0.0.256", "8");
        QVERIFY(!m_sheet->PressOk());
        QVERIFY(m_sheet->isVisible());
        QCOMPARE(Answers().Ids(), QList<int>{1825});
        QCOMPARE(Grid()->CurrentRow(), 5);
        QCOMPARE(Count("unit_consolid_call_list"), 3);
        m_sheet->PressCancel();
        QCOMPARE(Count("unit_consolid_call_list_tmp"), 0);
        QVERIFY(!m_sheet->FleetChanged());
    }
};

VELMORA_TEST_MAIN(TestConsolPageUi)
#include "tst_consol_page_ui.moc"
