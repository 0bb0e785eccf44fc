#include "CSmsSavedMessages.h"

#include "CFleetConnection.h"
#include "CLoadSmsRecordset.h"
#include "CTransaction.h"
#include "IVelmoraQuestion.h"
#include "SmsMessageIds.h"
#include "VelmoraTypes.h"

CSmsSavedMessages::CSmsSavedMessages(const QSqlDatabase& db) : m_db(db) {}

CSmsSavedMessages::~CSmsSavedMessages()
{
    Rollback();
}

CVelmoraError CSmsSavedMessages::Save(const QString& text, const QDateTime& now, QString& currentId,
                                      IVelmoraQuestion& question)
{
    if (text.isEmpty())
        return CVelmoraError::Message(SmsMsg::EmptyMessage);

    CLoadSmsRecordset rs(m_db);
    bool isNumber = false;
    const int id = currentId.toInt(&isNumber);
    if (!rs.Open(QStringLiteral("message_id = ?"), {isNumber ? id : -1}))
        return CVelmoraError::Text(rs.LastError());

    bool replace = false;
    if (!rs.IsEOF())
        replace = question.Ask(CVelmoraError::Message(SmsMsg::ReplaceSaved, {}, VMT_YESNO)) == IDYES;
    if (replace)
        rs.Edit();
    else
        rs.AddNew();
    rs.m_message_text = text;
    rs.m_message_date = now;
    if (!rs.Update())
        return CVelmoraError::Text(rs.LastError());
    // The added row, with the counter the database gave it, is the recordset's last.
    if (!replace) {
        rs.MoveLast();
        currentId = QString::number(rs.m_message_id);
    }
    return {};
}

QList<CSmsSavedMessages::Row> CSmsSavedMessages::List(CVelmoraError& error) const
{
    QList<Row> rows;
    CLoadSmsRecordset rs(m_db);
    if (!rs.Open()) {
        error = CVelmoraError::Text(rs.LastError());
        return rows;
    }
    for (; !rs.IsEOF(); rs.MoveNext())
        rows << Row{rs.m_message_id, rs.m_message_text, rs.m_message_date};
    return rows;
}

CVelmoraError CSmsSavedMessages::BeginSession()
{
    m_session = std::make_unique<CTransaction>(m_db);
    if (!m_session->IsActive()) {
        const QString error = m_session->LastError();
        m_session.reset();
        return CVelmoraError::Text(error);
    }
    return {};
}

CVelmoraError CSmsSavedMessages::Delete(int id)
{
    return CFleetConnection::Exec(
        m_db, QStringLiteral("DELETE FROM tarn_velmora_sms_saved_message WHERE message_id = ?"), {id});
}

CVelmoraError CSmsSavedMessages::Commit()
{
    if (!m_session)
        return {};
    if (!m_session->Commit()) {
        const QString error = m_session->LastError();
        m_session.reset();
        return CVelmoraError::Text(error);
    }
    m_session.reset();
    return {};
}

void CSmsSavedMessages::Rollback()
{
    m_session.reset();
}
