// Drives the Journal section in the real main window over a temporary store: the month, the
// day panels, the keyboard, pasting past the limit, and an export through the save dialog.
#include "../app/AppTestSupport.h"
#include "Clock.h"
#include "FileRevealer.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "ModelContext.h"
#include "PerceivedText.h"

#include <QClipboard>
#include <QFile>
#include <QPainter>

namespace {

const QDateTime now(QDate(2026, 12, 18), QTime(10, 0));

struct FakeRevealer : FileRevealer
{
    void reveal(const QString &filePath, const QString &) override { revealed.append(filePath); }
    QStringList revealed;
};

void click(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void typeText(QQuickWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

bool shown(const AppUnderTest &app, const QString &name)
{
    QQuickItem *item = app.find(name);
    return item && item->isVisible();
}

JournalCalendarModel *calendar(const AppUnderTest &app)
{
    QQuickItem *view = app.find(QStringLiteral("journalCalendarView"));
    return view ? view->property("model").value<JournalCalendarModel *>() : nullptr;
}

// Opens the Journal section and waits until its chips are placed by the flow layout.
void openJournal(AppUnderTest &app)
{
    QVERIFY(QTest::qWaitForWindowExposed(app.window));
    click(app.window, app.find(QStringLiteral("sectionRow4")));
    QTRY_VERIFY(shown(app, QStringLiteral("journalCalendarView")));
    QTRY_VERIFY(app.find(QStringLiteral("moodChip_Energized"))->x() > 0);
}

// A visible button showing `text` below `item`, such as a dialog's own buttons.
QQuickItem *buttonWithText(QQuickItem *item, const QString &text)
{
    if (!item || !item->isVisible())
        return nullptr;
    if (item->inherits("QQuickAbstractButton") && item->property("text").toString() == text)
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = buttonWithText(child, text))
            return found;
    return nullptr;
}

QQuickItem *chip(const AppUnderTest &app, const QString &mood)
{
    return app.find(QStringLiteral("moodChip_") + mood);
}

// A month of entries: most days with a mood, one without, two with a card.
void seedDecember(ModelContext &context)
{
    const QList<std::pair<int, QString>> moods{
        {1, QStringLiteral("Peaceful")},  {2, QStringLiteral("Energized")},  {4, QStringLiteral("Thoughtful")},
        {5, QStringLiteral("Grateful")},  {7, QStringLiteral("Anxious")},    {8, QString()},
        {10, QStringLiteral("Hopeful")},  {12, QStringLiteral("Uncertain")}, {15, QStringLiteral("Joyful")},
        {16, QStringLiteral("Grateful")}, {17, QStringLiteral("Peaceful")}};
    for (const auto &[day, mood] : moods) {
        auto *entry = new JournalEntry(QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        entry->setMood(mood);
        context.insert(entry);
        if (day == 5) {
            entry->setDailyCardId(QStringLiteral("major_16"));
            entry->setDailyCardReversed(true);
            entry->setJournalPrompt(QStringLiteral(
                "Recall a time when something collapsed unexpectedly and write about what the wreckage revealed."));
            entry->setReflectionText(QStringLiteral("The old plan fell apart today.\nUnder it was a better one."));
        } else if (day == 17) {
            entry->setDailyCardId(QStringLiteral("cups_03"));
            entry->setJournalPrompt(QStringLiteral("Who would you celebrate with?"));
        }
    }
    QVERIFY(context.save());
}

// The first lines of an exported file, drawn as a picture for people to look at.
void saveFilePicture(const QString &path, const QString &name)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')).mid(0, 30);
    QImage image(900, 24 + 20 * int(lines.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(12, 28 + 20 * i, lines.at(i));
    painter.end();
    const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

} // namespace

class JournalViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareGuiTests();
        // Whatever a dialog does, it never writes into the real home folder.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
    }
    void init() { Clock::pin(now); }
    void cleanup() { Clock::reset(); }

    void aMonthOfMoodsAndItsDays()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        seedDecember(*app.state.context());
        openJournal(app);
        QCOMPARE(app.find(QStringLiteral("monthTitle"))->property("text").toString(), QStringLiteral("December 2026"));
        // December 2026 starts on a Tuesday: two blanks, then the 31 days.
        QVERIFY(app.find(QStringLiteral("blankCell1")));
        QVERIFY(!app.find(QStringLiteral("blankCell2")));
        QVERIFY(app.find(QStringLiteral("dayCell31")));
        QCOMPARE(app.find(QStringLiteral("emptyDayText"))->property("text").toString(),
                 QStringLiteral("No card drawn yet today. Visit the Daily Card section to draw your card."));
        saveScreenshot(app.window, QStringLiteral("journal-month-today"));

        click(app.window, app.find(QStringLiteral("dayCell5")));
        QTRY_VERIFY(shown(app, QStringLiteral("entryPanel")));
        QVERIFY(shown(app, QStringLiteral("cardBox")));
        QCOMPARE(app.find(QStringLiteral("dayCardName"))->property("text").toString(), QStringLiteral("The Tower"));
        QVERIFY(shown(app, QStringLiteral("reversedBadge")));
        QVERIFY(shown(app, QStringLiteral("promptBox")));
        QCOMPARE(app.find(QStringLiteral("calendarReflectionArea"))->property("text").toString(),
                 QStringLiteral("The old plan fell apart today.\nUnder it was a better one."));
        QTRY_VERIFY(chip(app, QStringLiteral("Energized"))->x() > 0);
        saveScreenshot(app.window, QStringLiteral("journal-day-with-entry"));
        app.window->resize(1400, 900);
        QTRY_VERIFY(app.find(QStringLiteral("dayPanel"))->width() > 800);
        saveScreenshot(app.window, QStringLiteral("journal-day-with-entry-large"));
        app.window->resize(1000, 700);
        QTRY_COMPARE(app.window->width(), 1000);

        click(app.window, app.find(QStringLiteral("dayCell9")));
        QTRY_VERIFY(shown(app, QStringLiteral("emptyDayPanel")));
        QCOMPARE(app.find(QStringLiteral("emptyDayText"))->property("text").toString(),
                 QStringLiteral("No entry for this day."));
        QTRY_VERIFY(chip(app, QStringLiteral("Energized"))->x() > 0);
        saveScreenshot(app.window, QStringLiteral("journal-day-without-entry"));

        // The chevrons page the month but leave the selected day alone.
        click(app.window, app.find(QStringLiteral("previousMonthButton")));
        QCOMPARE(app.find(QStringLiteral("monthTitle"))->property("text").toString(), QStringLiteral("November 2026"));
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 12, 9));

        // The three documents of this month, written as the dialog would, for people to read.
        FakeRevealer revealer;
        JournalExporter *exporter = calendar(app)->exporter();
        exporter->setRevealer(revealer);
        QTemporaryDir out;
        const QList<std::pair<JournalExporter::Format, QString>> formats{
            {JournalExporter::Text, QStringLiteral("text")},
            {JournalExporter::Markdown, QStringLiteral("markdown")},
            {JournalExporter::Csv, QStringLiteral("csv")}};
        for (const auto &[format, name] : formats) {
            QVERIFY(exporter->start(format));
            const QString path = out.filePath(exporter->suggestedFileName());
            exporter->save(QUrl::fromLocalFile(path));
            QCOMPARE(revealer.revealed.last(), path);
            saveFilePicture(path, QStringLiteral("journal-export-") + name);
        }
    }

    void chooseADaySetAMoodWriteAndExportMarkdown()
    {
        QTemporaryDir dir;
        QTemporaryDir out;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        openJournal(app);
        FakeRevealer revealer;
        calendar(app)->exporter()->setRevealer(revealer);

        click(app.window, app.find(QStringLiteral("dayCell9")));
        QTRY_VERIFY(shown(app, QStringLiteral("emptyDayPanel")));
        QTRY_VERIFY(chip(app, QStringLiteral("Energized"))->x() > 0);
        click(app.window, chip(app, QStringLiteral("Anxious")));
        QTRY_VERIFY(shown(app, QStringLiteral("entryPanel")));
        QQuickItem *area = app.find(QStringLiteral("calendarReflectionArea"));
        click(app.window, area);
        QTRY_VERIFY(area->hasActiveFocus());
        typeText(app.window, QStringLiteral("Quiet morning"));
        QList<JournalEntry *> entries = app.state.context()->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->mood(), QStringLiteral("Anxious"));
        QCOMPARE(entries.first()->reflectionText(), QStringLiteral("Quiet morning"));
        QVERIFY(!app.state.context()->hasChanges());

        // The user has been to this folder before: the dialog opens there.
        QObject *dialog =
            app.find(QStringLiteral("journalCalendarView"))->findChild<QObject *>(QStringLiteral("exportDialog"));
        QVERIFY(dialog);
        dialog->setProperty("currentFolder", QUrl::fromLocalFile(out.path()));
        click(app.window, app.find(QStringLiteral("exportMenuButton")));
        QQuickItem *markdown = app.find(QStringLiteral("exportMarkdown"));
        QTRY_VERIFY(markdown && markdown->isVisible());
        saveScreenshot(app.window, QStringLiteral("journal-export-menu"));
        click(app.window, markdown);
        QTRY_VERIFY(dialog->property("visible").toBool());
        QQuickItem *nameField = nullptr;
        QTRY_VERIFY((nameField = app.find(QStringLiteral("fileNameTextField"))) && nameField->isVisible());
        QCOMPARE(nameField->property("text").toString(), QStringLiteral("Quillmoor-Journal.md"));
        QCOMPARE(dialog->property("nameFilters").toStringList(),
                 JournalExporter::nameFilters(JournalExporter::Markdown));
        saveScreenshot(app.window, QStringLiteral("journal-export-dialog"));

        // A name of the user's own, then Save.
        click(app.window, nameField);
        QTest::keyClick(app.window, Qt::Key_A, Qt::ControlModifier);
        typeText(app.window, QStringLiteral("Reflections.md"));
        click(app.window, buttonWithText(app.window->contentItem(), QStringLiteral("Save")));
        QTRY_VERIFY(!dialog->property("visible").toBool());
        const QString path = QDir(out.path()).filePath(QStringLiteral("Reflections.md"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral(
                     "# Quillmoor Tarot \u2014 Journal\n\n## December 9, 2026\n**Mood:** Anxious\n\nQuiet morning"));
        QCOMPARE(revealer.revealed, QStringList{path});
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Reflections.md")});
    }

    void theKeyboardReachesEveryControlAndMovesTheDays()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        auto *entry = new JournalEntry(now);
        entry->setDailyCardId(QStringLiteral("cups_03"));
        entry->setJournalPrompt(QStringLiteral("Who would you celebrate with?"));
        app.state.context()->insert(entry);
        QVERIFY(app.state.context()->save());
        openJournal(app);

        // Tab all the way round, noting what takes focus and whether it shows.
        QQuickItem *start = app.find(QStringLiteral("previousMonthButton"));
        start->forceActiveFocus(Qt::TabFocusReason);
        QSet<QString> reached;
        QStringList order;
        QStringList unseen;
        for (int i = 0; i < 60; ++i) {
            QQuickItem *focused = app.window->activeFocusItem();
            QVERIFY(focused);
            reached.insert(focused->objectName());
            order.append(focused->objectName());
            const bool ringShown = focused->objectName() == QLatin1String("calendarReflectionArea")
                                       ? app.find(QStringLiteral("calendarReflection"))
                                                 ->property("border")
                                                 .value<QObject *>()
                                                 ->property("width")
                                                 .toInt() == 2
                                       : focused->property("visualFocus").toBool();
            if (!ringShown)
                unseen.append(focused->objectName());
            QTest::keyClick(app.window, Qt::Key_Tab);
            if (app.window->activeFocusItem() == start)
                break;
        }
        QCOMPARE(app.window->activeFocusItem(), start);
        // In the order of the screen: month, days, card, moods, reflection.
        QCOMPARE(order.indexOf(QStringLiteral("monthGrid")), order.indexOf(QStringLiteral("nextMonthButton")) + 1);
        QVERIFY(order.indexOf(QStringLiteral("dayCardButton")) < order.indexOf(QStringLiteral("moodChip_Peaceful")));
        QVERIFY(order.indexOf(QStringLiteral("moodChip_Joyful")) <
                order.indexOf(QStringLiteral("calendarReflectionArea")));
        QStringList expected{QStringLiteral("exportMenuButton"), QStringLiteral("previousMonthButton"),
                             QStringLiteral("nextMonthButton"),  QStringLiteral("monthGrid"),
                             QStringLiteral("dayCardButton"),    QStringLiteral("calendarReflectionArea")};
        for (const QString &mood : JournalEntry::moods())
            expected.append(QStringLiteral("moodChip_") + mood);
        for (const QString &name : expected)
            QVERIFY2(reached.contains(name), qPrintable(name + QStringLiteral(" is not reached with Tab")));
        for (const QString &name : expected)
            QVERIFY2(!unseen.contains(name), qPrintable(name + QStringLiteral(" shows no focus")));

        // Space on a chip chooses the mood.
        QQuickItem *hopeful = chip(app, QStringLiteral("Hopeful"));
        hopeful->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(entry->mood(), QStringLiteral("Hopeful"));

        // The grid: arrows, pages and Home, with the ring on the selected day.
        QQuickItem *grid = app.find(QStringLiteral("monthGrid"));
        grid->forceActiveFocus(Qt::TabFocusReason);
        QVERIFY(findItem(app.find(QStringLiteral("dayCell18")), QStringLiteral("focusRing"))->isVisible());
        saveScreenshot(app.window, QStringLiteral("journal-keyboard-grid"));
        QTest::keyClick(app.window, Qt::Key_Left);
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 12, 17));
        QVERIFY(findItem(app.find(QStringLiteral("dayCell17")), QStringLiteral("focusRing"))->isVisible());
        QVERIFY(!findItem(app.find(QStringLiteral("dayCell18")), QStringLiteral("focusRing"))->isVisible());
        QTest::keyClick(app.window, Qt::Key_Up);
        QTest::keyClick(app.window, Qt::Key_Up);
        QTest::keyClick(app.window, Qt::Key_Up);
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 11, 26));
        QCOMPARE(app.find(QStringLiteral("monthTitle"))->property("text").toString(), QStringLiteral("November 2026"));
        QTest::keyClick(app.window, Qt::Key_PageUp);
        QCOMPARE(app.find(QStringLiteral("monthTitle"))->property("text").toString(), QStringLiteral("October 2026"));
        QTest::keyClick(app.window, Qt::Key_Home);
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 12, 18));
        QCOMPARE(app.find(QStringLiteral("monthTitle"))->property("text").toString(), QStringLiteral("December 2026"));
        QTRY_VERIFY(shown(app, QStringLiteral("entryPanel")));

        // A day without an entry: Tab from the grid reaches "Add Journal Entry"; Return adds it.
        QTest::keyClick(app.window, Qt::Key_Right);
        QTRY_VERIFY(shown(app, QStringLiteral("emptyDayPanel")));
        QQuickItem *add = app.find(QStringLiteral("addEntryButton"));
        for (int i = 0; i < 12 && app.window->activeFocusItem() != add; ++i)
            QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(app.window->activeFocusItem(), add);
        QVERIFY(add->property("visualFocus").toBool());
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_VERIFY(shown(app, QStringLiteral("entryPanel")));
        QCOMPARE(app.state.context()->fetch<JournalEntry>().size(), 2);
        QCOMPARE(calendar(app)->selectedEntry()->date(), QDate(2026, 12, 19).startOfDay());
    }

    void pastingPastTheLimitKeeps50000Characters()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        openJournal(app);
        click(app.window, app.find(QStringLiteral("addEntryButton")));
        QTRY_VERIFY(shown(app, QStringLiteral("entryPanel")));
        QQuickItem *area = app.find(QStringLiteral("calendarReflectionArea"));
        click(app.window, area);
        QTRY_VERIFY(area->hasActiveFocus());

        // An emoji of several code points is the 50,000th character: it stays whole.
        const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
        const QString kept = QString(int(JournalCalendarModel::maxReflectionCharacters) - 1, QLatin1Char('a')) + family;
        QGuiApplication::clipboard()->setText(kept + QString(10'000, QLatin1Char('b')));
        QTest::keyClick(app.window, Qt::Key_V, Qt::ControlModifier);
        JournalEntry *entry = calendar(app)->selectedEntry();
        QTRY_COMPARE(entry->reflectionText().size(), kept.size());
        QCOMPARE(entry->reflectionText(), kept);
        QCOMPARE(area->property("text").toString(), kept);
        QCOMPARE(PerceivedText::length(area->property("text").toString()), int(JournalCalendarModel::maxReflectionCharacters));
        // More typing at the limit changes nothing.
        QTest::keyClick(app.window, Qt::Key_C);
        QCOMPARE(area->property("text").toString(), kept);
        QVERIFY(!app.state.context()->hasChanges());
    }

    void aFailedExportSaysSoAndWritesNothing()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        seedDecember(*app.state.context());
        openJournal(app);
        FakeRevealer revealer;
        calendar(app)->exporter()->setRevealer(revealer);
        QTemporaryDir out;
        const QString notAFolder = out.filePath(QStringLiteral("journal"));
        QFile(notAFolder).open(QIODevice::WriteOnly);

        QObject *dialog =
            app.find(QStringLiteral("journalCalendarView"))->findChild<QObject *>(QStringLiteral("exportDialog"));
        dialog->setProperty("currentFolder", QUrl::fromLocalFile(out.path()));
        click(app.window, app.find(QStringLiteral("exportMenuButton")));
        QQuickItem *csv = app.find(QStringLiteral("exportCsv"));
        QTRY_VERIFY(csv && csv->isVisible());
        click(app.window, csv);
        QTRY_VERIFY(dialog->property("visible").toBool());
        // The name typed leads through a plain file, where no folder can be.
        QQuickItem *nameField = app.find(QStringLiteral("fileNameTextField"));
        QTRY_VERIFY(nameField && nameField->isVisible());
        click(app.window, nameField);
        QTest::keyClick(app.window, Qt::Key_A, Qt::ControlModifier);
        typeText(app.window, QStringLiteral("journal/Quillmoor-Journal.csv"));
        click(app.window, buttonWithText(app.window->contentItem(), QStringLiteral("Save")));
        QTRY_VERIFY(shown(app, QStringLiteral("exportFailureText")));
        QVERIFY(app.find(QStringLiteral("exportFailureText"))
                    ->property("text")
                    .toString()
                    .contains(QStringLiteral("Quillmoor-Journal.csv")));
        saveScreenshot(app.window, QStringLiteral("journal-export-failed"));
        QVERIFY(revealer.revealed.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("journal")});

        click(app.window, app.find(QStringLiteral("exportFailedOk")));
        QTRY_VERIFY(!shown(app, QStringLiteral("exportFailureText")));
        QCOMPARE(calendar(app)->exporter()->phase(), JournalExporter::Idle);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(JournalViewTest)
#include "tst_journal_view.moc"
