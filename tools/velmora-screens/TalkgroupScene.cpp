// Pictures of the talkgroup manager on a fleet of eight units with a few talkgroups, in English and
// in Hebrew, for reviewing captions, columns, buttons and reading direction:
//
//   velmora-screens talkgroups <output folder>

#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTGDlg.h"
#include "CTransaction.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "SceneProgram.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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
    const char* privateId;
};

const CSampleUnit kUnits[] = {
    {"Ann Baker", u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF", 105, "12*34*101"},
    {"Carl Dunn", u"\u05D0\u05D1\u05D9 \u05DC\u05D5\u05D9", 114, "4021"},
    {"Eve Frost", u"\u05E8\u05D5\u05EA \u05E9\u05DE\u05E2\u05D5\u05DF", 116, "12*34*102"},
    {"Gil Hart", u"\u05D9\u05D5\u05E1\u05D9 \u05D2\u05E8\u05D9\u05DF", 70, "4022"},
    {"Ida Jones", u"\u05DE\u05D9\u05DB\u05DC \u05D0\u05D1\u05E8\u05D4\u05DD", 116, "*100#"},
    {"Ken Lowe", u"\u05E0\u05D5\u05E2\u05DD \u05D1\u05E8\u05E7", 90, ""},
    {"O'Brien", u"\u05D0\u05D5\u05E8 \u05D7\u05D3\u05D3", 105, "65535"},
    {"Pat Quinn", u"\u05EA\u05DE\u05E8 \u05D6\u05D4\u05D1\u05D9", 105, "17"},
};

// Talkgroups: NAM, id, English name, Hebrew name, and which units (by index) carry each.
struct CSampleTalkgroup
{
    int nam;
    int id;
    const char* english;
    const char16_t* hebrew;
    QList<int> units;
};

bool Exec(QSqlQuery& q, const QVariantList& values)
{
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (q.exec())
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
    return false;
}

bool MakeFleet(const QString& path, bool hebrew)
{
    const QList<CSampleTalkgroup> talkgroups = {
        {1, 5, "Dispatch", u"\u05DE\u05D5\u05E7\u05D3", {0, 1, 2, 4, 6}},
        {1, 12, "Fire crew", u"\u05DB\u05D1\u05D0\u05D5\u05EA", {1, 3}},
        {1, 40, "", u"", {2, 5}},
        {1, 77, "Night shift", u"\u05DE\u05E9\u05DE\u05E8\u05EA \u05DC\u05D9\u05DC\u05D4", {7}},
        {2, 5, "Dispatch", u"\u05DE\u05D5\u05E7\u05D3", {0}},
    };
    QFile::remove(path);
    if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection c;
    if (!c.Open(path))
        return false;
    CTransaction transaction(c.Database());
    QSqlQuery q(c.Database());
    for (int i = 0; i < int(std::size(kUnits)); ++i) {
        const CSampleUnit& u = kUnits[i];
        q.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                 "unit_display_prvt_id, unit_currentNAMSelection) VALUES (?, ?, ?, ?, 1)"));
        if (!Exec(q,
                  {hebrew ? QString::fromUtf16(u.hebrew) : QString::fromLatin1(u.english),
                   QStringLiteral("3512345678901%1").arg(i + 10), u.model, QString::fromLatin1(u.privateId)}))
            return false;
    }
    QList<int> nextLocation(int(std::size(kUnits)) * 3, 1);
    for (const CSampleTalkgroup& t : talkgroups) {
        for (int unit : t.units) {
            q.prepare(QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, "
                                     "unit_tg_name, unit_loc_no, unit_program_flag, unit_language) "
                                     "VALUES (?, ?, ?, ?, ?, 1, 0)"));
            if (!Exec(q, {QStringLiteral("3512345678901%1").arg(unit + 10), t.nam, t.id,
                          hebrew ? QString::fromUtf16(t.hebrew) : QString::fromLatin1(t.english),
                          nextLocation[unit * 3 + t.nam - 1]++}))
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

bool Shoot(CVelmoraDoc& doc, const CModelRules& rules, const QString& out, const QString& lang, bool hebrew)
{
    CTGDlgSettings settings;
    settings.namCount = [] { return 3; };
    settings.alderModels = rules.AlderModels();
    settings.capacityOf = CTalkgroupManager::CapacitiesOf(rules);
    settings.rightToLeft = hebrew;
    CTGDlg view(doc, settings);
    view.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    view.resize(1100, 560);
    view.show();
    view.Activate();
    bool ok = Save(view, out + QStringLiteral("/talkgroups_%1.png").arg(lang));
    // The third talkgroup (no name) with its members, two units selected for adding.
    view.Talkgroups()->SetCurrentCell(3, CTGDlg::NameCol);
    view.Units()->SetCurrentCell(4, 1);
    ok = Save(view, out + QStringLiteral("/talkgroups_unnamed_%1.png").arg(lang)) && ok;
    // A new talkgroup typed into the last row.
    const int last = view.Talkgroups()->RowCount();
    view.Talkgroups()->SetValue(last, CTGDlg::NameCol,
                                hebrew ? QString::fromUtf16(u"\u05D7\u05D3\u05E9")
                                       : QStringLiteral("New group"));
    view.Talkgroups()->SetCurrentCell(last, CTGDlg::IdCol);
    ok = Save(view, out + QStringLiteral("/talkgroups_new_%1.png").arg(lang)) && ok;
    view.Talkgroups()->CancelEdit();
    return ok;
}

} // namespace

int TalkgroupScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens talkgroups <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = MakeProgramFolder(scratch.path());
    CVelmoraWrap::SetAppPath(program);
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
        if (!MakeFleet(path, hebrew))
            return 1;
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(path, errors))
            return 1;
        ok = Shoot(doc, rules, out, lang, hebrew) && ok;
        doc.OnCloseDocument();
    }
    return ok ? 0 : 1;
}
