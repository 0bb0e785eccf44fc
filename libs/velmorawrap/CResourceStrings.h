#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The texts of one language, by numeric id, loaded from a language file
// (lines of "id<TAB>text", with \n, \t and \\ escapes, # comments).
class CResourceStrings
{
public:
    // Replaces the table with the file's contents. On failure the table is left empty and
    // ErrorString() names the file and the line at fault.
    bool Load(const QString& path);
    bool Parse(const QByteArray& contents, const QString& origin);

    bool Contains(int id) const { return m_texts.contains(id); }
    QString Text(int id) const { return m_texts.value(id); }
    QList<int> Ids() const;
    bool IsEmpty() const { return m_texts.isEmpty(); }
    QString ErrorString() const { return m_error; }

    static QString Unescape(const QString& text, bool* ok);
    static QString Escape(const QString& text);

private:
    QHash<int, QString> m_texts;
    QString m_error;
};
