#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the SIM card's PIN: one edit of at most 8 characters, focused when the dialog opens.
class CGetSimPinDlg : public QDialog
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 1207,
        HelpContext = 136375,
        PinEditId = 1228,
        MaxPinLength = 8,
    };

    explicit CGetSimPinDlg(QWidget* parent = nullptr);

    QString Pin() const { return m_pin; }
    QLineEdit* PinEdit() const { return m_edit; }

    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    QString m_pin;
};
