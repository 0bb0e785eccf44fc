// The send request: every field at its offset and size, the refusals that keep each field within its
// bytes, and the reading back of what the library leaves in it.

#include "CSmsSendRequest.h"
#include "CTestEnvironment.h"
#include "SmsRequest.h"

#include <QTest>

namespace {

CSmsSendRequest::Input FullInput()
{
    CSmsSendRequest::Input in;
    in.breakBetweenWords = true;
    in.autoSplit = false;
    in.stripExtraSpace = true;
    in.addIndex = true;
    in.option = true;
    in.optionValue = QStringLiteral("0123456789");
    in.message = QStringLiteral("Shift change at 6");
    in.recipients = QStringLiteral("123;456;789");
    in.providerName = QStringLiteral("Carrier");
    in.providerCity = QStringLiteral("Haifa");
    in.providerPrefix = QStringLiteral("+972");
    in.providerPhone = QStringLiteral("541234567");
    in.maxLength = 160;
    return in;
}

QByteArray Bytes(const QByteArray& record, int offset, int size)
{
    return record.mid(offset, size);
}

// A text field: the text, then zeros to the end of the field.
QByteArray Field(const QByteArray& text, int size)
{
    return text + QByteArray(size - text.size(), '\0');
}

QByteArray Le32(quint32 v)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char((v >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

class TestSmsRequest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFieldAtItsOffset()
    {
        QByteArray record(7, 'x'); // anything there before is replaced
        QVERIFY(!CSmsSendRequest::Build(FullInput(), &record));
        QCOMPARE(record.size(), 4311);
        QCOMPARE(Bytes(record, 0, 4), Le32(1));
        QCOMPARE(Bytes(record, 4, 4), Le32(0));
        QCOMPARE(Bytes(record, 8, 4), Le32(1));
        QCOMPARE(Bytes(record, 12, 4), Le32(1));
        QCOMPARE(Bytes(record, 16, 4), Le32(1));
        QCOMPARE(Bytes(record, 20, 11), Field("0123456789", 11));
        QCOMPARE(Bytes(record, 31, 4), Le32(17));
        QCOMPARE(Bytes(record, 35, 4), Le32(3));
        QCOMPARE(Bytes(record, 39, 4), Le32(0));
        QCOMPARE(Bytes(record, 43, 2), QByteArray(2, '\0'));
        QCOMPARE(Bytes(record, 45, 21), Field("123", 21));
        QCOMPARE(Bytes(record, 66, 21), Field("456", 21));
        QCOMPARE(Bytes(record, 87, 21), Field("789", 21));
        QCOMPARE(Bytes(record, 108, 2145 - 108), QByteArray(2145 - 108, '\0'));
        QCOMPARE(Bytes(record, 2145, 21), QByteArray(21, '\0'));
        QCOMPARE(Bytes(record, 2166, 2049), Field("Shift change at 6", 2049));
        QCOMPARE(Bytes(record, 4215, 21), Field("Carrier", 21));
        QCOMPARE(Bytes(record, 4236, 21), Field("Haifa", 21));
        QCOMPARE(Bytes(record, 4257, 21), Field("+972541234567", 21));
        QCOMPARE(Bytes(record, 4278, 4), Le32(160));
        QCOMPARE(Bytes(record, 4282, 29), QByteArray(29, '\0'));
    }

    void recipientsSplitAtSemicolonsAndBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("semicolons") << "123;456;789";
        QTest::newRow("semicolons and blanks") << "123; 456 ;789";
        QTest::newRow("trailing and doubled") << ";123;;456; ;789;";
        QTest::newRow("blanks only") << " 123  456\t789 ";
    }
    void recipientsSplitAtSemicolonsAndBlanks()
    {
        QFETCH(QString, text);
        CSmsSendRequest::Input in = FullInput();
        in.recipients = text;
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(in, &record));
        QCOMPARE(SmsRecord::ReadInt(record.constData(), SMS_OFF_RECIPIENT_COUNT), 3);
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 0), QStringLiteral("123"));
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 1), QStringLiteral("456"));
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 2), QStringLiteral("789"));
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 3), QString());
    }

    // 100 numbers fill every slot up to the reserved zeros; the 101st is refused, as is a 21st digit,
    // before anything is built.
    void slotsAreNeverOverrun()
    {
        QStringList numbers;
        for (int i = 0; i < 100; ++i)
            numbers << QStringLiteral("%1").arg(i, 20, 10, QLatin1Char('9'));
        CSmsSendRequest::Input in = FullInput();
        in.recipients = numbers.join(QLatin1Char(';'));
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(in, &record));
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 99), numbers.last());
        QCOMPARE(record.at(45 + 99 * 21 + 20), '\0');
        QCOMPARE(Bytes(record, 2145, 21), QByteArray(21, '\0'));

        in.recipients += QStringLiteral(";5");
        QByteArray refused("untouched");
        CVelmoraError error = CSmsSendRequest::Build(in, &refused);
        QCOMPARE(error.Id(), 8027);
        QCOMPARE(error.Args(), QStringList{QStringLiteral("101")});
        QCOMPARE(refused, QByteArray("untouched"));

        in.recipients = QStringLiteral("123;123456789012345678901");
        error = CSmsSendRequest::Build(in, &refused);
        QCOMPARE(error.Id(), 8028);
        QCOMPARE(error.Args(), QStringList{QStringLiteral("123456789012345678901")});

        in.recipients = QStringLiteral(" ; ");
        QCOMPARE(CSmsSendRequest::Build(in, &refused).Id(), 1664);
    }

    // The carrier's texts may be longer than their fields: they are cut, and the next field keeps
    // its own value.
    void serviceCentreTextsAreCutToTheirFields()
    {
        CSmsSendRequest::Input in = FullInput();
        in.providerName = QString(30, QLatin1Char('N'));
        in.providerCity = QString(25, QLatin1Char('C'));
        in.providerPrefix = QStringLiteral("+972000000");
        in.providerPhone = QStringLiteral("5412345678901");
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(in, &record));
        QCOMPARE(Bytes(record, 4215, 21), Field(QByteArray(20, 'N'), 21));
        QCOMPARE(Bytes(record, 4236, 21), Field(QByteArray(20, 'C'), 21));
        QCOMPARE(Bytes(record, 4257, 21), Field("+9720000005412345678", 21));
        QCOMPARE(Bytes(record, 4278, 4), Le32(160));
    }

    void longTextsAreCutAndLengthFollows()
    {
        CSmsSendRequest::Input in = FullInput();
        in.message = QString(2100, QLatin1Char('m'));
        in.optionValue = QStringLiteral("ABCDEFGHIJKLMN");
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(in, &record));
        QCOMPARE(SmsRecord::ReadInt(record.constData(), SMS_OFF_MESSAGE_LENGTH), 2048);
        QCOMPARE(record.at(2166 + 2048), '\0');
        QCOMPARE(Bytes(record, 20, 11), Field("ABCDEFGHIJ", 11));

        // Latin-1 letters go as single bytes; what the modem's character set lacks is refused.
        in.message = QStringLiteral("Caf\u00e9 ouvert");
        QVERIFY(!CSmsSendRequest::Build(in, &record));
        QCOMPARE(Bytes(record, 2166, 12), QByteArray("Caf\xe9 ouvert\0", 12));
        in.message = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
        const CVelmoraError error = CSmsSendRequest::Build(in, &record);
        QCOMPARE(error.Id(), 8029);
        QCOMPARE(error.Args(), QStringList{QStringLiteral("\u05e9")});
    }

    void readsWhatTheLibraryLeft()
    {
        QByteArray record;
        QVERIFY(!CSmsSendRequest::Build(FullInput(), &record));
        SmsRecord::WriteInt(record.data(), SMS_OFF_CURRENT, 2);
        SmsRecord::WriteShort(record.data(), SMS_OFF_DETAIL, 500);
        QCOMPARE(CSmsSendRequest::CurrentIndex(record), 2);
        QCOMPARE(CSmsSendRequest::RecipientAt(record, CSmsSendRequest::CurrentIndex(record)),
                 QStringLiteral("789"));
        QCOMPARE(CSmsSendRequest::DetailCode(record), 500);
        QCOMPARE(CSmsSendRequest::RecipientAt(record, 100), QString());
        QCOMPARE(CSmsSendRequest::CurrentIndex(QByteArray(10, '\0')), -1);
    }
};

VELMORA_TEST_MAIN(TestSmsRequest)
#include "tst_sms_request.moc"
