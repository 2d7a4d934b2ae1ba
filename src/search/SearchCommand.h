#pragma once

#include <QString>

class QTextStream;

// The search for the terminal: one matching record a line, tab-separated: its kind, its date
// (yyyy-MM-dd), its title and the passage that matched, readings first, then journal entries,
// then card notes, newest first within each.
namespace SearchCommand {

int run(const QString &storePath, const QString &text, QTextStream &out, QTextStream &err);

} // namespace SearchCommand
