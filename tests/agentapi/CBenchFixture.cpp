#include "CBenchFixture.h"

#include "AgentApi.h"
#include "CPhoneBench.h"
#include "CTestEnvironment.h"

void CBenchFixture::Start()
{
    AgentCloseLink();
    m_bench = CTestEnvironment::NewFolder(QStringLiteral("bench"));
    m_delays.clear();
    AgentSetBenchFolder(m_bench);
    AgentSetDelayFunction([this](int ms) { m_delays << ms; });
}

CPhoneModelFacts CBenchFixture::Plain(int modelType, int callListType)
{
    CPhoneModelFacts facts;
    facts.modelType = modelType;
    facts.name = QStringLiteral("Plain %1").arg(modelType);
    facts.callListType = callListType;
    return facts;
}

CPhoneModelFacts CBenchFixture::CrossFleet(int modelType, int callListType, int cpVersion)
{
    CPhoneModelFacts facts = Plain(modelType, callListType);
    facts.crossFleetCapable = true;
    facts.crossFleetCPVersion = cpVersion;
    return facts;
}

CPhoneModelFacts CBenchFixture::Q700(int modelType)
{
    CPhoneModelFacts facts = Plain(modelType, 7);
    facts.phoneClass = 2;
    return facts;
}

CPhoneModelFacts CBenchFixture::Alder(int modelType)
{
    CPhoneModelFacts facts = Plain(modelType, 7);
    facts.phoneClass = 3;
    return facts;
}

QString CBenchFixture::PathOf(const QString& name) const
{
    return CPhoneBench(m_bench).PathOf(name);
}

QString CBenchFixture::Make(const QString& name, const CPhoneModelFacts& facts, CPhonePresetOptions options)
{
    CVirtualPhone phone;
    QString why;
    if (!CPhonePreset::Build(facts, options, phone, &why) || !phone.Save(PathOf(name), &why))
        qFatal("cannot make phone %s: %s", qPrintable(name), qPrintable(why));
    return PathOf(name);
}

bool CBenchFixture::Connect(const QString& name) const
{
    return CPhoneBench(m_bench).Connect(name);
}

CVirtualPhone CBenchFixture::Load(const QString& name) const
{
    CVirtualPhone phone;
    QString why;
    if (CVirtualPhone::Load(PathOf(name), phone, &why) != AGENT_SUCCESS)
        qFatal("cannot load phone %s: %s", qPrintable(name), qPrintable(why));
    return phone;
}
