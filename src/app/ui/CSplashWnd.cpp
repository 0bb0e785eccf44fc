#include "CSplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
bool g_enabled = false;
CSplashWnd* g_splash = nullptr;
} // namespace

void CSplashWnd::EnableSplashScreen(bool enable)
{
    g_enabled = enable;
}

CSplashWnd* CSplashWnd::Current()
{
    return g_splash;
}

QString CSplashWnd::PictureFile(const QString& languageName)
{
    if (languageName == QLatin1String("English"))
        return QStringLiteral("SetupEng.bmp");
    if (languageName == QLatin1String("French"))
        return QStringLiteral("SetupFr.bmp");
    return QStringLiteral("SetupHeb.bmp");
}

void CSplashWnd::ShowSplashScreen(QWidget* parent, const QString& programFolder, const QString& languageName)
{
    if (!g_enabled || g_splash)
        return;
    const QPixmap picture(programFolder + QLatin1Char('/') + PictureFile(languageName));
    if (picture.isNull())
        return;
    g_splash = new CSplashWnd(parent, picture);
    g_splash->show();
    g_splash->repaint();
}

CSplashWnd::CSplashWnd(QWidget* owner, const QPixmap& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(picture), m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SplashWnd"));
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
    m_timer->start(2000);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
    if (g_splash == this)
        g_splash = nullptr;
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void CSplashWnd::HideSplashScreen()
{
    qApp->removeEventFilter(this);
    if (g_splash == this)
        g_splash = nullptr;
    if (m_owner)
        m_owner->update();
    close();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed, so that a key that is a menu shortcut comes as a key press, which is used up
        // below, instead of running its command under the picture.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The key or click that ends the splash is used up by it.
        if (watched->isWidgetType() || watched->isWindowType()) {
            HideSplashScreen();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
