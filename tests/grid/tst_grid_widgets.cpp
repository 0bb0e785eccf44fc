// The grid window and the input controls as the user meets them: typing, Tab and Enter, warnings,
// capacity, dragging rows, column widths, check and button cells, masked and filtering edits.

#include "CArrowRowHeader.h"
#include "CFilterEdit.h"
#include "CGXNumFmtCtrl.h"
#include "CGridListType.h"
#include "CIPEditCtrl.h"
#include "CKeyEdit.h"
#include "CTestEnvironment.h"
#include "CToEdit.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {

CGridSettings Settings(int enterKeyAction = CGridSettings::EnterStays)
{
    CGridSettings s;
    s.capacities.phoneBook = 15;
    s.capacities.privateList = {100, 5, 5};
    s.capacities.talkgroups = {15, 0, 0};
    s.capacities.scanList = {30, 5, 5};
    s.capacities.statusMessages = {10, 5, 5};
    s.callListTypeChoices = QStringLiteral("Mobile\t0\nPrivate ID\t1\nTalkgroup\t7\n");
    s.enterKeyAction = enterKeyAction;
    return s;
}

// Types into whatever has the focus, as a user does.
void Type(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
}

QPoint CellCentre(CVelmoraGridWnd& grid, int row, int col)
{
    return grid.visualRect(grid.Model()->index(row - 1, col - 1)).center();
}

std::unique_ptr<CVelmoraGridWnd> ShownGrid(int type, int rows, const CGridSettings& settings = Settings())
{
    auto grid = std::make_unique<CVelmoraGridWnd>(type, 0, settings);
    grid->SetRowCount(rows);
    grid->resize(700, 400);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    if (!QTest::qWaitForWindowActive(grid.get()))
        qWarning("grid window not active");
    grid->setFocus();
    return grid;
}

QString ValuesOfColumn(CVelmoraGridWnd& grid, int col)
{
    QStringList v;
    for (int r = 1; r <= grid.RowCount(); ++r)
        v << grid.Value(r, col);
    return v.join(QLatin1Char(','));
}

} // namespace

class TestGridWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CTestEnvironment::ClearSettings(); }

    void typingAndTabThroughTheRow()
    {
        auto grid = ShownGrid(CGridListType::PhoneList, 3);
        QVERIFY(grid->SetCurrentCell(1, 1));
        Type(QStringLiteral("Ann"));
        QVERIFY(grid->IsEditing());
        Key(Qt::Key_Tab);
        QCOMPARE(grid->Value(1, 1), QStringLiteral("Ann"));
        QCOMPARE(grid->CurrentCol(), 2);
        QVERIFY(grid->IsEditing()); // Tab out of an edit goes on editing

        Type(QStringLiteral("1+2"));
        Key(Qt::Key_Tab);
        QCOMPARE(grid->LastWarningId(), 1819);
        QCOMPARE(grid->LastWarningText(), CVelmoraWrap::LoadString(1819));
        QCOMPARE(grid->CurrentCol(), 2);
        QVERIFY(grid->IsEditing());
        QCOMPARE(grid->CurrentText(), QStringLiteral("1+2"));
        QCOMPARE(grid->Value(1, 2), QString());

        Key(Qt::Key_A, Qt::ControlModifier);
        Type(QStringLiteral("+12"));
        Key(Qt::Key_Tab);
        QCOMPARE(grid->Value(1, 2), QStringLiteral("+12"));
        QCOMPARE(grid->CurrentCol(), 3);
        Key(Qt::Key_Tab);
        QCOMPARE(grid->CurrentRow(), 2);
        QCOMPARE(grid->CurrentCol(), 1);
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(grid->CurrentRow(), 1);
        QCOMPARE(grid->CurrentCol(), 3);
    }

    void tabFromTheLastCellGrowsOnlyWithinTheCapacity()
    {
        CGridSettings s = Settings();
        s.capacities.phoneBook = 2;
        auto grid = ShownGrid(CGridListType::PhoneList, 1, s);
        QSignalSpy inserted(grid.get(), &CVelmoraGridWnd::RowsInserted);
        QVERIFY(grid->SetCurrentCell(1, 3));
        Key(Qt::Key_Tab);
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(grid->CurrentRow(), 2);
        QCOMPARE(grid->CurrentCol(), 1);
        QVERIFY(grid->SetCurrentCell(2, 3));
        Key(Qt::Key_Tab); // the list is full
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(grid->CurrentRow(), 2);
        QCOMPARE(grid->CurrentCol(), 3);
        QVERIFY(!grid->InsertRows(3));

        // Hidden columns are skipped; the copy grid never grows.
        auto copy = ShownGrid(CGridListType::CopyUserInfo, 2);
        QVERIFY(copy->SetCurrentCell(1, 3));
        Key(Qt::Key_Tab);
        QCOMPARE(copy->CurrentCol(), 5);
        QVERIFY(copy->SetCurrentCell(2, 5));
        Key(Qt::Key_Tab);
        QCOMPARE(copy->RowCount(), 2);
        QCOMPARE(copy->CurrentCol(), 5);
    }

    void idCellsWarnAndStayInEdit()
    {
        auto grid = ShownGrid(CGridListType::TgScanList, 3);
        QVERIFY(grid->SetCurrentCell(1, 2));
        Type(QStringLiteral("256"));
        Key(Qt::Key_Tab);
        QCOMPARE(grid->LastWarningId(), 7100);
        QCOMPARE(grid->LastWarningText(), QStringLiteral("Please enter a value between 1 and 255"));
        QVERIFY(grid->IsEditing());
        QCOMPARE(grid->Value(1, 2), QString());

        // A click on another cell does not leave it either.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*grid, 3, 1));
        QCOMPARE(grid->CurrentRow(), 1);
        QCOMPARE(grid->CurrentCol(), 2);
        QVERIFY(grid->IsEditing());
        QVERIFY(!grid->SetCurrentCell(2, 1));

        Key(Qt::Key_Escape);
        QVERIFY(!grid->IsEditing());
        QVERIFY(grid->SetCurrentCell(2, 2));
        Type(QStringLiteral("255"));
        QVERIFY(grid->EndEdit());
        QCOMPARE(grid->Value(2, 2), QStringLiteral("255"));

        // The talkgroup list bounds its ids through the column style: message 1645.
        auto tg = ShownGrid(CGridListType::TgCallList, 2);
        QVERIFY(tg->SetCurrentCell(1, 2));
        Type(QStringLiteral("256"));
        QVERIFY(!tg->EndEdit());
        QCOMPARE(tg->LastWarningId(), 1645);
        QVERIFY(tg->LastWarningText().contains(QStringLiteral("255")));
    }

    void lettersInAnIdCellWarnOnceAndStayOut()
    {
        auto grid = ShownGrid(CGridListType::SmsMsg, 2);
        QSignalSpy warned(grid.get(), &CVelmoraGridWnd::WarningShown);
        QVERIFY(grid->SetCurrentCell(1, 2));
        Type(QStringLiteral("1xyz"));
        QVERIFY(grid->IsEditing());
        QCOMPARE(grid->CurrentText(), QStringLiteral("1"));
        QCOMPARE(warned.size(), 1);
        QCOMPARE(grid->LastWarningId(), 1413);
        QVERIFY(grid->LastWarningText().contains(QStringLiteral("0-9")));
        // A digit ends the run of refused keys: the next letter warns again.
        Type(QStringLiteral("2q"));
        QCOMPARE(warned.size(), 2);
        QVERIFY(grid->EndEdit());
        QCOMPARE(grid->Value(1, 2), QStringLiteral("12"));
        // The message text column takes letters without a word.
        QVERIFY(grid->SetCurrentCell(1, 1));
        Type(QStringLiteral("Go"));
        QCOMPARE(grid->CurrentText(), QStringLiteral("Go"));
        QCOMPARE(warned.size(), 2);
    }

    void unchangedCellsAreLeftAlone()
    {
        // A loaded value that would not pass does not trap the user who only passes through.
        auto grid = ShownGrid(CGridListType::TgCallList, 2);
        grid->SetValue(1, 2, QStringLiteral("999"));
        QVERIFY(grid->SetCurrentCell(1, 2));
        Key(Qt::Key_F2);
        QVERIFY(grid->IsEditing());
        Key(Qt::Key_Tab);
        QCOMPARE(grid->CurrentCol(), 3);
        QCOMPARE(grid->Value(1, 2), QStringLiteral("999"));
    }

    void rowChecksOfTheOwner()
    {
        auto grid = ShownGrid(CGridListType::ConsolCallList, 3);
        CVelmoraGridModel* model = grid->Model();
        model->SetRowValidator([model](int row) {
            return !model->Value(row, 1).isEmpty() && model->Value(row, 2).isEmpty()
                       ? CGridCheckResult::Fail(1777)
                       : CGridCheckResult::Pass();
        });
        QVERIFY(grid->SetCurrentCell(1, 1));
        Type(QStringLiteral("Ann"));
        Key(Qt::Key_Down); // the edit is written, but the row may not be left
        QCOMPARE(grid->Value(1, 1), QStringLiteral("Ann"));
        QCOMPARE(grid->LastWarningId(), 1777);
        QCOMPARE(grid->CurrentRow(), 1);
        // The refused arrow leaves nothing selected on the row it could not reach.
        QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{grid->currentIndex()});
        QVERIFY(!grid->SetCurrentCell(2, 1));
        QCOMPARE(grid->LastWarningId(), 1777);
        QCOMPARE(grid->CurrentRow(), 1);
        QVERIFY(grid->SetCurrentCell(1, 2)); // same row: no row check
        grid->SetValue(1, 2, QStringLiteral("5551234"));
        QVERIFY(grid->SetCurrentCell(2, 1));
    }

    void enterFollowsItsSetting()
    {
        auto down = ShownGrid(CGridListType::PhoneList, 3, Settings(CGridSettings::EnterMovesDown));
        QVERIFY(down->SetCurrentCell(1, 1));
        Type(QStringLiteral("a"));
        Key(Qt::Key_Return);
        QCOMPARE(down->Value(1, 1), QStringLiteral("a"));
        QCOMPARE(down->CurrentRow(), 2);
        QCOMPARE(down->CurrentCol(), 1);

        auto right = ShownGrid(CGridListType::PhoneList, 3, Settings(CGridSettings::EnterMovesRight));
        QVERIFY(right->SetCurrentCell(1, 1));
        Type(QStringLiteral("b"));
        Key(Qt::Key_Enter);
        QCOMPARE(right->Value(1, 1), QStringLiteral("b"));
        QCOMPARE(right->CurrentCol(), 2);

        auto stays = ShownGrid(CGridListType::PhoneList, 3, Settings(CGridSettings::EnterStays));
        QVERIFY(stays->SetCurrentCell(1, 1));
        Type(QStringLiteral("c"));
        Key(Qt::Key_Return);
        QCOMPARE(stays->Value(1, 1), QStringLiteral("c"));
        QVERIFY(!stays->IsEditing());
        QCOMPARE(stays->CurrentRow(), 1);
    }

    void deleteKeyOfTheConsolidatedList()
    {
        auto consol = ShownGrid(CGridListType::ConsolCallList, 3);
        QSignalSpy deleted(consol.get(), &CVelmoraGridWnd::DeleteKeyPressed);
        QVERIFY(consol->SetCurrentCell(2, 1));
        Key(Qt::Key_Delete);
        QCOMPARE(deleted.count(), 1);

        auto phone = ShownGrid(CGridListType::PhoneList, 3);
        QSignalSpy none(phone.get(), &CVelmoraGridWnd::DeleteKeyPressed);
        QVERIFY(phone->SetCurrentCell(2, 1));
        Key(Qt::Key_Delete);
        QCOMPARE(none.count(), 0);
    }

    void draggingARowMovesIt()
    {
        auto grid = ShownGrid(CGridListType::PhoneList, 4);
        const QStringList names{"a", "b", "c", "d"};
        for (int r = 1; r <= 4; ++r)
            grid->SetValue(r, 1, names[r - 1]);
        std::unique_ptr<QMimeData> rows(grid->Model()->mimeData({grid->Model()->index(0, 0)}));
        QVERIFY(rows->hasFormat(QStringLiteral("application/x-velmora-grid-rows2")));

        const QPoint target = CellCentre(*grid, 3, 2);
        QDragEnterEvent enter(target, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(target, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(target, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(ValuesOfColumn(*grid, 1), QStringLiteral("b,c,a,d"));

        // Rows of another grid are refused unless the dialog takes them.
        auto other = ShownGrid(CGridListType::TgUser, 2);
        std::unique_ptr<QMimeData> theirs(other->Model()->mimeData({other->Model()->index(1, 0)}));
        QDragEnterEvent refused(target, Qt::MoveAction, theirs.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &refused);
        QVERIFY(!refused.isAccepted());
        grid->SetAcceptForeignRows(true);
        QSignalSpy dropped(grid.get(), &CVelmoraGridWnd::RowsDropped);
        QDragEnterEvent accepted(target, Qt::MoveAction, theirs.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &accepted);
        QVERIFY(accepted.isAccepted());
        QDropEvent foreign(target, Qt::MoveAction, theirs.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &foreign);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped[0][1].value<QList<int>>(), QList<int>{2});
        QCOMPARE(dropped[0][2].toInt(), 3);
        QCOMPARE(ValuesOfColumn(*grid, 1), QStringLiteral("b,c,a,d"));
    }

    void columnWidthsAreKeptPerListType()
    {
        {
            auto grid = ShownGrid(CGridListType::PhoneList, 1);
            grid->setColumnWidth(0, 222);
        }
        QString saved;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Grid Widths PHONE_LIST"), saved));
        QVERIFY(saved.startsWith(QStringLiteral("222,")));
        auto again = ShownGrid(CGridListType::PhoneList, 1);
        QCOMPARE(again->columnWidth(0), 222);
        auto other = ShownGrid(CGridListType::PrivateList, 1);
        QVERIFY(other->columnWidth(0) != 222);
        QCOMPARE(other->columnWidth(0), other->DefaultColumnWidth(1));
        // The talkgroup ids are 11 mm wide, and no column cuts its caption.
        auto tg = ShownGrid(CGridListType::TgCallList, 1);
        QVERIFY(tg->columnWidth(1) >= qRound(11 * tg->logicalDpiX() / 25.4));
        for (int type = CGridListType::FirstType; type <= CGridListType::LastType; ++type) {
            CVelmoraGridWnd grid(type, 0, Settings());
            for (int c = 1; c <= grid.ColCount(); ++c) {
                const QString caption = grid.model()->headerData(c - 1, Qt::Horizontal).toString();
                if (!grid.isColumnHidden(c - 1))
                    QVERIFY2(grid.columnWidth(c - 1) >
                                 grid.horizontalHeader()->fontMetrics().horizontalAdvance(caption),
                             qPrintable(QStringLiteral("%1 %2").arg(grid.ListTypeName()).arg(c)));
            }
        }
    }

    void checkBoxesAndPushButtons()
    {
        auto grid = ShownGrid(CGridListType::SmsMsg, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*grid, 1, 3));
        QCOMPARE(grid->Value(1, 3), QStringLiteral("1"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*grid, 1, 3));
        QCOMPARE(grid->Value(1, 3), QStringLiteral("0"));
        QVERIFY(grid->SetCurrentCell(2, 3));
        Key(Qt::Key_Space);
        QCOMPARE(grid->Value(2, 3), QStringLiteral("1"));

        grid->SetValue(2, 2, QStringLiteral("5"));
        grid->SetPushButtons(1, 2);
        QSignalSpy clicked(grid.get(), &CVelmoraGridWnd::ButtonClicked);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*grid, 2, 1));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked[0][0].toInt(), 2);
        QCOMPARE(clicked[0][1].toInt(), 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*grid, 1, 1));
        QCOMPARE(clicked.count(), 1); // no button on a row without a key
    }

    void choiceListCells()
    {
        auto grid = ShownGrid(CGridListType::ConsolCallList, 2);
        QVERIFY(grid->SetCurrentCell(1, 3));
        Key(Qt::Key_F2);
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(combo);
        QCOMPARE(combo->count(), 3);
        combo->setCurrentIndex(2);
        QVERIFY(grid->EndEdit());
        QCOMPARE(grid->Value(1, 3), QStringLiteral("7"));
        QCOMPARE(grid->Model()->index(0, 2).data().toString(), QStringLiteral("Talkgroup"));
    }

    void headersAndHiddenColumns()
    {
        auto users = ShownGrid(CGridListType::TgUser, 3);
        auto* arrow = qobject_cast<CArrowRowHeader*>(users->verticalHeader());
        QVERIFY(arrow);
        QVERIFY(users->SetCurrentCell(3, 1));
        QCOMPARE(arrow->CurrentRow(), 2);
        auto phone = ShownGrid(CGridListType::PhoneList, 3);
        QVERIFY(!qobject_cast<CArrowRowHeader*>(phone->verticalHeader()));
        // The arrow is on the screen: dark pixels at the outer side of the current row only, beside
        // the row number.
        for (const bool rtl : {false, true}) {
            users->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
            QApplication::processEvents();
            const QImage picture = arrow->grab().toImage();
            const auto darkAtOuterSide = [&](int row) {
                const int top = arrow->sectionViewportPosition(row - 1);
                int dark = 0;
                for (int y = top; y < top + arrow->sectionSize(row - 1); ++y) {
                    for (int i = 1; i < 8; ++i) {
                        const int x = rtl ? picture.width() - 1 - i : i;
                        dark += qGray(picture.pixel(x, y)) < 80 ? 1 : 0;
                    }
                }
                return dark;
            };
            QVERIFY2(darkAtOuterSide(3) > 6, rtl ? "right to left" : "left to right");
            QCOMPARE(darkAtOuterSide(2), 0);
        }
        QCOMPARE(phone->model()->headerData(1, Qt::Horizontal).toString(), CVelmoraWrap::LoadString(1373));

        auto consol = ShownGrid(CGridListType::ConsolCallList, 1);
        for (int c = 5; c <= 13; ++c)
            QVERIFY(consol->isColumnHidden(c - 1));
        QVERIFY(!consol->isColumnHidden(3));
        consol->SetColumnHidden(6, false);
        QVERIFY(!consol->isColumnHidden(5));
        QVERIFY(consol->columnWidth(5) > 0);

        CGridSettings rtl = Settings();
        rtl.rightToLeft = true;
        auto hebrew = ShownGrid(CGridListType::PhoneList, 1, rtl);
        QCOMPARE(hebrew->layoutDirection(), Qt::RightToLeft);
        // Names read right to left there; numbers keep reading left to right.
        QVERIFY(hebrew->SetCurrentCell(1, 1));
        Key(Qt::Key_F2);
        QCOMPARE(QApplication::focusWidget()->layoutDirection(), Qt::RightToLeft);
        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->layoutDirection(), Qt::LeftToRight);
        QVERIFY(hebrew->isAncestorOf(QApplication::focusWidget()));
        QApplication::setActiveWindow(phone.get());
        phone->setFocus();
        QVERIFY(phone->SetCurrentCell(1, 1));
        Key(Qt::Key_F2);
        QVERIFY(phone->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(QApplication::focusWidget()->layoutDirection(), Qt::LeftToRight);
    }

    void rightToLeftScrollsFromTheRight()
    {
        // Hebrew: the grid is inside a window of the right-to-left program, too narrow for its columns.
        QApplication::setLayoutDirection(Qt::RightToLeft);
        CGridSettings rtl = Settings();
        rtl.rightToLeft = true;
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new CVelmoraGridWnd(CGridListType::PhoneList, 0, rtl, &window);
        layout->addWidget(grid);
        grid->SetRowCount(3);
        window.resize(220, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setLayoutDirection(Qt::LeftToRight);

        QScrollBar* bar = grid->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->layoutDirection(), Qt::RightToLeft);
        bar->setValue(bar->minimum());
        // At the start the first column is at the right and the thumb sits at the right end.
        const QRect first = grid->visualRect(grid->Model()->index(0, 0));
        QVERIFY2(first.right() >= grid->viewport()->width() - 2, qPrintable(QString::number(first.right())));
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Horizontal;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        option.state |= QStyle::State_Horizontal;
        const QRect thumb =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        QVERIFY2(thumb.center().x() > bar->width() / 2, qPrintable(QString::number(thumb.center().x())));
        // Scrolling on brings the columns on the left into sight.
        bar->setValue(bar->maximum());
        QVERIFY(grid->visualRect(grid->Model()->index(0, 0)).left() > grid->viewport()->width());
    }

    void crossFleetSwitchesThePrivateIdColumn()
    {
        auto grid = ShownGrid(CGridListType::PrivateList, 2);
        QVERIFY(grid->SetCurrentCell(1, 2));
        Type(QStringLiteral("10*20*5"));
        QVERIFY(grid->CurrentText().size() <= 5); // five digits at most without cross-fleet
        grid->CancelEdit();
        grid->SetCrossFleet(true);
        QVERIFY(grid->SetCurrentCell(1, 2));
        Type(QStringLiteral("10*20*5"));
        QVERIFY(grid->EndEdit());
        QCOMPARE(grid->Value(1, 2), QStringLiteral("10*20*5"));
    }

    void maskedEditors()
    {
        CIPEditCtrl ip;
        ip.show();
        QApplication::setActiveWindow(&ip);
        ip.setFocus();
        QTest::keyClicks(&ip, QStringLiteral("10.0.0.1"));
        QCOMPARE(ip.CellText(), QStringLiteral("010000000001"));
        QCOMPARE(ip.text(), QStringLiteral("10_.0__.0__.1__"));
        ip.SetCellText(QStringLiteral("192168001002"));
        QCOMPARE(ip.text(), QStringLiteral("192.168.001.002"));
        ip.setCursorPosition(3);
        QTest::keyClick(&ip, Qt::Key_Backspace);
        QCOMPARE(ip.text(), QStringLiteral("19_.168.001.002"));
        ip.selectAll();
        QTest::keyClick(&ip, Qt::Key_X, Qt::ControlModifier); // a cut leaves the dots in place
        QCOMPARE(ip.text(), QStringLiteral("___.___.___.___"));
        ip.SetCellText(QString());
        QCOMPARE(ip.CellText(), QString());

        CGridCellStyle s;
        s.control = CGridCellStyle::NumFmt;
        s.formatType = 1;
        CGXNumFmtCtrl num(s);
        num.show();
        QTest::keyClicks(&num, QStringLiteral("1a2b34"));
        QCOMPARE(num.CellText(), QStringLiteral("123"));

        CMaskedEdit hex;
        hex.SetMasks(CTarnMasks(QStringLiteral("HH")));
        hex.show();
        QTest::keyClicks(&hex, QStringLiteral("ag"));
        QCOMPARE(hex.Value(), QStringLiteral("A"));
        CMaskedEdit lower;
        lower.SetMasks(CTarnMasks(QStringLiteral("L")));
        lower.show();
        QTest::keyClicks(&lower, QStringLiteral("Q"));
        QCOMPARE(lower.Value(), QStringLiteral("q"));
    }

    void filteringDialogEdits()
    {
        CKeyEdit key;
        QTest::keyClicks(&key, QStringLiteral("1a#*b2"));
        QCOMPARE(key.text(), QStringLiteral("1#*2"));
        CFilterEdit digits;
        QTest::keyClicks(&digits, QStringLiteral("1a2#3"));
        QCOMPARE(digits.text(), QStringLiteral("123"));
        digits.insert(QStringLiteral("4x")); // pasted text is held to the same characters
        QCOMPARE(digits.text(), QStringLiteral("123"));

        CToEdit to;
        QTest::keyClicks(&to, QString(21, QLatin1Char('7')));
        QCOMPARE(to.text(), QString(20, QLatin1Char('7')));
        QStringList numbers;
        for (int i = 0; i < 100; ++i)
            numbers << QString::number(5550000 + i);
        to.setText(numbers.join(QLatin1Char(';')));
        to.end(false);
        QTest::keyClick(&to, ';');
        QCOMPARE(to.text().count(QLatin1Char(';')), 99);
        QTest::keyClicks(&to, QStringLiteral("9x"));
        QVERIFY(to.text().endsWith(QStringLiteral("55500999")));
        QVERIFY(CToEdit::RecipientsFit(QStringLiteral("1;2;;3")));
        QVERIFY(!CToEdit::RecipientsFit(QString(21, QLatin1Char('1'))));
    }

    void focusLeaveMessagesMayKeepTheFocus()
    {
        QWidget page;
        auto* layout = new QVBoxLayout(&page);
        auto* filter = new CFilterEdit(&page);
        auto* other = new QLineEdit(&page);
        layout->addWidget(filter);
        layout->addWidget(other);
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));

        QList<int> messages;
        bool allow = false;
        filter->SetLeaveHandler([&](int id, QLineEdit* edit, QWidget* next) {
            messages << id;
            return edit == filter && next == other && allow;
        });
        filter->setFocus();
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), filter);
        QCOMPARE(messages, QList<int>{1249});

        allow = true;
        other->setFocus();
        QTest::qWait(20);
        QCOMPARE(QApplication::focusWidget(), other);
        QCOMPARE(messages.size(), 2);

        // A message box or another window taking the focus asks nothing.
        filter->setFocus();
        QWidget elsewhere;
        auto* box = new QLineEdit(&elsewhere);
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        box->setFocus();
        QTest::qWait(20);
        QCOMPARE(messages.size(), 2);

        CKeyEdit key;
        QCOMPARE(key.LeaveMessageId(), 1248);
    }

    // A grid closed in the middle of an edit (its dialog closes, its window goes) takes the open editor
    // with it: the text is neither checked nor written and no warning is shown, whether the grid is
    // a window of its own or a part of one, and whether the text would pass or not.
    void aGridClosedDuringAnEditTakesItsEditorAlong()
    {
        for (const QString& text : {QStringLiteral("1+2"), QStringLiteral("+12")}) {
            for (const bool own : {true, false}) {
                QWidget page;
                auto* layout = new QVBoxLayout(&page);
                auto* other = new QLineEdit(&page);
                layout->addWidget(other);
                auto* grid =
                    new CVelmoraGridWnd(CGridListType::PhoneList, 0, Settings(), own ? nullptr : &page);
                if (!own)
                    layout->addWidget(grid);
                grid->SetRowCount(2);
                QWidget* window = own ? static_cast<QWidget*>(grid) : &page;
                window->show();
                QApplication::setActiveWindow(window);
                QVERIFY(QTest::qWaitForWindowActive(window));
                QVERIFY(grid->SetCurrentCell(1, 2));
                grid->setFocus();
                Type(text);
                QVERIFY(grid->IsEditing());
                QPointer<QWidget> editor = QApplication::focusWidget();
                QVERIFY(editor && editor != grid);
                int warnings = 0;
                connect(grid, &CVelmoraGridWnd::WarningShown, &page, [&warnings] { ++warnings; });
                delete grid;
                QVERIFY(editor.isNull());
                QCOMPARE(warnings, 0);
                QApplication::processEvents(); // a refocus the grid might have asked for finds nothing
                QVERIFY(page.isVisible() || own);
            }
        }
    }
};

VELMORA_TEST_MAIN(TestGridWidgets)
#include "tst_grid_widgets.moc"
