#pragma once

#include <QString>

// The length limit of reflections edited in place, counted in user-perceived characters
// (grapheme clusters): an emoji made of several code points, or a letter with a combining
// accent, counts once and is never cut in half.
namespace ReflectionText {

inline constexpr int maxCharacters = 50'000;

// The number of user-perceived characters in `text`.
int characterCount(const QString &text);
// The first `limit` user-perceived characters of `text`; the text itself when it is shorter.
QString limited(const QString &text, int limit = maxCharacters);

} // namespace ReflectionText
