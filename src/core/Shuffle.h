#pragma once

#include "RandomSource.h"

#include <QList>

namespace Random {

// Forward Fisher–Yates: for each place but the last, swap in an element chosen uniformly from
// that place onwards. Lists of fewer than two elements are left alone without drawing. Every
// shuffle of the app goes through here, so all of them consume randomness the same way.
template <typename T> void shuffle(QList<T> &items, RandomSource &random)
{
    const qsizetype count = items.size();
    if (count < 2)
        return;
    for (qsizetype i = 0; i < count - 1; ++i) {
        const auto j = i + qsizetype(random.uniformIndex(quint64(count - i)));
        if (j != i)
            items.swapItemsAt(i, j);
    }
}

} // namespace Random
