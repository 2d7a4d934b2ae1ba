#pragma once

#include <QStringList>

class QTextStream;

// The insights without a window: `--insights [--from DATE --to DATE] [--no-daily] [--no-dealt]
// [--no-recorded] [--json]`, printed as JSON or as a few lines of text.
namespace InsightsCommand {

int run(const QString &storePath, const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace InsightsCommand
