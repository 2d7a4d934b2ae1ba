#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// The short sound effects of the card rituals.
namespace SoundEffect {
Q_NAMESPACE
QML_ELEMENT

enum Effect { Shuffle, CardFlip, CardPlace, Reveal };
Q_ENUM_NS(Effect)

} // namespace SoundEffect

// Where the card views and the reading flows announce the moments that have a sound: a shuffle
// starts, a card turns face up, a reading is revealed. They never play sound themselves; the
// application's sound player listens here and decides whether and how to play.
class SoundCues : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    static SoundCues &shared();
    static SoundCues *create(QQmlEngine *, QJSEngine *);

    Q_INVOKABLE void cue(SoundEffect::Effect effect) { emit cued(effect); }

signals:
    void cued(SoundEffect::Effect effect);

private:
    explicit SoundCues(QObject *parent = nullptr) : QObject(parent) {}
};
