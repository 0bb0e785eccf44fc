// Pictures of the unit property sheet, every page of it, for an Alder unit and an ordinary unit, in
// English and in Hebrew, for reviewing captions, enabling and reading direction:
//
//   velmora-screens sheet <output folder>

#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CUnitOpener.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetPage.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "SceneProgram.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

struct CSheetUnit
{
    const char* key;
    const char* imei;
    const char* english;
    const char16_t* hebrew;
    int model;
};

const CSheetUnit kUnits[] = {
    {"alder", "351234567890105", "Ann Baker", u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF", 105},
    {"heron", "351234567890020", "Rita Stone", u"\u05D2\u05DC \u05E1\u05D5\u05DC\u05D5\u05DD", 20},
};

// A dozen speed-dial entries with a gap at 7, names in the unit's language.
bool AddPhoneBook(const QSqlDatabase& db, const QString& imei, bool hebrew)
{
    const char* const english[] = {"Office",    "Dispatch", "Dan O'Neil", "Workshop", "Home",  "Night desk",
                                   "Sara Levi", "Yard",     "Fuel",       "Security", "Depot", "Manager"};
    const char16_t* const hebrewNames[] = {u"\u05DE\u05E9\u05E8\u05D3",
                                           u"\u05DE\u05D5\u05E7\u05D3",
                                           u"\u05D3\u05E0\u05D9 \u05D0'",
                                           u"\u05DE\u05D5\u05E1\u05DA",
                                           u"\u05D1\u05D9\u05EA",
                                           u"\u05DC\u05D9\u05DC\u05D4",
                                           u"\u05E9\u05E8\u05D4 \u05DC\u05D5\u05D9",
                                           u"\u05D7\u05E6\u05E8",
                                           u"\u05D3\u05DC\u05E7",
                                           u"\u05D1\u05D9\u05D8\u05D7\u05D5\u05DF",
                                           u"\u05DE\u05D7\u05E1\u05DF",
                                           u"\u05DE\u05E0\u05D4\u05DC"};
    const char* const numbers[] = {"035551234",  "*100#", "0541234567", "+97235550000",
                                   "0777001122", "101",   "0525550199", "0P123",
                                   "0391234",    "112",   "0oo44",      "0506667788"};
    for (int i = 0; i < 12; ++i) {
        QSqlQuery q(db);
        q.prepare(
            QStringLiteral("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, "
                           "unit_name, unit_program_flag, unit_language) VALUES (?, ?, ?, ?, ?, 0)"));
        q.addBindValue(imei);
        q.addBindValue(i < 6 ? i + 1 : i + 2);
        q.addBindValue(QString::fromLatin1(numbers[i]));
        q.addBindValue(hebrew ? QString::fromUtf16(hebrewNames[i]) : QString::fromLatin1(english[i]));
        q.addBindValue(i % 3 != 2);
        if (!q.exec())
            return false;
    }
    return true;
}

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
    for (const CSheetUnit& u : kUnits) {
        QSqlQuery q(c.Database());
        q.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                 "unit_phone_num_nam1, unit_currentNAMSelection, unit_display_prvt_id, "
                                 "unit_ip_address, units_comments, unit_cp_structure_version, "
                                 "unit_cp_default_version, unit_last_mod_date, unit_def_call_list_lang_id) "
                                 "VALUES (?, ?, ?, '0521234567', 1, '12*34*101', '10.0.0.1', ?, 22, 18, "
                                 "'2026-12-01 09:30', ?)"));
        q.addBindValue(hebrew ? QString::fromUtf16(u.hebrew) : QString::fromLatin1(u.english));
        q.addBindValue(QString::fromLatin1(u.imei));
        q.addBindValue(u.model);
        q.addBindValue(hebrew ? QString::fromUtf16(u"\u05E8\u05DB\u05D1 \u05E9\u05D9\u05E8\u05D5\u05EA 12")
                              : QStringLiteral("Service van 12"));
        q.addBindValue(hebrew ? 3 : 0);
        if (!q.exec() || !AddSheetListRows(c.Database(), QString::fromLatin1(u.imei), hebrew))
            return false;
        if (!AddPhoneBook(c.Database(), QString::fromLatin1(u.imei), hebrew))
            return false;
    }
    return transaction.Commit();
}

// Every page of the sheet of one unit, each as a picture.
bool ShootSheet(CVelmoraDoc& doc, const CModelRules& rules, const CSheetUnit& unit, const QString& out,
                const QString& lang)
{
    CUnitOpenInfo info;
    if (CUnitOpener::Prepare(doc.Database(), QString::fromLatin1(unit.imei), false, &rules, info))
        return false;
    CUnitSheetContext context;
    context.db = doc.Database();
    context.rules = &rules;
    context.language = lang == QLatin1String("he") ? CInstalledData::Hebrew : CInstalledData::English;
    CUnitPropertySheet sheet(info, context);
    sheet.resize(700, 560);
    sheet.show();
    bool ok = true;
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        sheet.SetActivePage(i);
        const int id = static_cast<CUnitSheetPage*>(sheet.GetPage(i))->PageId();
        const QString path =
            out + QStringLiteral("/sheet_%1_%2_%3.png").arg(lang, QLatin1String(unit.key)).arg(id);
        const bool saved = sheet.grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        ok = saved && ok;
    }
    sheet.PressCancel();
    return ok;
}

} // namespace

int SheetScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens sheet <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = scratch.path() + QStringLiteral("/program");
    FillSceneProgramFolder(
        program, {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"});
    const std::unique_ptr<CModelRules> models = OpenSceneModels(program, QStringLiteral("sheet_appdb"));
    if (!models)
        return 1;
    const CModelRules& rules = *models;
    CFleetContext context(CFleetSettings::ForProgramFolder(program));

    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        const QString path = scratch.path() + QStringLiteral("/sheet_%1.vlf").arg(lang);
        if (!MakeFleet(path, hebrew))
            return 1;
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(path, errors))
            return 1;
        for (const CSheetUnit& unit : kUnits)
            ok = ShootSheet(doc, rules, unit, out, lang) && ok;
        doc.OnCloseDocument();
    }
    return ok ? 0 : 1;
}
