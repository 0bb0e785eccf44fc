#pragma once

#include "CGridCheckResult.h"
#include "CTalkgroupManager.h"
#include "IFleetView.h"
#include "IFrameView.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

class CVelmoraDoc;
class CVelmoraGridWnd;
class IFrameServices;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

// What the talkgroup manager takes from the running program.
struct CTGDlgSettings
{
    std::function<int()> namCount; // "Service Provider NAM", read at every showing
    bool hideSimpleList = false;   // leave the Alder models out of the units
    QString alderModels;           // "90#91#..."
    CTalkgroupManager::CapacityOf capacityOf;
    bool rightToLeft = false;
};

// The talkgroup manager: the second tab of a fleet window. For the NAM chosen it lists every
// talkgroup some unit carries, the units that carry the current one, and adds units to it (buttons or
// a drop of rows dragged from the units grid), removes members and deletes talkgroups fleet-wide.
// New talkgroups are typed into the empty row at the end of the talkgroup grid.
class CTGDlg : public QWidget, public IFrameView, public IFleetView
{
    Q_OBJECT
public:
    enum ControlId
    {
        AddSelectedButton = 1015,
        AddAllButton = 1017,
        RemoveSelectedButton = 1019,
        RemoveAllButton = 1023,
        UnitsGrid = 1152,
        TalkgroupGrid = 1153,
        MembersGrid = 1154,
        NamCombo = 1158,
    };
    // Talkgroup grid columns.
    enum HeaderColumn
    {
        NameCol = 1,
        IdCol = 2,
        NamCol = 3,
        KeyCol = 4
    };

    CTGDlg(CVelmoraDoc& document, CTGDlgSettings settings, IFrameServices* services = nullptr,
           QWidget* parent = nullptr);
    ~CTGDlg() override;

    // IFrameView
    int ViewFamily() const override;
    bool CanRunCommand(int commandId) const override;
    void RunCommand(int commandId) override;
    bool DisablesFrameCommand(int commandId) const override;
    bool FinishPendingWork() override;

    // IFleetView
    bool IsEditingCell() const override;
    bool CanCloseView() override;
    void ReleaseDatabase() override {}
    void AttachDatabase(const QSqlDatabase&) override {}
    // Units changed behind the view (a phone was read, a fleet appended): shown again at once.
    void RefreshUnits() override;

    // --- What the buttons and the drop run (tests call them) ---
    void Activate();
    int CurrentNam() const { return m_nam; }
    void SetNam(int nam);
    void AddUnitRows(const QList<int>& unitRows);
    void AddSelectedUnits();
    void AddAllUnits();
    void RemoveSelectedMembers();
    void RemoveAllMembers();
    void DeleteCurrentTalkgroup();
    // The view is left (another tab, the document closes): a talkgroup row still in edit is stored
    // when it can be, else discarded with message 1686 or the reason it was refused.
    void LeaveView();

    CVelmoraGridWnd* Units() const { return m_units; }
    CVelmoraGridWnd* Talkgroups() const { return m_talkgroups; }
    CVelmoraGridWnd* Members() const { return m_members; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTalkgroupManager Manager() const;
    void BuildLayout();
    void SetUpGrids();
    void ConnectSignals();
    QPushButton* AddButton(int controlId, int textId);
    void FillNamCombo(int namCount);
    void LoadUnits();
    void ReloadNam();
    void FillMembers(int headerRow);
    void UpdateButtons();
    void EnsureAppendRow();
    // The talkgroup row as typed, and whether it differs from what is stored.
    CTalkgroupManager::Header HeaderAt(int row) const;
    bool RowDirty(int row) const;
    CGridCheckResult StoreRow(int row);
    void DiscardRow(int row);
    // Stores the current talkgroup row before work on its members; false when it was refused.
    bool FinishHeaderRow();
    void ShowStatus(const QString& text);
    void WatchTabs();

    CVelmoraDoc& m_document;
    CTGDlgSettings m_settings;
    IFrameServices* m_services = nullptr;
    QComboBox* m_namCombo = nullptr;
    QGroupBox* m_membersBox = nullptr;
    CVelmoraGridWnd* m_units = nullptr;
    CVelmoraGridWnd* m_talkgroups = nullptr;
    CVelmoraGridWnd* m_members = nullptr;
    QHash<int, QPushButton*> m_buttons;
    QPointer<QTabWidget> m_tabs;

    QList<CTalkgroupManager::Unit> m_unitList;      // units grid row r is m_unitList[r - 1]
    QHash<int, CTalkgroupManager::Header> m_stored; // talkgroup rows by key, as stored
    int m_nam = 1;
    int m_lastNamCount = 0;
    int m_memberRow = 0; // the talkgroup row the members grid shows
    bool m_firstShowing = true;
    bool m_unitsStale = false;
    bool m_shown = false; // the tab is the current one
    bool m_filling = false;
};
