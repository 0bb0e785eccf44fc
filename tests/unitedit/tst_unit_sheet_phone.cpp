// The unit property sheet with a phone on the bench: settings changed on the Basic and Advanced pages,
// and the phone list, saved reach the phone through the write command, and read back into a fleet they
// show again.

#include "CFilterEdit.h"
#include "CPhoneCommands.h"
#include "CPhoneDump.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CSheetOnBench.h"
#include "CTestEnvironment.h"
#include "CUnitAdvancedPage.h"
#include "CUnitBasicPage.h"
#include "CUnitOpener.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
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
        return SheetOnBench::Sheet(m_fx, doc, imei, page);
    }

    CVelmoraDoc* ReadIntoNewFleet() { return SheetOnBench::ReadIntoNewFleet(m_fx); }

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

    void phoneListEditedInTheSheetReachesThePhoneAndComesBack()
    {
        // A Hebrew phone (model 90, release 39): its names travel in code page 1255.
        CPhonePresetOptions options;
        options.release = 39;
        if (m_fx.Rules().PhoneClassOf(90) >= 2) {
            options.pin = QStringLiteral("1357");
            m_fx.Pin().script = QStringList(6, options.pin);
        }
        const QString name = m_fx.Plug(90, options);
        CVelmoraDoc* doc = ReadIntoNewFleet();
        QVERIFY(doc);
        const QString imei = m_fx.Load(name).imei;

        auto sheet = Sheet(*doc, imei, UnitPage::PhoneList);
        QVERIFY(sheet);
        auto* page = static_cast<CUnitPhoneListDlg*>(sheet->GetActivePage());
        QCOMPARE(page->PageId(), int(UnitPage::PhoneList));
        CVelmoraGridWnd* grid = page->Grid();
        QVERIFY(grid->RowCount() >= 6);
        QList<int> all;
        for (int row = 1; row <= grid->RowCount(); ++row)
            all << row;
        QVERIFY(!page->List().Clear(all).IsError());
        const QStringList rows[] = {{"O'Brien", "+97235550000", "1"},
                                    {QStringLiteral("שרה לוי"), "*100#", "1"},
                                    {},
                                    {QStringLiteral("דני"), "0541234567", "0"},
                                    {"Yard", "0P123", "1"}};
        for (int i = 0; i < 5; ++i) {
            for (int col = 1; col <= rows[i].size(); ++col)
                grid->SetValue(i + 1, col, rows[i][col - 1]);
        }
        // Yard moves up to speed dial 4.
        QVERIFY(grid->SetCurrentCell(5, 1));
        grid->selectRow(4);
        page->PressButton(CUnitPhoneList::MoveUp);
        QCOMPARE(grid->Value(4, 1), QStringLiteral("Yard"));
        QVERIFY(sheet->PressOk());
        QVERIFY(sheet->FleetChanged());
        sheet.reset();

        CScriptedAnswerer::Instance().Clear();
        m_fx.Host().active = doc;
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));
        // The bench tool's dump shows each entry in the slot of its speed-dial number, names as the
        // phone holds them (code page 1255 bytes).
        const QStringList dump = CPhoneDump::ListBlock(m_fx.Load(name)).filter(QStringLiteral("phone book"));
        const auto bytes = [](const QString& text) {
            QByteArray encoded;
            CPhoneTextCodec(CPhoneTextCodec::Hebrew).Encode(text, encoded);
            return QString::fromLatin1(encoded);
        };
        const QStringList expected{QStringLiteral("slot 1: \"O'Brien\" +97235550000 flag 1"),
                                   QStringLiteral("slot 2: \"%1\" *100# flag 1").arg(bytes(rows[1][0])),
                                   QStringLiteral("slot 4: \"Yard\" 0P123 flag 1"),
                                   QStringLiteral("slot 5: \"%1\" 0541234567 flag 0").arg(bytes(rows[3][0]))};
        QCOMPARE(dump.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(dump[i].contains(expected[i]), qPrintable(dump[i]));

        // Read back into a new fleet, the page shows the same rows.
        CVelmoraDoc* again = ReadIntoNewFleet();
        QVERIFY(again);
        auto reread = Sheet(*again, imei, UnitPage::PhoneList);
        QVERIFY(reread);
        grid = static_cast<CUnitPhoneListDlg*>(reread->GetActivePage())->Grid();
        const QStringList shown[] = {rows[0], rows[1], {"", "", "0"}, rows[4], rows[3]};
        for (int i = 0; i < 5; ++i)
            QCOMPARE((QStringList{grid->Value(i + 1, 1), grid->Value(i + 1, 2), grid->Value(i + 1, 3)}),
                     shown[i]);
        QVERIFY(grid->Model()->IsRowEmpty(6));
        reread->PressCancel();
    }
};

VELMORA_TEST_MAIN(TestUnitSheetPhone)
#include "tst_unit_sheet_phone.moc"
