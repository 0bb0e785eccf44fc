#include "CUnitCommentsPage.h"

#include "CUnitEditIcons.h"
#include "CUnitSheetContext.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CUnitCommentsPage::CUnitCommentsPage(const QString& imei, const CUnitSheetContext& context, QWidget* parent)
    : CUnitSheetPage(UnitPage::Comments, DialogId, CVelmoraWrap::LoadString(UnitEditText::CommentsTitle),
                     parent),
      m_comments(context.db, imei, context.IsHebrew())
{
    setObjectName(QStringLiteral("CommentsPage"));
    SetIcon(CUnitEditIcons::PageIcon(CUnitEditIcons::SettingsPageIcon));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(CVelmoraWrap::LoadString(UnitEditText::CommentsLabel), this);
    m_edit = new QLineEdit(this);
    m_edit->setProperty("controlId", int(CommentsId));
    m_edit->setMaxLength(CUnitComments::MaxLength);
    label->setBuddy(m_edit);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addStretch(1);
    connect(m_edit, &QLineEdit::textEdited, this, &CUnitCommentsPage::OnTextEdited);
}

bool CUnitCommentsPage::OnInitDialog()
{
    if (CVelmoraError error = m_comments.Load()) {
        CVelmoraWrap::ShowError(error);
        m_edit->setEnabled(false);
        return false;
    }
    m_edit->setText(m_comments.Text());
    return true;
}

void CUnitCommentsPage::OnTextEdited(const QString& text)
{
    if (CVelmoraError refused = m_comments.SetText(text)) {
        // The character just typed is not kept; the cursor stays where it was typed.
        const int cursor = m_edit->cursorPosition();
        const int removed = text.size() - m_comments.Text().size();
        m_edit->setText(m_comments.Text());
        m_edit->setCursorPosition(qMax(0, cursor - qMax(0, removed)));
        CVelmoraWrap::ShowError(refused);
    }
}

CVelmoraError CUnitCommentsPage::Save(bool& changed)
{
    changed = m_edit->isEnabled() && m_comments.IsChanged();
    if (!m_edit->isEnabled())
        return CVelmoraError();
    return m_comments.Save();
}
