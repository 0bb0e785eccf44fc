// The styled grid model base: the roles a cell style decides, and grid <-> model coordinates.

#include "CStyledGridModel.h"
#include "CTestEnvironment.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

namespace {

const Qt::Alignment kLeading = Qt::AlignLeading | Qt::AlignVCenter;

// A grid of three rows and two columns whose cells all share one style.
class CStyleProbe : public CStyledGridModel
{
public:
    CGridCellStyle style;
    CellFonts fonts;
    QStringList values{"1", "0", ""}; // column 1 by row; column 2 holds "r<row>"
    QVariant ownAlignment;            // what the model says of alignment itself

    int RowCount() const override { return 3; }
    int ColCount() const override { return 2; }
    QString Value(int row, int col) const override
    {
        return col == 1 ? values.value(row - 1) : QStringLiteral("r%1").arg(row);
    }
    CGridCellStyle StyleAt(int, int) const override { return style; }
    using CStyledGridModel::StyleFlags;

protected:
    QVariant CellData(int row, int col, int role) const override
    {
        if (role == Qt::DisplayRole)
            return Value(row, col);
        return role == Qt::TextAlignmentRole ? ownAlignment : QVariant();
    }
    CellFonts Fonts() const override { return fonts; }
};

QFont Font(int points)
{
    QFont font(QStringLiteral("Sans"));
    font.setPointSize(points);
    return font;
}

} // namespace

class TestStyledGridModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachStyleAttributeReachesItsRoleOnly_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("interior") << int(Qt::BackgroundRole) << QVariant(QColor(1, 2, 3));
        QTest::newRow("text colour") << int(Qt::ForegroundRole) << QVariant(QColor(0, 0, 192));
        QTest::newRow("centred") << int(Qt::TextAlignmentRole)
                                 << QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        QTest::newRow("second font") << int(Qt::FontRole) << QVariant(Font(13));
        QTest::newRow("check box") << int(Qt::CheckStateRole) << QVariant(int(Qt::Checked));
    }

    // The style sets the one attribute the row names; the others stay unset.
    void eachStyleAttributeReachesItsRoleOnly()
    {
        QFETCH(int, role);
        QFETCH(QVariant, expected);
        CStyleProbe m;
        m.fonts = {true, Font(9), Font(13)};
        switch (role) {
        case Qt::BackgroundRole:
            m.style.interior = QColor(1, 2, 3);
            break;
        case Qt::ForegroundRole:
            m.style.textColor = QColor(0, 0, 192);
            break;
        case Qt::TextAlignmentRole:
            m.style.centred = true;
            break;
        case Qt::FontRole:
            m.style.secondFont = true;
            break;
        default:
            m.style.control = CGridCellStyle::CheckBox;
            break;
        }
        const QModelIndex cell = m.IndexOf(1, 1); // holds "1"
        const QVariant got = m.data(cell, role);
        if (role == Qt::TextAlignmentRole)
            QCOMPARE(got.value<Qt::Alignment>(), expected.value<Qt::Alignment>());
        else if (role == Qt::CheckStateRole)
            QCOMPARE(got.toInt(), expected.toInt());
        else
            QCOMPARE(got, expected);

        // Every other style role answers as for an unset attribute.
        if (role != Qt::BackgroundRole)
            QVERIFY(!m.data(cell, Qt::BackgroundRole).isValid());
        if (role != Qt::ForegroundRole)
            QVERIFY(!m.data(cell, Qt::ForegroundRole).isValid());
        if (role != Qt::TextAlignmentRole)
            QCOMPARE(m.data(cell, Qt::TextAlignmentRole).value<Qt::Alignment>(), kLeading);
        if (role != Qt::FontRole)
            QCOMPARE(m.data(cell, Qt::FontRole).value<QFont>(), Font(9));
        if (role != Qt::CheckStateRole)
            QVERIFY(!m.data(cell, Qt::CheckStateRole).isValid());
        QCOMPARE(m.data(cell).toString(), QStringLiteral("1"));
    }

    void unsetAttributesReachNoRole()
    {
        CStyleProbe m; // a default style, and no fonts of the model's own
        m.style.secondFont = true;
        for (int col = 1; col <= m.ColCount(); ++col) {
            const QModelIndex cell = m.IndexOf(2, col);
            QVERIFY(!m.data(cell, Qt::BackgroundRole).isValid());
            QVERIFY(!m.data(cell, Qt::ForegroundRole).isValid());
            QVERIFY(!m.data(cell, Qt::FontRole).isValid()); // the view's own font
            QVERIFY(!m.data(cell, Qt::CheckStateRole).isValid());
            QCOMPARE(m.data(cell, Qt::TextAlignmentRole).value<Qt::Alignment>(), kLeading);
            QVERIFY(!m.data(cell, Qt::ToolTipRole).isValid());
        }
    }

    void checkBoxesAnswerTheirValue()
    {
        CStyleProbe m;
        m.style.control = CGridCellStyle::CheckBox;
        QCOMPARE(m.data(m.IndexOf(1, 1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(m.data(m.IndexOf(2, 1), Qt::CheckStateRole).toInt(), int(Qt::Unchecked)); // "0"
        QCOMPARE(m.data(m.IndexOf(3, 1), Qt::CheckStateRole).toInt(), int(Qt::Unchecked)); // empty
    }

    void aModelsOwnAnswerComesBeforeTheStyle()
    {
        CStyleProbe m;
        m.ownAlignment = QVariant::fromValue(Qt::Alignment(Qt::AlignRight));
        QCOMPARE(m.data(m.IndexOf(1, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignRight));
        m.ownAlignment = QVariant();
        m.style.centred = true;
        QCOMPARE(m.data(m.IndexOf(1, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    void styleFlagsFollowTheControl()
    {
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        CGridCellStyle s;
        for (auto control : {CGridCellStyle::RangeEdit, CGridCellStyle::NumFmt, CGridCellStyle::IpEdit,
                             CGridCellStyle::TabbedCombo}) {
            s.control = control;
            QCOMPARE(CStyleProbe::StyleFlags(s, base), base | Qt::ItemIsEditable);
        }
        s.control = CGridCellStyle::StaticText;
        QCOMPARE(CStyleProbe::StyleFlags(s, base), base);
        s.control = CGridCellStyle::CheckBox;
        QCOMPARE(CStyleProbe::StyleFlags(s, base), base | Qt::ItemIsUserCheckable);
        s.readOnly = true;
        QCOMPARE(CStyleProbe::StyleFlags(s, base), base);
        s.control = CGridCellStyle::RangeEdit;
        QCOMPARE(CStyleProbe::StyleFlags(s, base), base);
    }

    void gridAndModelCoordinatesAtTheEdges()
    {
        CStyleProbe m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(m.columnCount(), 2);
        QCOMPARE(m.rowCount(m.IndexOf(1, 1)), 0); // a table: cells have no children

        // Row 0 and column 0 are the headers: no cell, and an invalid index is the header.
        QVERIFY(!m.IndexOf(0, 1).isValid());
        QVERIFY(!m.IndexOf(1, 0).isValid());
        QCOMPARE(CStyledGridModel::GridRow(QModelIndex()), 0);
        QCOMPARE(CStyledGridModel::GridCol(QModelIndex()), 0);
        QVERIFY(!m.data(QModelIndex()).isValid());

        // The first and the last cell, and nothing past them.
        QCOMPARE(m.IndexOf(1, 1), m.index(0, 0));
        QCOMPARE(m.IndexOf(3, 2), m.index(2, 1));
        QVERIFY(!m.IndexOf(4, 1).isValid());
        QVERIFY(!m.IndexOf(1, 3).isValid());
        QCOMPARE(m.data(m.IndexOf(3, 2)).toString(), QStringLiteral("r3"));

        for (int row = 1; row <= m.RowCount(); ++row) {
            QCOMPARE(CStyledGridModel::ModelRow(row), row - 1);
            QCOMPARE(CStyledGridModel::GridRowOf(CStyledGridModel::ModelRow(row)), row);
            for (int col = 1; col <= m.ColCount(); ++col) {
                const QModelIndex cell = m.IndexOf(row, col);
                QCOMPARE(CStyledGridModel::GridRow(cell), row);
                QCOMPARE(CStyledGridModel::GridCol(cell), col);
                QCOMPARE(CStyledGridModel::GridColOf(CStyledGridModel::ModelCol(col)), col);
            }
        }
    }
};

VELMORA_TEST_MAIN(TestStyledGridModel)
#include "tst_styled_grid_model.moc"
