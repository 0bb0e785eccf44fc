#pragma once

#include "CInstalledData.h"
#include "CUnitInfoPage.h"

#include <QSqlDatabase>

// Property page with a SIM phone's NAM 1 number, private identity, IP address and IMEI.
class CUnitViewSimInfoDlg : public CUnitInfoPage
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 1872,
        PhoneNumberId = 1875,
        PrivateIdId = 1876,
        IpAddressId = 1878,
        ImeiId = 1128,
    };

    // Hebrew shows the identity right to left.
    CUnitViewSimInfoDlg(const QString& imei, const QSqlDatabase& fleet, CInstalledData::Language language,
                        QWidget* parent = nullptr);
    void OnInitDialog() override;

private:
    QSqlDatabase m_fleet;
    CInstalledData::Language m_language;
};
