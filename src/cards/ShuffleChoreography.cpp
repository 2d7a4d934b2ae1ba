#include "ShuffleChoreography.h"

#include "DesktopPreferences.h"

#include "RandomSource.h"
#include "SoundCues.h"

#include <cmath>

ShuffleCard::ShuffleCard(QPointF shift, QObject *parent) : QObject(parent), m_shift(shift)
{
    for (SpringMotion *motion : {&m_x, &m_y, &m_angle})
        connect(motion, &SpringMotion::valueChanged, this, &ShuffleCard::moved);
}

void ShuffleCard::jumpTo(QPointF offset, double angle)
{
    m_x.jumpTo(offset.x());
    m_y.jumpTo(offset.y());
    m_angle.jumpTo(angle);
}

void ShuffleCard::animateTo(QPointF offset, double angle, double response, double damping, double delay)
{
    m_x.animateTo(offset.x(), response, damping, delay);
    m_y.animateTo(offset.y(), response, damping, delay);
    m_angle.animateTo(angle, response, damping, delay);
}

ShuffleChoreography::ShuffleChoreography(QObject *parent)
    : QObject(parent), m_random(&RandomSource::system()), m_scheduler(&Scheduler::system())
{}

ShuffleChoreography::~ShuffleChoreography()
{
    cancel();
}

QList<ShuffleChoreography::Step> ShuffleChoreography::schedule(Style style, bool reducedMotion)
{
    if (reducedMotion)
        return {{StepKind::FadeOut, 0.2}, {StepKind::FadeIn, 0.2}, {StepKind::Finish, 0}};
    if (style == Wash)
        return {{StepKind::Spread, 0.7},
                {StepKind::FirstWave, 0.5},
                {StepKind::SecondWave, 0.6},
                {StepKind::Gather, 0.7},
                {StepKind::Finish, 0}};
    QList<Step> steps(6, Step{StepKind::Scatter, 0.2});
    steps.append({StepKind::Settle, 0.4});
    steps.append({StepKind::Finish, 0});
    return steps;
}

ShuffleChoreography::Spring ShuffleChoreography::spring(StepKind kind)
{
    switch (kind) {
    case StepKind::Scatter:
        return {0.2, 0.9, 0};
    case StepKind::Settle:
        return {0.3, 0.6, 0};
    case StepKind::Spread:
        return {0.5, 0.8, 0.03};
    case StepKind::FirstWave:
    case StepKind::SecondWave:
        return {0.4, 0.9, 0};
    case StepKind::Gather:
        return {0.4, 0.7, 0.02};
    case StepKind::FadeOut:
    case StepKind::FadeIn:
    case StepKind::Finish:
        break;
    }
    return {0.5, 1, 0};
}

QPointF ShuffleChoreography::restingOffset(Style style, int index)
{
    return style == Wash ? QPointF(0, -index) : QPointF(0, 0);
}

QPointF ShuffleChoreography::drawingShift(Style style, int index)
{
    return style == Pile ? QPointF(0, -2.0 * index) : QPointF(0, 0);
}

void ShuffleChoreography::setStyle(Style style)
{
    if (style == m_style)
        return;
    m_style = style;
    resetCards();
    emit styleChanged();
}

void ShuffleChoreography::setCardCount(int count)
{
    count = std::max(0, count);
    if (count == cardCount())
        return;
    m_offsets.resize(count);
    m_rotations.resize(count);
    for (int i = 0; i < count; ++i)
        if (i >= m_cards.size())
            m_offsets[i] = restingOffset(m_style, i);
    resetCards();
    emit cardCountChanged();
}

void ShuffleChoreography::setShuffling(bool shuffling)
{
    if (shuffling == m_shuffling)
        return;
    m_shuffling = shuffling;
    emit isShufflingChanged();
    // Only the pile listens to the flag; turning it off does not stop a run.
    if (shuffling && m_appeared && m_style == Pile)
        start();
}

QQmlListProperty<ShuffleCard> ShuffleChoreography::cardList()
{
    return QQmlListProperty<ShuffleCard>(this, &m_cards);
}

void ShuffleChoreography::setRandomSource(RandomSource *source)
{
    m_random = source ? source : &RandomSource::system();
}

void ShuffleChoreography::appear()
{
    restCards();
    if (m_style == Wash || m_shuffling)
        start();
}

void ShuffleChoreography::restCards()
{
    m_appeared = true;
    for (int i = 0; i < cardCount(); ++i) {
        m_offsets[i] = restingOffset(m_style, i);
        m_rotations[i] = 0;
        m_cards[i]->jumpTo(m_offsets[i], 0);
    }
}

void ShuffleChoreography::setScheduler(Scheduler *scheduler)
{
    m_scheduler = scheduler ? scheduler : &Scheduler::system();
}

void ShuffleChoreography::begin()
{
    restCards();
    if (!m_shuffling) {
        m_shuffling = true;
        emit isShufflingChanged();
    }
    start();
}

void ShuffleChoreography::cancel()
{
    if (m_runs.isEmpty())
        return;
    for (const auto &run : std::as_const(m_runs))
        m_scheduler->cancel(run->pending);
    m_runs.clear();
    emit runningTasksChanged();
}

void ShuffleChoreography::resetCards()
{
    // The card objects follow the lists; they are rebuilt at rest, which only happens while the
    // view is being set up or its card count changes.
    qDeleteAll(m_cards);
    m_cards.clear();
    for (int i = 0; i < cardCount(); ++i) {
        auto *card = new ShuffleCard(drawingShift(m_style, i), this);
        card->jumpTo(m_offsets[i], m_rotations[i]);
        m_cards.append(card);
    }
    emit cardsChanged();
}

double ShuffleChoreography::uniform(double lower, double upper)
{
    return m_random->uniformDouble(lower, upper);
}

void ShuffleChoreography::start()
{
    SoundCues::shared().cue(SoundEffect::Shuffle);

    // A run is a chain of single-shot waits on the main thread; an earlier run keeps going
    // beside it, and both move the same cards.
    auto run = std::make_shared<Run>();
    run->steps = schedule(m_style, DesktopPreferences::instance()->reducedMotion());
    m_runs.append(run);
    emit runningTasksChanged();
    runStep(run);
}

void ShuffleChoreography::runStep(const std::shared_ptr<Run> &run)
{
    const Step step = run->steps.at(run->next++);
    if (step.kind == StepKind::Finish) {
        finishRun(run);
        return;
    }
    perform(step.kind);
    run->pending = m_scheduler->schedule(int(std::lround(step.sleepAfter * 1000)), this, [this, run] { runStep(run); });
}

void ShuffleChoreography::perform(StepKind kind)
{
    if (kind == StepKind::FadeOut || kind == StepKind::FadeIn) {
        const bool faded = kind == StepKind::FadeOut;
        if (faded != m_faded) {
            m_faded = faded;
            emit fadedChanged();
        }
        return;
    }
    const Spring s = spring(kind);
    for (int i = 0; i < cardCount(); ++i) {
        switch (kind) {
        case StepKind::Scatter: {
            const double x = uniform(-40, 40);
            const double y = uniform(-15, 15);
            m_offsets[i] = {x, y};
            m_rotations[i] = uniform(-12, 12);
            break;
        }
        case StepKind::Spread: {
            const double x = uniform(-140, 140);
            const double y = uniform(-120, 120);
            m_offsets[i] = {x, y};
            m_rotations[i] = uniform(-45, 45);
            break;
        }
        case StepKind::FirstWave: {
            const double x = uniform(-130, 130);
            const double y = uniform(-110, 110);
            m_offsets[i] = {x, y};
            m_rotations[i] = uniform(-50, 50);
            break;
        }
        case StepKind::SecondWave: {
            const double x = uniform(-120, 120);
            const double y = uniform(-100, 100);
            m_offsets[i] = {x, y};
            m_rotations[i] = uniform(-40, 40);
            break;
        }
        case StepKind::Settle:
        case StepKind::Gather:
            m_offsets[i] = restingOffset(m_style, i);
            m_rotations[i] = 0;
            break;
        case StepKind::FadeOut:
        case StepKind::FadeIn:
        case StepKind::Finish:
            return;
        }
        m_cards[i]->animateTo(m_offsets[i], m_rotations[i], s.response, s.damping, s.delayPerCard * i);
    }
}

void ShuffleChoreography::finishRun(const std::shared_ptr<Run> &run)
{
    m_runs.removeOne(run);
    emit runningTasksChanged();
    setShuffling(false);
    emit completed();
}
