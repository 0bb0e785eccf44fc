#include "CPleaseWait.h"

#include "CVelmoraWrap.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CPleaseWait::CPleaseWait(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("PleaseWait"));
    setModal(false);
    setWindowTitle(CVelmoraWrap::LoadString(7004));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(CVelmoraWrap::LoadString(7005), this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setMinimumWidth(280);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 0);
    m_bar->setTextVisible(false);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    setFixedSize(sizeHint());
}

void CPleaseWait::SetText(const QString& text)
{
    m_label->setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CPleaseWait::SetProgress(int done, int total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        m_bar->setTextVisible(false);
    } else {
        m_bar->setRange(0, total);
        m_bar->setValue(qBound(0, done, total));
        m_bar->setTextVisible(true);
    }
    // The work runs on this thread: let the window paint between steps, without taking input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
