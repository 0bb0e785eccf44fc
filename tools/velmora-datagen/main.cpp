// velmora-datagen: turns the text sources of data/ into the files of the program folder.
//
//   velmora-datagen lang   <in.tsv> <out.lang>            check a language table and install it
//   velmora-datagen sqlite <out.db> <script.sql>...        build a database from SQL scripts
//   velmora-datagen splash <in.txt> <out.bmp>              draw a splash picture from its text
//   velmora-datagen icon   <size> <out.png>                 draw the program's icon
//
// Every output is written to a temporary file first and renamed, so a failed run leaves no half file.

#include "CResourceStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <sqlite3.h>

namespace {

int Fail(const QString& why)
{
    std::fprintf(stderr, "velmora-datagen: %s\n", qPrintable(why));
    return 1;
}

bool ReadFile(const QString& path, QByteArray& data, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    data = file.readAll();
    return true;
}

int Lang(const QString& in, const QString& out)
{
    QByteArray data;
    QString error;
    if (!ReadFile(in, data, error))
        return Fail(error);
    CResourceStrings strings;
    if (!strings.Parse(data, in))
        return Fail(strings.ErrorString());
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("%1: %2").arg(out, file.errorString()));
    file.write(data);
    return file.commit() ? 0 : Fail(QStringLiteral("%1: %2").arg(out, file.errorString()));
}

int Sqlite(const QString& out, const QStringList& scripts)
{
    const QString temp = out + QStringLiteral(".part");
    QFile::remove(temp);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(temp).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return Fail(QStringLiteral("%1: cannot create").arg(temp));
    }
    char* message = nullptr;
    int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, &message);
    for (const QString& script : scripts) {
        if (rc != SQLITE_OK)
            break;
        QByteArray sql;
        QString error;
        if (!ReadFile(script, sql, error)) {
            sqlite3_close(db);
            QFile::remove(temp);
            return Fail(error);
        }
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK) {
            const QString why = QStringLiteral("%1: %2").arg(script, QString::fromUtf8(message));
            sqlite3_free(message);
            sqlite3_close(db);
            QFile::remove(temp);
            return Fail(why);
        }
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, &message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(temp);
        return Fail(QStringLiteral("%1: cannot commit").arg(out));
    }
    QFile::remove(out);
    return QFile::rename(temp, out) ? 0 : Fail(QStringLiteral("%1: cannot rename").arg(out));
}

// The text source holds "key=value" lines: title, subtitle, footer, direction (ltr or rtl).
int Splash(const QString& in, const QString& out)
{
    QByteArray data;
    QString error;
    if (!ReadFile(in, data, error))
        return Fail(error);
    QHash<QString, QString> keys;
    for (const QString& line : QString::fromUtf8(data).split(QLatin1Char('\n'))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    const bool rtl = keys.value(QStringLiteral("direction")) == QLatin1String("rtl");
    QImage image(480, 280, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(18, 52, 86));
    sky.setColorAt(1, QColor(6, 20, 38));
    p.fillRect(image.rect(), sky);
    // Radio waves rising from a mast: the program's mark.
    const QPointF mast(rtl ? 80 : 400, 190);
    p.setPen(QPen(QColor(120, 190, 240), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mast, mast + QPointF(0, 50));
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 16.0 * i;
        p.setPen(QPen(QColor(120, 190, 240, 255 - 60 * i), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(mast.x() - r, mast.y() - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }
    p.setPen(QColor(240, 245, 250));
    QFont title(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    p.setFont(title);
    const Qt::Alignment side = Qt::AlignAbsolute | (rtl ? Qt::AlignRight : Qt::AlignLeft);
    const QRect textArea(32, 40, image.width() - 64, 200);
    p.drawText(textArea, side | Qt::AlignTop, keys.value(QStringLiteral("title")));
    QFont subtitle(QStringLiteral("DejaVu Sans"), 14);
    p.setFont(subtitle);
    p.setPen(QColor(190, 215, 235));
    QTextOption option(side);
    option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::WordWrap);
    p.drawText(QRectF(rtl ? 132 : 32, 110, image.width() - 64 - 100, 80),
               keys.value(QStringLiteral("subtitle")), option);
    QFont footer(QStringLiteral("DejaVu Sans"), 9);
    p.setFont(footer);
    p.setPen(QColor(140, 165, 190));
    p.drawText(QRectF(rtl ? 132 : 32, image.height() - 36, image.width() - 64 - 100, 20),
               keys.value(QStringLiteral("footer")), option);
    p.end();
    const QString temp = out + QStringLiteral(".part.bmp");
    if (!image.save(temp, "BMP"))
        return Fail(QStringLiteral("%1: cannot write").arg(temp));
    QFile::remove(out);
    return QFile::rename(temp, out) ? 0 : Fail(QStringLiteral("%1: cannot rename").arg(out));
}

// The program's mark: a mast with three rising waves on a rounded blue tile.
int Icon(int size, const QString& out)
{
    if (size < 16 || size > 1024)
        return Fail(QStringLiteral("icon size out of range: %1").arg(size));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(36, 96, 156));
    tile.setColorAt(1, QColor(12, 40, 76));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    const QPointF mast(32, 34);
    p.setPen(QPen(QColor(235, 244, 252), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mast, QPointF(32, 56));
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 7.5 * i;
        p.setPen(QPen(QColor(160, 210, 245, 255 - 50 * (i - 1)), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(mast.x() - r, mast.y() - r, 2 * r, 2 * r), 35 * 16, 110 * 16);
    }
    p.end();
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return Fail(QStringLiteral("%1: cannot write").arg(out));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("lang"))
        return Lang(args[1], args[2]);
    if (args.size() >= 3 && args[0] == QLatin1String("sqlite"))
        return Sqlite(args[1], args.mid(2));
    if (args.size() == 3 && args[0] == QLatin1String("splash"))
        return Splash(args[1], args[2]);
    if (args.size() == 3 && args[0] == QLatin1String("icon"))
        return Icon(args[1].toInt(), args[2]);
    return Fail(QStringLiteral("usage: velmora-datagen lang|sqlite|splash|icon ..."));
}
