// What the search costs on the ten-year store, on a copy of it: building the index (the upgrade
// of an older store, and a rebuild of all three tables), the room the index takes, each
// keystroke of typed sentences from the key to the results model updated, a save with the
// index's triggers beside the same save without them, and, when there is a display, the time
// from a keystroke to the first frame that shows its results.
// Usage: bench_search STORE [runs, 20]. For the frame: `xvfb-run -a ./bench_search STORE`.
#include "CardDataStore.h"
#include "Median.h"
#include "ModelContext.h"
#include "Reading.h"
#include "Readings.h"
#include "SearchIndex.h"
#include "SearchNames.h"
#include "SearchResultsModel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_EnginePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_SearchPlugin)

namespace {

const QStringList sentences{
    QStringLiteral("money worries again"),         QStringLiteral("walked by the river"),
    QStringLiteral("the tower three of cups"),     QStringLiteral("start with the hardest task"),
    QStringLiteral("grateful for small progress"),
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

bool exec(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            if (ok && !query.exec(statement)) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(statement), qPrintable(query.lastError().text()));
                ok = false;
            }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

QStringList searchTriggers(const QString &path)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("names"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND name LIKE '%_search_%'"), db);
        while (query.next())
            names.append(query.value(0).toString());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("names"));
    return names;
}

// Bytes of a compacted copy of the store, so that free pages and the log do not count.
qint64 compactedSize(const QString &path, const QString &copy, const QStringList &before = {})
{
    QFile::remove(copy);
    QFile::copy(path, copy);
    if (!exec(copy, before + QStringList{QStringLiteral("VACUUM")}))
        return -1;
    return QFileInfo(copy).size();
}

// One reading of three cards with a question, saved on its own, as a reading screen saves it.
double saveMicroseconds(ModelContext &context, int runs)
{
    const Readings readings(&context);
    return medianMicroseconds(runs, [&] {
        readings.record(QStringLiteral("three_card"),
                        {{QStringLiteral("major_16"), QStringLiteral("past")},
                         {QStringLiteral("cups_03"), QStringLiteral("present")},
                         {QStringLiteral("wands_08"), QStringLiteral("future")}},
                        QStringLiteral("What does the move to the coast ask of me?"));
        context.save();
    });
}

} // namespace

int main(int argc, char **argv)
{
    const bool onScreen = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!onScreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search STORE [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(3, atoi(argv[2])) : 20;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.store"));
    QFile::copy(QString::fromLocal8Bit(argv[1]), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QList<SearchIndex::Name> names = SearchNames::of(CardDataStore::shared());

    // Opening an older store upgrades it, building the index from its rows; the names then
    // index it again. A store made by this version already has its index.
    QElapsedTimer timer;
    timer.start();
    auto context = ModelContext::open(path, nullptr);
    const double openMs = double(timer.nsecsElapsed()) / 1e6;
    if (!context) {
        std::fprintf(stderr, "the store does not open\n");
        return 1;
    }
    timer.start();
    SearchIndex(context.get()).useNames(names);
    const double namesMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("open (with any upgrade)          %8.1f ms\n", openMs);
    std::printf("card names given to the index    %8.1f ms\n", namesMs);
    context.reset();

    const double rebuildMs =
        medianMicroseconds(std::max(3, runs / 5),
                           [&] {
                               exec(path,
                                    {QStringLiteral("INSERT INTO ReadingSearch(ReadingSearch) VALUES('rebuild')"),
                                     QStringLiteral("INSERT INTO JournalSearch(JournalSearch) VALUES('rebuild')"),
                                     QStringLiteral("INSERT INTO CardNoteSearch(CardNoteSearch) VALUES('rebuild')")});
                           }) /
        1000.0;
    std::printf("index build, median              %8.1f ms   (budget 1500)\n", rebuildMs);

    QStringList dropIndex;
    for (const QString &trigger : searchTriggers(path))
        dropIndex.append(QStringLiteral("DROP TRIGGER %1").arg(trigger));
    dropIndex << QStringLiteral("DROP TABLE ReadingSearch") << QStringLiteral("DROP TABLE JournalSearch")
              << QStringLiteral("DROP TABLE CardNoteSearch") << QStringLiteral("DROP VIEW ReadingSearchText")
              << QStringLiteral("DROP VIEW JournalSearchText") << QStringLiteral("DROP VIEW CardNoteSearchText")
              << QStringLiteral("DROP TABLE SearchName");
    const qint64 with = compactedSize(path, dir.filePath(QStringLiteral("with.store")));
    const qint64 without = compactedSize(path, dir.filePath(QStringLiteral("without.store")), dropIndex);
    std::printf("store with the index             %8.2f MB, without %.2f MB: +%.1f %%   (budget 40)\n", with / 1e6,
                without / 1e6, 100.0 * double(with - without) / double(without));

    // Keystrokes: each sentence typed a character at a time into the field's model.
    context = ModelContext::open(path, nullptr);
    SearchResultsModel results;
    results.setModelContext(context.get());
    std::vector<double> keystrokes;
    for (int round = 0; round < std::max(1, runs / 5); ++round)
        for (const QString &sentence : sentences) {
            results.setQuery(QString());
            for (qsizetype length = 1; length <= sentence.size(); ++length) {
                timer.start();
                results.setQuery(sentence.left(length));
                keystrokes.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
        }
    std::printf("keystroke to results, %zu keys    median %.3f ms, p90 %.3f ms, worst %.3f ms   (budget 2 / 10)\n",
                keystrokes.size(), percentile(keystrokes, 0.5), percentile(keystrokes, 0.9),
                *std::max_element(keystrokes.begin(), keystrokes.end()));

    // A save with the triggers, beside the same save on a copy without them.
    const QString bare = dir.filePath(QStringLiteral("bare.store"));
    QFile::copy(path, bare);
    QStringList dropTriggers;
    for (const QString &trigger : searchTriggers(bare))
        dropTriggers.append(QStringLiteral("DROP TRIGGER %1").arg(trigger));
    exec(bare, dropTriggers);
    auto bareContext = ModelContext::open(bare, nullptr);
    double withTriggers = 0;
    double withoutTriggers = 0;
    for (int round = 0; round < 3; ++round) {
        withTriggers += saveMicroseconds(*context, runs);
        withoutTriggers += saveMicroseconds(*bareContext, runs);
    }
    std::printf("save of a reading                %8.3f ms with the index, %.3f ms without: %.2fx   (budget 1.2)\n",
                withTriggers / 3000.0, withoutTriggers / 3000.0, withTriggers / withoutTriggers);

    if (!onScreen)
        return 0;
    // The first frame after a keystroke: the results list in a window of the app's size.
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1000, 700);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Quillmoor.Search\nItem { id: host\n required property var results\n"
                      " SearchResultsPopup { parent: host; width: 680; maximumHeight: 680; results: host.results;"
                      " visible: true } }",
                      QUrl());
    std::unique_ptr<QObject> root(
        component.createWithInitialProperties({{QStringLiteral("results"), QVariant::fromValue<QObject *>(&results)}}));
    auto *item = qobject_cast<QQuickItem *>(root.get());
    if (!item) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    item->setParentItem(window.contentItem());
    window.show();
    std::vector<double> frames;
    bool waiting = false;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        if (waiting) {
            frames.push_back(double(timer.nsecsElapsed()) / 1e6);
            waiting = false;
        }
    });
    for (int i = 0; i < 20; ++i)
        app.processEvents();
    for (const QString &sentence : sentences) {
        for (qsizetype length = 1; length <= sentence.size(); ++length) {
            timer.start();
            waiting = true;
            results.setQuery(sentence.left(length));
            window.update();
            QElapsedTimer limit;
            limit.start();
            while (waiting && limit.elapsed() < 1000)
                app.processEvents(QEventLoop::AllEvents, 5);
        }
    }
    std::printf("keystroke to its first frame     median %.2f ms, worst %.2f ms over %zu keys   (budget 16)\n",
                percentile(frames, 0.5), frames.empty() ? 0.0 : *std::max_element(frames.begin(), frames.end()),
                frames.size());
    return 0;
}
