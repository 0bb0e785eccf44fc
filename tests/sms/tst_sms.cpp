// The SMS logic without widgets: splitting and limiting recipients, the checks of the send command
// before the modem is reached, and saved messages with the load dialog's deletions.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CSmsRecipients.h"
#include "CSmsSavedMessages.h"
#include "CSmsSendPlan.h"
#include "CTestEnvironment.h"
#include "IVelmoraQuestion.h"
#include "SmsMessageIds.h"
#include "VelmoraTypes.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestSms : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }
    CScriptedAnswerer& User() { return CScriptedAnswerer::Instance(); }

    int Count() const
    {
        QSqlQuery q(Db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM tarn_velmora_sms_saved_message"));
        return q.next() ? q.value(0).toInt() : -1;
    }
    QString TextOf(int id) const
    {
        QSqlQuery q(Db());
        q.prepare(
            QStringLiteral("SELECT message_text FROM tarn_velmora_sms_saved_message WHERE message_id = ?"));
        q.addBindValue(id);
        return q.exec() && q.next() ? q.value(0).toString() : QString();
    }
    CVelmoraError Prepare(const CSmsDraft& draft, const CSmsSendSettings& settings, CSmsSendPlan& plan)
    {
        return CSmsSendPlan::Prepare(draft, settings, IVelmoraQuestion::Shared(), plan);
    }
    static CSmsDraft Draft(const QString& recipients, const QString& text)
    {
        CSmsDraft d;
        d.recipients = recipients;
        d.text = text;
        return d;
    }
    static CSmsSendSettings Settings(bool autoSplit = false)
    {
        CSmsSendSettings s;
        s.modemId = QStringLiteral("0");
        s.autoSplit = autoSplit;
        s.maxLength = 10;
        return s;
    }

private Q_SLOTS:
    void init()
    {
        User().Clear();
        const QString path = m_dir.filePath(QStringLiteral("sms.vlf"));
        QFile::remove(path);
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
    }
    void cleanup() { m_fleet.reset(); }

    void recipientsSplitAtSemicolonsAndBlanks()
    {
        const QStringList expected{"123", "456", "789"};
        QCOMPARE(CSmsRecipients::Split("123;456;789"), expected);
        QCOMPARE(CSmsRecipients::Split("123; 456 ;789"), expected);
        QCOMPARE(CSmsRecipients::Split(";123;;456;789;"), expected);
        QVERIFY(CSmsRecipients::Split(" ; ").isEmpty());
    }

    void recipientsAppendAfterASeparator()
    {
        QCOMPARE(CSmsRecipients::Append("", "1;2;"), QString("1;2;"));
        QCOMPARE(CSmsRecipients::Append("9", "1;2;"), QString("9;1;2;"));
        QCOMPARE(CSmsRecipients::Append("9;", "1;"), QString("9;1;"));
        // Nothing chosen adds no separator.
        QCOMPARE(CSmsRecipients::Append("9", ""), QString("9"));
        QCOMPARE(CSmsRecipients::FreeSlots(0), 100);
        QCOMPARE(CSmsRecipients::FreeSlots(30), 70);
        QCOMPARE(CSmsRecipients::FreeSlots(120), 0);
    }

    void sendChecksInOrder()
    {
        CSmsSendPlan plan;
        CSmsSendSettings noModem = Settings();
        noModem.modemId = QStringLiteral("-1");
        QCOMPARE(Prepare(Draft("1", "hi"), noModem, plan).Id(), int(SmsMsg::NoModem));
        noModem.modemId.clear();
        QCOMPARE(Prepare(Draft("1", "hi"), noModem, plan).Id(), int(SmsMsg::NoModem));
        QCOMPARE(Prepare(Draft("", "hi"), Settings(), plan).Id(), int(SmsMsg::NoRecipient));
        QCOMPARE(Prepare(Draft(";;", "hi"), Settings(), plan).Id(), int(SmsMsg::NoRecipient));
        QCOMPARE(User().Count(), 0);

        QVERIFY(!Prepare(Draft("123; 456 ;789", "hi"), Settings(), plan).IsError());
        QCOMPARE(plan.numbers, QStringList({"123", "456", "789"}));
        QCOMPARE(plan.text, QString("hi"));
    }

    void longMessageAsksOnlyWithoutAutoSplit()
    {
        CSmsSendPlan plan;
        const QString atMax(10, QLatin1Char('a'));
        QVERIFY(!Prepare(Draft("1", atMax), Settings(), plan).IsError());
        QCOMPARE(User().Count(), 0);

        const QString overMax = atMax + QLatin1Char('b');
        User().Script({IDNO});
        QVERIFY(Prepare(Draft("1", overMax), Settings(), plan).IsCancelled());
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::CutToMaximum});

        User().Clear();
        User().Script({IDYES});
        QVERIFY(!Prepare(Draft("1", overMax), Settings(), plan).IsError());
        QCOMPARE(plan.text, atMax);

        User().Clear();
        QVERIFY(!Prepare(Draft("1", overMax), Settings(true), plan).IsError());
        QCOMPARE(User().Count(), 0);
        QCOMPARE(plan.text, overMax);
    }

    void tooManyOrTooLongRecipientsAreRefused()
    {
        QStringList hundred;
        for (int i = 0; i < 100; ++i)
            hundred << QString::number(1000 + i);
        CSmsSendPlan plan;
        QVERIFY(!Prepare(Draft(hundred.join(';'), "hi"), Settings(), plan).IsError());
        QCOMPARE(plan.numbers.size(), 100);

        hundred << QStringLiteral("5");
        const CVelmoraError tooMany = Prepare(Draft(hundred.join("; "), "hi"), Settings(), plan);
        QCOMPARE(tooMany.Id(), int(SmsMsg::TooManyRecipients));

        const QString longNumber(21, QLatin1Char('7'));
        const CVelmoraError tooLong = Prepare(Draft("1;" + longNumber, "hi"), Settings(), plan);
        QCOMPARE(tooLong.Id(), int(SmsMsg::NumberTooLong));
        QVERIFY(tooLong.Args().contains(longNumber));
    }

    void saveNewThenReplaceOrAdd()
    {
        CSmsSavedMessages store(Db());
        const int before = Count();
        QString current = QStringLiteral("-1");
        const QDateTime when(QDate(2026, 12, 8), QTime(10, 30));
        QCOMPARE(store.Save("", when, current, IVelmoraQuestion::Shared()).Id(), int(SmsMsg::EmptyMessage));
        QCOMPARE(Count(), before);

        QVERIFY(!store.Save("first", when, current, IVelmoraQuestion::Shared()).IsError());
        QCOMPARE(User().Count(), 0);
        const int firstId = current.toInt();
        QVERIFY(firstId > 0);
        QCOMPARE(TextOf(firstId), QString("first"));

        // Yes replaces the loaded message in place.
        User().Script({IDYES});
        const CVelmoraError replaced = store.Save("second", when, current, IVelmoraQuestion::Shared());
        QVERIFY2(!replaced.IsError(), qPrintable(replaced.ToText()));
        QCOMPARE(User().Ids(), QList<int>{SmsMsg::ReplaceSaved});
        QCOMPARE(current.toInt(), firstId);
        QCOMPARE(TextOf(firstId), QString("second"));
        QCOMPARE(Count(), before + 1);

        // No keeps it and saves a new message, which becomes the current one.
        User().Clear();
        User().Script({IDNO});
        QVERIFY(!store.Save("third", when, current, IVelmoraQuestion::Shared()).IsError());
        QVERIFY(current.toInt() != firstId);
        QCOMPARE(TextOf(firstId), QString("second"));
        QCOMPARE(TextOf(current.toInt()), QString("third"));
        QCOMPARE(Count(), before + 2);

        // A current id whose row is gone saves a new one without asking.
        User().Clear();
        current = QStringLiteral("99999");
        QVERIFY(!store.Save("fourth", when, current, IVelmoraQuestion::Shared()).IsError());
        QCOMPARE(User().Count(), 0);
        QCOMPARE(Count(), before + 3);

        CVelmoraError error;
        const QList<CSmsSavedMessages::Row> rows = store.List(error);
        QVERIFY(!error.IsError());
        QCOMPARE(rows.size(), Count());
        QCOMPARE(rows.last().text, QString("fourth"));
        QCOMPARE(rows.last().date, when);
    }

    void deletionsStandOnlyWhenCommitted()
    {
        CSmsSavedMessages saver(Db());
        QString id = QStringLiteral("-1");
        for (const char* text : {"a", "b", "c"}) {
            id = QStringLiteral("-1");
            QVERIFY(
                !saver.Save(text, QDateTime::currentDateTime(), id, IVelmoraQuestion::Shared()).IsError());
        }
        const int all = Count();
        CVelmoraError error;
        {
            CSmsSavedMessages dialog(Db());
            QVERIFY(!dialog.BeginSession().IsError());
            for (const CSmsSavedMessages::Row& row : dialog.List(error))
                QVERIFY(!dialog.Delete(row.id).IsError());
            QCOMPARE(Count(), 0);
            dialog.Rollback();
        }
        QCOMPARE(Count(), all);
        {
            // Going away without a decision is a cancel too.
            CSmsSavedMessages dialog(Db());
            QVERIFY(!dialog.BeginSession().IsError());
            QVERIFY(!dialog.Delete(id.toInt()).IsError());
        }
        QCOMPARE(Count(), all);

        CSmsSavedMessages dialog(Db());
        QVERIFY(!dialog.BeginSession().IsError());
        QVERIFY(!dialog.Delete(id.toInt()).IsError());
        QVERIFY(!dialog.Commit().IsError());
        dialog.Rollback();
        QCOMPARE(Count(), all - 1);
        QVERIFY(TextOf(id.toInt()).isEmpty());
    }
};

VELMORA_TEST_MAIN(TestSms)
#include "tst_sms.moc"
