// The SMS window's widgets: typing recipients, the message limit, the shared draft, the recipients
// dialog on a fleet file, the load dialog's deletions, and sending: through the virtual modem of the
// library end to end, and through a scripted library for cancel and failure.

#include "CDisplayUnitsDlg.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CLoadSMSDlg.h"
#include "CModemDlg.h"
#include "CScriptedAnswerer.h"
#include "CSendSMSView.h"
#include "CSmsLibrary.h"
#include "CSmsRecipients.h"
#include "CSmsSavedMessages.h"
#include "CSmsStatusDlg.h"
#include "CTestEnvironment.h"
#include "CToEdit.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "IVelmoraQuestion.h"
#include "Sms.h"
#include "SmsMessageIds.h"
#include "WhenModal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <memory>

namespace {

// Stands in for the modem library: reports progress, then waits for Cancel or ends as scripted.
class CScriptedLibrary : public ISmsLibrary
{
public:
    int ModemCount() override { return 1; }
    QString ModemName(int) override { return QStringLiteral("Scripted modem"); }
    int SetConfiguration(int) override { return 0; }
    Result Send(const CSmsSendPlan& plan, const CSmsSendSettings&, bool, const QString&,
                const Progress& progress) override
    {
        sentTo = plan.numbers;
        progress.status(QStringLiteral("Sending to %1").arg(plan.numbers.value(0)));
        progress.position(50);
        if (waitForCancel) {
            started.release();
            cancelGate.acquire();
            return {SMS_ERR_CANCELLED, 0, 0, {}};
        }
        return {failCode, failIndex, 0, {}};
    }
    void Cancel() override
    {
        ++cancels;
        cancelGate.release();
    }
    QString ErrorText(int code, int) override { return QStringLiteral("modem said no (%1)").arg(code); }

    QStringList sentTo;
    bool waitForCancel = false;
    int failCode = 0;
    int failIndex = 0;
    std::atomic<int> cancels{0};
    QSemaphore started;
    QSemaphore cancelGate;
};

CSmsStatusDlg* StatusDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<CSmsStatusDlg*>(w); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace

class TestSmsUi : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_fleetPath;
    CScriptedAnswerer& User() { return CScriptedAnswerer::Instance(); }

    CSmsContext Context(ISmsLibrary* library)
    {
        CSmsContext context;
        context.library = library;
        context.sendSettings = []() { return CSmsSendSettings(); };
        context.fleetSettings = []() { return CFleetFixtures::Settings(); };
        return context;
    }

    static void Type(QWidget* widget, const QString& text)
    {
        widget->setFocus();
        QTest::keyClicks(widget, text);
    }

    void ChooseWithTooFewSlots(CDisplayUnitsDlg& dialog)
    {
        dialog.PathEdit()->setText(m_dir.filePath(QStringLiteral("missing.vlf")));
        QVERIFY(!dialog.OnLoad());
        QVERIFY(User().Saw(SmsMsg::NotAFleet));
        QCOMPARE(dialog.Grid()->RowCount(), 0);

        dialog.PathEdit()->setText(m_fleetPath);
        QVERIFY(dialog.OnLoad());
        QCOMPARE(dialog.Grid()->RowCount(), 3);
        // Three units, two free places: the question, then only two ticked.
        User().Clear();
        User().Script({IDNO});
        dialog.OnSelectAll();
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::MoreUnitsThanSlots});
        QCOMPARE(dialog.Grid()->Value(1, CDisplayUnitsDlg::ColCheck), QString("0"));
        User().Script({IDYES});
        dialog.OnSelectAll();
        int ticked = 0;
        for (int row = 1; row <= 3; ++row)
            ticked += dialog.Grid()->Value(row, CDisplayUnitsDlg::ColCheck) == QLatin1String("1");
        QCOMPARE(ticked, 2);
        // Ticking the third by hand goes beyond the free places: OK refuses.
        dialog.Grid()->SetValue(3, CDisplayUnitsDlg::ColCheck, QStringLiteral("1"));
        dialog.Grid()->SetValue(1, CDisplayUnitsDlg::ColCheck, QStringLiteral("1"));
        dialog.Grid()->SetValue(2, CDisplayUnitsDlg::ColCheck, QStringLiteral("1"));
        User().Clear();
        dialog.accept();
        QVERIFY(User().Saw(SmsMsg::TooManyTicked));
        QVERIFY(dialog.Result().isEmpty());
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_fleetPath = m_dir.filePath(QStringLiteral("crew.vlf"));
        QVERIFY(CFleetFixtures::MakeFleet(m_fleetPath, CFleetFixtures::Units(3)));
        SMSSetup setup;
        setup.outboxFolder = m_dir.path();
        setup.scanUsualDevices = false;
        setup.loadString = [](int id) { return CVelmoraWrap::LoadString(id); };
        QCOMPARE(SMSInitialize(setup), int(SMS_OK));
    }
    void cleanupTestCase() { SMSTerminate(); }
    void init() { User().Clear(); }

    void recipientsRefuseTheTwentyFirstDigitAndTheHundredAndFirstNumber()
    {
        CSendSMSView view(Context(nullptr));
        CToEdit* to = view.Recipients();
        Type(to, QStringLiteral("12a3-4 5"));
        QCOMPARE(to->text(), QString("12345"));
        to->clear();
        Type(to, QString(21, QLatin1Char('9')));
        QCOMPARE(to->text(), QString(20, QLatin1Char('9')));

        QStringList hundred;
        for (int i = 0; i < 100; ++i)
            hundred << QString::number(i);
        to->setText(hundred.join(';'));
        to->setCursorPosition(to->text().size());
        Type(to, QStringLiteral(";7"));
        QCOMPARE(CSmsRecipients::Split(to->text()).size(), 100);
        QVERIFY(!to->text().endsWith(QLatin1Char(';')));
    }

    void messageAndOptionKeepTheirLimits()
    {
        CSendSMSView view(Context(nullptr));
        view.Message()->setPlainText(QString(CSendSMSView::MaxTextLength + 5, QLatin1Char('x')));
        QCOMPARE(view.Message()->toPlainText().size(), int(CSendSMSView::MaxTextLength));
        auto* option = view.findChild<QCheckBox*>();
        auto* value = view.findChildren<QLineEdit*>().last();
        QVERIFY(!value->isEnabled());
        option->setChecked(true);
        Type(value, QStringLiteral("123456789012"));
        QCOMPARE(value->text(), QString("1234567890"));
        option->setChecked(false);
        QVERIFY(value->text().isEmpty());
        QVERIFY(!value->isEnabled());
        // Without a modem library nothing can be sent.
        QVERIFY(!view.SendButton()->isEnabled());
    }

    void viewsShareOneDraft()
    {
        CSendSMSView first(Context(nullptr));
        first.Recipients()->setText(QStringLiteral("111;222"));
        first.Message()->setPlainText(QStringLiteral("Shift change at six"));
        CSendSMSView second(Context(nullptr));
        QCOMPARE(second.Draft(), first.Draft());
        second.Message()->setPlainText(QStringLiteral("Outage on line 3"));
        second.ShareDraft();
        QCOMPARE(first.Draft().text, QString("Outage on line 3"));
        QCOMPARE(first.Draft().recipients, QString("111;222"));
    }

    void recipientsDialogLoadsAFleetFileAndLimitsSelectAll()
    {
        {
            CDisplayUnitsDlg dialog(nullptr, 2, CFleetFixtures::Settings());
            ChooseWithTooFewSlots(dialog);
        }
        // The file it opened is stored again when it goes; the next load expands it.
        QVERIFY(CFleetFile::IsStoredForm(m_fleetPath));
        CDisplayUnitsDlg again(nullptr, 100, CFleetFixtures::Settings());
        again.PathEdit()->setText(m_fleetPath);
        QVERIFY(again.OnLoad());
        QCOMPARE(again.Grid()->RowCount(), 3);
    }

    void loadDialogCancelKeepsDeletedMessages()
    {
        // A plain fleet of its own: the recipients dialog stores the shared one when it lets it go.
        const QString path = m_dir.filePath(QStringLiteral("saved.vlf"));
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
        CFleetConnection fleet;
        QVERIFY(fleet.Open(path));
        CSmsSavedMessages store(fleet.Database());
        for (const char* text : {"one", "two"}) {
            QString id = QStringLiteral("-1");
            QVERIFY(
                !store.Save(text, QDateTime::currentDateTime(), id, IVelmoraQuestion::Shared()).IsError());
        }
        CVelmoraError error;
        const int all = store.List(error).size();
        {
            CLoadSMSDlg dialog(fleet.Database());
            QVERIFY(dialog.Start());
            QCOMPARE(dialog.Grid()->RowCount(), all);
            User().Script({IDYES, IDYES});
            dialog.OnDelete();
            dialog.OnDelete();
            QCOMPARE(dialog.Grid()->RowCount(), all - 2);
            QCOMPARE(store.List(error).size(), all - 2);
            dialog.reject();
        }
        QCOMPARE(store.List(error).size(), all);
        {
            CLoadSMSDlg dialog(fleet.Database());
            QVERIFY(dialog.Start());
            User().Script({IDYES});
            dialog.OnDelete();
            dialog.Grid()->SetCurrentCell(1, CLoadSMSDlg::ColText);
            const QString chosen = dialog.Grid()->Value(1, CLoadSMSDlg::ColText);
            dialog.accept();
            QCOMPARE(dialog.ChosenText(), chosen);
        }
        QCOMPARE(store.List(error).size(), all - 1);
    }

    void threeUnitsOfAFleetGetTheMessageThroughTheVirtualModem()
    {
        CSmsLibrary library;
        CModemDlg modem(library);
        QCOMPARE(modem.Modems()->currentText(), QString(SMS_VIRTUAL_MODEM_NAME));
        modem.accept();
        QCOMPARE(modem.result(), int(QDialog::Accepted));

        CSendSMSView view(Context(&library));
        WhenModal([this](QWidget* w) {
            auto* dialog = qobject_cast<CDisplayUnitsDlg*>(w);
            QVERIFY(dialog);
            dialog->PathEdit()->setText(m_fleetPath);
            QVERIFY(dialog->OnLoad());
            User().Script({IDYES});
            dialog->OnSelectAll();
            dialog->accept();
        });
        view.OnChooseRecipients();
        QStringList numbers = CSmsRecipients::Split(view.Recipients()->text());
        numbers.sort();
        QCOMPARE(numbers, QStringList({"0521234010", "0521234011", "0521234012"}));

        view.Message()->setPlainText(QStringLiteral("Meeting at the depot at 7"));
        User().Clear();
        QTest::mouseClick(view.SendButton(), Qt::LeftButton);
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::Sent});
        QCOMPARE(view.LastSendCount(), 3);
        QVERIFY(view.SendButton()->isEnabled());

        QFile outbox(QDir(m_dir.path()).filePath(SMS_OUTBOX_FILE));
        QVERIFY(outbox.open(QIODevice::ReadOnly));
        const QString sent = QString::fromUtf8(outbox.readAll());
        for (const QString& number : numbers)
            QVERIFY2(sent.contains(number), qPrintable(sent));
        QVERIFY(sent.contains(QStringLiteral("Meeting at the depot at 7")));
    }

    void cancelStopsTheSendAndTheWindowStaysResponsive()
    {
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Modem ID"), QStringLiteral("0"));
        CScriptedLibrary library;
        library.waitForCancel = true;
        CSendSMSView view(Context(&library));
        CSendSMSView other(Context(&library));
        view.Recipients()->setText(QStringLiteral("123;456"));
        view.Message()->setPlainText(QStringLiteral("hello"));
        bool sawDialog = false;
        QTimer::singleShot(0, this, [&]() {
            QVERIFY(library.started.tryAcquire(1, 5000));
            // The send runs elsewhere: this thread still turns the status dialog's events.
            QTRY_VERIFY(StatusDialog() && StatusDialog()->ProgressBar()->value() == 50);
            CSmsStatusDlg* status = StatusDialog();
            QCOMPARE(status->StatusText()->text(), QString("Sending to 123"));
            QVERIFY(CSendSMSView::Sending());
            QVERIFY(!other.SendButton()->isEnabled());
            sawDialog = true;
            QTest::mouseClick(status->CancelButton(), Qt::LeftButton);
        });
        view.OnSend();
        QVERIFY(sawDialog);
        QCOMPARE(library.cancels.load(), 1);
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::SendCancelled});
        QVERIFY(!CSendSMSView::Sending());
        QVERIFY(view.SendButton()->isEnabled() && other.SendButton()->isEnabled());
        QVERIFY(!StatusDialog());
    }

    void failureNamesTheNumberAndTheLibrarysText()
    {
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Modem ID"), QStringLiteral("0"));
        CScriptedLibrary library;
        library.failCode = SMS_ERR_CMS_ERROR;
        library.failIndex = 1;
        CSendSMSView view(Context(&library));
        view.Recipients()->setText(QStringLiteral("123; 456 ;789"));
        view.Message()->setPlainText(QStringLiteral("hello"));
        view.OnSend();
        QCOMPARE(library.sentTo, QStringList({"123", "456", "789"}));
        QCOMPARE(User().Count(), 1);
        const QString text = User().Messages().constFirst().text;
        QVERIFY2(text.contains(QStringLiteral("456")) && text.contains(QStringLiteral("modem said no")),
                 qPrintable(text));

        // More than a hundred recipients never reach the library.
        QStringList many;
        for (int i = 0; i < 101; ++i)
            many << QString::number(5000 + i);
        view.Recipients()->setText(many.join(';'));
        library.sentTo.clear();
        User().Clear();
        view.OnSend();
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::TooManyRecipients});
        QVERIFY(library.sentTo.isEmpty());
    }
};

VELMORA_TEST_MAIN(TestSmsUi)
#include "tst_sms_ui.moc"
