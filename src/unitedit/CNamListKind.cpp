#include "CNamListKind.h"

#include "CGridListType.h"
#include "CTGScanListRecSet.h"
#include "CUnitPrvtDetRecSet.h"
#include "CUnitSheetLayout.h"
#include "CUnitStatusMsgRecSet.h"
#include "CUnitTGDetRecSet.h"

namespace {

using Caps = CModelProfile::ListCapacities;

CNamListKind Private()
{
    CNamListKind k;
    k.page = UnitPage::PrivateList;
    k.templateId = 104;
    k.table = QStringLiteral("unit_private_details");
    k.gridType = CGridListType::PrivateList;
    k.capacity = &Caps::privateList;
    k.nameField = QStringLiteral("unit_name");
    k.idField = QStringLiteral("unit_member_id");
    k.privateIds = true;
    k.hasLanguage = true;
    k.idMax = 65535;
    k.sortNameButton = 1148;
    k.sortIdButton = 1144;
    k.autoFill = true;
    k.transfer = true;
    return k;
}

CNamListKind Talkgroups()
{
    CNamListKind k;
    k.page = UnitPage::TalkgroupList;
    k.templateId = 105;
    k.table = QStringLiteral("unit_tg_details");
    k.gridType = CGridListType::TgCallList;
    k.capacity = &Caps::talkgroups;
    k.nameField = QStringLiteral("unit_tg_name");
    k.idField = QStringLiteral("unit_tg_id");
    k.hasLanguage = true;
    k.sortNameButton = 1148;
    k.sortIdButton = 1143;
    return k;
}

CNamListKind Scan()
{
    CNamListKind k;
    k.page = UnitPage::ScanList;
    k.templateId = 124;
    k.table = QStringLiteral("unit_tg_scan");
    k.gridType = CGridListType::TgScanList;
    k.capacity = &Caps::scanList;
    k.nameField = QStringLiteral("unit_tg_alias");
    k.idField = QStringLiteral("unit_tg_id");
    k.markAll = true;
    k.reportsWriteBack = true;
    return k;
}

CNamListKind Status()
{
    CNamListKind k;
    k.page = UnitPage::StatusMessages;
    k.templateId = 123;
    k.table = QStringLiteral("unit_status_msg_list");
    k.gridType = CGridListType::SmsMsg;
    k.capacity = &Caps::statusMessages;
    k.nameField = QStringLiteral("unit_msg_text");
    k.idField = QStringLiteral("unit_msg_id");
    k.markAll = true;
    k.reportsWriteBack = true;
    return k;
}

} // namespace

const CNamListKind* CNamListKind::Of(int page)
{
    static const CNamListKind kinds[] = {Private(), Talkgroups(), Scan(), Status()};
    for (const CNamListKind& kind : kinds) {
        if (kind.page == page)
            return &kind;
    }
    return nullptr;
}

std::unique_ptr<CRecordset> CNamListKind::MakeRecordset(const QSqlDatabase& db) const
{
    switch (page) {
    case UnitPage::PrivateList:
        return std::make_unique<CUnitPrvtDetRecSet>(db);
    case UnitPage::TalkgroupList:
        return std::make_unique<CUnitTGDetRecSet>(db);
    case UnitPage::ScanList:
        return std::make_unique<CTGScanListRecSet>(db);
    case UnitPage::StatusMessages:
        return std::make_unique<CUnitStatusMsgRecSet>(db);
    default:
        return nullptr;
    }
}

int CNamListKind::CapacityOf(const CModelProfile::ListCapacities& capacities, int nam) const
{
    if (nam < 1 || nam > CModelProfile::NamSlots || !capacity)
        return 0;
    return (capacities.*capacity)[size_t(nam - 1)];
}
