#include "Settings.h"

#include "AppSettings.h"
#include "ModelContext.h"

AppSettings *Settings::stored() const
{
    if (!m_context)
        return nullptr;
    const QList<AppSettings *> all = m_context->fetch<AppSettings>();
    return all.isEmpty() ? nullptr : all.constFirst();
}

const AppSettings &Settings::current() const
{
    if (const AppSettings *settings = stored())
        return *settings;
    static const AppSettings defaults;
    return defaults;
}
