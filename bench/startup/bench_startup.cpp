// Cold start to the first frame: the app against a minimal Qt Quick window, run alternately so
// both see the same machine state. Each run is timed from process start to the moment the
// child reports its first frame. Usage: bench_startup [runs] (needs a display or offscreen).
#include <QCoreApplication>
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
double timeToFirstFrame(const QString &program, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    while (process.waitForReadyRead(20000)) {
        if (process.readAllStandardOutput().contains("first-frame")) {
            const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            process.waitForFinished(10000);
            return elapsed;
        }
    }
    process.kill();
    process.waitForFinished();
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir data;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    environment.insert(QStringLiteral("QUILLMOOR_EXIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));

    const QString appProgram = QStringLiteral(QUILLMOOR_APP);
    const QString minimalProgram = QStringLiteral(MINIMAL_WINDOW);
    // One untimed run each: creates the store and warms the file cache for both alike.
    timeToFirstFrame(appProgram, environment);
    timeToFirstFrame(minimalProgram, environment);

    QList<double> appTimes, minimalTimes;
    for (int i = 0; i < runs; ++i) {
        const double a = timeToFirstFrame(appProgram, environment);
        const double m = timeToFirstFrame(minimalProgram, environment);
        if (a < 0 || m < 0) {
            std::fprintf(stderr, "a run did not reach its first frame\n");
            return 1;
        }
        appTimes.append(a);
        minimalTimes.append(m);
    }
    const double appMedian = median(appTimes);
    const double minimalMedian = median(minimalTimes);
    std::printf("runs: %d each\napp first frame, median: %.1f ms\nminimal window first frame, median: %.1f ms\n"
                "ratio: %.2f\n",
                runs, appMedian, minimalMedian, appMedian / minimalMedian);
    return 0;
}
