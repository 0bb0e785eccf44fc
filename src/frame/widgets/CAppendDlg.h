#pragma once

#include "IAppendQuestion.h"

#include <QDialog>

class QLabel;

// The question of an append when a unit's IMEI exists in the fleet already: overwrite it, overwrite
// all, skip it or skip all. Closing it another way skips the unit.
class CAppendDlg : public QDialog, public IAppendQuestion
{
    Q_OBJECT
public:
    explicit CAppendDlg(QWidget* parent = nullptr);

    // Shows the question for this IMEI and answers with the button chosen (Dismissed when closed).
    int AskOverwrite(const QString& imei) override;

    void SetImei(const QString& imei);
    int Answer() const { return m_answer; }
    QString Text() const;

private:
    void Choose(int answer);

    QLabel* m_text = nullptr;
    int m_answer = Dismissed;
};
