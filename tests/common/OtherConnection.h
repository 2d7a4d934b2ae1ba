#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// A second connection to a store file, as another process would have: it reads and writes
// behind the back of the contexts under test, and never waits for a lock.
class OtherConnection
{
public:
    explicit OtherConnection(const QString &path, const QString &name = QStringLiteral("other")) : m_name(name)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        m_db.setDatabaseName(path);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        m_db.open();
    }
    ~OtherConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString &sql)
    {
        QSqlQuery query(m_db);
        const bool ok = query.exec(sql);
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return ok;
    }
    // The first column of every row.
    QVariantList column(const QString &sql)
    {
        QSqlQuery query(m_db);
        QVariantList values;
        if (query.exec(sql))
            while (query.next())
                values.append(query.value(0));
        return values;
    }
    QVariant scalar(const QString &sql) { return column(sql).value(0); }

private:
    QString m_name;
    QSqlDatabase m_db;
};
