#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

// One running instance per user. The first launch claims a unique name on the session bus (or,
// with no bus, a lock and a local socket in the runtime folder); a later launch hands its
// arguments to the first, which raises its window, and then exits.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quillmoor.tarot.Instance")

public:
    // `name` is the bus name and the stem of the socket and lock file names.
    explicit SingleInstance(const QString &name = QStringLiteral("com.quillmoor.tarot"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first instance. Otherwise the running one has been asked
    // to activate with `arguments` and false is returned: the caller exits.
    bool claim(const QStringList &arguments = {});
    // Whether another process holds the claim now, without claiming or activating anything.
    bool isClaimedElsewhere() const;

public slots:
    // Called by a later launch, over the bus or the socket.
    Q_SCRIPTABLE void Activate(const QStringList &arguments);

signals:
    void activationRequested(const QStringList &arguments);

private:
    bool claimOnBus(const QStringList &arguments, bool *decided);
    bool claimWithSocket(const QStringList &arguments);
    QString runtimePath(const QString &suffix) const;

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
