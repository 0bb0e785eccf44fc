#include "CResourceStrings.h"

#include <QFile>
#include <algorithm>

bool CResourceStrings::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_texts.clear();
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return Parse(file.readAll(), path);
}

bool CResourceStrings::Parse(const QByteArray& contents, const QString& origin)
{
    m_texts.clear();
    m_error.clear();
    QHash<int, QString> texts;
    const QList<QByteArray> lines = contents.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (i == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        if (raw.trimmed().isEmpty() || raw.startsWith('#'))
            continue;
        const auto fail = [&](const QString& why) {
            m_error = QStringLiteral("%1:%2: %3").arg(origin).arg(i + 1).arg(why);
            return false;
        };
        const int tab = raw.indexOf('\t');
        if (tab <= 0)
            return fail(QStringLiteral("expected an id, a tab and a text"));
        bool ok = false;
        const int id = raw.left(tab).toInt(&ok);
        if (!ok || id <= 0)
            return fail(QStringLiteral("the id is not a positive number"));
        if (texts.contains(id))
            return fail(QStringLiteral("id %1 appears twice").arg(id));
        const QString text = Unescape(QString::fromUtf8(raw.mid(tab + 1)), &ok);
        if (!ok)
            return fail(QStringLiteral("unknown escape sequence"));
        texts.insert(id, text);
    }
    if (texts.isEmpty()) {
        m_error = QStringLiteral("%1: no texts").arg(origin);
        return false;
    }
    m_texts = std::move(texts);
    return true;
}

QList<int> CResourceStrings::Ids() const
{
    QList<int> ids = m_texts.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString CResourceStrings::Unescape(const QString& text, bool* ok)
{
    *ok = true;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (i + 1 >= text.size()) {
            *ok = false;
            return {};
        }
        const QChar e = text.at(++i);
        if (e == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (e == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (e == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            *ok = false;
            return {};
        }
    }
    return out;
}

QString CResourceStrings::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else
            out += c;
    }
    return out;
}
