#include "CWindowWait.h"

#include "CPleaseWait.h"

#include <QApplication>

CWindowWait::CWindowWait(QWidget* window) : m_window(window) {}

CWindowWait::~CWindowWait()
{
    while (m_depth > 0)
        End();
}

void CWindowWait::Begin()
{
    if (m_depth++ > 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_wait = std::make_unique<CPleaseWait>(m_window);
    m_wait->show();
    if (m_window)
        m_window->setEnabled(false);
    m_wait->SetProgress(0, 0);
}

void CWindowWait::End()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (m_window)
        m_window->setEnabled(true);
    m_wait.reset();
    QApplication::restoreOverrideCursor();
}
