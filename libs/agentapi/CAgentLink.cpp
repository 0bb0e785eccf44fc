#include "CAgentLink.h"

#include "CCodeplugBackup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// What the default delay does: the time passes with windows still painting, but without user input.
void DefaultDelay(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        if (QCoreApplication::instance() &&
            QThread::currentThread() == QCoreApplication::instance()->thread())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(quint64(qMin<qint64>(20, qMax<qint64>(1, deadline.remainingTime()))));
    }
}

QString PinText(const uint8_t* pin)
{
    QString text;
    for (int i = 0; pin && i < AGENT_PIN_SIZE && pin[i] != 0xFF && pin[i] != 0; ++i)
        text += QLatin1Char(char(pin[i]));
    return text;
}

// Writes a whole file next to its final name and flushes it to disk, so that only a rename is
// left once the phone has been programmed.
bool WriteFlushed(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ok = file.write(data) == data.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    if (!ok)
        QFile::remove(path);
    return ok;
}

// Marks item 1 (last modified: year, month, day, hour, minute) with the time of programming.
void StampLastModified(CCodeplug& codeplug)
{
    CCodeplugItem* item = codeplug.Find(CodeplugItem::LastModified, 0);
    if (!item || item->width != 1 || item->count != 5)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    item->SetElement(0, quint32(now.date().year() % 100));
    item->SetElement(1, quint32(now.date().month()));
    item->SetElement(2, quint32(now.date().day()));
    item->SetElement(3, quint32(now.time().hour()));
    item->SetElement(4, quint32(now.time().minute()));
}

} // namespace

CAgentLink& CAgentLink::Instance()
{
    static CAgentLink link;
    return link;
}

void CAgentLink::Delay(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    m_restartCredit += milliseconds;
    if (m_delay)
        m_delay(milliseconds);
    else
        DefaultDelay(milliseconds);
}

int CAgentLink::OpenLink(int baudRate)
{
    if (baudRate <= 0)
        return AGENT_INVALID_REQUEST;
    if (!Bench().Prepare())
        return AGENT_PORT_FAILED;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    // A phone already on the cable may have been told to refuse the link.
    if (Bench().LoadConnected(phone, &path) == AGENT_SUCCESS) {
        const int rc = ApplyFault(QStringLiteral("AgentOpenLink"), phone, path, warning);
        if (rc != AGENT_SUCCESS)
            return rc;
    }
    m_open = true;
    m_copy.reset();
    ClearSession();
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::OpenRecoveryLink(int baudRate)
{
    if (baudRate <= 0)
        return AGENT_INVALID_REQUEST;
    if (!Bench().Prepare())
        return AGENT_RECOVERY_FAILED;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    if (Bench().LoadConnected(phone, &path) == AGENT_SUCCESS) {
        const int rc = ApplyFault(QStringLiteral("AgentOpenRecoveryLink"), phone, path, warning);
        if (rc != AGENT_SUCCESS)
            return rc;
    }
    m_open = true;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::CloseLink()
{
    m_open = false;
    m_copy.reset();
    ClearSession();
    return AGENT_SUCCESS;
}

int CAgentLink::ReachPhone(const QString& operation, CVirtualPhone& phone, QString& path, int& warning)
{
    warning = 0;
    if (!m_open)
        return AGENT_LINK_NOT_OPEN;
    const int rc = Bench().LoadConnected(phone, &path);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (phone.imei != m_verifiedImei || Bench().ConnectionToken() != m_verifiedToken)
        m_verifiedImei.clear();
    return ApplyFault(operation, phone, path, warning);
}

int CAgentLink::ApplyFault(const QString& operation, CVirtualPhone& phone, const QString& path, int& warning)
{
    warning = 0;
    const int index = phone.FaultIndex(operation);
    if (index < 0)
        return AGENT_SUCCESS;
    const int code = phone.faults.at(index).code;
    if (phone.faults.at(index).remaining > 0) {
        phone.UseFault(index);
        phone.Save(path);
    }
    if (AgentIsWarning(code)) {
        warning = code;
        return AGENT_SUCCESS;
    }
    return code;
}

int CAgentLink::ReachWorkingCopy(const QString& operation, int item, int& warning)
{
    warning = 0;
    if (!m_open)
        return AGENT_LINK_NOT_OPEN;
    if (!m_copy)
        return AGENT_INVALID_REQUEST;
    QList<CPhoneFault>& faults = m_copy->faults;
    CVirtualPhone probe;
    probe.faults = faults;
    const int index = probe.FaultIndex(operation, item);
    if (index < 0)
        return AGENT_SUCCESS;
    const CPhoneFault fault = faults.at(index);
    if (fault.remaining > 0) {
        probe.UseFault(index);
        faults = probe.faults;
        // The count lives in the phone file, so that a fault switched on "once" stays used up.
        CVirtualPhone phone;
        if (!m_copy->phonePath.isEmpty() && CVirtualPhone::Load(m_copy->phonePath, phone) == AGENT_SUCCESS &&
            phone.imei == m_copy->imei) {
            const int stored = phone.FaultIndex(operation, item);
            if (stored >= 0 && phone.faults.at(stored).target == fault.target) {
                phone.UseFault(stored);
                phone.Save(m_copy->phonePath);
            }
        }
    }
    if (AgentIsWarning(fault.code)) {
        warning = fault.code;
        return AGENT_SUCCESS;
    }
    return fault.code;
}

int CAgentLink::ReadCodeplug()
{
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentReadCodeplug"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (!phone.codeplug.Find(CodeplugItem::StructureVersion, 0) ||
        !IsSupportedStructureVersion(phone.StructureVersion()))
        return AGENT_CP_UNSUPPORTED;
    WorkingCopy copy;
    copy.codeplug = phone.codeplug;
    copy.imei = phone.imei;
    copy.subRelease = phone.subRelease;
    copy.phonePath = path;
    copy.faults = phone.faults;
    m_copy = copy;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::WriteCodeplug(const QString& backupFolder, int mode, const QString& operation)
{
    if (mode != 0 && mode != 1)
        return AGENT_INVALID_REQUEST;
    if (!m_open)
        return AGENT_LINK_NOT_OPEN;
    if (!m_copy)
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(operation, phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    // A codeplug read from one phone is never programmed into another that was put on the cable
    // since; a backup may go into any phone of its model.
    if (!m_copy->fromBackup && phone.imei != m_copy->imei)
        return AGENT_NO_PHONE;
    const CCodeplugItem* model = m_copy->codeplug.Find(CodeplugItem::ModelType, 0);
    if (!model || int(model->Element(0)) != phone.ModelType() ||
        !IsSupportedStructureVersion(int(m_copy->codeplug.Value(CodeplugItem::StructureVersion))))
        return AGENT_CP_UNSUPPORTED;

    // The previous codeplug goes to disk first; it takes the backup's name only once the phone
    // is programmed, so a failed programming leaves an older backup of the same phone intact.
    if (backupFolder.trimmed().isEmpty() || !QDir().mkpath(backupFolder))
        return AGENT_BACKUP_WRITE_FAILED;
    CCodeplugBackup backup;
    backup.imei = phone.imei;
    backup.subRelease = phone.subRelease;
    backup.modelType = phone.ModelType();
    backup.saved = QDateTime::currentDateTimeUtc();
    backup.codeplug = phone.codeplug;
    const QString target = QDir(backupFolder).filePath(phone.imei + QStringLiteral(".dbf"));
    const QString pending = target + QStringLiteral(".new");
    if (!WriteFlushed(pending, backup.FileContents()))
        return AGENT_BACKUP_WRITE_FAILED;

    CVirtualPhone programmed = phone;
    programmed.codeplug = m_copy->codeplug;
    // The IMEI is the phone's own, whatever the codeplug came from.
    if (const CCodeplugItem* own = phone.codeplug.Find(CodeplugItem::Imei, 0))
        programmed.codeplug.Put(*own);
    else
        programmed.codeplug.Remove(CodeplugItem::Imei, 0);
    if (mode == 0)
        StampLastModified(programmed.codeplug);
    if (!programmed.Save(path)) {
        QFile::remove(pending);
        return AGENT_WRITE_FAILED;
    }
    if (std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(target).constData()) != 0)
        return AGENT_BACKUP_WRITE_FAILED; // the phone is programmed; its old codeplug stays in ".new"

    m_copy->codeplug = programmed.codeplug;
    m_copy->imei = programmed.imei;
    m_copy->subRelease = programmed.subRelease;
    m_copy->phonePath = path;
    m_copy->faults = programmed.faults;
    m_copy->fromBackup = false;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::LoadBackupFile(const QString& path)
{
    if (!m_open)
        return AGENT_LINK_NOT_OPEN;
    CCodeplugBackup backup;
    const int rc = CCodeplugBackup::Load(path, backup);
    if (rc != AGENT_SUCCESS)
        return rc;
    WorkingCopy copy;
    copy.codeplug = backup.codeplug;
    copy.imei = backup.imei;
    copy.subRelease = backup.subRelease;
    copy.fromBackup = true;
    m_copy = copy;
    return AGENT_SUCCESS;
}

int CAgentLink::ResetPhone()
{
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentResetPhone"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    m_verifiedImei.clear();
    StartRestart();
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::GetBackupName(QString* name)
{
    if (!name)
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentGetBackupName"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    *name = phone.imei;
    return warning ? warning : AGENT_SUCCESS;
}

bool CAgentLink::IsSupportedStructureVersion(int version)
{
    return version >= 0x00 && version <= 0x3F;
}

QByteArray CAgentLink::SupportListText()
{
    return QByteArrayLiteral("Codeplug gen 1@00-0F@\r\nCodeplug gen 2@10-1F@\r\nCodeplug gen 3@20-3F");
}

int CAgentLink::GetSupportList(char* buffer)
{
    if (!buffer)
        return AGENT_INVALID_REQUEST;
    const QByteArray text = SupportListText().left(AGENT_SUPPORT_LIST_SIZE - 1);
    memset(buffer, 0, AGENT_SUPPORT_LIST_SIZE);
    memcpy(buffer, text.constData(), size_t(text.size()));
    return AGENT_SUCCESS;
}

int CAgentLink::GetItemInfo(int item, int* width, uint16_t* count, int bank)
{
    if (!width || !count || (bank != 0 && bank != 1))
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc = ReachWorkingCopy(QStringLiteral("AgentGetItemInfo"), item, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    const CCodeplugItem* found = m_copy->codeplug.Find(item, bank);
    if (!found)
        return AGENT_ABSENT;
    *width = found->width; // the width codes are the element sizes
    *count = uint16_t(found->count);
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::ReadItem(const QString& operation, int item, void* buffer, int width, int count, int bank)
{
    if (!buffer || (bank != 0 && bank != 1) || count <= 0)
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc = ReachWorkingCopy(operation, item, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    const CCodeplugItem* found = m_copy->codeplug.Find(item, bank);
    if (!found)
        return AGENT_ABSENT;
    if (found->width != width || found->count != count)
        return AGENT_SIZE_MISMATCH;
    auto* out = static_cast<uchar*>(buffer);
    for (int i = 0; i < count; ++i) {
        const quint32 value = found->Element(i);
        if (width == 1)
            out[i] = uchar(value);
        else if (width == 2)
            reinterpret_cast<uint16_t*>(out)[i] = uint16_t(value);
        else
            reinterpret_cast<uint32_t*>(out)[i] = value;
    }
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::WriteItem(const QString& operation, int item, const void* buffer, int width, int count,
                          int bank)
{
    if (!buffer || (bank != 0 && bank != 1) || count <= 0)
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc = ReachWorkingCopy(operation, item, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    CCodeplugItem* found = m_copy->codeplug.Find(item, bank);
    if (!found)
        return AGENT_ABSENT;
    if (found->width != width || found->count != count)
        return AGENT_SIZE_MISMATCH;
    if (found->readOnly)
        return AGENT_VALUE_REJECTED;
    const auto* in = static_cast<const uchar*>(buffer);
    for (int i = 0; i < count; ++i) {
        if (width == 1)
            found->SetElement(i, in[i]);
        else if (width == 2)
            found->SetElement(i, reinterpret_cast<const uint16_t*>(in)[i]);
        else
            found->SetElement(i, reinterpret_cast<const uint32_t*>(in)[i]);
    }
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::ResetItem(int item)
{
    int warning = 0;
    const int rc = ReachWorkingCopy(QStringLiteral("AgentResetItem"), item, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    CCodeplugItem* found = m_copy->codeplug.Find(item, 0);
    if (!found)
        return AGENT_ABSENT;
    found->bytes = found->defaults.isEmpty() ? QByteArray(found->bytes.size(), '\0') : found->defaults;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::GetSubRelease(uint8_t* buffer)
{
    if (!buffer)
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc = ReachWorkingCopy(QStringLiteral("AgentGetSubRelease"), -1, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    buffer[0] = uint8_t(m_copy->subRelease);
    buffer[1] = 0;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::ReadLists(CListBlockLayout::Layout layout, uint8_t* block)
{
    if (!block)
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc =
        ReachWorkingCopy(QStringLiteral("AgentReadLists") + CListBlockLayout::Code(layout), -1, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (m_copy->codeplug.Layout() == CListBlockLayout::None)
        return AGENT_ABSENT;
    if (m_copy->codeplug.Layout() != layout)
        return AGENT_UNSUPPORTED;
    const QByteArray& stored = m_copy->codeplug.ListBlock();
    memcpy(block, stored.constData(), size_t(stored.size()));
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::WriteLists(CListBlockLayout::Layout layout, const uint8_t* block)
{
    if (!block)
        return AGENT_INVALID_REQUEST;
    int warning = 0;
    const int rc =
        ReachWorkingCopy(QStringLiteral("AgentWriteLists") + CListBlockLayout::Code(layout), -1, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (m_copy->codeplug.Layout() == CListBlockLayout::None)
        return AGENT_ABSENT;
    if (m_copy->codeplug.Layout() != layout)
        return AGENT_UNSUPPORTED;
    QByteArray& stored = m_copy->codeplug.ListBlock();
    memcpy(stored.data(), block, size_t(stored.size()));
    return warning ? warning : AGENT_SUCCESS;
}

bool CAgentLink::PinVerified(const CVirtualPhone& phone) const
{
    return !m_verifiedImei.isEmpty() && m_verifiedImei == phone.imei;
}

int CAgentLink::EffectiveSimStatus(const CVirtualPhone& phone) const
{
    const int status = phone.sim.status;
    if ((status == 2 || status == 5) && PinVerified(phone))
        return status == 2 ? 3 : 4;
    return status;
}

int CAgentLink::SimAccess(const CVirtualPhone& phone, const uint8_t* pin) const
{
    switch (phone.sim.status) {
    case 0:
        return AGENT_NO_SIM;
    case 1:
        return AGENT_SIM_IO;
    case 6:
        return AGENT_SIM_BLOCKED;
    case 2:
    case 5:
        if (PinVerified(phone) || (pin && !phone.sim.pin.isEmpty() && PinText(pin) == phone.sim.pin))
            return AGENT_SUCCESS;
        return AGENT_WRONG_PIN;
    default:
        return AGENT_SUCCESS;
    }
}

bool CAgentLink::SimBusy() const
{
    return m_restartOwed > 0 && m_restartClock.isValid() &&
           m_restartClock.elapsed() + m_restartCredit < m_restartOwed;
}

void CAgentLink::StartRestart()
{
    m_restartOwed = AGENT_RESET_WAIT_MS;
    m_restartCredit = 0;
    m_restartClock.start();
}

void CAgentLink::ClearSession()
{
    m_verifiedImei.clear();
    m_restartOwed = 0;
    m_restartCredit = 0;
    m_restartClock.invalidate();
}

int CAgentLink::ReadImei(uint8_t* imei, int mode)
{
    if (!imei || (mode != 0 && mode != 1))
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentReadImei"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (SimBusy())
        return AGENT_PHONE_BUSY;
    const QByteArray bytes = phone.ImeiBytes();
    memcpy(imei, bytes.constData(), AGENT_IMEI_SIZE);
    if (mode == 1)
        StartRestart(); // the phone reads its SIM again
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::GetSimStatus(int* status, QString* kind, int* triesLeft)
{
    if (!status)
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentGetSimStatus"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (!phone.sim.slot)
        return AGENT_UNSUPPORTED;
    if (SimBusy())
        return AGENT_PHONE_BUSY;
    *status = EffectiveSimStatus(phone);
    if (kind)
        *kind = phone.sim.kind;
    if (triesLeft)
        *triesLeft = phone.sim.triesLeft;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::VerifySimPin(const uint8_t* pin, int* status)
{
    if (!pin || !status)
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    const int rc = ReachPhone(QStringLiteral("AgentVerifySimPin"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (!phone.sim.slot)
        return AGENT_UNSUPPORTED;
    if (SimBusy())
        return AGENT_PHONE_BUSY;
    const int current = EffectiveSimStatus(phone);
    if (current != 2 && current != 5) {
        *status = current;
        return warning ? warning : AGENT_SUCCESS;
    }
    // The SIM counts wrong PINs itself, so the count is kept in the phone file.
    if (!phone.sim.pin.isEmpty() && PinText(pin) == phone.sim.pin) {
        m_verifiedImei = phone.imei;
        m_verifiedToken = Bench().ConnectionToken();
        if (phone.sim.triesLeft != 3) {
            phone.sim.triesLeft = 3;
            if (!phone.Save(path))
                return AGENT_SIM_IO;
        }
        *status = current == 2 ? 3 : 4;
        return warning ? warning : AGENT_SUCCESS;
    }
    phone.sim.triesLeft = qMax(0, phone.sim.triesLeft - 1);
    if (phone.sim.triesLeft == 0)
        phone.sim.status = 6;
    if (!phone.Save(path))
        return AGENT_SIM_IO;
    *status = phone.sim.status == 6 ? 6 : current;
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::ReadSimBlock(const uint8_t* pin, uint8_t* block, int mode)
{
    if (!block || (mode != 0 && mode != 1))
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    int rc = ReachPhone(QStringLiteral("AgentReadSimBlock"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (!phone.sim.slot)
        return AGENT_UNSUPPORTED;
    if (SimBusy())
        return AGENT_PHONE_BUSY;
    rc = SimAccess(phone, pin);
    if (rc != AGENT_SUCCESS)
        return rc;
    memcpy(block, phone.sim.block.constData(), AGENT_SIM_BLOCK_SIZE);
    return warning ? warning : AGENT_SUCCESS;
}

int CAgentLink::WriteSimBlock(const uint8_t* pin, const uint8_t* block, int mode)
{
    if (!block || (mode != 0 && mode != 1))
        return AGENT_INVALID_REQUEST;
    CVirtualPhone phone;
    QString path;
    int warning = 0;
    int rc = ReachPhone(QStringLiteral("AgentWriteSimBlock"), phone, path, warning);
    if (rc != AGENT_SUCCESS)
        return rc;
    if (!phone.sim.slot)
        return AGENT_UNSUPPORTED;
    if (SimBusy())
        return AGENT_PHONE_BUSY;
    rc = SimAccess(phone, pin);
    if (rc != AGENT_SUCCESS)
        return rc;
    phone.sim.block = QByteArray(reinterpret_cast<const char*>(block), AGENT_SIM_BLOCK_SIZE);
    if (!phone.Save(path))
        return AGENT_SIM_IO;
    return warning ? warning : AGENT_SUCCESS;
}
