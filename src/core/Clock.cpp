#include "Clock.h"

std::function<QDateTime()> Clock::s_source;

QDateTime Clock::now()
{
    return s_source ? s_source().toLocalTime() : QDateTime::currentDateTime();
}

void Clock::pin(const QDateTime &instant)
{
    if (instant.isValid())
        s_source = [instant] { return instant; };
    else
        s_source = nullptr;
}

void Clock::follow(std::function<QDateTime()> source)
{
    s_source = std::move(source);
}

void Clock::reset()
{
    s_source = nullptr;
}
