// The copy dialog: its grid of the other units, select all, same model (settings only), Copy with
// nothing checked (1654) and with targets (1638, and 1895 for a too-large private id).

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitCopyUserInfoDlg.h"
#include "CUnitsFixture.h"
#include "CVelmoraGridWnd.h"

#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
const QString kSource = QStringLiteral("350000000000011");
const QString kSame = QStringLiteral("350000000000022");
const QString kOther = QStringLiteral("350000000000033");
using D = CUnitCopyUserInfoDlg;

CScriptedAnswerer& Answers()
{
    return CScriptedAnswerer::Instance();
}
} // namespace

class TestCopyUserInfoDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    std::unique_ptr<D> Dialog(int mode)
    {
        auto dialog = std::make_unique<D>(m_fleet->Database(), CUnitsFixture::Rules(), mode, kSource,
                                          CUnitCopyUserInfo::Options{}, false);
        if (!dialog->Load())
            return nullptr;
        return dialog;
    }

    int PhoneRows(const QString& imei) const
    {
        return CFleetFixtures::Count(m_fleet->Database(), "unit_phone_details", imei);
    }

private Q_SLOTS:
    void init()
    {
        Answers().Clear();
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        QList<CUnitSpec> units;
        for (const auto& [imei, user, model] :
             {std::tuple{kSource, "Base", 105}, std::tuple{kSame, "Truck", 105},
              std::tuple{kOther, "Van", 116}}) {
            CUnitSpec u;
            u.imei = imei;
            u.user = QString::fromLatin1(user);
            u.modelType = model;
            u.listRows = 0;
            units << u;
        }
        QVERIFY(CFleetFixtures::MakeFleet(path, units));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
    }

    void gridListsTheOtherUnits()
    {
        auto dialog = Dialog(1);
        QVERIFY(dialog);
        CVelmoraGridWnd* grid = dialog->Grid();
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(grid->Value(1, D::ColImei), kSame);
        QCOMPARE(grid->Value(1, D::ColName), QStringLiteral("Truck"));
        QCOMPARE(grid->Value(2, D::ColModelType), QStringLiteral("116"));
        QVERIFY(!dialog->Button(D::SameModel)->isVisibleTo(dialog.get()));
        QVERIFY(dialog->Button(D::CopyButton)->isEnabled());
    }

    void selectAllAndSameModel()
    {
        auto dialog = Dialog(6);
        QVERIFY(dialog);
        QVERIFY(dialog->Button(D::SameModel)->isVisibleTo(dialog.get()));
        dialog->PressButton(D::SelectAll);
        QCOMPARE(dialog->CheckedTargets(), (QStringList{kSame, kOther}));
        dialog->PressButton(D::SameModel);
        QCOMPARE(dialog->CheckedTargets(), QStringList{kSame});
    }

    void copyNeedsATargetThenCopies()
    {
        QVERIFY(!CFleetConnection::Exec(
            m_fleet->Database(),
            "INSERT INTO unit_phone_details_tmp (unit_imei_num, unit_speed_dial, unit_name, "
            "unit_phone_num, unit_program_flag) VALUES (?, 1, 'Ann', '100', 1)",
            {kSource}));
        auto dialog = Dialog(1);
        QVERIFY(dialog);
        dialog->PressButton(D::CopyButton);
        QCOMPARE(Answers().Ids(), QList<int>{1654});
        QCOMPARE(PhoneRows(kSame), 0);
        Answers().Clear();
        dialog->Grid()->SetValue(1, D::ColCheck, QStringLiteral("1"));
        dialog->PressButton(D::CopyButton);
        QCOMPARE(Answers().Ids(), QList<int>{1638});
        QCOMPARE(PhoneRows(kSame), 2); // Ann and the source itself
        QCOMPARE(PhoneRows(kOther), 0);
    }

    void tooLargeIdIsTold()
    {
        QVERIFY(!CFleetConnection::Exec(
            m_fleet->Database(),
            "UPDATE unit_details SET unit_cross_fleet_enable = 0 WHERE unit_imei_num = ?", {kSame}));
        QVERIFY(!CFleetConnection::Exec(
            m_fleet->Database(),
            "INSERT INTO unit_private_details_tmp (unit_imei_num, unit_nam, unit_urban_id, "
            "unit_fleet_id, unit_member_id, unit_name, unit_loc_no, unit_program_flag) "
            "VALUES (?, 1, 1, 2, 70000, 'Far', 1, 1)",
            {kSource}));
        auto dialog = Dialog(2);
        QVERIFY(dialog);
        dialog->Grid()->SetValue(1, D::ColCheck, QStringLiteral("1"));
        dialog->PressButton(D::CopyButton);
        QCOMPARE(Answers().Ids(), (QList<int>{1895, 1638})); // the source itself still arrives
    }
};

VELMORA_TEST_MAIN(TestCopyUserInfoDlg)
#include "tst_copy_user_info_dlg.moc"
