#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The commands the executable runs without a window, read by one parser: each prints its
// results on standard output and its problems on standard error, exiting non-zero on failure.
namespace HeadlessCommands {

struct Command
{
    QString flag;          // "--backup-now", ...
    QStringList arguments; // what followed it
};

// The headless command `arguments` (those after the executable) ask for; none when they ask
// for the window. A known flag with the wrong arguments gives a command with `error` set.
std::optional<Command> parse(const QStringList &arguments, QString *error);
// The flags and what each does, for a usage message.
QString usage();

// Runs the command and returns the exit code. No window opens and no display is needed.
int run(const Command &command, int argc, char **argv);

} // namespace HeadlessCommands
