#pragma once

#include "ModelContext.h"

#include <QString>

class QSqlError;

// What SQLite's errors mean to the store: a text for the user, and whether to try again later.
namespace StoreSql {

QString sqlError(const QSqlError &error);
// SQLite's primary result code behind a Qt error (Qt reports it as the native code).
int resultCode(const QSqlError &error);
// Another connection holds the file for longer than the busy timeout: worth trying again later.
bool isBusy(const QSqlError &error);
ModelContext::Problem problemFor(const QSqlError &error);

} // namespace StoreSql
