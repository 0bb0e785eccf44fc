// Pictures of the phone-book transfer dialog of an Alder unit, in English and in Hebrew: as it opens,
// and after a few entries were copied into the consolidated list:
//
//   velmora-screens transfer <output folder> [--exec]
//
// --exec leaves each dialog open until it is ended by hand, to try its keys.

#include "CFleetConnection.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);
const QString kImei = QStringLiteral("351234567890105");

bool Run(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        return false;
    for (const QVariant& v : values)
        q.addBindValue(v);
    return q.exec();
}

QString He(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// A phone book, a private list and a consolidated list in the twins, as the sheet's pages leave them.
bool FillLists(const QSqlDatabase& db, bool hebrew)
{
    const QStringList names =
        hebrew
            ? QStringList{He(u"\u05DE\u05E9\u05E8\u05D3"), He(u"\u05DE\u05D5\u05E7\u05D3"),
                          He(u"\u05D3\u05E0\u05D9 \u05D0'"), He(u"\u05DE\u05D5\u05E1\u05DA"),
                          He(u"\u05E9\u05E8\u05D4 \u05DC\u05D5\u05D9")}
            : QStringList{QStringLiteral("Office"), QStringLiteral("Dispatch"), QStringLiteral("Dan O'Neil"),
                          QStringLiteral("Workshop"), QStringLiteral("Sara Levi")};
    const char* const numbers[] = {"035551234", "*100#", "0541234567", "+97235550000", "0525550199"};
    bool ok = Run(db,
                  QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type) "
                                 "VALUES ('Ann Baker', ?, 105)"),
                  {kImei});
    for (int i = 0; i < names.size(); ++i) {
        ok = ok && Run(db,
                       QStringLiteral("INSERT INTO unit_phone_details_tmp (unit_imei_num, unit_speed_dial, "
                                      "unit_phone_num, unit_name, unit_program_flag, unit_language) "
                                      "VALUES (?, ?, ?, ?, 1, 0)"),
                       {kImei, i + 1, QString::fromLatin1(numbers[i]), names[i]});
    }
    for (int i = 0; i < 3; ++i) {
        ok = ok && Run(db,
                       QStringLiteral("INSERT INTO unit_private_details_tmp (unit_imei_num, unit_nam, "
                                      "unit_urban_id, unit_fleet_id, unit_member_id, unit_name, unit_loc_no, "
                                      "unit_program_flag, unit_language) VALUES (?, 1, ?, ?, ?, ?, ?, 1, 0)"),
                       {kImei, i == 2 ? 12 : 0, i == 2 ? 34 : 0, 101 + i, names[i + 2], i + 1});
    }
    ok = ok &&
         Run(db,
             QStringLiteral("INSERT INTO unit_consolid_call_list_tmp (unit_imei_num, unit_name, unit_num, "
                            "unit_num_type, unit_nameIndex, unit_rec_num) VALUES (?, ?, '17', 7, 1, 1)"),
             {kImei, hebrew ? He(u"\u05E6\u05D5\u05D5\u05EA") : QStringLiteral("Night Shift")});
    return ok;
}

void SelectRows(CVelmoraGridWnd* grid, const QList<int>& rows)
{
    grid->clearSelection();
    for (int row : rows)
        grid->selectionModel()->select(grid->Model()->index(row - 1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool Save(QWidget& widget, const QString& path)
{
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool Shoot(const QSqlDatabase& db, const QString& out, const QString& lang, bool interactive)
{
    CUnitSheetUnit unit;
    unit.db = db;
    unit.imei = kImei;
    unit.phoneClass = 3;
    unit.modelType = 105;
    unit.profile.capacities.phoneBook = 100;
    unit.profile.capacities.privateList = {100, 0, 0};
    CTransferOptions options;
    options.hebrew = lang == QLatin1String("he");
    CTransferPhoneBookDataDlg dialog(unit, options);
    if (!dialog.Load())
        return false;
    dialog.show();
    bool ok = Save(dialog, out + QStringLiteral("/transfer_%1_open.png").arg(lang));
    SelectRows(dialog.Grid(CTransferPhoneBookDataDlg::PhoneGrid), {2, 3});
    dialog.PressButton(CTransferPhoneBookDataDlg::MovePhoneBook);
    SelectRows(dialog.Grid(CTransferPhoneBookDataDlg::PrivateGrid), {1, 3});
    dialog.PressButton(CTransferPhoneBookDataDlg::MovePrivate);
    SelectRows(dialog.Grid(CTransferPhoneBookDataDlg::ConsolGrid), {3});
    ok = Save(dialog, out + QStringLiteral("/transfer_%1_moved.png").arg(lang)) && ok;
    if (interactive) {
        // For trying the keyboard by hand (or xdotool): the dialog stays until OK or Cancel.
        const int result = dialog.exec();
        std::printf("%s ended with %s\n", qPrintable(lang), result == QDialog::Accepted ? "OK" : "Cancel");
    } else {
        dialog.reject();
    }
    return ok;
}

} // namespace

int TransferScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens transfer <output folder> [--exec]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const bool interactive = argc > 2 && qstrcmp(argv[2], "--exec") == 0;
    QDir().mkpath(out);
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        auto strings = std::make_shared<CResourceStrings>();
        if (!strings->Load(kShare + (hebrew ? QStringLiteral("/VelmoraHebRes.lang")
                                            : QStringLiteral("/VelmoraRes.lang"))))
            return 1;
        CVelmoraWrap::SetResourceStrings(strings);
        QApplication::setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
        const QString path = scratch.path() + QStringLiteral("/transfer_%1.vlf").arg(lang);
        if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
            return 1;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        CFleetConnection fleet;
        if (!fleet.Open(path) || !FillLists(fleet.Database(), hebrew))
            return 1;
        ok = Shoot(fleet.Database(), out, lang, interactive) && ok;
    }
    return ok ? 0 : 1;
}
