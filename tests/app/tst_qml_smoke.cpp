#include "AppTestSupport.h"
#include "ContentViewModel.h"
#include "DailyCardViewModel.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "ShuffleChoreography.h"
#include "TarotCard.h"

#include <QDirIterator>
#include <QQmlComponent>
#include <QRegularExpression>

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
        // Components with required properties get harmless values for them.
        std::unique_ptr<QObject> object(
            component.createWithInitialProperties(requiredFor(QFileInfo(url).fileName(), engine)));
        QVERIFY2(object, qPrintable(component.errorString()));
        QCoreApplication::processEvents();
        QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join(QLatin1Char('\n'))));

        // A dialog loads most of what it needs (Qt's own QML, with its own imports) only when it
        // opens: open it in a window.
        if (object->inherits("QQuickAbstractDialog")) {
            QQuickWindow window;
            window.resize(900, 700);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            object->setProperty("parentWindow", QVariant::fromValue(static_cast<QWindow *>(&window)));
            QVERIFY(QMetaObject::invokeMethod(object.get(), "open"));
            QTRY_VERIFY(object->property("visible").toBool() || !warnings.lines().isEmpty());
            QCoreApplication::processEvents();
            QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join(QLatin1Char('\n'))));
            QVERIFY(object->property("visible").toBool());
            QVERIFY(QMetaObject::invokeMethod(object.get(), "close"));
        }
    }

    // Every module a QML file of ours imports is installed, found by the engine as the app's.
    void everyImportedModuleIsInstalled_data()
    {
        QTest::addColumn<QString>("module");
        QSet<QString> modules;
        QDirIterator it(QStringLiteral(":/qt/qml/Quillmoor"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        static const QRegularExpression import(QStringLiteral("^import\\s+([A-Za-z][\\w.]*)"),
                                               QRegularExpression::MultilineOption);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = import.globalMatch(text); match.hasNext();)
                modules.insert(match.next().captured(1));
        }
        QVERIFY(modules.contains(QStringLiteral("QtQuick.Dialogs")));
        for (const QString &module : std::as_const(modules))
            QTest::newRow(qPrintable(module)) << module;
    }
    void everyImportedModuleIsInstalled()
    {
        QFETCH(QString, module);
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        QQmlComponent component(&engine);
        component.setData(QStringLiteral("import %1\nimport QtQml\nQtObject {}\n").arg(module).toUtf8(), QUrl());
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
    }

private:
    QVariantMap requiredFor(const QString &file, QQmlEngine &engine)
    {
        auto *emptyPage = new QQmlComponent(&engine, &engine);
        emptyPage->setData("import QtQuick\nItem {}", QUrl());
        ModelContext *context = m_state->context();
        if (!m_entry) {
            m_entry = new JournalEntry(QDateTime::currentDateTime());
            context->insert(m_entry);
        }
        const QVariant daily = QVariant::fromValue(static_cast<QObject *>(&m_dailyModel));
        const QVariant pile = QVariant::fromValue(static_cast<QObject *>(m_dailyModel.pileChoreography()));
        const QHash<QString, QVariantMap> values{
            {QStringLiteral("SymbolImage.qml"), {{QStringLiteral("name"), QStringLiteral("star.fill")}}},
            {QStringLiteral("MoodChip.qml"), {{QStringLiteral("mood"), QStringLiteral("Joyful")}}},
            {QStringLiteral("OutlinedCapsuleButton.qml"), {{QStringLiteral("symbol"), QStringLiteral("wind")}}},
            {QStringLiteral("Sidebar.qml"),
             {{QStringLiteral("model"), QVariant::fromValue(static_cast<QObject *>(&m_contentModel))}}},
            {QStringLiteral("NavigationStack.qml"),
             {{QStringLiteral("rootComponent"), QVariant::fromValue(emptyPage)}}},
            {QStringLiteral("HeaderBand.qml"), {{QStringLiteral("model"), daily}}},
            {QStringLiteral("DailyInvitation.qml"), {{QStringLiteral("model"), daily}}},
            {QStringLiteral("DailyFaceDown.qml"), {{QStringLiteral("model"), daily}}},
            {QStringLiteral("DailyRevealed.qml"), {{QStringLiteral("model"), daily}}},
            {QStringLiteral("ShuffleAnimationView.qml"), {{QStringLiteral("choreography"), pile}}},
            {QStringLiteral("WashShuffleView.qml"), {{QStringLiteral("choreography"), pile}}},
            {QStringLiteral("SavePictureDialog.qml"),
             {{QStringLiteral("sharer"), QVariant::fromValue(static_cast<QObject *>(&m_sharer))},
              {QStringLiteral("card"), QVariant::fromValue(TarotCard())}}},
            {QStringLiteral("DailyCardView.qml"), {{QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("JournalEditorView.qml"),
             {{QStringLiteral("modelContext"), QVariant::fromValue(context)},
              {QStringLiteral("entry"), QVariant::fromValue(m_entry)}}},
        };
        return values.value(file);
    }

    QTemporaryDir m_dir;
    ContentViewModel m_contentModel;
    DailyCardViewModel m_dailyModel;
    PictureSharer m_sharer;
    JournalEntry *m_entry = nullptr;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(QmlSmokeTest)
#include "tst_qml_smoke.moc"
