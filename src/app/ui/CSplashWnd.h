#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QTimer;

// The start-up picture shown while the main window is made: two seconds, or until the first key or
// click anywhere in the program, which then goes no further.
class CSplashWnd : public QWidget
{
    Q_OBJECT
public:
    static void EnableSplashScreen(bool enable);
    // Shows the picture of the language ("English", "French", anything else Hebrew) from the program
    // folder over parent. Nothing happens when splashes are off, one is showing, or the picture is missing.
    static void ShowSplashScreen(QWidget* parent, const QString& programFolder, const QString& languageName);
    static CSplashWnd* Current();
    static QString PictureFile(const QString& languageName);

    ~CSplashWnd() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSplashWnd(QWidget* owner, const QPixmap& picture);
    void HideSplashScreen();

    QPixmap m_picture;
    QPointer<QWidget> m_owner;
    QTimer* m_timer = nullptr;
};
