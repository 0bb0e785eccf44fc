#include "CDisplayUnitsDlg.h"

#include "CFleetFile.h"
#include "CGridListType.h"
#include "CSmsRecipients.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "SmsMessageIds.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QPushButton* Button(int textId, int controlId, QWidget* parent)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), parent);
    button->setProperty("controlId", controlId);
    button->setAutoDefault(false);
    return button;
}
} // namespace

CDisplayUnitsDlg::CDisplayUnitsDlg(CVelmoraDoc* fleet, int freeSlots, const CFleetSettings& settings,
                                   QWidget* parent)
    : QDialog(parent), m_fleet(fleet), m_freeSlots(freeSlots), m_settings(settings)
{
    setObjectName(QStringLiteral("DisplayUnitsDlg"));
    setProperty("controlId", 121);
    setProperty("helpContext", 135289);
    setWindowTitle(CVelmoraWrap::LoadString(SmsMsg::UnitsTitle));
    resize(520, 420);
    auto* layout = new QGridLayout(this);
    auto* pathLabel = new QLabel(CVelmoraWrap::LoadString(SmsMsg::LabelFleetFile), this);
    m_path = new QLineEdit(this);
    m_path->setProperty("controlId", 1214);
    pathLabel->setBuddy(m_path);
    QPushButton* browse = Button(SmsMsg::ButtonBrowse, 1008, this);
    QPushButton* load = Button(SmsMsg::ButtonLoad, 1011, this);
    layout->addWidget(pathLabel, 0, 0);
    layout->addWidget(m_path, 0, 1);
    layout->addWidget(browse, 0, 2);
    layout->addWidget(load, 0, 3);

    CGridSettings gridSettings;
    gridSettings.rightToLeft = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    m_grid = new CVelmoraGridWnd(CGridListType::DisplayUnitGrid, 0, gridSettings, this);
    m_grid->setProperty("controlId", 1230);
    layout->addWidget(m_grid, 1, 0, 1, 4);

    m_free = new QLabel(CVelmoraWrap::LoadString(SmsMsg::FreeSlots).arg(m_freeSlots), this);
    QPushButton* selectAll = Button(SmsMsg::ButtonSelectAll, 1028, this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(7244));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(CVelmoraWrap::LoadString(7245));
    layout->addWidget(m_free, 2, 0, 1, 2);
    layout->addWidget(selectAll, 2, 2, 1, 2, Qt::AlignTrailing);
    layout->addWidget(buttons, 3, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    connect(browse, &QPushButton::clicked, this, &CDisplayUnitsDlg::OnBrowse);
    connect(load, &QPushButton::clicked, this, &CDisplayUnitsDlg::OnLoad);
    connect(selectAll, &QPushButton::clicked, this, &CDisplayUnitsDlg::OnSelectAll);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDisplayUnitsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDisplayUnitsDlg::reject);

    if (m_fleet) {
        m_path->setText(m_fleet->PathName());
        ShowUnits(m_fleet->Database());
    }
}

CDisplayUnitsDlg::~CDisplayUnitsDlg()
{
    ReleaseFile();
}

void CDisplayUnitsDlg::ReleaseFile()
{
    if (!m_file)
        return;
    m_file.reset();
    CFleetFile::StoreFleetFile(m_filePath);
    m_lock.Unlock();
    m_filePath.clear();
}

void CDisplayUnitsDlg::OnBrowse()
{
    const QString folder = QFileInfo(m_path->text()).absolutePath();
    QFileDialog dialog(this, QString(), QDir(folder).filePath(QStringLiteral("*.vlf")),
                       CVelmoraWrap::LoadString(SmsMsg::FilterBackup));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_path->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

bool CDisplayUnitsDlg::OnLoad()
{
    const QString path = m_path->text().trimmed();
    m_grid->SetRowCount(0);
    ReleaseFile();
    // The open fleet is read through its own connection: nobody else may open its file.
    if (m_fleet && QFileInfo(path) == QFileInfo(m_fleet->PathName())) {
        ShowUnits(m_fleet->Database());
        return true;
    }
    CFleetErrors errors;
    bool opened = !path.isEmpty() && !CVelmoraDoc::HoldForChange(path, m_lock) &&
                  CFleetFile::CheckAndPrepare(path, m_settings, errors);
    if (opened) {
        m_file = std::make_unique<CFleetConnection>();
        m_filePath = path;
        opened = m_file->Open(path);
    }
    if (!opened) {
        ReleaseFile();
        m_lock.Unlock();
        CVelmoraWrap::ShowError(SmsMsg::NotAFleet, VMT_ERROR);
        return false;
    }
    ShowUnits(m_file->Database());
    return true;
}

void CDisplayUnitsDlg::ShowUnits(const QSqlDatabase& db)
{
    CVelmoraError error;
    const QList<CSmsUnitList::Unit> units = CSmsUnitList::Read(db, error);
    if (error) {
        CVelmoraWrap::ShowError(SmsMsg::NotAFleet, VMT_ERROR);
        return;
    }
    m_grid->SetRowCount(int(units.size()));
    for (int i = 0; i < units.size(); ++i) {
        m_grid->SetValue(i + 1, ColCheck, QStringLiteral("0"));
        m_grid->SetValue(i + 1, ColName, units.at(i).name);
        m_grid->SetValue(i + 1, ColNumber, units.at(i).number);
    }
    m_grid->horizontalHeader()->setSectionResizeMode(CStyledGridModel::ModelCol(ColName),
                                                     QHeaderView::Stretch);
}

QList<CSmsUnitList::Unit> CDisplayUnitsDlg::UnitsOfGrid() const
{
    QList<CSmsUnitList::Unit> units;
    for (int row = 1; row <= m_grid->RowCount(); ++row)
        units << CSmsUnitList::Unit{m_grid->Value(row, ColName), m_grid->Value(row, ColNumber),
                                    m_grid->Value(row, ColCheck) == QLatin1String("1")};
    return units;
}

void CDisplayUnitsDlg::OnSelectAll()
{
    QList<CSmsUnitList::Unit> units = UnitsOfGrid();
    if (units.size() > m_freeSlots && CVelmoraWrap::ShowError(SmsMsg::MoreUnitsThanSlots, VMT_YESNO) != IDYES)
        return;
    CSmsUnitList::SelectAll(units, m_freeSlots);
    for (int i = 0; i < units.size(); ++i)
        m_grid->SetValue(i + 1, ColCheck, units.at(i).checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void CDisplayUnitsDlg::accept()
{
    m_grid->EndEdit();
    const QList<CSmsUnitList::Unit> units = UnitsOfGrid();
    const int count = CSmsUnitList::CheckedNumbers(units);
    if (count > m_freeSlots) {
        CVelmoraWrap::ShowError(CVelmoraError::Message(
            SmsMsg::TooManyTicked, {QString::number(count), QString::number(m_freeSlots)}));
        return;
    }
    m_result = CSmsUnitList::Recipients(units);
    QDialog::accept();
}
