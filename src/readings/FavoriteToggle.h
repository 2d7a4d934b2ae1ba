#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class Reading;
Q_MOC_INCLUDE("Reading.h")

// Stars or unstars one stored reading and saves its context; a failed save is logged and the
// star stays as the user set it, to be stored by the next save.
class FavoriteToggle : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Reading *reading READ reading WRITE setReading NOTIFY readingChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite NOTIFY isFavoriteChanged)
    Q_PROPERTY(QString symbolName READ symbolName NOTIFY isFavoriteChanged)

public:
    explicit FavoriteToggle(QObject *parent = nullptr) : QObject(parent) {}

    Reading *reading() const { return m_reading; }
    void setReading(Reading *reading);
    bool isFavorite() const;
    // "star.fill" for a starred reading, "star" otherwise.
    QString symbolName() const;

    Q_INVOKABLE void toggle();

signals:
    void readingChanged();
    void isFavoriteChanged();

private:
    QPointer<Reading> m_reading;
};
