#pragma once

#include "StarredReadings.h"

// The readings whose day to look back on has come and that have no outcome yet, newest first,
// live like the starred ones; `total` counts them all, however few are listed.
class ReadingsToLookBack : public StarredReadings
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int total READ total NOTIFY totalChanged)

public:
    explicit ReadingsToLookBack(QObject *parent = nullptr) : StarredReadings(parent) {}

    int total() const { return m_total; }

signals:
    void totalChanged();

protected:
    QList<Reading *> select(ModelContext &context, int limit) const override;
    void refreshed() override;

private:
    int m_total = 0;
};
