#include "CUnitCopyUserInfoDlg.h"

#include "CGridListType.h"
#include "CModelRules.h"
#include "CUnitCopyOpener.h"
#include "CUnitEditIcons.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum : int
{
    SelectAllBitmap = 1284,
    CopyBitmap = 1285,
    CloseBitmap = 1297,
    SameModelBitmap = 1270,
    HelpBitmap = 1299,
};

} // namespace

CUnitCopyUserInfoDlg::CUnitCopyUserInfoDlg(const QSqlDatabase& db, const CModelRules& rules, int mode,
                                           const QString& sourceImei,
                                           const CUnitCopyUserInfo::Options& options, bool hebrew,
                                           QWidget* parent)
    : QDialog(parent), m_copy(db, rules, mode, sourceImei, options), m_mode(mode)
{
    setObjectName(QStringLiteral("UnitCopyUserInfoDlg"));
    setProperty("helpContext", int(HelpContext));
    setProperty("controlId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(TextTitle));
    setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    auto* layout = new QVBoxLayout(this);
    m_source = new QLabel(this);
    m_source->setProperty("controlId", int(SourceLabel));
    m_source->setTextFormat(Qt::PlainText);
    layout->addWidget(m_source);
    auto* body = new QHBoxLayout;
    CGridSettings settings;
    m_grid = new CVelmoraGridWnd(CGridListType::CopyUserInfo, 0, settings, this);
    m_grid->setProperty("controlId", int(GridControl));
    m_grid->setObjectName(QStringLiteral("CopyUserInfoGrid"));
    body->addWidget(m_grid, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(AddButton(SelectAll, TextSelectAll, SelectAllBitmap));
    side->addWidget(AddButton(SameModel, TextSameModel, SameModelBitmap));
    side->addWidget(AddButton(CopyButton, TextCopy, CopyBitmap));
    side->addStretch(1);
    side->addWidget(AddButton(CloseButton, TextClose, CloseBitmap));
    side->addWidget(AddButton(HelpButton, UnitEditText::ButtonHelp, HelpBitmap));
    body->addLayout(side);
    layout->addLayout(body, 1);
    // Only settings are copied to units of one model at a time.
    m_buttons.value(SameModel)->setVisible(CUnitCopyUserInfo::IsSettingsMode(mode));
    m_buttons.value(CopyButton)->setDefault(true);
    resize(640, 360);
}

QPushButton* CUnitCopyUserInfoDlg::AddButton(int id, int textId, int bitmapId)
{
    auto* button = new QPushButton(CVelmoraWrap::LoadString(textId), this);
    button->setProperty("controlId", id);
    button->setAutoDefault(false);
    button->setIcon(CUnitEditIcons::ButtonIcon(bitmapId));
    m_buttons.insert(id, button);
    connect(button, &QPushButton::clicked, this, [this, id]() { PressButton(id); });
    return button;
}

bool CUnitCopyUserInfoDlg::Load()
{
    if (CVelmoraError error = m_copy.Load()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    m_source->setText(CVelmoraWrap::LoadString(TextSource).arg(m_copy.Source().name));
    const QList<CCopyUnitRow>& others = m_copy.Others();
    m_grid->SetRowCount(int(others.size()));
    for (int i = 0; i < others.size(); ++i) {
        const CCopyUnitRow& unit = others.at(i);
        const int row = i + 1;
        m_grid->SetValue(row, ColCheck, QStringLiteral("0"));
        m_grid->SetValue(row, ColName, unit.name);
        m_grid->SetValue(row, ColImei, unit.imei);
        m_grid->SetValue(row, ColModelType, QString::number(unit.modelType));
        m_grid->SetValue(row, ColModel, unit.modelName);
    }
    if (!m_grid->LoadColumnWidths()) {
        // Room for a whole IMEI and a long name without eliding either.
        const QFontMetrics cells = m_grid->fontMetrics();
        m_grid->setColumnWidth(CVelmoraGridModel::ModelCol(ColImei),
                               cells.horizontalAdvance(QString(15, QLatin1Char('8'))) + 14);
        m_grid->setColumnWidth(CVelmoraGridModel::ModelCol(ColName),
                               qMax(cells.horizontalAdvance(QString(16, QLatin1Char('n'))) + 12,
                                    m_grid->DefaultColumnWidth(ColName)));
    }
    const bool any = !others.isEmpty();
    for (int id : {int(CopyButton), int(SelectAll), int(SameModel)})
        m_buttons.value(id)->setEnabled(any);
    return true;
}

QStringList CUnitCopyUserInfoDlg::CheckedTargets() const
{
    QStringList imeis;
    for (int row = 1; row <= m_grid->RowCount(); ++row) {
        const QString imei = m_grid->Value(row, ColImei);
        if (m_grid->Value(row, ColCheck) == QLatin1String("1") && !imei.isEmpty())
            imeis << imei;
    }
    return imeis;
}

void CUnitCopyUserInfoDlg::PressButton(int id)
{
    switch (id) {
    case SelectAll:
        for (int row = 1; row <= m_grid->RowCount(); ++row)
            m_grid->SetValue(row, ColCheck, QStringLiteral("1"));
        break;
    case SameModel:
        MarkSameModel();
        break;
    case CopyButton:
        Copy();
        break;
    case CloseButton:
        reject();
        break;
    case HelpButton:
        Q_EMIT helpRequested(HelpContext);
        break;
    default:
        break;
    }
}

void CUnitCopyUserInfoDlg::MarkSameModel()
{
    const QString model = QString::number(m_copy.Source().modelType);
    for (int row = 1; row <= m_grid->RowCount(); ++row)
        m_grid->SetValue(row, ColCheck, m_grid->Value(row, ColModelType) == model ? "1" : "0");
}

void CUnitCopyUserInfoDlg::Copy()
{
    const QStringList targets = CheckedTargets();
    if (targets.isEmpty()) {
        CVelmoraWrap::ShowError(CVelmoraError::Message(CUnitCopyUserInfo::MsgNoTarget));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const CCopyUserInfoResult result = m_copy.Copy(targets);
    QGuiApplication::restoreOverrideCursor();
    if (result.error) {
        CVelmoraWrap::ShowError(result.error);
        return;
    }
    if (!result.tooLarge.isEmpty())
        CVelmoraWrap::ShowError(CVelmoraError::Message(CUnitCopyUserInfo::MsgTooLarge, {}, VMT_NOTICE));
    if (!result.full.isEmpty())
        CVelmoraWrap::ShowError(
            CVelmoraError::Message(MsgFull, {result.full.join(QStringLiteral(", "))}, VMT_NOTICE));
    if (result.targetsReceived > 0)
        CVelmoraWrap::ShowError(CVelmoraError::Message(CUnitCopyUserInfo::MsgCopied, {}, VMT_NOTICE));
}

void CUnitCopyUserInfoDlg::RunFromSheet(CUnitPropertySheet& sheet, int mode, int nam, int extra,
                                        QWidget* parent)
{
    const CUnitSheetContext& context = sheet.Context();
    if (!context.rules)
        return;
    CUnitCopyUserInfo::Options options;
    options.nam = nam;
    options.carrierId = context.carrierId;
    options.language = sheet.SheetUnit().phoneBookLangEntryId;
    options.lockoutsLinked = extra != 0;
    CUnitCopyUserInfoDlg dialog(context.db, *context.rules, mode, sheet.SheetUnit().imei, options,
                                context.IsHebrew(), parent);
    connect(&dialog, &CUnitCopyUserInfoDlg::helpRequested, &sheet, &CUnitPropertySheet::RequestHelp);
    if (dialog.Load())
        dialog.exec();
    dialog.Grid()->SaveColumnWidths();
}

void CUnitCopyUserInfoDlg::Install()
{
    CUnitCopyOpener::Install(&CUnitCopyUserInfoDlg::RunFromSheet);
}
