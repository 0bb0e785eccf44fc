#include "CFleetSnapshot.h"

#include "CCliAnswerer.h"
#include "CCliTemp.h"
#include "CCliTexts.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CFleetSettings.h"
#include "CFleetUpgrade.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "FleetMessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CFleetSnapshot::CFleetSnapshot() : m_dir(CCliTemp::FolderTemplate()) {}

CFleetSnapshot::~CFleetSnapshot() = default;

QSqlDatabase CFleetSnapshot::Database() const
{
    return m_connection ? m_connection->Database() : QSqlDatabase();
}

void CFleetSnapshot::Close()
{
    m_connection.reset();
}

int CFleetSnapshot::TemplateVersion(const QString& templatePath)
{
    CFleetConnection templ;
    if (!templ.Open(templatePath))
        return -1;
    bool has = false;
    const int version = CFleetUpgrade::ReadVersion(templ.Database(), &has);
    return has ? version : -1;
}

bool CFleetSnapshot::Open(const QString& path, const CFleetSettings& settings, CCliAnswerer& answerer,
                          bool upgrade, QString& why)
{
    if (!QFileInfo(path).isFile()) {
        CVelmoraWrap::ShowError(FleetMsg::FileMissing, VMT_ERROR);
        return false;
    }
    // A fleet the program has open may be half-way through a change: never read it behind its back.
    CVelmoraError busy;
    if (CFleetFile::ProbeDatabase(path, busy) == CFleetFile::Probe::Busy) {
        CVelmoraWrap::ShowError(busy);
        return false;
    }
    if (!m_dir.isValid()) {
        why = CCliTexts::Text(CliMsg::NoTemporaryFolder, {m_dir.errorString()});
        return false;
    }
    m_currentVersion = TemplateVersion(settings.templatePath);
    if (m_currentVersion < 0) {
        why = CCliTexts::Text(CliMsg::TemplateUnreadable, {settings.templatePath});
        return false;
    }
    if (const CVelmoraError error = CFleetFile::CheckReadPermission(path)) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    // The copy is taken while no other program changes the fleet. A fleet in a folder where no lock
    // can be made is one no program can rewrite either (its rename would need the same right).
    CFleetLock lock;
    if (const CVelmoraError error = lock.Lock(path); error && error.Id() != FleetMsg::FleetNotLockable) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    m_stored = CFleetFile::IsStoredForm(path);
    const QString copy = m_dir.filePath(QFileInfo(path).fileName());
    m_copy = copy;
    if (!QFile::copy(path, copy)) {
        why = CCliTexts::Text(CliMsg::CannotCopy, {path, copy});
        return false;
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    if (const CVelmoraError error = CFleetFile::CheckReadable(copy)) {
        // What is damaged is the user's file, not the private copy.
        QStringList args = error.Args();
        args.replaceInStrings(QDir::toNativeSeparators(copy), path);
        CVelmoraWrap::ShowError(error.GetKind() == CVelmoraError::Kind::Message
                                    ? CVelmoraError::Message(error.Id(), args, error.Type())
                                    : error);
        return false;
    }

    {
        CFleetConnection probe;
        if (!probe.Open(copy)) {
            CVelmoraWrap::ShowError(CFleetConnection::Error(probe.LastError()));
            return false;
        }
        m_hasUnitTable = CFleetUpgrade::HasTable(probe.Database(), QStringLiteral("unit_details"));
        m_fileVersion = CFleetUpgrade::ReadVersion(probe.Database(), &m_hasVersion);
        CFleetConnection templ;
        m_unfinished = m_hasUnitTable && m_hasVersion && m_fileVersion == m_currentVersion &&
                       templ.Open(settings.templatePath) &&
                       !CFleetUpgrade::MatchesTemplate(probe.Database(), templ.Database());
    }
    if (upgrade) {
        // The copy is upgraded the way the program upgrades files; the question it would ask is
        // about a file that stays as it is, so it is answered here.
        CCliAnswerer::CPreset yes(answerer, FleetMsg::UpgradeQuestion, IDYES);
        CFleetErrors errors;
        if (!CVelmoraWrap::ShowErrors(CFleetUpgrade::OpenAndUpgrade(copy, settings, errors), errors))
            return false;
    }
    m_connection = std::make_unique<CFleetConnection>();
    if (!m_connection->Open(copy)) {
        CVelmoraWrap::ShowError(CFleetConnection::Error(m_connection->LastError()));
        m_connection.reset();
        return false;
    }
    return true;
}
