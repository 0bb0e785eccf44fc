#pragma once

#include <QMainWindow>

class QMdiArea;

// The program's main window: the MDI area that holds the open documents' frames.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_mdiArea; }

private:
    QMdiArea* m_mdiArea = nullptr;
};
