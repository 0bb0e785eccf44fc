#include "CUnitPhoneList.h"

#include "CGridCellCheck.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitRecSet.h"
#include "CVelmoraGridModel.h"
#include "UnitsMessageIds.h"

#include <algorithm>

namespace {

const QString kTable = QStringLiteral("unit_phone_details");

} // namespace

CUnitPhoneList::CUnitPhoneList(const CUnitSheetUnit& unit, bool hebrewInterface)
    : m_unit(unit), m_hebrewInterface(hebrewInterface),
      m_codec(CPhoneTextCodec::InterfacePage(hebrewInterface)), m_twin(unit.db, kTable, unit.imei)
{
}

CVelmoraError CUnitPhoneList::Open()
{
    // Names go to the phone in the unit's code page.
    CUnitRecSet unit(m_unit.db);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {m_unit.imei}))
        return CVelmoraError::Text(unit.LastError());
    if (unit.IsEOF())
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    m_codec = CPhoneTextCodec::ForUnit(unit.m_unit_def_call_list_lang_id, m_hebrewInterface);
    if (CVelmoraError error = m_twin.Open())
        return error;
    return LoadGrid();
}

CVelmoraError CUnitPhoneList::Reload()
{
    return LoadGrid();
}

CVelmoraError CUnitPhoneList::LoadGrid()
{
    if (!m_grid)
        return CVelmoraError::Message(MsgSaveFailed);
    m_grid->SetRowCount(0);
    m_grid->SetRowCount(Capacity());
    CUnitPhoneDetRecSet rs;
    if (CVelmoraError error = m_twin.Load(rs, {}, QStringLiteral("unit_speed_dial")))
        return error;
    QList<int> misplaced;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        // An entry goes to the row of its speed-dial number; one whose number is taken or out of
        // the list goes to the first free row, so nothing stored is lost by an OK.
        int row = rs.m_unit_speed_dial;
        if (row < 1 || (row <= m_grid->RowCount() && !m_grid->IsRowEmpty(row))) {
            misplaced << rs.GetAbsolutePosition();
            continue;
        }
        if (row > m_grid->RowCount())
            m_grid->SetRowCount(row);
        m_grid->SetValue(row, ColName, rs.m_unit_name);
        m_grid->SetValue(row, ColNumber, rs.m_unit_phone_num);
        m_grid->SetValue(row, ColProgram, rs.m_unit_program_flag ? QStringLiteral("1") : QStringLiteral("0"));
    }
    for (int position : misplaced) {
        rs.SetAbsolutePosition(position);
        int row = 1;
        while (row <= m_grid->RowCount() && !m_grid->IsRowEmpty(row))
            ++row;
        if (row > m_grid->RowCount())
            m_grid->SetRowCount(row);
        m_grid->SetValue(row, ColName, rs.m_unit_name);
        m_grid->SetValue(row, ColNumber, rs.m_unit_phone_num);
        m_grid->SetValue(row, ColProgram, rs.m_unit_program_flag ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return CVelmoraError();
}

bool CUnitPhoneList::RowCounts(int row) const
{
    return !m_grid->Value(row, ColName).isEmpty() || !m_grid->Value(row, ColNumber).isEmpty();
}

CVelmoraError CUnitPhoneList::CheckNumber(const QString& number)
{
    if (number.isEmpty())
        return CVelmoraError::Message(MsgBadNumber);
    const CGridCheckResult dial = CGridCellCheck::DialString(number);
    if (!dial.ok)
        return CVelmoraError::Message(dial.messageId, dial.args);
    return CVelmoraError();
}

CVelmoraError CUnitPhoneList::CheckRow(int row) const
{
    if (!m_grid || !RowCounts(row))
        return CVelmoraError();
    return CheckNumber(m_grid->Value(row, ColNumber));
}

void CUnitPhoneList::Attach(CVelmoraGridModel* grid)
{
    m_grid = grid;
    if (!m_grid)
        return;
    // A name the phone could not show is refused as it is typed.
    m_grid->SetCellValidator([this](int, int col, const QString& text) {
        if (col == ColName)
            return CGridCellCheck::PhoneText(text, m_codec.Page());
        return CGridCheckResult::Pass();
    });
}

void CUnitPhoneList::SwapRows(int a, int b)
{
    for (int col : {ColName, ColNumber, ColProgram}) {
        const QString value = m_grid->Value(a, col);
        m_grid->SetValue(a, col, m_grid->Value(b, col));
        m_grid->SetValue(b, col, value);
    }
}

CVelmoraError CUnitPhoneList::Move(const QList<int>& selectedRows, bool up, int& newRow)
{
    newRow = -1;
    if (selectedRows.isEmpty() || !m_grid)
        return CVelmoraError::Message(MsgNoMoveRow);
    const int row = *std::min_element(selectedRows.begin(), selectedRows.end());
    newRow = row;
    const int target = up ? row - 1 : row + 1;
    if (target < 1 || target > m_grid->RowCount())
        return CVelmoraError();
    SwapRows(row, target);
    newRow = target;
    return CVelmoraError();
}

CVelmoraError CUnitPhoneList::Clear(const QList<int>& selectedRows)
{
    if (selectedRows.isEmpty() || !m_grid)
        return CVelmoraError::Message(MsgNoClearRow);
    for (int row : selectedRows) {
        if (row < 1 || row > m_grid->RowCount())
            continue;
        m_grid->SetValue(row, ColName, QString());
        m_grid->SetValue(row, ColNumber, QString());
        m_grid->SetValue(row, ColProgram, QStringLiteral("0"));
    }
    return CVelmoraError();
}

void CUnitPhoneList::Sort(int column)
{
    if (m_grid)
        m_grid->SortRows(column == SortByNumber || column == ColNumber ? ColNumber : ColName);
}

bool CUnitPhoneList::HandleSortRequest(int request)
{
    if (request != SortRequestName && request != SortRequestNumber)
        return false;
    Sort(request == SortRequestName ? ColName : ColNumber);
    return true;
}

CUnitListWriteResult CUnitPhoneList::WriteBack()
{
    CUnitPhoneDetRecSet rs;
    const int rows = m_grid ? m_grid->RowCount() : 0;
    m_lastFailedRow = 0;
    CUnitListWriteResult result =
        m_twin.WriteBack(rs, rows, [this](int index, CRecordset& record, bool& write) {
            const int row = index + 1;
            write = RowCounts(row);
            if (!write)
                return CVelmoraError();
            if (CVelmoraError error = CheckRow(row))
                return error;
            // A model whose phone book has no language entry cannot store names.
            if (m_unit.phoneBookLangEntryId == NoLanguage)
                return CVelmoraError::Message(MsgSaveFailed);
            auto& phone = static_cast<CUnitPhoneDetRecSet&>(record);
            phone.m_unit_speed_dial = row;
            phone.m_unit_name = m_grid->Value(row, ColName);
            phone.m_unit_phone_num = m_grid->Value(row, ColNumber);
            phone.m_unit_program_flag = m_grid->Value(row, ColProgram) == QLatin1String("1");
            phone.m_unit_language = m_unit.phoneBookLangEntryId;
            return CVelmoraError();
        });
    m_lastFailedRow = result.failedRow + 1;
    return result;
}

CVelmoraError CUnitPhoneList::Save(bool& changed)
{
    changed = false;
    if (!m_twin.IsOpen())
        return CVelmoraError();
    const CUnitListWriteResult written = WriteBack();
    if (!written)
        return written.error;
    if (!m_twin.DiffersFromTable())
        return CVelmoraError();
    if (CVelmoraError error = m_twin.Commit())
        return error;
    changed = true;
    return CVelmoraError();
}

CVelmoraError CUnitPhoneList::Close()
{
    if (!m_twin.IsOpen())
        return CVelmoraError();
    if (m_twin.Close())
        return CVelmoraError::Message(MsgSaveFailed);
    return CVelmoraError();
}
