#pragma once

#include "CExchangePlacement.h"
#include "CModelProfile.h"

#include <QHash>
#include <QPair>

class CModelRules;

// The list capacities of target units, from each target's model: the model rules are read once per
// model and release, however many units share it.
class CExchangeCapacities
{
public:
    explicit CExchangeCapacities(const CModelRules& rules) : m_rules(rules) {}

    // The profile of a model and release (release 39 of model 90 is the special variant). A model the
    // catalogue does not know has every list capacity 0 (nothing can be added), the consolidated list
    // aside.
    const CModelProfile& Profile(int modelType, int releaseId);
    // The capacity of one list of that model; NAM 1..3 for the per-NAM lists.
    int Capacity(int modelType, int releaseId, CExchangeKind kind, int nam = 1);
    static int CapacityOf(const CModelProfile::ListCapacities& capacities, CExchangeKind kind, int nam);
    // How many times the model rules were read (one per distinct model and release).
    int Loads() const { return m_loads; }

private:
    const CModelRules& m_rules;
    QHash<QPair<int, int>, CModelProfile> m_profiles;
    int m_loads = 0;
};
