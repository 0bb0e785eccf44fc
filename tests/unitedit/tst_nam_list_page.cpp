// The per-NAM list pages in the unit property sheet: the NAM selector, a refused id that keeps the
// NAM and the sheet, the scan list's extra message, the buttons' messages and Cancel.

#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitNamListPage.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"

#include <QComboBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

} // namespace

class TestNamListPage : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;

    std::unique_ptr<CUnitPropertySheet> Sheet(const CVelmoraDoc& doc, const QString& imei, int page)
    {
        CUnitOpenInfo info;
        if (CUnitOpener::Prepare(doc.Database(), imei, false, &CUnitsFixture::Rules(), info))
            return nullptr;
        CUnitSheetContext context;
        context.db = doc.Database();
        context.rules = &CUnitsFixture::Rules();
        auto sheet = std::make_unique<CUnitPropertySheet>(info, context);
        sheet->SetStartPageId(page);
        sheet->show();
        return sheet;
    }

    static int Count(const QSqlDatabase& db, const QString& sql)
    {
        QSqlQuery query(db);
        return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
    }

private Q_SLOTS:
    void init() { Answers().Clear(); }

    void talkgroupPageRefusesABadIdAndCancelKeepsTheTable()
    {
        CUnitSpec spec;
        spec.imei = QStringLiteral("350000000000051");
        spec.user = QStringLiteral("Heron");
        spec.modelType = 20;
        auto doc = m_fixture.OpenFleet("tg.vlf", {spec});
        QVERIFY(doc);
        const QSqlDatabase db = doc->Database();
        const int stored = Count(db, QStringLiteral("SELECT COUNT(*) FROM unit_tg_details"));
        auto sheet = Sheet(*doc, spec.imei, UnitPage::TalkgroupList);
        QVERIFY(sheet);
        auto* page = qobject_cast<CUnitNamListPage*>(sheet->GetActivePage());
        QVERIFY(page);
        // The selector holds the NAMs of the list, captioned by the language file.
        const QList<int> nams = page->List().NamEntries();
        QCOMPARE(page->NamBox()->count(), nams.size());
        QCOMPARE(page->NamBox()->itemText(0), CVelmoraWrap::LoadString(1707 + nams.first() - 1));
        QCOMPARE(page->Grid()->RowCount(), page->List().Capacity());
        QVERIFY(page->Button(CUnitNamListPage::MarkAll) == nullptr); // scan and status lists only
        QVERIFY(!page->Button(CUnitNamListPage::CopyUserInfo)->isEnabled());

        page->Grid()->SetValue(1, 2, QStringLiteral("256"));
        QVERIFY(nams.size() > 1); // model 20 has talkgroups on more than one NAM
        page->NamBox()->setCurrentIndex(1);
        QCOMPARE(Answers().Ids(), QList<int>{1645});
        QCOMPARE(page->NamBox()->currentIndex(), 0);
        QCOMPARE(page->List().CurrentNam(), nams.first());
        QCOMPARE(page->Grid()->CurrentRow(), 1);
        Answers().Clear();
        QVERIFY(!sheet->PressOk());
        QVERIFY(Answers().Saw(1645));
        QVERIFY(sheet->isVisible());

        Answers().Clear();
        page->Grid()->clearSelection();
        page->Button(CUnitNamListPage::MoveUp)->click();
        page->Button(CUnitNamListPage::Clear)->click();
        QCOMPARE(Answers().Ids(), (QList<int>{1646, 1602}));

        sheet->PressCancel();
        QCOMPARE(Count(db, QStringLiteral("SELECT COUNT(*) FROM unit_tg_details")), stored);
        QCOMPARE(Count(db, QStringLiteral("SELECT COUNT(*) FROM unit_tg_details_tmp")), 0);
    }

    void scanPageSaysTheListWasNotSaved()
    {
        CUnitSpec spec;
        spec.imei = QStringLiteral("350000000000052");
        spec.user = QStringLiteral("Scanner");
        spec.modelType = 20;
        auto doc = m_fixture.OpenFleet("scan.vlf", {spec});
        QVERIFY(doc);
        auto sheet = Sheet(*doc, spec.imei, UnitPage::ScanList);
        QVERIFY(sheet);
        auto* page = qobject_cast<CUnitNamListPage*>(sheet->PageById(UnitPage::ScanList));
        QVERIFY(page); // model 20 keeps scan lists, on more than one NAM
        QVERIFY(page->Button(CUnitNamListPage::MarkAll));
        QVERIFY(page->NamBox()->count() > 1);
        page->Grid()->SetValue(2, 1, QStringLiteral("alias"));
        page->Grid()->SetValue(2, 2, QStringLiteral("0"));
        page->NamBox()->setCurrentIndex(1);
        QCOMPARE(Answers().Ids(), (QList<int>{1645, 1498}));
        page->Grid()->SetValue(2, 2, QStringLiteral("9"));
        page->Button(CUnitNamListPage::MarkAll)->click();
        QCOMPARE(page->Grid()->Value(2, 3), QStringLiteral("1"));
        QVERIFY(sheet->PressOk());
        QCOMPARE(
            Count(doc->Database(), QStringLiteral("SELECT COUNT(*) FROM unit_tg_scan WHERE unit_tg_id = 9 "
                                                  "AND unit_program_flag <> 0")),
            1);
        QCOMPARE(Count(doc->Database(), QStringLiteral("SELECT COUNT(*) FROM unit_tg_scan_tmp")), 0);
    }
};

VELMORA_TEST_MAIN(TestNamListPage)
#include "tst_nam_list_page.moc"
