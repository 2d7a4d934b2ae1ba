// Saves journal entries in a loop and prints the number of each entry whose save succeeded.
// The crash test kills this process at random moments.
#include "JournalEntry.h"
#include "ModelContext.h"
#include "StoreLog.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QString error;
    auto context = ModelContext::open(QString::fromLocal8Bit(argv[1]), &error);
    if (!context) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(error));
        return 1;
    }
    for (long long n = std::atoll(argv[2]);; ++n) {
        auto *entry = new JournalEntry(QDateTime::currentDateTime());
        entry->setReflectionText(QString::number(n));
        context->insert(entry);
        // Every few saves also change an older record, so updates are tested as well as inserts.
        if (n % 5 == 0) {
            const auto entries = context->fetch<JournalEntry>();
            entries.first()->setMood(QString::number(n));
        }
        if (context->save()) {
            std::printf("%lld\n", n);
            std::fflush(stdout);
        }
    }
}
