// The phone-book transfer opened from the unit property sheet: the list pages hand it what they show
// (edits not yet in their twins included), and after its OK they show what it wrote; the sheet's OK or
// Cancel still decides about the tables.

#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitNamListPage.h"
#include "CUnitOpener.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"
#include "WhenModal.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString kImei = QStringLiteral("350000000000071");
using D = CTransferPhoneBookDataDlg;

} // namespace

class TestTransferSheet : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    std::unique_ptr<CVelmoraDoc> m_doc;
    std::unique_ptr<CUnitPropertySheet> m_sheet;

    QSqlDatabase Db() const { return m_doc->Database(); }

    void OpenSheet()
    {
        CUnitSpec spec;
        spec.imei = kImei;
        spec.modelType = 105;
        spec.listRows = 3;
        m_sheet.reset();
        m_doc = m_fixture.OpenFleet("transfer.vlf", {spec});
        QVERIFY(m_doc);
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(Db(), kImei, false, &CUnitsFixture::Rules(), info).IsError());
        CUnitSheetContext context;
        context.db = Db();
        context.rules = &CUnitsFixture::Rules();
        m_sheet = std::make_unique<CUnitPropertySheet>(info, context);
        m_sheet->SetStartPageId(UnitPage::PrivateList);
        m_sheet->show();
        CScriptedAnswerer::Instance().Clear();
    }

    template <typename Page> Page* PageOf(int id) const { return qobject_cast<Page*>(m_sheet->PageById(id)); }

    void Activate(int page)
    {
        QVERIFY(m_sheet->SetActivePage(m_sheet->GetPageIndex(m_sheet->PageById(page))));
    }

    // Presses the phone page's transfer button; in the dialog, copies phone-book row `row` into the
    // consolidated list, then ends the dialog with OK or Cancel.
    void Transfer(int row, bool ok)
    {
        WhenModal([row, ok](QWidget* widget) {
            auto* dialog = qobject_cast<D*>(widget);
            QVERIFY(dialog);
            CVelmoraGridWnd* grid = dialog->Grid(D::PhoneGrid);
            grid->selectionModel()->select(grid->Model()->index(row - 1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            dialog->PressButton(D::MovePhoneBook);
            if (ok)
                dialog->Button(D::OkButton)->click();
            else
                dialog->reject();
        });
        PageOf<CUnitPhoneListDlg>(UnitPage::PhoneList)->PressButton(CUnitPhoneList::PhoneBookTransfer);
    }

    int ConsolRowsNamed(const QString& table, const QString& name) const
    {
        QSqlQuery q(Db());
        q.prepare(
            QStringLiteral("SELECT count(*) FROM %1 WHERE unit_imei_num = ? AND unit_name = ?").arg(table));
        q.addBindValue(kImei);
        q.addBindValue(name);
        return q.exec() && q.next() ? q.value(0).toInt() : -1;
    }

private Q_SLOTS:
    void cleanup()
    {
        m_sheet.reset();
        m_doc.reset();
    }

    void pagesHandOverTheirEditsAndShowTheResult()
    {
        OpenSheet();
        // An edit on the private page that is only in its grid.
        auto* privatePage = PageOf<CUnitNamListPage>(UnitPage::PrivateList);
        QVERIFY(privatePage);
        privatePage->Grid()->SetValue(6, 1, QStringLiteral("Zed"));
        privatePage->Grid()->SetValue(6, 2, QStringLiteral("77"));
        Activate(UnitPage::PhoneList);
        auto* phonePage = PageOf<CUnitPhoneListDlg>(UnitPage::PhoneList);
        QVERIFY(phonePage->Button(CUnitPhoneList::PhoneBookTransfer)->isEnabled());
        // A name of its own, so the moved entry is easy to find.
        phonePage->Grid()->SetValue(1, CUnitPhoneList::ColName, QStringLiteral("Moved One"));
        QVERIFY(!PageOf<CUnitConsolCallListDlg>(UnitPage::Consolidated)->IsInitialized());

        Transfer(1, true);
        QVERIFY(CScriptedAnswerer::Instance().Ids().isEmpty());
        // The consolidated page was set up for the transfer and reloads when shown.
        QVERIFY(m_sheet->ReloadFlags().IsSet(UnitPage::Consolidated));
        QVERIFY(m_sheet->ReloadFlags().IsSet(UnitPage::PrivateList));
        QVERIFY(!m_sheet->ReloadFlags().IsSet(UnitPage::PhoneList));
        QCOMPARE(phonePage->Grid()->Value(1, CUnitPhoneList::ColName), QStringLiteral("Moved One"));
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list_tmp", "Moved One"), 1);
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Moved One"), 0);
        Activate(UnitPage::Consolidated);
        auto* consol = PageOf<CUnitConsolCallListDlg>(UnitPage::Consolidated);
        bool shown = false;
        for (int row = 1; row <= consol->Grid()->RowCount(); ++row)
            shown = shown ||
                    consol->Grid()->Value(row, CUnitConsolCallList::ColName) == QLatin1String("Moved One");
        QVERIFY(shown);
        // The private page's own edit went through the transfer and is still there.
        Activate(UnitPage::PrivateList);
        QStringList names;
        for (int row = 1; row <= privatePage->Grid()->RowCount(); ++row)
            names << privatePage->Grid()->Value(row, 1);
        QVERIFY(names.contains(QStringLiteral("Zed")));

        // The sheet's OK stores it.
        QVERIFY(m_sheet->PressOk());
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Moved One"), 1);
        QCOMPARE(ConsolRowsNamed("unit_phone_details", "Moved One"), 1);
    }

    void aPageSetUpForTheTransferIsSavedWithTheSheet()
    {
        OpenSheet();
        Activate(UnitPage::PhoneList);
        PageOf<CUnitPhoneListDlg>(UnitPage::PhoneList)
            ->Grid()
            ->SetValue(1, CUnitPhoneList::ColName, QStringLiteral("Moved One"));
        Transfer(1, true);
        // The consolidated page was never shown; the sheet's OK still stores what the transfer wrote.
        QVERIFY(PageOf<CUnitConsolCallListDlg>(UnitPage::Consolidated)->IsInitialized());
        QVERIFY(m_sheet->PressOk());
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Moved One"), 1);
    }

    void anEditOnTheConsolidatedPageSurvivesATransferFromThePhoneList()
    {
        OpenSheet();
        Activate(UnitPage::Consolidated);
        CVelmoraGridWnd* grid = PageOf<CUnitConsolCallListDlg>(UnitPage::Consolidated)->Grid();
        int row = 1;
        while (!grid->Value(row, CUnitConsolCallList::ColNumber).isEmpty())
            ++row;
        grid->SetValue(row, CUnitConsolCallList::ColName, QStringLiteral("Typed Here"));
        grid->SetValue(row, CUnitConsolCallList::ColNumber, QStringLiteral("0123"));
        grid->SetValue(row, CUnitConsolCallList::ColType, QStringLiteral("0"));
        Activate(UnitPage::PhoneList);
        PageOf<CUnitPhoneListDlg>(UnitPage::PhoneList)
            ->Grid()
            ->SetValue(1, CUnitPhoneList::ColName, QStringLiteral("Moved One"));
        Transfer(1, true);
        QVERIFY(CScriptedAnswerer::Instance().Ids().isEmpty());
        QVERIFY(m_sheet->PressOk());
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Typed Here"), 1);
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Moved One"), 1);
    }

    void cancelledTransferAndCancelledSheetChangeNothing()
    {
        OpenSheet();
        Activate(UnitPage::PhoneList);
        auto* phonePage = PageOf<CUnitPhoneListDlg>(UnitPage::PhoneList);
        phonePage->Grid()->SetValue(1, CUnitPhoneList::ColName, QStringLiteral("Moved One"));
        Transfer(1, false);
        QVERIFY(!m_sheet->ReloadFlags().IsSet(UnitPage::Consolidated));
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list_tmp", "Moved One"), 0);
        Transfer(1, true);
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list_tmp", "Moved One"), 1);
        m_sheet->PressCancel();
        QCOMPARE(ConsolRowsNamed("unit_consolid_call_list", "Moved One"), 0);
        QCOMPARE(ConsolRowsNamed("unit_phone_details", "Moved One"), 0);
    }
};

VELMORA_TEST_MAIN(TestTransferSheet)
#include "tst_transfer_sheet.moc"
