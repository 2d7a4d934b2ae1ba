#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

QString objectPath()
{
    return QStringLiteral("/com/quillmoor/tarot");
}

// How long a later launch waits for the first to answer before giving up and exiting anyway.
constexpr int answerTimeoutMs = 3000;

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name)
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim(const QStringList &arguments)
{
    bool decided = false;
    const bool first = claimOnBus(arguments, &decided);
    return decided ? first : claimWithSocket(arguments);
}

bool SingleInstance::claimOnBus(const QStringList &arguments, bool *decided)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    // Asking for the name is atomic on the bus: of two launches at the same moment, one wins.
    const auto reply = bus.interface()->registerService(m_name, QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return false;
    *decided = true;
    if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        bus.registerObject(objectPath(), this, QDBusConnection::ExportScriptableSlots);
        return true;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_name, objectPath(), QStringLiteral("com.quillmoor.tarot.Instance"), QStringLiteral("Activate"));
    call << arguments;
    bus.call(call, QDBus::Block, answerTimeoutMs);
    return false;
}

bool SingleInstance::isClaimedElsewhere() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface())
        if (const auto owned = bus.interface()->isServiceRegistered(m_name); owned.isValid() && owned.value())
            return true;
    // Without a bus the first instance holds the lock file.
    QLockFile lock(runtimePath(QStringLiteral(".lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return lock.error() == QLockFile::LockFailedError;
    lock.unlock();
    return false;
}

QString SingleInstance::runtimePath(const QString &suffix) const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(m_name + suffix);
}

bool SingleInstance::claimWithSocket(const QStringList &arguments)
{
    // The lock decides who is first; it is released by the system if the holder dies, and a
    // lock left by a dead process is taken over.
    m_lock = std::make_unique<QLockFile>(runtimePath(QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        const QString socket = runtimePath(QStringLiteral(".socket"));
        QLocalServer::removeServer(socket); // a socket file left by a crash
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *client = m_server->nextPendingConnection()) {
                connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
                connect(client, &QLocalSocket::readyRead, this, [this, client] {
                    QDataStream stream(client);
                    stream.startTransaction();
                    QStringList received;
                    stream >> received;
                    if (stream.commitTransaction()) {
                        Activate(received);
                        client->disconnectFromServer();
                    }
                });
            }
        });
        m_server->listen(socket);
        return true;
    }
    m_lock.reset();
    QLocalSocket client;
    client.connectToServer(runtimePath(QStringLiteral(".socket")));
    if (client.waitForConnected(answerTimeoutMs)) {
        QDataStream stream(&client);
        stream << arguments;
        client.waitForBytesWritten(answerTimeoutMs);
        client.waitForDisconnected(answerTimeoutMs);
    }
    return false;
}

void SingleInstance::Activate(const QStringList &arguments)
{
    emit activationRequested(arguments);
}
