#pragma once

#include "Scheduler.h"
#include "SpringEasing.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QQmlListProperty>
#include <QtQml/qqmlregistration.h>

#include <memory>

class RandomSource;

// One card of a shuffling pile: where it is drawn right now, moved by three springs.
class ShuffleCard : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by ShuffleChoreography")
    Q_PROPERTY(double x READ x NOTIFY moved)
    Q_PROPERTY(double y READ y NOTIFY moved)
    Q_PROPERTY(double angle READ angle NOTIFY moved)

public:
    // `shift` is added to the animated offset wherever the card is drawn.
    ShuffleCard(QPointF shift, QObject *parent);

    double x() const { return m_shift.x() + m_x.value(); }
    double y() const { return m_shift.y() + m_y.value(); }
    double angle() const { return m_angle.value(); }
    bool isMoving() const { return m_x.isRunning() || m_y.isRunning() || m_angle.isRunning(); }

    void jumpTo(QPointF offset, double angle);
    void animateTo(QPointF offset, double angle, double response, double damping, double delay);

signals:
    void moved();

private:
    QPointF m_shift;
    SpringMotion m_x;
    SpringMotion m_y;
    SpringMotion m_angle;
};

// When each step of a shuffle runs and which offsets and angles it gives the cards. Two styles:
// the pile jumps about six times and settles (1.6 s); the wash spreads small cards across the
// table, stirs them twice and gathers them (2.5 s). The view animates its cards to the values
// published here. A run ends by finishing (isShuffling becomes false, then completed() is
// emitted) or by cancellation, after which nothing else happens. Destroying the object cancels.
class ShuffleChoreography : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Style style READ style WRITE setStyle NOTIFY styleChanged)
    Q_PROPERTY(int cardCount READ cardCount WRITE setCardCount NOTIFY cardCountChanged)
    Q_PROPERTY(bool isShuffling READ isShuffling WRITE setShuffling NOTIFY isShufflingChanged)
    Q_PROPERTY(QQmlListProperty<ShuffleCard> cards READ cardList NOTIFY cardsChanged)
    Q_PROPERTY(int runningTasks READ runningTasks NOTIFY runningTasksChanged)
    // With reduced motion the cards stay where they lie and the pile fades out and back in.
    Q_PROPERTY(bool faded READ faded NOTIFY fadedChanged)

public:
    enum Style { Pile, Wash };
    Q_ENUM(Style)

    enum class StepKind { Scatter, Settle, Spread, FirstWave, SecondWave, Gather, FadeOut, FadeIn, Finish };
    struct Step
    {
        StepKind kind;
        double sleepAfter; // seconds to wait before the next step
        bool operator==(const Step &) const = default;
    };
    struct Spring
    {
        double response;
        double damping;
        double delayPerCard; // seconds card i waits: i × this
    };

    explicit ShuffleChoreography(QObject *parent = nullptr);
    ~ShuffleChoreography() override;

    // The steps of one run, in order, each with the pause that follows it. With reduced motion
    // both styles are one short fade.
    static QList<Step> schedule(Style style, bool reducedMotion = false);
    // The spring each step moves the cards with.
    static Spring spring(StepKind kind);
    // The offset of card i in the resting pile: zero for the pile, (0, −i) for the wash.
    static QPointF restingOffset(Style style, int index);
    // Added to card i's offset when it is drawn: the pile rises 2 points per card, so its
    // resting offsets can all be zero.
    static QPointF drawingShift(Style style, int index);

    Style style() const { return m_style; }
    void setStyle(Style style);
    int cardCount() const { return int(m_offsets.size()); }
    void setCardCount(int count);
    bool isShuffling() const { return m_shuffling; }
    void setShuffling(bool shuffling);
    QList<ShuffleCard *> cards() const { return m_cards; }
    QQmlListProperty<ShuffleCard> cardList();
    int runningTasks() const { return int(m_runs.size()); }
    bool faded() const { return m_faded; }

    // The targets of the last step, one per card: offsets from the resting place of the pile
    // (for the wash, from the table's centre) and angles in degrees.
    const QList<QPointF> &offsets() const { return m_offsets; }
    const QList<double> &rotations() const { return m_rotations; }

    // Draws from `source` from now on; it must outlive this object. The default is the
    // operating system's secure source.
    void setRandomSource(RandomSource *source);
    // Times the steps with `scheduler` from now on; it must outlive this object. The default is
    // the event loop's timers.
    void setScheduler(Scheduler *scheduler);

    // The view is shown: reset the cards to the resting pile; a pile then shuffles if the flag
    // is already set, a wash always washes.
    Q_INVOKABLE void appear();
    // Starts one run from the resting pile now, whatever the style, and sets isShuffling. This
    // is how a screen's model runs the shuffle it owns.
    Q_INVOKABLE void begin();
    // The view goes away: stop every running task without completing it.
    Q_INVOKABLE void cancel();

signals:
    void styleChanged();
    void cardCountChanged();
    void isShufflingChanged();
    void cardsChanged();
    void runningTasksChanged();
    void fadedChanged();
    // A run finished undisturbed, right after it cleared isShuffling.
    void completed();

private:
    struct Run
    {
        QList<Step> steps;
        qsizetype next = 0;
        Scheduler::TaskId pending = 0;
    };

    void restCards();
    void start();
    void runStep(const std::shared_ptr<Run> &run);
    void perform(StepKind kind);
    void finishRun(const std::shared_ptr<Run> &run);
    void resetCards();
    double uniform(double lower, double upper);

    Style m_style = Pile;
    bool m_shuffling = false;
    bool m_appeared = false;
    bool m_faded = false;
    RandomSource *m_random;
    Scheduler *m_scheduler;
    QList<QPointF> m_offsets;
    QList<double> m_rotations;
    QList<ShuffleCard *> m_cards;
    QList<std::shared_ptr<Run>> m_runs;
};
