#include "CMaskedEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

CMaskedEdit::CMaskedEdit(QWidget* parent) : QLineEdit(parent) {}

void CMaskedEdit::SetMasks(const CTarnMasks& masks)
{
    const QString value = Value();
    m_masks = masks;
    UpdateValidator();
    SetValue(value);
}

void CMaskedEdit::SetPrompt(QChar prompt)
{
    const QString value = Value();
    m_prompt = prompt;
    UpdateValidator();
    SetValue(value);
}

// Pasted or dropped text must fit the mask as a whole; typing goes through keyPressEvent.
void CMaskedEdit::UpdateValidator()
{
    if (m_masks.IsEmpty()) {
        setValidator(nullptr);
        setMaxLength(32767);
        return;
    }
    const QString prompt = QRegularExpression::escape(QString(m_prompt));
    QString pattern;
    for (int i = 0; i < m_masks.Length(); ++i) {
        const QChar m = m_masks.Mask()[i];
        QString cls;
        switch (m.unicode()) {
        case '#':
            cls = QStringLiteral("0-9");
            break;
        case '?':
        case 'L':
        case 'U':
            cls = QStringLiteral("\\p{L}");
            break;
        case 'A':
            cls = QStringLiteral("\\p{L}0-9");
            break;
        case 'B':
            cls = QStringLiteral("01");
            break;
        case 'H':
            cls = QStringLiteral("0-9A-Fa-f");
            break;
        case '&':
            pattern += QStringLiteral(".");
            continue;
        default:
            pattern += QRegularExpression::escape(QString(m));
            continue;
        }
        pattern += QStringLiteral("[") + cls + (Positional() ? prompt + QStringLiteral(" ") : QString()) +
                   QStringLiteral("]");
        if (!Positional())
            pattern += QStringLiteral("?");
    }
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setMaxLength(m_masks.Length());
}

QString CMaskedEdit::Value() const
{
    if (m_masks.IsEmpty() || !Positional())
        return text();
    QString value = m_masks.StripLiterals(text());
    value.replace(m_prompt, QLatin1Char(' '));
    return value;
}

void CMaskedEdit::SetValue(const QString& value)
{
    if (m_masks.IsEmpty() || !Positional()) {
        setText(value.left(m_masks.IsEmpty() ? value.size() : m_masks.Length()));
        return;
    }
    QString v = value;
    v.replace(QLatin1Char(' '), m_prompt);
    setText(m_masks.Format(v, m_prompt));
    setCursorPosition(0);
}

void CMaskedEdit::ClearSelection()
{
    if (!hasSelectedText())
        return;
    const int start = selectionStart(), end = start + int(selectedText().size());
    QString t = text();
    for (int i = start; i < end && i < t.size(); ++i) {
        if (!m_masks.IsLiteral(i))
            t[i] = m_prompt;
    }
    setText(t);
    setCursorPosition(start);
}

void CMaskedEdit::TypeChar(QChar c)
{
    if (Positional())
        ClearSelection();
    int pos = cursorPosition();
    if (!Positional()) {
        QChar stored;
        if (hasSelectedText())
            pos = selectionStart();
        const int length = int(text().size()) - int(selectedText().size());
        if (length >= m_masks.Length() || !m_masks.AcceptChar(pos, c, stored)) {
            QApplication::beep();
            return;
        }
        insert(QString(stored));
        return;
    }

    QString t = text();
    while (pos < t.size() && m_masks.IsLiteral(pos)) {
        if (t[pos] == c) { // typing the literal itself steps over it
            setCursorPosition(pos + 1);
            return;
        }
        ++pos;
    }
    QChar stored;
    if (pos < t.size() && m_masks.AcceptChar(pos, c, stored)) {
        t[pos] = stored;
        ++pos;
        while (pos < t.size() && m_masks.IsLiteral(pos))
            ++pos;
        setText(t);
        setCursorPosition(pos);
        return;
    }
    // A literal typed early ends the group: go to just after the next such literal.
    const int lit = m_masks.Mask().indexOf(c, cursorPosition());
    if (lit >= 0 && m_masks.IsLiteral(lit)) {
        setCursorPosition(lit + 1);
        return;
    }
    QApplication::beep();
}

void CMaskedEdit::Erase(bool backwards)
{
    if (hasSelectedText()) {
        ClearSelection();
        return;
    }
    QString t = text();
    const int cursor = cursorPosition();
    int pos = cursor - (backwards ? 1 : 0);
    while (pos >= 0 && pos < t.size() && m_masks.IsLiteral(pos))
        pos += backwards ? -1 : 1;
    if (pos < 0 || pos >= t.size())
        return;
    t[pos] = m_prompt;
    setText(t);
    setCursorPosition(backwards ? pos : cursor);
}

void CMaskedEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_masks.IsEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Paste) {
        QString laid = m_masks.Apply(QApplication::clipboard()->text(), m_prompt);
        if (!Positional()) {
            insert(laid.left(m_masks.Length() - (int(text().size()) - int(selectedText().size()))));
            return;
        }
        while (laid.size() < m_masks.Length())
            laid += m_masks.IsLiteral(int(laid.size())) ? m_masks.Mask()[laid.size()] : m_prompt;
        setText(laid);
        setCursorPosition(0);
        return;
    }
    if (Positional() && event == QKeySequence::Cut) {
        copy();
        ClearSelection();
        return;
    }
    // Edits that would shift the positions against the mask are not offered.
    if (Positional() && (event == QKeySequence::DeleteEndOfWord || event == QKeySequence::DeleteStartOfWord ||
                         event == QKeySequence::DeleteCompleteLine || event == QKeySequence::Undo ||
                         event == QKeySequence::Redo)) {
        return;
    }
    if (Positional() && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        Erase(event->key() == Qt::Key_Backspace);
        return;
    }
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable) {
        TypeChar(typed[0]);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
