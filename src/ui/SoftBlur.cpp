#include "SoftBlur.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One horizontal and one vertical box-blur pass of radius `r` over the alpha of a premultiplied
// image. The pixels are reached through one pointer: asking the image for a scan line per pixel
// costs a detach check each time, which made the first shadow of the start-up screen slow.
void boxBlur(QImage &image, int r)
{
    const int w = image.width();
    const int h = image.height();
    uchar *const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    std::vector<int> line(size_t(std::max(w, h)));
    for (const bool horizontal : {true, false}) {
        const int outer = horizontal ? h : w;
        const int inner = horizontal ? w : h;
        for (int o = 0; o < outer; ++o) {
            auto pixel = [&](int i) -> QRgb & {
                return reinterpret_cast<QRgb *>(bits + (horizontal ? o : i) * bytesPerLine)[horizontal ? i : o];
            };
            for (int i = 0; i < inner; ++i)
                line[size_t(i)] = qAlpha(pixel(i));
            int sum = 0;
            for (int i = 0; i <= r && i < inner; ++i)
                sum += line[size_t(i)];
            for (int i = 0; i < inner; ++i) {
                pixel(i) = qRgba(0, 0, 0, sum / (2 * r + 1));
                if (i - r >= 0)
                    sum -= line[size_t(i - r)];
                if (i + r + 1 < inner)
                    sum += line[size_t(i + r + 1)];
            }
        }
    }
}

} // namespace

QImage SoftBlur::tinted(const QImage &shape, double radius, const QColor &color)
{
    QImage alpha = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (alpha.isNull())
        return alpha;
    // Three box passes of a third of the radius each approximate a Gaussian blur.
    const int box = std::max(1, int(std::lround(radius / 3)));
    for (int i = 0; i < 3; ++i)
        boxBlur(alpha, box);
    QImage result(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawImage(0, 0, alpha);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}
