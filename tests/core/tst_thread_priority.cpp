// Background threads yield to the drawing ones: the calling thread and every thread Qt's pools
// run are lowered to the background nice value; other threads keep theirs.
#include "ThreadPriority.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int niceOf(pid_t tid)
{
    return getpriority(PRIO_PROCESS, id_t(tid));
}

// A thread that records its id and stays alive until released.
struct HeldThread
{
    std::atomic<pid_t> tid{0};
    QSemaphore started, release;

    void run()
    {
        tid = gettid();
        started.release();
        release.acquire();
    }
};

} // namespace

class ThreadPriorityTest : public QObject
{
    Q_OBJECT

private slots:
    void pooledThreadsAreLoweredAndOthersKeepTheirs()
    {
        const int ownNice = niceOf(gettid());
        QVERIFY(ownNice < ThreadPriority::backgroundNice);

        HeldThread pooled;
        QThreadPool pool;
        pool.start([&] { pooled.run(); });
        HeldThread named;
        std::unique_ptr<QThread> plain(QThread::create([&] { named.run(); }));
        plain->setObjectName(QStringLiteral("Decoder"));
        plain->start();
        pooled.started.acquire();
        named.started.acquire();
        QCOMPARE(niceOf(pooled.tid), ownNice);

        QVERIFY(ThreadPriority::lowerPooledThreads() >= 1);
        QCOMPARE(niceOf(pooled.tid), ThreadPriority::backgroundNice);
        QCOMPARE(niceOf(named.tid), ownNice);
        QCOMPARE(niceOf(gettid()), ownNice);
        // Already lowered: nothing left to do.
        QCOMPARE(ThreadPriority::lowerPooledThreads(), 0);

        pooled.release.release();
        named.release.release();
        pool.waitForDone();
        plain->wait();
    }

    void theCallingThreadIsLowered()
    {
        HeldThread worker;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            ThreadPriority::lowerCurrentThread();
            worker.run();
        }));
        thread->start();
        worker.started.acquire();
        QCOMPARE(niceOf(worker.tid), ThreadPriority::backgroundNice);
        worker.release.release();
        thread->wait();
    }
};

QTEST_GUILESS_MAIN(ThreadPriorityTest)
#include "tst_thread_priority.moc"
