#include "AppTestSupport.h"

#include <QDirIterator>
#include <QQmlComponent>

// Loads every QML file of every module and fails on any warning, so a broken binding or a
// misspelt property shows up here rather than in front of a user.
class QmlSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareGuiTests();
        m_state = std::make_unique<AppState>(m_dir.filePath(QStringLiteral("default.store")));
        AppStateForeign::setInstance(m_state.get());
    }

    void everyQmlFileLoadsWithoutWarnings_data()
    {
        QTest::addColumn<QString>("url");
        QDirIterator it(QStringLiteral(":/qt/qml/Quillmoor"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << QStringLiteral("qrc") + path;
            ++count;
        }
        QVERIFY(count >= 10);
    }
    void everyQmlFileLoadsWithoutWarnings()
    {
        QFETCH(QString, url);
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        WarningCapture warnings;
        QQmlComponent component(&engine, QUrl(url));
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
        // Components with required properties are created with harmless values for them.
        QVariantMap required;
        if (url.endsWith(QLatin1String("SymbolImage.qml")))
            required.insert(QStringLiteral("name"), QStringLiteral("star.fill"));
        std::unique_ptr<QObject> object;
        if (!url.endsWith(QLatin1String("Sidebar.qml")) && !url.endsWith(QLatin1String("NavigationStack.qml")))
            object.reset(component.createWithInitialProperties(required));
        QCoreApplication::processEvents();
        QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join(QLatin1Char('\n'))));
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(QmlSmokeTest)
#include "tst_qml_smoke.moc"
