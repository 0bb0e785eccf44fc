#include "CCopySource.h"

#include "AgentApi.h"
#include "CCopyWizardState.h"
#include "CModelRules.h"
#include "CPhoneSettings.h"
#include "CProcessPhone.h"
#include "CVelmoraWrap.h"
#include "CWaitScope.h"
#include "CopyWizardIds.h"
#include "IPhoneMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <memory>

namespace {

constexpr int kSpecialRelease = 39;
constexpr int kSpecialModel = 90;

// The read went far enough to go on: success and the read warnings.
bool Completed(int code)
{
    return code == AGENT_SUCCESS || code == AGENT_WARN_SKIPPED || code == AGENT_WARN_KEPT ||
           code == AGENT_WARN_RESTART;
}

} // namespace

CVelmoraError CCopySource::ReadFromPhone(CCopyWizardState& state, ISimPinPrompt* prompt, IWaitIndicator& wait)
{
    state.FreeSource();
    const int rc = AgentReadCodeplug(m_settings.ComPortArg(), m_settings.quickComm, m_settings.UsbPortArg());
    if (rc == AGENT_CANCELLED)
        return CVelmoraError::Cancelled();
    if (!Completed(rc)) {
        const CVelmoraError error = CVelmoraError::FromAgentCode(rc);
        if (error.Stops())
            return error;
        m_messages.Report(error);
    }

    auto phone = std::make_unique<CProcessPhone>(CProcessPhone::ModeRead, m_settings, m_rules, prompt);
    phone->SetMessages(&m_messages);
    {
        CWaitScope scope(wait);
        CVelmoraError error = phone->OpenScratchDatabase();
        if (!error)
            error = phone->ReadPhone();
        if (error)
            return error;
    }
    state.sourceImei = phone->Imei();
    state.modelType = phone->ModelType();
    state.phoneClass = phone->PhoneClass();
    state.simKind = phone->SimKind();
    state.release39 = phone->Release39();
    state.SetSource(std::move(phone));
    if (state.phoneClass == 1) {
        // A phone without SIM leaves programming mode only when restarted.
        CWaitScope scope(wait);
        const int reset =
            AgentResetPhone(m_settings.ComPortArg(), m_settings.quickComm, m_settings.UsbPortArg());
        if (reset != AGENT_SUCCESS && reset != AGENT_CANCELLED)
            m_messages.Report(CVelmoraError::FromAgentCode(reset));
    }
    return CVelmoraError();
}

CVelmoraError CCopySource::OpenFile(CCopyWizardState& state, const QString& path)
{
    if (path.trimmed().isEmpty())
        return CVelmoraError::Message(CopyWizMsg::EmptyPath);
    state.FreeSource();
    // The source is only read: it is read from a private copy, so the file keeps its form and a fleet
    // open in the window (which holds the file) can be the source too.
    static int copies = 0;
    const QString copy = QDir(QDir::tempPath())
                             .filePath(QStringLiteral("velmora-copy-source-%1-%2.vlf")
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(++copies));
    QFile::remove(copy);
    const bool copied = QFile::copy(path, copy);
    if (copied)
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    auto phone = std::make_unique<CProcessPhone>(CProcessPhone::ModeWrite, m_settings, m_rules, nullptr);
    phone->SetMessages(&m_messages);
    // A file that cannot be copied is opened itself, for the message that says why.
    if (const CVelmoraError error = phone->OpenFleetFile(copied ? copy : path)) {
        phone.reset();
        QFile::remove(copy);
        return error;
    }
    state.SetSource(std::move(phone));
    if (copied)
        state.RemoveOnRelease(copy);
    return CVelmoraError();
}

CVelmoraError CCopySource::ListUnits(const QSqlDatabase& db, QList<Choice>& choices)
{
    choices.clear();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral(
            "SELECT unit_model_type, unit_user_name, unit_imei_num FROM unit_details ORDER BY rowid")))
        return CVelmoraError::Text(query.lastError().text());
    while (query.next()) {
        Choice choice;
        choice.modelText = QString::number(query.value(0).toInt());
        choice.userName = CVelmoraWrap::strVARIANT(query.value(1));
        choice.imei = CVelmoraWrap::strVARIANT(query.value(2));
        choices << choice;
    }
    if (choices.isEmpty())
        return CVelmoraError::Message(CopyWizMsg::NoUnits);
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
        return QString::localeAwareCompare(a.userName, b.userName) < 0;
    });
    return CVelmoraError();
}

int CCopySource::ModelTypeFromText(const QString& text)
{
    if (!text.contains(QLatin1Char('-')))
        return text.trimmed().toInt();
    QString joined = text;
    joined.remove(QLatin1Char('-'));
    const QStringList parts = joined.split(QLatin1Char('#'));
    // Three parts are needed: the first two end at a "#", the third is a word of its own.
    if (parts.size() < 3 || parts.at(0).isEmpty() || parts.at(1).isEmpty())
        return 0;
    const QString third = parts.mid(2).join(QLatin1Char('#')).trimmed().section(QLatin1Char(' '), 0, 0);
    int digits = 0;
    while (digits < third.size() && (third.at(digits).isDigit() || (digits == 0 && third.at(0) == '+')))
        ++digits;
    return third.left(digits).toInt();
}

CVelmoraError CCopySource::Choose(CCopyWizardState& state, const QString& imei, const QString& modelText)
{
    if (!state.Source() || imei.isEmpty())
        return CVelmoraError::Message(CopyWizMsg::NoUnitChosen);
    QSqlQuery query(state.Source()->Database());
    query.prepare(QStringLiteral("SELECT unit_sim_version, unit_prod_release_id, unit_model_type "
                                 "FROM unit_details WHERE unit_imei_num = ?"));
    query.addBindValue(imei);
    if (!query.exec())
        return CVelmoraError::Text(query.lastError().text());
    state.sourceImei = imei;
    state.modelType = ModelTypeFromText(modelText);
    state.phoneClass = m_rules.PhoneClassOf(state.modelType);
    state.release39 = false;
    if (query.next()) {
        state.simKind = query.value(0).toInt();
        state.release39 =
            query.value(1).toInt() == kSpecialRelease && query.value(2).toInt() == kSpecialModel;
    }
    state.itemListFilled = false;
    return CVelmoraError();
}
