#pragma once

#include "CCopySource.h"

#include <QDialog>
#include <functional>

class CVelmoraGridWnd;

// Chooses the unit of a fleet file to copy from: its units in a read-only grid (model, user name,
// IMEI) sorted on the user name, the first row selected. OK takes the current row.
class CChoosePhoneDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 126,
        GridId = 1157,
        HelpId = 1021,
        HelpContext = 135294,
    };

    explicit CChoosePhoneDlg(const QList<CCopySource::Choice>& choices, QWidget* parent = nullptr);

    QString ChosenImei() const { return m_imei; }
    QString ChosenModelText() const { return m_modelText; }
    CVelmoraGridWnd* Grid() const { return m_grid; }

    void accept() override;
    void SetHelpHandler(std::function<void(int context)> handler) { m_helpHandler = std::move(handler); }

private:
    std::function<void(int)> m_helpHandler;
    CVelmoraGridWnd* m_grid;
    QString m_imei;
    QString m_modelText;
};
