#pragma once

#include "IFleetView.h"

// A fleet view whose grid cell is always being edited: saving and closing must wait for it.
class CEditingView : public IFleetView
{
public:
    bool IsEditingCell() const override { return true; }
    void ReleaseDatabase() override {}
    void AttachDatabase(const QSqlDatabase&) override {}
};
