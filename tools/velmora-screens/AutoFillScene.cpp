// Pictures of auto fill in English and in Hebrew: the dialog of a phone list and of a consolidated
// call list with two units checked, and the whole-fleet run's progress window part-way:
//
//   velmora-screens autofill <output folder>

#include "CAutoFillFeature.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CUnitAutoFillDlg.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "SceneProgram.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

struct CSampleUnit
{
    const char* english;
    const char16_t* hebrew;
    int model;
    const char* privateId;
    const char* number;
};

const CSampleUnit kUnits[] = {
    {"Ann Baker", u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF", 105, "12*34*101", "0521234101"},
    {"Carl Dunn", u"\u05D0\u05D1\u05D9 \u05DC\u05D5\u05D9", 70, "4021", "0521234102"},
    {"Evelyn Frostwood",
     u"\u05E8\u05D5\u05EA \u05E9\u05DE\u05E2\u05D5\u05DF \u05D4\u05D2\u05D3\u05D5\u05DC\u05D4", 116,
     "12*34*102", "*100#"},
    {"Gil Hart", u"\u05D9\u05D5\u05E1\u05D9 \u05D2\u05E8\u05D9\u05DF", 70, "4022", ""},
    {"Ida Jones", u"\u05DE\u05D9\u05DB\u05DC \u05D0\u05D1\u05E8\u05D4\u05DD", 116, "12*34*103", "0521234105"},
    {"O'Brien", u"\u05D0\u05D5\u05E8 \u05D7\u05D3\u05D3", 105, "65535", "0521234106"},
};

bool MakeFleet(const QString& path, bool hebrew, int extraUnits)
{
    QFile::remove(path);
    if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection c;
    if (!c.Open(path))
        return false;
    CTransaction transaction(c.Database());
    QSqlQuery q(c.Database());
    q.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                             "unit_display_prvt_id, unit_phone_num_nam1, unit_currentNAMSelection) "
                             "VALUES (?, ?, ?, ?, ?, 1)"));
    const int count = int(std::size(kUnits)) + extraUnits;
    for (int i = 0; i < count; ++i) {
        const CSampleUnit& u = kUnits[i % std::size(kUnits)];
        QString name = hebrew ? QString::fromUtf16(u.hebrew) : QString::fromLatin1(u.english);
        if (i >= int(std::size(kUnits)))
            name += QStringLiteral(" %1").arg(i);
        for (const QVariant& v :
             QVariantList{name, QStringLiteral("35123456%1").arg(i + 1000000, 7), u.model,
                          QString::fromLatin1(u.privateId), QString::fromLatin1(u.number)})
            q.addBindValue(v);
        if (!q.exec()) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            return false;
        }
    }
    return transaction.Commit();
}

bool Save(QWidget& widget, const QString& path)
{
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

bool ShootDialog(CVelmoraDoc& doc, CUnitAutoFill::Mode mode, const QString& file, bool hebrew)
{
    CGridSettings settings;
    settings.capacities.phoneBook = 100;
    CUnitAutoFill fill(doc.Database(), mode, QStringLiteral("351234561000000"), 1, 100);
    CUnitAutoFillDlg dialog(fill, settings);
    dialog.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    if (!dialog.Load())
        return false;
    dialog.Grid()->SetValue(1, CUnitAutoFillDlg::ColMark, QStringLiteral("1"));
    dialog.Grid()->SetValue(3, CUnitAutoFillDlg::ColMark, QStringLiteral("1"));
    dialog.show();
    return Save(dialog, file);
}

// The whole-fleet run on a larger fleet; the progress window is taken part-way through.
bool ShootProgress(CVelmoraDoc& doc, const CModelRules& rules, const QString& file)
{
    bool saved = false;
    QTimer shot;
    shot.setInterval(20);
    QObject::connect(&shot, &QTimer::timeout, [&]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!saved && progress && progress->isVisible() && progress->value() > progress->maximum() / 3) {
                saved = Save(*progress, file);
                shot.stop();
            }
        }
    });
    shot.start();
    const CFleetAutoFill::Report report = CAutoFillFeature::RunWholeFleet(doc, rules, nullptr);
    std::printf("whole fleet: %d units, %d entries added, %lld full\n", report.units, report.added,
                qlonglong(report.fullUnits.size()));
    return saved && !report.error;
}

} // namespace

int AutoFillScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens autofill <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = scratch.path() + QStringLiteral("/program");
    FillSceneProgramFolder(
        program, {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"});
    const std::unique_ptr<CModelRules> models = OpenSceneModels(program, QStringLiteral("shots_appdb"));
    if (!models)
        return 1;
    const CModelRules& rules = *models;
    CFleetContext context(CFleetSettings::ForProgramFolder(program));
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        const QString path = scratch.path() + QStringLiteral("/fleet_%1.vlf").arg(lang);
        if (!MakeFleet(path, hebrew, 600))
            return 1;
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(path, errors))
            return 1;
        ok = ShootDialog(doc, CUnitAutoFill::PhoneList,
                         out + QStringLiteral("/autofill_phone_%1.png").arg(lang), hebrew) &&
             ok;
        ok = ShootDialog(doc, CUnitAutoFill::Consolidated,
                         out + QStringLiteral("/autofill_consol_%1.png").arg(lang), hebrew) &&
             ok;
        ok = ShootProgress(doc, rules, out + QStringLiteral("/autofill_fleet_%1.png").arg(lang)) && ok;
        doc.OnCloseDocument();
    }
    return ok ? 0 : 1;
}
