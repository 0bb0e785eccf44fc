#pragma once

#include <QList>
#include <QString>

// The help pages of one language's folder: their titles (the topic list) and a search across their
// words. The pages are read once, when the folder is set.
class CHelpLibrary
{
public:
    struct CTopic
    {
        QString file;  // file name in the folder
        QString title; // the page's <title>, else its <h1>, else the file name
    };

    CHelpLibrary() = default;
    explicit CHelpLibrary(const QString& folder) { SetFolder(folder); }

    void SetFolder(const QString& folder);
    QString Folder() const { return m_folder; }
    // The contents page first, then the others by title.
    QList<CTopic> Topics() const;
    // Pages holding every word of the query (case and accents ignored), the most hits first; a title
    // holding a word counts more than its text. Empty for an empty query.
    QList<CTopic> Search(const QString& query) const;

    // The title of an HTML page's text.
    static QString TitleOf(const QString& html);
    // Lower case without accents, for comparing words.
    static QString Fold(const QString& text);

private:
    struct CPage
    {
        CTopic topic;
        QString text;  // folded plain text
        QString title; // folded title
    };

    QString m_folder;
    QList<CPage> m_pages;
};
