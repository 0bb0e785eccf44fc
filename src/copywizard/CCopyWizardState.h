#pragma once

#include "CCopyItems.h"
#include "CModelProfile.h"

#include <QString>
#include <memory>

class CModelRules;
class CProcessPhone;

// What the wizard's pages share: where the source came from, the phone operation that holds the
// source unit (owned: a new source frees the old one), that unit's identity and model, and the check
// list of what is copied, filled once per source.
class CCopyWizardState
{
public:
    enum SourceKind : int
    {
        FromPhone = 1,
        FromFile = 2
    };

    CCopyWizardState();
    ~CCopyWizardState();
    CCopyWizardState(const CCopyWizardState&) = delete;
    CCopyWizardState& operator=(const CCopyWizardState&) = delete;

    int sourceKind = FromPhone;
    QString sourceImei;
    int modelType = 0;
    int phoneClass = 1;
    int simKind = 1;
    bool release39 = false; // release 39 of model 90: the special variant's rules
    bool itemListFilled = false;
    CCopyItems items;

    CProcessPhone* Source() const { return m_source.get(); }
    bool HasSource() const { return m_source != nullptr && !sourceImei.isEmpty(); }
    // A new source: the old one is freed, the check list will be filled again.
    void SetSource(std::unique_ptr<CProcessPhone> source);
    void FreeSource();
    // The private copy of a fleet file the source reads: removed when the source lets go of it.
    void RemoveOnRelease(const QString& path) { m_privateCopy = path; }

    // The source model's rules: list sizes and the scan-and-status switch the check list reads.
    void ApplyModelRules(const CModelRules& rules);
    const CModelProfile& Profile() const { return m_profile; }
    // Fills the check list for namCount NAMs when it is not filled for this source yet; true when
    // it was filled now (the checks start again).
    bool EnsureItems(int namCount);

private:
    void ReleaseSource();

    std::unique_ptr<CProcessPhone> m_source;
    QString m_privateCopy;
    CModelProfile m_profile;
};
