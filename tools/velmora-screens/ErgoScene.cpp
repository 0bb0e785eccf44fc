// Pictures of the ergonomic settings page of an Alder unit, one per section (general, a ring style,
// shortcuts, MO SMS quick notes, personalised menu), in English and in Hebrew:
//
//   velmora-screens ergo <output folder>

#include "CAlderErgoImage.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CUnitAlderErgoFieldsDlg.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "SceneProgram.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);
const QString kImei = QStringLiteral("351234567890110");

// One Alder unit with named styles, a few shortcuts, quick notes in the unit's language and a menu
// whose first items were moved.
bool MakeFleet(const QString& path, bool hebrew)
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
                             "unit_phone_num_nam1, unit_currentNAMSelection, unit_cp_structure_version, "
                             "unit_def_call_list_lang_id) VALUES (?, ?, 110, '0521234567', 1, 32, ?)"));
    q.addBindValue(hebrew ? QString::fromUtf16(u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF")
                          : QStringLiteral("Ann Baker"));
    q.addBindValue(kImei);
    q.addBindValue(hebrew ? 3 : 0);
    if (!q.exec())
        return false;
    CAlderErgoImage image(110);
    image.SetStyleValue(
        1, 1, hebrew ? QString::fromUtf16(u"\u05E4\u05D2\u05D9\u05E9\u05D4") : QStringLiteral("Meeting"));
    image.SetStyleValue(1, 7, QStringLiteral("1"));
    image.SetStyleValue(1, 19, QStringLiteral("4026531839"));
    image.SetShortcut(1, QStringLiteral("33554432"));
    image.SetShortcut(2, QStringLiteral("33554462"));
    image.SetShortcut(3, QStringLiteral("33554437"));
    image.SetNote(1, hebrew ? QString::fromUtf16(u"\u05D1\u05D3\u05E8\u05DA") : QStringLiteral("On my way"));
    image.SetNote(2, hebrew ? QString::fromUtf16(u"\u05D4\u05EA\u05E7\u05E9\u05E8 *100#")
                            : QStringLiteral("Call *100#"));
    image.SetStatusReport(true);
    image.MoveMenuItem(1, true);
    if (const CVelmoraError error = image.Save(c.Database(), kImei)) {
        std::fprintf(stderr, "%s\n", qPrintable(error.ToText()));
        return false;
    }
    return transaction.Commit();
}

bool Shoot(QWidget& sheet, const QString& path)
{
    const bool saved = sheet.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool ShootSections(CVelmoraDoc& doc, const CModelRules& rules, const QString& out, const QString& lang)
{
    CUnitOpenInfo info;
    if (CUnitOpener::Prepare(doc.Database(), kImei, false, &rules, info))
        return false;
    CUnitSheetContext context;
    context.db = doc.Database();
    context.rules = &rules;
    context.language = lang == QLatin1String("he") ? CInstalledData::Hebrew : CInstalledData::English;
    CUnitPropertySheet sheet(info, context);
    sheet.resize(760, 600);
    sheet.SetStartPageId(UnitPage::Ergonomic);
    sheet.show();
    auto* page = qobject_cast<CUnitAlderErgoFieldsDlg*>(sheet.GetActivePage());
    if (!page) {
        std::fprintf(stderr, "the sheet has no ergonomic page\n");
        return false;
    }
    bool ok = true;
    const char* const names[] = {"general", "styles", "shortcuts", "mosms", "personalise"};
    for (int section = CAlderErgoFields::General; section <= CAlderErgoFields::Personalise; ++section) {
        if (!page->ShowSection(section))
            return false;
        if (section == CAlderErgoFields::Personalise)
            page->MenuList()->setCurrentRow(0);
        ok = Shoot(sheet, out + QStringLiteral("/ergo_%1_%2.png").arg(lang, QLatin1String(names[section]))) &&
             ok;
    }
    // The styles section's number edit after 25 was typed.
    page->ShowSection(CAlderErgoFields::Styles);
    page->StyleNumber()->setText(QStringLiteral("25"));
    Q_EMIT page->StyleNumber()->textEdited(QStringLiteral("25"));
    ok = Shoot(sheet, out + QStringLiteral("/ergo_%1_style10.png").arg(lang)) && ok;
    sheet.PressCancel();
    return ok;
}

} // namespace

int ErgoScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens ergo <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = scratch.path() + QStringLiteral("/program");
    FillSceneProgramFolder(
        program, {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"});
    const std::unique_ptr<CModelRules> models = OpenSceneModels(program, QStringLiteral("ergo_appdb"));
    if (!models)
        return 1;
    const CModelRules& rules = *models;
    CFleetContext context(CFleetSettings::ForProgramFolder(program));

    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        const QString path = scratch.path() + QStringLiteral("/ergo_%1.vlf").arg(lang);
        if (!MakeFleet(path, hebrew)) {
            std::fprintf(stderr, "could not make the fleet %s\n", qPrintable(path));
            return 1;
        }
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(path, errors))
            return 1;
        ok = ShootSections(doc, rules, out, lang) && ok;
        doc.OnCloseDocument();
    }
    return ok ? 0 : 1;
}
