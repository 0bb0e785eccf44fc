// The folders of the program depend on each other one way: no include cycle between any two, and the
// frame reaches features only through its API (features register themselves).

#include "CTestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <functional>

namespace {

using Graph = QMap<QString, QSet<QString>>;

// Folder (relative to the source tree) -> folders whose headers its files include.
Graph IncludeGraph(const QString& root)
{
    QMap<QString, QSet<QString>> headerFolders;
    QMap<QString, QStringList> files;
    for (const QString& top : {QStringLiteral("src"), QStringLiteral("libs")}) {
        QDirIterator it(root + QLatin1Char('/') + top, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            const QString folder = QDir(root).relativeFilePath(info.path());
            files[folder] << info.filePath();
            if (info.suffix() == QLatin1String("h"))
                headerFolders[info.fileName()] << folder;
        }
    }
    static const QRegularExpression include(QStringLiteral("#include\\s+\"([^\"]+)\""));
    Graph graph;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        for (const QString& path : it.value()) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = include.globalMatch(text); m.hasNext();) {
                const QString header = QFileInfo(m.next().captured(1)).fileName();
                for (const QString& folder : headerFolders.value(header)) {
                    if (folder != it.key())
                        graph[it.key()] << folder;
                }
            }
        }
    }
    return graph;
}

// A cycle through the graph as "a -> b -> a", or empty.
QString FindCycle(const Graph& graph)
{
    QMap<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    std::function<QString(const QString&)> visit = [&](const QString& node) -> QString {
        state[node] = 1;
        path << node;
        for (const QString& next : graph.value(node)) {
            if (state.value(next) == 1)
                return (path.mid(path.indexOf(next)) << next).join(QStringLiteral(" -> "));
            if (state.value(next) == 0) {
                const QString cycle = visit(next);
                if (!cycle.isEmpty())
                    return cycle;
            }
        }
        path.removeLast();
        state[node] = 2;
        return QString();
    };
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        if (state.value(it.key()) == 0) {
            const QString cycle = visit(it.key());
            if (!cycle.isEmpty())
                return cycle;
        }
    }
    return QString();
}

} // namespace

class TestFeatureSeam : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCycleFinderFindsCycles()
    {
        const Graph graph{{QStringLiteral("a"), {QStringLiteral("b")}},
                          {QStringLiteral("b"), {QStringLiteral("c")}},
                          {QStringLiteral("c"), {QStringLiteral("a")}}};
        QCOMPARE(FindCycle(graph), QStringLiteral("a -> b -> c -> a"));
        QVERIFY(FindCycle({{QStringLiteral("a"), {QStringLiteral("b")}}}).isEmpty());
    }

    void noFolderIncludesInACycle()
    {
        const Graph graph = IncludeGraph(CTestEnvironment::SourceDir());
        QVERIFY(graph.value(QStringLiteral("src/app/ui")).contains(QStringLiteral("src/frame")));
        const QString cycle = FindCycle(graph);
        QVERIFY2(cycle.isEmpty(), qPrintable(cycle));
    }

    void theFrameKnowsFeaturesOnlyThroughItsApi()
    {
        const QString root = CTestEnvironment::SourceDir();
        const QSet<QString> used = IncludeGraph(root).value(QStringLiteral("src/frame"));
        for (const QString& folder : used)
            QVERIFY2(!folder.startsWith(QLatin1String("src/units")) &&
                         !folder.startsWith(QLatin1String("src/phone")) &&
                         folder != QLatin1String("src/app/ui"),
                     qPrintable(folder));
        QFile cmake(root + QStringLiteral("/src/frame/CMakeLists.txt"));
        QVERIFY(cmake.open(QIODevice::ReadOnly));
        const QString links = QString::fromUtf8(cmake.readAll());
        QVERIFY(links.contains(QLatin1String("velmora_frame_api")));
        for (const char* feature : {"velmora_units_ui", "velmora_phone_ui", "velmora_app_ui"})
            QVERIFY2(!links.contains(QLatin1String(feature)), feature);
    }
};

VELMORA_TEST_MAIN(TestFeatureSeam)
#include "tst_feature_seam.moc"
