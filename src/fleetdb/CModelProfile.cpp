#include "CModelProfile.h"

bool CModelProfile::ListCapacities::operator==(const ListCapacities& other) const
{
    return phoneBook == other.phoneBook && privateList == other.privateList &&
           talkgroups == other.talkgroups && scanList == other.scanList &&
           statusMessages == other.statusMessages && consolidated == other.consolidated;
}

int CModelProfile::ErgoFieldFlag(int fieldId) const
{
    if (fieldId < 1 || fieldId > ErgoFieldCount)
        return 0;
    return ergoFlags[size_t(fieldId)];
}

int CModelProfile::NamCount() const
{
    int count = 0;
    for (size_t nam = 0; nam < NamSlots; ++nam) {
        if (capacities.privateList[nam] > 0 || capacities.talkgroups[nam] > 0)
            ++count;
    }
    return count;
}
