#include "StoreSql.h"

#include <QSqlError>

#include <sqlite3.h>

namespace StoreSql {

using Problem = ModelContext::Problem;

QString sqlError(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

int resultCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

bool isBusy(const QSqlError &error)
{
    const int code = resultCode(error);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

Problem problemFor(const QSqlError &error)
{
    switch (resultCode(error)) {
    case SQLITE_READONLY:
        return Problem::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Problem::Damaged;
    default:
        return Problem::CannotOpen;
    }
}

} // namespace StoreSql
