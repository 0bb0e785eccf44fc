#include "CMessageBoxAnswerer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// A box whose answer must be one of its buttons. Left alone, a yes/no box takes Escape and the window's
// close button as "No", and "No" often does something ("read into a new fleet") rather than cancel.
class CAnswerOnlyBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;
    void SetButtonsOnly(bool only) { m_buttonsOnly = only; }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (m_buttonsOnly && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (m_buttonsOnly) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_buttonsOnly = false;
};

} // namespace

int CMessageBoxAnswerer::Answer(const CVelmoraMessage& message)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    CAnswerOnlyBox box(parent);
    box.setWindowTitle(message.caption);
    box.setText(message.text);
    switch (message.type) {
    case VMT_NOTICE:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case VMT_YESNO:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.SetButtonsOnly(true);
        break;
    case VMT_YESNOCANCEL:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // A question asked in the middle of long work must not show the busy cursor: the user is expected
    // to answer it. The caller's cursor comes back once the box is closed.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int pressed = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (pressed) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}
