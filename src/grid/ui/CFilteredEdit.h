#pragma once

#include <QLineEdit>
#include <functional>

// A dialog edit that lets through only the characters its kind allows (typed or pasted) and,
// for the kinds that have one, asks its dialog with a focus-leave message before the focus moves
// to another control of the same window; a refusal puts the focus back into the edit.
class CFilteredEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Answers whether the edit may lose the focus to newFocus; messageId is the edit's
    // focus-leave message (1248 or 1249).
    using LeaveHandler = std::function<bool(int messageId, QLineEdit* edit, QWidget* newFocus)>;

    void SetLeaveHandler(LeaveHandler handler) { m_leaveHandler = std::move(handler); }
    int LeaveMessageId() const { return m_leaveMessageId; }

    // Whether a character may be typed, and whether the whole text after typing or pasting may stand.
    virtual bool AcceptsChar(QChar c) const = 0;
    virtual bool AcceptsText(const QString& text) const;

protected:
    CFilteredEdit(int leaveMessageId, bool beepOnRefusal, QWidget* parent);

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_leaveMessageId;
    bool m_beep;
    bool m_asking = false;
    LeaveHandler m_leaveHandler;
};
