#include "CSimPinDlgPrompt.h"

#include "CGetSimPinDlg.h"

#include <QApplication>

bool CSimPinDlgPrompt::AskPin(QString& pin)
{
    // The question comes while the main window is disabled for the phone operation: the dialog must
    // stay usable, so it does not hang under that window but only sits over it.
    QWidget* over = m_parent ? m_parent->window() : nullptr;
    CGetSimPinDlg dialog(nullptr);
    if (over)
        dialog.move(over->geometry().center() - dialog.rect().center());
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (waiting)
        QApplication::restoreOverrideCursor();
    if (accepted)
        pin = dialog.Pin();
    return accepted;
}
