#pragma once

#include "PimRecords.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// Edits one event of the date book: title, start, end, all day, location, note and reminder. OK is
// refused (with the reason shown) while the title is blank or the end lies before the start; the
// dialog itself writes nothing to the PIM file.
class CEventDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CEventDlg(const CPimEvent& event, QWidget* parent = nullptr);

    // The event as edited (the id of the event given, the fields from the dialog).
    CPimEvent Event() const;

    void accept() override;

    // The reminder choices offered, in minutes (-1 for none).
    static QList<int> ReminderChoices();
    static QString ReminderText(int minutes);

protected:
    void changeEvent(QEvent* event) override;

private:
    void OnAllDayToggled(bool allDay);
    void ApplyFormat();
    void OnStartChanged(const QDateTime& start);

    CPimEvent m_event;
    QLineEdit* m_title = nullptr;
    QDateTimeEdit* m_start = nullptr;
    QDateTimeEdit* m_end = nullptr;
    QCheckBox* m_allDay = nullptr;
    QLineEdit* m_location = nullptr;
    QComboBox* m_reminder = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QDateTime m_lastStart;
};
