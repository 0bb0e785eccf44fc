#pragma once

#include "CHelpLibrary.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;

// The help window: the topic list and a search of the pages of one language on one side, the page on
// the other, with back, forward (also Alt+Left / Alt+Right) and home. Links between pages are followed
// inside it; a link to a page that is not there says so instead of showing a blank page. The window
// reads right to left when its pages are the Hebrew ones.
class CHelpWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWnd(QWidget* parent = nullptr);

    // Shows a page (a file path, optionally with "#anchor"); its folder becomes the window's language.
    // False, with the missing-page message, when the file is not there.
    bool ShowPage(const QString& file);
    QString Folder() const { return m_library.Folder(); }
    // The topic list and search read this folder's pages.
    void SetFolder(const QString& folder);

    // Runs a search as the search tab does; the number of pages found.
    int Search(const QString& words);
    // Opens the n-th result of the last search.
    bool OpenResult(int row);
    void GoHome();

    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* TopicList() const { return m_topics; }
    QListWidget* ResultList() const { return m_results; }

private:
    QWidget* BuildToolBar();
    QWidget* BuildSearchTab();
    void OnLink(const QUrl& url);
    void OnSourceChanged(const QUrl& source);
    void FillTopics();

    CHelpLibrary m_library;
    QTextBrowser* m_browser = nullptr;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_topics = nullptr;
    QLineEdit* m_query = nullptr;
    QListWidget* m_results = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
};
