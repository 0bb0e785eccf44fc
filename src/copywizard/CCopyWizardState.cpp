#include "CCopyWizardState.h"

#include "CModelRules.h"
#include "CProcessPhone.h"

#include <QFile>

namespace {
// The release that, with model 90, selects the special variant.
constexpr int kSpecialRelease = 39;
} // namespace

CCopyWizardState::CCopyWizardState() = default;
CCopyWizardState::~CCopyWizardState()
{
    ReleaseSource();
}

void CCopyWizardState::ReleaseSource()
{
    m_source.reset();
    if (!m_privateCopy.isEmpty()) {
        QFile::remove(m_privateCopy);
        m_privateCopy.clear();
    }
}

void CCopyWizardState::SetSource(std::unique_ptr<CProcessPhone> source)
{
    ReleaseSource();
    m_source = std::move(source);
    itemListFilled = false;
}

void CCopyWizardState::FreeSource()
{
    ReleaseSource();
    sourceImei.clear();
    itemListFilled = false;
}

void CCopyWizardState::ApplyModelRules(const CModelRules& rules)
{
    m_profile = rules.ProfileOf(modelType, release39 ? kSpecialRelease : 0, 0);
    itemListFilled = false;
}

bool CCopyWizardState::EnsureItems(int namCount)
{
    if (itemListFilled)
        return false;
    items.Fill(namCount, m_profile, phoneClass);
    itemListFilled = true;
    return true;
}
