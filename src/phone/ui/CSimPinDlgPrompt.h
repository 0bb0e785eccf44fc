#pragma once

#include "ISimPinPrompt.h"

#include <QPointer>
#include <QWidget>

// The program's answer to the PIN question: the PIN dialog, modal over the given window.
class CSimPinDlgPrompt : public ISimPinPrompt
{
public:
    explicit CSimPinDlgPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    bool AskPin(QString& pin) override;

private:
    QPointer<QWidget> m_parent;
};
