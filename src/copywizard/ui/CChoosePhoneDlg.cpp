#include "CChoosePhoneDlg.h"

#include "CGridListType.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
enum Column : int
{
    ModelCol = 1,
    NameCol = 2,
    ImeiCol = 3
};
} // namespace

CChoosePhoneDlg::CChoosePhoneDlg(const QList<CCopySource::Choice>& choices, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChoosePhone"));
    setProperty("helpContext", int(HelpContext));
    setWindowTitle(CVelmoraWrap::LoadString(CopyWizText::ChooseTitle));
    setLayoutDirection(parent ? parent->layoutDirection() : QGuiApplication::layoutDirection());
    auto* layout = new QVBoxLayout(this);
    CGridSettings settings;
    settings.rightToLeft = layoutDirection() == Qt::RightToLeft;
    m_grid = new CVelmoraGridWnd(CGridListType::ChoosePhoneGrid, 0, settings, this);
    m_grid->setProperty("controlId", int(GridId));
    m_grid->SetRowCount(int(choices.size()));
    for (int row = 1; row <= int(choices.size()); ++row) {
        const CCopySource::Choice& choice = choices.at(row - 1);
        m_grid->SetValue(row, ModelCol, choice.modelText);
        m_grid->SetValue(row, NameCol, choice.userName);
        m_grid->SetValue(row, ImeiCol, choice.imei);
    }
    m_grid->resizeColumnsToContents();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    if (!choices.isEmpty())
        m_grid->SetCurrentCell(1, NameCol);
    layout->addWidget(m_grid, 1);

    auto* buttons = new QDialogButtonBox(this);
    auto add = [buttons](int controlId, int textId, QDialogButtonBox::ButtonRole role) {
        QPushButton* button = buttons->addButton(CVelmoraWrap::LoadString(textId), role);
        button->setProperty("controlId", controlId);
        return button;
    };
    add(1, CopyWizText::ButtonOk, QDialogButtonBox::AcceptRole)->setDefault(true);
    add(2, CopyWizText::ButtonCancel, QDialogButtonBox::RejectRole);
    QPushButton* help = add(HelpId, CopyWizText::ButtonHelp, QDialogButtonBox::HelpRole);
    connect(help, &QPushButton::clicked, this, [this]() {
        if (m_helpHandler)
            m_helpHandler(HelpContext);
    });
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChoosePhoneDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChoosePhoneDlg::reject);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &CChoosePhoneDlg::accept);
    resize(460, 320);
}

void CChoosePhoneDlg::accept()
{
    const int row = m_grid->CurrentRow();
    if (row < 1 || row > m_grid->RowCount())
        return;
    m_imei = m_grid->Value(row, ImeiCol);
    m_modelText = m_grid->Value(row, ModelCol);
    QDialog::accept();
}
