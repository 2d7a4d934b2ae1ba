#include "FavoriteToggle.h"

#include "ModelContext.h"
#include "Reading.h"
#include "StoreLog.h"

void FavoriteToggle::setReading(Reading *reading)
{
    if (m_reading == reading)
        return;
    if (m_reading)
        disconnect(m_reading, nullptr, this, nullptr);
    m_reading = reading;
    if (reading)
        connect(reading, &Reading::isFavoriteChanged, this, &FavoriteToggle::isFavoriteChanged);
    emit readingChanged();
    emit isFavoriteChanged();
}

bool FavoriteToggle::isFavorite() const
{
    return m_reading && m_reading->isFavorite();
}

QString FavoriteToggle::symbolName() const
{
    return isFavorite() ? QStringLiteral("star.fill") : QStringLiteral("star");
}

void FavoriteToggle::toggle()
{
    if (!m_reading)
        return;
    m_reading->setIsFavorite(!m_reading->isFavorite());
    if (ModelContext *context = m_reading->context())
        saveContext(*context);
}
