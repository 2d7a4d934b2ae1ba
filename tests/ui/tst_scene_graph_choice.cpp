// Which renderer draws the windows: the software renderer on a computer with no graphics device
// or with Mesa told to draw on the processor, Qt's own choice otherwise, and always the renderer
// a user named. The device nodes are read from a folder laid out like /dev.
#include "SceneGraphChoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class SceneGraphChoiceTest : public QObject
{
    Q_OBJECT

    static QProcessEnvironment environment(const QList<std::pair<QString, QString>> &values)
    {
        QProcessEnvironment result;
        for (const auto &[name, value] : values)
            result.insert(name, value);
        return result;
    }

private slots:
    void choice_data()
    {
        QTest::addColumn<QProcessEnvironment>("environment");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<bool>("software");

        const QStringList gpu{u"dri/card0"_s, u"dri/renderD128"_s};
        const QStringList none;
        QTest::newRow("no device") << environment({}) << none << true;
        QTest::newRow("a graphics device") << environment({}) << gpu << false;
        QTest::newRow("only NVIDIA's own nodes") << environment({}) << QStringList{u"nvidiactl"_s} << false;
        QTest::newRow("Mesa told to draw on the processor")
            << environment({{u"LIBGL_ALWAYS_SOFTWARE"_s, u"1"_s}}) << gpu << true;
        QTest::newRow("...and told not to") << environment({{u"LIBGL_ALWAYS_SOFTWARE"_s, u"0"_s}}) << gpu << false;
        QTest::newRow("...in words") << environment({{u"LIBGL_ALWAYS_SOFTWARE"_s, u"False"_s}}) << gpu << false;
        QTest::newRow("...empty") << environment({{u"LIBGL_ALWAYS_SOFTWARE"_s, u""_s}}) << gpu << false;
        // A renderer the user named is never overridden, even where software would be faster.
        QTest::newRow("user named OpenGL, no device")
            << environment({{u"QSG_RHI_BACKEND"_s, u"opengl"_s}}) << none << false;
        QTest::newRow("user named a scene graph, no device")
            << environment({{u"QT_QUICK_BACKEND"_s, u"rhi"_s}}) << none << false;
        QTest::newRow("user's name beats Mesa's switch")
            << environment({{u"QSG_RHI_BACKEND"_s, u"vulkan"_s}, {u"LIBGL_ALWAYS_SOFTWARE"_s, u"1"_s}}) << none
            << false;
        QTest::newRow("an empty name names nothing") << environment({{u"QT_QUICK_BACKEND"_s, u""_s}}) << none << true;
    }

    void choice()
    {
        QFETCH(QProcessEnvironment, environment);
        QFETCH(QStringList, devices);
        QFETCH(bool, software);
        QCOMPARE(SceneGraphChoice::prefersSoftware(environment, devices), software);
    }

    // Only display and render nodes count: not the folders udev adds beside them, nor other
    // devices.
    void devicesAreReadFromTheDeviceFolder()
    {
        QTemporaryDir dev;
        QVERIFY(dev.isValid());
        const QDir folder(dev.path());
        QVERIFY(folder.mkpath(u"dri/by-path"_s));
        for (const auto &name : {u"dri/card0"_s, u"dri/renderD128"_s, u"nvidia0"_s, u"nvidia-modeset"_s, u"null"_s}) {
            QFile node(folder.filePath(name));
            QVERIFY(node.open(QIODevice::WriteOnly));
        }
        QStringList found = SceneGraphChoice::graphicsDevices(dev.path());
        found.sort();
        QCOMPARE(found, (QStringList{u"dri/card0"_s, u"dri/renderD128"_s, u"nvidia0"_s}));

        QTemporaryDir empty;
        QVERIFY(SceneGraphChoice::graphicsDevices(empty.path()).isEmpty());
        QVERIFY(SceneGraphChoice::graphicsDevices(empty.filePath(u"missing"_s)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SceneGraphChoiceTest)
#include "tst_scene_graph_choice.moc"
