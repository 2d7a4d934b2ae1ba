// A Celtic Cross laid out with one's own deck, written down in the real window without the
// mouse: each card picked by typing (a name, a number with its suit, a Roman numeral, the
// arrows), a card given twice refused at its place, an extra card, a question, and the reading
// then found in the history and opened again.
#include "Reading.h"
#include "ReadingHistoryModel.h"
#include "ReadingsViewSupport.h"
#include "RecordReadingModel.h"
#include "WindowActions.h"

class RecordReadingWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void aCelticCrossIsRecordedByKeyboardAndFoundInTheHistory()
    {
        ReadingsApp app(QSize(1000, 700), true);
        QVERIFY(tabTo(app.window, "recordReadingEntry"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "Record a Reading");
        auto *record = modelOf<RecordReadingModel>(app.find("recordReadingView"), "record");
        QVERIFY(record);
        QVERIFY(tabTo(app.window, "recordSpread_celtic_cross"));
        app.press(Qt::Key_Space);
        QCOMPARE(record->count(), 10);
        QVERIFY(tabTo(app.window, "recordPosition0Input"));

        // What is typed at each place, the arrow presses after it, and the card it must give.
        const struct
        {
            const char *typed;
            int down;
            const char *cardId;
        } cards[] = {
            {"tower", 0, "major_16"},     {"3 cups", 0, "cups_03"},        {"queen", 2, "swords_13"},
            {"xvii", 0, "major_17"},      {"ace pent", 0, "pentacles_01"}, {"hermit", 0, "major_09"},
            {"10 wands", 0, "wands_10"},  {"moon", 0, "major_18"},         {"page chalices", 0, "cups_11"},
            {"2 swords", 0, "swords_02"},
        };
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(focusedName(app.window), QStringLiteral("recordPosition%1Input").arg(i));
            if (i == 3) {
                // The Tower lies at the first place already: refused here, with a sentence.
                typeText(app.window, QStringLiteral("tower"));
                QTest::keyClick(app.window, Qt::Key_Return);
                QVERIFY(app.text("recordProblem3").contains("The Tower is already in this reading, at The Present."));
                QCOMPARE(focusedName(app.window), QStringLiteral("recordPosition3Input"));
            }
            typeText(app.window, QString::fromLatin1(cards[i].typed));
            QVERIFY2(app.shows(QStringLiteral("recordPosition%1Choices").arg(i)), cards[i].typed);
            if (i == 2)
                saveScreenshot(app.window, "record-reading-picker");
            for (int d = 0; d < cards[i].down; ++d)
                QTest::keyClick(app.window, Qt::Key_Down);
            QTest::keyClick(app.window, Qt::Key_Return);
            QCOMPARE(record->data(record->index(i), RecordReadingModel::CardIdRole).toString(),
                     QString::fromLatin1(cards[i].cardId));
        }
        QVERIFY(!app.shows("recordProblem3"));
        saveScreenshot(app.window, "record-reading-cards");
        // All ten laid: the extra cards are next.
        QCOMPARE(focusedName(app.window), "recordExtraInput");
        typeText(app.window, "fool");
        QTest::keyClick(app.window, Qt::Key_Return);
        QCOMPARE(record->extraCards().size(), 1);

        QVERIFY(tabTo(app.window, "recordReversed4", true));
        QTest::keyClick(app.window, Qt::Key_Space);
        QVERIFY(record->data(record->index(4), RecordReadingModel::IsReversedRole).toBool());
        QVERIFY(tabTo(app.window, "recordQuestionTextArea"));
        typeText(app.window, "Where is this year taking me?");
        QVERIFY(tabTo(app.window, "recordSave"));
        saveScreenshot(app.window, "record-reading-form");
        QVERIFY(record->canSave());
        app.press(Qt::Key_Return);

        // Saved, it shows as a stored reading; Escape goes back to the menu, not to the form.
        QVERIFY(app.text("navigationTitle").startsWith("Celtic Cross, "));
        QVERIFY(app.text("detailQuestion").contains("Where is this year taking me?"));
        QCOMPARE(app.text("detailExtras"), "Extra cards: The Fool");
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Readings");

        QVERIFY(tabTo(app.window, "readingHistoryEntry"));
        app.press(Qt::Key_Return);
        auto *history = modelOf<ReadingHistoryModel>(app.find("readingHistoryView"), "history");
        QVERIFY(history);
        QTRY_COMPARE(history->rowCount(), 1);
        QVERIFY(tabTo(app.window, "historyRow0"));
        app.press(Qt::Key_Return);
        QVERIFY(app.text("navigationTitle").startsWith("Celtic Cross, "));
        QVERIFY(app.shows("editReadingButton"));
        QVERIFY(app.text("detailDate").endsWith("laid out with your own deck"));
        saveScreenshot(app.window, "recorded-celtic-cross");
    }
};

QTEST_MAIN(RecordReadingWindowTest)
#include "tst_record_reading_window.moc"
