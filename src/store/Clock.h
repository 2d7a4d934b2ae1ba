#pragma once

#include <QDateTime>

#include <optional>

// The wall clock every rule asks for "now" and "today". Tests pin it to a fixed instant.
class Clock
{
public:
    static QDateTime now();
    static QDate today() { return now().date(); }

    // Fixes "now" to the given instant until reset(); an invalid instant resets.
    static void pin(const QDateTime &instant);
    static void reset();

private:
    static std::optional<QDateTime> s_pinned;
};
