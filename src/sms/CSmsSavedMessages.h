#pragma once

#include "CVelmoraError.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <memory>

class CTransaction;
class IVelmoraQuestion;

// The messages saved in a fleet file (tarn_velmora_sms_saved_message): saving the view's message
// over the one it loaded or as a new one, listing them, and the load dialog's deletions, which
// stand only when the dialog is confirmed.
class CSmsSavedMessages
{
public:
    struct Row
    {
        int id = -1;
        QString text;
        QDateTime date;
    };

    explicit CSmsSavedMessages(const QSqlDatabase& db);
    ~CSmsSavedMessages();

    // Saves text at now. currentId ("-1" when none) names the message the view loaded or saved last:
    // when it still exists the user chooses between replacing it and saving a new one. A new row's id
    // becomes currentId. An empty text is refused (1630).
    CVelmoraError Save(const QString& text, const QDateTime& now, QString& currentId,
                       IVelmoraQuestion& question);
    // Every saved message, in table order.
    QList<Row> List(CVelmoraError& error) const;

    // The load dialog's session: deletions made after BeginSession are undone by Rollback (and when
    // the object goes) and kept by Commit.
    CVelmoraError BeginSession();
    CVelmoraError Delete(int id);
    CVelmoraError Commit();
    void Rollback();

private:
    QSqlDatabase m_db;
    std::unique_ptr<CTransaction> m_session;
};
