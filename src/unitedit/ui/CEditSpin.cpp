#include "CEditSpin.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CEditSpin::CEditSpin(QLineEdit* buddy, int max, QWidget* parent) : QWidget(parent), m_buddy(buddy), m_max(max)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus); // the edit keeps the focus, so no focus-leave check runs
        button->setFixedSize(16, 11);
        layout->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, [this]() { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this]() { Step(-1); });
    setEnabled(buddy->isEnabled());
}

void CEditSpin::Step(int delta)
{
    if (!m_buddy->isEnabled() || m_buddy->isReadOnly())
        return;
    bool ok = false;
    int value = m_buddy->text().trimmed().toInt(&ok);
    if (!ok)
        value = 0;
    value = qBound(0, value + delta, m_max);
    m_buddy->setText(QString::number(value));
    // The page follows what the user changed.
    Q_EMIT m_buddy->textEdited(m_buddy->text());
}
