// Kills the import command with SIGKILL at random moments: the store it was writing then holds
// either none of the archive or all of it, never part, and always opens.
#include "ArchiveWriter.h"
#include "JournalEntry.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>

using namespace Qt::StringLiterals;

class ImportCrashTest : public QObject
{
    Q_OBJECT

private slots:
    void anImportIsWholeOrAbsentAfterAKill()
    {
        // An archive big enough that a kill lands during the import's work.
        const int archived = 1500;
        TempStore source;
        {
            auto context = source.open();
            for (int i = 0; i < archived; ++i)
                addReading(*context, u"three_card"_s, QDateTime(QDate(2020, 1, 1), QTime(9, 0)).addSecs(i * 3600),
                           false,
                           {{u"major_01"_s, u"past"_s}, {u"cups_02"_s, u"present"_s}, {u"wands_03"_s, u"future"_s}},
                           u"Reading %1"_s.arg(i));
            QVERIFY(context->save());
            QString error;
            QVERIFY2(ArchiveWriter::write(*context, source.dir.filePath(u"archive.json"_s),
                                          QDateTime(QDate(2026, 12, 8), QTime(10, 0)), &error),
                     qPrintable(error));
        }

        int untouched = 0, whole = 0;
        qint64 wholeRun = 0; // measured by the first round, which is never killed
        for (int round = 0; round < 25; ++round) {
            QTemporaryDir home;
            const QString folder = QDir(home.path()).filePath(u"Quillmoor/Quillmoor Tarot"_s);
            QVERIFY(QDir().mkpath(folder));
            const QString store = QDir(folder).filePath(u"default.store"_s);
            {
                QString error;
                auto context = ModelContext::open(store, &error);
                QVERIFY2(context, qPrintable(error));
                addReading(*context, u"single_card"_s, QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
                QVERIFY(context->save());
            }

            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
            environment.insert(u"XDG_DATA_HOME"_s, home.path());
            environment.insert(u"XDG_RUNTIME_DIR"_s, home.path());
            QProcess importer;
            importer.setProcessEnvironment(environment);
            QElapsedTimer timer;
            timer.start();
            importer.start(QStringLiteral(QUILLMOOR_APP),
                           {u"--import-archive"_s, source.dir.filePath(u"archive.json"_s)});
            QVERIFY(importer.waitForStarted());
            // Then anywhere from before the file is read to just after a whole run would end.
            if (round == 0) {
                QVERIFY(importer.waitForFinished(30000));
                QCOMPARE(importer.exitCode(), 0);
                wholeRun = timer.elapsed();
            } else if (!importer.waitForFinished(
                           int(QRandomGenerator::global()->bounded(1, int(wholeRun * 11 / 10) + 2)))) {
                ::kill(static_cast<pid_t>(importer.processId()), SIGKILL);
                QVERIFY(importer.waitForFinished(30000));
            }

            QString error;
            auto context = ModelContext::open(store, &error);
            QVERIFY2(context, qPrintable(error));
            QVERIFY(context->checkIntegrity(&error));
            const qsizetype readings = context->fetch<Reading>().size();
            QVERIFY2(readings == 1 || readings == 1 + archived,
                     qPrintable(u"%1 readings after a kill: the import was cut in half"_s.arg(readings)));
            for (const Reading *reading : context->fetch<Reading>())
                QCOMPARE(reading->drawnCards().size(), reading->spreadType() == u"single_card"_s ? 0 : 3);
            ++(readings == 1 ? untouched : whole);
        }
        qInfo("a whole run took %lld ms; the store held none of the archive after %d runs, all of it after %d",
              static_cast<long long>(wholeRun), untouched, whole);
        QVERIFY(whole >= 1); // at least the first round's
    }
};

QTEST_GUILESS_MAIN(ImportCrashTest)
#include "tst_import_crash.moc"
