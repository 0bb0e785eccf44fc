#pragma once

#include "CCopyLog.h"
#include "CPropertyPageWithHelp.h"

class CCopyWizardSheet;
class QCheckBox;
class QPushButton;
class QTreeWidget;

// The Write page: Write programs the phone now on the cable with the source; the manager connects
// the next phone and writes again, and ends with Finish. Each write adds a line to the log below.
class CCopyWizWriteDlg : public CPropertyPageWithHelp
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 108,
        WriteId = 1013,
        RestartId = 1238,
        LogId = 7825,
        SaveLogId = 7826,
    };

    explicit CCopyWizWriteDlg(CCopyWizardSheet& sheet);

    bool OnSetActive() override;

    // Writes the connected phone; true when it was programmed.
    bool WritePhone();
    bool SaveLog(const QString& path);
    // Adds a line to the log and shows it.
    void AppendLog(const CCopyLog::Line& line);
    QTreeWidget* LogList() const { return m_log; }
    QCheckBox* Restart() const { return m_restart; }

private:
    void AskAndSaveLog();

    CCopyWizardSheet& m_sheet;
    QPushButton* m_write;
    QCheckBox* m_restart;
    bool m_restartChecked = false;
    QTreeWidget* m_log;
    QPushButton* m_saveLog;
};
