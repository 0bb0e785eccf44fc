#pragma once

#include <QCalendarWidget>
#include <QMetaObject>
#include <QPointer>

class CPimStore;

// The small month navigator beside the date book's views: picks the date they show, and marks in bold
// the days of the month on view that hold events of the open PIM file.
class CCalendarView : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CCalendarView(QWidget* parent = nullptr);

    // Reads again which days of the month on view hold events.
    void Refresh();

protected:
    void changeEvent(QEvent* event) override;

private:
    void AttachStore();

    QPointer<CPimStore> m_store;
    QMetaObject::Connection m_storeConnection;
    QList<QDate> m_marked;
};
