// velmora-datagen: turns the text sources of data/ into the files of the program folder.
//
//   velmora-datagen lang   <in.tsv> <out.lang>            check a language table and install it
//   velmora-datagen sqlite <out.db> <script.sql>...        build a database from SQL scripts
//   velmora-datagen splash <in.txt> <out.bmp>              draw a splash picture from its text
//   velmora-datagen icon   <size> <out.png> [fleet|pim]     draw the program's icon, or a file type's
//   velmora-datagen desktop <in> <out> <en.tsv> <fr.tsv> <he.tsv>
//                                                          fill a desktop entry or MIME package template
//
// Every output is written to a temporary file first and renamed, so a failed run leaves no half file.

#include "CResourceStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
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

// The program's mark: a mast with three rising waves, drawn on a 64-unit square.
void DrawMast(QPainter& p, const QPointF& mast, qreal scale, const QColor& pole, const QColor& waves)
{
    p.setPen(QPen(pole, 5 * scale, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mast, mast + QPointF(0, 22 * scale));
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 7.5 * i * scale;
        QColor wave = waves;
        wave.setAlpha(255 - 50 * (i - 1));
        p.setPen(QPen(wave, 3.5 * scale, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(mast.x() - r, mast.y() - r, 2 * r, 2 * r), 35 * 16, 110 * 16);
    }
}

// A file type's icon: a page with a folded corner carrying the mark, blue for fleets, green for PIM.
void DrawDocument(QPainter& p, bool pim)
{
    QPainterPath page;
    page.moveTo(10, 2);
    page.lineTo(42, 2);
    page.lineTo(56, 16);
    page.lineTo(56, 62);
    page.lineTo(10, 62);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 100, 110), 1.5));
    p.setBrush(QColor(250, 251, 252));
    p.drawPath(page);
    p.setBrush(QColor(210, 216, 222));
    p.drawPolygon(QPolygonF({QPointF(42, 2), QPointF(42, 16), QPointF(56, 16)}));
    p.setPen(Qt::NoPen);
    p.setBrush(pim ? QColor(40, 130, 80) : QColor(36, 96, 156));
    p.drawRoundedRect(QRectF(16, 24, 34, 32), 6, 6);
    DrawMast(p, QPointF(33, 40), 0.62, QColor(235, 244, 252), QColor(200, 230, 250));
}

int Icon(int size, const QString& out, const QString& kind)
{
    if (size < 16 || size > 1024)
        return Fail(QStringLiteral("icon size out of range: %1").arg(size));
    if (!kind.isEmpty() && kind != QLatin1String("fleet") && kind != QLatin1String("pim"))
        return Fail(QStringLiteral("unknown icon kind: %1").arg(kind));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    if (kind.isEmpty()) {
        QLinearGradient tile(0, 0, 0, 64);
        tile.setColorAt(0, QColor(36, 96, 156));
        tile.setColorAt(1, QColor(12, 40, 76));
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        DrawMast(p, QPointF(32, 34), 1.0, QColor(235, 244, 252), QColor(160, 210, 245));
    } else {
        DrawDocument(p, kind == QLatin1String("pim"));
    }
    p.end();
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return Fail(QStringLiteral("%1: cannot write").arg(out));
    return 0;
}

// Text as a desktop entry value: backslash, newline, tab and a leading space escaped.
QString DesktopValue(const QString& text)
{
    QString value = text;
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    if (value.startsWith(QLatin1Char(' ')))
        value.replace(0, 1, QStringLiteral("\\s"));
    return value;
}

// One template line holding "@id@" as one line per language: the English text under the line's own
// key or element, then each translation as Key[code]= (desktop entry) or xml:lang="code" (MIME package).
bool ExpandLine(const QString& line, bool xml, const QList<std::pair<QString, CResourceStrings>>& languages,
                QStringList& lines, QString& why)
{
    static const QRegularExpression placeholder(QStringLiteral("@(\\d+)@"));
    const QRegularExpressionMatch match = placeholder.match(line);
    if (!match.hasMatch()) {
        lines << line;
        return true;
    }
    const int id = match.captured(1).toInt();
    for (const auto& [code, strings] : languages) {
        if (!strings.Contains(id) || strings.Text(id).trimmed().isEmpty()) {
            why = QStringLiteral("no text %1 in the %2 table").arg(id).arg(code);
            return false;
        }
        const QString text = xml ? strings.Text(id).toHtmlEscaped() : DesktopValue(strings.Text(id));
        QString out = line;
        out.replace(match.capturedStart(), match.capturedLength(), text);
        if (code != QLatin1String("en")) {
            if (xml) {
                const int tagEnd =
                    out.indexOf(QRegularExpression(QStringLiteral("[ />]")), out.indexOf(QLatin1Char('<')));
                out.insert(tagEnd, QStringLiteral(" xml:lang=\"%1\"").arg(code));
            } else {
                out.insert(out.indexOf(QLatin1Char('=')), QStringLiteral("[%1]").arg(code));
            }
        }
        lines << out;
    }
    return true;
}

// Fills a desktop entry (*.desktop.in) or MIME package (*.xml.in) template with the texts of the
// language tables (en, fr, he, in that order); the template's own comments are left out.
int Desktop(const QString& in, const QString& out, const QStringList& tables)
{
    QByteArray data;
    QString error;
    if (!ReadFile(in, data, error))
        return Fail(error);
    QList<std::pair<QString, CResourceStrings>> languages;
    for (const QString& table : tables) {
        languages.append({QFileInfo(table).baseName(), CResourceStrings()});
        if (!languages.last().second.Load(table))
            return Fail(languages.last().second.ErrorString());
    }
    const bool xml = in.endsWith(QLatin1String(".xml.in"));
    QStringList lines;
    bool inComment = false;
    for (const QString& line : QString::fromUtf8(data).split(QLatin1Char('\n'))) {
        if (xml && line.trimmed().startsWith(QLatin1String("<!--")))
            inComment = true;
        const bool skip = inComment || (!xml && line.startsWith(QLatin1Char('#')));
        if (inComment && line.contains(QLatin1String("-->")))
            inComment = false;
        if (!skip && !ExpandLine(line, xml, languages, lines, error))
            return Fail(QStringLiteral("%1: %2").arg(in, error));
    }
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join(QLatin1Char('\n')).toUtf8()) < 0 ||
        !file.commit())
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
    if ((args.size() == 3 || args.size() == 4) && args[0] == QLatin1String("icon"))
        return Icon(args[1].toInt(), args[2], args.value(3));
    if (args.size() == 6 && args[0] == QLatin1String("desktop"))
        return Desktop(args[1], args[2], args.mid(3));
    return Fail(QStringLiteral("usage: velmora-datagen lang|sqlite|splash|icon|desktop ..."));
}
