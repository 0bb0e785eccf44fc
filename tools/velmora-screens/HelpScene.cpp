// Pictures of the help window on three topics, in English and in Hebrew: the contents, the basic
// settings page reached from the topic list, and a search for the modem with the SMS page opened:
//
//   velmora-screens help <output folder> [help folder holding en/ and he/]

#include "CHelpWnd.h"
#include "Scenes.h"
#include "SheetListRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

bool Save(CHelpWnd& help, const QString& file)
{
    QApplication::processEvents();
    const bool ok = help.grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

bool ShootLanguage(const QString& folder, const QString& out, const QString& lang)
{
    CHelpWnd help;
    help.resize(900, 620);
    bool ok = help.ShowPage(QDir(folder).filePath(QStringLiteral("index.html")));
    ok = ok && Save(help, out + QStringLiteral("/help_%1_contents.png").arg(lang));
    ok = ok && help.ShowPage(QDir(folder).filePath(QStringLiteral("page-basic.html")));
    ok = ok && Save(help, out + QStringLiteral("/help_%1_basic.png").arg(lang));
    // The search tab with its results, the SMS page opened from them.
    const QString words = lang == QLatin1String("he") ? QString::fromUtf16(u"\u05DE\u05D5\u05D3\u05DD")
                                                      : QStringLiteral("modem");
    if (ok && help.Search(words) > 0) {
        for (int row = 0; row < help.ResultList()->count(); ++row) {
            if (help.ResultList()->item(row)->data(Qt::UserRole + 1).toString() == QLatin1String("sms.html"))
                help.OpenResult(row);
        }
    }
    return ok && Save(help, out + QStringLiteral("/help_%1_search.png").arg(lang));
}

} // namespace

int HelpScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-screens help <output folder> [help folder]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : kShare + QStringLiteral("/help");
    QDir().mkpath(out);
    bool ok = true;
    for (const bool hebrew : {false, true}) {
        if (!UseSceneLanguage(kShare, hebrew))
            return 1;
        const QString lang = hebrew ? QStringLiteral("he") : QStringLiteral("en");
        ok = ShootLanguage(QDir(root).filePath(lang), out, lang) && ok;
    }
    return ok ? 0 : 1;
}
