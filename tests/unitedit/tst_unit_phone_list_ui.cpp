// The phone list page in the unit property sheet: its grid and buttons, OK saving it with the other
// pages, a refused row keeping the sheet open, Cancel dropping the edits, and the reload flag.

#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitOpener.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"

#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString kImei = QStringLiteral("350000000000051");

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

} // namespace

class TestUnitPhoneListUi : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    std::unique_ptr<CVelmoraDoc> m_doc;
    std::unique_ptr<CUnitPropertySheet> m_sheet;
    CUnitPhoneListDlg* m_page = nullptr;

    QSqlDatabase Db() const { return m_doc->Database(); }

    int Count(const QString& sql)
    {
        QSqlQuery query(Db());
        query.prepare(sql);
        query.addBindValue(kImei);
        return query.exec() && query.next() ? query.value(0).toInt() : -1;
    }

    // The sheet of a unit of model 20, shown on its phone list page.
    void OpenSheet()
    {
        CUnitSpec spec;
        spec.imei = kImei;
        spec.user = QStringLiteral("Lists");
        spec.modelType = 20;
        spec.listRows = 3;
        m_sheet.reset();
        m_doc = m_fixture.OpenFleet("phone.vlf", {spec});
        QVERIFY(m_doc);
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(Db(), kImei, false, &CUnitsFixture::Rules(), info).IsError());
        CUnitSheetContext context;
        context.db = Db();
        context.rules = &CUnitsFixture::Rules();
        m_sheet = std::make_unique<CUnitPropertySheet>(info, context);
        m_sheet->SetStartPageId(UnitPage::PhoneList);
        m_sheet->show();
        m_page = static_cast<CUnitPhoneListDlg*>(m_sheet->PageById(UnitPage::PhoneList));
        QVERIFY(m_page);
        QCOMPARE(m_sheet->GetActivePage(), m_page);
        Answers().Clear();
    }

    void SetRow(int row, const QString& name, const QString& number)
    {
        m_page->Grid()->SetValue(row, 1, name);
        m_page->Grid()->SetValue(row, 2, number);
    }

private Q_SLOTS:
    void cleanup()
    {
        m_sheet.reset();
        m_doc.reset();
    }

    void pageShowsTheListAndOkSavesIt()
    {
        OpenSheet();
        const int capacity = m_sheet->SheetUnit().profile.capacities.phoneBook;
        QVERIFY(capacity > 4);
        QCOMPARE(m_page->Grid()->RowCount(), capacity);
        QCOMPARE(m_page->Grid()->property("controlId").toInt(), 1155);
        for (int id : {1025, 1027, 1262})
            QVERIFY(!m_page->Button(id)->isEnabled());
        QVERIFY(m_page->Button(1262)->isHidden()); // not an Alder phone
        QVERIFY(m_page->Button(1029)->isEnabled());
        QVERIFY(m_page->EntryCount()->text().contains(QString::number(capacity)));

        // No selection: the move and clear buttons say so.
        m_page->Grid()->clearSelection();
        m_page->PressButton(1029);
        m_page->PressButton(1019);
        QCOMPARE(Answers().Ids(), (QList<int>{1646, 1602}));

        SetRow(4, QStringLiteral("O'Hara"), QStringLiteral("+35312345"));
        QVERIFY(m_sheet->PressOk());
        QCOMPARE(Count("SELECT count(*) FROM unit_phone_details WHERE unit_imei_num = ?"), 4);
        QCOMPARE(Count("SELECT unit_speed_dial FROM unit_phone_details WHERE unit_imei_num = ? AND "
                       "unit_name = 'O''Hara'"),
                 4);
        QCOMPARE(Count("SELECT count(*) FROM unit_phone_details_tmp WHERE unit_imei_num = ?"), 0);
        QVERIFY(m_sheet->FleetChanged());
    }

    void refusedRowKeepsTheSheetOpenAndCancelDropsTheEdits()
    {
        OpenSheet();
        SetRow(5, QStringLiteral("No number"), QString());
        QVERIFY(!m_sheet->PressOk());
        QVERIFY(m_sheet->isVisible());
        QCOMPARE(Answers().Ids(), QList<int>{1847});
        QCOMPARE(m_page->Grid()->CurrentRow(), 5);
        QCOMPARE(m_page->Grid()->CurrentCol(), 2);
        QCOMPARE(Count("SELECT count(*) FROM unit_phone_details WHERE unit_imei_num = ?"), 3);

        m_sheet->PressCancel();
        QCOMPARE(Count("SELECT count(*) FROM unit_phone_details WHERE unit_imei_num = ?"), 3);
        QCOMPARE(Count("SELECT count(*) FROM unit_phone_details_tmp WHERE unit_imei_num = ?"), 0);
        QVERIFY(!m_sheet->FleetChanged());
    }

    void moveButtonFollowsTheRowAndReloadFlagRefills()
    {
        OpenSheet();
        const QString third = m_page->Grid()->Value(3, 1);
        QVERIFY(m_page->Grid()->SetCurrentCell(3, 1));
        m_page->Grid()->selectRow(2);
        m_page->PressButton(1029);
        QCOMPARE(m_page->Grid()->Value(2, 1), third);
        QCOMPARE(m_page->Grid()->SelectedRows(), QList<int>{2});

        // A dialog rewrote the twin and set the flag: the page shows the twin when it is active again.
        QSqlQuery(Db()).exec("DELETE FROM unit_phone_details_tmp");
        m_sheet->ReloadFlags().Set(UnitPage::PhoneList);
        QVERIFY(m_sheet->SetActivePage(m_sheet->GetPageIndex(m_sheet->PageById(UnitPage::Basic))));
        QVERIFY(m_sheet->SetActivePage(m_sheet->GetPageIndex(m_page)));
        QVERIFY(!m_sheet->ReloadFlags().IsSet(UnitPage::PhoneList));
        QVERIFY(m_page->Grid()->Model()->IsRowEmpty(1));
        QVERIFY(m_page->Grid()->Model()->IsRowEmpty(2));
    }
};

VELMORA_TEST_MAIN(TestUnitPhoneListUi)
#include "tst_unit_phone_list_ui.moc"
