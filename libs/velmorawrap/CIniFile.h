#pragma once

#include <QString>
#include <vector>

// A strict INI file: "[section]" headers, "key=value" lines, ";" or "#" comment lines and blank lines.
// Anything else (a key before the first section, a line without "=", a repeated section or key)
// makes the file damaged. Sections and keys match without regard to case. Writing keeps every
// comment, blank line and the order of sections and keys; "#", "%", quotes and any Unicode text
// are kept in values as they are.
class CIniFile
{
public:
    bool Load(const QString& path);
    bool Parse(const QByteArray& contents, const QString& origin);
    // Writes to a temporary file beside the target and renames it over, so the file is never half-written.
    bool Save(const QString& path);
    QByteArray Serialize() const;

    bool Value(const QString& section, const QString& key, QString& value) const;
    bool HasSection(const QString& section) const;
    // Changes the key in place, or adds it at the end of its section (adding the section when needed).
    // A value holding a line break is refused.
    bool SetValue(const QString& section, const QString& key, const QString& value);

    QString ErrorString() const { return m_error; }

private:
    enum class Kind
    {
        Other,
        Section,
        Key
    };
    struct Line
    {
        Kind kind = Kind::Other;
        QString raw;     // the line as read or as last written
        QString section; // for a Section line, its name; for a Key line, its section
        QString key;
        QString value;
    };

    int FindKey(const QString& section, const QString& key) const;
    int FindSection(const QString& section) const;
    static QString EncodeValue(const QString& value);

    std::vector<Line> m_lines;
    bool m_crlf = false;
    bool m_bom = false;
    QString m_error;
};
