#include "CDBTabWnd.h"

#include "CCalendarView.h"
#include "CDayView.h"
#include "CMonthView.h"
#include "CWeekView.h"
#include "DateBookMessageIds.h"

#include <CVelmoraWrap.h>

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// "Datebook Split" is the navigator's share of the page's width in percent; the navigator never takes
// more than this share, so that the views keep the room they need.
constexpr int kMaxNavigatorShare = 30;

} // namespace

CDBTabWnd::CDBTabWnd(QWidget* parent) : QTabWidget(parent), m_date(QDate::currentDate())
{
    setDocumentMode(true);
    if (QGuiApplication::layoutDirection() == Qt::RightToLeft && locale().language() != QLocale::Hebrew)
        setLocale(QLocale(QLocale::Hebrew, QLocale::Israel));

    // The navigator sits at the top of a panel that fills the page's height.
    m_navigator = new QWidget(this);
    auto* column = new QVBoxLayout(m_navigator);
    column->setContentsMargins(0, 0, 0, 0);
    m_calendar = new CCalendarView(m_navigator);
    column->addWidget(m_calendar);
    column->addStretch(1);
    m_day = new CDayView(this);
    m_week = new CWeekView(this);
    m_month = new CMonthView(this);
    addTab(MakePage(m_day), QString());
    addTab(MakePage(m_week), QString());
    addTab(MakePage(m_month), QString());

    auto* corner = new QWidget(this);
    auto* bar = new QHBoxLayout(corner);
    bar->setContentsMargins(4, 0, 4, 0);
    m_period = new QLabel(corner);
    m_previous = new QToolButton(corner);
    m_previous->setAutoRaise(true);
    m_today = new QToolButton(corner);
    m_today->setAutoRaise(true);
    m_next = new QToolButton(corner);
    m_next->setAutoRaise(true);
    for (QToolButton* button : {m_previous, m_today, m_next})
        button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_period);
    bar->addSpacing(8);
    bar->addWidget(m_previous);
    bar->addWidget(m_today);
    bar->addWidget(m_next);
    setCornerWidget(corner, Qt::TopRightCorner);
    connect(m_previous, &QToolButton::clicked, this, [this]() { CurrentView()->Previous(); });
    connect(m_next, &QToolButton::clicked, this, [this]() { CurrentView()->Next(); });
    connect(m_today, &QToolButton::clicked, this, [this]() { CurrentView()->Today(); });

    for (CScheduleView* view : {static_cast<CScheduleView*>(m_day), static_cast<CScheduleView*>(m_week),
                                static_cast<CScheduleView*>(m_month)})
        connect(view, &CScheduleView::dateChanged, this, &CDBTabWnd::SetDate);
    connect(m_calendar, &QCalendarWidget::clicked, this, &CDBTabWnd::SetDate);
    connect(m_calendar, &QCalendarWidget::activated, this, [this](QDate date) {
        SetDate(date);
        CurrentView()->setFocus();
    });
    connect(m_month, &CMonthView::dayOpened, this, [this](QDate day) {
        SetDate(day);
        setCurrentIndex(DayTab);
    });
    connect(this, &QTabWidget::currentChanged, this, &CDBTabWnd::OnTabChanged);
    RetranslateCaptions();
    UpdateArrows();
    OnTabChanged(currentIndex());
}

CDBTabWnd::~CDBTabWnd()
{
    SaveSplitter();
}

QSplitter* CDBTabWnd::MakePage(CScheduleView* view)
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(view);
    splitter->setStretchFactor(0, 1);
    return splitter;
}

CScheduleView* CDBTabWnd::CurrentView() const
{
    switch (currentIndex()) {
    case WeekTab:
        return m_week;
    case MonthTab:
        return m_month;
    default:
        return m_day;
    }
}

void CDBTabWnd::OnTabChanged(int index)
{
    // One navigator, moved to the page on show, on the leading side of the view.
    auto* page = qobject_cast<QSplitter*>(widget(index));
    if (!page)
        return;
    QList<int> sizes;
    if (m_navigator->parentWidget() && m_navigator->parentWidget() != page) {
        if (auto* before = qobject_cast<QSplitter*>(m_navigator->parentWidget()))
            sizes = before->sizes();
    }
    page->insertWidget(0, m_navigator);
    page->setStretchFactor(0, 0);
    page->setStretchFactor(1, 1);
    if (sizes.size() == 2) {
        page->setSizes(sizes);
    } else {
        unsigned long phoneBook = 0, dateBook = 0;
        CVelmoraWrap::GetSplitterPos(phoneBook, dateBook);
        const int share = std::clamp(int(dateBook), 10, kMaxNavigatorShare);
        // The splitter shares its width out in these proportions.
        page->setSizes({share * 10, (100 - share) * 10});
    }
    m_navigator->show();
    CurrentView()->SetDate(m_date);
    UpdatePeriodLabel();
}

void CDBTabWnd::SaveSplitter()
{
    if (auto* page = qobject_cast<QSplitter*>(m_navigator->parentWidget())) {
        const QList<int> sizes = page->sizes();
        unsigned long phoneBook = 0, dateBook = 0;
        CVelmoraWrap::GetSplitterPos(phoneBook, dateBook);
        const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
        if (total > 0 && sizes[0] > 0)
            CVelmoraWrap::SetSplitterPos(
                phoneBook, static_cast<unsigned long>(std::clamp(sizes[0] * 100 / total, 10, 90)));
    }
}

void CDBTabWnd::SetDate(QDate date)
{
    if (!date.isValid() || m_syncing)
        return;
    m_syncing = true;
    m_date = date;
    m_day->SetDate(date);
    m_week->SetDate(date);
    m_month->SetDate(date);
    m_calendar->setSelectedDate(date);
    m_syncing = false;
    UpdatePeriodLabel();
}

void CDBTabWnd::AddEvent()
{
    CurrentView()->AddEvent();
}

void CDBTabWnd::DeleteEvent()
{
    CurrentView()->DeleteEvent();
}

void CDBTabWnd::UpdatePeriodLabel()
{
    const QLocale loc = locale();
    QString text;
    const QList<QDate>& days = CurrentView()->Days();
    switch (currentIndex()) {
    case WeekTab:
        if (!days.isEmpty())
            text = loc.toString(days.first(), QLocale::ShortFormat) + QStringLiteral(" \u2013 ") +
                   loc.toString(days.last(), QLocale::ShortFormat);
        break;
    case MonthTab:
        text = loc.standaloneMonthName(m_date.month()) + QLatin1Char(' ') + QString::number(m_date.year());
        break;
    default:
        text = loc.toString(m_date, QLocale::LongFormat);
        break;
    }
    m_period->setText(text);
}

void CDBTabWnd::RetranslateCaptions()
{
    setTabText(DayTab, CVelmoraWrap::LoadString(DayCaption));
    setTabText(WeekTab, CVelmoraWrap::LoadString(WeekCaption));
    setTabText(MonthTab, CVelmoraWrap::LoadString(MonthCaption));
    m_today->setText(CVelmoraWrap::LoadString(DateBookMsg::TodayButton));
    m_previous->setToolTip(CVelmoraWrap::LoadString(DateBookMsg::PreviousTip));
    m_next->setToolTip(CVelmoraWrap::LoadString(DateBookMsg::NextTip));
    UpdatePeriodLabel();
    for (QWidget* view :
         {static_cast<QWidget*>(m_day), static_cast<QWidget*>(m_week), static_cast<QWidget*>(m_month)})
        view->update();
}

void CDBTabWnd::UpdateArrows()
{
    // Earlier lies to the right in right-to-left languages.
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    m_previous->setIcon(style()->standardIcon(rtl ? QStyle::SP_ArrowRight : QStyle::SP_ArrowLeft));
    m_next->setIcon(style()->standardIcon(rtl ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight));
}

void CDBTabWnd::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        UpdatePeriodLabel();
    else if (event->type() == QEvent::LayoutDirectionChange)
        UpdateArrows();
    QTabWidget::changeEvent(event);
}
