#pragma once

#include <QColor>
#include <QImage>

// A soft glow or shadow: the opaque parts of `shape` blurred by about `radius` pixels (three
// box passes, close to a Gaussian) and filled with `color`. The result has the shape's size,
// so leave a margin of `radius` around what is drawn for the blur to spill into.
namespace SoftBlur {

QImage tinted(const QImage &shape, double radius, const QColor &color);

} // namespace SoftBlur
