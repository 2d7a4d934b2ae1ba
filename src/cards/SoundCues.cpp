#include "SoundCues.h"

#include <QQmlEngine>

SoundCues &SoundCues::shared()
{
    static SoundCues cues;
    return cues;
}

SoundCues *SoundCues::create(QQmlEngine *, QJSEngine *)
{
    SoundCues *cues = &shared();
    QQmlEngine::setObjectOwnership(cues, QQmlEngine::CppOwnership);
    return cues;
}
