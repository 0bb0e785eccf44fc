#include "CLoadSMSDlg.h"

#include "CGridListType.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "SmsMessageIds.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

CLoadSMSDlg::CLoadSMSDlg(const QSqlDatabase& db, QWidget* parent) : QDialog(parent), m_store(db)
{
    setObjectName(QStringLiteral("LoadSMSDlg"));
    setProperty("controlId", 110);
    setProperty("helpContext", 135278);
    setWindowTitle(CVelmoraWrap::LoadString(SmsMsg::LoadTitle));
    resize(560, 360);
    auto* layout = new QVBoxLayout(this);
    CGridSettings settings;
    settings.rightToLeft = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    m_grid = new CVelmoraGridWnd(CGridListType::LoadSmsGrid, 0, settings, this);
    m_grid->setProperty("controlId", 1151);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(m_grid, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setText(CVelmoraWrap::LoadString(7244));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setText(CVelmoraWrap::LoadString(7245));
    QPushButton* remove =
        buttons->addButton(CVelmoraWrap::LoadString(SmsMsg::ButtonDelete), QDialogButtonBox::ActionRole);
    remove->setProperty("controlId", 1019);
    remove->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLoadSMSDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLoadSMSDlg::reject);
    connect(remove, &QPushButton::clicked, this, &CLoadSMSDlg::OnDelete);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &CLoadSMSDlg::accept);
    layout->addWidget(buttons);
}

CLoadSMSDlg::~CLoadSMSDlg() = default;

bool CLoadSMSDlg::Start()
{
    if (const CVelmoraError error = m_store.BeginSession()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    CVelmoraError error;
    const QList<CSmsSavedMessages::Row> rows = m_store.List(error);
    if (error) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    m_grid->SetRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const CSmsSavedMessages::Row& row = rows.at(i);
        m_grid->SetValue(i + 1, ColId, QString::number(row.id));
        m_grid->SetValue(i + 1, ColText, row.text);
        m_grid->SetValue(i + 1, ColDate, row.date.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        m_grid->SetValue(i + 1, ColNumber, QString::number(i + 1));
    }
    m_grid->resizeColumnToContents(CStyledGridModel::ModelCol(ColDate));
    m_grid->horizontalHeader()->setSectionResizeMode(CStyledGridModel::ModelCol(ColText),
                                                     QHeaderView::Stretch);
    if (!rows.isEmpty())
        m_grid->SetCurrentCell(1, ColText);
    return true;
}

int CLoadSMSDlg::CurrentRow() const
{
    const int row = m_grid->CurrentRow();
    return row >= 1 && row <= m_grid->RowCount() ? row : 0;
}

void CLoadSMSDlg::OnDelete()
{
    const int row = CurrentRow();
    if (!row || m_grid->Value(row, ColId).isEmpty()) {
        CVelmoraWrap::ShowError(SmsMsg::NoMessageSelected, VMT_ERROR);
        return;
    }
    if (CVelmoraWrap::ShowError(SmsMsg::ConfirmDelete, VMT_YESNO) != IDYES)
        return;
    if (const CVelmoraError error = m_store.Delete(m_grid->Value(row, ColId).toInt())) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    m_grid->Model()->RemoveGridRows(row);
}

void CLoadSMSDlg::accept()
{
    if (const CVelmoraError error = m_store.Commit()) {
        CVelmoraWrap::ShowError(error);
        return;
    }
    if (const int row = CurrentRow()) {
        m_chosenId = m_grid->Value(row, ColId);
        m_chosenText = m_grid->Value(row, ColText);
    }
    QDialog::accept();
}

void CLoadSMSDlg::reject()
{
    m_store.Rollback();
    QDialog::reject();
}
