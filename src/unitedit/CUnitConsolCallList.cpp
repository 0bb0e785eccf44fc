#include "CUnitConsolCallList.h"

#include "CConsolNumberType.h"
#include "CConsolidatedRecord.h"
#include "CGridCellStyle.h"
#include "CGridCheckResult.h"
#include "CUnitConCallListRecSet.h"
#include "CUnitRecSet.h"
#include "CVelmoraGridModel.h"
#include "UnitsMessageIds.h"

#include <algorithm>

namespace {

const QString kTable = QStringLiteral("unit_consolid_call_list");

// A hidden cell's number, or its saved default when empty.
int CellOr(const CVelmoraGridModel& grid, int row, int col, int fallback)
{
    const QString text = grid.Value(row, col).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

CUnitConsolCallList::CUnitConsolCallList(const CUnitSheetUnit& unit, bool hebrewInterface)
    : m_unit(unit), m_twin(unit.db, kTable, unit.imei), m_hebrewInterface(hebrewInterface),
      m_unitPage(CPhoneTextCodec::InterfacePage(hebrewInterface)),
      m_nowUtc([] { return QDateTime::currentDateTimeUtc(); })
{
}

void CUnitConsolCallList::Attach(CVelmoraGridModel* grid)
{
    m_grid = grid;
    if (!m_grid)
        return;
    m_grid->SetColCount(ColumnCount);
    m_grid->SetColumnHidden(ColNameLang, true);
    // A typed number is checked by the row's type as its cell is left; the whole row (an empty
    // number, no type) when the row is left, which also gives the row its name index.
    m_grid->SetCellValidator([this](int row, int col, const QString& text) {
        if (col == ColName) {
            const CVelmoraError error = CheckName(row, text);
            return error.Stops() ? CGridCheckResult::Fail(error.Id(), error.Args())
                                 : CGridCheckResult::Pass();
        }
        if (col != ColNumber || text.isEmpty() || !CConsolNumberType::IsValid(TypeOf(row)))
            return CGridCheckResult::Pass();
        const CVelmoraError error = CheckNumber(TypeOf(row), text);
        return error.Stops() ? CGridCheckResult::Fail(error.Id(), error.Args()) : CGridCheckResult::Pass();
    });
    m_grid->SetRowValidator([this](int row) {
        const CVelmoraError error = CheckAndIndexRow(row);
        return error.Stops() ? CGridCheckResult::Fail(error.Id(), error.Args()) : CGridCheckResult::Pass();
    });
}

CVelmoraError CUnitConsolCallList::ReadCrossFleet()
{
    CUnitRecSet unit(m_unit.db);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {m_unit.imei}))
        return CVelmoraError::Text(unit.LastError());
    if (unit.IsEOF())
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    // The own ids are those of the unit's current NAM.
    const int urban[] = {unit.m_unit_private_nam1_urban_id, unit.m_unit_private_nam2_urban_id,
                         unit.m_unit_private_nam3_urban_id};
    const int fleet[] = {unit.m_unit_private_nam1_fleet_id, unit.m_unit_private_nam2_fleet_id,
                         unit.m_unit_private_nam3_fleet_id};
    const int nam = qBound(1, int(unit.m_unit_currentNAMSelection), 3) - 1;
    m_idForm = CPrivateIdForm(unit.m_unit_cross_fleet_enable, urban[nam], fleet[nam]);
    m_unitPage = CPhoneTextCodec::ForUnit(unit.m_unit_def_call_list_lang_id, m_hebrewInterface).Page();
    return CVelmoraError();
}

CVelmoraError CUnitConsolCallList::CheckName(int row, const QString& name) const
{
    bool ok = false;
    const int language = m_grid ? m_grid->Value(row, ColLanguage).trimmed().toInt(&ok) : 0;
    return CPhoneTextCodec::ForEntry(ok ? language : -1, m_unitPage).Check(name);
}

CVelmoraError CUnitConsolCallList::Open()
{
    if (CVelmoraError error = ReadCrossFleet())
        return error;
    if (CVelmoraError error = m_twin.Open())
        return error;
    return LoadGrid();
}

CVelmoraError CUnitConsolCallList::Reload()
{
    return LoadGrid();
}

CVelmoraError CUnitConsolCallList::LoadGrid()
{
    if (!m_grid)
        return CVelmoraError::Message(MsgSaveFailed);
    m_grid->SetRowCount(0);
    m_grid->SetRowCount(Capacity);
    CUnitConCallListRecSet rs;
    if (CVelmoraError error = m_twin.Load(rs, {}, QStringLiteral("unit_rec_num")))
        return error;
    int row = 0;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        if (rs.m_unit_nameIndex == 0)
            continue;
        // Rows beyond the capacity are still shown, so that nothing stored is lost unseen.
        if (++row > m_grid->RowCount())
            m_grid->SetRowCount(row);
        const int values[] = {rs.m_unit_tonNP,      rs.m_unit_capabilityID, rs.m_unit_extnRecID,
                              rs.m_unit_language,   rs.m_unit_voiceTag,     rs.m_unit_timeStamp,
                              rs.m_unit_syncStatus, rs.m_unit_tempID,       rs.m_unit_reserved,
                              rs.m_unit_NameLang};
        m_grid->SetValue(row, ColName, rs.m_unit_name);
        m_grid->SetValue(row, ColNumber, rs.m_unit_num);
        m_grid->SetValue(row, ColType, QString::number(rs.m_unit_num_type));
        m_grid->SetValue(row, ColNameIndex, QString::number(rs.m_unit_nameIndex));
        for (int col = ColTonNP; col <= ColNameLang; ++col)
            m_grid->SetValue(row, col, QString::number(values[col - ColTonNP]));
    }
    if (m_sortButton != 0)
        SetSort(m_sortButton);
    return CVelmoraError();
}

void CUnitConsolCallList::SetSort(int button)
{
    int col = 0;
    switch (button) {
    case SortByName:
        col = ColName;
        break;
    case SortByNumber:
        col = ColNumber;
        break;
    case SortByType:
        col = ColType;
        break;
    default:
        m_sortButton = 0;
        return;
    }
    m_sortButton = button;
    if (m_grid)
        m_grid->SortRows(col);
}

bool CUnitConsolCallList::IsEmptyRow(int row) const
{
    const QString type = m_grid->Value(row, ColType).trimmed();
    return m_grid->Value(row, ColName).isEmpty() && m_grid->Value(row, ColNumber).isEmpty() &&
           (type.isEmpty() || type == QLatin1String("-1"));
}

int CUnitConsolCallList::TypeOf(int row) const
{
    bool ok = false;
    const int type = m_grid->Value(row, ColType).trimmed().toInt(&ok);
    return ok ? type : CConsolNumberType::Unset;
}

CVelmoraError CUnitConsolCallList::CheckNumber(int type, const QString& number) const
{
    return CConsolNumberType::CheckNumber(type, number, m_idForm);
}

CVelmoraError CUnitConsolCallList::CheckRow(int row) const
{
    if (!m_grid || row < 1 || row > m_grid->RowCount() || IsEmptyRow(row))
        return CVelmoraError();
    const QString number = m_grid->Value(row, ColNumber);
    const QString type = m_grid->Value(row, ColType).trimmed();
    if (number.isEmpty())
        return CVelmoraError::Message(MsgNoNumber);
    if (type.isEmpty())
        return CVelmoraError::Message(MsgNoType);
    if (!CConsolNumberType::IsValid(TypeOf(row)))
        return CVelmoraError::Message(MsgTypeUnset);
    return CheckNumber(TypeOf(row), number);
}

QList<CConsolIndexEntry> CUnitConsolCallList::IndexEntries(int exceptRow) const
{
    QList<CConsolIndexEntry> entries;
    for (int row = 1; m_grid && row <= m_grid->RowCount(); ++row) {
        if (row == exceptRow)
            continue;
        const int index = m_grid->Value(row, ColNameIndex).trimmed().toInt();
        const QString number = m_grid->Value(row, ColNumber);
        if (index == 0 && number.isEmpty())
            continue;
        entries.append({m_grid->Value(row, ColName), TypeOf(row), index});
    }
    return entries;
}

int CUnitConsolCallList::NameIndexFor(int row) const
{
    return CConsolNameIndex::For(IndexEntries(row), m_grid->Value(row, ColName), TypeOf(row));
}

CVelmoraError CUnitConsolCallList::CheckAndIndexRow(int row)
{
    if (!m_grid)
        return CVelmoraError();
    if (CVelmoraError error = CheckRow(row))
        return error;
    if (IsEmptyRow(row))
        return CVelmoraError();
    const int index = NameIndexFor(row);
    if (index == CConsolNameIndex::NoIndex)
        return CVelmoraError::Message(MsgNoFreeIndex);
    m_grid->SetValue(row, ColNameIndex, QString::number(index));
    return CVelmoraError();
}

void CUnitConsolCallList::SwapRows(int a, int b)
{
    for (int col = ColName; col <= ColumnCount; ++col) {
        const QString value = m_grid->Value(a, col);
        m_grid->SetValue(a, col, m_grid->Value(b, col));
        m_grid->SetValue(b, col, value);
    }
}

CVelmoraError CUnitConsolCallList::Move(const QList<int>& selectedRows, bool up, int& newRow)
{
    newRow = -1;
    if (selectedRows.isEmpty() || !m_grid)
        return CVelmoraError::Message(MsgNoMoveRow);
    const int row = *std::min_element(selectedRows.begin(), selectedRows.end());
    newRow = row;
    const int target = up ? row - 1 : row + 1;
    if (row < 1 || target < 1 || target > m_grid->RowCount())
        return CVelmoraError();
    SwapRows(row, target);
    newRow = target;
    return CVelmoraError();
}

CVelmoraError CUnitConsolCallList::Clear(const QList<int>& selectedRows)
{
    if (selectedRows.isEmpty() || !m_grid)
        return CVelmoraError::Message(MsgNoClearRow);
    for (int row : selectedRows) {
        if (row < 1 || row > m_grid->RowCount())
            continue;
        for (int col = ColName; col <= ColumnCount; ++col)
            m_grid->SetValue(row, col, QString());
    }
    return CVelmoraError();
}

CUnitListWriteResult CUnitConsolCallList::WriteBack()
{
    m_lastFailedRow = 0;
    CUnitListWriteResult result;
    const int rows = m_grid ? m_grid->RowCount() : 0;
    // Every row is checked and indexed before the twin is touched.
    for (int row = 1; row <= rows; ++row) {
        // A name without a number is not an entry: it is left out, not refused.
        if (m_grid->Value(row, ColNumber).isEmpty())
            continue;
        if (CVelmoraError error = CheckAndIndexRow(row)) {
            result.error = error;
            result.failedRow = row - 1;
            m_lastFailedRow = row;
            return result;
        }
    }
    if (rows > 0 && m_unit.phoneBookLangEntryId == NoLanguage) {
        result.error = CVelmoraError::Message(MsgSaveFailed);
        return result;
    }
    const int stamp = int(CConsolidatedRecord::PhoneMinutes(m_nowUtc()));
    CUnitConCallListRecSet rs;
    result = m_twin.WriteBack(rs, rows, [this, stamp](int index, CRecordset& record, bool& write) {
        const int row = index + 1;
        const QString number = m_grid->Value(row, ColNumber);
        write = !number.isEmpty();
        if (!write)
            return CVelmoraError();
        auto& r = static_cast<CUnitConCallListRecSet&>(record);
        r.m_unit_name = m_grid->Value(row, ColName);
        r.m_unit_num = number;
        r.m_unit_phone_num_len = int(number.size());
        r.m_unit_num_type = TypeOf(row);
        r.m_unit_nameIndex = CellOr(*m_grid, row, ColNameIndex, 0);
        r.m_unit_tonNP = CellOr(*m_grid, row, ColTonNP, DefaultTonNP);
        r.m_unit_capabilityID = CellOr(*m_grid, row, ColCapability, DefaultCapability);
        r.m_unit_extnRecID = CellOr(*m_grid, row, ColExtnRec, DefaultExtnRec);
        r.m_unit_language = CellOr(*m_grid, row, ColLanguage, DefaultLanguage);
        r.m_unit_voiceTag = CellOr(*m_grid, row, ColVoiceTag, 0);
        r.m_unit_timeStamp = stamp;
        r.m_unit_syncStatus = r.m_unit_name.isEmpty() ? 0 : int(SyncComplete);
        r.m_unit_tempID = CellOr(*m_grid, row, ColTempId, 0);
        r.m_unit_reserved = CellOr(*m_grid, row, ColReserved, 0);
        r.m_unit_NameLang = CellOr(*m_grid, row, ColNameLang, 0);
        r.m_unit_rec_num = row;
        return CVelmoraError();
    });
    if (!result && IsUniqueViolation(result.error))
        result.error = CVelmoraError::Message(MsgDuplicate);
    return result;
}

CVelmoraError CUnitConsolCallList::Save(bool& changed)
{
    changed = false;
    if (!m_twin.IsOpen())
        return CVelmoraError();
    const CUnitListWriteResult written = WriteBack();
    if (!written)
        return written.error;
    // A new time stamp and sync status alone do not make an OK without edits a change of the fleet.
    if (!m_twin.DiffersFromTable({QStringLiteral("unit_timeStamp"), QStringLiteral("unit_syncStatus")}))
        return CVelmoraError();
    if (CVelmoraError error = m_twin.Commit())
        return IsUniqueViolation(error) ? CVelmoraError::Message(MsgDuplicate) : error;
    changed = true;
    return CVelmoraError();
}

CVelmoraError CUnitConsolCallList::Close()
{
    if (!m_twin.IsOpen())
        return CVelmoraError();
    if (m_twin.Close())
        return CVelmoraError::Message(MsgSaveFailed);
    return CVelmoraError();
}

bool CUnitConsolCallList::IsUniqueViolation(const CVelmoraError& error)
{
    return error.GetKind() == CVelmoraError::Kind::Text &&
           error.ToText().contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
}
