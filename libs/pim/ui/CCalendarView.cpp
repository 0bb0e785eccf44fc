#include "CCalendarView.h"

#include "CDateBookLayout.h"
#include "CPimStore.h"
#include "VelmoraConduit.h"

#include <QEvent>
#include <QTextCharFormat>

CCalendarView::CCalendarView(QWidget* parent) : QCalendarWidget(parent)
{
    setGridVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setFirstDayOfWeek(CDateBookLayout::WeekStart(locale()));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    VelmoraPim::CPimNotifier* notifier = VelmoraPim::Notifier();
    connect(notifier, &VelmoraPim::CPimNotifier::dateBookOpened, this, &CCalendarView::AttachStore);
    connect(notifier, &VelmoraPim::CPimNotifier::dateBookClosed, this, &CCalendarView::AttachStore);
    connect(notifier, &VelmoraPim::CPimNotifier::databaseClosed, this, &CCalendarView::AttachStore);
    connect(this, &QCalendarWidget::currentPageChanged, this, &CCalendarView::Refresh);
    AttachStore();
}

void CCalendarView::AttachStore()
{
    CPimStore* store = VelmoraPim::IsDateBookOpen() ? VelmoraPim::CurrentPimStore() : nullptr;
    if (store != m_store) {
        disconnect(m_storeConnection);
        m_store = store;
        if (store)
            m_storeConnection = connect(store, &CPimStore::eventsChanged, this, &CCalendarView::Refresh);
    }
    Refresh();
}

void CCalendarView::Refresh()
{
    for (const QDate& day : std::as_const(m_marked))
        setDateTextFormat(day, QTextCharFormat());
    m_marked.clear();
    setEnabled(m_store != nullptr);
    if (!m_store)
        return;
    const QList<QDate> days = CDateBookLayout::ViewDays(
        CDateBookLayout::MonthPeriod, QDate(yearShown(), monthShown(), 1), firstDayOfWeek());
    const QList<CPimEvent> events =
        m_store->Events(days.first().addDays(-1).startOfDay(), days.last().addDays(2).startOfDay());
    QList<CDateSpan> spans;
    for (const CPimEvent& event : events)
        spans.append(CDateSpan{event.start, event.end, event.allDay});
    const QList<QList<int>> placed = CDateBookLayout::PlaceOnDays(spans, days);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < days.size(); ++i) {
        if (!placed[i].isEmpty()) {
            setDateTextFormat(days[i], bold);
            m_marked.append(days[i]);
        }
    }
}

void CCalendarView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange) {
        setFirstDayOfWeek(CDateBookLayout::WeekStart(locale()));
        Refresh();
    }
    QCalendarWidget::changeEvent(event);
}
