#include "CFilteredEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QValidator>

namespace {

// Keeps pasted and dropped text to what the edit accepts.
class CFilterValidator : public QValidator
{
public:
    explicit CFilterValidator(const CFilteredEdit* edit)
        : QValidator(const_cast<CFilteredEdit*>(edit)), m_edit(edit)
    {
    }

    State validate(QString& input, int&) const override
    {
        for (const QChar c : input) {
            if (!m_edit->AcceptsChar(c))
                return Invalid;
        }
        return m_edit->AcceptsText(input) ? Acceptable : Invalid;
    }

private:
    const CFilteredEdit* m_edit;
};

} // namespace

CFilteredEdit::CFilteredEdit(int leaveMessageId, bool beepOnRefusal, QWidget* parent)
    : QLineEdit(parent), m_leaveMessageId(leaveMessageId), m_beep(beepOnRefusal)
{
    setValidator(new CFilterValidator(this));
}

bool CFilteredEdit::AcceptsText(const QString&) const
{
    return true;
}

void CFilteredEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character) {
        QString after = text();
        const int at = hasSelectedText() ? selectionStart() : cursorPosition();
        after.remove(at, selectedText().size());
        after.insert(at, typed);
        if (!AcceptsChar(typed[0]) || !AcceptsText(after) ||
            (maxLength() > 0 && after.size() > maxLength())) {
            if (m_beep)
                QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CFilteredEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_leaveMessageId == 0 || !m_leaveHandler || m_asking)
        return;
    QWidget* next = QApplication::focusWidget();
    // Only a move to another control of the same window asks; a message box or another window
    // taking the focus does not.
    if (!next || next == this || next->window() != window())
        return;
    m_asking = true;
    const bool mayLeave = m_leaveHandler(m_leaveMessageId, this, next);
    m_asking = false;
    if (!mayLeave) {
        QPointer<CFilteredEdit> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self)
                self->setFocus(Qt::OtherFocusReason);
        });
    }
}
