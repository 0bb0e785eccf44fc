// Draws one grid of every list type, filled with sample rows, in English and in Hebrew, and saves
// each as a PNG: the pictures reviewers look at for captions, colours and reading direction.
//
//   velmora-screens grids <output folder> [program folder with the .lang files]

#include "CGridListType.h"
#include "CResourceStrings.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPixmap>
#include <cstdio>
#include <memory>

namespace {

struct CSample
{
    bool hebrew;
    QString Name(int i) const
    {
        static const char16_t* he[] = {u"\u05D3\u05E0\u05D4 \u05DB\u05D4\u05DF",
                                       u"\u05D0\u05D1\u05D9 \u05DC\u05D5\u05D9",
                                       u"\u05E8\u05D5\u05EA \u05E9\u05DE\u05E2\u05D5\u05DF"};
        static const char* en[] = {"Ann Baker", "Carl Dunn", "Eve Frost"};
        return hebrew ? QString::fromUtf16(he[i % 3]) : QString::fromLatin1(en[i % 3]);
    }
};

QString NumberTypes()
{
    QString list;
    for (int t = 0; t <= 9; ++t)
        list +=
            CVelmoraWrap::LoadString(1885 + t) + QLatin1Char('\t') + QString::number(t) + QLatin1Char('\n');
    return list;
}

// Each fills three sample rows into a grid of its group; false for a list type of another group.
bool FillPhoneList(CVelmoraGridWnd& g, const CSample& s)
{
    const int type = g.ListType();
    auto set = [&g](int row, int col, const QString& v) { g.SetValue(row, col, v); };
    switch (type) {
    case CGridListType::PhoneList:
    case CGridListType::PrivateList:
    case CGridListType::TgCallList:
    case CGridListType::TgScanList:
    case CGridListType::SmsMsg:
        for (int r = 1; r <= 3; ++r) {
            set(r, 1, s.Name(r));
            set(r, 2,
                type == CGridListType::PhoneList ? QStringLiteral("+97250123456%1").arg(r)
                                                 : QString::number(r * 11));
            set(r, 3, r == 2 ? QStringLiteral("0") : QStringLiteral("1"));
        }
        return true;
    case CGridListType::ConsolCallList:
        for (int r = 1; r <= 3; ++r) {
            set(r, 1, s.Name(r / 2));
            set(r, 2, r == 2 ? QStringLiteral("1234") : QStringLiteral("0501234%1").arg(r));
            set(r, 3, r == 2 ? QStringLiteral("1") : QStringLiteral("0"));
            set(r, 4, QString::number(r / 2 + 1));
        }
        return true;
    default:
        return false;
    }
}

bool FillTalkgroupGrid(CVelmoraGridWnd& g, const CSample& s)
{
    const int type = g.ListType();
    auto set = [&g](int row, int col, const QString& v) { g.SetValue(row, col, v); };
    switch (type) {
    case CGridListType::PhoneBookGrid:
        for (int r = 1; r <= 3; ++r) {
            set(r, 1, QString::number(r));
            set(r, 2, s.Name(r));
            set(r, 3, QString::number(r % 3));
            set(r, 4, QStringLiteral("0521112%1").arg(r));
        }
        return true;
    case CGridListType::TgUser:
    case CGridListType::TgHeader:
    case CGridListType::TgDetail:
        for (int r = 1; r <= 3; ++r) {
            set(r, 1, type == CGridListType::TgHeader ? QStringLiteral("Ops %1").arg(r) : s.Name(r));
            set(r, 2,
                type == CGridListType::TgHeader ? QString::number(r * 10)
                                                : QStringLiteral("35000000000000%1").arg(r));
            set(r, 3, type == CGridListType::TgDetail ? s.Name(r) : QStringLiteral("1"));
            if (g.ColCount() >= 4)
                set(r, 4, QStringLiteral("10*20*%1").arg(r));
        }
        return true;
    default:
        return false;
    }
}

bool FillChooserGrid(CVelmoraGridWnd& g, const CSample& s)
{
    const int type = g.ListType();
    auto set = [&g](int row, int col, const QString& v) { g.SetValue(row, col, v); };
    switch (type) {
    case CGridListType::CopyUserInfo:
        for (int r = 1; r <= 3; ++r) {
            set(r, 1, r == 1 ? QStringLiteral("1") : QStringLiteral("0"));
            set(r, 2, s.Name(r));
            set(r, 3, QStringLiteral("35000000000000%1").arg(r));
            set(r, 5, QStringLiteral("i365"));
        }
        return true;
    case CGridListType::AutoFillGrid:
    case CGridListType::ChoosePhoneGrid:
    case CGridListType::DisplayUnitGrid:
        for (int r = 1; r <= 3; ++r) {
            const int first = type == CGridListType::AutoFillGrid ? 2 : 1;
            set(r, first, r == 2 ? QStringLiteral("1") : QStringLiteral("0"));
            set(r, first + 1, s.Name(r));
            set(r, first + 2,
                type == CGridListType::ChoosePhoneGrid ? QStringLiteral("35000000000000%1").arg(r)
                                                       : QStringLiteral("0521112%1").arg(r));
            if (type == CGridListType::AutoFillGrid)
                set(r, 5, QStringLiteral("0521112%1").arg(r));
        }
        return true;
    case CGridListType::LoadSmsGrid:
        for (int r = 1; r <= 3; ++r) {
            set(r, 2, s.hebrew ? QStringLiteral("\u05D1\u05D3\u05E8\u05DA") : QStringLiteral("On my way"));
            set(r, 3, QStringLiteral("2026-12-0%1 10:1%1").arg(r));
            set(r, 4, QString::number(r));
        }
        return true;
    case CGridListType::AlderErgoList: {
        for (int r = 1; r <= 3; ++r)
            set(r, 1, CVelmoraWrap::LoadString(1931 + r));
        CGridCellStyle box;
        box.control = CGridCellStyle::CheckBox;
        box.centred = true;
        g.Model()->SetCellStyle(3, 2, box);
        set(1, 2, QStringLiteral("Quiet"));
        set(3, 2, QStringLiteral("1"));
        return true;
    }
    default:
        return false;
    }
}

void Fill(CVelmoraGridWnd& g, const CSample& s)
{
    if (!FillPhoneList(g, s) && !FillTalkgroupGrid(g, s))
        FillChooserGrid(g, s);
}

} // namespace

int GridScene(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: velmora-screens grids <output folder> [program folder]\n");
        return 2;
    }
    const QString out = args[1];
    const QString programFolder = args.size() > 2 ? args[2] : QStringLiteral(VELMORA_SHARE_DIR);
    QDir().mkpath(out);

    for (const bool hebrew : {false, true}) {
        auto strings = std::make_shared<CResourceStrings>();
        const QString file = programFolder + (hebrew ? QStringLiteral("/VelmoraHebRes.lang")
                                                     : QStringLiteral("/VelmoraRes.lang"));
        if (!strings->Load(file)) {
            std::fprintf(stderr, "%s\n", qPrintable(strings->ErrorString()));
            return 1;
        }
        CVelmoraWrap::SetResourceStrings(strings);
        QApplication::setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);

        CGridSettings settings;
        settings.capacities.phoneBook = 100;
        settings.capacities.privateList = {100, 5, 5};
        settings.capacities.talkgroups = {30, 5, 5};
        settings.capacities.scanList = {30, 5, 5};
        settings.capacities.statusMessages = {10, 5, 5};
        settings.callListTypeChoices = NumberTypes();
        settings.rightToLeft = hebrew;
        const CSample sample{hebrew};

        for (int type = CGridListType::FirstType; type <= CGridListType::LastType; ++type) {
            CVelmoraGridWnd grid(type, 0, settings);
            grid.SetRowCount(5);
            Fill(grid, sample);
            grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            grid.resizeColumnsToContents();
            grid.SetCurrentCell(2, 1);
            grid.show();
            QApplication::processEvents();
            grid.resize(grid.verticalHeader()->width() + grid.horizontalHeader()->length() +
                            2 * grid.frameWidth(),
                        grid.horizontalHeader()->height() + 5 * grid.rowHeight(0) + 2 * grid.frameWidth());
            QApplication::processEvents();
            const QString path =
                QStringLiteral("%1/%2-%3.png")
                    .arg(out, hebrew ? QStringLiteral("he") : QStringLiteral("en"), grid.ListTypeName());
            if (!grid.grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
