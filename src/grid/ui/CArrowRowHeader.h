#pragma once

#include <QHeaderView>

// The row header with an arrow on the current row (control id 1338), used by the talkgroup
// manager, copy, auto-fill and chooser grids.
class CArrowRowHeader : public QHeaderView
{
    Q_OBJECT

public:
    enum : int
    {
        ControlId = 1338
    };

    explicit CArrowRowHeader(QWidget* parent = nullptr);

    void SetCurrentRow(int section);
    int CurrentRow() const { return m_current; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    static constexpr int kArrowRoom = 9;
    int m_current = -1;
};
