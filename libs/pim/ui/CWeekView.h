#pragma once

#include "CTimeGridView.h"

// The date book's week view: seven day columns of hours, starting on the locale's first day of the
// week, right to left in right-to-left languages.
class CWeekView : public CTimeGridView
{
    Q_OBJECT

public:
    explicit CWeekView(QWidget* parent = nullptr) : CTimeGridView(CDateBookLayout::WeekPeriod, parent) {}
};
