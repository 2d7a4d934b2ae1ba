// Spreads of the user's design as the Readings section uses them: drawn scaled to the window,
// designed and changed in the editor with undo, dealt and written down like the built-in ones,
// and deleted without touching a reading made with them.
#include "CardDataStore.h"
#include "CustomSpread.h"
#include "DesignedSpreadLayout.h"
#include "DesignedSpreadList.h"
#include "DrawnCard.h"
#include "PositionedCardList.h"
#include "RandomSource.h"
#include "Reading.h"
#include "ReadingDetailModel.h"
#include "ReadingFlowModel.h"
#include "ReadingSummary.h"
#include "RecordReadingModel.h"
#include "Scheduler.h"
#include "Spread.h"
#include "SpreadBook.h"
#include "SpreadEditorModel.h"
#include "Spreads.h"
#include "StoreTestSupport.h"

#include <QtMath>

namespace {

class ConstantRandomSource : public RandomSource
{
public:
    quint64 next() override { return 1; }
};

constexpr int shuffleMs = 1600;

QList<SpreadPosition> positions(const QList<QPointF> &places, const QList<double> &rotations = {})
{
    QList<SpreadPosition> result;
    for (int i = 0; i < places.size(); ++i)
        result.append({QStringLiteral("place_%1").arg(i + 1), i, QStringLiteral("P%1").arg(i + 1), QString(),
                       places.at(i), rotations.value(i)});
    return result;
}

QRectF fittedRect(const DesignedSpreadLayout::Fitted &fitted, const SpreadPosition &position, int i)
{
    const QSizeF size = CustomSpread::cardBounds(position).size() * fitted.scale;
    const QPointF centre = fitted.centres.at(i);
    return {centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()};
}

// The five-position spread the editor tests design: a horseshoe.
void designHorseshoe(SpreadEditorModel &editor)
{
    editor.setName(QStringLiteral("Horseshoe"));
    const QStringList names{"Past", "Present", "Hidden", "Advice", "Outcome"};
    for (int i = 0; i < 5; ++i) {
        QVERIFY(editor.addPosition());
        editor.setPositionName(i, names.at(i));
    }
}

} // namespace

class DesignedSpreadsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cards.loadCards();
        QCOMPARE(m_cards.allCards().size(), 78);
    }

    // Any design fits the room from the smallest window to a large screen: every card inside,
    // no two cards that were apart in the design touching, and a card laid across another
    // still on it.
    void aDesignIsScaledToTheRoomWithoutOverlap_data()
    {
        QTest::addColumn<QList<SpreadPosition>>("design");
        QTest::addColumn<QSizeF>("room");

        QList<QPointF> horseshoe;
        for (int i = 0; i < 5; ++i)
            horseshoe.append({(i - 2) * 130.0, std::abs(i - 2) * -90.0});
        QList<QPointF> year;
        for (int i = 0; i < 12; ++i)
            year.append({380 * std::sin(qDegreesToRadians(30.0 * i)), -380 * std::cos(qDegreesToRadians(30.0 * i))});
        QList<QPointF> grid;
        for (int i = 0; i < 15; ++i)
            grid.append({(i % 5 - 2) * 120.0, (i / 5 - 1) * 190.0});
        QList<QPointF> cross{{0, 0}, {0, 0}, {0, -190}, {0, 190}, {-160, 0}, {160, 0}};

        const QList<QPair<const char *, QSizeF>> rooms{
            {"1000x700", {768, 520}}, {"1920x1080", {1688, 900}}, {"narrow", {420, 700}}};
        for (const auto &[room, size] : rooms) {
            QTest::addRow("1 card, %s", room) << positions({{0, 0}}) << size;
            QTest::addRow("5 cards, %s", room) << positions(horseshoe) << size;
            QTest::addRow("12 cards in a ring, %s", room) << positions(year) << size;
            QTest::addRow("15 cards in rows, %s", room) << positions(grid) << size;
            QTest::addRow("15 cards in a row, %s", room) << positions({{-840, 0},
                                                                       {-720, 0},
                                                                       {-600, 0},
                                                                       {-480, 0},
                                                                       {-360, 0},
                                                                       {-240, 0},
                                                                       {-120, 0},
                                                                       {0, 0},
                                                                       {120, 0},
                                                                       {240, 0},
                                                                       {360, 0},
                                                                       {480, 0},
                                                                       {600, 0},
                                                                       {720, 0},
                                                                       {840, 0}})
                                                         << size;
            QTest::addRow("a cross with a card across, %s", room) << positions(cross, {0, 90, 0, 0, 90, 90}) << size;
        }
    }

    void aDesignIsScaledToTheRoomWithoutOverlap()
    {
        QFETCH(QList<SpreadPosition>, design);
        QFETCH(QSizeF, room);
        const DesignedSpreadLayout::Fitted fitted = DesignedSpreadLayout::fit(design, room);
        QCOMPARE(fitted.centres.size(), design.size());
        QVERIFY(fitted.scale <= DesignedSpreadLayout::largestScale);
        QVERIFY(fitted.scale * CustomSpread::cardWidth >= DesignedSpreadLayout::smallestCardWidth - 1e-9);
        QVERIFY(fitted.size.width() >= room.width());
        const QRectF drawing(QPointF(0, 0), fitted.size);
        const bool shrunkToTheSmallest =
            qFuzzyCompare(fitted.scale * CustomSpread::cardWidth, DesignedSpreadLayout::smallestCardWidth);
        // Only a design too wide for the room at the smallest cards makes the drawing wider.
        if (!shrunkToTheSmallest) {
            QCOMPARE(fitted.size.width(), room.width());
            QVERIFY(fitted.size.height() <= room.height() + 1e-6);
        }
        for (int i = 0; i < design.size(); ++i) {
            const QRectF card = fittedRect(fitted, design.at(i), i);
            QVERIFY2(drawing.contains(card), qPrintable(design.at(i).name));
            for (int j = i + 1; j < design.size(); ++j) {
                const QRectF other = fittedRect(fitted, design.at(j), j);
                const QRectF shared = card.intersected(other);
                const bool touches = shared.width() > 0.5 && shared.height() > 0.5;
                QCOMPARE(touches, CustomSpread::overlap(design.at(i), design.at(j)));
            }
        }
        // The drawing is centred across.
        const QRectF all = [&] {
            QRectF united;
            for (int i = 0; i < design.size(); ++i)
                united = united.isNull() ? fittedRect(fitted, design.at(i), i)
                                         : united.united(fittedRect(fitted, design.at(i), i));
            return united;
        }();
        QVERIFY(std::abs(all.center().x() - fitted.size.width() / 2) < 0.5);
    }

    void theEditorPlacesOrdersAndUndoes()
    {
        SpreadEditorModel editor;
        designHorseshoe(editor);
        QCOMPARE(editor.count(), 5);
        // New positions are laid side by side, each clear of the others.
        for (int i = 0; i < 5; ++i)
            for (int j = i + 1; j < 5; ++j)
                QVERIFY(!CustomSpread::overlap(editor.design().positions.at(i), editor.design().positions.at(j)));
        QVERIFY(!editor.problems().any());

        // Arrow steps: a grid step snaps onto the grid, Shift moves by the fine step.
        editor.moveTo(0, 12, -3);
        QCOMPARE(editor.design().positions.at(0).layoutOffset, QPointF(10, -5));
        editor.moveBy(0, 1, 0);
        QCOMPARE(editor.design().positions.at(0).layoutOffset, QPointF(30, -5));
        editor.moveBy(0, 0, 1, SpreadEditorModel::FineStep);
        QCOMPARE(editor.design().positions.at(0).layoutOffset, QPointF(30, 0));
        // The room has an edge.
        for (int i = 0; i < 40; ++i)
            editor.moveBy(0, -1, 0);
        QCOMPARE(editor.design().positions.at(0).layoutOffset.x(), -CustomSpread::reachAcross);
        // Each press is its own change to undo.
        editor.undo();
        QCOMPARE(editor.design().positions.at(0).layoutOffset.x(), -CustomSpread::reachAcross + 30);
        editor.redo();
        QCOMPARE(editor.design().positions.at(0).layoutOffset.x(), -CustomSpread::reachAcross);

        editor.rotate(2);
        QCOMPARE(editor.design().positions.at(2).layoutRotation, 90.0);
        editor.rotate(2);
        QCOMPARE(editor.design().positions.at(2).layoutRotation, 0.0);

        // Reordering carries the position's name, place and id with it.
        const SpreadPosition hidden = editor.design().positions.at(2);
        editor.reorder(2, -1);
        QCOMPARE(editor.design().positions.at(1).name, QStringLiteral("Hidden"));
        QCOMPARE(editor.design().positions.at(1).id, hidden.id);
        QCOMPARE(editor.design().positions.at(1).index, 1);
        QCOMPARE(editor.selectedIndex(), 1);
        editor.reorder(0, -1); // nowhere earlier to go
        QCOMPARE(editor.design().positions.at(0).name, QStringLiteral("Past"));

        // Typing into one field undoes as one change; the next field is a change of its own.
        editor.setPositionName(4, QStringLiteral("O"));
        editor.setPositionName(4, QStringLiteral("Ou"));
        editor.setPositionName(4, QStringLiteral("Out"));
        editor.setPositionDescription(4, QStringLiteral("Where it goes"));
        editor.undo();
        QCOMPARE(editor.design().positions.at(4).description, QString());
        QCOMPARE(editor.design().positions.at(4).name, QStringLiteral("Out"));
        editor.undo();
        QCOMPARE(editor.design().positions.at(4).name, QStringLiteral("Outcome"));
        editor.undo();
        QCOMPARE(editor.design().positions.at(1).name, QStringLiteral("Present"));
        QVERIFY(editor.canRedo());
        // A new change forgets what could be redone.
        editor.removePosition(4);
        QVERIFY(!editor.canRedo());
        QCOMPARE(editor.count(), 4);
        QVERIFY(editor.addPosition());
        // A removed position's id is given again only past the highest one in use.
        QCOMPARE(editor.design().positions.at(4).id, QStringLiteral("place_5"));

        // Fifteen at most.
        while (editor.addPosition()) {
        }
        QCOMPARE(editor.count(), CustomSpread::maxPositions);
        QVERIFY(!editor.canAdd());

        // A built-in spread is a start, undone as one change.
        SpreadEditorModel fromCross;
        fromCross.startFrom(QStringLiteral("celtic_cross"));
        QCOMPARE(fromCross.count(), 10);
        QCOMPARE(fromCross.name(), QStringLiteral("My Celtic Cross"));
        QCOMPARE(fromCross.design().positions.at(1).layoutRotation, 90.0);
        fromCross.undo();
        QCOMPARE(fromCross.count(), 0);
        QCOMPARE(fromCross.name(), QString());
    }

    void aDesignWithAProblemIsNotSaved()
    {
        TempStore store;
        auto context = store.open();
        SpreadEditorModel editor;
        editor.setModelContext(context.get());
        QVERIFY(editor.nameProblem().isEmpty()); // not before saving is tried
        QVERIFY(!editor.save());
        QCOMPARE(editor.nameProblem(), "Give the spread a name.");
        QCOMPARE(editor.countProblem(), "Add at least one position.");
        designHorseshoe(editor);
        editor.setPositionName(3, QStringLiteral("past "));
        QCOMPARE(editor.data(editor.index(3), SpreadEditorModel::ProblemRole).toString(),
                 "Position 1 already has this name.");
        for (int i = 1; i < 5; ++i)
            editor.moveTo(i, editor.design().positions.at(0).layoutOffset.x(),
                          editor.design().positions.at(0).layoutOffset.y());
        QVERIFY(!editor.layoutProblem().isEmpty());
        QVERIFY(!editor.save());
        QVERIFY(Spreads(context.get()).all().isEmpty());
        QVERIFY(!context->hasChanges());

        editor.setPositionName(3, QStringLiteral("Advice"));
        editor.moveBy(1, 4, 0);
        editor.moveBy(2, 0, 6);
        editor.moveBy(3, -4, 0);
        editor.moveBy(4, 0, -6);
        QVERIFY(editor.layoutProblem().isEmpty());
        QVERIFY(editor.hasUnsavedChanges());
        Spread *saved = editor.save();
        QVERIFY(saved);
        QVERIFY(editor.isEditing());
        QVERIFY(!editor.hasUnsavedChanges());
        editor.rotate(0);
        QVERIFY(editor.hasUnsavedChanges());
        editor.undo();
        QVERIFY(!editor.hasUnsavedChanges());

        context.reset();
        context = store.open();
        const QList<SpreadDefinition> designed = SpreadBook::designed(context.get());
        QCOMPARE(designed.size(), 1);
        QCOMPARE(designed.first().name, QStringLiteral("Horseshoe"));
        QCOMPARE(designed.first().positions.at(3).name, QStringLiteral("Advice"));
        QCOMPARE(designed.first().positions.at(1).layoutOffset, editor.design().positions.at(1).layoutOffset);
    }

    // A reading keeps the spread as it was when it was made: the spread changed afterwards, then
    // deleted (after asking how many readings use it), leaves the reading whole, with its
    // layout, its position names and its narrative, also after the store is opened again.
    void aReadingOutlivesItsSpread()
    {
        TempStore store;
        auto context = store.open();
        SpreadEditorModel editor;
        editor.setModelContext(context.get());
        designHorseshoe(editor);
        editor.rotate(2);
        Spread *spread = editor.save();
        QVERIFY(spread);
        const QString spreadType = CustomSpread::spreadTypeFor(spread->id());

        ManualScheduler scheduler;
        ConstantRandomSource random;
        ReadingFlowModel flow(m_cards, spreadType, context.get());
        flow.setScheduler(scheduler);
        flow.setRandomSource(random);
        QVERIFY(flow.isDesigned());
        QCOMPARE(flow.spread().cardCount, 5);
        flow.beginReading();
        scheduler.advance(shuffleMs);
        QCOMPARE(flow.phase(), ReadingFlowModel::Results);
        QCOMPARE(flow.drawnCards()->count(), 5);
        QCOMPARE(flow.drawnCards()->at(2).position.name, QStringLiteral("Hidden"));
        QPointer<Reading> reading = flow.savedReading();
        QVERIFY(reading);
        reading->setIsFavorite(true);
        QVERIFY(context->save());

        // Written down with one's own deck, the same spread is offered and kept the same way.
        RecordReadingModel record(m_cards);
        record.setModelContext(context.get());
        record.setSpreadId(spreadType);
        QCOMPARE(record.spreadId(), spreadType);
        QCOMPARE(record.count(), 5);
        for (int i = 0; i < 5; ++i)
            QVERIFY(record.place(i, m_cards.allCards().at(10 + i).id));
        QPointer<Reading> recorded = record.save();
        QVERIFY(recorded);
        QCOMPARE(recorded->spreadLayout(), reading->spreadLayout());

        // The spread changes: renamed, a position gone.
        SpreadEditorModel change;
        change.setModelContext(context.get());
        change.setSpread(spread);
        QCOMPARE(change.count(), 5);
        QVERIFY(!change.hasUnsavedChanges());
        change.setName(QStringLiteral("Small Horseshoe"));
        change.removePosition(4);
        QVERIFY(change.save());

        DesignedSpreadList list;
        list.setModelContext(context.get());
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.data(list.index(0), DesignedSpreadList::NameRole).toString(), "Small Horseshoe");
        QCOMPARE(list.data(list.index(0), DesignedSpreadList::ItemRole).value<SpreadMenuItem>().cardCountText(),
                 "4 cards");
        QCOMPARE(list.readingCount(0), 2);
        QCOMPARE(list.deleteQuestion(0),
                 "Delete \u201cSmall Horseshoe\u201d? 2 readings were made with it. They keep their cards and the "
                 "spread as it was, and stay in your history.");
        QVERIFY(list.remove(0));
        QCOMPARE(list.count(), 0);
        QVERIFY(!context->hasChanges());
        QCOMPARE(DesignedSpreadList::deleteQuestion(QStringLiteral("A"), 1),
                 "Delete \u201cA\u201d? One reading was made with it. It keeps its cards and the spread as it was, "
                 "and stays in your history.");
        QCOMPARE(DesignedSpreadList::deleteQuestion(QStringLiteral("A"), 0),
                 "Delete \u201cA\u201d? No reading was made with it yet.");

        context.reset();
        context = store.open();
        QVERIFY(Spreads(context.get()).all().isEmpty());
        const QList<Reading *> readings = context->fetch<Reading>(
            [&](const Reading *r) { return r->spreadType() == spreadType && !r->isRecorded(); });
        QCOMPARE(readings.size(), 1);
        QVERIFY(readings.first()->isFavorite());
        ReadingDetailModel detail(m_cards);
        detail.setReading(readings.first());
        QCOMPARE(detail.spreadName(), QStringLiteral("Horseshoe"));
        QVERIFY(detail.showsDesign());
        QCOMPARE(detail.cards()->count(), 5);
        QCOMPARE(detail.cards()->at(4).position.name, QStringLiteral("Outcome"));
        QCOMPARE(detail.cards()->at(2).position.layoutRotation, 90.0);
        const QStringList paragraphs =
            ReadingSummary::paragraphsFor(detail.cards()->cards(), spreadType, detail.spreadName());
        QVERIFY(paragraphs.size() >= 3);
        QVERIFY(paragraphs.first().startsWith("Your \u201cHorseshoe\u201d reading lays out five cards"));
        QCOMPARE(SpreadBook::nameOf(*readings.first()), QStringLiteral("Horseshoe"));

        // A reading of a designed spread whose copy was lost names its type and shows no cards.
        Reading *stripped = readings.first();
        stripped->setSpreadLayout(QStringLiteral("{broken"));
        QVERIFY(!detail.showsDesign());
        QCOMPARE(detail.cards()->count(), 0);
    }

private:
    CardDataStore m_cards;
};

QTEST_MAIN(DesignedSpreadsTest)
#include "tst_designed_spreads.moc"
