#pragma once

#include <QDialog>

class ISmsLibrary;
class QComboBox;

// Chooses the modem the messages go through, among the modems the library knows. OK gives the choice
// to the library and keeps it in the settings ("Modem ID", "Modem Name").
class CModemDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CModemDlg(ISmsLibrary& library, QWidget* parent = nullptr);

    QComboBox* Modems() const { return m_modems; }
    void accept() override;

private:
    ISmsLibrary& m_library;
    QComboBox* m_modems = nullptr;
};
