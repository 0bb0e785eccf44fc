// The unit property sheet with a phone on the bench: settings changed on the Basic and Advanced pages
// and saved reach the phone through the write command, and read back into a fleet they show again.

#include "CFilterEdit.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitAdvancedPage.h"
#include "CUnitBasicPage.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CodeplugItemIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

using B = CUnitBasicSettings;
using A = CUnitAdvancedSettings;

class TestUnitSheetPhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    std::unique_ptr<CUnitPropertySheet> Sheet(CVelmoraDoc& doc, const QString& imei, int page)
    {
        CUnitOpenInfo info;
        if (CUnitOpener::Prepare(doc.Database(), imei, false, &m_fx.Rules(), info))
            return nullptr;
        CUnitSheetContext context;
        context.db = doc.Database();
        context.rules = &m_fx.Rules();
        auto sheet = std::make_unique<CUnitPropertySheet>(info, context);
        sheet->SetStartPageId(page);
        sheet->show();
        return sheet;
    }

    CVelmoraDoc* ReadIntoNewFleet()
    {
        CVelmoraDoc* doc = m_fx.NewFleet();
        return doc && CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()) ? doc : nullptr;
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void settingsChangedInTheSheetReachThePhoneAndComeBack()
    {
        const QString name = m_fx.Plug(20);
        CVelmoraDoc* doc = ReadIntoNewFleet();
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;
        const CVirtualPhone before = m_fx.Load(name);

        auto sheet = Sheet(*doc, imei, UnitPage::Basic);
        QVERIFY(sheet);
        auto* basic = static_cast<CUnitBasicPage*>(sheet->GetActivePage());
        QVERIFY(basic->Check(B::OneMinuteBeep)->isEnabled());
        const bool beep = basic->Check(B::OneMinuteBeep)->isChecked();
        basic->Check(B::OneMinuteBeep)->click();
        QVERIFY(basic->EmergencyEdit()->isEnabled());
        basic->EmergencyEdit()->setText(QStringLiteral("201"));
        Q_EMIT basic->EmergencyEdit()->textEdited(QStringLiteral("201"));
        QVERIFY(sheet->SetActivePage(sheet->GetPageIndex(sheet->PageById(UnitPage::Advanced))));
        auto* advanced = static_cast<CUnitAdvancedPage*>(sheet->GetActivePage());
        QComboBox* ring = advanced->Combo(A::Line1RingTone);
        QVERIFY(ring->isEnabled());
        const int tone = (ring->currentIndex() + 3) % ring->count();
        ring->setCurrentIndex(tone);
        Q_EMIT ring->activated(tone);
        QLineEdit* timer = advanced->Edit(A::AutoPowerDownTimer);
        QVERIFY(timer->isEnabled());
        timer->setText(QStringLiteral("1234"));
        Q_EMIT timer->textEdited(QStringLiteral("1234"));
        QVERIFY(sheet->PressOk());
        QVERIFY(sheet->FleetChanged());
        sheet.reset();

        CScriptedAnswerer::Instance().Clear();
        m_fx.Host().active = doc;
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));
        const CVirtualPhone after = m_fx.Load(name);
        QCOMPARE(after.codeplug.Value(CodeplugItem::EmergencyTalkgroup), 201u);
        QCOMPARE(int(after.codeplug.Value(CodeplugItem::Line1RingTone)), tone);
        QVERIFY(after.codeplug.Value(CodeplugItem::PowerDownTimer) !=
                before.codeplug.Value(CodeplugItem::PowerDownTimer));
        QVERIFY(after.codeplug.Value(CodeplugItem::GeneralBits) !=
                before.codeplug.Value(CodeplugItem::GeneralBits));

        // Read back into a new fleet, the sheet shows what was saved.
        CVelmoraDoc* again = ReadIntoNewFleet();
        QVERIFY(again);
        auto reread = Sheet(*again, imei, UnitPage::Basic);
        QVERIFY(reread);
        basic = static_cast<CUnitBasicPage*>(reread->GetActivePage());
        QCOMPARE(basic->Check(B::OneMinuteBeep)->isChecked(), !beep);
        QCOMPARE(basic->EmergencyEdit()->text(), QStringLiteral("201"));
        QVERIFY(reread->SetActivePage(reread->GetPageIndex(reread->PageById(UnitPage::Advanced))));
        advanced = static_cast<CUnitAdvancedPage*>(reread->GetActivePage());
        QCOMPARE(advanced->Combo(A::Line1RingTone)->currentIndex(), tone);
        QCOMPARE(advanced->Edit(A::AutoPowerDownTimer)->text(), QStringLiteral("1234"));
        reread->PressCancel();
    }
};

VELMORA_TEST_MAIN(TestUnitSheetPhone)
#include "tst_unit_sheet_phone.moc"
