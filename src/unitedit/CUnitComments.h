#pragma once

#include "CPhoneTextCodec.h"
#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>

// What the comments page edits: the free comment of a unit (units_comments of its unit_details
// record), at most 27 characters, in the code page the unit's texts go to the phone in.
class CUnitComments
{
public:
    enum : int
    {
        MaxLength = 27,
    };

    CUnitComments(const QSqlDatabase& db, const QString& imei, bool hebrewInterface);

    // Reads the comment and the unit's text language. A unit without a record is an error (1634).
    CVelmoraError Load();
    QString Text() const { return m_text; }
    // Takes a new comment: a longer one is cut to MaxLength; one with a character the phone cannot
    // show is refused with the message naming it, and the comment stays as it was.
    CVelmoraError SetText(const QString& text);
    // The character-set check the edit uses while the comment is typed.
    const CPhoneTextCodec& Codec() const { return m_codec; }
    bool IsChanged() const { return m_text != m_loaded; }
    // Writes the comment into the unit's record. After a failure the database's own text.
    CVelmoraError Save();
    // The save was committed: the written comment is the one to compare with from now on.
    void SaveCommitted() { m_loaded = m_text; }

private:
    QSqlDatabase m_db;
    QString m_imei;
    bool m_hebrewInterface = false;
    CPhoneTextCodec m_codec;
    QString m_loaded;
    QString m_text;
};
