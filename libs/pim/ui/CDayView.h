#pragma once

#include "CTimeGridView.h"

// The date book's day view: the hours of one day with its events, the all-day strip above them.
class CDayView : public CTimeGridView
{
    Q_OBJECT

public:
    explicit CDayView(QWidget* parent = nullptr) : CTimeGridView(CDateBookLayout::DayPeriod, parent) {}

protected:
    int RowStep() const override { return 1; }
};
