#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The mood vocabulary and its colours, for the screens that offer mood chips.
class MoodPalette : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QStringList moods READ moods CONSTANT)

public:
    explicit MoodPalette(QObject *parent = nullptr) : QObject(parent) {}

    QStringList moods() const;
    Q_INVOKABLE QColor color(const QString &mood) const;
    // The mood after clicking `chosen` when `current` is set: the same mood again clears it.
    Q_INVOKABLE static QString toggled(const QString &current, const QString &chosen);
};
