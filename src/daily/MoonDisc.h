#pragma once

#include <QColor>
#include <QPainterPath>
#include <QtQml/qqmlregistration.h>

#include "RenderedItem.h"
// The moon of a phase drawn as a disc with its lit part, in the palette's colours: colour
// emoji fonts are not a given on a Linux desktop, and the plain moon symbols draw black on
// the dark band. MoonPhase says how much is lit and on which side.
class MoonDisc : public RenderedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double litFraction READ litFraction WRITE setLitFraction NOTIFY changed)
    Q_PROPERTY(bool litOnRight READ litOnRight WRITE setLitOnRight NOTIFY changed)
    Q_PROPERTY(QColor litColor READ litColor WRITE setLitColor NOTIFY changed)
    Q_PROPERTY(QColor darkColor READ darkColor WRITE setDarkColor NOTIFY changed)

public:
    explicit MoonDisc(QQuickItem *parent = nullptr);

    double litFraction() const { return m_litFraction; }
    bool litOnRight() const { return m_litOnRight; }
    QColor litColor() const { return m_litColor; }
    QColor darkColor() const { return m_darkColor; }
    void setLitFraction(double fraction);
    void setLitOnRight(bool right);
    void setLitColor(const QColor &color);
    void setDarkColor(const QColor &color);

    // The lit part of the disc inside `bounds`: the limb on the lit side closed by the
    // terminator, half an ellipse that bulges towards the lit side while less than half is lit
    // and away from it after. Its area is `fraction` of the disc's.
    static QPainterPath litShape(const QRectF &bounds, double fraction, bool litOnRight);

protected:
    QImage renderPicture(QSize pixels, double dpr) const override;

private:
    double m_litFraction = 0;
    bool m_litOnRight = true;
    QColor m_litColor;
    QColor m_darkColor;
};
