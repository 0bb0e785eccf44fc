#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows beside a number edit (its buddy): a click steps the edit's number by one within
// 0..max, so the arrows never make a number the page would refuse; what is typed is the edit's affair.
class CEditSpin : public QWidget
{
    Q_OBJECT

public:
    CEditSpin(QLineEdit* buddy, int max, QWidget* parent = nullptr);

    // Steps the buddy's number (an empty or unreadable one counts as 0).
    void Step(int delta);
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

private:
    QLineEdit* m_buddy;
    int m_max;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};
