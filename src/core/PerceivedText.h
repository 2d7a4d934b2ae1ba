#pragma once

#include <QString>

// Texts measured in user-perceived characters (grapheme clusters): an emoji made of several
// code points, or a letter followed by a combining accent, counts as one character and is
// never cut in half.
namespace PerceivedText {

// The number of user-perceived characters in `text`.
qsizetype length(const QString &text);

// The first `limit` user-perceived characters of `text`; the text itself when it is no longer.
QString truncated(const QString &text, qsizetype limit);

} // namespace PerceivedText
