// Pictures of the copy-user-information dialog, in English and in Hebrew: the phone book of one unit
// offered to the others, with all selected, and the basic settings with the units of the same model:
//
//   velmora-screens copy <output folder>

#include "CFleetConnection.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CUnitCopyUserInfoDlg.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

bool AddUnits(const QSqlDatabase& db, bool hebrew)
{
    const QStringList names =
        hebrew
            ? QStringList{QString::fromUtf16(u"\u05DE\u05E9\u05E8\u05D3 \u05E8\u05D0\u05E9\u05D9"),
                          QString::fromUtf16(u"\u05DE\u05E9\u05D0\u05D9\u05EA 1"),
                          QString::fromUtf16(u"\u05DE\u05E9\u05D0\u05D9\u05EA 2"),
                          QString::fromUtf16(
                              u"\u05E0\u05D9\u05D9\u05D3\u05EA \u05E9\u05D9\u05E8\u05D5\u05EA"),
                          QString::fromUtf16(u"\u05DE\u05D7\u05E1\u05DF")}
            : QStringList{QStringLiteral("Head office"), QStringLiteral("Truck 1"), QStringLiteral("Truck 2"),
                          QStringLiteral("Service van"), QStringLiteral("Warehouse")};
    const int models[] = {105, 105, 105, 116, 114};
    for (int i = 0; i < names.size(); ++i) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                 "unit_phone_num_nam1) VALUES (?, ?, ?, ?)"));
        q.addBindValue(names.at(i));
        q.addBindValue(QStringLiteral("3512345678901%1").arg(i, 2, 10, QLatin1Char('0')));
        q.addBindValue(models[i]);
        q.addBindValue(QStringLiteral("05255501%1").arg(i, 2, 10, QLatin1Char('0')));
        if (!q.exec())
            return false;
    }
    return true;
}

bool Save(QWidget& widget, const QString& file)
{
    widget.show();
    QApplication::processEvents();
    const bool ok = widget.grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

bool Shoot(const QSqlDatabase& db, const CModelRules& rules, const QString& out, const QString& lang,
           bool hebrew)
{
    const QString source = QStringLiteral("351234567890100");
    bool ok = true;
    {
        CUnitCopyUserInfoDlg dialog(db, rules, 1, source, {}, hebrew);
        if (!dialog.Load())
            return false;
        ok = Save(dialog, out + QStringLiteral("/copy_%1_open.png").arg(lang)) && ok;
        dialog.PressButton(CUnitCopyUserInfoDlg::SelectAll);
        ok = Save(dialog, out + QStringLiteral("/copy_%1_all.png").arg(lang)) && ok;
        dialog.reject();
    }
    CUnitCopyUserInfoDlg settings(db, rules, 6, source, {}, hebrew);
    if (!settings.Load())
        return false;
    settings.PressButton(CUnitCopyUserInfoDlg::SameModel);
    ok = Save(settings, out + QStringLiteral("/copy_%1_same_model.png").arg(lang)) && ok;
    settings.reject();
    return ok;
}

} // namespace

int CopyScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens copy <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QSqlDatabase appDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy_appdb"));
    appDb.setDatabaseName(kShare + QStringLiteral("/VelmoraDB.vdf"));
    appDb.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!appDb.open())
        return 1;
    CModelRules rules(appDb);
    QString modelList;
    rules.BuildModelList(modelList);
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        auto strings = std::make_shared<CResourceStrings>();
        if (!strings->Load(kShare + (hebrew ? QStringLiteral("/VelmoraHebRes.lang")
                                            : QStringLiteral("/VelmoraRes.lang"))))
            return 1;
        CVelmoraWrap::SetResourceStrings(strings);
        QApplication::setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
        const QString path = scratch.path() + QStringLiteral("/copy_%1.vlf").arg(lang);
        if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
            return 1;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        CFleetConnection fleet;
        if (!fleet.Open(path) || !AddUnits(fleet.Database(), hebrew))
            return 1;
        ok = Shoot(fleet.Database(), rules, out, lang, hebrew) && ok;
    }
    return ok ? 0 : 1;
}
