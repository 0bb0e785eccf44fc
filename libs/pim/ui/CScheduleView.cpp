#include "CScheduleView.h"

#include "CEventDlg.h"
#include "CPimStore.h"
#include "DateBookMessageIds.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <CVelmoraWrap.h>

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace {

// The letters the N and T keys type on a Hebrew keyboard, so the shortcuts work in either layout.
constexpr int kHebrewKeyN = 0x05DE; // mem
constexpr int kHebrewKeyT = 0x05D0; // alef

} // namespace

CScheduleView::CScheduleView(CDateBookLayout::Period period, QWidget* parent)
    : QWidget(parent), m_period(period), m_date(QDate::currentDate())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    VelmoraPim::CPimNotifier* notifier = VelmoraPim::Notifier();
    connect(notifier, &VelmoraPim::CPimNotifier::dateBookOpened, this, &CScheduleView::AttachStore);
    connect(notifier, &VelmoraPim::CPimNotifier::dateBookClosed, this, &CScheduleView::Detach);
    connect(notifier, &VelmoraPim::CPimNotifier::databaseClosed, this, &CScheduleView::Detach);
    UpdateDays();
    AttachStore();
}

CScheduleView::~CScheduleView() = default;

Qt::DayOfWeek CScheduleView::WeekStart() const
{
    return CDateBookLayout::WeekStart(locale());
}

CPimStore* CScheduleView::Store() const
{
    return m_store.data();
}

void CScheduleView::AttachStore()
{
    CPimStore* store = VelmoraPim::IsDateBookOpen() ? VelmoraPim::CurrentPimStore() : nullptr;
    if (store != m_store) {
        disconnect(m_storeConnection);
        m_store = store;
        if (store)
            m_storeConnection = connect(store, &CPimStore::eventsChanged, this, &CScheduleView::Refresh);
    }
    Refresh();
}

void CScheduleView::Detach()
{
    disconnect(m_storeConnection);
    m_store = nullptr;
    Refresh();
}

void CScheduleView::UpdateDays()
{
    m_days = CDateBookLayout::ViewDays(m_period, m_date, WeekStart());
}

void CScheduleView::Refresh()
{
    m_events.clear();
    if (m_store && !m_days.isEmpty()) {
        // All-day events end at the midnight that starts their last day; read a day more on both sides
        // and keep what takes place on the days shown.
        const QDateTime from = m_days.first().addDays(-1).startOfDay();
        const QDateTime to = m_days.last().addDays(2).startOfDay();
        CVelmoraError error;
        const QList<CPimEvent> read = m_store->Events(from, to, &error);
        for (const CPimEvent& event : read) {
            const CDateSpan span = Span(event);
            if (CDateBookLayout::LastDay(span) >= m_days.first() &&
                CDateBookLayout::FirstDay(span) <= m_days.last())
                m_events.append(event);
        }
    }
    QList<CDateSpan> spans;
    for (const CPimEvent& event : std::as_const(m_events))
        spans.append(Span(event));
    m_placed = CDateBookLayout::PlaceOnDays(spans, m_days);
    if (m_selectedId != 0 && !EventById(m_selectedId))
        m_selectedId = 0;
    setEnabled(m_store != nullptr);
    update();
}

CDateSpan CScheduleView::Span(const CPimEvent& event)
{
    return CDateSpan{event.start, event.end, event.allDay};
}

const CPimEvent* CScheduleView::EventById(qint64 id) const
{
    for (const CPimEvent& event : m_events) {
        if (event.id == id)
            return &event;
    }
    return nullptr;
}

void CScheduleView::SetDate(QDate date)
{
    if (!date.isValid() || date == m_date)
        return;
    m_date = date;
    const QList<QDate> before = m_days;
    UpdateDays();
    if (m_days != before)
        Refresh();
    else
        update();
    Q_EMIT dateChanged(m_date);
}

void CScheduleView::Previous()
{
    SetDate(CDateBookLayout::Step(m_period, m_date, -1));
}

void CScheduleView::Next()
{
    SetDate(CDateBookLayout::Step(m_period, m_date, 1));
}

void CScheduleView::Today()
{
    SetDate(QDate::currentDate());
}

void CScheduleView::SelectEvent(qint64 id)
{
    m_selectedId = EventById(id) ? id : 0;
    update();
}

void CScheduleView::AddEvent()
{
    const QDateTime now = QDateTime::currentDateTime();
    QDateTime start(m_date, QTime(9, 0));
    if (m_date == now.date() && now.time().hour() < 23)
        start = QDateTime(m_date, QTime(now.time().hour() + 1, 0));
    AddEventAt(start, false);
}

void CScheduleView::AddEventAt(const QDateTime& start, bool allDay)
{
    if (!m_store)
        return;
    CPimEvent event;
    event.allDay = allDay;
    event.start = allDay ? QDateTime(start.date(), QTime(0, 0)) : start;
    event.end = allDay ? event.start : start.addSecs(3600);
    CEventDlg dialog(event, this);
    dialog.setLayoutDirection(layoutDirection());
    while (dialog.exec() == QDialog::Accepted) {
        CPimEvent edited = dialog.Event();
        if (SaveEdited(edited)) {
            SetDate(edited.start.date());
            SelectEvent(edited.id);
            return;
        }
    }
}

void CScheduleView::EditEvent(qint64 id)
{
    if (!m_store)
        return;
    CVelmoraError error;
    const std::optional<CPimEvent> stored = m_store->EventById(id, &error);
    if (!stored) {
        const CPimEvent* shown = EventById(id);
        CVelmoraWrap::ShowError(
            error ? error : CVelmoraError::Message(PimMsg::EventGone, {shown ? shown->title : QString()}));
        Refresh();
        return;
    }
    CEventDlg dialog(*stored, this);
    dialog.setLayoutDirection(layoutDirection());
    while (dialog.exec() == QDialog::Accepted) {
        CPimEvent edited = dialog.Event();
        if (SaveEdited(edited)) {
            SelectEvent(edited.id);
            return;
        }
    }
}

bool CScheduleView::SaveEdited(CPimEvent& event)
{
    // The store tells every view through eventsChanged; this one reads again there.
    const CVelmoraError error = m_store->SaveEvent(event);
    if (error) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    return true;
}

void CScheduleView::DeleteEvent()
{
    const CPimEvent* event = EventById(m_selectedId);
    if (!m_store || !event)
        return;
    const QString title =
        event->title.isEmpty() ? CVelmoraWrap::LoadString(DateBookMsg::UntitledEvent) : event->title;
    const QString when = locale().toString(event->start.date(), QLocale::LongFormat);
    if (CVelmoraWrap::ShowError(
            CVelmoraError::Message(DateBookMsg::ConfirmDelete, {title, when}, VMT_YESNO)) != IDYES)
        return;
    const CVelmoraError error = m_store->DeleteEvent(m_selectedId);
    if (error)
        CVelmoraWrap::ShowError(error);
    m_selectedId = 0;
    Refresh();
}

bool CScheduleView::MoveEvent(qint64 id, const QDateTime& newStart)
{
    const CPimEvent* shown = EventById(id);
    if (!m_store || !shown || !newStart.isValid())
        return false;
    CPimEvent event = *shown;
    const CDateSpan moved = CDateBookLayout::MovedTo(Span(event), newStart);
    if (moved.start == event.start)
        return true;
    event.start = moved.start;
    event.end = moved.end;
    if (!SaveEdited(event)) {
        Refresh();
        return false;
    }
    SelectEvent(id);
    return true;
}

QString CScheduleView::EventLabel(const CPimEvent& event, QDate day) const
{
    const QString title =
        event.title.isEmpty() ? CVelmoraWrap::LoadString(DateBookMsg::UntitledEvent) : event.title;
    if (event.allDay || event.start.date() != day)
        return title;
    // Times read left to right in every language.
    return QChar(0x2066) + locale().toString(event.start.time(), QLocale::ShortFormat) + QChar(0x2069) +
           QLatin1Char(' ') + title;
}

bool CScheduleView::PaintClosed(QPainter& painter)
{
    if (m_store)
        return false;
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect().adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                     CVelmoraWrap::LoadString(DateBookMsg::NoDateBookOpen));
    return true;
}

QRect CScheduleView::Visual(const QRect& logical) const
{
    return QStyle::visualRect(layoutDirection(), rect(), logical);
}

void CScheduleView::SelectNextEventOfDay(bool forward)
{
    const int dayIndex = int(m_days.indexOf(m_date));
    if (dayIndex < 0 || m_placed.value(dayIndex).isEmpty())
        return;
    QList<qint64> ids;
    for (int i : m_placed[dayIndex])
        ids.append(m_events[i].id);
    const int at = int(ids.indexOf(m_selectedId));
    int next = 0;
    if (at >= 0)
        next = (at + (forward ? 1 : -1) + int(ids.size())) % int(ids.size());
    else if (!forward)
        next = int(ids.size()) - 1;
    SelectEvent(ids[next]);
}

bool CScheduleView::focusNextPrevChild(bool next)
{
    // Tab walks through the events of the selected day while it has any.
    const int dayIndex = int(m_days.indexOf(m_date));
    if (hasFocus() && dayIndex >= 0 && !m_placed.value(dayIndex).isEmpty()) {
        SelectNextEventOfDay(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

bool CScheduleView::event(QEvent* event)
{
    // New and delete belong to the date book while it has the focus, not to the window's File New and
    // Delete shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrlN = (key->modifiers() & Qt::ControlModifier) &&
                           (key->key() == Qt::Key_N || key->key() == kHebrewKeyN);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (ctrlN || (plain && (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete))) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CScheduleView::keyPressEvent(QKeyEvent* event)
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        SetDate(m_date.addDays(rtl ? 1 : -1));
        break;
    case Qt::Key_Right:
        SetDate(m_date.addDays(rtl ? -1 : 1));
        break;
    case Qt::Key_Up:
        SetDate(m_date.addDays(-RowStep()));
        break;
    case Qt::Key_Down:
        SetDate(m_date.addDays(RowStep()));
        break;
    case Qt::Key_PageUp:
        Previous();
        break;
    case Qt::Key_PageDown:
        Next();
        break;
    case Qt::Key_Insert:
        AddEvent();
        break;
    case Qt::Key_N:
    case kHebrewKeyN:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        AddEvent();
        break;
    case Qt::Key_Delete:
        DeleteEvent();
        break;
    case Qt::Key_T:
    case kHebrewKeyT:
        if (event->modifiers() & ~Qt::KeypadModifier)
            return QWidget::keyPressEvent(event);
        Today();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (EventById(m_selectedId))
            EditEvent(m_selectedId);
        else
            AddEvent();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CScheduleView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange) {
        const QList<QDate> before = m_days;
        UpdateDays();
        if (before != m_days)
            Refresh();
    } else if (event->type() == QEvent::LayoutDirectionChange) {
        update();
    }
    QWidget::changeEvent(event);
}
