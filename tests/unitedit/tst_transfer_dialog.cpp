// The phone-book transfer dialog: its buttons on selected rows, Cancel after moves, OK that fails and
// keeps the dialog, the panes the carrier hides, the hint, and its keys.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000061");

using D = CTransferPhoneBookDataDlg;

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

} // namespace

class TestTransferDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    CUnitSheetUnit Unit() const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = 3;
        unit.profile.capacities.phoneBook = 10;
        unit.profile.capacities.privateList = {8, 0, 0};
        return unit;
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

    QList<QList<QVariantList>> Everything() const
    {
        QList<QList<QVariantList>> all;
        for (const char* t : {"unit_phone_details", "unit_private_details", "unit_consolid_call_list"})
            all << CFleetFixtures::Rows(Db(), t)
                << CFleetFixtures::Rows(Db(), QStringLiteral("%1_tmp").arg(t));
        return all;
    }

    std::unique_ptr<D> Dialog(const CTransferOptions& options = {})
    {
        auto dialog = std::make_unique<D>(Unit(), options);
        if (!dialog->Load())
            return nullptr;
        dialog->show();
        return dialog;
    }

    static void Select(D& dialog, int grid, const QList<int>& rows)
    {
        CVelmoraGridWnd* g = dialog.Grid(grid);
        g->clearSelection();
        for (int row : rows)
            g->selectionModel()->select(g->Model()->index(CVelmoraGridModel::ModelRow(row), 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

private Q_SLOTS:
    void init()
    {
        Answers().Clear();
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        for (const char* t : {"unit_phone_details", "unit_private_details", "unit_consolid_call_list"})
            Exec(QStringLiteral("DELETE FROM %1_tmp").arg(t));
        Exec("INSERT INTO unit_phone_details_tmp (unit_imei_num, unit_speed_dial, unit_name, unit_phone_num, "
             "unit_program_flag, unit_language) VALUES (?, 2, 'Ann', '0501', 1, 0)",
             {kImei});
        Exec("INSERT INTO unit_private_details_tmp (unit_imei_num, unit_nam, unit_urban_id, unit_fleet_id, "
             "unit_member_id, unit_name, unit_loc_no, unit_program_flag, unit_language) "
             "VALUES (?, 1, 0, 0, 44, 'Ann', 3, 1, 0)",
             {kImei});
        Exec("INSERT INTO unit_consolid_call_list_tmp (unit_imei_num, unit_name, unit_num, unit_num_type, "
             "unit_nameIndex, unit_rec_num) VALUES (?, 'Dee', '0777', 2, 1, 1)",
             {kImei});
    }

    void showsTheListsAndSaysWhatIsMissing()
    {
        auto dialog = Dialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->Grid(D::PhoneGrid)->Value(2, 1), QStringLiteral("Ann"));
        QCOMPARE(dialog->Grid(D::PrivateGrid)->Value(3, 2), QStringLiteral("44"));
        QCOMPARE(dialog->Grid(D::ConsolGrid)->RowCount(), 250);
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(1, 1), QStringLiteral("1"));
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(1, 4), QStringLiteral("0777"));
        // The lists are not edited here.
        QVERIFY(
            !(dialog->Grid(D::PhoneGrid)->Model()->flags(dialog->Grid(D::PhoneGrid)->Model()->index(1, 0)) &
              Qt::ItemIsEditable));
        // Nothing selected: each button says so.
        for (int button : {D::MovePhoneBook, D::MovePrivate, D::MoveBack, D::ClearConsol})
            dialog->PressButton(button);
        QCOMPARE(Answers().Ids(), (QList<int>{1784, 1785, 1786, 1602}));
        // The simple lists' clear buttons wait for a move.
        QVERIFY(!dialog->Button(D::ClearPhoneBook)->isEnabled());
        QVERIFY(!dialog->Button(D::ClearPrivate)->isEnabled());
        QVERIFY(dialog->Button(D::ClearConsol)->isEnabled());
    }

    void cancelAfterMovesLeavesAllThreeLists()
    {
        const auto before = Everything();
        auto dialog = Dialog();
        QVERIFY(dialog);
        Select(*dialog, D::PhoneGrid, {2});
        dialog->PressButton(D::MovePhoneBook);
        QVERIFY(dialog->Button(D::ClearPhoneBook)->isEnabled());
        dialog->PressButton(D::ClearPhoneBook);
        Select(*dialog, D::PrivateGrid, {3});
        dialog->PressButton(D::MovePrivate);
        QVERIFY(dialog->Button(D::ClearPrivate)->isEnabled());
        Select(*dialog, D::ConsolGrid, {1});
        dialog->PressButton(D::MoveBack);
        dialog->PressButton(D::ClearConsol);
        QVERIFY(Answers().Ids().isEmpty());
        // Ann's phone number and private id share one index, after Dee's.
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(2, 2), QStringLiteral("Ann"));
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(2, 1), QStringLiteral("2"));
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(3, 1), QStringLiteral("2"));
        QCOMPARE(dialog->Grid(D::ConsolGrid)->Value(3, 4), QStringLiteral("44"));
        QVERIFY(dialog->Grid(D::ConsolGrid)->Value(1, 2).isEmpty());
        QCOMPARE(dialog->Grid(D::PhoneGrid)->Value(1, 1), QStringLiteral("Dee"));
        QTest::keyClick(dialog->Grid(D::ConsolGrid), Qt::Key_Escape);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(Everything(), before);
    }

    void okThatFailsKeepsTheDialogAndTheLists()
    {
        const auto before = Everything();
        auto dialog = Dialog();
        QVERIFY(dialog);
        Select(*dialog, D::PhoneGrid, {2});
        dialog->PressButton(D::MovePhoneBook);
        dialog->PressButton(D::ClearPhoneBook);
        Exec("CREATE TRIGGER refuse BEFORE INSERT ON unit_consolid_call_list_tmp "
             "BEGIN SELECT RAISE(ABORT, 'consolidated list refused'); END");
        dialog->Button(D::OkButton)->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(Answers().Count(), 1);
        QVERIFY(Answers().Messages().first().text.contains("consolidated list refused"));
        QCOMPARE(Everything(), before);
        QCOMPARE(dialog->focusWidget(), dialog->Grid(D::ConsolGrid));

        // Put right, Enter in a list is OK: both changed lists are written.
        Exec("DROP TRIGGER refuse");
        QTest::keyClick(dialog->Grid(D::ConsolGrid), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details_tmp", kImei), 0);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list_tmp", kImei), 2);
        // The tables themselves wait for the sheet.
        QCOMPARE(Everything()[0], before[0]);
        QCOMPARE(Everything()[4], before[4]);
    }

    void panesHintAndKeys()
    {
        CTransferOptions hidden;
        hidden.hideSimpleList = true;
        hidden.modelList = QStringLiteral("q700 Field\t70\nAlder A5\t105\n");
        auto dialog = Dialog(hidden);
        QVERIFY(dialog);
        QVERIFY(dialog->Pane(D::PhoneGrid)->isHidden());
        QVERIFY(dialog->Pane(D::PrivateGrid)->isHidden());
        QVERIFY(!dialog->Pane(D::ConsolGrid)->isHidden());
        QVERIFY(dialog->Button(D::MoveBack)->isHidden());
        QVERIFY(dialog->Hint()->isHidden());
        // The lists come from the tables then.
        QCOMPARE(dialog->Transfer().TableOf(CPhoneBookTransfer::PhoneBook),
                 QStringLiteral("unit_phone_details"));

        auto plain = Dialog();
        QVERIFY(plain);
        QVERIFY(!plain->Hint()->isHidden());
        QCOMPARE(plain->Hint()->text(), CVelmoraWrap::LoadString(1855));
        // Tab goes from a list to its buttons, not from cell to cell; the disabled clear button is
        // passed over.
        QApplication::setActiveWindow(plain.get());
        plain->Grid(D::PhoneGrid)->setFocus();
        QTest::keyClick(plain->Grid(D::PhoneGrid), Qt::Key_Tab);
        QCOMPARE(plain->focusWidget(), plain->Button(D::MovePhoneBook));
        QTest::keyClick(plain->focusWidget(), Qt::Key_Tab);
        QCOMPARE(plain->focusWidget(), plain->Grid(D::PrivateGrid));
        QTest::keyClick(plain->focusWidget(), Qt::Key_Backtab);
        QCOMPARE(plain->focusWidget(), plain->Button(D::MovePhoneBook));
    }
};

VELMORA_TEST_MAIN(TestTransferDialog)
#include "tst_transfer_dialog.moc"
