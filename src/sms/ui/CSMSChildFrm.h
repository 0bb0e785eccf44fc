#pragma once

#include <QMdiSubWindow>

class CSendSMSView;
struct CSmsContext;

// The SMS window of the main window's document area, holding one SMS view. When it loses activation
// its view hands the draft to the other SMS views; it does not close while a send runs.
class CSMSChildFrm : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit CSMSChildFrm(const CSmsContext& context, QWidget* parent = nullptr);

    CSendSMSView* View() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    CSendSMSView* m_view = nullptr;
};
