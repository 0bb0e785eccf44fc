#include "CPhoneFixture.h"

#include "AgentApi.h"
#include "CFleetContext.h"
#include "CProcessPhone.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"

#include <QSqlQuery>

bool CScriptedPin::AskPin(QString& pin)
{
    ++asked;
    if (script.isEmpty())
        return false;
    const QString answer = script.takeFirst();
    if (answer.isNull())
        return false;
    pin = answer;
    return true;
}

CVelmoraDoc* CScriptedHost::NewFleet()
{
    if (!context)
        return nullptr;
    auto document = std::make_unique<CVelmoraDoc>(*context);
    CFleetErrors errors;
    const bool created = document->OnNewDocument(errors);
    for (const CVelmoraError& error : errors)
        CVelmoraWrap::ShowError(error);
    if (!created)
        return nullptr;
    active = document.get();
    made.push_back(std::move(document));
    return active;
}

void CScriptedHost::Report(const CVelmoraError& error)
{
    if (error.IsError())
        statusAtMessages << statusTexts.value(statusTexts.size() - 1);
    CVelmoraWrap::ShowError(error);
}

void CScriptedHost::BeginWait()
{
    ++waits;
    maxDepth = qMax(maxDepth, ++depth);
}

void CScriptedHost::EndWait()
{
    --depth;
}

CPhoneFixture::CPhoneFixture()
{
    const QString folder = CTestEnvironment::ProgramFolder();
    CVelmoraWrap::SetAppPath(folder);
    m_appDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("phone-tests-app"));
    m_appDb.setDatabaseName(folder + QStringLiteral("/VelmoraDB.vdf"));
    if (!m_appDb.open())
        qFatal("cannot open the application database");
    m_rules.SetDatabase(m_appDb);
    QString list;
    if (m_rules.LoadInternationalLists() || m_rules.BuildModelList(list) || list.isEmpty())
        qFatal("cannot build the model rules");
    QString why;
    if (!m_catalogue.Load(folder + QStringLiteral("/VelmoraDB.vdf"), folder + QStringLiteral("/Carrier.ini"),
                          &why))
        qFatal("cannot load the catalogue: %s", qPrintable(why));
    m_settings.programFolder = folder;
    m_settings.templatePath = folder + QStringLiteral("/VelmoraVLF.vdf");
    m_context = std::make_unique<CFleetContext>(m_settings.Fleet());
    m_host.context = m_context.get();
    m_host.pin = &m_pin;
}

CPhoneFixture::~CPhoneFixture()
{
    for (auto& document : m_host.made)
        document->OnCloseDocument();
    m_host.made.clear();
}

void CPhoneFixture::Start()
{
    for (auto& document : m_host.made)
        document->OnCloseDocument();
    m_host = CScriptedHost();
    m_host.context = m_context.get();
    m_host.pin = &m_pin;
    m_bench.Start();
    AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0);
    m_pin = CScriptedPin();
    m_settings.backupFolder = CTestEnvironment::NewFolder(QStringLiteral("backups"));
    CVelmoraWrap::SetRegistryValue(QStringLiteral("Codeplug Backup Path"), m_settings.backupFolder);
    CScriptedAnswerer::Instance().Clear();
}

CPhoneModelFacts CPhoneFixture::Facts(int modelType) const
{
    const CPhoneModelFacts* facts = m_catalogue.Find(modelType);
    if (!facts)
        qFatal("model %d is not in the catalogue", modelType);
    return *facts;
}

QList<int> CPhoneFixture::ModelTypes() const
{
    QList<int> types;
    for (const CPhoneModelFacts& facts : m_catalogue.Models())
        types << facts.modelType;
    return types;
}

QString CPhoneFixture::Plug(int modelType, CPhonePresetOptions options, const QString& name)
{
    const QString file = name.isEmpty() ? QStringLiteral("model%1").arg(modelType) : name;
    m_bench.Make(file, Facts(modelType), options);
    if (!m_bench.Connect(file))
        qFatal("cannot connect %s", qPrintable(file));
    return file;
}

void CPhoneFixture::AddFault(const QString& name, const QString& target, int code, int remaining)
{
    CVirtualPhone phone = Load(name);
    phone.faults.append({target, code, remaining});
    Save(name, phone);
}

void CPhoneFixture::Save(const QString& name, const CVirtualPhone& phone) const
{
    QString why;
    if (!phone.Save(m_bench.PathOf(name), &why))
        qFatal("cannot save phone %s: %s", qPrintable(name), qPrintable(why));
}

std::unique_ptr<CProcessPhone> CPhoneFixture::Read()
{
    const int rc = AgentReadCodeplug(1, 0, 0);
    if (rc != AGENT_SUCCESS && !AgentIsWarning(rc))
        return nullptr;
    auto phone = std::make_unique<CProcessPhone>(CProcessPhone::ModeRead, m_settings, m_rules, &m_pin);
    phone->SetMessages(&m_host);
    CVelmoraError error = phone->OpenScratchDatabase();
    if (!error)
        error = phone->ReadPhone();
    // The read's error reaches the answerer as the command would show it.
    m_host.Report(error);
    if (error)
        return nullptr;
    return phone;
}

CVelmoraDoc* CPhoneFixture::NewFleet()
{
    return m_host.NewFleet();
}

int CPhoneFixture::Count(const QSqlDatabase& db, const QString& table, const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE unit_imei_num = ?").arg(table));
    query.addBindValue(imei);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}
