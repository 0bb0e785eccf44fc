#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The modeless "please wait" window shown over the main window while a phone operation runs.
// It shows a busy bar until the caller reports progress, then how far the work has come.
class CPleaseWait : public QDialog
{
    Q_OBJECT
public:
    explicit CPleaseWait(QWidget* parent);

    void SetText(const QString& text);
    // done of total; a total of 0 goes back to the busy bar.
    void SetProgress(int done, int total);
    QProgressBar* ProgressBar() const { return m_bar; }

private:
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
};
