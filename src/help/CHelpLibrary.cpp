#include "CHelpLibrary.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>

namespace {

const QString kIndex = QStringLiteral("index.html");

QString PlainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

int Count(const QString& text, const QString& word)
{
    int hits = 0;
    for (int at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size()))
        ++hits;
    return hits;
}

} // namespace

QString CHelpLibrary::Fold(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        // Accents and Hebrew points are marks; the letters under them are what is compared.
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded.toCaseFolded();
}

QString CHelpLibrary::TitleOf(const QString& html)
{
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression heading(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpression* re : {&title, &heading}) {
        const QRegularExpressionMatch match = re->match(html);
        if (match.hasMatch()) {
            const QString text = PlainText(match.captured(1)).simplified();
            if (!text.isEmpty())
                return text;
        }
    }
    return QString();
}

void CHelpLibrary::SetFolder(const QString& folder)
{
    m_folder = folder;
    m_pages.clear();
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(file.readAll());
        CPage page;
        page.topic.file = info.fileName();
        page.topic.title = TitleOf(html);
        if (page.topic.title.isEmpty())
            page.topic.title = info.completeBaseName();
        page.title = Fold(page.topic.title);
        page.text = Fold(PlainText(html));
        m_pages << page;
    }
}

QList<CHelpLibrary::CTopic> CHelpLibrary::Topics() const
{
    QList<CTopic> topics;
    for (const CPage& page : m_pages)
        topics << page.topic;
    QCollator collator;
    std::stable_sort(topics.begin(), topics.end(), [&collator](const CTopic& a, const CTopic& b) {
        if ((a.file == kIndex) != (b.file == kIndex))
            return a.file == kIndex;
        return collator.compare(a.title, b.title) < 0;
    });
    return topics;
}

QList<CHelpLibrary::CTopic> CHelpLibrary::Search(const QString& query) const
{
    static const QRegularExpression separators(QStringLiteral("[\\s\\p{P}]+"));
    const QStringList words = Fold(query).split(separators, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    QList<QPair<int, CTopic>> found;
    for (const CPage& page : m_pages) {
        int score = 0;
        for (const QString& word : words) {
            const int inText = Count(page.text, word);
            if (inText == 0) {
                score = 0;
                break;
            }
            score += inText + 10 * Count(page.title, word);
        }
        if (score > 0)
            found << qMakePair(score, page.topic);
    }
    std::stable_sort(
        found.begin(), found.end(),
        [](const QPair<int, CTopic>& a, const QPair<int, CTopic>& b) { return a.first > b.first; });
    QList<CTopic> topics;
    for (const auto& hit : found)
        topics << hit.second;
    return topics;
}
