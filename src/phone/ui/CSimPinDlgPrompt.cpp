#include "CSimPinDlgPrompt.h"

#include "CGetSimPinDlg.h"

#include <QApplication>

bool CSimPinDlgPrompt::AskPin(QString& pin)
{
    // The question comes while the main window waits for the phone: a window made now over the disabled
    // main window is still usable, but it should show the normal cursor, not the wait cursor.
    CGetSimPinDlg dialog(m_parent);
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
