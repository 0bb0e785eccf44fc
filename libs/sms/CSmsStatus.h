#pragma once

#include <QObject>
#include <QString>

// What a send tells its status window while it runs: status lines, progress and whether Cancel still
// makes sense. The library emits the signals on the sending thread; connect them with the default
// (auto) connection and a receiver in the window's thread gets them queued.
class CSmsStatus : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    // A status line for the user (already in the running language).
    void StatusText(const QString& text);
    // Position of the progress bar, 0 to 100.
    void Progress(int position);
    // false once nothing is left that Cancel could stop (the last part is on its way).
    void CancelEnabled(bool enabled);
};
