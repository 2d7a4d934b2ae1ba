#include "HeadlessCommands.h"

#include "BackupCommands.h"
#include "ModelContext.h"
#include "ReminderCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

struct Known
{
    const char *flag;
    int arguments; // how many follow the flag; -1: the command reads the rest itself
    const char *help;
};

const Known known[] = {
    {ReminderCommand::flag, -1, "show the daily reminder's notification (started by its timer)"},
    {"--backup-now", 0, "take a snapshot of the store now and print its path"},
    {"--list-backups", 0, "list the snapshots: time, kind, bytes, readings, journal entries, path"},
    {"--export-archive", 1, "write everything in the store to one JSON file (FILE)"},
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
                             : QStringLiteral("%1 takes one argument, FILE.").arg(QLatin1String(command.flag));
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
                .arg(QLatin1String(command.flag) + (command.arguments == 1 ? QStringLiteral(" FILE") : QString()), -27)
                .arg(QLatin1String(command.help));
    return text;
}

int HeadlessCommands::run(const Command &command, int argc, char **argv)
{
    if (command.flag == QLatin1String(ReminderCommand::flag))
        return ReminderCommand::run(argc, argv);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString store = ModelContext::defaultStorePath();
    if (command.flag == QLatin1String("--backup-now"))
        return BackupCommands::backUpNow(store, out, err);
    if (command.flag == QLatin1String("--list-backups"))
        return BackupCommands::listBackups(store, out, err);
    if (command.flag == QLatin1String("--export-archive"))
        return BackupCommands::exportArchive(store, command.arguments.constFirst(), out, err);
    err << "Unknown command " << command.flag << Qt::endl << usage();
    return 2;
}
