#include "AdaptiveColumns.h"
#include "AppTestSupport.h"
#include "CardDetailModel.h"
#include "CardLibraryModel.h"
#include "ContentViewModel.h"
#include "DailyCardViewModel.h"
#include "EducationContent.h"
#include "FanSelection.h"
#include "FlashcardViewModel.h"
#include "InsightsModel.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "SearchResultsModel.h"
#include "SettingsViewModel.h"
#include "ShellControl.h"
#include "ShuffleChoreography.h"
#include "SpreadEditorModel.h"
#include "SpreadMenu.h"
#include "StarredReadings.h"
#include "TarotCard.h"
#include "YesNoReadingModel.h"

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
        const QVariantMap required = requiredFor(url);
        QVERIFY2(!required.values().contains(QVariant()), "a required property of a type without a value here");
        std::unique_ptr<QObject> object(component.createWithInitialProperties(required));
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

private:
    // Harmless values for the required properties the file declares on its root, by type; a few
    // strings must name something that exists.
    QVariantMap requiredFor(const QString &url)
    {
        ModelContext *context = m_state->context();
        if (!m_entry) {
            m_entry = new JournalEntry(QDateTime::currentDateTime());
            context->insert(m_entry);
            m_settingsModel.setModelContext(context);
            m_settingsModel.appear();
            m_calendar = std::make_unique<JournalCalendarModel>(context);
            m_reading = new Reading(QStringLiteral("celtic_cross"));
            m_reading->setNotes(QStringLiteral("A question."));
            context->insert(m_reading);
        }
        m_flashcards.appear();
        const QVariant ctx = QVariant::fromValue(context);
        QHash<QString, QVariant> byType{
            {"bool", true},
            {"int", 0},
            {"real", 160.0},
            {"color", QColor(Qt::yellow)},
            {"string", "star"},
            {"url", QUrl("qrc:/qt/qml/Quillmoor/Study/StudyMenuView.qml")},
            {"var", QVariantMap{{"modelContext", ctx}}},
            {"list<string>", QStringList{"major_17"}},
            {"tarotCard", QVariant::fromValue(TarotCard())},
            {"spreadPosition", QVariant::fromValue(SpreadPosition())},
            {"spreadMenuItem", QVariant::fromValue(SpreadMenu::items().first())},
            {"educationArticle", QVariant::fromValue(EducationContent::shared().studyArticles().first())},
        };
        // Objects go by their class name, which is their QML type's.
        const auto add = [&byType](auto *...objects) {
            (byType.insert(objects->metaObject()->className(), QVariant::fromValue<QObject *>(objects)), ...);
        };
        add(context, m_entry, m_reading, &m_contentModel, &m_shellControl, &m_dailyModel,
            m_dailyModel.pileChoreography(), &m_settingsModel, m_calendar.get(), m_calendar->exporter(), &m_flow,
            m_flow.drawnCards(), &m_yesNo, m_yesNo.fan(), &m_flashcards, &m_sharer, &m_starred, &m_library, &m_columns,
            &m_detail, m_sharer.savedNotice(), &m_search, &m_editor, &m_insights, m_state->sync());
        const QHash<QString, QVariant> byName{
            {"mood", "Joyful"}, {"spreadId", "three_card"}, {"spreadType", "three_card"}, {"cardId", "major_00"}};
        QFile file(url.mid(3));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(file.readAll());
        // A file based on another of its folder also needs what that one requires.
        static const QRegularExpression base(QStringLiteral("^(\\w+) \\{"), QRegularExpression::MultilineOption);
        const QString baseUrl = QFileInfo(url).path() + QLatin1Char('/') + base.match(text).captured(1) + ".qml";
        QVariantMap values = QFile::exists(baseUrl.mid(3)) ? requiredFor(baseUrl) : QVariantMap();
        static const QRegularExpression required(QStringLiteral("^    required property (\\S+) (\\w+)"),
                                                 QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch &match : required.globalMatch(text))
            values.insert(match.captured(2), byName.value(match.captured(2), byType.value(match.captured(1))));
        // Cards are blank but in the two panels that show a real card's texts.
        if (url.endsWith(QLatin1String("ArticleSectionPanel.qml")) ||
            url.endsWith(QLatin1String("FlashcardMeaningPanel.qml")))
            values.insert(QStringLiteral("card"), QVariant::fromValue(m_flashcards.currentCardValue()));
        return values;
    }

    QTemporaryDir m_dir;
    ContentViewModel m_contentModel;
    ShellControl m_shellControl;
    DailyCardViewModel m_dailyModel;
    SettingsViewModel m_settingsModel;
    FlashcardViewModel m_flashcards;
    PictureSharer m_sharer;
    ReadingFlowModel m_flow;
    SpreadEditorModel m_editor;
    StarredReadings m_starred;
    YesNoReadingModel m_yesNo;
    Reading *m_reading = nullptr;
    CardLibraryModel m_library;
    AdaptiveColumns m_columns;
    CardDetailModel m_detail;
    SearchResultsModel m_search;
    InsightsModel m_insights;
    JournalEntry *m_entry = nullptr;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<JournalCalendarModel> m_calendar;
};

QTEST_MAIN(QmlSmokeTest)
#include "tst_qml_smoke.moc"
