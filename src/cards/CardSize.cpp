#include "CardSize.h"

#include "Theme.h"

CardMetrics CardMetrics::forSize(CardSize::Size size)
{
    using TS = Theme::TextStyle;
    using D = Theme::Design;
    using W = Theme::Weight;
    CardMetrics m;
    switch (size) {
    case CardSize::Miniature:
        m.width = 55;
        m.cornerRadius = 4;
        // No text style is this small: the caption serif brought down to 7 pixels.
        m.nameFont = Theme::font(TS::Caption2, D::Serif);
        m.nameFont.setPixelSize(7);
        m.symbolSize = 10;
        m.backSymbolSize = 10;
        m.faceSpacing = 1;
        break;
    case CardSize::Small:
        m.width = 80;
        m.cornerRadius = 6;
        m.nameFont = Theme::font(TS::Caption2, D::Serif);
        m.symbolSize = 14;
        m.backSymbolSize = 10;
        m.faceSpacing = 4;
        break;
    case CardSize::Medium:
        m.width = 140;
        m.cornerRadius = 10;
        m.nameFont = Theme::font(TS::Caption, D::Serif, W::Semibold);
        m.symbolSize = 24;
        m.backSymbolSize = 18;
        m.faceSpacing = 4;
        m.showsReversedMarker = true;
        break;
    case CardSize::Large:
        m.width = 220;
        m.cornerRadius = 14;
        m.nameFont = Theme::font(TS::Title, D::Serif, W::Bold);
        m.symbolSize = 40;
        m.backSymbolSize = 28;
        m.faceSpacing = 8;
        m.showsReversedMarker = true;
        break;
    }
    m.height = m.width * 16 / 9;
    return m;
}
