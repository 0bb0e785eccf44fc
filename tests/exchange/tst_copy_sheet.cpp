// The Copy buttons of the unit property sheet's pages: the page hands the dialog what it shows (edits
// not yet saved included), the copy reaches the other unit, and the sheet's own unit keeps its tables
// until the sheet is saved.

#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitCopyUserInfoDlg.h"
#include "CUnitNamListPage.h"
#include "CUnitOpener.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"
#include "WhenModal.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {
const QString kImei = QStringLiteral("350000000000071");
const QString kTarget = QStringLiteral("350000000000082");
using D = CUnitCopyUserInfoDlg;
} // namespace

class TestCopySheet : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    std::unique_ptr<CVelmoraDoc> m_doc;
    std::unique_ptr<CUnitPropertySheet> m_sheet;

    QSqlDatabase Db() const { return m_doc->Database(); }

    void OpenSheet(int startPage)
    {
        QList<CUnitSpec> specs;
        for (const QString& imei : {kImei, kTarget}) {
            CUnitSpec spec;
            spec.imei = imei;
            spec.user = imei == kImei ? QStringLiteral("Source") : QStringLiteral("Target");
            spec.modelType = 105;
            spec.listRows = 2;
            specs << spec;
        }
        m_doc = m_fixture.OpenFleet("copy.vlf", specs);
        QVERIFY(m_doc);
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(Db(), kImei, false, &CUnitsFixture::Rules(), info).IsError());
        CUnitSheetContext context;
        context.db = Db();
        context.rules = &CUnitsFixture::Rules();
        m_sheet = std::make_unique<CUnitPropertySheet>(info, context);
        m_sheet->SetStartPageId(startPage);
        m_sheet->show();
        CScriptedAnswerer::Instance().Clear();
    }

    // Checks every unit in the dialog, copies and closes it.
    static void CopyToAll()
    {
        WhenModal([](QWidget* widget) {
            auto* dialog = qobject_cast<D*>(widget);
            QVERIFY(dialog);
            QCOMPARE(dialog->Grid()->RowCount(), 1); // the sheet's own unit is no target
            dialog->PressButton(D::SelectAll);
            dialog->PressButton(D::CopyButton);
            dialog->reject();
        });
    }

    int Rows(const QString& table, const QString& column, const QString& imei, const QString& value) const
    {
        QSqlQuery q(Db());
        q.prepare(
            QStringLiteral("SELECT count(*) FROM %1 WHERE unit_imei_num = ? AND %2 = ?").arg(table, column));
        q.addBindValue(imei);
        q.addBindValue(value);
        return q.exec() && q.next() ? q.value(0).toInt() : -1;
    }

private Q_SLOTS:
    void initTestCase() { CUnitCopyUserInfoDlg::Install(); }

    void cleanup()
    {
        m_sheet.reset();
        m_doc.reset();
    }

    void phonePageCopiesWhatItShows()
    {
        OpenSheet(UnitPage::PhoneList);
        auto* page = qobject_cast<CUnitPhoneListDlg*>(m_sheet->PageById(UnitPage::PhoneList));
        QVERIFY(page);
        QVERIFY(page->Button(CUnitPhoneList::CopyUserInfo)->isEnabled());
        page->Grid()->SetValue(1, CUnitPhoneList::ColName, QStringLiteral("Fresh from page"));
        page->Grid()->SetValue(1, CUnitPhoneList::ColNumber, QStringLiteral("0501112233"));
        page->Grid()->SetValue(1, CUnitPhoneList::ColProgram, QStringLiteral("1"));
        CopyToAll();
        page->PressButton(CUnitPhoneList::CopyUserInfo);
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1638});
        QCOMPARE(Rows("unit_phone_details", "unit_name", kTarget, "Fresh from "), 1);
        QCOMPARE(Rows("unit_phone_details", "unit_name", kTarget, "Source"), 1);
        // The sheet's unit itself changes only when the sheet is saved.
        QCOMPARE(Rows("unit_phone_details", "unit_name", kImei, "Fresh from page"), 0);
        QCOMPARE(page->Grid()->Value(1, CUnitPhoneList::ColName), QStringLiteral("Fresh from page"));
    }

    void privatePageCopiesItsNam()
    {
        OpenSheet(UnitPage::PrivateList);
        auto* page = qobject_cast<CUnitNamListPage*>(m_sheet->PageById(UnitPage::PrivateList));
        QVERIFY(page);
        page->Grid()->SetValue(5, 1, QStringLiteral("Zed"));
        page->Grid()->SetValue(5, 2, QStringLiteral("77"));
        page->Grid()->SetValue(5, CUnitNamList::ProgramColumn, QStringLiteral("1"));
        CopyToAll();
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            if (button->property("controlId").toInt() == CUnitNamListPage::CopyUserInfo) {
                QVERIFY(button->isEnabled());
                button->click();
            }
        }
        QVERIFY(CScriptedAnswerer::Instance().Saw(1638));
        QCOMPARE(Rows("unit_private_details", "unit_name", kTarget, "Zed"), 1);
    }
};

VELMORA_TEST_MAIN(TestCopySheet)
#include "tst_copy_sheet.moc"
