#include "CExchangeCapacities.h"

#include "CModelRules.h"

const CModelProfile& CExchangeCapacities::Profile(int modelType, int releaseId)
{
    const QPair<int, int> key(modelType, releaseId);
    auto it = m_profiles.find(key);
    if (it == m_profiles.end()) {
        CModelProfile profile;
        profile.modelType = modelType;
        profile.releaseId = releaseId;
        ++m_loads;
        profile.known = m_rules.SetupListCapacities(
            modelType, CModelRules::IsSpecialVariant(releaseId, modelType), profile);
        if (profile.known)
            profile.phoneClass = m_rules.PhoneClassOf(modelType);
        it = m_profiles.insert(key, profile);
    }
    return it.value();
}

int CExchangeCapacities::Capacity(int modelType, int releaseId, CExchangeKind kind, int nam)
{
    return CapacityOf(Profile(modelType, releaseId).capacities, kind, nam);
}

int CExchangeCapacities::CapacityOf(const CModelProfile::ListCapacities& c, CExchangeKind kind, int nam)
{
    if (nam < 1 || nam > CModelProfile::NamSlots)
        nam = 1;
    const size_t i = size_t(nam - 1);
    switch (kind) {
    case CExchangeKind::PhoneBook:
        return c.phoneBook;
    case CExchangeKind::Private:
        return c.privateList[i];
    case CExchangeKind::Talkgroups:
        return c.talkgroups[i];
    case CExchangeKind::Consolidated:
        return c.consolidated;
    case CExchangeKind::Status:
        return c.statusMessages[i];
    case CExchangeKind::Scan:
        return c.scanList[i];
    }
    return 0;
}
