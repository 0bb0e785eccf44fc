#include "CPhoneCenterView.h"

#include "CPIMTabWnd.h"
#include "CPhoneBookView.h"
#include "FrameCommands.h"

#include <QVBoxLayout>

CPhoneCenterView::CPhoneCenterView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PhoneCenterView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new CPIMTabWnd(this);
    layout->addWidget(m_tabs);
    setFocusProxy(m_tabs);
}

int CPhoneCenterView::ViewFamily() const
{
    return FrameFamily::Pim;
}

bool CPhoneCenterView::FinishPendingWork()
{
    // A contact being typed on the card belongs in the file before it is copied or closed.
    return m_tabs->PhoneBookView()->CommitPendingEdits();
}
