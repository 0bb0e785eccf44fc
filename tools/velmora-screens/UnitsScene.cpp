// Pictures of the units grid of a fleet with a dozen units, in English and in Hebrew, and of the
// new-unit prompt, for reviewing captions, colours, fonts and reading direction:
//
//   velmora-screens units <output folder>

#include "CDefaultValueDlg.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CUnitsColumns.h"
#include "CUnitsView.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPixmap>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

struct CSampleUnit
{
    const char* english;
    const char16_t* hebrew;
    int model;
    int subRelease;
    int release;
    bool crossFleet;
    const char* privateId;
    const char* ip;
    const char* fax;
};

const CSampleUnit kUnits[] = {
    {"Ann Baker", u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF", 105, 0, 0, true, "12*34*101", "10.0.0.1", ""},
    {"Carl Dunn", u"\u05D0\u05D1\u05D9 \u05DC\u05D5\u05D9", 114, 0, 0, false, "4021", "", "0397654321"},
    {"Eve Frost", u"\u05E8\u05D5\u05EA \u05E9\u05DE\u05E2\u05D5\u05DF", 110, 1, 70, true, "12*34*102",
     "10.0.0.2", ""},
    {"Gil Hart", u"\u05D9\u05D5\u05E1\u05D9 \u05D2\u05E8\u05D9\u05DF", 70, 0, 0, false, "4022",
     "192.168.1.20", ""},
    {"Ida Jones", u"\u05DE\u05D9\u05DB\u05DC \u05D0\u05D1\u05E8\u05D4\u05DD", 116, 0, 0, true, "12*34*103",
     "", ""},
    {"Ken Lowe", u"\u05E0\u05D5\u05E2\u05DD \u05D1\u05E8\u05E7", 90, 0, 39, false, "", "", "0381112222"},
    {"Mia Nash", u"\u05E9\u05D9\u05E8\u05D4 \u05E4\u05E8\u05E5", 111, 1, 89, true, "12*35*7", "10.1.2.3", ""},
    {"O'Brien", u"\u05D0\u05D5\u05E8 \u05D7\u05D3\u05D3", 92, 0, 0, false, "65535", "", ""},
    {"Pat Quinn", u"\u05EA\u05DE\u05E8 \u05D6\u05D4\u05D1\u05D9", 105, 0, 0, false, "17", "172.16.0.9", ""},
    {"Rita Stone", u"\u05D2\u05DC \u05E1\u05D5\u05DC\u05D5\u05DD", 20, 0, 0, false, "300", "", "0723334444"},
    {"Sam Todd", u"\u05E2\u05D5\u05DE\u05E8 \u05D8\u05DC", 114, 0, 0, true, "1*2*3", "", ""},
    {"Uma Vance", u"\u05DC\u05D9\u05D0\u05EA \u05E7\u05E8\u05DF", 10, 0, 0, false, "12", "10.0.0.12", ""},
};

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
    q.prepare(QStringLiteral(
        "INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, unit_phone_num_nam1, "
        "unit_currentNAMSelection, unit_display_prvt_id, unit_cross_fleet_enable, unit_fax_num, "
        "unit_ip_address, unit_sim_version, unit_prod_sub_release_id, unit_prod_release_id) "
        "VALUES (?, ?, ?, ?, 1, ?, ?, ?, ?, 2, ?, ?)"));
    int i = 0;
    for (const CSampleUnit& u : kUnits) {
        q.addBindValue(hebrew ? QString::fromUtf16(u.hebrew) : QString::fromLatin1(u.english));
        q.addBindValue(QStringLiteral("3512345678901%1").arg(i + 10));
        q.addBindValue(u.model);
        q.addBindValue(i % 3 == 0 ? QStringLiteral("+97250123456%1").arg(i % 10)
                                  : QStringLiteral("0521234%1").arg(100 + i));
        q.addBindValue(QString::fromLatin1(u.privateId));
        q.addBindValue(u.crossFleet ? 1 : 0);
        q.addBindValue(QString::fromLatin1(u.fax));
        q.addBindValue(QString::fromLatin1(u.ip));
        q.addBindValue(u.subRelease);
        q.addBindValue(u.release);
        if (!q.exec()) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            return false;
        }
        ++i;
    }
    return transaction.Commit();
}

QString HebrewFace()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::Hebrew);
    for (const QString& candidate : {QStringLiteral("Miriam"), QStringLiteral("Miriam CLM"),
                                     QStringLiteral("Miriam Libre"), QStringLiteral("David CLM")}) {
        if (families.contains(candidate))
            return candidate;
    }
    return QStringLiteral("DejaVu Sans");
}

bool Save(QWidget& widget, const QString& path)
{
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// A program folder in scratch with the shared data files the scene needs.
QString MakeProgramFolder(const QString& scratch)
{
    const QString program = scratch + QStringLiteral("/program");
    QDir().mkpath(program);
    for (const char* name :
         {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"}) {
        QFile::copy(kShare + QLatin1Char('/') + QLatin1String(name),
                    program + QLatin1Char('/') + QLatin1String(name));
        QFile::setPermissions(program + QLatin1Char('/') + QLatin1String(name),
                              QFile::ReadOwner | QFile::WriteOwner);
    }
    return program;
}

CUnitsSettings GridSettings(CModelRules& rules, const QString& modelList, bool hebrew)
{
    CUnitsSettings settings;
    settings.rules = &rules;
    settings.modelList = modelList;
    settings.faxLabel = CVelmoraWrap::LoadString(1890);
    const QString face = hebrew ? HebrewFace() : QStringLiteral("Times New Roman");
    settings.gridFont = QFont(face, hebrew ? 9 : 8, hebrew ? QFont::Normal : QFont::Bold);
    settings.gridFont2 =
        QFont(QStringLiteral("Times New Roman"), hebrew ? 9 : 8, hebrew ? QFont::Normal : QFont::Bold);
    settings.hasFonts = true;
    settings.rightToLeft = hebrew;
    return settings;
}

// The units grid as opened and with a new unit being typed into the append row, then the new-unit
// prompt; false when a picture could not be written.
bool ShootUnits(CVelmoraDoc& doc, const CUnitsSettings& settings, const QString& out, const QString& lang,
                bool hebrew)
{
    bool ok = true;
    {
        CUnitsView view(doc, settings);
        view.resize(980, 420);
        view.show();
        ok = Save(view, out + QStringLiteral("/units_%1.png").arg(lang)) && ok;

        const int row = view.Model()->AppendRow();
        view.Model()->SetCellText(
            row, CUnitsColumns::UserName,
            hebrew ? QString::fromUtf16(u"\u05D9\u05D7\u05D9\u05D3\u05D4 \u05D7\u05D3\u05E9\u05D4")
                   : QStringLiteral("New driver"));
        view.Model()->SetCellText(row, CUnitsColumns::ModelType, QStringLiteral("-1#70#110"));
        view.SetCurrentCell(row, CUnitsColumns::Imei);
        view.edit(view.currentIndex());
        if (auto* edit = view.findChild<QLineEdit*>())
            edit->setText(QStringLiteral("3512345678"));
        ok = Save(view, out + QStringLiteral("/units_typing_%1.png").arg(lang)) && ok;
        view.CancelEdit();
        view.Model()->CancelRecordEdit();
    }
    CDefaultValueDlg prompt;
    prompt.SetPhoneChoiceAvailable(false);
    prompt.show();
    return Save(prompt, out + QStringLiteral("/new_unit_prompt_%1.png").arg(lang)) && ok;
}

} // namespace

int UnitsScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens units <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    const QString program = MakeProgramFolder(scratch.path());
    CVelmoraWrap::SetAppPath(program);
    QSqlDatabase app = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shots_appdb"));
    app.setDatabaseName(program + QStringLiteral("/VelmoraDB.vdf"));
    if (!app.open())
        return 1;
    CModelRules rules(app);
    QString modelList;
    if (rules.BuildModelList(modelList) || modelList.isEmpty() || rules.LoadInternationalLists())
        return 1;
    CFleetContext context(CFleetSettings::ForProgramFolder(program));

    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        if (!UseSceneLanguage(program, hebrew))
            return 1;

        const QString path = scratch.path() + QStringLiteral("/fleet_%1.vlf").arg(lang);
        if (!MakeFleet(path, hebrew))
            return 1;
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        const bool opened = doc.OnOpenDocument(path, errors);
        for (const CVelmoraError& error : errors)
            CVelmoraWrap::ShowError(error);
        if (!opened)
            return 1;
        ok = ShootUnits(doc, GridSettings(rules, modelList, hebrew), out, lang, hebrew) && ok;
        doc.OnCloseDocument();
    }
    return ok ? 0 : 1;
}
