#pragma once

#include "CUnitCopyUserInfo.h"

#include <QDialog>
#include <QHash>

class CUnitPropertySheet;
class CVelmoraGridWnd;
class QLabel;
class QPushButton;

// Copies what the unit being edited has (one list, its settings or its Alder ergonomics, by mode) to
// the units the manager checks in the grid.
class CUnitCopyUserInfoDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 106,
        HelpContext = 135274,
        GridControl = 1234,
        SourceLabel = 1133,
        SelectAll = 1028,
        CopyButton = 1025,
        CloseButton = 2,
        SameModel = 1035,
        HelpButton = 1021,
        // grid columns
        ColCheck = 1,
        ColName = 2,
        ColImei = 3,
        ColModelType = 4,
        ColModel = 5,
        // texts
        TextTitle = 7851,
        TextSource = 7852,
        TextSelectAll = 7853,
        TextSameModel = 7854,
        TextCopy = 7855,
        TextClose = 7856,
        MsgFull = 7857,
    };

    CUnitCopyUserInfoDlg(const QSqlDatabase& db, const CModelRules& rules, int mode,
                         const QString& sourceImei, const CUnitCopyUserInfo::Options& options, bool hebrew,
                         QWidget* parent = nullptr);

    // Lists the source and the other units; false (after showing why) when the source cannot be read.
    bool Load();
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QPushButton* Button(int id) const { return m_buttons.value(id); }
    // The checked targets in grid order.
    QStringList CheckedTargets() const;
    void PressButton(int id);

    // Installs the dialog as what the sheet's Copy buttons open.
    static void Install();
    static void RunFromSheet(CUnitPropertySheet& sheet, int mode, int nam, int extra, QWidget* parent);

Q_SIGNALS:
    void helpRequested(int context);

private:
    QPushButton* AddButton(int id, int textId, int bitmapId);
    void Copy();
    void MarkSameModel();

    CUnitCopyUserInfo m_copy;
    int m_mode;
    QLabel* m_source = nullptr;
    CVelmoraGridWnd* m_grid = nullptr;
    QHash<int, QPushButton*> m_buttons;
};
