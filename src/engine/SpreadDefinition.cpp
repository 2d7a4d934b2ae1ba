#include "SpreadDefinition.h"

#include <algorithm>

namespace {

SpreadDefinition makeSpread(const char16_t *id, const char16_t *name, const char16_t *description,
                            const char16_t *iconName, const QList<SpreadPosition> &positions)
{
    return SpreadDefinition{QString::fromUtf16(id),
                            QString::fromUtf16(name),
                            QString::fromUtf16(description),
                            static_cast<int>(positions.size()),
                            positions,
                            QString::fromUtf16(iconName)};
}

SpreadPosition makePosition(int index, const char16_t *id, const char16_t *name, const char16_t *description,
                            QPointF offset, double rotation = 0)
{
    return SpreadPosition{QString::fromUtf16(id),          index,  QString::fromUtf16(name),
                          QString::fromUtf16(description), offset, rotation};
}

} // namespace

size_t qHash(const SpreadPosition &position, size_t seed)
{
    return qHash(position.id, seed);
}

const SpreadDefinition &SpreadDefinition::singleCard()
{
    static const SpreadDefinition spread = makeSpread(
        u"single_card", u"Single Card", u"Draw a single card for quick guidance or a daily message.",
        u"rectangle.portrait", {makePosition(0, u"guidance", u"Guidance", u"Your message for this moment", {0, 0})});
    return spread;
}

const SpreadDefinition &SpreadDefinition::yesNo()
{
    static const SpreadDefinition spread = makeSpread(
        u"yes_no", u"Yes or No", u"Ask a yes or no question and draw a card for your answer.", u"questionmark.circle",
        {makePosition(0, u"answer", u"Answer", u"The answer to your question", {0, 0})});
    return spread;
}

const SpreadDefinition &SpreadDefinition::threeCard()
{
    static const SpreadDefinition spread = makeSpread(
        u"three_card", u"Past, Present, Future",
        u"A three-card spread showing the flow of time and how your situation is unfolding.", u"rectangle.split.3x1",
        {
            makePosition(0, u"past", u"Past", u"Influences from your past that led to the present", {-120, 0}),
            makePosition(1, u"present", u"Present", u"Your current situation and energy", {0, 0}),
            makePosition(2, u"future", u"Future", u"Where your current path is leading", {120, 0}),
        });
    return spread;
}

const SpreadDefinition &SpreadDefinition::celticCross()
{
    // The cross is centred 60 points left of the layout's centre, with the challenge lying on the
    // present card turned a quarter; the staff is a column 160 points right, 100 points apart.
    static const SpreadDefinition spread = makeSpread(
        u"celtic_cross", u"Celtic Cross",
        u"The classic 10-card spread for deep, comprehensive insight into your situation.",
        u"plus.rectangle.on.rectangle",
        {
            makePosition(0, u"present", u"The Present", u"The heart of the matter; your current situation", {-60, 0}),
            makePosition(1, u"crossing", u"The Challenge", u"What crosses you; the obstacle or supporting energy",
                         {-60, 0}, 90),
            makePosition(2, u"foundation", u"The Foundation", u"The root cause; past conditions leading to the present",
                         {-60, 110}),
            makePosition(3, u"recent_past", u"Recent Past", u"Events and influences moving into the background",
                         {-180, 0}),
            makePosition(4, u"crown", u"Best Outcome", u"The best that can be achieved in this situation", {-60, -110}),
            makePosition(5, u"near_future", u"Near Future", u"What is approaching; events coming soon", {60, 0}),
            makePosition(6, u"self", u"Your Position", u"How you see yourself in this situation", {160, 150}),
            makePosition(7, u"environment", u"Your Environment", u"External influences and how others see you",
                         {160, 50}),
            makePosition(8, u"hopes_fears", u"Hopes & Fears", u"Your mindset, expectations, and inner feelings",
                         {160, -50}),
            makePosition(9, u"outcome", u"The Outcome", u"The probable result based on current actions", {160, -150}),
        });
    return spread;
}

const QList<SpreadDefinition> &SpreadDefinition::allSpreads()
{
    static const QList<SpreadDefinition> spreads{singleCard(), yesNo(), threeCard(), celticCross()};
    return spreads;
}

std::optional<SpreadDefinition> SpreadDefinition::withID(const QString &id)
{
    const QList<SpreadDefinition> &spreads = allSpreads();
    const auto found = std::find_if(spreads.cbegin(), spreads.cend(),
                                    [&id](const SpreadDefinition &spread) { return spread.id == id; });
    if (found == spreads.cend())
        return std::nullopt;
    return *found;
}
