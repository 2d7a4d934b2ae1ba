#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QtQml/qqmlregistration.h>

#include "RenderedItem.h"

// A soft glow of a line of text: the text in `color`, blurred by `radius` pixels, meant to lie
// under the same text drawn sharp. Its implicit size is the text's with `radius` all round, so
// the glow can spill; centre it on the text it lights.
class GlowText : public RenderedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY changed)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY changed)

public:
    explicit GlowText(QQuickItem *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    double radius() const { return m_radius; }
    void setRadius(double radius);

    // The glow picture of `text`: the text centred in `size` logical pixels drawn at `dpr`,
    // blurred by `radius` logical pixels and filled with `color`.
    static QImage render(QSizeF size, double dpr, const QString &text, const QFont &font, double radius,
                         const QColor &color);

protected:
    QImage renderPicture(QSize pixels, double dpr) const override;
    bool hasPicture() const override;

private:
    void updateImplicitSize();

    QString m_text;
    QFont m_font;
    QColor m_color;
    double m_radius = 20;
};
