// Writing down a reading done with one's own deck: a card lies in one place only, and the
// sentence for a refused card says where it is; the extra cards count as places; a reading
// cannot be dated after now; it is complete once every position has its card.
#include "ReadingDraft.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime now(QDate(2026, 12, 8), QTime(21, 0));

ReadingDraft draftOf(const SpreadDefinition &spread)
{
    return ReadingDraft(
        spread, [](const QString &id) { return id == u"major_16"_s ? u"The Tower"_s : u"Card "_s + id; },
        [] { return now; });
}

} // namespace

class ReadingDraftTest : public QObject
{
    Q_OBJECT

private slots:
    void aCardLiesInOnePlaceOnly()
    {
        ReadingDraft draft = draftOf(SpreadDefinition::celticCross());
        QVERIFY(draft.place(0, u"major_16"_s));
        QVERIFY(!draft.place(3, u"major_16"_s));
        QCOMPARE(draft.problemAt(3), u"The Tower is already in this reading, at The Present."_s);
        QCOMPARE(draft.positions().at(3).cardId, QString());
        QCOMPARE(draft.problemAt(0), QString());
        // The same card again at its own place is no conflict.
        QVERIFY(draft.place(0, u"major_16"_s));
        // Moved: cleared where it was, it may go elsewhere, and the refusal there is gone.
        QVERIFY(draft.place(0, QString()));
        QVERIFY(draft.place(3, u"major_16"_s));
        QCOMPARE(draft.problemAt(3), QString());

        // An extra card is a place too, both ways.
        QVERIFY(!draft.addExtra(u"major_16"_s));
        QCOMPARE(draft.extraProblem(), u"The Tower is already in this reading, at Recent Past."_s);
        QVERIFY(draft.addExtra(u"cups_03"_s, true));
        QVERIFY(!draft.addExtra(u"cups_03"_s));
        QVERIFY(!draft.place(5, u"cups_03"_s));
        QCOMPARE(draft.problemAt(5), u"Card cups_03 is already in this reading, among the extra cards."_s);
        draft.removeExtra(0);
        QVERIFY(draft.place(5, u"cups_03"_s));
        QVERIFY(draft.extras().isEmpty());
        QVERIFY(!draft.place(10, u"cups_04"_s));
    }

    void completeOnceEveryPositionHasItsCard()
    {
        ReadingDraft draft = draftOf(SpreadDefinition::celticCross());
        QCOMPARE(draft.positions().size(), 10);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(!draft.isComplete());
            QVERIFY(draft.place(i, u"wands_%1"_s.arg(i + 1, 2, 10, QLatin1Char('0'))));
        }
        QVERIFY(draft.isComplete());
        draft.setReversed(1, true);
        QVERIFY(draft.positions().at(1).isReversed);
        QVERIFY(!draft.positions().at(0).isReversed);
        draft.place(4, QString());
        QVERIFY(!draft.isComplete());
    }

    void theDateIsNowOrEarlier()
    {
        ReadingDraft draft = draftOf(SpreadDefinition::threeCard());
        QCOMPARE(draft.date(), now);
        QVERIFY(draft.setDate(now.addDays(-40)));
        QCOMPARE(draft.date(), now.addDays(-40));
        QVERIFY(!draft.setDate(now.addSecs(60)));
        QCOMPARE(draft.dateProblem(), u"A reading cannot be dated in the future."_s);
        QCOMPARE(draft.date(), now.addDays(-40));
        QVERIFY(draft.setDate(now));
        QCOMPARE(draft.dateProblem(), QString());
    }
};

QTEST_GUILESS_MAIN(ReadingDraftTest)
#include "tst_reading_draft.moc"
