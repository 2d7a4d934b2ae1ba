#include "HeadlessCommands.h"

#include "BackupCommands.h"
#include "InsightsCommand.h"
#include "ModelContext.h"
#include "Readings.h"
#include "ReminderCommand.h"
#include "SearchCommand.h"
#include "SingleInstance.h"
#include "SyncCommands.h"

#include "Clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

// A command of the store: its path, what followed the flag, and the two output streams.
using StoreCommand = int (*)(const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err);

struct Known
{
    const char *flag;
    int arguments;            // how many follow the flag; -1: the command reads the rest itself
    const char *argumentName; // what the one argument is, for the usage message
    const char *help;
    StoreCommand run; // none for the reminder, which sets up its own application
    // Writes records: while the window is open its copy of the records would miss them.
    bool writesRecords = false;
};

const Known known[] = {
    {ReminderCommand::flag, -1, nullptr, "show the daily reminder's notification (started by its timer)", nullptr},
    {"--backup-now", 0, nullptr, "take a snapshot of the store now and print its path",
     [](const QString &store, const QStringList &, QTextStream &out, QTextStream &err) {
         return BackupCommands::backUpNow(store, out, err);
     }},
    {"--list-backups", 0, nullptr, "list the snapshots: time, kind, bytes, readings, journal entries, path",
     [](const QString &store, const QStringList &, QTextStream &out, QTextStream &err) {
         return BackupCommands::listBackups(store, out, err);
     }},
    {"--export-archive", 1, "FILE", "write everything in the store to one JSON file (FILE)",
     [](const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err) {
         return BackupCommands::exportArchive(store, arguments.constFirst(), out, err);
     }},
    {"--import-archive", 1, "FILE", "merge an archive (FILE) into the store; only while the app is closed",
     [](const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err) {
         return BackupCommands::importArchive(store, arguments.constFirst(), out, err);
     },
     true},
    {"--search", 1, "TEXT", "print the readings, journal entries and card notes that hold every word of TEXT",
     [](const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err) {
         return SearchCommand::run(store, arguments.constFirst(), out, err);
     }},
    {"--insights", -1, "[--from DATE --to DATE] [--json]",
     "print the recurring cards, the balance of the deck and the moods (all time, or DATE to DATE)",
     [](const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err) {
         return InsightsCommand::run(store, arguments, out, err);
     }},
    {"--sync-folder", 1, "DIR", "sync through DIR, a folder your own sync tool carries (\"\" turns sync off)",
     [](const QString &store, const QStringList &arguments, QTextStream &out, QTextStream &err) {
         return SyncCommands::setFolder(store, arguments.constFirst(), out, err);
     },
     true},
    {"--sync-now", 0, nullptr, "send this computer's changes to the sync folder and take in the others'",
     [](const QString &store, const QStringList &, QTextStream &out, QTextStream &err) {
         return SyncCommands::syncNow(store, out, err);
     },
     true},
};

} // namespace

std::optional<HeadlessCommands::Command> HeadlessCommands::parse(const QStringList &arguments, QString *error)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        for (const Known &command : known) {
            if (arguments.at(i) != QLatin1String(command.flag))
                continue;
            const QStringList rest = arguments.mid(i + 1);
            if (command.arguments >= 0 && rest.size() != command.arguments) {
                *error = command.arguments == 0
                             ? QStringLiteral("%1 takes no arguments.").arg(QLatin1String(command.flag))
                             : QStringLiteral("%1 takes one argument, %2.")
                                   .arg(QLatin1String(command.flag), QLatin1String(command.argumentName));
            }
            return Command{QLatin1String(command.flag), rest};
        }
    }
    return std::nullopt;
}

QString HeadlessCommands::usage()
{
    QString text = QStringLiteral("Commands that run without a window:\n");
    for (const Known &command : known)
        text +=
            QStringLiteral("  %1  %2\n")
                .arg(QLatin1String(command.flag) +
                         (command.argumentName ? QLatin1Char(' ') + QLatin1String(command.argumentName) : QString()),
                     -27)
                .arg(QLatin1String(command.help));
    return text;
}

int HeadlessCommands::run(const Command &command, int argc, char **argv)
{
    for (const Known &entry : known) {
        if (command.flag != QLatin1String(entry.flag))
            continue;
        if (!entry.run)
            return ReminderCommand::run(argc, argv, [] {
                // Only a store that is there is read: the reminder never creates one.
                const QString path = ModelContext::defaultStorePath();
                if (!QFileInfo::exists(path))
                    return 0;
                QString error;
                const auto context = ModelContext::open(path, &error);
                return context ? Readings(context.get()).dueCount(Clock::today()) : 0;
            });
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (entry.writesRecords && SingleInstance().isClaimedElsewhere()) {
            err << "Quillmoor Tarot is open, and its window would not see what " << command.flag
                << " writes. Close the app and run the command again." << Qt::endl;
            return 1;
        }
        return entry.run(ModelContext::defaultStorePath(), command.arguments, out, err);
    }
    QTextStream(stderr) << "Unknown command " << command.flag << Qt::endl << usage();
    return 2;
}
