// Revealing an exported file over a real session bus: a private dbus-daemon of the test's own,
// with a fake file manager on it, or with none so the folder is opened instead.
#include "FileRevealer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {

// A session bus of the test's own, gone with the test.
struct PrivateBus
{
    PrivateBus()
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (daemon.waitForStarted() && daemon.waitForReadyRead(10000))
            address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        disconnectAll();
        daemon.kill();
        daemon.waitForFinished();
    }
    // A connection of its own under `name`, closed with the bus.
    QDBusConnection connect(const QString &name)
    {
        names.append(name);
        return QDBusConnection::connectToBus(address, name);
    }
    void disconnectAll()
    {
        for (const QString &name : std::as_const(names))
            QDBusConnection::disconnectFromBus(name);
        names.clear();
    }
    QProcess daemon;
    QString address;
    QStringList names;
};

// What a freedesktop file manager offers, recording what it was asked to show.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QList<QStringList> shown;
    QStringList startupIds;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        shown.append(uris);
        startupIds.append(startupId);
    }
    void ShowFolders(const QStringList &, const QString &) {}
    void ShowItemProperties(const QStringList &, const QString &) {}
};

} // namespace

class FileRevealerTest : public QObject
{
    Q_OBJECT

private slots:
    void theFileManagerIsAskedToShowTheFile()
    {
        PrivateBus bus;
        QVERIFY(!bus.address.isEmpty());
        FakeFileManager manager;
        QDBusConnection service = bus.connect(QStringLiteral("file-manager"));
        QVERIFY(service.isConnected());
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));

        QList<QUrl> opened;
        DBusFileRevealer revealer(bus.connect(QStringLiteral("app")), [&](const QUrl &url) {
            opened.append(url);
            return true;
        });
        QSignalSpy revealed(&revealer, &DBusFileRevealer::revealed);
        // A name with a blank and a non-ASCII letter travels as an encoded file URI.
        revealer.reveal(QStringLiteral("/home/someone/Tagebuch \u00fcber/Quillmoor-Journal.md"),
                        QStringLiteral("/home/someone/Tagebuch \u00fcber"));
        QTRY_COMPARE(revealed.count(), 1);
        QCOMPARE(revealed.first().first().toBool(), true);
        QCOMPARE(
            manager.shown,
            (QList<QStringList>{{QStringLiteral("file:///home/someone/Tagebuch%20%C3%BCber/Quillmoor-Journal.md")}}));
        QCOMPARE(manager.startupIds, QStringList{QString()});
        QVERIFY(opened.isEmpty());
    }

    void withoutAFileManagerTheFolderOpens()
    {
        PrivateBus bus;
        QVERIFY(!bus.address.isEmpty());
        QList<QUrl> opened;
        DBusFileRevealer revealer(bus.connect(QStringLiteral("app")), [&](const QUrl &url) {
            opened.append(url);
            return true;
        });
        QSignalSpy revealed(&revealer, &DBusFileRevealer::revealed);
        revealer.reveal(QStringLiteral("/tmp/out/Quillmoor-Journal.csv"), QStringLiteral("/tmp/out"));
        QTRY_COMPARE(revealed.count(), 1);
        QCOMPARE(revealed.first().first().toBool(), false);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/out"))});
    }

    void withoutABusTheFolderOpensAtOnce()
    {
        QList<QUrl> opened;
        DBusFileRevealer revealer(
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere")),
            [&](const QUrl &url) {
                opened.append(url);
                return true;
            });
        revealer.reveal(QStringLiteral("/tmp/out/Quillmoor-Journal.txt"), QStringLiteral("/tmp/out"));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/out"))});
        QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
    }
};

QTEST_GUILESS_MAIN(FileRevealerTest)
#include "tst_file_revealer.moc"
