// Shows a pile shuffle and a wash of a whole deck side by side and records the time between
// presented frames while they run. Prints frames per second, the median and the longest frame.
// With "faces", a row of six pictured card faces above them turns to the next six cards of the
// deck every 250 ms, so new pictures are decoded while the shuffles run. The shuffles begin
// half a second after the window shows, and only their frames are counted. Between some steps
// every card comes to rest (a wave's springs settle before the gather begins); no frame is due
// then, so the frame after such a pause is timed from the step that moves the cards again, and
// frames shown while they rest (a face turning) are not counted. BENCH_TRACE=1 lists every frame
// over 24 ms on standard error.
// Usage: bench_shuffle_frames [wash cards, 78] [faces]. Run under the platform you care about,
// e.g. `xvfb-run -a ./bench_shuffle_frames` or with QT_QPA_PLATFORM=offscreen;
// it draws with the renderer the app would choose (QSG_RHI_BACKEND=opengl or
// QT_QUICK_BACKEND=software name one).

#include "BenchSupport.h"
#include "CardDataStore.h"
#include "SceneGraphChoice.h"
#include "ShuffleChoreography.h"
#include "Theme.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)

int main(int argc, char *argv[])
{
    // Drawn by the renderer the app would choose on this computer.
    SceneGraphChoice::apply();
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    const QStringList arguments = app.arguments();
    const int washCards = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 78;
    const bool faces = arguments.contains(QStringLiteral("faces"));
    constexpr int startMs = 500;

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1000, faces ? 980 : 700);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Quillmoor.Catalogue\nimport Quillmoor.Cards\n"
                      "Column { id: scene; spacing: 20; property var cards: []\n"
                      "  Row { id: faces; spacing: 8; property int first: 0\n"
                      "    Repeater { model: " +
                          QByteArray(faces ? "6" : "0") +
                          "\n"
                          "      TarotCardView { required property int index; size: CardSize.Medium\n"
                          "        card: scene.cards[(faces.first + index) % 78] } } }\n"
                          "  Timer { interval: 250; repeat: true; running: " +
                          QByteArray(faces ? "true" : "false") +
                          "; onTriggered: faces.first += 6 }\n"
                          "  Row { objectName: \"shuffles\"; spacing: 40\n"
                          "    ShuffleChoreography { id: pile; cardCount: 10 }\n"
                          "    ShuffleChoreography { id: wash; style: ShuffleChoreography.Wash; cardCount: " +
                          QByteArray::number(washCards) +
                          " }\n"
                          "    function begin() { pile.begin(); wash.begin() }\n"
                          "    ShuffleAnimationView { width: 300; height: 400; choreography: pile }\n"
                          "    WashShuffleView { width: 600; choreography: wash } } }\n",
                      QUrl(QStringLiteral("qrc:/bench.qml")));
    QVariantList cards;
    for (const TarotCard &card : CardDataStore::shared().allCards())
        cards.append(QVariant::fromValue(card));
    std::unique_ptr<QQuickItem> root(
        qobject_cast<QQuickItem *>(component.createWithInitialProperties({{QStringLiteral("cards"), cards}})));
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    root->setParentItem(window.contentItem());

    // When the steps of both shuffles begin, in milliseconds after they start.
    std::vector<double> stepStarts;
    for (const auto style : {ShuffleChoreography::Pile, ShuffleChoreography::Wash}) {
        double at = 0;
        for (const ShuffleChoreography::Step &step : ShuffleChoreography::schedule(style)) {
            stepStarts.push_back(at);
            at += step.sleepAfter * 1000;
        }
    }
    std::sort(stepStarts.begin(), stepStarts.end());
    const QList<ShuffleCard *> shuffleCards = root->findChildren<ShuffleCard *>();
    if (shuffleCards.size() != washCards + 10) {
        std::fprintf(stderr, "found %lld shuffling cards, not %d\n", qlonglong(shuffleCards.size()), washCards + 10);
        return 1;
    }
    const auto cardsRest = [&shuffleCards] {
        return std::none_of(shuffleCards.begin(), shuffleCards.end(),
                            [](ShuffleCard *card) { return card->isMoving(); });
    };

    std::vector<double> frames;
    QElapsedTimer clock;
    clock.start();
    double began = -1; // when the shuffles began, in ms on `clock`
    double last = -1;
    bool restedAtLast = false;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        if (began < 0)
            return;
        const double now = clock.nsecsElapsed() / 1e6;
        double from = last;
        if (last >= 0 && restedAtLast) {
            // The cards stood still at the last frame: this one was due from the next step on.
            const auto step = std::upper_bound(stepStarts.begin(), stepStarts.end(), last - began);
            from = step != stepStarts.end() && began + *step < now ? began + *step : -1;
        }
        if (from >= 0) {
            frames.push_back(now - from);
            if (qEnvironmentVariableIsSet("BENCH_TRACE") && frames.back() > 24)
                std::fprintf(stderr, "FRAME %zu at %.0f ms into the shuffles took %.1f ms%s\n", frames.size(),
                             now - began, frames.back(), from > last ? " (timed from a step after a rest)" : "");
        }
        last = now;
        restedAtLast = cardsRest();
    });
    window.show();
    // The shuffles begin as a user would start one: with the window up and its first frames
    // drawn (the faces already turning). The wash lasts 2.5 s; its last springs settle shortly
    // after.
    QTimer::singleShot(startMs, &app, [&] {
        QMetaObject::invokeMethod(root->findChild<QObject *>(QStringLiteral("shuffles")), "begin");
        began = clock.nsecsElapsed() / 1e6;
    });
    QTimer::singleShot(startMs + 2600, &app, &QGuiApplication::quit);
    app.exec();

    if (frames.empty()) {
        std::puts("no frames presented");
        return 1;
    }
    double total = 0;
    for (double f : frames)
        total += f;
    std::vector<double> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    std::printf("platform %s, %s renderer, wash of %d cards + pile of 10%s\n",
                qPrintable(QGuiApplication::platformName()), rendererName(window), washCards,
                faces ? " + six pictured faces turning every 250 ms" : "");
    std::printf("frames %zu, %.1f fps, median %.2f ms, p95 %.2f ms, longest %.2f ms\n", frames.size(),
                1000.0 * double(frames.size()) / total, sorted[sorted.size() / 2], sorted[sorted.size() * 95 / 100],
                sorted.back());
    return 0;
}
