// Pictures of the SMS window, its status dialog in the middle of a send, the load dialog, the
// recipients dialog and the modem dialog, in English and in Hebrew:
//
//   velmora-screens sms <output folder>

#include "CDisplayUnitsDlg.h"
#include "CFleetConnection.h"
#include "CFleetSettings.h"
#include "CLoadSMSDlg.h"
#include "CModemDlg.h"
#include "CResourceStrings.h"
#include "CSMSChildFrm.h"
#include "CSendSMSView.h"
#include "CSmsLibrary.h"
#include "CSmsSavedMessages.h"
#include "CSmsStatusDlg.h"
#include "CToEdit.h"
#include "CTransaction.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "IVelmoraQuestion.h"
#include "Scenes.h"
#include "SheetListRows.h"
#include "Sms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

QString Text(bool hebrew, const char16_t* he, const char* en)
{
    return hebrew ? QString::fromUtf16(he) : QString::fromLatin1(en);
}

// Three units and three saved messages.
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
    const QStringList names =
        hebrew ? QStringList{QString::fromUtf16(u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF"),
                             QString::fromUtf16(u"\u05D9\u05D5\u05E1\u05D9 \u05DC\u05D5\u05D9"),
                             QString::fromUtf16(u"\u05E8\u05D5\u05EA \u05D0\u05D1\u05D9\u05D1")}
               : QStringList{"Ann Baker", "Ben O'Brien", "Carla Diaz"};
    for (int i = 0; i < names.size(); ++i) {
        QSqlQuery q(c.Database());
        q.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                 "unit_phone_num_nam1, unit_currentNAMSelection) VALUES (?, ?, 105, ?, 1)"));
        q.addBindValue(names.at(i));
        q.addBindValue(QStringLiteral("35123456789011%1").arg(i));
        q.addBindValue(QStringLiteral("052123450%1").arg(i));
        if (!q.exec())
            return false;
    }
    CSmsSavedMessages store(c.Database());
    const QStringList texts{
        Text(hebrew, u"\u05D4\u05D7\u05DC\u05E4\u05EA \u05DE\u05E9\u05DE\u05E8\u05EA \u05D1-18:00",
             "Shift change at 18:00"),
        Text(hebrew, u"\u05EA\u05E7\u05DC\u05D4 \u05D1\u05E7\u05D5 3, \u05D4\u05DE\u05EA\u05D9\u05E0\u05D5",
             "Outage on line 3, please wait"),
        Text(hebrew, u"\u05E4\u05D2\u05D9\u05E9\u05D4 \u05D1\u05DE\u05E1\u05D5\u05E3",
             "Meeting at the depot")};
    for (const QString& text : texts) {
        QString id = QStringLiteral("-1");
        if (store.Save(text, QDateTime(QDate(2026, 12, 8), QTime(9, 30)), id, IVelmoraQuestion::Shared()))
            return false;
    }
    return transaction.Commit();
}

bool Shoot(QWidget& widget, const QString& path)
{
    widget.show();
    QApplication::processEvents();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool ShootAll(const QString& fleet, const QString& out, const QString& lang, bool hebrew,
              ISmsLibrary& library)
{
    bool ok = true;
    CSmsContext context;
    context.library = &library;
    CSMSChildFrm frame(context);
    frame.resize(640, 400);
    frame.View()->Recipients()->setText(QStringLiteral("0521234500;0521234501;0521234502"));
    frame.View()->Message()->setPlainText(
        Text(hebrew, u"\u05D4\u05D7\u05DC\u05E4\u05EA \u05DE\u05E9\u05DE\u05E8\u05EA \u05D1-18:00 *100#",
             "Shift change at 18:00. Call *100# when you arrive."));
    ok = Shoot(frame, out + QStringLiteral("/sms_%1_view.png").arg(lang)) && ok;
    frame.hide();

    CSmsStatusDlg status;
    status.SetStatus(
        CVelmoraWrap::LoadString(8024).arg(1).arg(2).arg(QStringLiteral("0521234501")).arg(2).arg(3));
    status.SetPosition(45);
    ok = Shoot(status, out + QStringLiteral("/sms_%1_status.png").arg(lang)) && ok;
    status.hide();

    CFleetConnection c;
    if (!c.Open(fleet))
        return false;
    {
        CLoadSMSDlg load(c.Database());
        if (!load.Start())
            return false;
        ok = Shoot(load, out + QStringLiteral("/sms_%1_load.png").arg(lang)) && ok;
        load.reject();
    }
    c.Close();

    CDisplayUnitsDlg units(nullptr, 100, CFleetSettings::ForProgramFolder(QFileInfo(fleet).absolutePath()));
    units.PathEdit()->setText(fleet);
    units.OnLoad();
    units.Grid()->SetValue(1, CDisplayUnitsDlg::ColCheck, QStringLiteral("1"));
    ok = Shoot(units, out + QStringLiteral("/sms_%1_recipients.png").arg(lang)) && ok;
    units.reject();

    CModemDlg modem(library);
    ok = Shoot(modem, out + QStringLiteral("/sms_%1_modem.png").arg(lang)) && ok;
    return ok;
}

} // namespace

int SmsScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens sms <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = scratch.path() + QStringLiteral("/program");
    QDir().mkpath(program);
    for (const char* name : {"Carrier.ini", "VelmoraVLF.vdf", "VelmoraRes.lang", "VelmoraHebRes.lang"}) {
        const QString target = program + QLatin1Char('/') + QLatin1String(name);
        QFile::copy(kShare + QLatin1Char('/') + QLatin1String(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    CVelmoraWrap::SetAppPath(program);
    SMSSetup setup;
    setup.outboxFolder = program;
    setup.scanUsualDevices = false;
    setup.loadString = [](int id) { return CVelmoraWrap::LoadString(id); };
    SMSInitialize(setup);
    CSmsLibrary library;

    bool ok = true;
    for (const bool hebrew : {false, true}) {
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        if (!UseSceneLanguage(program, hebrew))
            return 1;
        const QString path = program + QStringLiteral("/sms_%1.vlf").arg(lang);
        if (!MakeFleet(path, hebrew)) {
            std::fprintf(stderr, "could not make the fleet %s\n", qPrintable(path));
            return 1;
        }
        ok = ShootAll(path, out, lang, hebrew, library) && ok;
    }
    SMSTerminate();
    return ok ? 0 : 1;
}
