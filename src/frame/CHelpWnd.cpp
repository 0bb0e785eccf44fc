#include "CHelpWnd.h"

#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"

#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWnd::CHelpWnd(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWnd"));
    setWindowTitle(CVelmoraWrap::LoadString(FrameText::HelpCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
    resize(640, 520);
    // A window of its own, closed with Escape as dialogs are.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

bool CHelpWnd::ShowPage(const QString& file)
{
    const QString path = file.section(QLatin1Char('#'), 0, 0);
    const QString anchor = file.section(QLatin1Char('#'), 1);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(CVelmoraWrap::LoadString(FrameText::HelpMissing).arg(path), VMT_ERROR);
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}
