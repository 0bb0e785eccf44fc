#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: the HTML help pages of the running language, with links followed inside it.
class CHelpWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWnd(QWidget* parent = nullptr);

    // Shows a page (a file of the help folder, optionally with "#anchor"); false when it is missing.
    bool ShowPage(const QString& file);
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};
