// The search in the real window, as a person uses it: Ctrl+K or a click on the sidebar's field,
// typing, the results grouped by kind beside the sidebar without covering it, the arrows and
// Return or a click opening a result where it lives, and Escape giving up.
#include "AppDriving.h"
#include "CardDataStore.h"
#include "ContentViewModel.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "SearchIndex.h"
#include "SearchNames.h"
#include "SearchResultsModel.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

namespace {

const QDateTime spring = QDateTime(QDate(2026, 4, 14), QTime(20, 30));

// A store holding the word "Lisbon" once in each kind, with the app's own names indexed.
void seed(const QString &path)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    QVERIFY2(context, qPrintable(error));
    addReading(*context, QStringLiteral("three_card"), spring.addDays(-3), false,
               {{QStringLiteral("major_16"), QStringLiteral("past")},
                {QStringLiteral("cups_03"), QStringLiteral("present")},
                {QStringLiteral("major_17"), QStringLiteral("future")}},
               QStringLiteral("Should I take the new job in Lisbon?"));
    auto *entry = new JournalEntry(spring);
    entry->setDailyCardId(QStringLiteral("major_17"));
    entry->setReflectionText(QStringLiteral("Walked by the river in Lisbon and felt calm."));
    context->insert(entry);
    auto *note = new UserCardNote(QStringLiteral("major_18"), QStringLiteral("Drew it the night before Lisbon."));
    note->setLastModified(spring);
    context->insert(note);
    QVERIFY(context->save());
    QVERIFY(SearchIndex(context.get()).useNames(SearchNames::of(CardDataStore::shared())));
}

struct SearchApp : QTemporaryDir, AppUnderTest
{
    SearchApp()
        : AppUnderTest((seed(filePath(QStringLiteral("default.store"))), filePath(QStringLiteral("default.store"))))
    {}
    ContentViewModel *content() const
    {
        return find(QStringLiteral("contentView"))->property("model").value<ContentViewModel *>();
    }
    SearchResultsModel *results() const
    {
        return find(QStringLiteral("contentView"))->property("searchResults").value<SearchResultsModel *>();
    }
    QString text(const QString &name) const { return textOf(find(name)); }
    QQuickItem *popup() const { return find(QStringLiteral("searchResultsList")); }
    QQuickItem *currentScreen() const
    {
        return find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>();
    }
    void search(const QString &text)
    {
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QTRY_COMPARE(focusedName(window), QStringLiteral("searchInput"));
        typeText(window, text);
    }
};

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

} // namespace

class SearchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void resultsAreGroupedBesideTheSidebar_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(1000, 700);
        QTest::newRow("large") << QSize(1800, 1100);
    }
    void resultsAreGroupedBesideTheSidebar()
    {
        QFETCH(QSize, size);
        SearchApp app;
        app.window->resize(size);
        QTest::keyClick(app.window, Qt::Key_K, Qt::ControlModifier);
        QTRY_COMPARE(focusedName(app.window), QStringLiteral("searchInput"));
        // Before a word: what the field is for.
        QTRY_VERIFY(shown(app.find(QStringLiteral("searchStateText"))));
        QCOMPARE(app.text(QStringLiteral("searchStateText")),
                 QStringLiteral("Search your readings, journal and card notes."));

        typeText(app.window, QStringLiteral("lisb"));
        QTRY_COMPARE(app.results()->count(), 3);
        QTRY_VERIFY(shown(app.popup()));
        QList<QQuickItem *> headingItems;
        QList<QQuickItem *> rows;
        const auto collect = [&](QQuickItem *item, auto &&self) -> void {
            if (!item->isVisible())
                return;
            if (item->objectName() == QLatin1String("searchSectionHeading"))
                headingItems.append(item);
            if (item->objectName() == QLatin1String("searchResultTitle"))
                rows.append(item->parentItem());
            for (QQuickItem *child : item->childItems())
                self(child, self);
        };
        QTRY_VERIFY((headingItems.clear(), rows.clear(), collect(app.popup(), collect), rows.size() == 3));
        // In the order they are shown, top to bottom.
        const auto above = [](const QQuickItem *a, const QQuickItem *b) { return sceneRect(a).y() < sceneRect(b).y(); };
        std::sort(headingItems.begin(), headingItems.end(), above);
        std::sort(rows.begin(), rows.end(), above);
        QStringList headings;
        for (const QQuickItem *heading : std::as_const(headingItems))
            headings.append(heading->property("text").toString());
        QCOMPARE(headings,
                 (QStringList{QStringLiteral("Readings"), QStringLiteral("Journal"), QStringLiteral("Card Notes")}));

        // The results lie inside the window, right of the sidebar, each row inside the list and
        // clear of the others; the titles and dates of a row do not meet.
        const QRectF window(QPointF(0, 0), QSizeF(app.window->size()));
        const QRectF list = sceneRect(app.popup());
        const QRectF sidebar = sceneRect(app.find(QStringLiteral("sidebar")));
        QVERIFY(window.contains(list));
        QVERIFY(list.left() >= sidebar.right());
        for (int i = 0; i < rows.size(); ++i) {
            const QRectF row = sceneRect(rows.at(i));
            QVERIFY(list.adjusted(-1, -1, 1, 1).contains(row));
            for (int j = i + 1; j < rows.size(); ++j)
                QVERIFY(!row.intersects(sceneRect(rows.at(j)).adjusted(0, 1, 0, -1)));
            const auto *title = rows.at(i)->findChild<QQuickItem *>(QStringLiteral("searchResultTitle"));
            const auto *date = rows.at(i)->findChild<QQuickItem *>(QStringLiteral("searchResultDate"));
            QVERIFY(!sceneRect(title).intersects(sceneRect(date)));
            QVERIFY(date->property("text").toString().contains(QStringLiteral("2026")));
        }
        QCOMPARE(rows.constFirst()->findChild<QQuickItem *>(QStringLiteral("searchResultTitle"))->property("text"),
                 QStringLiteral("Past, Present, Future · The Tower, Three of Cups, The Star"));
        saveScreenshot(app.window, QStringLiteral("search-results-%1").arg(size.width()));

        // A word found nowhere says so, naming it.
        typeText(app.window, QStringLiteral("onx"));
        QTRY_COMPARE(app.text(QStringLiteral("searchStateText")),
                     QStringLiteral("Nothing matches “lisbonx”. Try fewer words, or the start of a word."));
        QVERIFY(!shown(app.popup()));
    }

    void returnOpensTheCurrentResultWhereItLives()
    {
        SearchApp app;
        // The first row, a reading: its detail over the Readings menu, with the way back.
        app.search(QStringLiteral("lisbon"));
        QTRY_COMPARE(app.results()->count(), 3);
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_COMPARE(app.content()->selectedSection(), int(AppSection::Readings));
        QTRY_COMPARE(app.currentScreen()->objectName(), QStringLiteral("readingDetailView"));
        QVERIFY(shown(app.find(QStringLiteral("backButton"))));
        QVERIFY(!shown(app.popup()));
        QCOMPARE(app.find(QStringLiteral("searchInput"))->property("text").toString(), QString());

        // Down to the journal entry: the calendar on its day.
        app.search(QStringLiteral("lisbon"));
        QTRY_COMPARE(app.results()->count(), 3);
        QTest::keyClick(app.window, Qt::Key_Down);
        QCOMPARE(app.results()->currentRow(), 1);
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_COMPARE(app.content()->selectedSection(), int(AppSection::Journal));
        JournalCalendarModel *calendar = nullptr;
        QTRY_VERIFY(
            (calendar = modelOf<JournalCalendarModel>(app.find(QStringLiteral("journalCalendarView")), "model")));
        QTRY_COMPARE(calendar->selectedDate(), spring.date());
        QCOMPARE(calendar->displayedMonth(), QDate(2026, 4, 1));

        // Past the last row the arrows stop; Page Up goes back to the first.
        app.search(QStringLiteral("lisbon"));
        QTRY_COMPARE(app.results()->count(), 3);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(app.window, Qt::Key_Down);
        QCOMPARE(app.results()->currentRow(), 2);
        QTest::keyClick(app.window, Qt::Key_PageUp);
        QCOMPARE(app.results()->currentRow(), 0);
        // Escape gives up: the field is cleared, the results go, the section stays.
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!shown(app.popup()));
        QCOMPARE(focusedName(app.window), QStringLiteral("sectionList"));
        QCOMPARE(app.content()->selectedSection(), int(AppSection::Journal));
    }

    void aClickOpensACardNoteOnItsCard()
    {
        SearchApp app;
        clickOn(app.window, app.find(QStringLiteral("searchInput")));
        QTRY_COMPARE(focusedName(app.window), QStringLiteral("searchInput"));
        typeText(app.window, QStringLiteral("night"));
        QTRY_COMPARE(app.results()->count(), 1);
        QQuickItem *title = nullptr;
        QTRY_VERIFY((title = app.find(QStringLiteral("searchResultTitle"))) && title->isVisible());
        QCOMPARE(title->property("text").toString(), QStringLiteral("Note on The Moon"));
        clickOn(app.window, title);
        QTRY_COMPARE(app.content()->selectedSection(), int(AppSection::Library));
        QTRY_COMPARE(app.currentScreen()->objectName(), QStringLiteral("cardDetailPagerView"));
        QCOMPARE(app.text(QStringLiteral("navigationTitle")), QStringLiteral("The Moon"));
    }
};

QTEST_MAIN(SearchWindowTest)
#include "tst_search_window.moc"
