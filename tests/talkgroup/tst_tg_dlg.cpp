// The talkgroup manager's window on a fleet document: what it shows when it is shown, talkgroups typed
// into its last row, units added by buttons and by a drop, members removed, talkgroups deleted, the
// row left in edit, and the frame commands it disables.

#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CTGDlg.h"
#include "CTestEnvironment.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"
#include "FrameCommands.h"
#include "TalkgroupMessageIds.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

namespace {

int Capacity(int modelType, int, int nam)
{
    return modelType == 90 && nam >= 2 ? 0 : 16;
}

CTGDlgSettings Settings(int namCount = 3)
{
    CTGDlgSettings settings;
    settings.namCount = [namCount] { return namCount; };
    settings.capacityOf = &Capacity;
    return settings;
}

QStringList Column(const CVelmoraGridWnd* grid, int col)
{
    QStringList values;
    for (int row = 1; row <= grid->RowCount(); ++row)
        values << grid->Value(row, col);
    return values;
}

} // namespace

class TestTGDlg : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    std::unique_ptr<CVelmoraDoc> m_doc;
    QList<CUnitSpec> m_units;

    CScriptedAnswerer& Answers() { return CScriptedAnswerer::Instance(); }

    // Four units; the fixture's rows give talkgroups 101 on NAM2 and 102 on NAM3 to every unit.
    void Open()
    {
        m_units = CFleetFixtures::Units(4);
        m_doc = m_fixture.OpenFleet(QStringLiteral("tg.vlf"), m_units);
        QVERIFY(m_doc);
        m_doc->SetModifiedFlag(false);
        Answers().Clear();
    }

    int Entries(const QString& imei, int nam, int id) const
    {
        QSqlQuery q(m_doc->Database());
        q.prepare(
            QStringLiteral("SELECT COUNT(*) FROM unit_tg_details WHERE unit_imei_num = ? AND unit_nam = ? "
                           "AND unit_tg_id = ?"));
        q.addBindValue(imei);
        q.addBindValue(nam);
        q.addBindValue(id);
        return q.exec() && q.next() ? q.value(0).toInt() : -1;
    }

    // Types a talkgroup into the last row of the talkgroup grid and leaves the row with Tab.
    void TypeTalkgroup(CTGDlg& view, const QString& name, const QString& id)
    {
        CVelmoraGridWnd* grid = view.Talkgroups();
        const int row = grid->RowCount();
        grid->SetValue(row, CTGDlg::NameCol, name);
        grid->SetValue(row, CTGDlg::IdCol, id);
        grid->SetCurrentCell(row, CTGDlg::IdCol);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Tab);
    }

private Q_SLOTS:
    void cleanup()
    {
        if (m_doc)
            m_doc->OnCloseDocument();
        m_doc.reset();
    }

    void showingRebuildsTheIndexAndListsTheNam()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        QCOMPARE(view.Units()->RowCount(), 4);
        // NAM1 has no talkgroup yet: only the empty row for a new one.
        QCOMPARE(view.Talkgroups()->RowCount(), 1);
        view.SetNam(2);
        QCOMPARE(Column(view.Talkgroups(), CTGDlg::IdCol), (QStringList{QStringLiteral("101"), QString()}));
        QCOMPARE(view.Members()->RowCount(), 4);
        QVERIFY(!m_doc->IsChanged());
    }

    void aTalkgroupTypedInIsStoredAndTakesUnits()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        TypeTalkgroup(view, QStringLiteral("Fire"), QStringLiteral("7"));
        QTRY_COMPARE(view.Talkgroups()->RowCount(), 2);
        QVERIFY(view.Talkgroups()->SetCurrentCell(1, CTGDlg::NameCol));
        QVERIFY(m_doc->IsModified());
        QVERIFY(view.Talkgroups()->Value(1, CTGDlg::KeyCol).toInt() > 0);

        view.AddUnitRows({1, 3});
        QCOMPARE(Column(view.Members(), 1), (QStringList{m_units.at(0).imei, m_units.at(2).imei}));
        QCOMPARE(Entries(m_units.at(0).imei, 1, 7), 1);
        QCOMPARE(Entries(m_units.at(1).imei, 1, 7), 0);
        view.AddAllUnits();
        QCOMPARE(view.Members()->RowCount(), 4);

        // A second talkgroup with the same id and name is refused.
        Answers().Clear();
        TypeTalkgroup(view, QStringLiteral("Fire"), QStringLiteral("7"));
        QCOMPARE(view.Talkgroups()->LastWarningId(), int(TalkgroupMsg::Duplicate));
        QCOMPARE(view.Talkgroups()->RowCount(), 2);
    }

    void aFullListCallsTheAddOffAndShowsTheUnit()
    {
        Open();
        QSqlQuery q(m_doc->Database());
        q.prepare(QStringLiteral(
            "INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, "
            "unit_loc_no, unit_program_flag, unit_language) VALUES (?, 1, ?, 'Old', ?, 1, 0)"));
        for (int location = 1; location <= 16; ++location) {
            q.addBindValue(m_units.at(2).imei);
            q.addBindValue(200 + location);
            q.addBindValue(location);
            QVERIFY(q.exec());
        }
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        view.SetNam(1);
        const int row = view.Talkgroups()->RowCount();
        view.Talkgroups()->SetValue(row, CTGDlg::NameCol, QStringLiteral("Fire"));
        view.Talkgroups()->SetValue(row, CTGDlg::IdCol, QStringLiteral("7"));
        view.Talkgroups()->SetCurrentCell(row, CTGDlg::NameCol);
        Answers().Clear();
        view.AddAllUnits();
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::ListFull});
        QCOMPARE(view.Units()->Value(view.Units()->CurrentRow(), 2), m_units.at(2).imei);
        QCOMPARE(view.Members()->RowCount(), 0);
        QCOMPARE(Entries(m_units.at(0).imei, 1, 7), 0);
        // The talkgroup itself was stored before the add.
        QVERIFY(view.Talkgroups()->Value(row, CTGDlg::KeyCol).toInt() > 0);
    }

    void addingNeedsATalkgroupAndNoCellInEdit()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        view.AddSelectedUnits();
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::NoTalkgroup});

        Answers().Clear();
        CVelmoraGridWnd* grid = view.Talkgroups();
        grid->SetCurrentCell(1, CTGDlg::NameCol);
        grid->edit(grid->currentIndex());
        QVERIFY(grid->IsEditing());
        view.AddAllUnits();
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::StillEditing});
        grid->CancelEdit();
    }

    void leavingWithABadRowDiscardsItWithMessage1686()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        CVelmoraGridWnd* grid = view.Talkgroups();
        grid->SetValue(1, CTGDlg::NameCol, QStringLiteral("No id"));
        grid->SetCurrentCell(1, CTGDlg::NameCol);
        QVERIFY(view.CanCloseView());
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::IdDiscarded});
        QCOMPARE(grid->Value(1, CTGDlg::NameCol), QString());

        // A good row is stored when the view is left.
        Answers().Clear();
        grid->SetValue(1, CTGDlg::NameCol, QStringLiteral("Kept"));
        grid->SetValue(1, CTGDlg::IdCol, QStringLiteral("9"));
        QVERIFY(view.FinishPendingWork());
        QVERIFY(Answers().Ids().isEmpty());
        QVERIFY(grid->Value(1, CTGDlg::KeyCol).toInt() > 0);
    }

    void switchingTabsLeavesTheViewAndShowsItAgain()
    {
        Open();
        QTabWidget tabs;
        tabs.addTab(new QWidget, QStringLiteral("Units"));
        auto* view = new CTGDlg(*m_doc, Settings());
        tabs.addTab(view, QStringLiteral("Talkgroups"));
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        QCOMPARE(view->Units()->RowCount(), 0); // not shown yet: nothing read
        tabs.setCurrentIndex(1);
        QCOMPARE(view->Units()->RowCount(), 4);
        QVERIFY(view->DisablesFrameCommand(FrameCmd::UpdateFleet));

        view->Talkgroups()->SetValue(1, CTGDlg::IdCol, QStringLiteral("0"));
        view->Talkgroups()->SetCurrentCell(1, CTGDlg::IdCol);
        tabs.setCurrentIndex(0);
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::IdDiscarded});
        QVERIFY(!view->DisablesFrameCommand(FrameCmd::UpdateFleet));

        // Units removed behind its back are there when the tab is shown again.
        QSqlQuery q(m_doc->Database());
        q.prepare(QStringLiteral("DELETE FROM unit_details WHERE unit_imei_num = ?"));
        q.addBindValue(m_units.at(0).imei);
        QVERIFY(q.exec());
        m_doc->SetChanged(true);
        tabs.setCurrentIndex(1);
        QCOMPARE(view->Units()->RowCount(), 3);
        QVERIFY(!m_doc->IsChanged());
    }

    void theIdCellRefusesValuesOutside1To255()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        CVelmoraGridWnd* grid = view.Talkgroups();
        grid->SetCurrentCell(1, CTGDlg::IdCol);
        grid->edit(grid->currentIndex());
        auto* editor = grid->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("300"));
        QVERIFY(!grid->EndEdit());
        QCOMPARE(grid->LastWarningId(), int(TalkgroupText::IdOutOfRange));
        QCOMPARE(grid->LastWarningText(), QStringLiteral("Please enter a value between 1 and 255"));
        grid->CancelEdit();
    }

    void membersAreRemovedAndTalkgroupsDeletedOnTheirNamOnly()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        view.SetNam(2);
        view.Members()->SetCurrentCell(2, 1);
        view.RemoveSelectedMembers();
        QCOMPARE(view.Members()->RowCount(), 3);
        QCOMPARE(Entries(m_units.at(1).imei, 2, 101), 0);
        QVERIFY(m_doc->IsModified());

        Answers().Script({IDYES});
        view.DeleteCurrentTalkgroup();
        QVERIFY(Answers().Saw(TalkgroupMsg::ConfirmDelete));
        QCOMPARE(Entries(m_units.at(0).imei, 2, 101), 0);
        QCOMPARE(Entries(m_units.at(0).imei, 3, 102), 1);
        QCOMPARE(view.Talkgroups()->RowCount(), 1);

        // Nothing left to delete.
        Answers().Clear();
        view.DeleteCurrentTalkgroup();
        QCOMPARE(Answers().Ids(), QList<int>{TalkgroupMsg::NothingToDelete});
    }

    void unitsDroppedOnTheMembersAreAdded()
    {
        Open();
        CTGDlg view(*m_doc, Settings());
        view.show();
        view.Activate();
        view.SetNam(3);
        view.Members()->SetCurrentCell(1, 1);
        view.RemoveAllMembers();
        QCOMPARE(view.Members()->RowCount(), 0);
        // The fourth unit's model has no NAM3 list.
        Q_EMIT view.Members()->RowsDropped(view.Units()->Model()->GridId(), {2, 3, 4}, 1);
        QCOMPARE(Column(view.Members(), 1), (QStringList{m_units.at(1).imei, m_units.at(2).imei}));
        // Rows of another grid are not units.
        Q_EMIT view.Members()->RowsDropped(view.Talkgroups()->Model()->GridId(), {1}, 1);
        QCOMPARE(view.Members()->RowCount(), 2);
    }

    void frameCommandsWhileShown()
    {
        Open();
        CTGDlg view(*m_doc, Settings(2));
        view.show();
        view.Activate();
        for (int id : {FrameCmd::WritePhone, FrameCmd::AppendFleet, FrameCmd::UnitsCommand,
                       FrameCmd::UpdateFleet, FrameCmd::AutoFill})
            QVERIFY(view.DisablesFrameCommand(id));
        QVERIFY(!view.DisablesFrameCommand(FrameCmd::ReadPhone));
        QVERIFY(view.CanRunCommand(FrameCmd::TalkgroupManager));
        QVERIFY(view.CanRunCommand(FrameCmd::Refresh));
        QVERIFY(!view.CanRunCommand(FrameCmd::DeleteTalkgroup)); // NAM1 has none
        view.SetNam(2);
        QVERIFY(view.CanRunCommand(FrameCmd::DeleteTalkgroup));
        QCOMPARE(view.CurrentNam(), 2);
    }
};

VELMORA_TEST_MAIN(TestTGDlg)
#include "tst_tg_dlg.moc"
