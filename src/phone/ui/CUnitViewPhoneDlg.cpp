#include "CUnitViewPhoneDlg.h"

#include "CUnitPhoneInfo.h"
#include "CVelmoraWrap.h"
#include "PhoneMessageIds.h"

CUnitViewPhoneDlg::CUnitViewPhoneDlg(const QString& imei, const QSqlDatabase& fleet, const CModelRules& rules,
                                     QWidget* parent)
    : CUnitInfoPage(imei, parent), m_fleet(fleet), m_rules(rules)
{
    setObjectName(QStringLiteral("UnitViewPhoneDlg"));
    setProperty("helpContext", 0x20000 + DialogId);
    setProperty("dialogId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(PhoneText::PhonePageTitle));
    AddField(PhoneText::StructureLabel, StructureVersionId);
    AddField(PhoneText::DefaultLabel, DefaultVersionId);
    AddField(PhoneText::LastChangedLabel, LastModifiedId);
    AddField(PhoneText::ImeiLabel, ImeiId);
    AddField(PhoneText::ModelNumberLabel, ModelNumberId);
    AddField(PhoneText::ModelDescLabel, ModelDescriptionId);
}

void CUnitViewPhoneDlg::OnInitDialog()
{
    const CUnitPhoneInfo info = CUnitPhoneInfo::Load(m_fleet, Imei(), m_rules);
    CVelmoraWrap::ShowError(info.error);
    SetField(StructureVersionId, info.structureVersion);
    SetField(DefaultVersionId, info.defaultVersion);
    SetField(LastModifiedId, info.lastModified);
    SetField(ImeiId, info.imei);
    SetField(ModelNumberId, info.modelNumber);
    SetField(ModelDescriptionId, info.modelDescription);
}
