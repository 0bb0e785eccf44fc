#include "CUnitNamList.h"

#include "CRecordset.h"
#include "CUnitListTwin.h"
#include "CUnitRecSet.h"
#include "CVelmoraGridModel.h"

#include <QStringList>
#include <algorithm>

namespace {

QString Flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

CUnitNamList::CUnitNamList(const CNamListKind& kind, const CUnitSheetUnit& unit)
    : m_kind(kind), m_unit(unit), m_twin(std::make_unique<CUnitListTwin>(unit.db, kind.table, unit.imei))
{
    const QList<int> nams = NamEntries();
    m_nam = nams.isEmpty() ? 1 : nams.first();
}

CUnitNamList::~CUnitNamList() = default;

QList<int> CUnitNamList::NamEntries(const CNamListKind& kind, const CModelProfile::ListCapacities& capacities,
                                    int namCount)
{
    QList<int> nams;
    for (int nam = 1; nam <= CModelProfile::NamSlots; ++nam) {
        if (kind.CapacityOf(capacities, nam) > 0)
            nams << nam;
    }
    if (namCount == 1 && nams.size() > 1)
        nams = nams.mid(0, 1);
    else if (namCount == 2 && nams.size() > 2)
        nams.removeAt(2);
    return nams;
}

QList<int> CUnitNamList::NamEntries() const
{
    return NamEntries(m_kind, m_unit.profile.capacities, m_unit.profile.NamCount());
}

int CUnitNamList::Capacity(int nam) const
{
    return m_kind.CapacityOf(m_unit.profile.capacities, nam);
}

CGridSettings::Capacities CUnitNamList::GridCapacities() const
{
    const CModelProfile::ListCapacities& c = m_unit.profile.capacities;
    CGridSettings::Capacities g;
    g.phoneBook = c.phoneBook;
    g.privateList = c.privateList;
    g.talkgroups = c.talkgroups;
    g.scanList = c.scanList;
    g.statusMessages = c.statusMessages;
    g.consolidated = c.consolidated;
    return g;
}

void CUnitNamList::SetModel(CVelmoraGridModel* model)
{
    m_model = model;
    if (m_model)
        m_model->SetCellValidator([this](int, int col, const QString& text) { return CheckCell(col, text); });
}

CGridCheckResult CUnitNamList::CheckCell(int col, const QString& text) const
{
    if (col != IdColumn || text.trimmed().isEmpty())
        return CGridCheckResult::Pass();
    CVelmoraError error;
    if (m_kind.privateIds) {
        error = m_idForm.Read(text).error;
    } else {
        int value = 0;
        if (!CUnitSheetUnit::ParseNumber(text, 1, m_kind.idMax, value))
            error = CUnitSheetUnit::RangeError(1, m_kind.idMax);
    }
    return error.Stops() ? CGridCheckResult::Fail(error.Id(), error.Args()) : CGridCheckResult::Pass();
}

bool CUnitNamList::IsOpen() const
{
    return m_twin->IsOpen();
}

CVelmoraError CUnitNamList::ReadCrossFleet()
{
    if (!m_kind.privateIds)
        return CVelmoraError();
    CUnitRecSet unit(m_unit.db);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {m_unit.imei}))
        return CVelmoraError::Text(unit.LastError());
    if (!unit.IsEOF()) {
        m_crossFleet = unit.m_unit_cross_fleet_enable;
        m_currentNamSelection = unit.m_unit_currentNAMSelection;
        m_ownUrban = {unit.m_unit_private_nam1_urban_id, unit.m_unit_private_nam2_urban_id,
                      unit.m_unit_private_nam3_urban_id};
        m_ownFleet = {unit.m_unit_private_nam1_fleet_id, unit.m_unit_private_nam2_fleet_id,
                      unit.m_unit_private_nam3_fleet_id};
    }
    // The own ids are those of the unit's current NAM, whichever NAM's list is shown.
    const int nam = qBound(1, m_currentNamSelection, int(CModelProfile::NamSlots));
    m_idForm = CPrivateIdForm(m_crossFleet, m_ownUrban[size_t(nam - 1)], m_ownFleet[size_t(nam - 1)]);
    if (m_model)
        m_model->SetCrossFleet(m_crossFleet);
    return CVelmoraError();
}

CVelmoraError CUnitNamList::Open()
{
    if (CVelmoraError error = ReadCrossFleet())
        return error;
    if (CVelmoraError error = m_twin->Open())
        return error;
    return Load();
}

CVelmoraError CUnitNamList::Load()
{
    if (!m_model)
        return CVelmoraError();
    m_model->SetNam(m_nam);
    m_model->SetRowCount(0);
    m_model->SetRowCount(Capacity());
    std::unique_ptr<CRecordset> record = m_kind.MakeRecordset(m_unit.db);
    if (CVelmoraError error =
            m_twin->Load(*record, {QStringLiteral("unit_nam"), m_nam}, QStringLiteral("unit_loc_no")))
        return error;
    const int name = record->FieldIndex(m_kind.nameField);
    const int id = record->FieldIndex(m_kind.idField);
    const int program = record->FieldIndex(QStringLiteral("unit_program_flag"));
    const int urban = record->FieldIndex(QStringLiteral("unit_urban_id"));
    const int fleet = record->FieldIndex(QStringLiteral("unit_fleet_id"));
    int row = 0;
    m_hiddenIds.clear();
    for (record->MoveFirst(); !record->IsEOF(); record->MoveNext()) {
        const int idValue = record->FieldValue(id).toInt();
        if (idValue == 0)
            continue;
        if (m_kind.privateIds && !m_crossFleet)
            m_hiddenIds.append(
                {{record->FieldValue(urban).toInt(), record->FieldValue(fleet).toInt(), idValue},
                 record->FieldValue(name).toString()});
        // Rows beyond the capacity are still shown, so that nothing stored is lost unseen.
        if (++row > m_model->RowCount())
            m_model->SetRowCount(row);
        QString idText = QString::number(idValue);
        if (m_kind.privateIds)
            idText = m_idForm.Display(
                {record->FieldValue(urban).toInt(), record->FieldValue(fleet).toInt(), idValue});
        m_model->SetValue(row, NameColumn, record->FieldValue(name).toString());
        m_model->SetValue(row, IdColumn, idText);
        m_model->SetValue(row, ProgramColumn, Flag(record->FieldValue(program).toBool()));
    }
    return CVelmoraError();
}

CVelmoraError CUnitNamList::Reload()
{
    return Load();
}

CNamListResult CUnitNamList::CheckRow(int row, CPrivateIdForm::Id* id)
{
    CNamListResult result;
    const QString text = m_model->Value(row, IdColumn).trimmed();
    if (m_kind.privateIds) {
        const CPrivateIdForm::Reading reading = m_idForm.Read(text);
        result.error = reading.error;
        if (!reading.error.Stops()) {
            m_model->SetValue(row, IdColumn, reading.shortForm);
            if (id)
                *id = reading.id;
        }
    } else {
        int value = 0;
        if (!CUnitSheetUnit::ParseNumber(text, 1, m_kind.idMax, value))
            result.error = CUnitSheetUnit::RangeError(1, m_kind.idMax);
        else if (id)
            id->member = value;
    }
    if (result.error.Stops()) {
        result.row = row;
        result.col = IdColumn;
    }
    return result;
}

CNamListResult CUnitNamList::CheckRows()
{
    for (int row = 1; m_model && row <= m_model->RowCount(); ++row) {
        if (m_model->Value(row, IdColumn).trimmed().isEmpty())
            continue;
        if (CNamListResult result = CheckRow(row, nullptr); !result)
            return result;
    }
    return CNamListResult();
}

CNamListResult CUnitNamList::WriteBack()
{
    CNamListResult result = CheckRows();
    if (!result || !m_model) {
        result.saysNotSaved = m_kind.reportsWriteBack;
        return result;
    }
    if (m_kind.hasLanguage && m_unit.phoneBookLangEntryId == -1) {
        result.error = CVelmoraError::Message(MsgPageNotSaved);
        return result;
    }
    std::unique_ptr<CRecordset> record = m_kind.MakeRecordset(m_unit.db);
    QList<HiddenId> hidden = m_hiddenIds;
    const auto fill = [this, &hidden](int index, CRecordset& rs, bool& write) {
        const int row = index + 1;
        write = !m_model->Value(row, IdColumn).trimmed().isEmpty();
        if (!write)
            return CVelmoraError();
        CPrivateIdForm::Id id;
        if (CNamListResult checked = CheckRow(row, &id); !checked)
            return checked.error;
        KeepHiddenParts(hidden, row, id);
        rs.SetFieldValue(rs.FieldIndex(m_kind.nameField), m_model->Value(row, NameColumn));
        rs.SetFieldValue(rs.FieldIndex(m_kind.idField), id.member);
        if (m_kind.privateIds) {
            rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_urban_id")), id.urban);
            rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_fleet_id")), id.fleet);
        }
        rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_loc_no")), row);
        rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_program_flag")),
                         m_model->Value(row, ProgramColumn) == QLatin1String("1"));
        if (m_kind.hasLanguage)
            rs.SetFieldValue(rs.FieldIndex(QStringLiteral("unit_language")), m_unit.phoneBookLangEntryId);
        return CVelmoraError();
    };
    const CUnitListWriteResult written =
        m_twin->WriteBack(*record, m_model->RowCount(), fill, {QStringLiteral("unit_nam"), m_nam});
    if (!written) {
        result.error = written.error;
        result.row = written.failedRow >= 0 ? written.failedRow + 1 : -1;
        result.col = result.row > 0 ? IdColumn : -1;
        result.saysNotSaved = m_kind.reportsWriteBack;
    }
    return result;
}

void CUnitNamList::KeepHiddenParts(QList<HiddenId>& hidden, int row, CPrivateIdForm::Id& id) const
{
    // Without cross-fleet the list shows members only; an entry that is still the one loaded (same
    // member and name, wherever it moved) keeps the urban and fleet it was stored with, so turning
    // cross-fleet on again finds them.
    const QString name = m_model->Value(row, NameColumn);
    for (int i = 0; i < hidden.size(); ++i) {
        if (hidden[i].id.member == id.member && hidden[i].name == name) {
            id.urban = hidden[i].id.urban;
            id.fleet = hidden[i].id.fleet;
            hidden.removeAt(i);
            return;
        }
    }
}

CNamListResult CUnitNamList::SelectNam(int nam)
{
    if (nam == m_nam)
        return CNamListResult();
    CNamListResult result = WriteBack();
    if (!result)
        return result;
    const int previous = m_nam;
    m_nam = nam;
    if (CVelmoraError error = Load()) {
        m_nam = previous;
        Load();
        result.error = CVelmoraError::Message(MsgNamNotLoaded);
    }
    return result;
}

CVelmoraError CUnitNamList::Clear(const QList<int>& rows)
{
    if (rows.isEmpty())
        return CVelmoraError::Message(MsgNoRowsSelected);
    for (int row : rows) {
        m_model->SetValue(row, NameColumn, QString());
        m_model->SetValue(row, IdColumn, QString());
        m_model->SetValue(row, ProgramColumn, Flag(false));
    }
    // Rows added beyond the capacity go again once they are empty.
    int count = m_model->RowCount();
    while (count > Capacity() && m_model->IsRowEmpty(count))
        --count;
    m_model->SetRowCount(qMax(count, Capacity()));
    return CVelmoraError();
}

CVelmoraError CUnitNamList::Move(const QList<int>& rows, bool up, int* movedTo)
{
    if (rows.isEmpty())
        return CVelmoraError::Message(MsgNoRowToMove);
    const int row = *std::min_element(rows.begin(), rows.end());
    int target = row;
    if (up && row > 1) {
        m_model->MoveGridRows({row}, row - 1);
        target = row - 1;
    } else if (!up && row < m_model->RowCount()) {
        m_model->MoveGridRows({row}, row + 2);
        target = row + 1;
    }
    if (movedTo)
        *movedTo = target;
    return CVelmoraError();
}

void CUnitNamList::Sort(int col)
{
    if (m_model)
        m_model->SortRows(col);
}

void CUnitNamList::MarkAll(bool mark)
{
    if (m_model)
        m_model->MarkAll(ProgramColumn, IdColumn, mark);
}

CNamListResult CUnitNamList::Save(bool& changed)
{
    changed = false;
    CNamListResult result = WriteBack();
    if (!result)
        return result;
    changed = m_twin->DiffersFromTable();
    if (CVelmoraError error = m_twin->Commit()) {
        changed = false;
        result.error = error;
    }
    return result;
}

CVelmoraError CUnitNamList::Close()
{
    return m_twin->Close();
}
