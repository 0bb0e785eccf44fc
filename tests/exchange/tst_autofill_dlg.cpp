// The auto fill dialog: the rows it offers, select all, and the add with its messages.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CGridSettings.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitAutoFillDlg.h"
#include "CVelmoraGridWnd.h"
#include "ExchangeMessageIds.h"

#include <QPushButton>
#include <QTest>

class TestAutoFillDlg : public QObject
{
    Q_OBJECT

private:
    CFleetConnection m_connection;
    QList<CUnitSpec> m_units;

    bool OpenFleet(int count)
    {
        m_units = CFleetFixtures::Units(count);
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("afdlg")) + QStringLiteral("/af.vlf");
        return CFleetFixtures::MakeFleet(path, m_units) && m_connection.Open(path) &&
               !CFleetConnection::Exec(m_connection.Database(),
                                       QStringLiteral("DELETE FROM unit_phone_details_tmp"));
    }

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }
    void cleanup() { m_connection.Close(); }

    void offersOtherUnitsAndAddsTheChosen()
    {
        QVERIFY(OpenFleet(4));
        CUnitAutoFill fill(m_connection.Database(), CUnitAutoFill::PhoneList, m_units.at(0).imei, 1, 10);
        CUnitAutoFillDlg dialog(fill, CGridSettings());
        QVERIFY(dialog.Load());
        CVelmoraGridWnd* grid = dialog.Grid();
        QCOMPARE(grid->RowCount(), 3);
        QCOMPARE(grid->Value(1, CUnitAutoFillDlg::ColImei), m_units.at(1).imei);
        QCOMPARE(grid->Value(1, CUnitAutoFillDlg::ColNumber),
                 QString("0521234" + m_units.at(1).imei.right(3)));
        QVERIFY(dialog.Button(CUnitAutoFillDlg::AddButton)->isEnabled());

        // Nothing checked: 1654 and nothing added.
        dialog.PressButton(CUnitAutoFillDlg::AddButton);
        QVERIFY(CScriptedAnswerer::Instance().Saw(ExchangeMsg::NothingSelected));
        QCOMPARE(dialog.Added(), 0);

        dialog.PressButton(CUnitAutoFillDlg::SelectAllButton);
        for (int row = 1; row <= grid->RowCount(); ++row)
            QCOMPARE(grid->Value(row, CUnitAutoFillDlg::ColMark), QStringLiteral("1"));
        dialog.PressButton(CUnitAutoFillDlg::AddButton);
        QVERIFY(CScriptedAnswerer::Instance().Saw(ExchangeMsg::UnitsAdded));
        QCOMPARE(dialog.Added(), 3);
        QCOMPARE(CFleetFixtures::Count(m_connection.Database(), "unit_phone_details_tmp", m_units.at(0).imei),
                 3);
    }

    void noCandidatesDisablesTheButtons()
    {
        QVERIFY(OpenFleet(2));
        QVERIFY(!CFleetConnection::Exec(
            m_connection.Database(), QStringLiteral("UPDATE unit_details SET unit_phone_num_nam1 = NULL")));
        CUnitAutoFillDlg dialog(
            CUnitAutoFill(m_connection.Database(), CUnitAutoFill::PhoneList, m_units.at(0).imei, 1, 10),
            CGridSettings());
        QVERIFY(dialog.Load());
        QCOMPARE(dialog.Grid()->RowCount(), 0);
        QVERIFY(!dialog.Button(CUnitAutoFillDlg::AddButton)->isEnabled());
        QVERIFY(!dialog.Button(CUnitAutoFillDlg::SelectAllButton)->isEnabled());
    }
};

VELMORA_TEST_MAIN(TestAutoFillDlg)
#include "tst_autofill_dlg.moc"
