#include "CEventDlg.h"

#include "DateBookMessageIds.h"
#include "PimMessageIds.h"

#include <CVelmoraWrap.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Text(int id)
{
    return CVelmoraWrap::LoadString(id);
}

// Dates and times read left to right in every language, as the clock shows them.
void ShowLeftToRight(QWidget* widget)
{
    widget->setLayoutDirection(Qt::LeftToRight);
}

} // namespace

CEventDlg::CEventDlg(const CPimEvent& event, QWidget* parent) : QDialog(parent), m_event(event)
{
    setWindowTitle(Text(event.id == 0 ? DateBookMsg::NewEventTitle : DateBookMsg::EditEventTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_title = new QLineEdit(event.title, this);
    m_title->setMaxLength(255);
    m_title->setProperty("controlId", 1001);
    form->addRow(Text(DateBookMsg::TitleLabel), m_title);

    m_start = new QDateTimeEdit(event.start, this);
    m_start->setCalendarPopup(true);
    m_start->setProperty("controlId", 1002);
    ShowLeftToRight(m_start);
    form->addRow(Text(DateBookMsg::StartLabel), m_start);
    m_end = new QDateTimeEdit(event.end, this);
    m_end->setCalendarPopup(true);
    m_end->setProperty("controlId", 1003);
    ShowLeftToRight(m_end);
    form->addRow(Text(DateBookMsg::EndLabel), m_end);
    m_allDay = new QCheckBox(Text(DateBookMsg::AllDayCheck), this);
    m_allDay->setProperty("controlId", 1004);
    form->addRow(QString(), m_allDay);

    m_location = new QLineEdit(event.location, this);
    m_location->setMaxLength(255);
    m_location->setProperty("controlId", 1005);
    form->addRow(Text(DateBookMsg::LocationLabel), m_location);

    m_reminder = new QComboBox(this);
    m_reminder->setProperty("controlId", 1006);
    for (int minutes : ReminderChoices())
        m_reminder->addItem(ReminderText(minutes), minutes);
    int reminderRow = m_reminder->findData(event.reminderMinutes);
    if (reminderRow < 0) {
        // A reminder set elsewhere to a time not in the list is kept as it is.
        m_reminder->addItem(ReminderText(event.reminderMinutes), event.reminderMinutes);
        reminderRow = m_reminder->count() - 1;
    }
    m_reminder->setCurrentIndex(reminderRow);
    form->addRow(Text(DateBookMsg::ReminderLabel), m_reminder);

    m_note = new QPlainTextEdit(event.note, this);
    m_note->setProperty("controlId", 1007);
    m_note->setTabChangesFocus(true);
    form->addRow(Text(DateBookMsg::NoteLabel), m_note);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Text(DateBookMsg::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Text(DateBookMsg::ButtonCancel), QDialogButtonBox::RejectRole);
    cancel->setProperty("controlId", 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEventDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEventDlg::reject);
    layout->addWidget(buttons);

    m_allDay->setChecked(event.allDay);
    OnAllDayToggled(event.allDay);
    m_lastStart = m_start->dateTime();
    connect(m_allDay, &QCheckBox::toggled, this, &CEventDlg::OnAllDayToggled);
    connect(m_start, &QDateTimeEdit::dateTimeChanged, this, &CEventDlg::OnStartChanged);
    m_title->setFocus();
    m_title->selectAll();
}

QList<int> CEventDlg::ReminderChoices()
{
    return {-1, 0, 5, 10, 15, 30, 60, 120, 24 * 60, 2 * 24 * 60, 7 * 24 * 60};
}

QString CEventDlg::ReminderText(int minutes)
{
    if (minutes < 0)
        return Text(DateBookMsg::ReminderNone);
    if (minutes == 60)
        return Text(DateBookMsg::ReminderOneHour);
    if (minutes == 24 * 60)
        return Text(DateBookMsg::ReminderOneDay);
    if (minutes % (24 * 60) == 0)
        return CVelmoraWrap::FillArgs(Text(DateBookMsg::ReminderDays),
                                      {QString::number(minutes / (24 * 60))});
    if (minutes % 60 == 0)
        return CVelmoraWrap::FillArgs(Text(DateBookMsg::ReminderHours), {QString::number(minutes / 60)});
    return CVelmoraWrap::FillArgs(Text(DateBookMsg::ReminderMinutes), {QString::number(minutes)});
}

void CEventDlg::OnAllDayToggled(bool allDay)
{
    if (!allDay && m_start->time() == QTime(0, 0) && m_end->time() == QTime(0, 0) &&
        m_start->date() == m_end->date()) {
        // A day turned into a timed event starts in the working day rather than at midnight.
        m_start->setDateTime(QDateTime(m_start->date(), QTime(9, 0)));
        m_end->setDateTime(m_start->dateTime().addSecs(3600));
    }
    ApplyFormat();
}

void CEventDlg::ApplyFormat()
{
    // An all-day event is a matter of dates; its times are not shown. The short formats are numeric, so
    // they read the same in the left-to-right fields of every language.
    const QLocale loc = locale();
    const QString format = m_allDay->isChecked() ? loc.dateFormat(QLocale::ShortFormat)
                                                 : loc.dateTimeFormat(QLocale::ShortFormat);
    m_start->setDisplayFormat(format);
    m_end->setDisplayFormat(format);
}

void CEventDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange && m_allDay)
        ApplyFormat();
    QDialog::changeEvent(event);
}

void CEventDlg::OnStartChanged(const QDateTime& start)
{
    // Moving the start carries the end along, so the event keeps its length.
    if (m_lastStart.isValid() && start.isValid())
        m_end->setDateTime(m_end->dateTime().addSecs(m_lastStart.secsTo(start)));
    m_lastStart = start;
}

CPimEvent CEventDlg::Event() const
{
    CPimEvent event = m_event;
    event.title = m_title->text().trimmed();
    event.allDay = m_allDay->isChecked();
    event.start = m_start->dateTime();
    event.end = m_end->dateTime();
    if (event.allDay) {
        event.start = QDateTime(event.start.date(), QTime(0, 0));
        event.end = QDateTime(event.end.date(), QTime(0, 0));
    }
    event.location = m_location->text().trimmed();
    event.note = m_note->toPlainText();
    event.reminderMinutes = m_reminder->currentData().toInt();
    return event;
}

void CEventDlg::accept()
{
    const CPimEvent event = Event();
    if (event.title.isEmpty()) {
        CVelmoraWrap::ShowError(PimMsg::EventTitleEmpty, VMT_ERROR);
        m_title->setFocus();
        return;
    }
    if (event.end < event.start) {
        CVelmoraWrap::ShowError(PimMsg::EventTimesInvalid, VMT_ERROR);
        m_end->setFocus();
        return;
    }
    QDialog::accept();
}
