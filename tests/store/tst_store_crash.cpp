#include "JournalEntry.h"
#include "StoreTestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

#include <csignal>

// Kills a writer with SIGKILL at random points of its work and checks that every save it reported as
// successful is still there when the store is opened again.
class StoreCrashTest : public QObject
{
    Q_OBJECT

private slots:
    void everyAcknowledgedSaveSurvivesAKill()
    {
        TempStore store;
        const int kills = 60;
        QSet<qint64> acknowledged;
        qint64 next = 1;
        qint64 lastMood = -1;
        for (int round = 0; round < kills; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(CRASH_WRITER), {store.path(), QString::number(next)});
            // Let it report a random number of saves, then kill it wherever it has got to in the
            // next one: it goes on writing while the reports are read.
            QVERIFY(writer.waitForStarted());
            const int reports = QRandomGenerator::global()->bounded(2, 40);
            QByteArray output;
            while (output.count('\n') < reports) {
                QVERIFY(writer.waitForReadyRead(10000));
                output += writer.readAllStandardOutput();
            }
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(5000));
            output += writer.readAllStandardOutput();
            for (const QByteArray &line : output.split('\n')) {
                bool ok = false;
                const qint64 n = line.toLongLong(&ok);
                if (!ok)
                    continue; // a line cut short by the kill was never acknowledged in full
                acknowledged.insert(n);
                next = qMax(next, n + 1);
                lastMood = n % 5 == 0 ? n : lastMood;
            }
            next += 1000; // numbers the killed writer may have used without reporting

            auto context = store.open();
            QVERIFY2(context, "the store must open after every kill");
            QSet<qint64> present;
            for (const JournalEntry *entry : context->fetch<JournalEntry>())
                present.insert(entry->reflectionText().toLongLong());
            const QSet<qint64> lost = QSet<qint64>(acknowledged).subtract(present);
            QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("%1 acknowledged saves lost").arg(lost.size())));
            if (lastMood > 0) {
                // The update acknowledged last is on disk, or a later one that also succeeded.
                const JournalEntry *first =
                    context->fetch<JournalEntry>([](const JournalEntry *e) { return !e->mood().isNull(); }).value(0);
                QVERIFY(first && first->mood().toLongLong() >= lastMood);
            }
        }
        qInfo("kills: %d, acknowledged saves: %lld", kills, static_cast<long long>(acknowledged.size()));
        QVERIFY(acknowledged.size() > kills);
    }
};

QTEST_GUILESS_MAIN(StoreCrashTest)
#include "tst_store_crash.moc"
