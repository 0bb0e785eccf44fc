#include "CPIMTabWnd.h"

#include "CPhoneBookView.h"
#include "CVelmoraWrap.h"
#include "PimDocMessageIds.h"

CPIMTabWnd::CPIMTabWnd(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PIMTabWnd"));
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
    m_phoneBook = new CPhoneBookView(this);
    addTab(m_phoneBook, QString());
    LabelTabs();
}

CPIMTabWnd::~CPIMTabWnd() = default;

QWidget* CPIMTabWnd::ActiveView() const
{
    if (currentIndex() == DateBookTab && m_dateBook)
        return m_dateBook->currentWidget();
    return m_phoneBook;
}

void CPIMTabWnd::LabelTabs()
{
    setTabText(PhoneBookTab, CVelmoraWrap::LoadString(PimDocText::PhoneBookTab));
    if (m_dateBook) {
        setTabText(DateBookTab, CVelmoraWrap::LoadString(PimDocText::DateBookTab));
        const int inner[] = {PimDocText::DayTab, PimDocText::WeekTab, PimDocText::MonthTab};
        for (int i = 0; i < 3 && i < m_dateBook->count(); ++i)
            m_dateBook->setTabText(i, CVelmoraWrap::LoadString(inner[i]));
    }
}

bool CPIMTabWnd::NewEntry(Book book)
{
    if (book == PhoneBookTab) {
        setCurrentIndex(PhoneBookTab);
        m_phoneBook->OnNewButton();
        return true;
    }
    return false;
}

bool CPIMTabWnd::DeleteEntry(Book book)
{
    if (book == PhoneBookTab) {
        setCurrentIndex(PhoneBookTab);
        m_phoneBook->OnDeleteButton();
        return true;
    }
    return false;
}
