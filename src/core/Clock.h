#pragma once

#include <QDateTime>

#include <functional>

// The wall clock every rule asks for "now" and "today". Tests pin it to a fixed instant, or
// let it follow a test's own notion of time.
class Clock
{
public:
    static QDateTime now();
    static QDate today() { return now().date(); }

    // Fixes "now" to the given instant until reset(); an invalid instant resets.
    static void pin(const QDateTime &instant);
    // Takes "now" from `source` until reset(), so time can move with a test's scheduler.
    static void follow(std::function<QDateTime()> source);
    static void reset();

private:
    static std::function<QDateTime()> s_source;
};
