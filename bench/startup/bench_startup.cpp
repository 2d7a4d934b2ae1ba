// Cold start to the first frame: the app on a fresh store and on the ten-year store, against a
// minimal Qt Quick window (and the same window showing a line of text), run in turn so all see
// the same machine state. Each run is timed from process start to the moment the child reports
// its first frame.
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
    const QProcessEnvironment tenYearEnvironment = appEnvironment(tenYears.path());
    // One untimed run each: creates the fresh store and warms the file cache for all alike.
    timeToFirstFrame(appProgram, freshEnvironment);
    timeToFirstFrame(appProgram, tenYearEnvironment);
    timeToFirstFrame(minimalProgram, freshEnvironment);
    const QStringList drawn{QStringLiteral("drawn")};
    timeToFirstFrame(minimalProgram, freshEnvironment, drawn);

    QList<double> freshTimes, tenYearTimes, minimalTimes, drawnTimes;
    for (int i = 0; i < runs; ++i) {
        const double f = timeToFirstFrame(appProgram, freshEnvironment);
        const double t = timeToFirstFrame(appProgram, tenYearEnvironment);
        const double m = timeToFirstFrame(minimalProgram, freshEnvironment);
        const double d = timeToFirstFrame(minimalProgram, freshEnvironment, drawn);
        if (f < 0 || t < 0 || m < 0 || d < 0) {
            std::fprintf(stderr, "a run did not reach its first frame\n");
            return 1;
        }
        freshTimes.append(f);
        tenYearTimes.append(t);
        minimalTimes.append(m);
        drawnTimes.append(d);
    }
    const double freshMedian = median(freshTimes);
    const double tenYearMedian = median(tenYearTimes);
    const double minimalMedian = median(minimalTimes);
    const double drawnMedian = median(drawnTimes);
    std::printf("runs: %d each (platform: %s)\n", runs,
                qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM"))
                                                             : "default");
    std::printf("minimal window first frame, median:      %7.1f ms\n", minimalMedian);
    std::printf("minimal window with text, median:        %7.1f ms  (%.2f x minimal)\n", drawnMedian,
                drawnMedian / minimalMedian);
    std::printf("app, fresh store, first frame, median:   %7.1f ms  (%.2f x minimal, %.2f x with text)\n", freshMedian,
                freshMedian / minimalMedian, freshMedian / drawnMedian);
    std::printf("app, ten-year store, first frame, median:%7.1f ms  (%.2f x minimal, %.2f x fresh store)\n",
                tenYearMedian, tenYearMedian / minimalMedian, tenYearMedian / freshMedian);
    return 0;
}
