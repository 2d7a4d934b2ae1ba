#include "PerceivedText.h"

#include <QTextBoundaryFinder>

namespace PerceivedText {

qsizetype length(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QString truncated(const QString &text, qsizetype limit)
{
    // Every character takes at least one UTF-16 unit, so a text no longer than the limit in
    // units is within it: typing into a long note does not walk the whole note each time.
    if (text.size() <= limit)
        return text;
    if (limit <= 0)
        return QString(QLatin1String(""));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype i = 0; i < limit; ++i) {
        end = finder.toNextBoundary();
        if (end == -1)
            return text;
    }
    return end >= text.size() ? text : text.left(end);
}

} // namespace PerceivedText
