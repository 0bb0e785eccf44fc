#include "CHelpWnd.h"

#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"
#include "HelpMessageIds.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kIndex = QStringLiteral("index.html");

enum : int
{
    FileRole = Qt::UserRole + 1
};

QToolButton* ToolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int textId)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(CVelmoraWrap::LoadString(textId));
    button->setToolTip(button->text());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

// Long titles (the Hebrew and French ones above all) wrap onto a second line instead of hiding behind a
// horizontal scroll bar.
void WrapTitles(QListWidget* list)
{
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
}

} // namespace

CHelpWnd::CHelpWnd(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWnd"));
    setWindowTitle(CVelmoraWrap::LoadString(FrameText::HelpCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolBar());

    auto* splitter = new QSplitter(this);
    m_tabs = new QTabWidget(splitter);
    m_topics = new QListWidget(m_tabs);
    m_topics->setObjectName(QStringLiteral("HelpTopics"));
    WrapTitles(m_topics);
    m_tabs->addTab(m_topics, CVelmoraWrap::LoadString(HelpText::ContentsTab));
    m_tabs->addTab(BuildSearchTab(), CVelmoraWrap::LoadString(HelpText::SearchTab));
    m_browser = new QTextBrowser(splitter);
    m_browser->setOpenLinks(false);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 650});
    layout->addWidget(splitter, 1);
    resize(900, 600);

    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWnd::OnLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWnd::OnSourceChanged);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_topics, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        ShowPage(QDir(Folder()).filePath(item->data(FileRole).toString()));
    });
    connect(m_topics, &QListWidget::itemClicked, m_topics, &QListWidget::itemActivated);

    // A window of its own, closed with Escape as dialogs are; back and forward with the usual keys.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Back))
        connect(new QShortcut(key, this), &QShortcut::activated, m_browser, &QTextBrowser::backward);
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Forward))
        connect(new QShortcut(key, this), &QShortcut::activated, m_browser, &QTextBrowser::forward);
}

QWidget* CHelpWnd::BuildToolBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    m_back = ToolButton(bar, "HelpBack", QStyle::SP_ArrowBack, HelpText::Back);
    m_forward = ToolButton(bar, "HelpForward", QStyle::SP_ArrowForward, HelpText::Forward);
    auto* home = ToolButton(bar, "HelpHome", QStyle::SP_DirHomeIcon, HelpText::Home);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, this, [this]() { m_browser->backward(); });
    connect(m_forward, &QToolButton::clicked, this, [this]() { m_browser->forward(); });
    connect(home, &QToolButton::clicked, this, &CHelpWnd::GoHome);
    row->addWidget(m_back);
    row->addWidget(m_forward);
    row->addWidget(home);
    row->addStretch(1);
    return bar;
}

QWidget* CHelpWnd::BuildSearchTab()
{
    auto* tab = new QWidget(m_tabs);
    auto* column = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout;
    m_query = new QLineEdit(tab);
    m_query->setObjectName(QStringLiteral("HelpQuery"));
    m_query->setPlaceholderText(CVelmoraWrap::LoadString(HelpText::SearchHint));
    m_query->setClearButtonEnabled(true);
    auto* find = new QPushButton(CVelmoraWrap::LoadString(HelpText::SearchButton), tab);
    find->setObjectName(QStringLiteral("HelpFind"));
    row->addWidget(m_query, 1);
    row->addWidget(find);
    column->addLayout(row);
    m_results = new QListWidget(tab);
    m_results->setObjectName(QStringLiteral("HelpResults"));
    WrapTitles(m_results);
    column->addWidget(m_results, 1);
    const auto run = [this]() { Search(m_query->text()); };
    connect(m_query, &QLineEdit::returnPressed, this, run);
    connect(find, &QPushButton::clicked, this, run);
    connect(m_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OpenResult(m_results->row(item)); });
    connect(m_results, &QListWidget::itemClicked, m_results, &QListWidget::itemActivated);
    return tab;
}

void CHelpWnd::SetFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean == m_library.Folder())
        return;
    m_library.SetFolder(clean);
    setLayoutDirection(QFileInfo(clean).fileName() == QLatin1String("he") ? Qt::RightToLeft
                                                                          : Qt::LeftToRight);
    FillTopics();
    m_results->clear();
}

void CHelpWnd::FillTopics()
{
    m_topics->clear();
    for (const CHelpLibrary::CTopic& topic : m_library.Topics()) {
        auto* item = new QListWidgetItem(topic.title, m_topics);
        item->setData(FileRole, topic.file);
    }
}

bool CHelpWnd::ShowPage(const QString& file)
{
    const QString path = file.section(QLatin1Char('#'), 0, 0);
    const QString anchor = file.section(QLatin1Char('#'), 1);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(CVelmoraWrap::LoadString(FrameText::HelpMissing).arg(path), VMT_ERROR);
        return false;
    }
    SetFolder(QFileInfo(path).absolutePath());
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

void CHelpWnd::GoHome()
{
    if (!Folder().isEmpty())
        ShowPage(QDir(Folder()).filePath(kIndex));
}

int CHelpWnd::Search(const QString& words)
{
    m_query->setText(words);
    m_tabs->setCurrentIndex(1);
    m_results->clear();
    const QList<CHelpLibrary::CTopic> found = m_library.Search(words);
    for (const CHelpLibrary::CTopic& topic : found) {
        auto* item = new QListWidgetItem(topic.title, m_results);
        item->setData(FileRole, topic.file);
    }
    if (found.isEmpty() && !words.trimmed().isEmpty()) {
        auto* none = new QListWidgetItem(CVelmoraWrap::LoadString(HelpText::NoResults).arg(words.trimmed()),
                                         m_results);
        none->setFlags(Qt::NoItemFlags);
    }
    return int(found.size());
}

bool CHelpWnd::OpenResult(int row)
{
    QListWidgetItem* item = m_results->item(row);
    if (!item || item->data(FileRole).toString().isEmpty())
        return false;
    return ShowPage(QDir(Folder()).filePath(item->data(FileRole).toString()));
}

void CHelpWnd::OnLink(const QUrl& url)
{
    const QUrl target = m_browser->source().resolved(url);
    if (!target.isLocalFile()) {
        QDesktopServices::openUrl(target);
        return;
    }
    QString file = target.toLocalFile();
    if (target.hasFragment())
        file += QLatin1Char('#') + target.fragment();
    ShowPage(file);
}

void CHelpWnd::OnSourceChanged(const QUrl& source)
{
    // The topic list follows the page shown, whichever way it was reached (the browser's own source
    // is not yet the new one when it says so).
    const QString file = QFileInfo(source.toLocalFile()).fileName();
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(FileRole).toString() == file) {
            const QSignalBlocker blocker(m_topics);
            m_topics->setCurrentRow(row);
            return;
        }
    }
    m_topics->clearSelection();
}
