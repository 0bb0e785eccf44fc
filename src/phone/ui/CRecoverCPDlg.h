#pragma once

#include "CCodeplugRecovery.h"
#include "CPhoneSettings.h"
#include "IPhoneMessages.h"

#include <QDialog>
#include <functional>
#include <memory>

class CWidgetWait;
class QLineEdit;
class QPushButton;

// Codeplug recovery: the backup file to put back into the phone (the phone's own backup to start
// with), a browse button, and the restore button, enabled while a path is given. The restore's
// messages come up over the dialog.
class CRecoverCPDlg : public QDialog, private IPhoneMessages
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 125,
        HelpContext = 135293,
        PathId = 1172,
        BrowseId = 1173,
        RestoreId = 1226,
        HelpId = 1021,
    };

    explicit CRecoverCPDlg(const CPhoneSettings& settings, QWidget* parent = nullptr);
    ~CRecoverCPDlg() override;

    QString Path() const { return m_path; }
    void SetPath(const QString& path);
    QLineEdit* PathEdit() const { return m_edit; }
    QPushButton* RestoreButton() const { return m_restore; }
    QPushButton* BrowseButton() const { return m_browse; }

    // Where the browse button gets its file from (the file dialog in the program); empty: cancelled.
    using BrowsePrompt = std::function<QString(QWidget* parent)>;
    void SetBrowsePrompt(BrowsePrompt prompt) { m_prompt = std::move(prompt); }

    void OnBrowse();
    void OnRestore();

    // The recover command: question, the phone's backup name under the main window's wait, then the
    // dialog. False when the command ended before the dialog.
    // The help button asks `help` for the dialog's topic.
    static bool Run(const CPhoneSettings& settings, QWidget* mainWindow,
                    const std::function<void(int context)>& help = {});

Q_SIGNALS:
    void helpRequested(int contextId);

private:
    void OnPathEdited(const QString& text);
    void Report(const CVelmoraError& error) override;

    CCodeplugRecovery m_recovery;
    std::unique_ptr<CWidgetWait> m_wait;
    QString m_path;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_restore = nullptr;
    BrowsePrompt m_prompt;
};
