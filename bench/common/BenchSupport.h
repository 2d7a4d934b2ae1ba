#pragma once

#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QString>

#include <ctime>

// CPU time of the calling thread in milliseconds: on a busy machine it leaves out the time
// other processes hold the processor, which wall-clock time cannot.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The item named `objectName` at or below `item`, or null.
inline QQuickItem *findItem(QQuickItem *item, const QString &objectName)
{
    if (item->objectName() == objectName)
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findItem(child, objectName))
            return found;
    return nullptr;
}

// The renderer drawing `window`, for a benchmark's report.
inline const char *rendererName(QQuickWindow &window)
{
    switch (window.rendererInterface()->graphicsApi()) {
    case QSGRendererInterface::Software:
        return "software";
    case QSGRendererInterface::OpenGL:
        return "OpenGL";
    default:
        return "other";
    }
}
