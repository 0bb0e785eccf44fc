#include "AgentApi.h"
#include "CCopyWizSrcDlg.h"
#include "CCopyWizWriteDlg.h"
#include "CCopyWizardSheet.h"
#include "CCustomCopyDlg.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

class TestCopyWizardUi : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;
    int m_mainWaits = 0;
    int m_mainDepth = 0;

    std::unique_ptr<CCopyWizardSheet> MakeSheet(int namCount)
    {
        CCopyWizardContext context;
        context.settings = m_fx.Settings();
        context.rules = &m_fx.Rules();
        context.namCount = namCount;
        context.prompt = &m_fx.Pin();
        context.beginMainWait = [this]() {
            ++m_mainWaits;
            ++m_mainDepth;
        };
        context.endMainWait = [this]() { --m_mainDepth; };
        auto sheet = std::make_unique<CCopyWizardSheet>(context);
        sheet->SetActivePage(0);
        return sheet;
    }

    static QList<int> Ids() { return CScriptedAnswerer::Instance().Ids(); }

    static int IndexOf(const QListWidget* list, int textId)
    {
        const QString text = CVelmoraWrap::LoadString(textId);
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text() == text)
                return i;
        }
        return -1;
    }

private Q_SLOTS:
    void init()
    {
        m_fx.Start();
        m_mainWaits = m_mainDepth = 0;
    }

    void pagesCarryTheirWizardButtons()
    {
        auto sheet = MakeSheet(1);
        QCOMPARE(sheet->windowTitle(), CVelmoraWrap::LoadString(CopyWizText::Caption));
        QCOMPARE(sheet->GetPageCount(), 3);
        QCOMPARE(sheet->GetPage(0)->TemplateId(), 107);
        QCOMPARE(sheet->GetPage(1)->TemplateId(), 104);
        QCOMPARE(sheet->GetPage(2)->TemplateId(), 108);
        QCOMPARE(sheet->WizardButtons(), 2);
        auto* source = static_cast<CCopyWizSrcDlg*>(sheet->GetPage(0));
        QVERIFY(source->FromPhone()->isChecked());
        QVERIFY(!source->PathEdit()->isEnabled());
        QCOMPARE(source->PathEdit()->maxLength(), 260);
        source->FromFile()->setChecked(true);
        QVERIFY(source->PathEdit()->isEnabled());
        // A fleet-file source needs a path.
        source->PathEdit()->clear();
        QVERIFY(!sheet->PressNext());
        QCOMPARE(Ids(), QList<int>{int(CopyWizMsg::EmptyPath)});
        QCOMPARE(sheet->GetActiveIndex(), 0);
    }

    void checksStayUntilANewSourceAndDisabledItemsRefuse()
    {
        m_fx.Plug(10, {}, "src");
        auto sheet = MakeSheet(3);
        QVERIFY(sheet->PressNext());
        QCOMPARE(sheet->GetActiveIndex(), 1);
        QCOMPARE(sheet->WizardButtons(), 3);
        QCOMPARE(m_mainDepth, 0);
        QVERIFY(sheet->isEnabled());
        auto* page = static_cast<CCustomCopyDlg*>(sheet->GetPage(1));
        QListWidget* list = page->List();
        QCOMPARE(list->count(), 16);
        QCOMPARE(list->item(15)->text(), CVelmoraWrap::LoadString(1765));
        // A phone without SIM cannot take the consolidated list.
        list->item(15)->setCheckState(Qt::Checked);
        QCOMPARE(list->item(15)->checkState(), Qt::Unchecked);
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(!sheet->PressNext());
        QCOMPARE(Ids(), QList<int>{int(CopyWizMsg::NothingChecked)});

        const int talkgroups = IndexOf(list, 1695);
        list->item(talkgroups)->setCheckState(Qt::Checked);
        QVERIFY(sheet->PressNext());
        QCOMPARE(sheet->WizardButtons(), 5);
        QVERIFY(sheet->Flags().talkgroups[0]);
        QVERIFY(sheet->PressBack());
        QCOMPARE(list->item(talkgroups)->checkState(), Qt::Checked);
        // Back to the source and Next again reads a new source: the list starts again.
        QVERIFY(sheet->PressBack());
        QVERIFY(sheet->PressNext());
        QCOMPARE(list->item(talkgroups)->checkState(), Qt::Unchecked);
        page->CheckAll(true);
        QCOMPARE(list->item(15)->checkState(), Qt::Unchecked);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
    }

    void writesLogOneLinePerPhoneAndSaveAsCsv()
    {
        m_fx.Plug(10, {}, "src");
        auto sheet = MakeSheet(1);
        QVERIFY(sheet->PressNext());
        auto* custom = static_cast<CCustomCopyDlg*>(sheet->GetPage(1));
        custom->List()->item(IndexOf(custom->List(), 1402))->setCheckState(Qt::Checked);
        QVERIFY(sheet->PressNext());
        auto* write = static_cast<CCopyWizWriteDlg*>(sheet->GetPage(2));
        CPhonePresetOptions options;
        options.serial = 2;
        m_fx.Plug(10, options, "first");
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(write->WritePhone());
        QCOMPARE(Ids(), QList<int>{int(CopyWizMsg::Programmed)});
        options.serial = 3;
        const QString broken = m_fx.Plug(10, options, "broken");
        m_fx.AddFault(broken, "AgentWriteCodeplugForCopy", AGENT_WRITE_FAILED);
        QVERIFY(!write->WritePhone());
        QCOMPARE(m_mainDepth, 0);
        QVERIFY(sheet->isEnabled());
        QCOMPARE(write->LogList()->topLevelItemCount(), 2);
        // Shown left to right in either direction: the IMEI between left-to-right marks.
        QCOMPARE(write->LogList()->topLevelItem(0)->text(1),
                 QChar(0x200E) + m_fx.Load("first").imei + QChar(0x200E));
        QVERIFY(write->LogList()->topLevelItem(1)->text(3).startsWith(
            CVelmoraWrap::LoadString(CopyWizText::ResultFailed).section('%', 0, 0)));
        QVERIFY(write->LogList()->topLevelItem(1)->text(4).isEmpty());
        const QString csv = CTestEnvironment::NewFolder("csv") + "/log.csv";
        QVERIFY(write->SaveLog(csv));
        QVERIFY(QFile::exists(csv));
        QVERIFY(sheet->PressFinish());
    }
};

VELMORA_TEST_MAIN(TestCopyWizardUi)
#include "tst_copy_wizard_ui.moc"
