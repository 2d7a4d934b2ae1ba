// Cold start to the first frame: the app on a fresh store and on the ten-year store, against a
// minimal Qt Quick window (also showing a line of text, and also drawn by Qt Quick's software
// renderer), run in turn so all see the same machine state. The app picks its renderer itself;
// it is also timed on OpenGL, which it uses wherever the computer has a graphics device. Each
// run is timed from process start to the moment the child reports its first frame.
// Usage: bench_startup [runs] (needs a display, or QT_QPA_PLATFORM=offscreen)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds from start to the "first-frame" line, or -1 on failure.
double timeToFirstFrame(const QString &program, const QProcessEnvironment &environment,
                        const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    QByteArray output;
    // The child quits right after its report, so the report may only be read once it has ended.
    while (process.waitForReadyRead(20000) || process.bytesAvailable() > 0) {
        output += process.readAllStandardOutput();
        if (output.contains("first-frame")) {
            const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            process.waitForFinished(10000);
            return elapsed;
        }
    }
    process.kill();
    process.waitForFinished();
    std::fprintf(stderr, "%s: no first frame (%s, exit code %d): %s\n", qPrintable(program),
                 process.exitStatus() == QProcess::CrashExit ? "crashed" : "exited", process.exitCode(),
                 process.readAllStandardError().right(400).constData());
    return -1;
}

// The app's environment with its data (QStandardPaths::AppDataLocation) under `dataHome`.
QProcessEnvironment appEnvironment(const QString &dataHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("QUILLMOOR_EXIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));
    return environment;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir fresh, tenYears;
    const QString storeFolder = tenYears.filePath(QStringLiteral("Quillmoor/Quillmoor Tarot"));
    QDir().mkpath(storeFolder);
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(QStringLiteral(MAKE_TEN_YEAR_STORE), {storeFolder + QStringLiteral("/default.store")});
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        std::fprintf(stderr, "the ten-year store could not be made\n");
        return 1;
    }

    const QString appProgram = QStringLiteral(QUILLMOOR_APP);
    const QString minimalProgram = QStringLiteral(MINIMAL_WINDOW);
    const QProcessEnvironment freshEnvironment = appEnvironment(fresh.path());
    QProcessEnvironment softwareEnvironment = freshEnvironment;
    softwareEnvironment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    QProcessEnvironment openGlEnvironment = freshEnvironment;
    openGlEnvironment.insert(QStringLiteral("QSG_RHI_BACKEND"), QStringLiteral("opengl"));

    struct Variant
    {
        const char *label;
        QString program;
        QProcessEnvironment environment;
        QStringList arguments;
        QList<double> times;
        double median = 0;
    };
    Variant variants[] = {
        {"minimal window", minimalProgram, freshEnvironment, {}},
        {"minimal window with text", minimalProgram, freshEnvironment, {QStringLiteral("drawn")}},
        {"minimal window, software renderer", minimalProgram, softwareEnvironment, {}},
        {"app, fresh store", appProgram, freshEnvironment, {}},
        {"app, ten-year store", appProgram, appEnvironment(tenYears.path()), {}},
        {"app, fresh store, on OpenGL", appProgram, openGlEnvironment, {}},
    };
    // One untimed run each: creates the fresh store and warms the file cache for all alike.
    for (Variant &variant : variants)
        timeToFirstFrame(variant.program, variant.environment, variant.arguments);
    for (int i = 0; i < runs; ++i) {
        for (Variant &variant : variants) {
            const double elapsed = timeToFirstFrame(variant.program, variant.environment, variant.arguments);
            if (elapsed < 0) {
                std::fprintf(stderr, "a run of %s did not reach its first frame\n", variant.label);
                return 1;
            }
            variant.times.append(elapsed);
        }
    }
    for (Variant &variant : variants)
        variant.median = median(variant.times);

    const double minimalMedian = variants[0].median;
    const double softwareMedian = variants[2].median;
    std::printf("runs: %d each (platform: %s); medians to the first frame\n", runs,
                qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM"))
                                                             : "default");
    for (const Variant &variant : variants) {
        std::printf("%-36s %7.1f ms  (%.2f x minimal, %.2f x minimal on software)\n", variant.label, variant.median,
                    variant.median / minimalMedian, variant.median / softwareMedian);
    }
    return 0;
}
