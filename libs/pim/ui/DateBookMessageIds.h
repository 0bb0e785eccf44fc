#pragma once

// Message and label ids of the date-book views (texts in data/lang/*.tsv).
namespace DateBookMsg {
enum : int
{
    NewEventTitle = 8130,  // caption of the event dialog for a new event
    EditEventTitle = 8131, // caption of the event dialog for an existing event
    TitleLabel = 8132,
    StartLabel = 8133,
    EndLabel = 8134,
    AllDayCheck = 8135,
    LocationLabel = 8136,
    NoteLabel = 8137,
    ReminderLabel = 8138,
    ReminderNone = 8139,
    ReminderMinutes = 8140, // %1 minutes before
    ReminderOneHour = 8141,
    ReminderHours = 8142, // %1 hours before
    ReminderOneDay = 8143,
    ConfirmDelete = 8144, // delete "%1" of %2?
    MoreEvents = 8145,    // +%1 more
    AllDayStrip = 8146,
    TodayButton = 8147,
    PreviousTip = 8148,
    NextTip = 8149,
    NoDateBookOpen = 8150,
    ReminderDays = 8151, // %1 days before
    NewEventButton = 8152,
    DeleteEventButton = 8153,
    UntitledEvent = 8154,
    ButtonOk = 7244, // the program's button texts
    ButtonCancel = 7245,
};
}
