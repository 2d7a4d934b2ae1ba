#include "Clock.h"

std::optional<QDateTime> Clock::s_pinned;

QDateTime Clock::now()
{
    return s_pinned ? *s_pinned : QDateTime::currentDateTime();
}

void Clock::pin(const QDateTime &instant)
{
    if (instant.isValid())
        s_pinned = instant.toLocalTime();
    else
        s_pinned.reset();
}

void Clock::reset()
{
    s_pinned.reset();
}
