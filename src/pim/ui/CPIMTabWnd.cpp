#include "CPIMTabWnd.h"

#include "CContactInfo.h"
#include "CDBTabWnd.h"
#include "CPhoneBookView.h"
#include "CScheduleView.h"
#include "CVelmoraWrap.h"
#include "PimDocMessageIds.h"

#include <QPointer>
#include <QTimer>

namespace {

// The locale of the program's language (dates, week start); the platform's when none is set.
QLocale LanguageLocale()
{
    QString language;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), language);
    if (language == QLatin1String("English"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    if (language == QLatin1String("French"))
        return QLocale(QLocale::French, QLocale::France);
    if (language == QLatin1String("Hebrew"))
        return QLocale(QLocale::Hebrew, QLocale::Israel);
    return QLocale();
}

} // namespace

CPIMTabWnd::CPIMTabWnd(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PIMTabWnd"));
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
    m_phoneBook = new CPhoneBookView(this);
    addTab(m_phoneBook, QString());
    m_dateBook = new CDBTabWnd(this);
    // The week starts where the user's language says it does.
    m_dateBook->setLocale(LanguageLocale());
    addTab(m_dateBook, QString());
    LabelTabs();
}

CPIMTabWnd::~CPIMTabWnd() = default;

QWidget* CPIMTabWnd::ActiveView() const
{
    if (currentIndex() == DateBookTab)
        return m_dateBook->CurrentView();
    return m_phoneBook;
}

void CPIMTabWnd::LabelTabs()
{
    setTabText(PhoneBookTab, CVelmoraWrap::LoadString(PimDocText::PhoneBookTab));
    setTabText(DateBookTab, CVelmoraWrap::LoadString(PimDocText::DateBookTab));
    m_dateBook->RetranslateCaptions();
}

bool CPIMTabWnd::NewEntry(Book book)
{
    if (book == PhoneBookTab) {
        setCurrentIndex(PhoneBookTab);
        m_phoneBook->OnNewButton();
        // The list bar takes the focus back after its click; the card's name field is where the user
        // types next.
        const QPointer<QWidget> field = m_phoneBook->ContactInfo()->focusWidget();
        if (field)
            QTimer::singleShot(0, field, [field]() { field->setFocus(Qt::OtherFocusReason); });
        return true;
    }
    setCurrentIndex(DateBookTab);
    m_dateBook->AddEvent();
    return true;
}

bool CPIMTabWnd::DeleteEntry(Book book)
{
    if (book == PhoneBookTab) {
        setCurrentIndex(PhoneBookTab);
        m_phoneBook->OnDeleteButton();
        return true;
    }
    setCurrentIndex(DateBookTab);
    m_dateBook->DeleteEvent();
    return true;
}
