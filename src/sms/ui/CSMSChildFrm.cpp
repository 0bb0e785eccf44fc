#include "CSMSChildFrm.h"

#include "CSendSMSView.h"
#include "CVelmoraWrap.h"
#include "SmsMessageIds.h"

#include <QCloseEvent>

CSMSChildFrm::CSMSChildFrm(const CSmsContext& context, QWidget* parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("SMSChildFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new CSendSMSView(context, this);
    setWidget(m_view);
    setWindowTitle(CVelmoraWrap::LoadString(SmsMsg::ViewTitle));
    resize(640, 420);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CSMSChildFrm::OnStateChanged);
}

void CSMSChildFrm::OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    if ((oldState & Qt::WindowActive) && !(newState & Qt::WindowActive))
        m_view->ShareDraft();
}

void CSMSChildFrm::closeEvent(QCloseEvent* event)
{
    // A send in progress reports to this window's view.
    if (CSendSMSView::Sending()) {
        event->ignore();
        return;
    }
    m_view->ShareDraft();
    QMdiSubWindow::closeEvent(event);
}
