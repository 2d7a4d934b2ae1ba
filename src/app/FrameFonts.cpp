#include "FrameFonts.h"

#include "Theme.h"

#include <QTextLayout>

namespace FrameFonts {

QList<Sample> samples()
{
    const Theme theme;
    QList<Sample> result{{theme.titleSerifBold(), QStringLiteral("Quillmoor")},
                         {theme.body(), QStringLiteral("Help Search Daily Card Readings Study Library Journal")},
                         {theme.subheadline(), QStringLiteral("Ctrl+K")}};
    // The sidebar's symbols: the search field's magnifier, the sections' and the gear's.
    QFont symbols(theme.symbolFontFamily());
    for (const int pixels : {14, 16, 18}) {
        symbols.setPixelSize(pixels);
        result.append({symbols, theme.symbol(QStringLiteral("gearshape"))});
    }
    return result;
}

void prepare()
{
    for (const Sample &sample : samples()) {
        QTextLayout layout(sample.text, sample.font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
    }
}

} // namespace FrameFonts
