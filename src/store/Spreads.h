#pragma once

#include <QList>
#include <QString>
#include <QUuid>

class ModelContext;
class Spread;

// The spreads the user designed, oldest first. There are few, so they are read whole.
class Spreads
{
public:
    explicit Spreads(ModelContext *context) : m_context(context) {}

    QList<Spread *> all() const;
    Spread *withId(const QUuid &id) const;
    // A new spread, stored by the next save.
    Spread *add(const QString &name, const QString &summary, const QString &layout) const;
    // Removes the spread, on disk by the next save; readings made with it keep their own copy.
    void remove(Spread *spread) const;

private:
    ModelContext *m_context;
};
