#pragma once

#include "INewUnitPrompt.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The new-unit prompt: enter the new unit's settings by hand (preselected) or read them from the
// phone on the cable, and a box that stops the prompt from being shown again.
class CDefaultValueDlg : public QDialog, public INewUnitPrompt
{
    Q_OBJECT

public:
    explicit CDefaultValueDlg(QWidget* parent = nullptr);

    // Shows the prompt modally. The phone choice is disabled when it cannot be offered.
    Answer AskNewUnit(bool phoneChoiceAvailable) override;

    // The dialog's answer as it stands (what AskNewUnit returns after the dialog closes).
    Answer CurrentAnswer() const;
    void SetPhoneChoiceAvailable(bool available);

private:
    QRadioButton* m_byHand = nullptr;
    QRadioButton* m_fromPhone = nullptr;
    QCheckBox* m_dontShow = nullptr;
};
