#include "FanSelection.h"

FanCard::FanCard(int index, QObject *parent) : QObject(parent), m_index(index), m_stacking(index)
{
    for (SpringMotion *motion : {&m_angle, &m_lift})
        connect(motion, &SpringMotion::valueChanged, this, &FanCard::moved);
}

void FanCard::rest()
{
    m_angle.jumpTo(0);
    m_lift.jumpTo(0);
    setStacking(m_index);
}

void FanCard::setStacking(int stacking)
{
    if (stacking == m_stacking)
        return;
    m_stacking = stacking;
    emit stackingChanged();
}

FanSelection::FanSelection(int cardCount, QObject *parent) : QObject(parent), m_scheduler(&Scheduler::system())
{
    for (int i = 0; i < std::max(0, cardCount); ++i)
        m_cards.append(new FanCard(i, this));
}

FanSelection::~FanSelection()
{
    cancelTasks();
}

double FanSelection::fannedAngle(int index, int count, double arcDegrees)
{
    if (count < 2)
        return 0;
    return arcDegrees / (count - 1) * index - arcDegrees / 2;
}

int FanSelection::stackingOrder(int index, int selectedIndex)
{
    return index == selectedIndex ? selectedStacking : index;
}

QQmlListProperty<FanCard> FanSelection::cardList()
{
    return QQmlListProperty<FanCard>(this, &m_cards);
}

void FanSelection::cancelTasks()
{
    m_scheduler->cancel(m_fanOutTask);
    m_scheduler->cancel(m_pickTask);
    m_fanOutTask = 0;
    m_pickTask = 0;
}

void FanSelection::appear()
{
    cancelTasks();
    for (FanCard *card : std::as_const(m_cards))
        card->rest();
    if (m_selectedIndex != -1) {
        m_selectedIndex = -1;
        emit selectedIndexChanged();
    }
    if (m_fanned) {
        m_fanned = false;
        emit isFannedChanged();
    }
    m_fanOutTask = m_scheduler->schedule(fanOutDelayMs, this, [this] {
        m_fanOutTask = 0;
        fanOut();
    });
}

void FanSelection::fanOut()
{
    m_fanned = true;
    for (FanCard *card : std::as_const(m_cards))
        card->turnTo(fannedAngle(card->index(), cardCount()), fanResponse, fanDamping, staggerSeconds * card->index());
    emit isFannedChanged();
}

bool FanSelection::select(int index)
{
    if (m_selectedIndex != -1 || index < 0 || index >= cardCount())
        return false;
    m_selectedIndex = index;
    for (FanCard *card : std::as_const(m_cards))
        card->setStacking(stackingOrder(card->index(), index));
    m_cards.at(index)->liftTo(1, liftResponse, liftDamping);
    emit selectedIndexChanged();
    m_pickTask = m_scheduler->schedule(pickDelayMs, this, [this, index] {
        m_pickTask = 0;
        emit picked(index);
    });
    return true;
}
