#pragma once

#include <QtGlobal>

// Where every random decision of the app comes from. Implementations only supply raw 64-bit
// values; the rules built on them (bounded integers, the coin, doubles in a range) are fixed
// here, so a scripted source in a test sees exactly which raw values each rule consumes.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // 64 independent, uniformly distributed bits.
    virtual quint64 next() = 0;

    // The operating system's secure generator, shared by the whole process.
    static RandomSource &system();

    // An integer in 0 ... count − 1, every value equally likely; count must be at least 1.
    // Raw values from the incomplete top block of the 64-bit range are drawn again, because
    // reducing them would favour the small results.
    quint64 uniformIndex(quint64 count);
    // True or false with equal chance, from one fresh raw value.
    bool coin();
    // A double in [lower, upper] with both ends possible: one of 2^53 + 1 evenly spaced steps.
    double uniformDouble(double lower, double upper);
};

// Draws from QRandomGenerator::system(), which is never seeded.
class SystemRandomSource final : public RandomSource
{
public:
    quint64 next() override;
};
