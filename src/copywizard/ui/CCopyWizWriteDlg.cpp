#include "CCopyWizWriteDlg.h"

#include "CCopyWizardSheet.h"
#include "CCopyWriter.h"
#include "CModelRules.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QStringList LogHeader()
{
    using namespace CopyWizText;
    QStringList header;
    for (const int id : {LogTime, LogImei, LogModel, LogResult, LogBackup})
        header << CVelmoraWrap::LoadString(id);
    return header;
}

} // namespace

CCopyWizWriteDlg::CCopyWizWriteDlg(CCopyWizardSheet& sheet)
    : CPropertyPageWithHelp(DialogId, CVelmoraWrap::LoadString(CopyWizText::WritePage)), m_sheet(sheet)
{
    setObjectName(QStringLiteral("CopyWizWrite"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(CVelmoraWrap::LoadString(CopyWizText::WriteHint), this);
    hint->setWordWrap(true);
    m_write = new QPushButton(CVelmoraWrap::LoadString(CopyWizText::WriteButton), this);
    m_write->setProperty("controlId", int(WriteId));
    m_write->setMinimumWidth(120);
    m_restart = new QCheckBox(CVelmoraWrap::LoadString(CopyWizText::RestartAfter), this);
    m_restart->setProperty("controlId", int(RestartId));
    layout->addWidget(hint);
    auto* row = new QHBoxLayout;
    row->addWidget(m_write);
    row->addSpacing(12);
    row->addWidget(m_restart);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addSpacing(16);

    // The log is the record of the session, kept below the controls and in a smaller type.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    auto* logLabel = new QLabel(CVelmoraWrap::LoadString(CopyWizText::LogLabel), this);
    logLabel->setFont(small);
    m_log = new QTreeWidget(this);
    m_log->setProperty("controlId", int(LogId));
    m_log->setFont(small);
    m_log->setRootIsDecorated(false);
    m_log->setHeaderLabels(LogHeader());
    m_log->header()->setStretchLastSection(true);
    m_log->setTextElideMode(Qt::ElideMiddle);
    logLabel->setBuddy(m_log);
    m_saveLog = new QPushButton(CVelmoraWrap::LoadString(CopyWizText::SaveLog), this);
    m_saveLog->setProperty("controlId", int(SaveLogId));
    m_saveLog->setFont(small);
    m_saveLog->setEnabled(false);
    layout->addWidget(logLabel);
    layout->addWidget(m_log, 1);
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    saveRow->addWidget(m_saveLog);
    layout->addLayout(saveRow);

    connect(m_write, &QPushButton::clicked, this, [this]() { WritePhone(); });
    // The restart choice is taken when the box is clicked.
    connect(m_restart, &QCheckBox::clicked, this, [this](bool on) { m_restartChecked = on; });
    connect(m_saveLog, &QPushButton::clicked, this, [this]() { AskAndSaveLog(); });
}

bool CCopyWizWriteDlg::OnSetActive()
{
    if (!CPropertyPageWithHelp::OnSetActive())
        return false;
    m_sheet.SetWizardButtons(CPropertySheetWithHelp::PSWIZB_BACK | CPropertySheetWithHelp::PSWIZB_FINISH);
    m_write->setFocus();
    return true;
}

bool CCopyWizWriteDlg::WritePhone()
{
    CCopyWriter::Outcome outcome;
    {
        const CCopyWizardSheet::Busy busy(&m_sheet);
        CCopyWriter writer(m_sheet.Context().settings, m_sheet.Rules(), m_sheet);
        outcome = writer.Write(m_sheet.State(), m_sheet.Flags(), m_restartChecked, m_sheet);
    }
    CCopyLog::Line line;
    line.time = QDateTime::currentDateTime();
    line.imei = outcome.imei;
    if (outcome.modelType) {
        line.model = m_sheet.Rules().ModelDisplayName(outcome.modelType, 0, 0);
        if (line.model.isEmpty())
            line.model = QString::number(outcome.modelType);
    }
    line.written = outcome.written;
    if (outcome.written)
        line.result = CVelmoraWrap::LoadString(CopyWizText::ResultWritten);
    else if (outcome.error.IsCancelled())
        line.result = CVelmoraWrap::LoadString(CopyWizText::ResultCancelled);
    else
        line.result =
            CVelmoraWrap::LoadString(CopyWizText::ResultFailed).arg(outcome.error.ToText().simplified());
    if (outcome.written)
        line.backupFile = outcome.backupFile;
    AppendLog(line);

    if (outcome.written)
        CVelmoraWrap::ShowError(outcome.successId, VMT_NOTICE);
    else
        m_sheet.Report(outcome.error);
    m_write->setFocus();
    return outcome.written;
}

void CCopyWizWriteDlg::AppendLog(const CCopyLog::Line& line)
{
    m_sheet.Log().Add(line);
    // Numbers and paths read left to right in a right-to-left window too.
    const auto ltr = [](const QString& text) {
        return text.isEmpty() ? text : QChar(0x200E) + text + QChar(0x200E);
    };
    auto* item = new QTreeWidgetItem(m_log, {ltr(line.time.toString(QStringLiteral("HH:mm:ss"))),
                                             ltr(line.imei), line.model, line.result, ltr(line.backupFile)});
    item->setToolTip(3, line.result);
    item->setToolTip(4, line.backupFile);
    for (int column = 0; column < 3; ++column)
        m_log->resizeColumnToContents(column);
    if (!line.written)
        item->setForeground(3, QColor(Qt::darkRed));
    m_log->scrollToItem(item);
    m_saveLog->setEnabled(true);
}

bool CCopyWizWriteDlg::SaveLog(const QString& path)
{
    const CVelmoraError error = m_sheet.Log().Save(path, LogHeader());
    m_sheet.Report(error);
    return !error.IsError();
}

void CCopyWizWriteDlg::AskAndSaveLog()
{
    const QString path = QFileDialog::getSaveFileName(this, QString(), QStringLiteral("copy-log.csv"),
                                                      CVelmoraWrap::LoadString(CopyWizText::CsvFilter));
    if (!path.isEmpty())
        SaveLog(path);
}
