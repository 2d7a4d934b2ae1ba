#pragma once

#include <QtGlobal>

class AppSettings;
class ModelContext;

// The user's settings as the store holds them: one record, or every default while none has
// been stored yet (a first start before its settings are written, or a store opened read-only).
class Settings
{
public:
    explicit Settings(ModelContext *context) : m_context(context) {}

    // The stored settings, or null while there are none.
    AppSettings *stored() const;
    // The stored settings, or a record holding every default. Never null; the defaults are
    // shared and only to be read.
    const AppSettings &current() const;

private:
    ModelContext *m_context;
};
