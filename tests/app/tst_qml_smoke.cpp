#include "AdaptiveColumns.h"
#include "AppTestSupport.h"
#include "CardDetailModel.h"
#include "CardLibraryModel.h"
#include "ContentViewModel.h"
#include "DailyCardViewModel.h"
#include "JournalCalendarModel.h"
#include "EducationContent.h"
#include "FlashcardViewModel.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "SettingsViewModel.h"
#include "PositionedCardList.h"
#include "ReadingFlowModel.h"
#include "ShuffleChoreography.h"
#include "SpreadMenu.h"
#include "StarredReadings.h"
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
        }
        const QVariant daily = QVariant::fromValue(static_cast<QObject *>(&m_dailyModel));
        const QVariant pile = QVariant::fromValue(static_cast<QObject *>(m_dailyModel.pileChoreography()));
        if (!m_settingsModel.modelContext()) {
            m_settingsModel.setModelContext(context);
            m_settingsModel.appear();
        }
        const QVariant settings = QVariant::fromValue(static_cast<QObject *>(&m_settingsModel));
        if (!m_calendar)
            m_calendar = std::make_unique<JournalCalendarModel>(context);
        const QVariant calendar = QVariant::fromValue(static_cast<QObject *>(m_calendar.get()));
        const QVariant exporter = QVariant::fromValue(static_cast<QObject *>(m_calendar->exporter()));
        const QVariant flow = QVariant::fromValue(static_cast<QObject *>(&m_flow));
        const QVariant drawn = QVariant::fromValue(static_cast<QObject *>(m_flow.drawnCards()));
        const QVariant contextValue = QVariant::fromValue(context);
        m_flashcards.appear();
        const QVariant flashcards = QVariant::fromValue(static_cast<QObject *>(&m_flashcards));
        const QVariant card = QVariant::fromValue(m_flashcards.currentCardValue());
        const QHash<QString, QVariantMap> values{
            {QStringLiteral("SymbolImage.qml"), {{QStringLiteral("name"), QStringLiteral("star.fill")}}},
            {QStringLiteral("MoodChip.qml"), {{QStringLiteral("mood"), QStringLiteral("Joyful")}}},
            {QStringLiteral("StoreErrorView.qml"), {{QStringLiteral("reason"), QStringLiteral("A reason.")}}},
            {QStringLiteral("OutlinedCapsuleButton.qml"), {{QStringLiteral("symbol"), QStringLiteral("wind")}}},
            {QStringLiteral("SettingsSheet.qml"),
             {{QStringLiteral("content"), QVariant::fromValue(static_cast<QObject *>(&m_contentModel))}}},
            {QStringLiteral("Sidebar.qml"),
             {{QStringLiteral("model"), QVariant::fromValue(static_cast<QObject *>(&m_contentModel))}}},
            {QStringLiteral("NavigationStack.qml"),
             {{QStringLiteral("rootScreen"), QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Study/StudyMenuView.qml"))},
              {QStringLiteral("rootProperties"), QVariantMap{{QStringLiteral("modelContext"), QVariant::fromValue(context)}}}}},
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
            {QStringLiteral("SettingsSections.qml"), {{QStringLiteral("model"), settings}}},
            {QStringLiteral("ReminderTimeRow.qml"), {{QStringLiteral("model"), settings}}},
            {QStringLiteral("TimeSegment.qml"), {{QStringLiteral("model"), settings}, {QStringLiteral("segment"), 0}}},
            {QStringLiteral("SettingsSection.qml"), {{QStringLiteral("title"), QStringLiteral("About")}}},
            {QStringLiteral("SettingsToggleRow.qml"), {{QStringLiteral("isOn"), true}}},
            {QStringLiteral("SettingsValueRow.qml"),
             {{QStringLiteral("label"), QStringLiteral("Version")},
              {QStringLiteral("value"), QStringLiteral("1.0.0")}}},
            {QStringLiteral("SettingsLinkRow.qml"),
             {{QStringLiteral("trailingSymbol"), QStringLiteral("chevron.right")}}},
            {QStringLiteral("JournalCalendarView.qml"),
             {{QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("CalendarColumn.qml"), {{QStringLiteral("model"), calendar}}},
            {QStringLiteral("MonthGrid.qml"), {{QStringLiteral("model"), calendar}}},
            {QStringLiteral("DayPanel.qml"), {{QStringLiteral("model"), calendar}}},
            {QStringLiteral("EntryPanel.qml"), {{QStringLiteral("model"), calendar}}},
            {QStringLiteral("EmptyDayPanel.qml"), {{QStringLiteral("model"), calendar}}},
            {QStringLiteral("DayCell.qml"),
             {{QStringLiteral("index"), 0},
              {QStringLiteral("blank"), false},
              {QStringLiteral("dayNumber"), 5},
              {QStringLiteral("dayText"), QStringLiteral("5")},
              {QStringLiteral("isSelected"), true},
              {QStringLiteral("fillColor"), QColor(Qt::yellow)},
              {QStringLiteral("outlineColor"), QColor(Qt::transparent)},
              {QStringLiteral("dotColor"), QColor(Qt::blue)},
              {QStringLiteral("numberColor"), QColor(Qt::black)},
              {QStringLiteral("accessibleName"), QStringLiteral("December 5, 2026")}}},
            {QStringLiteral("ChevronButton.qml"), {{QStringLiteral("symbol"), QStringLiteral("chevron.left")}}},
            {QStringLiteral("ExportMenuItem.qml"), {{QStringLiteral("symbol"), QStringLiteral("doc.text")}}},
            {QStringLiteral("CardBox.qml"),
             {{QStringLiteral("card"), QVariant::fromValue(TarotCard())}, {QStringLiteral("isReversed"), true}}},
            {QStringLiteral("ExportMenuButton.qml"), {{QStringLiteral("exporter"), exporter}}},
            {QStringLiteral("ExportDialog.qml"), {{QStringLiteral("exporter"), exporter}}},
            {QStringLiteral("ExportFailedMessage.qml"), {{QStringLiteral("exporter"), exporter}}},
            {QStringLiteral("JournalEditorView.qml"),
             {{QStringLiteral("modelContext"), QVariant::fromValue(context)},
              {QStringLiteral("entry"), QVariant::fromValue(m_entry)}}},
            {QStringLiteral("ReadingMenuView.qml"), {{QStringLiteral("modelContext"), contextValue}}},
            {QStringLiteral("ThreeCardReadingView.qml"), {{QStringLiteral("modelContext"), contextValue}}},
            {QStringLiteral("CelticCrossReadingView.qml"), {{QStringLiteral("modelContext"), contextValue}}},
            {QStringLiteral("ReadingFlowScreen.qml"),
             {{QStringLiteral("modelContext"), contextValue},
              {QStringLiteral("spreadId"), QStringLiteral("three_card")}}},
            {QStringLiteral("SpreadMenuItem.qml"),
             {{QStringLiteral("item"), QVariant::fromValue(SpreadMenu::items().first())}}},
            {QStringLiteral("SavedReadingsPanel.qml"),
             {{QStringLiteral("readings"), QVariant::fromValue(static_cast<QObject *>(&m_starred))}}},
            {QStringLiteral("ShufflingPhase.qml"), {{QStringLiteral("model"), flow}}},
            {QStringLiteral("ThreeCardIntro.qml"), {{QStringLiteral("model"), flow}}},
            {QStringLiteral("ThreeCardResults.qml"), {{QStringLiteral("model"), flow}}},
            {QStringLiteral("CelticCrossIntro.qml"), {{QStringLiteral("model"), flow}}},
            {QStringLiteral("CelticCrossResults.qml"), {{QStringLiteral("model"), flow}}},
            {QStringLiteral("CelticCrossLayoutView.qml"), {{QStringLiteral("cards"), drawn}}},
            {QStringLiteral("ReadingSummaryView.qml"),
             {{QStringLiteral("cards"), drawn}, {QStringLiteral("spreadType"), QStringLiteral("three_card")}}},
            {QStringLiteral("CardSequenceView.qml"),
             {{QStringLiteral("cards"), drawn}, {QStringLiteral("startIndex"), 0}}},
            {QStringLiteral("CardSequencePage.qml"),
             {{QStringLiteral("card"), QVariant::fromValue(TarotCard())},
              {QStringLiteral("position"), QVariant::fromValue(SpreadPosition())},
              {QStringLiteral("isReversed"), true},
              {QStringLiteral("accessibleName"), QStringLiteral("The Star, reversed")}}},
            {QStringLiteral("CardDetailRow.qml"),
             {{QStringLiteral("header"), QStringLiteral("1. The Present")},
              {QStringLiteral("card"), QVariant::fromValue(TarotCard())},
              {QStringLiteral("isReversed"), true},
              {QStringLiteral("meaning"), QStringLiteral("A quiet beginning.")}}},
            {QStringLiteral("PagingButton.qml"), {{QStringLiteral("symbol"), QStringLiteral("chevron.left")}}},
            {QStringLiteral("StudyMenuView.qml"), {{QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("StudyMenuRow.qml"),
             {{QStringLiteral("symbol"), QStringLiteral("book")},
              {QStringLiteral("title"), QStringLiteral("History of Tarot")},
              {QStringLiteral("subtitle"), QStringLiteral("The origins")}}},
            {QStringLiteral("EducationArticleView.qml"),
             {{QStringLiteral("article"), QVariant::fromValue(EducationContent::shared().studyArticles().first())}}},
            {QStringLiteral("ArticleSectionPanel.qml"),
             {{QStringLiteral("heading"), QStringLiteral("Heading")},
              {QStringLiteral("body"), QStringLiteral("Body")},
              {QStringLiteral("hasCard"), true},
              {QStringLiteral("card"), card},
              {QStringLiteral("index"), 0}}},
            {QStringLiteral("FlashcardChevron.qml"), {{QStringLiteral("symbol"), QStringLiteral("chevron.left")}}},
            {QStringLiteral("FlashcardFilterPicker.qml"), {{QStringLiteral("flashcards"), flashcards}}},
            {QStringLiteral("FlashcardSidebar.qml"), {{QStringLiteral("model"), flashcards}}},
            {QStringLiteral("FlashcardMainArea.qml"), {{QStringLiteral("model"), flashcards}}},
            {QStringLiteral("FlashcardMeaningPanel.qml"), {{QStringLiteral("card"), card}}},
            {QStringLiteral("FlashcardSidebarRow.qml"),
             {{QStringLiteral("cardId"), QStringLiteral("major_00")},
              {QStringLiteral("name"), QStringLiteral("The Fool")},
              {QStringLiteral("studied"), true},
              {QStringLiteral("current"), false}}},
            {QStringLiteral("CardLibraryView.qml"), {{QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("LibraryCardGrid.qml"),
             {{QStringLiteral("library"), QVariant::fromValue(static_cast<QObject *>(&m_library))},
              {QStringLiteral("columns"), QVariant::fromValue(static_cast<QObject *>(&m_columns))}}},
            {QStringLiteral("LibraryCardCell.qml"),
             {{QStringLiteral("card"), QVariant::fromValue(TarotCard())},
              {QStringLiteral("name"), QStringLiteral("The Star")},
              {QStringLiteral("index"), 0},
              {QStringLiteral("size"), 1},
              {QStringLiteral("columnWidth"), 160.0}}},
            {QStringLiteral("LibrarySizeControl.qml"), {{QStringLiteral("value"), 1.0}}},
            {QStringLiteral("CardDetailPagerView.qml"),
             {{QStringLiteral("cardIds"), QStringList{QStringLiteral("major_17")}},
              {QStringLiteral("startIndex"), 0},
              {QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("CardDetailChevron.qml"), {{QStringLiteral("symbol"), QStringLiteral("chevron.left")}}},
            {QStringLiteral("CardDetailView.qml"),
             {{QStringLiteral("card"), QVariant::fromValue(TarotCard())},
              {QStringLiteral("modelContext"), QVariant::fromValue(context)}}},
            {QStringLiteral("CardDetailPanel.qml"),
             {{QStringLiteral("card"), QVariant::fromValue(TarotCard())},
              {QStringLiteral("detail"), QVariant::fromValue(static_cast<QObject *>(&m_detail))}}},
        };
        return values.value(file);
    }

    QTemporaryDir m_dir;
    ContentViewModel m_contentModel;
    DailyCardViewModel m_dailyModel;
    SettingsViewModel m_settingsModel;
    FlashcardViewModel m_flashcards;
    PictureSharer m_sharer;
    ReadingFlowModel m_flow;
    StarredReadings m_starred;
    CardLibraryModel m_library;
    AdaptiveColumns m_columns;
    CardDetailModel m_detail;
    JournalEntry *m_entry = nullptr;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<JournalCalendarModel> m_calendar;
};

QTEST_MAIN(QmlSmokeTest)
#include "tst_qml_smoke.moc"
