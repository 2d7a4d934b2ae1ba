#pragma once

#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The four fixed sizes every card face and back is drawn at.
namespace CardSize {
Q_NAMESPACE
QML_ELEMENT

enum Size { Miniature, Small, Medium, Large };
Q_ENUM_NS(Size)

} // namespace CardSize

// Everything that one card size fixes: the 9 : 16 footprint, the corner radius, the name font,
// the symbol sizes of face and back, and the spacing between symbol and name on the face.
struct CardMetrics
{
    Q_GADGET
    QML_VALUE_TYPE(cardMetrics)
    Q_PROPERTY(double width MEMBER width CONSTANT)
    Q_PROPERTY(double height MEMBER height CONSTANT)
    Q_PROPERTY(double cornerRadius MEMBER cornerRadius CONSTANT)
    Q_PROPERTY(QFont nameFont MEMBER nameFont CONSTANT)
    Q_PROPERTY(int minimumNamePixelSize READ minimumNamePixelSize CONSTANT)
    Q_PROPERTY(double symbolSize MEMBER symbolSize CONSTANT)
    Q_PROPERTY(double backSymbolSize MEMBER backSymbolSize CONSTANT)
    Q_PROPERTY(double faceSpacing MEMBER faceSpacing CONSTANT)
    Q_PROPERTY(bool showsReversedMarker MEMBER showsReversedMarker CONSTANT)

public:
    double width = 0;
    double height = 0;
    double cornerRadius = 0;
    QFont nameFont;
    double symbolSize = 0;
    double backSymbolSize = 0;
    double faceSpacing = 0;
    // Only the two larger sizes have room for the "R" marker of a reversed card.
    bool showsReversedMarker = false;

    // Long names shrink down to 70 % of the name font before they are cut short.
    int minimumNamePixelSize() const { return int(nameFont.pixelSize() * 0.7); }

    static CardMetrics forSize(CardSize::Size size);
};
