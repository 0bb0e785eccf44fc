// The units grid window: typing units in, rows refused and kept, deleting by key and command,
// Home and End, double-clicks, and dragging units to another fleet.

#include "CChildFrame.h"
#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CFrameSettings.h"
#include "CMainFrame.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitCascade.h"
#include "CUnitsColumns.h"
#include "CUnitsFeature.h"
#include "CUnitsFixture.h"
#include "CUnitsView.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IAppendQuestion.h"
#include "UnitsMessageIds.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using C = CUnitsColumns;

namespace {

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}

class CAnswerAll : public IAppendQuestion
{
public:
    int answer = Overwrite;
    int asked = 0;
    int AskOverwrite(const QString&) override
    {
        ++asked;
        return answer;
    }
};

// The copy engine carries only the personalisation table of the unit's model.
bool OtherModelsTable(const QString& table, int modelType)
{
    return CFleetSchema::Find(table)->IsPersonalize() &&
           table != CFleetSchema::PersonalizeTableFor(modelType);
}

// Every row of a unit that a copy carries, table by table; record numbers a fleet gives itself are
// left out.
QMap<QString, QList<QVariantList>> UnitRows(const QSqlDatabase& db, const CUnitSpec& unit)
{
    QMap<QString, QList<QVariantList>> rows;
    for (const QString& table : CUnitCascade::DeleteTables()) {
        if (OtherModelsTable(table, unit.modelType))
            continue;
        const QStringList skip = table == QLatin1String("unit_consolid_call_list")
                                     ? QStringList()
                                     : QStringList{QStringLiteral("unit_rec_num")};
        rows.insert(table, CFleetFixtures::Rows(db, table, unit.imei, skip));
    }
    return rows;
}

// Shows each message as the program does, in a modal dialog over the grid (the box takes the focus and
// runs its own event loop), closes it at once and lets the scripted answerer record and answer it.
class CModalAnswerer : public IVelmoraAnswerer
{
public:
    CModalAnswerer() : m_previous(CVelmoraWrap::SetAnswerer(this)) {}
    ~CModalAnswerer() override { CVelmoraWrap::SetAnswerer(m_previous); }
    int Answer(const CVelmoraMessage& message) override
    {
        QWidget* window = QApplication::activeWindow();
        QDialog box(window);
        box.setModal(true);
        QTimer::singleShot(0, &box, &QDialog::accept);
        box.exec();
        // A window manager gives the activation back to the window under the box.
        if (window)
            QApplication::setActiveWindow(window);
        return CScriptedAnswerer::Instance().Answer(message);
    }

private:
    IVelmoraAnswerer* m_previous;
};

} // namespace

Q_DECLARE_METATYPE(CUnitOpenInfo)

class TestUnitsView : public QObject
{
    Q_OBJECT

private:
    CUnitsFixture m_fixture;
    CScriptedNewUnitPrompt m_prompt;

    std::unique_ptr<CUnitsView> View(CVelmoraDoc& doc)
    {
        auto view = std::make_unique<CUnitsView>(doc, CUnitsFixture::Settings());
        view->SetNewUnitPrompt(&m_prompt);
        view->resize(1100, 420);
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        return view;
    }

    static QLineEdit* LineEditor(CUnitsView& view)
    {
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    // Selects whole rows first..last, as a click and shift-click on the row headers do.
    static void SelectRows(CUnitsView& view, int first, int last)
    {
        const QItemSelection rows(view.Model()->index(first - 1, 0),
                                  view.Model()->index(last - 1, C::Count - 1));
        view.selectionModel()->select(rows, QItemSelectionModel::Select);
    }

    static void DoubleClick(CUnitsView& view, int row, int col)
    {
        const QRect cell = view.visualRect(view.Model()->index(row - 1, col - 1));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    }

private Q_SLOTS:
    void init()
    {
        Answers().Clear();
        m_prompt = CScriptedNewUnitPrompt();
        CVelmoraWrap::SetRegistryValue("Show Msg", "0");
    }

    void aUnitIsTypedIntoTheAppendRowOfAnEmptyFleet()
    {
        auto doc = m_fixture.OpenFleet("typed.vlf", {});
        QVERIFY(doc);
        auto view = View(*doc);
        QCOMPARE(view->Model()->rowCount(), 1);
        QCOMPARE(view->CurrentRow(), 1);
        QCOMPARE(view->CurrentCol(), 1);

        // The first key opens the cell's editor, which takes the rest.
        QTest::keyClick(view.get(), 'D');
        QVERIFY(view->IsEditing());
        QTest::keyClicks(LineEditor(*view), "ana");
        QTest::keyClick(LineEditor(*view), Qt::Key_Tab);
        QCOMPARE(view->CurrentCol(), int(C::Imei));
        // Only digits go into the IMEI; the letter is refused with the grid's warning.
        QTest::keyClicks(LineEditor(*view), "35123456x7890123");
        QCOMPARE(view->CurrentText(), QString("351234567890123"));
        QCOMPARE(Answers().Messages().size(), 1);
        QCOMPARE(Answers().Messages().first().text, CVelmoraWrap::LoadString(1413).arg("0-9"));
        Answers().Clear();
        QTest::keyClick(LineEditor(*view), Qt::Key_Tab);
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(combo);
        combo->setCurrentIndex(combo->findData("105"));
        QTest::keyClick(combo, Qt::Key_Tab);
        // On through the number, private id, cross-fleet and fax cells to the address, and past it.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(view->CurrentCol(), int(C::IpAddress));
        QTest::keyClicks(LineEditor(*view), "010.000.000.001");
        QTest::keyClick(LineEditor(*view), Qt::Key_Tab);

        QCOMPARE(Answers().Count(), 0);
        QCOMPARE(view->Model()->rowCount(), 2);
        QCOMPARE(view->CurrentRow(), 2);
        QCOMPARE(view->CurrentCol(), int(C::UserName));
        QCOMPARE(CUnitsFixture::Field(*doc, "351234567890123", "unit_user_name").toString(), QString("Dana"));
        QCOMPARE(CUnitsFixture::Field(*doc, "351234567890123", "unit_ip_address").toString(),
                 QString("10.0.0.1"));
        QVERIFY(doc->IsModified() && doc->IsChanged());
    }

    void aRefusedRowKeepsItsValuesUntilEscape()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(1);
        auto doc = m_fixture.OpenFleet("refused.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        CUnitsTableModel& model = *view->Model();
        QVERIFY(view->SetCurrentCell(2, C::UserName));
        QVERIFY(model.SetCellText(2, C::UserName, "Eve"));
        QVERIFY(model.SetCellText(2, C::Imei, "35123456789012"));
        QVERIFY(model.SetCellText(2, C::ModelType, "105"));

        QVERIFY(!view->SetCurrentCell(1, C::UserName));
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ImeiTooShort});
        QCOMPARE(view->CurrentRow(), 2);
        QCOMPARE(view->CurrentCol(), int(C::Imei));
        QCOMPARE(model.Value(2, C::UserName), QString("Eve"));

        // A 65536 private id is refused with the allowed range.
        Answers().Clear();
        QVERIFY(model.SetCellText(2, C::Imei, "351234567890123"));
        QVERIFY(model.SetCellText(2, C::DisplayPrivateId, "65536"));
        QVERIFY(!view->SetCurrentCell(1, C::UserName));
        QCOMPARE(Answers().Messages().size(), 1);
        QCOMPARE(Answers().Messages().first().text, CVelmoraWrap::LoadString(1645).arg("1", "65535"));
        QCOMPARE(view->CurrentCol(), int(C::DisplayPrivateId));

        QTest::keyClick(view.get(), Qt::Key_Escape);
        QVERIFY(!model.IsRecordEditing());
        QCOMPARE(model.Value(2, C::UserName), QString());
        QVERIFY(view->SetCurrentCell(1, C::UserName));
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 1);
    }

    void aShortImeiBringsOneMessageAndTheEditorBackOnItsCell()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("short.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        CModalAnswerer boxes;
        QVERIFY(view->SetCurrentCell(1, C::UserName));
        QTest::keyClick(view.get(), 'A');
        QTest::keyClicks(LineEditor(*view), "nn");
        QTest::keyClick(LineEditor(*view), Qt::Key_Tab);
        QCOMPARE(view->CurrentCol(), int(C::Imei));
        QTest::keyClick(LineEditor(*view), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(LineEditor(*view), "12345");
        QTest::keyClick(LineEditor(*view), Qt::Key_Down);
        QCoreApplication::processEvents();

        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ImeiTooShort});
        QCOMPARE(view->CurrentRow(), 1);
        QCOMPARE(view->CurrentCol(), int(C::Imei));
        QTRY_VERIFY(view->IsEditing());
        QVERIFY(LineEditor(*view));
        QCOMPARE(LineEditor(*view)->geometry().center(), view->visualRect(view->currentIndex()).center());
        QCOMPARE(view->CurrentText(), QString("12345"));
        QCOMPARE(view->selectionModel()->selectedIndexes(), QModelIndexList{view->currentIndex()});

        // The refusal was said once: arrows do not bring it back while the text stays as it was.
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
        }
        QCOMPARE(Answers().Count(), 1);
        QCOMPARE(view->CurrentRow(), 1);
        QCOMPARE(view->CurrentCol(), int(C::Imei));
        QCOMPARE(view->selectionModel()->selectedIndexes(), QModelIndexList{view->currentIndex()});

        // Escape drops the cell's edit, then the row's unsaved edits; the stored unit stays.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!view->IsEditing());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!view->Model()->IsRecordEditing());
        QCOMPARE(view->Model()->Value(1, C::Imei), units[0].imei);
        QCOMPARE(view->Model()->Value(1, C::UserName), units[0].user);
        QCOMPARE(view->Model()->Value(2, C::Imei), units[1].imei);
        QCOMPARE(CUnitsFixture::Field(*doc, units[0].imei, "unit_user_name").toString(), units[0].user);
        QCOMPARE(Answers().Count(), 1);
        QTest::keyClick(view.get(), Qt::Key_Down);
        QCOMPARE(view->CurrentRow(), 2);
        QCOMPARE(Answers().Count(), 1);
    }

    void aFixedImeiIsStoredWhenTheRowIsLeftAgain()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("fixed.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        CModalAnswerer boxes;
        QVERIFY(view->SetCurrentCell(1, C::Imei));
        QTest::keyClick(view.get(), '1');
        QTest::keyClick(LineEditor(*view), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(LineEditor(*view), "12345");
        QTest::keyClick(LineEditor(*view), Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(Answers().Count(), 1);
        QTRY_VERIFY(LineEditor(*view));

        // Still too short after a change: one message more, and back again.
        QTest::keyClicks(LineEditor(*view), "6");
        QTest::keyClick(LineEditor(*view), Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(Answers().Ids(), (QList<int>{UnitsMsg::ImeiTooShort, UnitsMsg::ImeiTooShort}));
        QTRY_VERIFY(LineEditor(*view));
        QCOMPARE(view->CurrentRow(), 1);

        QTest::keyClicks(LineEditor(*view), "789012345");
        QCOMPARE(view->CurrentText(), QString("123456789012345"));
        QTest::keyClick(LineEditor(*view), Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(Answers().Count(), 2);
        QCOMPARE(view->CurrentRow(), 2);
        QVERIFY(!view->Model()->IsRecordEditing());
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", "123456789012345"), 1);
    }

    void lettersInADigitsCellAreRefusedWithTheGridsWarning()
    {
        auto doc = m_fixture.OpenFleet("letters.vlf", CFleetFixtures::Units(1));
        QVERIFY(doc);
        auto view = View(*doc);
        QVERIFY(view->SetCurrentCell(2, C::Imei));
        QTest::keyClick(view.get(), '3');
        QVERIFY(LineEditor(*view));
        QTest::keyClicks(LineEditor(*view), "5");
        QTest::keyClicks(LineEditor(*view), "abc");
        const QString warning = CVelmoraWrap::LoadString(1413).arg("0-9");
        QCOMPARE(Answers().Messages().size(), 1);
        QCOMPARE(Answers().Messages().first().text, warning);
        QCOMPARE(view->CurrentText(), QString("35"));

        // Digits end the burst; the next refused letter says it again.
        QTest::keyClicks(LineEditor(*view), "1x");
        QCOMPARE(Answers().Count(), 2);
        QCOMPARE(view->CurrentText(), QString("351"));

        // A letter as the first key of a closed cell does not open it with the letter in it.
        view->CancelEdit();
        Answers().Clear();
        QVERIFY(view->SetCurrentCell(2, C::PhoneNam1));
        QTest::keyClick(view.get(), 'q');
        QCOMPARE(Answers().Messages().size(), 1);
        QCOMPARE(Answers().Messages().first().text, CVelmoraWrap::LoadString(1413).arg("0-9,#,*"));
        QVERIFY(view->CurrentText().isEmpty());
        // Names take letters without a word.
        QVERIFY(view->SetCurrentCell(2, C::UserName));
        QTest::keyClick(view.get(), 'B');
        QTest::keyClicks(LineEditor(*view), "ob");
        QCOMPARE(Answers().Count(), 1);
        QCOMPARE(view->CurrentText(), QString("Bob"));
    }

    void theDeleteKeyDeletesWholeSelectedRows()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(4);
        auto doc = m_fixture.OpenFleet("delete.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        const int members = CUnitsFixture::Count(*doc, "talk_grp_detail");

        // A selected cell is not a selected row: Delete leaves the units alone.
        QVERIFY(view->SetCurrentCell(2, C::UserName));
        QTest::keyClick(view.get(), Qt::Key_Delete);
        QCOMPARE(Answers().Count(), 0);

        SelectRows(*view, 1, 2);
        Answers().Script({IDNO});
        QTest::keyClick(view.get(), Qt::Key_Delete);
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ConfirmDelete});
        QCOMPARE(Answers().Messages().first().type, VMT_YESNO);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 4);

        Answers().Clear();
        Answers().Script({IDYES});
        SelectRows(*view, 1, 2);
        QTest::keyClick(view.get(), Qt::Key_Delete);
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ConfirmDelete});
        for (const QString& table : CUnitCascade::DeleteTables()) {
            QVERIFY2(CUnitsFixture::Count(*doc, table, units[0].imei) == 0, qPrintable(table));
            QVERIFY2(CUnitsFixture::Count(*doc, table, units[1].imei) == 0, qPrintable(table));
        }
        QCOMPARE(CUnitsFixture::Count(*doc, "talk_grp_detail"), members);
        QCOMPARE(view->Model()->rowCount(), 3);
        QCOMPARE(view->CurrentRow(), 1);
        QCOMPARE(view->Model()->StoredImei(1), units[2].imei);
        QVERIFY(doc->IsModified());
    }

    void theDeleteCommandWaitsForTheCellBeingEdited()
    {
        auto doc = m_fixture.OpenFleet("command.vlf", CFleetFixtures::Units(2));
        QVERIFY(doc);
        auto view = View(*doc);
        QVERIFY(view->CanRunCommand(FrameCmd::UnitsCommand));
        QVERIFY(!view->CanRunCommand(FrameCmd::TalkgroupManager));
        QTest::keyClicks(view.get(), "X");
        QVERIFY(view->IsEditing() && view->IsEditingCell());
        QVERIFY(!view->CanRunCommand(FrameCmd::UnitsCommand));
        view->DeleteSelectedUnits();
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::DeleteWhileEditing});
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 2);

        // The command deletes the rows the selection touches, after the question.
        view->CancelEdit();
        Answers().Clear();
        Answers().Script({IDYES});
        QVERIFY(view->SetCurrentCell(2, C::Imei));
        view->RunCommand(FrameCmd::UnitsCommand);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 1);
    }

    void homeAndEndMoveAlongTheRow()
    {
        auto doc = m_fixture.OpenFleet("keys.vlf", CFleetFixtures::Units(3));
        QVERIFY(doc);
        auto view = View(*doc);
        QVERIFY(view->SetCurrentCell(2, C::ModelType));
        QTest::keyClick(view.get(), Qt::Key_End);
        QCOMPARE(view->CurrentRow(), 2);
        QCOMPARE(view->CurrentCol(), int(C::IpAddress));
        QTest::keyClick(view.get(), Qt::Key_Home);
        QCOMPARE(view->CurrentRow(), 2);
        QCOMPARE(view->CurrentCol(), int(C::UserName));
        QTest::keyClick(view.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view->CurrentRow(), 4); // the append row
    }

    void aDoubleClickOpensStoredUnitsOnly()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("open.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        qRegisterMetaType<CUnitOpenInfo>();
        QSignalSpy opened(view.get(), &CUnitsView::openUnitRequested);
        DoubleClick(*view, 2, C::Imei);
        QCOMPARE(opened.size(), 1);
        const CUnitOpenInfo info = opened.first().first().value<CUnitOpenInfo>();
        QCOMPARE(info.imei, units[1].imei);
        QCOMPARE(info.modelType, units[1].modelType);
        QVERIFY(!view->IsEditing());

        DoubleClick(*view, 3, C::Imei);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::RowNotStored});

        // After a refused row the double-click edits the cell instead, once.
        Answers().Clear();
        QVERIFY(view->Model()->SetCellText(1, C::Imei, "123"));
        QVERIFY(!view->SetCurrentCell(2, C::Imei));
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ImeiTooShort});
        QVERIFY(view->Model()->StoreFailed());
        view->OpenUnit(1);
        QCOMPARE(opened.size(), 1);
        QVERIFY(!view->Model()->StoreFailed());
    }

    void draggedUnitsAreCopiedOrMovedWithTheirLists()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(3);
        for (CUnitSpec& u : units)
            u.allPersonalize = true;
        auto source = m_fixture.OpenFleet("source.vlf", units);
        auto target = m_fixture.OpenFleet("target.vlf", {});
        auto other = m_fixture.OpenFleet("other.vlf", {});
        QVERIFY(source && target && other);
        auto sourceView = View(*source);
        auto targetView = View(*target);
        auto otherView = View(*other);
        CAnswerAll question;
        targetView->SetAppendQuestion(&question);

        // Two blocks of rows cannot be dragged.
        SelectRows(*sourceView, 1, 1);
        SelectRows(*sourceView, 3, 3);
        QVERIFY(!sourceView->DragData());
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::DragOneRange});

        sourceView->clearSelection();
        SelectRows(*sourceView, 1, 2);
        std::unique_ptr<QMimeData> data(sourceView->DragData());
        QVERIFY(data);
        // Dropped back on its own grid, nothing happens.
        QVERIFY(!sourceView->DropUnits(data.get(), false));

        QVERIFY(targetView->DropUnits(data.get(), false));
        QCOMPARE(targetView->Model()->rowCount(), 3);
        QCOMPARE(CUnitsFixture::Count(*source, "unit_details"), 3);
        QList<QMap<QString, QList<QVariantList>>> dragged;
        for (int i = 0; i < 2; ++i) {
            dragged << UnitRows(source->Database(), units[i]);
            for (auto it = dragged[i].cbegin(); it != dragged[i].cend(); ++it)
                QVERIFY2(!it.value().isEmpty(), qPrintable(it.key())); // every list has something to copy
            QCOMPARE(UnitRows(target->Database(), units[i]), dragged[i]);
        }

        // Moving (Shift) takes them out of the source fleet; a unit already there is asked about.
        QVERIFY(otherView->DropUnits(data.get(), true));
        QCOMPARE(otherView->Model()->rowCount(), 3);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(UnitRows(other->Database(), units[i]), dragged[i]);
            for (const QString& t : CUnitCascade::DeleteTables()) {
                // The copy engine deletes the personalisation table of the unit's own model.
                if (OtherModelsTable(t, units[i].modelType))
                    continue;
                QVERIFY2(CUnitsFixture::Count(*source, t, units[i].imei) == 0, qPrintable(t));
            }
        }
        QCOMPARE(sourceView->Model()->rowCount(), 2);
        QCOMPARE(sourceView->Model()->StoredImei(1), units[2].imei);
        QVERIFY(source->IsModified() && other->IsModified());
        QCOMPARE(question.asked, 0);
    }

    void unitsDraggedOverAnotherFleetAreCopiedOrWithShiftMoved()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto source = m_fixture.OpenFleet("eventsource.vlf", units);
        auto target = m_fixture.OpenFleet("eventtarget.vlf", {});
        QVERIFY(source && target);
        auto sourceView = View(*source);
        auto targetView = View(*target);
        SelectRows(*sourceView, 1, 1);
        std::unique_ptr<QMimeData> data(sourceView->DragData());
        QVERIFY(data);
        const QPoint at = targetView->viewport()->rect().center();

        QDragEnterEvent copy(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(targetView->viewport(), &copy);
        QVERIFY(copy.isAccepted());
        QCOMPARE(copy.dropAction(), Qt::CopyAction);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                            Qt::ShiftModifier);
        QApplication::sendEvent(targetView->viewport(), &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(move.dropAction(), Qt::MoveAction);
        // Not over its own grid.
        QDragEnterEvent own(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(sourceView->viewport(), &own);
        QVERIFY(!own.isAccepted());

        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(targetView->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::MoveAction);
        QCOMPARE(CUnitsFixture::Count(*target, "unit_details"), 1);
        QCOMPARE(CUnitsFixture::Count(*source, "unit_details"), 1);
        QCOMPARE(sourceView->Model()->StoredImei(1), units[1].imei);

        // Nor dropped on its own grid.
        QDropEvent again(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(sourceView->viewport(), &again);
        QVERIFY(!again.isAccepted());
    }

    void theCrossFleetCheckBoxTogglesByClickAndSpace()
    {
        auto doc = m_fixture.OpenFleet("crossfleet.vlf", CFleetFixtures::Units(1));
        QVERIFY(doc);
        auto view = View(*doc);
        const QString before = view->Model()->Value(1, C::CrossFleet);
        const QModelIndex cell = view->Model()->index(0, C::CrossFleet - 1);
        QCOMPARE(cell.data(Qt::CheckStateRole).toInt(), int(before == "1" ? Qt::Checked : Qt::Unchecked));
        view->scrollTo(cell);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QVERIFY(view->Model()->IsRecordEditing());
        QCOMPARE(cell.data(Qt::CheckStateRole).toInt(), int(before == "1" ? Qt::Unchecked : Qt::Checked));
        QVERIFY(!view->IsEditing()); // a check box opens no editor
        QVERIFY(view->SetCurrentCell(1, C::CrossFleet));
        QTest::keyClick(view.get(), Qt::Key_Space);
        QCOMPARE(cell.data(Qt::CheckStateRole).toInt(), int(before == "1" ? Qt::Checked : Qt::Unchecked));
    }

    void aRowTypedInTheTargetIsStoredBeforeUnitsAreDropped()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(1);
        auto source = m_fixture.OpenFleet("dragsource.vlf", units);
        auto target = m_fixture.OpenFleet("dragtarget.vlf", {});
        QVERIFY(source && target);
        auto sourceView = View(*source);
        auto targetView = View(*target);
        SelectRows(*sourceView, 1, 1);
        std::unique_ptr<QMimeData> data(sourceView->DragData());
        QVERIFY(data);

        QVERIFY(targetView->Model()->SetCellText(1, C::UserName, "Half typed"));
        QVERIFY(!targetView->DropUnits(data.get(), false));
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ImeiTooShort});
        QCOMPARE(CUnitsFixture::Count(*target, "unit_details"), 0);
        QVERIFY(targetView->Model()->IsRecordEditing());

        QVERIFY(targetView->Model()->SetCellText(1, C::Imei, "351234567890123"));
        QVERIFY(targetView->Model()->SetCellText(1, C::ModelType, "105"));
        QVERIFY(targetView->DropUnits(data.get(), false));
        QCOMPARE(CUnitsFixture::Count(*target, "unit_details"), 2);
        QCOMPARE(targetView->Model()->rowCount(), 3);
    }

    void aNewUnitReadFromThePhoneReplacesTheTypedRow()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("phone.vlf", {units[0]});
        QVERIFY(doc);
        auto view = View(*doc);
        // The read command brings the phone's unit into the fleet, which reloads its grids.
        view->SetReadPhoneHandler([&] {
            QVERIFY(CFleetFixtures::AddUnit(doc->Database(), units[1]));
            doc->RefreshUnitsViews();
        });
        CVelmoraWrap::SetRegistryValue("Show Msg", "1");
        m_prompt.answer = {true, INewUnitPrompt::FromPhone, false};
        QVERIFY(view->SetCurrentCell(2, C::UserName));
        QVERIFY(view->Model()->SetCellText(2, C::UserName, "Typed"));
        QVERIFY(view->Model()->SetCellText(2, C::Imei, "351234567890123"));
        QVERIFY(view->Model()->SetCellText(2, C::ModelType, "105"));
        QVERIFY(!view->SetCurrentCell(1, C::Imei));
        QCOMPARE(m_prompt.asked, 1);
        QVERIFY(m_prompt.lastPhoneChoiceAvailable);
        QCOMPARE(view->Model()->rowCount(), 3);
        QCOMPARE(view->Model()->StoredImei(2), units[1].imei);
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details", "351234567890123"), 0);
        QCOMPARE(view->CurrentRow(), 1);
        QCOMPARE(view->CurrentCol(), int(C::UserName));
    }

    void theDocumentRefreshesItsViews()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        auto doc = m_fixture.OpenFleet("refresh.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        QVERIFY(!doc->AnyViewEditing());
        QTest::keyClicks(view.get(), "Z");
        QVERIFY(doc->AnyViewEditing());
        view->CancelEdit();
        QVERIFY(!CUnitCascade::DeleteUnit(doc->Database(), units[0].imei).IsError());
        doc->RefreshUnitsViews();
        QCOMPARE(view->Model()->rowCount(), 2);
        QCOMPARE(view->Model()->StoredImei(1), units[1].imei);
        QCOMPARE(view->CurrentRow(), 1);
    }

    // A units grid closed in the middle of an edit takes the open editor with it: the typed text is
    // neither checked nor written, nothing is said, and the fleet stays as it was.
    void aViewClosedDuringAnEditWritesNothing()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(1);
        auto doc = m_fixture.OpenFleet("closed.vlf", units);
        QVERIFY(doc);
        const QVariant name = CUnitsFixture::Field(*doc, units[0].imei, "unit_user_name");
        // A name that passes, then an IMEI too short to pass, in the grid's own window and in a page.
        const QList<QPair<int, QString>> edits{{C::UserName, "Zed"}, {C::Imei, "35"}};
        for (const auto& [col, text] : edits) {
            for (const bool own : {true, false}) {
                Answers().Clear();
                QWidget page;
                auto* layout = new QVBoxLayout(&page);
                layout->addWidget(new QLineEdit(&page));
                auto view = View(*doc);
                if (!own) {
                    layout->addWidget(view.get());
                    page.show();
                    QApplication::setActiveWindow(&page);
                }
                QVERIFY(view->SetCurrentCell(1, col));
                view->setFocus();
                QTest::keyClick(view.get(), '3');
                QVERIFY(view->IsEditing());
                QPointer<QWidget> editor = QApplication::focusWidget();
                QVERIFY(qobject_cast<QLineEdit*>(editor));
                qobject_cast<QLineEdit*>(editor)->setText(text);
                view.reset();
                QVERIFY(editor.isNull());
                QApplication::processEvents();
                QCOMPARE(Answers().Count(), 0);
                QVERIFY(doc->Views().empty());
                QCOMPARE(CUnitsFixture::Field(*doc, units[0].imei, "unit_user_name"), name);
                QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 1);
            }
        }
    }

    void aUnitJustReadIsSelectedAndScrolledTo()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(60);
        auto doc = m_fixture.OpenFleet("shown.vlf", units);
        QVERIFY(doc);
        auto view = View(*doc);
        // A gap in the record numbers: rows count the units before, not the numbers.
        QVERIFY(!CUnitCascade::DeleteUnit(doc->Database(), units[3].imei).IsError());
        doc->RefreshUnitsViews();
        for (IFleetView* fleetView : doc->Views())
            fleetView->ShowUnit(units[50].imei);
        QCOMPARE(view->CurrentRow(), 50);
        QCOMPARE(view->Model()->StoredImei(50), units[50].imei);
        const QModelIndexList selected = view->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), view->Model()->columnCount());
        for (const QModelIndex& index : selected)
            QCOMPARE(index.row(), 49);
        QVERIFY(view->viewport()->rect().intersects(view->visualRect(view->currentIndex())));
        // An IMEI the fleet does not hold changes nothing.
        view->ShowUnit(QStringLiteral("999999999999999"));
        QCOMPARE(view->CurrentRow(), 50);
    }

    void fleetWindowsHoldTheUnitsGridAndTheFrameCommandsReachIt()
    {
        CFrameSettings settings;
        settings.programFolder = CTestEnvironment::ProgramFolder();
        settings.templatePath = CFleetFixtures::TemplatePath();
        settings.displayName = QStringLiteral("Velmora Test");
        CMainFrame frame(settings);
        CUnitsFeature::Register(frame.Registry());
        frame.show();
        const QString path = CTestEnvironment::NewFolder("frame") + "/frame.vlf";
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        QVERIFY(CFleetFixtures::MakeFleet(path, units));
        CVelmoraDoc* doc = frame.Documents().OpenFleet(path);
        QVERIFY(doc);
        auto* view = qobject_cast<CUnitsView*>(frame.Documents().FrameOf(doc)->View(CChildFrame::UnitsTab));
        QVERIFY(view);
        QCOMPARE(view->Model()->rowCount(), 3);

        frame.Commands().UpdateAll();
        QVERIFY(frame.Commands().IsEnabled(FrameCmd::UnitsCommand));
        QVERIFY(view->SetCurrentCell(2, C::UserName));
        Answers().Script({IDYES});
        QVERIFY(frame.Commands().Execute(FrameCmd::UnitsCommand));
        QCOMPARE(Answers().Ids(), QList<int>{UnitsMsg::ConfirmDelete});
        QCOMPARE(CUnitsFixture::Count(*doc, "unit_details"), 1);
        QCOMPARE(view->Model()->StoredImei(1), units[0].imei);
        QVERIFY(doc->IsModified());

        // Saving takes the row being typed along.
        QVERIFY(view->Model()->SetCellText(1, C::UserName, "Saved now"));
        QVERIFY(frame.Documents().SaveActive());
        QVERIFY(!view->Model()->IsRecordEditing());
        QVERIFY(!doc->IsModified());
        CFleetConnection saved;
        QVERIFY(saved.Open(doc->BackupPath()));
        QSqlQuery name(saved.Database());
        QVERIFY(name.exec("SELECT unit_user_name FROM unit_details") && name.next());
        QCOMPARE(name.value(0).toString(), QString("Saved now"));
        name.finish();
        saved.Close();
        frame.Documents().CloseAllWithoutAsking();
    }
};

VELMORA_TEST_MAIN(TestUnitsView)
#include "tst_units_view.moc"
