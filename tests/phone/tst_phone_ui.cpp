#include "AgentApi.h"
#include "CGetSimPinDlg.h"
#include "CPhoneFixture.h"
#include "CRecoverCPDlg.h"
#include "CScriptedAnswerer.h"
#include "CSimPinDlgPrompt.h"
#include "CTestEnvironment.h"
#include "CUnitViewPhoneDlg.h"
#include "CUnitViewSimInfoDlg.h"
#include "CVelmoraDoc.h"
#include "CWidgetWait.h"
#include "PhoneMessageIds.h"
#include "WhenModal.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

namespace {

bool AddUnit(const QSqlDatabase& db, const QString& imei, int modelType, int structure,
             const QString& identity, int subRelease = 0, int release = 0)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO unit_details (unit_imei_num, unit_model_type, unit_cp_structure_version, "
        "unit_cp_default_version, unit_last_mod_date, unit_display_prvt_id, unit_phone_num_nam1, "
        "unit_ip_address, unit_prod_sub_release_id, unit_prod_release_id) VALUES (?, ?, ?, 11, '3/7/24 "
        "(09:05)', "
        "?, '5550101', '10.0.0.9', ?, ?)"));
    for (const QVariant& v : QVariantList{imei, modelType, structure, identity, subRelease, release})
        query.addBindValue(v);
    return query.exec();
}

} // namespace

// The PIN, recovery and not-supported dialogs, the phone and SIM information pages, and the wait state.
class TestPhoneUi : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void pinDialogTakesEightCharacters()
    {
        CGetSimPinDlg dialog;
        QCOMPARE(dialog.PinEdit()->property("controlId").toInt(), 1228);
        QCOMPARE(dialog.PinEdit()->maxLength(), 8);
        QTest::keyClicks(dialog.PinEdit(), QStringLiteral("1234567890"));
        dialog.accept();
        QCOMPARE(dialog.Pin(), QStringLiteral("12345678"));
    }

    void pinQuestionStaysUsableWhileTheMainWindowWaits()
    {
        QMainWindow main;
        main.show();
        CWidgetWait wait(&main);
        wait.BeginWait();
        QVERIFY(!main.isEnabled());
        bool usable = false;
        WhenModal([&usable](QWidget* modal) {
            usable = modal->isEnabled();
            auto* dialog = qobject_cast<CGetSimPinDlg*>(modal);
            QVERIFY(dialog);
            dialog->PinEdit()->setText(QStringLiteral("4321"));
            dialog->accept();
        });
        CSimPinDlgPrompt prompt(&main);
        QString pin;
        QVERIFY(prompt.AskPin(pin));
        QCOMPARE(pin, QStringLiteral("4321"));
        QVERIFY(usable);
        WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        QVERIFY(!prompt.AskPin(pin));
        wait.EndWait();
        QVERIFY(main.isEnabled());
    }

    void waitsNestAndReenable()
    {
        QWidget window;
        CWidgetWait wait(&window);
        wait.BeginWait();
        wait.BeginWait();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        wait.EndWait();
        QVERIFY(!window.isEnabled());
        wait.EndWait();
        QVERIFY(window.isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void recoverDialogEnablesRestoreWithAPath()
    {
        CRecoverCPDlg dialog(m_fx.Settings());
        QVERIFY(!dialog.RestoreButton()->isEnabled());
        QTest::keyClicks(dialog.PathEdit(), QStringLiteral("x"));
        QVERIFY(dialog.RestoreButton()->isEnabled());
        QCOMPARE(dialog.Path(), QStringLiteral("x"));
        dialog.PathEdit()->clear();
        QVERIFY(!dialog.RestoreButton()->isEnabled());
        dialog.SetBrowsePrompt([](QWidget*) { return QStringLiteral("/chosen/file.dbf"); });
        dialog.OnBrowse();
        QCOMPARE(dialog.PathEdit()->text(), QStringLiteral("/chosen/file.dbf"));
        QVERIFY(dialog.RestoreButton()->isEnabled());
        dialog.SetBrowsePrompt([](QWidget*) { return QString(); });
        dialog.OnBrowse();
        QCOMPARE(dialog.Path(), QStringLiteral("/chosen/file.dbf"));
    }

    void recoverDialogRestoresTheBackup()
    {
        const QString name = m_fx.Plug(10);
        QCOMPARE(AgentReadCodeplug(1, 0, 0), int(AGENT_SUCCESS));
        const CVirtualPhone original = m_fx.Load(name);
        QCOMPARE(AgentWriteCodeplug(1, 0, m_fx.Settings().backupFolder, 0, 0), int(AGENT_SUCCESS));
        CRecoverCPDlg dialog(m_fx.Settings());
        dialog.SetPath(m_fx.Settings().backupFolder + QStringLiteral("/missing.dbf"));
        dialog.OnRestore();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{int(PhoneMsg::BackupMissing)});
        dialog.SetPath(m_fx.Settings().backupFolder + QStringLiteral("/") + original.imei +
                       QStringLiteral(".dbf"));
        dialog.OnRestore();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(m_fx.Load(name).codeplug == original.codeplug);
        QVERIFY(dialog.isEnabled());
    }

    void phonePageShowsTheUnit()
    {
        CVelmoraDoc* doc = m_fx.NewFleet();
        QVERIFY(doc);
        QVERIFY(AddUnit(doc->Database(), QStringLiteral("351"), 20, 0x18, QStringLiteral("1*2*3")));
        QVERIFY(AddUnit(doc->Database(), QStringLiteral("352"), 20, 32484, QString()));
        QVERIFY(AddUnit(doc->Database(), QStringLiteral("353"), 110, 0x16, QString(), 1, 70));
        CUnitViewPhoneDlg page(QStringLiteral("351"), doc->Database(), m_fx.Rules());
        page.OnInitDialog();
        QCOMPARE(page.Field(CUnitViewPhoneDlg::StructureVersionId)->text(), QStringLiteral("18"));
        QCOMPARE(page.Field(CUnitViewPhoneDlg::DefaultVersionId)->text(), QStringLiteral("0B"));
        QCOMPARE(page.Field(CUnitViewPhoneDlg::LastModifiedId)->text(), QStringLiteral("3/7/24 (09:05)"));
        QCOMPARE(page.Field(CUnitViewPhoneDlg::ImeiId)->text(), QStringLiteral("351"));
        QCOMPARE(page.Field(CUnitViewPhoneDlg::ModelDescriptionId)->text(), m_fx.Facts(20).description);
        CUnitViewPhoneDlg unread(QStringLiteral("352"), doc->Database(), m_fx.Rules());
        unread.OnInitDialog();
        QCOMPARE(unread.Field(CUnitViewPhoneDlg::StructureVersionId)->text(), QString());
        CUnitViewPhoneDlg international(QStringLiteral("353"), doc->Database(), m_fx.Rules());
        international.OnInitDialog();
        QCOMPARE(international.Field(CUnitViewPhoneDlg::ModelDescriptionId)->text(),
                 m_fx.Rules().ModelDescription(110, 1, 70));
        QVERIFY(!m_fx.Rules().ModelDescription(110, 1, 70).isEmpty());
        QVERIFY(m_fx.Rules().ModelDescription(110, 1, 70) != m_fx.Facts(110).description);
        CUnitViewPhoneDlg missing(QStringLiteral("999"), doc->Database(), m_fx.Rules());
        missing.OnInitDialog();
        QCOMPARE(missing.Field(CUnitViewPhoneDlg::ImeiId)->text(), QString());
        QVERIFY(CScriptedAnswerer::Instance().Ids().isEmpty());

        QVERIFY(AddUnit(doc->Database(), QStringLiteral("354"), 201, 0x18, QString()));
        CUnitViewPhoneDlg unknown(QStringLiteral("354"), doc->Database(), m_fx.Rules());
        unknown.OnInitDialog();
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{6000 - PhoneErr::UnitModelUnknown});
    }

    void simPageReversesTheIdentityInHebrew()
    {
        CVelmoraDoc* doc = m_fx.NewFleet();
        QVERIFY(doc);
        QVERIFY(AddUnit(doc->Database(), QStringLiteral("351"), 105, 0x18, QStringLiteral("1*2*3")));
        CUnitViewSimInfoDlg english(QStringLiteral("351"), doc->Database(), CInstalledData::English);
        english.OnInitDialog();
        QCOMPARE(english.Field(CUnitViewSimInfoDlg::PrivateIdId)->text(), QStringLiteral("1*2*3"));
        QCOMPARE(english.Field(CUnitViewSimInfoDlg::PhoneNumberId)->text(), QStringLiteral("5550101"));
        QCOMPARE(english.Field(CUnitViewSimInfoDlg::IpAddressId)->text(), QStringLiteral("10.0.0.9"));
        CUnitViewSimInfoDlg hebrew(QStringLiteral("351"), doc->Database(), CInstalledData::Hebrew);
        hebrew.OnInitDialog();
        QCOMPARE(hebrew.Field(CUnitViewSimInfoDlg::PrivateIdId)->text(), QStringLiteral("3*2*1"));
        QCOMPARE(hebrew.Field(CUnitViewSimInfoDlg::ImeiId)->text(), QStringLiteral("351"));
    }
};

VELMORA_TEST_MAIN(TestPhoneUi)
#include "tst_phone_ui.moc"
