// The three language tables against each other and against the ids the code uses.

#include "CResourceStrings.h"
#include "CTestEnvironment.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QSet<QString> Placeholders(const QString& text)
{
    QSet<QString> found;
    static const QRegularExpression re(QStringLiteral("%([1-9][0-9]?)"));
    auto it = re.globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured(1));
    return found;
}

// The stored values of a choice list ("text<TAB>value" lines) never change between languages.
QStringList ChoiceValues(const QString& text)
{
    QStringList values;
    if (!text.contains(QLatin1Char('\t')))
        return values;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        values << line.section(QLatin1Char('\t'), 1);
    return values;
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

    CResourceStrings en, fr, he;

private Q_SLOTS:
    void initTestCase()
    {
        const QString folder = CTestEnvironment::ProgramFolder();
        QVERIFY2(en.Load(folder + QStringLiteral("/VelmoraRes.lang")), qPrintable(en.ErrorString()));
        QVERIFY2(fr.Load(folder + QStringLiteral("/VelmoraFrRes.lang")), qPrintable(fr.ErrorString()));
        QVERIFY2(he.Load(folder + QStringLiteral("/VelmoraHebRes.lang")), qPrintable(he.ErrorString()));
    }

    void sameIdsInEveryLanguage()
    {
        QCOMPARE(fr.Ids(), en.Ids());
        QCOMPARE(he.Ids(), en.Ids());
    }

    void translationsKeepPlaceholdersAndValues()
    {
        QStringList problems;
        for (int id : en.Ids()) {
            for (const CResourceStrings* other : {&fr, &he}) {
                const QString lang = other == &fr ? QStringLiteral("fr") : QStringLiteral("he");
                const QString text = other->Text(id);
                if (text.trimmed().isEmpty() != en.Text(id).trimmed().isEmpty())
                    problems << QStringLiteral("%1 %2: empty in one language only").arg(lang).arg(id);
                if (Placeholders(text) != Placeholders(en.Text(id)))
                    problems << QStringLiteral("%1 %2: placeholders differ").arg(lang).arg(id);
                if (ChoiceValues(text) != ChoiceValues(en.Text(id)))
                    problems << QStringLiteral("%1 %2: choice-list values differ").arg(lang).arg(id);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void translationsAreNotCopies()
    {
        // Names and codes may stay as they are, but most texts must really be translated.
        int sameFr = 0, sameHe = 0, hebrewScript = 0;
        const QList<int> ids = en.Ids();
        for (int id : ids) {
            if (fr.Text(id) == en.Text(id))
                ++sameFr;
            if (he.Text(id) == en.Text(id))
                ++sameHe;
            for (const QChar c : he.Text(id)) {
                if (c.script() == QChar::Script_Hebrew) {
                    ++hebrewScript;
                    break;
                }
            }
        }
        QVERIFY2(sameFr * 5 < ids.size(), qPrintable(QString::number(sameFr)));
        QVERIFY2(sameHe * 5 < ids.size(), qPrintable(QString::number(sameHe)));
        QVERIFY2(hebrewScript * 5 > ids.size() * 4, qPrintable(QString::number(hebrewScript)));
    }

    void everyIdTheCodeUsesExists()
    {
        // Ids reach the component through these calls, or through named constants: constants whose
        // name starts with Msg or Id, and every constant of a *MessageIds.h header. Each must have a text.
        static const QRegularExpression use(QStringLiteral(
            "\\b(?:ShowError|LoadString|ResString|FormatResString|ResText)\\s*\\(\\s*(\\d{3,5})\\b"));
        static const QRegularExpression named(QStringLiteral("\\b(?:Msg|Id)\\w*\\s*=\\s*(\\d{4})\\b"));
        static const QRegularExpression anyConstant(QStringLiteral("\\b\\w+\\s*=\\s*(\\d{4,5})\\b"));
        const QString source = CTestEnvironment::SourceDir();
        QVERIFY(!source.isEmpty());
        QStringList missing;
        int uses = 0;
        for (const QString& top :
             {QStringLiteral("/src"), QStringLiteral("/libs"), QStringLiteral("/tools")}) {
            QDirIterator it(source + top, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(file.readAll());
                const bool idHeader = path.endsWith(QStringLiteral("MessageIds.h"));
                for (const QRegularExpression* re : {&use, &named, &anyConstant}) {
                    if (re == &anyConstant && !idHeader)
                        continue;
                    auto match = re->globalMatch(text);
                    while (match.hasNext()) {
                        const int id = match.next().captured(1).toInt();
                        ++uses;
                        if (!en.Contains(id))
                            missing << QStringLiteral("%1 (%2)").arg(id).arg(path.mid(source.size() + 1));
                    }
                }
            }
        }
        QVERIFY(uses > 0);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void idsOfStartUpAndModelRules()
    {
        // Named by the start-up and model rules, and by the component itself.
        for (int id : {1631, 1642, 1643, 1644, 1662, 1703, 1704, 1837, 6100, 6101, 7001, 7002, 7003})
            QVERIFY2(en.Contains(id), qPrintable(QString::number(id)));
        for (int id = 1885; id <= 1894; ++id)
            QVERIFY2(!en.Text(id).isEmpty(), qPrintable(QString::number(id)));
    }
};

VELMORA_TEST_MAIN(TestLanguages)
#include "tst_languages.moc"
