// Splitting a message into parts: each of the four switches of the send request on its own and
// together, and the limits that refuse a message.

#include "CSmsSplitter.h"
#include "CTestEnvironment.h"
#include "Sms.h"

#include <QTest>

using Options = CSmsSplitter::Options;

namespace {
QStringList Split(const QString& text, Options options, int* error = nullptr)
{
    int rc = -1;
    const QStringList parts = CSmsSplitter::Split(text, options, &rc);
    if (error)
        *error = rc;
    else if (rc != SMS_OK)
        qWarning("split failed with %d", rc);
    return parts;
}
Options With(int maxLength, bool autoSplit, bool breakWords, bool stripSpace, bool addIndex)
{
    Options o;
    o.maxLength = maxLength;
    o.autoSplit = autoSplit;
    o.breakWords = breakWords;
    o.stripSpace = stripSpace;
    o.addIndex = addIndex;
    return o;
}
} // namespace

class TestSmsSplit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutAutoSplitOnePartOrRefused()
    {
        const Options o = With(10, false, true, false, true);
        QCOMPARE(Split(QStringLiteral("0123456789"), o), QStringList{QStringLiteral("0123456789")});
        int error = 0;
        QVERIFY(Split(QStringLiteral("0123456789A"), o, &error).isEmpty());
        QCOMPARE(error, int(SMS_ERR_TOO_LONG));
    }

    void autoSplitCutsAtTheMaximum()
    {
        const Options o = With(10, true, false, false, false);
        QCOMPARE(Split(QStringLiteral("the quick brown fox jumps"), o),
                 (QStringList{QStringLiteral("the quick "), QStringLiteral("brown fox "),
                              QStringLiteral("jumps")}));
        QCOMPARE(Split(QStringLiteral("abcdefghijklmnopqrstuvwxyz"), o),
                 (QStringList{QStringLiteral("abcdefghij"), QStringLiteral("klmnopqrst"),
                              QStringLiteral("uvwxyz")}));
    }

    void breakWordsKeepsWordsWhole()
    {
        const Options o = With(10, true, true, false, false);
        QCOMPARE(
            Split(QStringLiteral("the quick brown fox jumps"), o),
            (QStringList{QStringLiteral("the quick"), QStringLiteral("brown fox"), QStringLiteral("jumps")}));
        // A blank right after a full part is a word break too.
        QCOMPARE(Split(QStringLiteral("abcdefghij klm"), o),
                 (QStringList{QStringLiteral("abcdefghij"), QStringLiteral("klm")}));
        // A word longer than a part is cut where it must be.
        QCOMPARE(Split(QStringLiteral("abcdefghijklmno pq"), o),
                 (QStringList{QStringLiteral("abcdefghij"), QStringLiteral("klmno pq")}));
        // Without the switch the same text is cut mid-word.
        QCOMPARE(Split(QStringLiteral("abcdefghij klm"), With(8, true, false, false, false)).first(),
                 QStringLiteral("abcdefgh"));
    }

    void stripSpaceCollapsesBlanks()
    {
        QCOMPARE(CSmsSplitter::StripExtraSpace(QStringLiteral("  Meet \t at   the\t\tgate  \n  now  ")),
                 QStringLiteral("Meet at the gate\nnow"));
        const Options strip = With(140, false, false, true, false);
        QCOMPARE(Split(QStringLiteral("a    b"), strip), QStringList{QStringLiteral("a b")});
        QCOMPARE(Split(QStringLiteral("a    b"), With(140, false, false, false, false)),
                 QStringList{QStringLiteral("a    b")});
        // Stripping can bring a message under the maximum.
        QCOMPARE(Split(QStringLiteral("ab      cd"), With(5, false, false, true, false)),
                 QStringList{QStringLiteral("ab cd")});
        // Parts do not start or end with a blank.
        QCOMPARE(Split(QStringLiteral("abcd efgh ijkl"), With(5, true, false, true, false)),
                 (QStringList{QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ijkl")}));
        int error = 0;
        QVERIFY(Split(QStringLiteral(" \t \n "), strip, &error).isEmpty());
        QCOMPARE(error, int(SMS_ERR_EMPTY_MESSAGE));
    }

    void addIndexNumbersThePartsWithinTheMaximum()
    {
        const Options o = With(10, true, true, false, true);
        // The index's room makes more parts than the three the text needs unnumbered.
        QCOMPARE(
            Split(QStringLiteral("the quick brown fox jumps"), o),
            (QStringList{QStringLiteral("1/5 the"), QStringLiteral("2/5 quick"), QStringLiteral("3/5 brown"),
                         QStringLiteral("4/5 fox"), QStringLiteral("5/5 jumps")}));
        // One part gets no index.
        QCOMPARE(Split(QStringLiteral("short"), o), QStringList{QStringLiteral("short")});
    }

    void indexWidthGrowsWithThePartCount()
    {
        // 95 characters in parts of 10: nine parts unnumbered, but "n/nn " leaves too little room.
        const QString text = QString(95, QLatin1Char('x'));
        const QStringList parts = Split(text, With(10, true, false, false, true));
        QVERIFY(parts.size() >= 10);
        QString joined;
        for (int i = 0; i < parts.size(); ++i) {
            const QString prefix = QStringLiteral("%1/%2 ").arg(i + 1).arg(parts.size());
            QVERIFY2(parts.at(i).startsWith(prefix), qPrintable(parts.at(i)));
            QVERIFY2(parts.at(i).size() <= 10, qPrintable(parts.at(i)));
            joined += parts.at(i).mid(prefix.size());
        }
        QCOMPARE(joined, text); // nothing lost
    }

    void allSwitchesTogether()
    {
        const QStringList parts = Split(QStringLiteral("  Outage   on  site   B,  back  by   noon  "),
                                        With(14, true, true, true, true));
        QCOMPARE(parts, (QStringList{QStringLiteral("1/4 Outage on"), QStringLiteral("2/4 site B,"),
                                     QStringLiteral("3/4 back by"), QStringLiteral("4/4 noon")}));
    }

    void maximumBelowOneIsRefused()
    {
        int error = 0;
        QVERIFY(Split(QStringLiteral("x"), With(0, true, false, false, false), &error).isEmpty());
        QCOMPARE(error, int(SMS_ERR_BAD_REQUEST));
    }
};

VELMORA_TEST_MAIN(TestSmsSplit)
#include "tst_sms_split.moc"
