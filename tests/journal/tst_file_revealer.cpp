// Revealing an exported file over a real session bus: a private dbus-daemon of the test's own,
// with a fake file manager on it, or with none so the folder is opened instead; without a bus
// the folder opens at once.
#include "FileRevealer.h"
#include "PrivateBus.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

namespace {

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
    void theFileManagerShowsTheFileElseTheFolderOpens_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<bool>("fileManager");
        QTest::newRow("file manager on the bus") << true << true;
        QTest::newRow("no file manager") << true << false;
        QTest::newRow("no bus: the folder opens at once") << false << false;
    }
    void theFileManagerShowsTheFileElseTheFolderOpens()
    {
        QFETCH(bool, bus);
        QFETCH(bool, fileManager);
        PrivateBus session;
        QVERIFY(!session.address.isEmpty());
        FakeFileManager manager;
        if (fileManager) {
            QDBusConnection service = session.connect(QStringLiteral("file-manager"));
            QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                           QDBusConnection::ExportAllSlots));
            QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        }
        QList<QUrl> opened;
        DBusFileRevealer revealer(bus ? session.connect(QStringLiteral("app"))
                                      : QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                                      QStringLiteral("nowhere")),
                                  [&](const QUrl &url) {
                                      opened.append(url);
                                      return true;
                                  });
        const auto disconnect = qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("nowhere")); });
        QSignalSpy revealed(&revealer, &DBusFileRevealer::revealed);
        // A name with a blank and a non-ASCII letter travels as an encoded file URI.
        const QString folder = QStringLiteral("/home/someone/Tagebuch \u00fcber");
        revealer.reveal(folder + QStringLiteral("/Quillmoor-Journal.md"), folder);
        if (!bus) {
            QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
            return;
        }
        QTRY_COMPARE(revealed.count(), 1);
        QCOMPARE(revealed.first().first().toBool(), fileManager);
        if (fileManager) {
            QCOMPARE(manager.shown, (QList<QStringList>{{QStringLiteral(
                                        "file:///home/someone/Tagebuch%20%C3%BCber/Quillmoor-Journal.md")}}));
            QCOMPARE(manager.startupIds, QStringList{QString()});
        }
        QCOMPARE(opened, fileManager ? QList<QUrl>{} : QList<QUrl>{QUrl::fromLocalFile(folder)});
    }
};

QTEST_GUILESS_MAIN(FileRevealerTest)
#include "tst_file_revealer.moc"
