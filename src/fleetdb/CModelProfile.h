#pragma once

#include <QString>
#include <array>

// The model profile of one unit: what its model, release and sub-release allow (phone class, call list
// type, list capacities, scan and status lists, ergonomic field flags, cross-fleet capability). A value
// filled by the model catalogue and owned by whoever edits that unit, so editing one unit never changes
// what another unit is allowed.
struct CModelProfile
{
    enum : int
    {
        ErgoFieldCount = 41,
        NamSlots = 3,
        ConsolidatedCapacity = 250,
    };

    // The fourteen list capacities of a model; NAM-dependent lists are indexed by NAM - 1.
    struct ListCapacities
    {
        int phoneBook = 0;
        std::array<int, NamSlots> privateList{};
        std::array<int, NamSlots> talkgroups{};
        std::array<int, NamSlots> scanList{};
        std::array<int, NamSlots> statusMessages{};
        int consolidated = ConsolidatedCapacity;

        bool operator==(const ListCapacities& other) const;
        bool operator!=(const ListCapacities& other) const { return !(*this == other); }
    };

    int modelType = 0;
    int releaseId = 0;
    int subReleaseId = 0;
    QString modelKey; // sub-model key or model number, the unit's model cell text

    bool known = false; // the catalogue has a row for the model
    int callListType = 0;
    int phoneClass = 1;
    ListCapacities capacities;
    bool scanAndStatus = false;
    bool hasErgoFlags = false;                       // the flags were read from a rule table
    std::array<int, ErgoFieldCount + 1> ergoFlags{}; // index 0 unused; cleared means disabled
    bool crossFleetCapable = false;
    int crossFleetCPVersion = 0;

    // Flag of an ergonomic field id 1..41 (0 for any other id).
    int ErgoFieldFlag(int fieldId) const;
    // How many NAMs the model's lists have: those with a private or talkgroup list (0 for an unknown model).
    int NamCount() const;
    // The model is known and its ergonomic flags could be read.
    bool Complete() const { return known && hasErgoFlags; }
};
