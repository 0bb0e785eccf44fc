#include "COptionsDlg.h"

#include "CVelmoraWrap.h"
#include "OptionsMessageIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const kFlagNames[4] = {"Strip Extra Space", "Auto Split", "Add Index", "Break Between Words"};
const int kFlagTexts[4] = {OptionsText::StripSpace, OptionsText::AutoSplit, OptionsText::AddIndex,
                           OptionsText::BreakWords};

QString Text(int id)
{
    return CVelmoraWrap::LoadString(id);
}

QLabel* Note(int id, QWidget* parent)
{
    auto* note = new QLabel(Text(id), parent);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    return note;
}

} // namespace

COptionsDlg::COptionsDlg(QWidget* parent, int page) : QDialog(parent)
{
    setObjectName(QStringLiteral("OptionsDlg"));
    setProperty("helpContext", 135685); // help context: the options help
    setWindowTitle(Text(OptionsText::Caption));
    m_loaded.Load();

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(LinkPage(), Text(OptionsText::LinkTab));
    m_tabs->addTab(BackupPage(), Text(OptionsText::BackupTab));
    m_tabs->addTab(SmsPage(), Text(OptionsText::SmsTab));
    m_tabs->setCurrentIndex(qBound(0, page, m_tabs->count() - 1));
    layout->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(OptionsText::ButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(OptionsText::ButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

QLineEdit* COptionsDlg::FolderRow(QWidget* page, QFormLayout* form, int labelId, const QString& name)
{
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(QDir::toNativeSeparators(m_loaded.Value(name)), page);
    edit->setObjectName(name);
    auto* browse = new QPushButton(Text(OptionsText::Browse), page);
    row->addWidget(edit, 1);
    row->addWidget(browse);
    auto* label = new QLabel(Text(labelId), page);
    label->setBuddy(edit);
    form->addRow(label, row);
    connect(browse, &QPushButton::clicked, this, [this, edit]() {
        const QString chosen = QFileDialog::getExistingDirectory(this, Text(OptionsText::ChooseFolder),
                                                                 QDir::fromNativeSeparators(edit->text()));
        if (!chosen.isEmpty())
            edit->setText(QDir::toNativeSeparators(chosen + QLatin1Char('/')));
    });
    return edit;
}

QWidget* COptionsDlg::LinkPage()
{
    auto* page = new QWidget(m_tabs);
    auto* form = new QFormLayout(page);
    m_comPort = new QSpinBox(page);
    m_comPort->setObjectName(QStringLiteral("COM Port"));
    m_comPort->setRange(1, 255);
    m_comPort->setValue(qBound(1, m_loaded.Number(QStringLiteral("COM Port"), 1), 255));
    form->addRow(Text(OptionsText::ComPort), m_comPort);
    // A stored -1 means no USB port, as 0 does.
    m_usbPort = new QSpinBox(page);
    m_usbPort->setObjectName(QStringLiteral("USB Port"));
    m_usbPort->setRange(0, 255);
    m_usbPort->setSpecialValueText(Text(OptionsText::UsbNone));
    m_usbPort->setValue(qBound(0, m_loaded.Number(QStringLiteral("USB Port")), 255));
    form->addRow(Text(OptionsText::UsbPort), m_usbPort);
    m_quickComm = new QCheckBox(Text(OptionsText::QuickComm), page);
    m_quickComm->setObjectName(QStringLiteral("Quick Comm"));
    m_quickComm->setChecked(m_loaded.Flag(QStringLiteral("Quick Comm")));
    form->addRow(QString(), m_quickComm);
    m_benchFolder = FolderRow(page, form, OptionsText::BenchFolder, QStringLiteral("Phone Bench Folder"));
    form->addRow(Note(OptionsText::NextStart, page));
    return page;
}

QWidget* COptionsDlg::BackupPage()
{
    auto* page = new QWidget(m_tabs);
    auto* form = new QFormLayout(page);
    m_backupFolder = FolderRow(page, form, OptionsText::BackupFolder, QStringLiteral("Codeplug Backup Path"));
    form->addRow(Note(OptionsText::BackupNote, page));
    return page;
}

QWidget* COptionsDlg::SmsPage()
{
    auto* page = new QWidget(m_tabs);
    auto* column = new QVBoxLayout(page);
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromLatin1(kFlagNames[i]);
        m_flags[i] = new QCheckBox(Text(kFlagTexts[i]), page);
        m_flags[i]->setObjectName(name);
        m_flags[i]->setChecked(m_loaded.Flag(name));
        column->addWidget(m_flags[i]);
    }
    column->addWidget(Note(OptionsText::SmsNote, page));
    column->addStretch();
    return page;
}

COptionsValues COptionsDlg::Edited() const
{
    COptionsValues values = m_loaded;
    // A control that still shows what was loaded keeps the stored text as it is ("-1", " 1").
    const auto number = [&](const QString& name, const QSpinBox* box, int loadedShown) {
        if (box->value() != loadedShown)
            values.SetNumber(name, box->value());
    };
    number(QStringLiteral("COM Port"), m_comPort,
           qBound(1, m_loaded.Number(QStringLiteral("COM Port"), 1), 255));
    number(QStringLiteral("USB Port"), m_usbPort,
           qBound(0, m_loaded.Number(QStringLiteral("USB Port")), 255));
    const auto flag = [&](const QString& name, const QCheckBox* box) {
        if (box->isChecked() != m_loaded.Flag(name))
            values.SetFlag(name, box->isChecked());
    };
    flag(QStringLiteral("Quick Comm"), m_quickComm);
    for (int i = 0; i < 4; ++i)
        flag(QString::fromLatin1(kFlagNames[i]), m_flags[i]);
    const auto folder = [&](const QString& name, const QLineEdit* edit) {
        const QString text = QDir::fromNativeSeparators(edit->text().trimmed());
        if (text != QDir::fromNativeSeparators(m_loaded.Value(name)))
            values.SetValue(name, text);
    };
    folder(QStringLiteral("Phone Bench Folder"), m_benchFolder);
    folder(QStringLiteral("Codeplug Backup Path"), m_backupFolder);
    return values;
}

bool COptionsDlg::FolderAcceptable(QLineEdit* edit, int tab, bool required)
{
    const QString text = QDir::fromNativeSeparators(edit->text().trimmed());
    // A folder left as it was loaded is not the user's doing.
    if (text == QDir::fromNativeSeparators(m_loaded.Value(edit->objectName()).trimmed()))
        return true;
    int problem = 0;
    if (text.isEmpty())
        problem = required ? OptionsText::BackupFolderEmpty : 0;
    else if (!QDir::isAbsolutePath(text))
        problem = OptionsText::FolderNotFull;
    if (!problem)
        return true;
    m_tabs->setCurrentIndex(tab);
    if (problem == OptionsText::FolderNotFull)
        CVelmoraWrap::ShowError(Text(problem).arg(edit->text().trimmed()), VMT_ERROR);
    else
        CVelmoraWrap::ShowError(problem, VMT_ERROR);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void COptionsDlg::accept()
{
    // An empty or relative folder would send the backups to the root or to wherever the program
    // was started from.
    if (!FolderAcceptable(m_benchFolder, 0, false) || !FolderAcceptable(m_backupFolder, 1, true))
        return;
    Edited().SaveChanges(m_loaded);
    QDialog::accept();
}
