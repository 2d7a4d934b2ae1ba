#pragma once

#include "Scheduler.h"
#include "SpringEasing.h"

#include <QList>
#include <QObject>
#include <QQmlListProperty>
#include <QtQml/qqmlregistration.h>

// One face-down card of the fan: its turn about the middle of its bottom edge and how far it is
// raised out of the fan, both moved by springs, and its place in the drawing order.
class FanCard : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by FanSelection")
    Q_PROPERTY(int index READ index CONSTANT)
    Q_PROPERTY(double angle READ angle NOTIFY moved)
    Q_PROPERTY(double lift READ lift NOTIFY moved)
    Q_PROPERTY(int stacking READ stacking NOTIFY stackingChanged)

public:
    FanCard(int index, QObject *parent);

    int index() const { return m_index; }
    // Degrees, clockwise.
    double angle() const { return m_angle.value(); }
    // 0 in the fan; 1 raised 30 points and scaled by 1.1 (it may overshoot on the way).
    double lift() const { return m_lift.value(); }
    int stacking() const { return m_stacking; }

    void turnTo(double angle, double response, double damping, double delay)
    {
        m_angle.animateTo(angle, response, damping, delay);
    }
    void liftTo(double lift, double response, double damping) { m_lift.animateTo(lift, response, damping); }
    void rest();
    void setStacking(int stacking);

signals:
    void moved();
    void stackingChanged();

private:
    int m_index;
    int m_stacking;
    SpringMotion m_angle;
    SpringMotion m_lift;
};

// A fan of face-down cards to pick one from. When it appears the cards lie stacked; after
// 0.3 s they spread over the arc one after another from left to right. The first click picks
// a card: it rises out of the fan, and 0.3 s later picked() reports it. Every later click of
// that appearance does nothing. Timed by a Scheduler, so tests drive the delays.
class FanSelection : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the yes/no reading")
    Q_PROPERTY(int cardCount READ cardCount CONSTANT)
    Q_PROPERTY(double fanArc READ fanArc CONSTANT)
    Q_PROPERTY(double cardWidth READ cardWidth CONSTANT)
    Q_PROPERTY(double cardHeight READ cardHeight CONSTANT)
    Q_PROPERTY(bool isFanned READ isFanned NOTIFY isFannedChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(QQmlListProperty<FanCard> cards READ cardList CONSTANT)

public:
    static constexpr double arc = 150;
    static constexpr int fanOutDelayMs = 300;
    static constexpr int pickDelayMs = 300;
    // The spreading spring, and the wait of card i before it moves: i × staggerSeconds.
    static constexpr double fanResponse = 0.5;
    static constexpr double fanDamping = 0.8;
    static constexpr double staggerSeconds = 0.05;
    // The spring that raises the picked card.
    static constexpr double liftResponse = 0.3;
    static constexpr double liftDamping = 0.7;
    // The drawing order of the picked card: above every other.
    static constexpr int selectedStacking = 100;

    explicit FanSelection(int cardCount = 9, QObject *parent = nullptr);
    ~FanSelection() override;

    // The angle of card `index` of `count` spread over `arcDegrees`, from −arc/2 on the left to
    // +arc/2 on the right in equal steps. A fan needs two cards to spread; one lies straight.
    static double fannedAngle(int index, int count, double arcDegrees = arc);
    // Later cards lie on earlier ones; the picked card lies on all of them.
    static int stackingOrder(int index, int selectedIndex);

    int cardCount() const { return int(m_cards.size()); }
    double fanArc() const { return arc; }
    double cardWidth() const { return 90; }
    double cardHeight() const { return 135; }
    bool isFanned() const { return m_fanned; }
    int selectedIndex() const { return m_selectedIndex; }
    const QList<FanCard *> &cards() const { return m_cards; }

    // Times the delays with `scheduler` from now on; it must outlive this object.
    void setScheduler(Scheduler &scheduler) { m_scheduler = &scheduler; }

    // The fan is shown: the cards lie stacked and nothing is picked; they spread after 0.3 s.
    void appear();
    // A click on card `index`. Returns whether it picked the card.
    Q_INVOKABLE bool select(int index);

signals:
    void isFannedChanged();
    void selectedIndexChanged();
    // 0.3 s after a card was picked.
    void picked(int index);

private:
    QQmlListProperty<FanCard> cardList();
    void fanOut();
    void cancelTasks();

    QList<FanCard *> m_cards;
    Scheduler *m_scheduler;
    Scheduler::TaskId m_fanOutTask = 0;
    Scheduler::TaskId m_pickTask = 0;
    bool m_fanned = false;
    int m_selectedIndex = -1;
};
