// Pictures of the Copy Wizard: its Source, Custom copy and Write pages (with a write log of three
// phones) and the choose-a-unit dialog, in English and in Hebrew:
//
//   velmora-screens copywizard <output folder>

#include "CChoosePhoneDlg.h"
#include "CCopyWizWriteDlg.h"
#include "CCopyWizardSheet.h"
#include "CCustomCopyDlg.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CVelmoraWrap.h"
#include "CopyWizardIds.h"
#include "SceneProgram.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool Shoot(QWidget& window, const QString& path)
{
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

QString Name(bool hebrew, int index)
{
    static const char16_t* const he[] = {u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF",
                                         u"\u05D0\u05D1\u05D9 \u05DC\u05D5\u05D9",
                                         u"\u05E8\u05D5\u05E0\u05D9 \u05DE\u05D6\u05E8\u05D7\u05D9"};
    static const char* const en[] = {"Ann Baker", "Carl Dunn", "Eve Foster"};
    return hebrew ? QString::fromUtf16(he[index]) : QString::fromLatin1(en[index]);
}

bool ShootWizard(const CModelRules& rules, const QString& folder, const QString& out, bool hebrew)
{
    const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
    CCopyWizardContext context;
    context.rules = &rules;
    context.namCount = 3;
    context.fleetPath = folder + QStringLiteral("/Fleet 2026.vlf");
    CCopyWizardSheet sheet(context);
    sheet.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    sheet.show();
    sheet.SetActivePage(0);
    bool ok = Shoot(sheet, out + QStringLiteral("/copywizard_%1_source.png").arg(lang));

    // A source of an Alder model with SIM: every group it can hold is enabled.
    CCopyWizardState& state = sheet.State();
    state.sourceImei = QStringLiteral("351050000000018");
    state.modelType = 105;
    state.phoneClass = rules.PhoneClassOf(105);
    state.simKind = 3;
    state.ApplyModelRules(rules);
    sheet.SetActivePage(1);
    auto* custom = static_cast<CCustomCopyDlg*>(sheet.GetPage(1));
    for (const int row : {0, 4, 7})
        custom->List()->item(row)->setCheckState(Qt::Checked);
    ok = Shoot(sheet, out + QStringLiteral("/copywizard_%1_custom.png").arg(lang)) && ok;

    sheet.SetActivePage(2);
    auto* write = static_cast<CCopyWizWriteDlg*>(sheet.GetPage(2));
    const QDateTime start(QDate(2026, 12, 8), QTime(10, 15, 4));
    for (int i = 0; i < 3; ++i) {
        CCopyLog::Line line;
        line.time = start.addSecs(95 * i);
        line.imei = QStringLiteral("35105000000002%1").arg(i + 2);
        line.model = QStringLiteral("Alder A5");
        line.written = i != 1;
        line.result = line.written ? CVelmoraWrap::LoadString(CopyWizText::ResultWritten)
                                   : CVelmoraWrap::LoadString(CopyWizText::ResultFailed)
                                         .arg(CVelmoraWrap::LoadString(6004).section(QLatin1Char('.'), 0, 0));
        if (line.written)
            line.backupFile = folder + QStringLiteral("/Backup/") + line.imei + QStringLiteral(".dbf");
        write->AppendLog(line);
    }
    ok = Shoot(sheet, out + QStringLiteral("/copywizard_%1_write.png").arg(lang)) && ok;
    sheet.PressCancel();

    QList<CCopySource::Choice> choices;
    for (int i = 0; i < 3; ++i)
        choices << CCopySource::Choice{QStringLiteral("10"), Name(hebrew, i),
                                       QStringLiteral("35010000000001%1").arg(i)};
    CChoosePhoneDlg chooser(choices, &sheet);
    chooser.show();
    ok = Shoot(chooser, out + QStringLiteral("/copywizard_%1_choose.png").arg(lang)) && ok;
    return ok;
}

} // namespace

int CopyWizardScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens copywizard <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = scratch.path() + QStringLiteral("/program");
    FillSceneProgramFolder(program,
                           {"Carrier.ini", "VelmoraDB.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"});
    const std::unique_ptr<CModelRules> models = OpenSceneModels(program, QStringLiteral("copywiz_appdb"));
    if (!models)
        return 1;
    const CModelRules& rules = *models;
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        ok = ShootWizard(rules, QStringLiteral("/home/fleet"), out, hebrew) && ok;
    }
    return ok ? 0 : 1;
}
