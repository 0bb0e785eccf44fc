#pragma once

#include "COptionsValues.h"

#include <QDialog>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QTabWidget;

// The options dialog: phone link (ports, quick communication, phone bench), codeplug backup folder,
// and the SMS splitting options. OK writes what changed.
class COptionsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit COptionsDlg(QWidget* parent = nullptr, int page = 0);

    QTabWidget* Tabs() const { return m_tabs; }
    // The values as the controls show them now.
    COptionsValues Edited() const;
    void accept() override;

private:
    QWidget* LinkPage();
    QWidget* BackupPage();
    QWidget* SmsPage();
    QLineEdit* FolderRow(QWidget* page, QFormLayout* form, int labelId, const QString& name);
    // A folder the program can rely on: the backup folder is required, the bench folder may stay
    // empty (the program folder's bench); both must be full paths. Shows why and focuses the field.
    bool FolderAcceptable(QLineEdit* edit, int tab, bool required);

    COptionsValues m_loaded;
    QTabWidget* m_tabs = nullptr;
    QSpinBox* m_comPort = nullptr;
    QSpinBox* m_usbPort = nullptr;
    QCheckBox* m_quickComm = nullptr;
    QLineEdit* m_benchFolder = nullptr;
    QLineEdit* m_backupFolder = nullptr;
    QCheckBox* m_flags[4] = {};
};
