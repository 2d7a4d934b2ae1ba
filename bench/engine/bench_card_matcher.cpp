#include "CardDataStore.h"
#include "CardMatcher.h"
#include "Median.h"

#include <QCoreApplication>

#include <cstdio>

// Naming a card by typing: each of these typed a character at a time, the matcher asked again
// at every keystroke. Prints the median over all keystrokes and the slowest one.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<TarotCard> &cards = CardDataStore::shared().allCards();
    const CardMatcher matcher(cards);
    const QStringList typed{QStringLiteral("the tower"), QStringLiteral("3 cups"),  QStringLiteral("queen of swords"),
                            QStringLiteral("xvi"),       QStringLiteral("5 coins"), QStringLiteral("wheel of fortune")};
    std::vector<double> keystrokes;
    qsizetype found = 0;
    for (const QString &text : typed)
        for (qsizetype length = 1; length <= text.size(); ++length)
            keystrokes.push_back(medianMicroseconds(200, [&] { found += matcher.match(text.left(length)).size(); }));
    std::sort(keystrokes.begin(), keystrokes.end());
    std::printf("card matcher per keystroke over %zu keystrokes: median %.2f us, slowest %.2f us (budget 1000)\n",
                keystrokes.size(), keystrokes[keystrokes.size() / 2], keystrokes.back());
    return found > 0 ? 0 : 1;
}
