#pragma once

#include "CSmsContext.h"
#include "CSmsDraft.h"
#include "IFrameView.h"

#include <QWidget>

class CToEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The SMS view: the recipients, the message, the option switch with its value, and the commands that
// choose recipients, send, save and load messages and choose the modem. All SMS views show one draft;
// while a send runs, a view that opens starts with its send button disabled.
class CSendSMSView : public QWidget, public IFrameView
{
    Q_OBJECT

public:
    enum : int
    {
        MaxTextLength = 2048,
        MaxOptionLength = 10,
        HelpContext = 135682, // the SMS window and its Help command
    };

    explicit CSendSMSView(const CSmsContext& context, QWidget* parent = nullptr);
    ~CSendSMSView() override;

    CSmsDraft Draft() const;
    void SetDraft(const CSmsDraft& draft);
    // Copies this view's draft into every other SMS view (when it is deactivated).
    void ShareDraft();
    QString CurrentMessageId() const { return m_currentId; }
    int LastSendCount() const { return m_lastSendCount; }
    static bool Sending() { return s_sending; }
    // The SMS views that exist, oldest first.
    static QList<CSendSMSView*> AllViews();

    CToEdit* Recipients() const { return m_to; }
    QPlainTextEdit* Message() const { return m_text; }
    QPushButton* SendButton() const { return m_send; }

    // IFrameView
    int ViewFamily() const override;
    bool CanRunCommand(int commandId) const override;
    void RunCommand(int commandId) override;

    void OnChooseRecipients();
    void OnSend();
    void OnSave();
    void OnLoad();
    void OnChooseModem();

private:
    void BuildControls();
    void OnTextChanged();
    void OnOptionToggled(bool on);
    void ReportSend(const struct CSmsSendOutcome& outcome, const CSmsSendPlan& plan);

    CSmsContext m_context;
    CToEdit* m_to = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_count = nullptr;
    QCheckBox* m_option = nullptr;
    QLineEdit* m_optionValue = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_send = nullptr;
    QString m_currentId = QStringLiteral("-1");
    int m_lastSendCount = 0;
    bool m_limiting = false;

    static bool s_sending;
};
