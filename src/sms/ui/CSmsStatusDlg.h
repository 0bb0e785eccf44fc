#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The window a send shows while it runs: what the modem is doing, how far the send has come, and
// Cancel, which asks the send to stop. The modem library may take Cancel away when a part is on its
// way and can no longer be called back.
class CSmsStatusDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CSmsStatusDlg(QWidget* parent = nullptr);

    bool Cancelled() const { return m_cancelled; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* StatusText() const { return m_status; }
    QPushButton* CancelButton() const { return m_cancel; }

    void SetStatus(const QString& text);
    void SetPosition(int position);
    void DisableCancel();

Q_SIGNALS:
    void cancelRequested();

protected:
    void reject() override;

private:
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_cancelled = false;
};
