#include "CWidgetWait.h"

#include "CPleaseWait.h"

#include <QApplication>

CWidgetWait::CWidgetWait(QWidget* window) : m_window(window) {}

CWidgetWait::~CWidgetWait()
{
    while (m_depth > 0)
        EndWait();
}

void CWidgetWait::BeginWait()
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

void CWidgetWait::EndWait()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (m_window)
        m_window->setEnabled(true);
    m_wait.reset();
    QApplication::restoreOverrideCursor();
}
