#pragma once

#include "CUnitComments.h"
#include "CUnitSheetPage.h"

struct CUnitSheetContext;
class QLineEdit;

// The comments page of the unit property sheet: the unit's free comment, at most 27 characters of
// the code page the unit's texts go to the phone in (a character outside it is refused as typed).
class CUnitCommentsPage : public CUnitSheetPage
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 117,
        CommentsId = 1127,
    };

    CUnitCommentsPage(const QString& imei, const CUnitSheetContext& context, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }

    bool OnInitDialog() override;
    CVelmoraError Save(bool& changed) override;
    void SaveCommitted() override { m_comments.SaveCommitted(); }

private:
    void OnTextEdited(const QString& text);

    CUnitComments m_comments;
    QLineEdit* m_edit = nullptr;
};
