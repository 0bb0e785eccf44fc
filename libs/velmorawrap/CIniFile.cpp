#include "CIniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

bool CIniFile::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lines.clear();
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return Parse(file.readAll(), path);
}

bool CIniFile::Parse(const QByteArray& contents, const QString& origin)
{
    m_lines.clear();
    m_error.clear();
    QByteArray data = contents;
    m_bom = data.startsWith("\xEF\xBB\xBF");
    if (m_bom)
        data.remove(0, 3);
    m_crlf = data.contains("\r\n");

    std::vector<Line> lines;
    QSet<QString> sections;
    QSet<QString> keys; // "section\nkey", folded
    QString current;
    bool inSection = false;
    QList<QByteArray> rawLines = data.split('\n');
    if (!rawLines.isEmpty() && rawLines.last().isEmpty())
        rawLines.removeLast();
    for (int i = 0; i < rawLines.size(); ++i) {
        QByteArray bytes = rawLines.at(i);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        Line line;
        line.raw = QString::fromUtf8(bytes);
        const QString text = line.raw.trimmed();
        const auto fail = [&](const QString& why) {
            m_error = QStringLiteral("%1:%2: %3").arg(origin).arg(i + 1).arg(why);
            return false;
        };
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'))) {
            line.section = current;
        } else if (text.startsWith(QLatin1Char('['))) {
            if (!text.endsWith(QLatin1Char(']')) || text.size() < 3)
                return fail(QStringLiteral("a section header must look like [name]"));
            current = text.mid(1, text.size() - 2).trimmed();
            if (current.isEmpty())
                return fail(QStringLiteral("a section header must look like [name]"));
            if (sections.contains(current.toCaseFolded()))
                return fail(QStringLiteral("section [%1] appears twice").arg(current));
            sections.insert(current.toCaseFolded());
            inSection = true;
            line.kind = Kind::Section;
            line.section = current;
        } else {
            const int eq = text.indexOf(QLatin1Char('='));
            if (eq < 0)
                return fail(QStringLiteral("expected key=value"));
            if (!inSection)
                return fail(QStringLiteral("a key comes before the first section"));
            line.kind = Kind::Key;
            line.section = current;
            line.key = text.left(eq).trimmed();
            if (line.key.isEmpty())
                return fail(QStringLiteral("a key has no name"));
            QString value = text.mid(eq + 1).trimmed();
            if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
                value = value.mid(1, value.size() - 2);
            line.value = value;
            const QString folded = current.toCaseFolded() + QLatin1Char('\n') + line.key.toCaseFolded();
            if (keys.contains(folded))
                return fail(QStringLiteral("key \"%1\" appears twice in [%2]").arg(line.key, current));
            keys.insert(folded);
        }
        lines.push_back(std::move(line));
    }
    m_lines = std::move(lines);
    return true;
}

QByteArray CIniFile::Serialize() const
{
    QByteArray out;
    if (m_bom)
        out += "\xEF\xBB\xBF";
    const QByteArray eol = m_crlf ? QByteArray("\r\n") : QByteArray("\n");
    for (const Line& line : m_lines) {
        out += line.raw.toUtf8();
        out += eol;
    }
    return out;
}

bool CIniFile::Save(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(Serialize());
    if (!file.commit()) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int CIniFile::FindSection(const QString& section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && m_lines[i].section.compare(section, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int CIniFile::FindKey(const QString& section, const QString& key) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && line.key.compare(key, Qt::CaseInsensitive) == 0 &&
            line.section.compare(section, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool CIniFile::HasSection(const QString& section) const
{
    return FindSection(section) >= 0;
}

bool CIniFile::Value(const QString& section, const QString& key, QString& value) const
{
    const int i = FindKey(section, key);
    if (i < 0)
        return false;
    value = m_lines[size_t(i)].value;
    return true;
}

QString CIniFile::EncodeValue(const QString& value)
{
    // A value that would lose its edges on reading (outer blanks, or outer quotes) is written quoted.
    const bool quote =
        !value.isEmpty() &&
        (value.front().isSpace() || value.back().isSpace() ||
         (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))));
    return quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

bool CIniFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
        key.contains(QLatin1Char('=')) || key.trimmed().isEmpty() || section.trimmed().isEmpty() ||
        section.contains(QLatin1Char(']'))) {
        m_error = QStringLiteral("cannot store [%1] %2: the name or value does not fit on one line")
                      .arg(section, key);
        return false;
    }
    const int existing = FindKey(section, key);
    if (existing >= 0) {
        Line& line = m_lines[size_t(existing)];
        line.value = value;
        line.raw = line.key + QLatin1Char('=') + EncodeValue(value);
        return true;
    }
    Line line;
    line.kind = Kind::Key;
    line.key = key.trimmed();
    line.value = value;
    line.raw = line.key + QLatin1Char('=') + EncodeValue(value);
    const int header = FindSection(section);
    if (header < 0) {
        if (!m_lines.empty() && !m_lines.back().raw.trimmed().isEmpty()) {
            Line blank;
            m_lines.push_back(blank);
        }
        Line head;
        head.kind = Kind::Section;
        head.section = section.trimmed();
        head.raw = QLatin1Char('[') + head.section + QLatin1Char(']');
        m_lines.push_back(head);
        line.section = head.section;
        m_lines.push_back(line);
        return true;
    }
    line.section = m_lines[size_t(header)].section;
    // After the section's last key, or right after its header when it has none.
    size_t at = size_t(header) + 1;
    for (size_t i = size_t(header) + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i) {
        if (m_lines[i].kind == Kind::Key)
            at = i + 1;
    }
    m_lines.insert(m_lines.begin() + long(at), line);
    return true;
}
