// The SMS library as the program uses it: the modem list, the virtual modem's outbox and the AT
// modem against a fake modem on a pseudo-terminal (answers, ERROR, +CMS ERROR, silence, cancel),
// the request checks made before anything is sent, and the texts of every error code.

#include "CFakeModem.h"
#include "CSmsSendRequest.h"
#include "CSmsStatus.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "Sms.h"
#include "SmsRequest.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// A request as the program builds it: numbers, text and the switches.
QByteArray Request(const QList<QByteArray>& numbers, const QByteArray& text, bool autoSplit = false,
                   int maxLength = 160)
{
    QByteArray r(SMS_REQUEST_SIZE, '\0');
    SmsRecord::WriteInt(r.data(), SMS_OFF_AUTO_SPLIT, autoSplit ? 1 : 0);
    SmsRecord::WriteInt(r.data(), SMS_OFF_MESSAGE_LENGTH, int(text.size()));
    SmsRecord::WriteInt(r.data(), SMS_OFF_RECIPIENT_COUNT, int(numbers.size()));
    for (int i = 0; i < numbers.size() && i < SMS_RECIPIENT_SLOTS; ++i)
        SmsRecord::WriteText(r.data(), SMS_OFF_RECIPIENTS + i * SMS_RECIPIENT_SIZE, SMS_RECIPIENT_SIZE,
                             numbers.at(i));
    SmsRecord::WriteText(r.data(), SMS_OFF_MESSAGE, SMS_MESSAGE_SIZE, text);
    SmsRecord::WriteInt(r.data(), SMS_OFF_MAX_LENGTH, maxLength);
    return r;
}

int Index(const QByteArray& r)
{
    return SmsRecord::ReadInt(r.constData(), SMS_OFF_CURRENT);
}
int Detail(const QByteArray& r)
{
    return SmsRecord::ReadShort(r.constData(), SMS_OFF_DETAIL);
}

} // namespace

class TestSmsLibrary : public QObject
{
    Q_OBJECT

    QString m_folder;
    QString Outbox() const { return m_folder + QStringLiteral("/SmsOutbox.txt"); }

    SMSSetup Setup(const QStringList& ports = {})
    {
        SMSSetup setup;
        setup.outboxFolder = m_folder;
        setup.modemPorts = ports;
        setup.scanUsualDevices = false;
        setup.scanTimeoutMs = 300;
        setup.answerTimeoutMs = 300;
        setup.submitTimeoutMs = 500;
        setup.loadString = [](int id) { return CVelmoraWrap::LoadString(id); };
        return setup;
    }

    // Starts the library with the fake modem as its only serial modem, chosen.
    void UseModem(const CFakeModem& modem)
    {
        QVERIFY(modem.IsOpen());
        QCOMPARE(SMSInitialize(Setup({modem.SlavePath()})), int(SMS_OK));
        int count = 0;
        QCOMPARE(SMSGetModemCount(&count), int(SMS_OK));
        QCOMPARE(count, 2);
        QCOMPARE(SMSSetConfiguration(SMSConfiguration{0, 1, 0}), int(SMS_OK));
    }

    QStringList OutboxLines() const
    {
        QFile file(Outbox());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void init() { m_folder = CTestEnvironment::NewFolder(QStringLiteral("sms")); }
    void cleanup() { SMSTerminate(); }

    void setupNeedsFolderAndTexts()
    {
        SMSSetup setup = Setup();
        setup.outboxFolder.clear();
        QCOMPARE(SMSInitialize(setup), int(SMS_ERR_BAD_SETUP));
        setup = Setup();
        setup.loadString = nullptr;
        QCOMPARE(SMSInitialize(setup), int(SMS_ERR_BAD_SETUP));
        int count = 0;
        QCOMPARE(SMSGetModemCount(&count), int(SMS_ERR_NOT_INITIALIZED));
        QByteArray r = Request({"1"}, "x");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_NOT_INITIALIZED));
    }

    // The virtual modem is always first; a device that answers AT follows, silent or missing ones do not.
    void modemListHoldsWhatAnswers()
    {
        CFakeModem answering;
        CFakeModem silent;
        silent.SetAnswer("AT", QByteArray());
        QCOMPARE(SMSInitialize(Setup(
                     {silent.SlavePath(), QStringLiteral("/dev/no-such-modem"), answering.SlavePath()})),
                 int(SMS_OK));
        int count = 0;
        QCOMPARE(SMSGetModemCount(&count), int(SMS_OK));
        QCOMPARE(count, 2);
        QString name;
        QCOMPARE(SMSGetModemName(0, &name), int(SMS_OK));
        QCOMPARE(name, QStringLiteral("Virtual modem"));
        QCOMPARE(SMSGetModemName(1, &name), int(SMS_OK));
        QCOMPARE(name, answering.SlavePath());
        QCOMPARE(SMSGetModemName(2, &name), int(SMS_ERR_NO_MODEM));
        QCOMPARE(SMSSetConfiguration(SMSConfiguration{0, -1, 0}), int(SMS_ERR_BAD_CONFIG));
        QCOMPARE(SMSSetConfiguration(SMSConfiguration{0, 2, 0}), int(SMS_ERR_BAD_CONFIG));
    }

    void noModemChosenIsRefused()
    {
        QCOMPARE(SMSInitialize(Setup()), int(SMS_OK));
        QByteArray r = Request({"123"}, "hello");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_NO_MODEM));
        QVERIFY(!QFile::exists(Outbox()));
    }

    // Each part to each recipient is one outbox line, in order; the stored modem name chooses it.
    void virtualModemAppendsEveryPart()
    {
        SMSSetup setup = Setup();
        setup.modemName = QStringLiteral("Virtual modem");
        QCOMPARE(SMSInitialize(setup), int(SMS_OK));
        QByteArray r = Request({"123", "456"}, "abcdefghij\tklmno", true, 10);
        SmsRecord::WriteInt(r.data(), SMS_OFF_OPTION, 1);
        SmsRecord::WriteText(r.data(), SMS_OFF_OPTION_VALUE, SMS_OPTION_VALUE_SIZE, "77");
        SmsRecord::WriteText(r.data(), SMS_OFF_SC_NUMBER, SMS_TEXT_FIELD_SIZE, "+97254000");
        CSmsStatus status;
        QSignalSpy progress(&status, &CSmsStatus::Progress);
        QSignalSpy texts(&status, &CSmsStatus::StatusText);
        QSignalSpy cancel(&status, &CSmsStatus::CancelEnabled);
        QCOMPARE(SMSSendMessage(&status, r.data()), int(SMS_OK));

        const QStringList lines = OutboxLines();
        QCOMPARE(lines.size(), 4);
        const QStringList expected{QStringLiteral("123\t+97254000\t1:77\tabcdefghij"),
                                   QStringLiteral("123\t+97254000\t1:77\t\\tklmno"),
                                   QStringLiteral("456\t+97254000\t1:77\tabcdefghij"),
                                   QStringLiteral("456\t+97254000\t1:77\t\\tklmno")};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(lines.at(i).section(QLatin1Char('\t'), 1), expected.at(i));
        QCOMPARE(progress.last().first().toInt(), 100);
        QCOMPARE(progress.size(), 5); // 0, then after each part
        QCOMPARE(cancel.size(), 1);
        QCOMPARE(cancel.first().first().toBool(), false);
        QCOMPARE(texts.last().first().toString(), CVelmoraWrap::LoadString(SMS_TEXT_STATUS_DONE));

        // A second send appends.
        r = Request({"789"}, "again");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_OK));
        QCOMPARE(OutboxLines().size(), 5);
    }

    void outboxThatCannotBeWrittenFails()
    {
        SMSSetup setup = Setup();
        setup.outboxFolder = m_folder + QStringLiteral("/missing/folder");
        setup.modemName = QStringLiteral("Virtual modem");
        QCOMPARE(SMSInitialize(setup), int(SMS_OK));
        QByteArray r = Request({"123"}, "hello");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_OUTBOX));
    }

    // A request the program should never build is refused whole, before the modem hears anything.
    void badRequestsAreRefusedBeforeSending()
    {
        CFakeModem modem;
        UseModem(modem);
        const int scanCommands = int(modem.Commands().size());

        QList<QByteArray> many;
        for (int i = 0; i < 100; ++i)
            many << QByteArray::number(1000 + i);
        QByteArray r = Request(many, "hello");
        SmsRecord::WriteInt(r.data(), SMS_OFF_RECIPIENT_COUNT, 101);
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_BAD_REQUEST));
        QCOMPARE(Detail(r), int(SMS_FIELD_RECIPIENT_COUNT));

        r = Request({"123", "456"}, "hello");
        std::memset(r.data() + SMS_OFF_RECIPIENTS + SMS_RECIPIENT_SIZE, '5', SMS_RECIPIENT_SIZE); // no NUL
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_BAD_REQUEST));
        QCOMPARE(Index(r), 1);
        QCOMPARE(Detail(r), int(SMS_FIELD_RECIPIENT));

        r = Request({"12\"3"}, "hello");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_BAD_REQUEST));
        r = Request({"123"}, "0123456789X", false, 10);
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_TOO_LONG));
        r = Request({"123"}, "");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_ERR_EMPTY_MESSAGE));

        QTest::qWait(50);
        QCOMPARE(modem.Commands().size(), scanCommands);
    }

    void atModemSendsInTextMode()
    {
        CFakeModem modem;
        UseModem(modem);
        QByteArray r = Request({"0541111111", "0542222222"}, "Shift change\nat 6");
        SmsRecord::WriteText(r.data(), SMS_OFF_SC_NUMBER, SMS_TEXT_FIELD_SIZE, "+97254000");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_OK));

        const QList<QByteArray> commands = modem.Commands().mid(1); // after the scan's AT
        QCOMPARE(commands, (QList<QByteArray>{"AT", "ATE0", "AT+CMGF=1", "AT+CSCA=\"+97254000\"",
                                              "AT+CMGS=\"0541111111\"", "AT+CMGS=\"0542222222\""}));
        const auto messages = modem.Messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(0).first, QByteArray("0541111111"));
        QCOMPARE(messages.at(0).second, QByteArray("Shift change\nat 6"));
        QCOMPARE(messages.at(1).first, QByteArray("0542222222"));
        QCOMPARE(Index(r), 1);
    }

    // A failure stops the send at that recipient, with what the modem said.
    void atModemFailuresStopAtTheFailingRecipient_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("fromText");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("detail");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("sent");
        QTest::newRow("text mode ERROR") << QByteArray("AT+CMGF") << QByteArray("\r\nERROR\r\n") << -1
                                         << int(SMS_ERR_MODEM_ERROR) << int(SMS_STEP_TEXT_MODE) << 0 << 0;
        QTest::newRow("silent on CMGF") << QByteArray("AT+CMGF") << QByteArray() << -1
                                        << int(SMS_ERR_NO_ANSWER) << int(SMS_STEP_TEXT_MODE) << 0 << 0;
        QTest::newRow("CMS ERROR on the second") << QByteArray() << QByteArray("\r\n+CMS ERROR: 500\r\n") << 1
                                                 << int(SMS_ERR_CMS_ERROR) << 500 << 1 << 2;
        QTest::newRow("ERROR on submit") << QByteArray() << QByteArray("\r\nERROR\r\n") << 2
                                         << int(SMS_ERR_MODEM_ERROR) << int(SMS_STEP_SUBMIT) << 2 << 3;
        QTest::newRow("silent on submit")
            << QByteArray() << QByteArray() << 0 << int(SMS_ERR_NO_ANSWER) << int(SMS_STEP_SUBMIT) << 0 << 1;
        QTest::newRow("no prompt") << QByteArray("AT+CMGS") << QByteArray("\r\n+CMS ERROR: 330\r\n") << -1
                                   << int(SMS_ERR_CMS_ERROR) << 330 << 0 << 0;
        QTest::newRow("unplugged on submit") << QByteArray() << CFakeModem::HangUp() << 1
                                             << int(SMS_ERR_LINE_LOST) << int(SMS_STEP_SUBMIT) << 1 << 2;
        QTest::newRow("silent instead of prompt") << QByteArray("AT+CMGS") << QByteArray() << -1
                                                  << int(SMS_ERR_NO_ANSWER) << int(SMS_STEP_PROMPT) << 0 << 0;
    }
    void atModemFailuresStopAtTheFailingRecipient()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(QByteArray, answer);
        QFETCH(int, fromText);
        QFETCH(int, code);
        QFETCH(int, detail);
        QFETCH(int, index);
        QFETCH(int, sent);
        CFakeModem modem;
        UseModem(modem);
        if (fromText >= 0)
            modem.SetSubmitAnswer(fromText, answer);
        else
            modem.SetAnswer(prefix, answer);
        QByteArray r = Request({"111", "222", "333", "444"}, "hello");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), code);
        QCOMPARE(Index(r), index);
        QCOMPARE(Detail(r), detail);
        QCOMPARE(modem.Messages().size(), sent);
        // No recipient after the failing one was tried.
        for (const auto& m : modem.Messages())
            QVERIFY(m.first.toInt() <= 111 * (index + 1));
    }

    // Cancel takes effect between parts: the part on the line is finished, no later one starts.
    void cancelStopsBetweenParts()
    {
        CFakeModem modem;
        UseModem(modem);
        modem.OnSubmit([](int text) {
            if (text == 2)
                SMSCancel();
        });
        QByteArray r = Request({"111", "222", "333"}, "abcdefghijklmnopqrst", true, 10);
        CSmsStatus status;
        QSignalSpy texts(&status, &CSmsStatus::StatusText);
        QCOMPARE(SMSSendMessage(&status, r.data()), int(SMS_ERR_CANCELLED));
        QCOMPARE(modem.Messages().size(), 3);
        QCOMPARE(Index(r), 1); // the second recipient got its first part only
        QCOMPARE(texts.last().first().toString(), CVelmoraWrap::LoadString(SMS_TEXT_STATUS_CANCELLING));

        // The next send is not cancelled by the old request, and a cancel while idle does nothing.
        QCOMPARE(SMSCancel(), int(SMS_OK));
        modem.OnSubmit(nullptr);
        r = Request({"555"}, "again");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_OK));
        QCOMPARE(modem.Messages().last().second, QByteArray("again"));
    }

    // Ctrl-Z or Escape inside the text would end or abort it on the modem.
    void controlCharactersDoNotEndTheText()
    {
        CFakeModem modem;
        UseModem(modem);
        QByteArray r = Request({"111"}, "a\x1A"
                                        "b\x1B"
                                        "c");
        QCOMPARE(SMSSendMessage(nullptr, r.data()), int(SMS_OK));
        QCOMPARE(modem.Messages().size(), 1);
        QCOMPARE(modem.Messages().first().second, QByteArray("a b c"));
    }

    // What the SMS view builds goes out as built: three numbers typed with blanks, a long text split
    // with numbered parts, through the virtual modem and then through a serial modem.
    void builtRequestReachesEveryRecipient()
    {
        CSmsSendRequest::Input in;
        in.autoSplit = true;
        in.breakBetweenWords = true;
        in.addIndex = true;
        in.message = QStringLiteral("Outage on site B, back by noon");
        in.recipients = QStringLiteral("123; 456 ;789");
        in.maxLength = 20;
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(in, &record));

        SMSSetup setup = Setup();
        setup.modemName = QStringLiteral("Virtual modem");
        QCOMPARE(SMSInitialize(setup), int(SMS_OK));
        QCOMPARE(SMSSendMessage(nullptr, record.data()), int(SMS_OK));
        QStringList sent;
        for (const QString& line : OutboxLines())
            sent << line.section(QLatin1Char('\t'), 1, 1) + QLatin1Char(' ') +
                        line.section(QLatin1Char('\t'), 4);
        const QStringList expected{
            QStringLiteral("123 1/2 Outage on site"), QStringLiteral("123 2/2 B, back by noon"),
            QStringLiteral("456 1/2 Outage on site"), QStringLiteral("456 2/2 B, back by noon"),
            QStringLiteral("789 1/2 Outage on site"), QStringLiteral("789 2/2 B, back by noon")};
        QCOMPARE(sent, expected);
        SMSTerminate();

        CFakeModem modem;
        UseModem(modem);
        QCOMPARE(SMSSendMessage(nullptr, record.data()), int(SMS_OK));
        QStringList overTheLine;
        for (const auto& m : modem.Messages())
            overTheLine << QString::fromLatin1(m.first + ' ' + m.second);
        QCOMPARE(overTheLine, expected);
    }

    void errorTextsForEveryCode()
    {
        QCOMPARE(SMSInitialize(Setup()), int(SMS_OK));
        QSet<QString> seen;
        for (int code = 1; code <= SMS_ERR_LAST; ++code) {
            QString text;
            QCOMPARE(SMSGetErrString(code, 0, &text), int(SMS_OK));
            QVERIFY2(!text.isEmpty() && text != QString::number(code), qPrintable(QString::number(code)));
            QVERIFY(!seen.contains(text));
            seen.insert(text);
        }
        QString text;
        SMSGetErrString(SMS_ERR_CMS_ERROR, 500, &text);
        QCOMPARE(text, CVelmoraWrap::LoadString(8011) + QStringLiteral(" (500)"));
        SMSGetErrString(SMS_ERR_NO_ANSWER, SMS_STEP_SUBMIT, &text);
        QCOMPARE(text, CVelmoraWrap::LoadString(8009) + QStringLiteral(" (") +
                           CVelmoraWrap::LoadString(8022) + QLatin1Char(')'));
        SMSGetErrString(99, 0, &text);
        QVERIFY(text.contains(QStringLiteral("99")));
        QVERIFY(text != QStringLiteral("99"));
    }
};

VELMORA_TEST_MAIN(TestSmsLibrary)
#include "tst_sms_library.moc"
