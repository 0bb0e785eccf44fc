#include "CUnitViewSimInfoDlg.h"

#include "CUnitSimInfo.h"
#include "CVelmoraWrap.h"
#include "PhoneMessageIds.h"

CUnitViewSimInfoDlg::CUnitViewSimInfoDlg(const QString& imei, const QSqlDatabase& fleet,
                                         CInstalledData::Language language, QWidget* parent)
    : CUnitInfoPage(imei, parent), m_fleet(fleet), m_language(language)
{
    setObjectName(QStringLiteral("UnitViewSimInfoDlg"));
    setProperty("helpContext", 0x20000 + DialogId);
    setProperty("dialogId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(PhoneText::SimPageTitle));
    AddField(PhoneText::PhoneNumberLabel, PhoneNumberId);
    AddField(PhoneText::PrivateIdLabel, PrivateIdId);
    AddField(PhoneText::IpAddressLabel, IpAddressId);
    AddField(PhoneText::ImeiLabel, ImeiId);
}

void CUnitViewSimInfoDlg::OnInitDialog()
{
    const CUnitSimInfo info = CUnitSimInfo::Load(m_fleet, Imei(), m_language);
    SetField(PhoneNumberId, info.phoneNumber);
    SetField(PrivateIdId, info.privateId);
    SetField(IpAddressId, info.ipAddress);
    SetField(ImeiId, info.imei);
}
