#pragma once

#include "CFleetConnection.h"
#include "CFleetLock.h"
#include "CFleetSettings.h"
#include "CSmsUnitList.h"

#include <QDialog>
#include <memory>

class CVelmoraDoc;
class CVelmoraGridWnd;
class QLabel;
class QLineEdit;

// Chooses recipients among the units of a fleet: the open fleet at first, or another fleet file the
// user browses to and loads. OK gives the numbers of the ticked units, at most as many as there are
// free places. A fleet file opened here is stored again when the dialog goes.
class CDisplayUnitsDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        ColCheck = 1,
        ColName = 2,
        ColNumber = 3,
    };

    CDisplayUnitsDlg(CVelmoraDoc* fleet, int freeSlots, const CFleetSettings& settings,
                     QWidget* parent = nullptr);
    ~CDisplayUnitsDlg() override;

    // "n1;n2;" after OK.
    QString Result() const { return m_result; }
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QLineEdit* PathEdit() const { return m_path; }

    void OnBrowse();
    // Lists the units of the file named in the path field; false (after the message) when it fails.
    bool OnLoad();
    void OnSelectAll();
    void accept() override;

private:
    void ReleaseFile();
    void ShowUnits(const QSqlDatabase& db);
    QList<CSmsUnitList::Unit> UnitsOfGrid() const;

    CVelmoraDoc* m_fleet = nullptr;
    int m_freeSlots = 0;
    CFleetSettings m_settings;
    std::unique_ptr<CFleetConnection> m_file;
    CFleetLock m_lock;
    QString m_filePath;
    QLineEdit* m_path = nullptr;
    CVelmoraGridWnd* m_grid = nullptr;
    QLabel* m_free = nullptr;
    QString m_result;
};
