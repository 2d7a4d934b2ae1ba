// Drives the Journal section in the real main window over a temporary store: the month, the
// day panels, the keyboard, pasting past the limit, and exports through the save dialog.
#include "AppDriving.h"
#include "Clock.h"
#include "FileRevealer.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "ModelContext.h"

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

JournalCalendarModel *calendar(const AppUnderTest &app)
{
    return modelOf<JournalCalendarModel>(app.find("journalCalendarView"), "model");
}

QQuickItem *chip(const AppUnderTest &app, const QString &mood)
{
    return app.find("moodChip_" + mood);
}

// Opens the Journal section and waits until its chips are placed by the flow layout.
void openJournal(AppUnderTest &app)
{
    click(app.window, app.find("sectionRow4"));
    QTRY_VERIFY(shown(app.find("journalCalendarView")));
    QTRY_VERIFY(chip(app, "Energized")->x() > 0);
}

// Sends the export of `format` through the save dialog under the name typed, from `folder`.
void exportThroughTheDialog(AppUnderTest &app, const QString &format, const QString &folder, const QString &name)
{
    QObject *dialog = app.find("journalCalendarView")->findChild<QObject *>(QStringLiteral("exportDialog"));
    QVERIFY(dialog);
    dialog->setProperty("currentFolder", QUrl::fromLocalFile(folder));
    click(app.window, app.find("exportMenuButton"));
    QTRY_VERIFY(shown(app.find("export" + format)));
    QVERIFY(popupHasEdge(app.find("journalCalendarView")->findChild<QObject *>(QStringLiteral("exportMenu"))));
    saveScreenshot(app.window, "journal-export-menu");
    click(app.window, app.find("export" + format));
    QTRY_VERIFY(dialog->property("visible").toBool());
    QQuickItem *nameField = nullptr;
    QTRY_VERIFY(shown(nameField = app.find("fileNameTextField")));
    QCOMPARE(textOf(nameField), calendar(app)->exporter()->suggestedFileName());
    QCOMPARE(dialog->property("nameFilters").toStringList(), calendar(app)->exporter()->nameFilters());
    saveScreenshot(app.window, format == "Csv" ? "journal-export-dialog-csv" : "journal-export-dialog");
    click(app.window, nameField);
    QTest::keyClick(app.window, Qt::Key_A, Qt::ControlModifier);
    typeText(app.window, name);
    click(app.window, buttonWithText(app.window->contentItem(), "Save"));
    QTRY_VERIFY(!dialog->property("visible").toBool());
}

// A month of entries: most days with a mood, one without, two with a card.
void seedDecember(ModelContext &context)
{
    const QList<std::pair<int, QString>> moods{{1, "Peaceful"}, {2, "Energized"}, {4, "Thoughtful"}, {5, "Grateful"},
                                               {7, "Anxious"},  {8, QString()},   {10, "Hopeful"},   {12, "Uncertain"},
                                               {15, "Joyful"},  {16, "Grateful"}, {17, "Peaceful"}};
    for (const auto &[day, mood] : moods) {
        auto *entry = new JournalEntry(QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        entry->setMood(mood);
        context.insert(entry);
        if (day == 5) {
            entry->setDailyCardId("major_16");
            entry->setDailyCardReversed(true);
            entry->setJournalPrompt(
                "Recall a time when something collapsed unexpectedly and write about what the wreckage revealed.");
            entry->setReflectionText("The old plan fell apart today.\nUnder it was a better one.");
        } else if (day == 17) {
            entry->setDailyCardId("cups_03");
            entry->setJournalPrompt("Who would you celebrate with?");
        }
    }
    QVERIFY(context.save());
}

// The first lines of an exported file, drawn as a picture for people to look at.
void saveFilePicture(const QString &path, const QString &name)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n').mid(0, 30);
    QImage image(900, 24 + 20 * int(lines.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("monospace");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(14);
    painter.setFont(font);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(12, 28 + 20 * i, lines.at(i));
    painter.end();
    QVERIFY(image.save(QUILLMOOR_BINARY_DIR "/screenshots/" + name + ".png"));
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
        ScratchApp app;
        seedDecember(*app.state.context());
        openJournal(app);
        QCOMPARE(app.text("monthTitle"), "December 2026");
        QCOMPARE(app.text("emptyDayText"), "No card drawn yet today. Visit the Daily Card section to draw your card.");
        saveScreenshot(app.window, "journal-month-today");

        click(app.window, app.find("dayCell5"));
        QTRY_VERIFY(app.shows("entryPanel"));
        QVERIFY(app.shows("cardBox") && app.shows("reversedBadge") && app.shows("promptBox"));
        QCOMPARE(app.text("dayCardName"), "The Tower");
        QCOMPARE(app.text("calendarReflectionArea"), "The old plan fell apart today.\nUnder it was a better one.");
        QTRY_VERIFY(chip(app, "Energized")->x() > 0);
        saveScreenshot(app.window, "journal-day-with-entry");
        app.window->resize(1400, 900);
        QTRY_VERIFY(app.find("dayPanel")->width() > 800);
        saveScreenshot(app.window, "journal-day-with-entry-large");
        app.window->resize(1000, 700);
        QTRY_COMPARE(app.window->width(), 1000);

        click(app.window, app.find("dayCell9"));
        QTRY_VERIFY(app.shows("emptyDayPanel"));
        QTRY_VERIFY(chip(app, "Energized")->x() > 0);
        saveScreenshot(app.window, "journal-day-without-entry");

        // The chevrons page the month but leave the selected day alone.
        click(app.window, app.find("previousMonthButton"));
        QCOMPARE(app.text("monthTitle"), "November 2026");
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 12, 9));

        // The three documents of this month, written as the dialog would, for people to read.
        FakeRevealer revealer;
        JournalExporter *exporter = calendar(app)->exporter();
        exporter->setRevealer(revealer);
        for (const auto &[format, name] :
             {std::pair(JournalExporter::Text, "text"), std::pair(JournalExporter::Markdown, "markdown"),
              std::pair(JournalExporter::Csv, "csv")}) {
            QVERIFY(exporter->start(format));
            const QString path = app.filePath(exporter->suggestedFileName());
            exporter->save(QUrl::fromLocalFile(path));
            QCOMPARE(revealer.revealed.last(), path);
            saveFilePicture(path, QStringLiteral("journal-export-") + name);
        }
    }

    // A mood and a reflection for a day without an entry, exported as Markdown under a name of
    // the user's own; then an export whose name leads through a plain file (the tests run as
    // root, who may write anywhere) fails, says so and writes nothing. Last, a paste past the
    // limit into a new entry keeps 50,000 characters.
    void chooseADaySetAMoodWriteExportAndPaste()
    {
        ScratchApp app;
        QTemporaryDir out;
        openJournal(app);
        FakeRevealer revealer;
        calendar(app)->exporter()->setRevealer(revealer);

        click(app.window, app.find("dayCell9"));
        QTRY_VERIFY(app.shows("emptyDayPanel"));
        QTRY_VERIFY(chip(app, "Energized")->x() > 0);
        click(app.window, chip(app, "Anxious"));
        QTRY_VERIFY(app.shows("entryPanel"));
        QQuickItem *area = app.find("calendarReflectionArea");
        click(app.window, area);
        QTRY_VERIFY(area->hasActiveFocus());
        typeText(app.window, "Quiet morning");
        const QList<JournalEntry *> entries = app.state.context()->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->mood(), "Anxious");
        QCOMPARE(entries.first()->reflectionText(), "Quiet morning");
        QVERIFY(!app.state.context()->hasChanges());

        exportThroughTheDialog(app, "Markdown", out.path(), "Reflections.md");
        QCOMPARE(calendar(app)->exporter()->suggestedFileName(), "Quillmoor-Journal.md");
        const QString path = QDir(out.path()).filePath("Reflections.md");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 "# Quillmoor Tarot \u2014 Journal\n\n## December 9, 2026\n**Mood:** Anxious\n\nQuiet morning");
        QCOMPARE(revealer.revealed, QStringList{path});
        // A confirmation names the file and its folder and can show it again.
        QTRY_VERIFY(app.shows("savedFileBar"));
        QCOMPARE(app.text("savedFileMessage"),
                 QStringLiteral("Saved \u201cReflections.md\u201d in %1.").arg(QDir(out.path()).dirName()));
        saveScreenshot(app.window, "journal-export-saved");
        click(app.window, app.find("showInFolderButton"));
        QCOMPARE(revealer.revealed, (QStringList{path, path}));

        const QString notAFolder = out.filePath("journal");
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        exportThroughTheDialog(app, "Csv", out.path(), "journal/Quillmoor-Journal.csv");
        QTRY_VERIFY(app.shows("exportFailureText"));
        QVERIFY(app.text("exportFailureText").contains("Quillmoor-Journal.csv"));
        saveScreenshot(app.window, "journal-export-failed");
        QCOMPARE(revealer.revealed, (QStringList{path, path}));
        QVERIFY2(!app.shows("savedFileBar"), "a failed export still says the last one was saved");
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"journal", "Reflections.md"}));
        QCOMPARE(QFileInfo(notAFolder).size(), 0);
        click(app.window, app.find("exportFailedOk"));
        QTRY_VERIFY(!app.shows("exportFailureText"));
        QCOMPARE(calendar(app)->exporter()->phase(), JournalExporter::Idle);
        QVERIFY(calendar(app)->exporter()->failureMessage().isEmpty());

        click(app.window, app.find("dayCell18"));
        QTRY_VERIFY(app.shows("addEntryButton"));
        click(app.window, app.find("addEntryButton"));
        QTRY_VERIFY(app.shows("entryPanel"));
        area = app.find("calendarReflectionArea");
        click(app.window, area);
        QTRY_VERIFY(area->hasActiveFocus());
        // An emoji of several code points is the 50,000th character: it stays whole.
        const QString kept = QString(JournalCalendarModel::maxReflectionCharacters - 1, 'a') +
                             "\U0001F468\u200D\U0001F469\u200D\U0001F467";
        QGuiApplication::clipboard()->setText(kept + QString(10'000, 'b'));
        QTest::keyClick(app.window, Qt::Key_V, Qt::ControlModifier);
        JournalEntry *entry = calendar(app)->selectedEntry();
        QCOMPARE(entry->date(), now.date().startOfDay());
        QTRY_COMPARE(entry->reflectionText().size(), kept.size());
        QCOMPARE(entry->reflectionText(), kept);
        QCOMPARE(textOf(area), kept);
        // More typing at the limit changes nothing.
        QTest::keyClick(app.window, Qt::Key_C);
        QCOMPARE(textOf(area), kept);
        QVERIFY(!app.state.context()->hasChanges());
    }

    void theKeyboardReachesEveryControlAndMovesTheDays()
    {
        ScratchApp app;
        auto *entry = new JournalEntry(now);
        entry->setDailyCardId("cups_03");
        entry->setJournalPrompt("Who would you celebrate with?");
        app.state.context()->insert(entry);
        QVERIFY(app.state.context()->save());
        openJournal(app);

        // Tab all the way round, noting what takes focus and whether it shows: the reflection
        // shows it on the frame around it.
        QQuickItem *start = app.find("previousMonthButton");
        start->forceActiveFocus(Qt::TabFocusReason);
        QStringList order;
        QStringList unseen;
        for (int i = 0; i < 60; ++i) {
            QQuickItem *focused = app.window->activeFocusItem();
            QVERIFY(focused);
            order.append(focused->objectName());
            const bool ringShown =
                focused->objectName() == "calendarReflectionArea"
                    ? app.find("calendarReflection")->property("border").value<QObject *>()->property("width") == 2
                    : focused->property("visualFocus").toBool();
            if (!ringShown)
                unseen.append(focused->objectName());
            QTest::keyClick(app.window, Qt::Key_Tab);
            if (app.window->activeFocusItem() == start)
                break;
        }
        QCOMPARE(app.window->activeFocusItem(), start);
        // In the order of the screen: month, days, card, moods, reflection.
        QCOMPARE(order.indexOf("monthGrid"), order.indexOf("nextMonthButton") + 1);
        QVERIFY(order.indexOf("dayCardButton") < order.indexOf("moodChip_Peaceful"));
        QVERIFY(order.indexOf("moodChip_Joyful") < order.indexOf("calendarReflectionArea"));
        QStringList expected{"exportMenuButton", "previousMonthButton", "nextMonthButton",
                             "monthGrid",        "dayCardButton",       "calendarReflectionArea"};
        for (const QString &mood : JournalEntry::moods())
            expected.append("moodChip_" + mood);
        for (const QString &name : expected) {
            QVERIFY2(order.contains(name), qPrintable(name + " is not reached with Tab"));
            QVERIFY2(!unseen.contains(name), qPrintable(name + " shows no focus"));
        }

        // Space on a chip chooses the mood.
        chip(app, "Hopeful")->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(entry->mood(), "Hopeful");

        // The grid takes the arrows (their rules are the model's), with the ring on the
        // selected day.
        const auto ringOn = [&app](int day) {
            return findItem(app.find(QStringLiteral("dayCell%1").arg(day)), QStringLiteral("focusRing"))->isVisible();
        };
        app.find("monthGrid")->forceActiveFocus(Qt::TabFocusReason);
        QVERIFY(ringOn(18));
        saveScreenshot(app.window, "journal-keyboard-grid");
        QTest::keyClick(app.window, Qt::Key_Left);
        QCOMPARE(calendar(app)->selectedDate(), QDate(2026, 12, 17));
        QVERIFY(ringOn(17) && !ringOn(18));

        // A day without an entry: Tab from the grid reaches "Add Journal Entry"; Return adds it.
        QTest::keyClick(app.window, Qt::Key_Right);
        QTest::keyClick(app.window, Qt::Key_Right);
        QTRY_VERIFY(app.shows("emptyDayPanel"));
        QVERIFY(tabTo(app.window, "addEntryButton"));
        QVERIFY(app.window->activeFocusItem()->property("visualFocus").toBool());
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_VERIFY(app.shows("entryPanel"));
        QCOMPARE(app.state.context()->fetch<JournalEntry>().size(), 2);
        QCOMPARE(calendar(app)->selectedEntry()->date(), QDate(2026, 12, 19).startOfDay());
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(JournalViewTest)
#include "tst_journal_view.moc"
