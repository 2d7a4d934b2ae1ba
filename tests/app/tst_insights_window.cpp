// The Insights section in the real window, from the keyboard: reached from the sidebar, a span
// chosen, the planted favourite marked and laid out inside the window at both sizes, a card
// opening its detail in the library, and a month of the mood chart opening the journal there.
#include "AppDriving.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "ContentViewModel.h"
#include "InsightsModel.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "StoreTestSupport.h"

#include <QAccessible>

namespace {

QString accessibleText(QQuickItem *item, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface *accessible = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    return accessible ? accessible->text(kind) : QString();
}

const QDate today(2026, 12, 8);
const QString tower = QStringLiteral("major_16");

// Four hundred days of daily cards, the Tower on every fifth, a mood on each.
void seed(const QString &path)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    QVERIFY2(context, qPrintable(error));
    // Beside the Tower, the rest of the deck in turn, so that no other card leads.
    QStringList others;
    for (const TarotCard &card : CardDataStore::shared().allCards())
        if (card.id != tower)
            others.append(card.id);
    for (int day = 0; day < 400; ++day) {
        auto *entry = new JournalEntry(QDateTime(today.addDays(-day), QTime(9, 0)));
        const QString card = day % 5 == 0 ? tower : others.at(day % others.size());
        entry->setDailyCardId(card);
        entry->setMood(JournalEntry::moods().at(day % 8));
        context->insert(entry);
    }
    QVERIFY(context->save());
}

struct InsightsApp : QTemporaryDir, AppUnderTest
{
    InsightsApp()
        : AppUnderTest((seed(filePath(QStringLiteral("default.store"))), filePath(QStringLiteral("default.store"))))
    {}
    ContentViewModel *content() const
    {
        return find(QStringLiteral("contentView"))->property("model").value<ContentViewModel *>();
    }
    InsightsModel *model() const { return modelOf<InsightsModel>(find(QStringLiteral("insightsView")), "model"); }
    QQuickItem *currentScreen() const
    {
        return find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>();
    }
    void openInsights()
    {
        QVERIFY(tabTo(window, QStringLiteral("sectionList")));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(window, Qt::Key_Down);
        QTRY_COMPARE(content()->selectedSection(), int(AppSection::Insights));
        QTRY_VERIFY(model() && !model()->cards().isEmpty());
    }
};

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// The visible items below `root` whose object names start with `prefix`.
QList<QQuickItem *> named(QQuickItem *root, const QString &prefix)
{
    QList<QQuickItem *> found;
    const auto walk = [&](QQuickItem *item, auto &&self) -> void {
        if (!item->isVisible())
            return;
        if (item->objectName().startsWith(prefix))
            found.append(item);
        for (QQuickItem *child : item->childItems())
            self(child, self);
    };
    walk(root, walk);
    return found;
}

// Whether every item lies inside `area` across and none over another; `why` names the first
// that does not.
bool laidOut(const QList<QQuickItem *> &items, const QRectF &area, QString *why)
{
    *why = items.isEmpty() ? QStringLiteral("nothing shown") : QString();
    for (qsizetype i = 0; i < items.size() && why->isEmpty(); ++i) {
        const QRectF rect = sceneRect(items.at(i));
        if (rect.left() < area.left() || rect.right() > area.right())
            *why = items.at(i)->objectName() + QStringLiteral(" sticks out");
        for (qsizetype j = i + 1; j < items.size() && why->isEmpty(); ++j)
            if (rect.intersects(sceneRect(items.at(j))))
                *why = items.at(i)->objectName() + QStringLiteral(" lies over ") + items.at(j)->objectName();
    }
    return why->isEmpty();
}

} // namespace

class InsightsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareGuiTests();
        Clock::pin(QDateTime(today, QTime(12, 0)));
    }
    void cleanupTestCase() { Clock::reset(); }

    void theFavouriteIsMarkedAndOpensItsCard_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(1000, 700);
        QTest::newRow("large") << QSize(1600, 1000);
    }
    void theFavouriteIsMarkedAndOpensItsCard()
    {
        QFETCH(QSize, size);
        InsightsApp app;
        app.window->resize(size);
        app.openInsights();
        // Twelve months by default; All Time from the keyboard adds the rest.
        QCOMPARE(app.model()->span(), int(InsightsModel::LastYear));
        QVERIFY(app.model()->drawSummary().startsWith(QStringLiteral("365 cards drawn")));
        QVERIFY(tabTo(app.window, QStringLiteral("span4")));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_VERIFY(app.model()->drawSummary().startsWith(QStringLiteral("400 cards drawn")));
        QCOMPARE(app.find(QStringLiteral("drawSummary"))->property("text").toString(), app.model()->drawSummary());

        QQuickItem *first = nullptr;
        QTRY_VERIFY((first = app.find(QStringLiteral("recurringCard0"))));
        QCOMPARE(accessibleText(first).left(26), QStringLiteral("The Tower: drawn 80 times,"));
        QVERIFY(accessibleText(first).endsWith(QStringLiteral(", more than chance")));
        QVERIFY(app.find(QStringLiteral("recurringSummary"))
                    ->property("text")
                    .toString()
                    .startsWith(QStringLiteral("A mark means")));

        // The chips and the rows each lie inside the detail column, none over another.
        QQuickItem *detail = app.find(QStringLiteral("detailColumn"));
        const QRectF area = sceneRect(detail);
        QString why;
        // The rows are laid out again once the new report's rows are made.
        for (const char *prefix : {"span", "count", "recurringCard", "balance", "mood", "suitMoods"})
            QTRY_VERIFY2(laidOut(named(detail, QLatin1String(prefix)), area, &why), qPrintable(why));
        saveScreenshot(app.window, QStringLiteral("insights-%1x%2").arg(size.width()).arg(size.height()));

        // Every card drawn, one row each, then back to the most drawn.
        QVERIFY(tabTo(app.window, QStringLiteral("everyCard")));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_VERIFY(app.find(QStringLiteral("recurringCard77")));
        QTRY_VERIFY2(laidOut(named(detail, QStringLiteral("recurringCard")), area, &why), qPrintable(why));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_VERIFY(!app.find(QStringLiteral("recurringCard12")));

        // Only the readings: none here, so not enough to tell.
        QVERIFY(tabTo(app.window, QStringLiteral("countDailyCards")));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_COMPARE(app.model()->recurringSummary(),
                     QStringLiteral("Not enough draws yet to tell chance from a pattern."));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_VERIFY(app.model()->enoughDraws());

        QVERIFY(tabTo(app.window, QStringLiteral("recurringCard0")));
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_COMPARE(app.content()->selectedSection(), int(AppSection::Library));
        QTRY_COMPARE(app.currentScreen()->objectName(), QStringLiteral("cardDetailPagerView"));
        QCOMPARE(textOf(app.find(QStringLiteral("navigationTitle"))), QStringLiteral("The Tower"));
    }

    // Two typed dates: a date half typed waits, a wrong one is refused at its field once left.
    void twoTypedDates()
    {
        InsightsApp app;
        app.openInsights();
        QVERIFY(tabTo(app.window, QStringLiteral("span5")));
        QTest::keyClick(app.window, Qt::Key_Space);
        QTRY_VERIFY(app.model()->drawSummary().startsWith(QStringLiteral("30 cards drawn")));
        QVERIFY(tabTo(app.window, QStringLiteral("firstDateField")));
        QTest::keySequence(app.window, QKeySequence::SelectAll);
        typeText(app.window, QStringLiteral("2026-1"));
        QCOMPARE(app.model()->dateProblem(), QString());
        QTest::keyClick(app.window, Qt::Key_Tab);
        QTRY_VERIFY(shown(app.find(QStringLiteral("firstDateProblem"))));
        QVERIFY(textOf(app.find(QStringLiteral("firstDateProblem"))).startsWith(QStringLiteral("Type both dates")));
        QVERIFY(tabTo(app.window, QStringLiteral("firstDateField"), true));
        QTest::keySequence(app.window, QKeySequence::SelectAll);
        typeText(app.window, QStringLiteral("2026-10-01"));
        QTest::keyClick(app.window, Qt::Key_Return);
        // October 1 to December 8: 69 days, one card each, over three months.
        QTRY_VERIFY(!shown(app.find(QStringLiteral("firstDateProblem"))));
        QTRY_VERIFY(app.model()->drawSummary().startsWith(QStringLiteral("69 cards drawn")));
        QCOMPARE(app.model()->months().size(), 3);
    }

    void aMonthOpensTheJournal()
    {
        InsightsApp app;
        app.openInsights();
        QQuickItem *bars = app.find(QStringLiteral("moodMonthBars"));
        // The chart is one stop for Tab (its current bar takes the focus inside it).
        for (int i = 0; i < 60 && !bars->hasActiveFocus(); ++i)
            QTest::keyClick(app.window, Qt::Key_Tab);
        QVERIFY(bars->hasActiveFocus());
        // The newest month first under the focus, then back two with the arrows.
        QCOMPARE(bars->property("currentIndex").toInt(), app.model()->months().size() - 1);
        QVERIFY(accessibleText(bars, QAccessible::Description).startsWith(QStringLiteral("December 2026: ")));
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Left);
        QTRY_VERIFY(accessibleText(bars, QAccessible::Description).startsWith(QStringLiteral("October 2026: ")));
        saveScreenshot(app.window, QStringLiteral("insights-moods"));
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_COMPARE(app.content()->selectedSection(), int(AppSection::Journal));
        JournalCalendarModel *calendar = nullptr;
        QTRY_VERIFY(
            (calendar = modelOf<JournalCalendarModel>(app.find(QStringLiteral("journalCalendarView")), "model")));
        QTRY_COMPARE(calendar->displayedMonth(), QDate(2026, 10, 1));
    }
};

QTEST_MAIN(InsightsWindowTest)
#include "tst_insights_window.moc"
