#pragma once

#include <QFont>
#include <QList>
#include <QString>

// The fonts the window's frame (its menu bar and sidebar) draws text in, each with a sample of
// what it shows. Laying the samples out once, on the GUI thread while the window's QML is still
// being read on the loader's thread, opens those fonts and prepares their shaping there; the
// frame's own text then finds them ready instead of doing that work before the first frame.
namespace FrameFonts {

struct Sample
{
    QFont font;
    QString text;
};

QList<Sample> samples();

// Lays out every sample; call on the GUI thread once the app's fonts are registered.
void prepare();

} // namespace FrameFonts
