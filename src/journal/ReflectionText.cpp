#include "ReflectionText.h"

#include <QTextBoundaryFinder>

namespace ReflectionText {

namespace {

// The position in UTF-16 units after the first `limit` grapheme clusters, or -1 when the text
// has no more than `limit` of them.
qsizetype cutPosition(const QString &text, int limit)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    qsizetype position = 0;
    while ((position = finder.toNextBoundary()) != -1) {
        if (++count == limit)
            return position < text.size() ? position : -1;
    }
    return -1;
}

} // namespace

int characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QString limited(const QString &text, int limit)
{
    // Every character takes at least one UTF-16 unit, so a short text needs no counting; this
    // keeps typing cheap whatever the length of the reflection.
    if (text.size() <= limit)
        return text;
    if (limit <= 0)
        return QString(QLatin1String(""));
    const qsizetype cut = cutPosition(text, limit);
    return cut < 0 ? text : text.left(cut);
}

} // namespace ReflectionText
