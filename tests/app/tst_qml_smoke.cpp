#include "AdaptiveColumns.h"
#include "AppTestSupport.h"
#include "CardDetailModel.h"
#include "CardLibraryModel.h"
#include "ContentViewModel.h"
#include "DailyCardViewModel.h"
#include "EducationContent.h"
#include "FanSelection.h"
#include "FlashcardViewModel.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "SettingsViewModel.h"
#include "ShellControl.h"
#include "ShuffleChoreography.h"
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
        std::unique_ptr<QObject> object(component.createWithInitialProperties(requiredFor(QFileInfo(url).fileName())));
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
    QVariantMap requiredFor(const QString &file)
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
        const auto obj = [](QObject *object) { return QVariant::fromValue(object); };
        const QVariant ctx = QVariant::fromValue(context), blank = QVariant::fromValue(TarotCard());
        const QVariant card = QVariant::fromValue(m_flashcards.currentCardValue());
        const QVariant pile = obj(m_dailyModel.pileChoreography()), flow = obj(&m_flow);
        const QVariant calendar = obj(m_calendar.get()), exporter = obj(m_calendar->exporter());
        const QVariant drawn = obj(m_flow.drawnCards()), settings = obj(&m_settingsModel);
        const QVariant yesNo = obj(&m_yesNo), reading = QVariant::fromValue(m_reading);
        QHash<QString, QVariantMap> values{
            {"SymbolImage.qml", {{"name", "star.fill"}}},
            {"MoodChip.qml", {{"mood", "Joyful"}}},
            {"StoreErrorView.qml", {{"reason", "A reason."}}},
            {"OutlinedCapsuleButton.qml", {{"symbol", "wind"}}},
            {"SettingsSheet.qml", {{"content", obj(&m_contentModel)}}},
            {"Sidebar.qml", {{"model", obj(&m_contentModel)}}},
            {"ShellFocusRing.qml", {{"control", obj(&m_shellControl)}}},
            {"NavigationStack.qml",
             {{"rootScreen", QUrl("qrc:/qt/qml/Quillmoor/Study/StudyMenuView.qml")},
              {"rootProperties", QVariantMap{{"modelContext", ctx}}}}},
            {"SavePictureDialog.qml", {{"sharer", obj(&m_sharer)}, {"card", blank}}},
            {"TimeSegment.qml", {{"model", settings}, {"segment", 0}}},
            {"SettingsSection.qml", {{"title", "About"}}},
            {"SettingsToggleRow.qml", {{"isOn", true}}},
            {"SettingsValueRow.qml", {{"label", "Version"}, {"value", "1.0.0"}}},
            {"SettingsLinkRow.qml", {{"trailingSymbol", "chevron.right"}}},
            {"DayCell.qml",
             {{"index", 0},
              {"blank", false},
              {"dayNumber", 5},
              {"dayText", "5"},
              {"isSelected", true},
              {"fillColor", QColor(Qt::yellow)},
              {"outlineColor", QColor(Qt::transparent)},
              {"dotColor", QColor(Qt::blue)},
              {"numberColor", QColor(Qt::black)},
              {"accessibleName", "December 5, 2026"}}},
            {"ExportMenuItem.qml", {{"symbol", "doc.text"}}},
            {"CardBox.qml", {{"card", blank}, {"isReversed", true}}},
            {"JournalEditorView.qml", {{"modelContext", ctx}, {"entry", QVariant::fromValue(m_entry)}}},
            {"ReadingFlowScreen.qml", {{"modelContext", ctx}, {"spreadId", "three_card"}}},
            {"SpreadMenuItem.qml", {{"item", QVariant::fromValue(SpreadMenu::items().first())}}},
            {"SavedReadingsPanel.qml", {{"readings", obj(&m_starred)}}},
            {"CelticCrossLayoutView.qml", {{"cards", drawn}}},
            {"ReadingSummaryView.qml", {{"cards", drawn}, {"spreadType", "three_card"}}},
            {"CardSequenceView.qml", {{"cards", drawn}, {"startIndex", 0}}},
            {"CardSequencePage.qml",
             {{"card", blank},
              {"position", QVariant::fromValue(SpreadPosition())},
              {"isReversed", true},
              {"accessibleName", "The Star, reversed"}}},
            {"CardDetailRow.qml",
             {{"header", "1. The Present"}, {"card", blank}, {"isReversed", true}, {"meaning", "A quiet beginning."}}},
            {"StudyMenuRow.qml", {{"symbol", "book"}, {"title", "History of Tarot"}, {"subtitle", "The origins"}}},
            {"EducationArticleView.qml",
             {{"article", QVariant::fromValue(EducationContent::shared().studyArticles().first())}}},
            {"ArticleSectionPanel.qml",
             {{"heading", "Heading"}, {"body", "Body"}, {"hasCard", true}, {"card", card}, {"index", 0}}},
            {"FlashcardFilterPicker.qml", {{"flashcards", obj(&m_flashcards)}}},
            {"FlashcardMeaningPanel.qml", {{"card", card}}},
            {"FlashcardSidebarRow.qml",
             {{"cardId", "major_00"}, {"name", "The Fool"}, {"studied", true}, {"current", false}}},
            {"LibraryCardGrid.qml", {{"library", obj(&m_library)}, {"columns", obj(&m_columns)}}},
            {"LibraryCardCell.qml",
             {{"card", blank}, {"name", "The Star"}, {"index", 0}, {"size", 1}, {"columnWidth", 160.0}}},
            {"LibrarySizeControl.qml", {{"value", 1.0}}},
            {"CardDetailPagerView.qml",
             {{"cardIds", QStringList{"major_17"}}, {"startIndex", 0}, {"modelContext", ctx}}},
            {"CardDetailView.qml", {{"card", blank}, {"modelContext", ctx}}},
            {"CardDetailPanel.qml", {{"card", blank}, {"detail", obj(&m_detail)}}},
            {"FanSelectionView.qml", {{"fan", obj(m_yesNo.fan())}}},
            {"ReadingDetailView.qml", {{"reading", reading}}},
            {"HistoryEmptyState.qml",
             {{"symbol", "star"}, {"title", "No saved readings"}, {"message", "Star a reading to save it here."}}},
            {"ReadingRowView.qml",
             {{"spreadName", "Yes or No"},
              {"iconName", "questionmark.circle"},
              {"dateText", "Jan 5, 2026"},
              {"answer", "Yes"},
              {"answerColor", QColor(Qt::green)},
              {"cardCountText", "1 cards"},
              {"accessibleName", "Yes or No, Yes, Jan 5, 2026"},
              {"notes", "Will it rain?"},
              {"isFavorite", true}}},
        };
        // Files that need one thing only, grouped by what it is.
        const QList<std::tuple<const char *, QVariant, QStringList>> shared{
            {"modelContext",
             ctx,
             {"DailyCardView.qml", "JournalCalendarView.qml", "ReadingMenuView.qml", "ThreeCardReadingView.qml",
              "CelticCrossReadingView.qml", "StudyMenuView.qml", "CardLibraryView.qml", "YesNoReadingView.qml",
              "ReadingHistoryView.qml"}},
            {"model",
             obj(&m_dailyModel),
             {"HeaderBand.qml", "DailyInvitation.qml", "DailyFaceDown.qml", "DailyRevealed.qml"}},
            {"model", settings, {"SettingsSections.qml", "ReminderTimeRow.qml"}},
            {"model",
             calendar,
             {"CalendarColumn.qml", "MonthGrid.qml", "DayPanel.qml", "EntryPanel.qml", "EmptyDayPanel.qml"}},
            {"exporter", exporter, {"ExportMenuButton.qml", "ExportDialog.qml", "ExportFailedMessage.qml"}},
            {"model",
             flow,
             {"ThreeCardIntro.qml", "ThreeCardResults.qml", "CelticCrossIntro.qml", "CelticCrossResults.qml"}},
            {"choreography", pile, {"ShuffleAnimationView.qml", "WashShuffleView.qml", "ShufflingPhase.qml"}},
            {"model", yesNo, {"YesNoQuestion.qml", "YesNoFan.qml", "YesNoReveal.qml", "YesNoResult.qml"}},
            {"model", obj(&m_flashcards), {"FlashcardSidebar.qml", "FlashcardMainArea.qml"}},
            {"symbol",
             "chevron.left",
             {"ChevronButton.qml", "PagingButton.qml", "FlashcardChevron.qml", "CardDetailChevron.qml"}},
        };
        for (const auto &[name, value, files] : shared)
            for (const QString &each : files)
                values.insert(each, {{name, value}});
        return values.value(file);
    }

    QTemporaryDir m_dir;
    ContentViewModel m_contentModel;
    ShellControl m_shellControl;
    DailyCardViewModel m_dailyModel;
    SettingsViewModel m_settingsModel;
    FlashcardViewModel m_flashcards;
    PictureSharer m_sharer;
    ReadingFlowModel m_flow;
    StarredReadings m_starred;
    YesNoReadingModel m_yesNo;
    Reading *m_reading = nullptr;
    CardLibraryModel m_library;
    AdaptiveColumns m_columns;
    CardDetailModel m_detail;
    JournalEntry *m_entry = nullptr;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<JournalCalendarModel> m_calendar;
};

QTEST_MAIN(QmlSmokeTest)
#include "tst_qml_smoke.moc"
