#include "ReadingsToLookBack.h"

#include "Clock.h"
#include "Readings.h"

QList<Reading *> ReadingsToLookBack::select(ModelContext &context, int limit) const
{
    return Readings(&context).due(Clock::today(), limit);
}

void ReadingsToLookBack::refreshed()
{
    // Fewer rows than the limit are all there are; otherwise the rest are counted on disk.
    const int total = !modelContext()     ? 0
                      : count() < limit() ? count()
                                          : Readings(modelContext()).dueCount(Clock::today());
    if (total == m_total)
        return;
    m_total = total;
    emit totalChanged();
}
