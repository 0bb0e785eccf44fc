// The talkgroup manager's commands on members and talkgroups, and its keyboard and drag rules.

#include "CTGDlg.h"

#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "IFrameServices.h"
#include "IVelmoraQuestion.h"
#include "TalkgroupMessageIds.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QSet>

namespace {

constexpr int kWaitFrom = 200; // adding more units than this shows the wait window and a count

bool IsOwnDrag(const QEvent* event, const CVelmoraGridWnd* grid)
{
    const auto* drop = static_cast<const QDropEvent*>(event);
    quint64 source = 0;
    QList<int> rows;
    return CVelmoraGridModel::DecodeRows(drop->mimeData(), source, rows) && source == grid->Model()->GridId();
}

// Tab and Shift+Tab leave a grid that is only read, to the next control of the window.
void FocusNext(QWidget* from, bool forward)
{
    QWidget* w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    } while (
        w && w != from &&
        !((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !from->isAncestorOf(w)));
    if (w && w != from)
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

} // namespace

void CTGDlg::AddUnitRows(const QList<int>& unitRows)
{
    if (m_talkgroups->IsEditing()) {
        CVelmoraWrap::ShowError(TalkgroupMsg::StillEditing, VMT_ERROR);
        return;
    }
    if (m_unitList.isEmpty()) {
        CVelmoraWrap::ShowError(TalkgroupMsg::NoUnits, VMT_ERROR);
        return;
    }
    if (!FinishHeaderRow())
        return;
    const int row = m_talkgroups->CurrentRow();
    const CTalkgroupManager::Header h = HeaderAt(row);
    if (h.key == 0 || h.id < CTalkgroupManager::MinId) {
        CVelmoraWrap::ShowError(TalkgroupMsg::NoTalkgroup, VMT_ERROR);
        m_talkgroups->SetCurrentCell(row > 0 ? row : 1, IdCol);
        return;
    }
    QList<CTalkgroupManager::Unit> units;
    for (int r : unitRows) {
        if (r >= 1 && r <= m_unitList.size())
            units << m_unitList.at(r - 1);
    }
    if (units.isEmpty()) {
        CVelmoraWrap::ShowError(TalkgroupMsg::NothingSelected, VMT_ERROR);
        return;
    }
    const bool wait = units.size() > kWaitFrom && m_services;
    if (wait)
        m_services->BeginWait();
    const CTalkgroupManager::AddResult result =
        Manager().AddUnits({m_nam, h.id, h.name}, units, [this, wait](int done, int total) {
            if (!wait)
                return;
            ShowStatus(CVelmoraWrap::LoadString(TalkgroupText::Adding).arg(done).arg(total));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (wait)
        m_services->EndWait();
    ShowStatus(QString());
    if (result.error) {
        // Nothing was added; the unit whose list is full is shown.
        for (int r = 1; r <= m_unitList.size() && !result.fullImei.isEmpty(); ++r) {
            if (m_unitList.at(r - 1).imei == result.fullImei) {
                m_units->SetCurrentCell(r, 1);
                m_units->scrollTo(m_units->currentIndex());
                break;
            }
        }
        CVelmoraWrap::ShowError(result.error);
        return;
    }
    if (!result.added.isEmpty())
        m_document.SetModifiedFlag(true);
    FillMembers(row);
    ShowStatus(
        CVelmoraWrap::LoadString(TalkgroupText::AddedStatus).arg(result.added.size()).arg(result.skipped));
}

void CTGDlg::RemoveSelectedMembers()
{
    const QList<int> rows = m_members->SelectedRows();
    QStringList imeis;
    for (int row : rows)
        imeis << m_members->Value(row, 1);
    if (rows.isEmpty() || imeis.contains(QString())) {
        CVelmoraWrap::ShowError(TalkgroupMsg::NothingSelected, VMT_ERROR);
        return;
    }
    const CTalkgroupManager::Header h = HeaderAt(m_memberRow);
    if (const CVelmoraError error = Manager().RemoveMembers({m_nam, h.id, h.name}, imeis)) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    m_document.SetModifiedFlag(true);
    FillMembers(m_memberRow);
}

void CTGDlg::RemoveAllMembers()
{
    QStringList imeis;
    for (int row = 1; row <= m_members->RowCount(); ++row) {
        if (!m_members->Value(row, 1).isEmpty())
            imeis << m_members->Value(row, 1);
    }
    if (imeis.isEmpty())
        return;
    const CTalkgroupManager::Header h = HeaderAt(m_memberRow);
    if (const CVelmoraError error = Manager().RemoveMembers({m_nam, h.id, h.name}, imeis)) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    m_document.SetModifiedFlag(true);
    FillMembers(m_memberRow);
}

void CTGDlg::DeleteCurrentTalkgroup()
{
    const int row = m_talkgroups->CurrentRow();
    const CTalkgroupManager::Header h = HeaderAt(row);
    if (row < 1 || (h.key == 0 && !RowDirty(row))) {
        CVelmoraWrap::ShowError(TalkgroupMsg::NothingToDelete, VMT_ERROR);
        return;
    }
    if (h.key == 0) {
        // A row never stored: only its typing goes.
        if (IVelmoraQuestion::Shared().Ask(
                CVelmoraError::Message(TalkgroupMsg::ConfirmDelete, {}, VMT_YESNO)) == IDYES)
            DiscardRow(row);
        return;
    }
    const CTalkgroupManager::Header stored = m_stored.value(h.key, h);
    const CVelmoraError error =
        Manager().DeleteTalkgroup({m_nam, stored.id, stored.name}, IVelmoraQuestion::Shared());
    if (error.IsCancelled())
        return;
    if (error) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    m_document.SetModifiedFlag(true);
    ReloadNam();
    m_talkgroups->SetCurrentCell(qMin(row, m_talkgroups->RowCount()), NameCol);
}

bool CTGDlg::eventFilter(QObject* watched, QEvent* event)
{
    for (CVelmoraGridWnd* grid : {m_units, m_talkgroups, m_members}) {
        if (watched == grid->viewport()) {
            // Rows are not reordered by dragging inside any of these grids.
            const QEvent::Type type = event->type();
            if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
                IsOwnDrag(event, grid)) {
                event->ignore();
                return true;
            }
        } else if (watched == grid && grid != m_talkgroups && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                FocusNext(grid, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
            if (grid == m_members && key->key() == Qt::Key_Delete) {
                RemoveSelectedMembers();
                return true;
            }
            if (grid == m_units && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                                    key->key() == Qt::Key_Insert)) {
                AddSelectedUnits();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
