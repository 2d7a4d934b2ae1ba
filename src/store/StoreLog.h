#pragma once

#include <QLoggingCategory>

class ModelContext;

// The application's two log categories, under its identifier.
Q_DECLARE_LOGGING_CATEGORY(lcApp)       // the store could not be opened
Q_DECLARE_LOGGING_CATEGORY(lcSwiftData) // a save of the context failed

// Saves the context; a failure is logged and otherwise ignored, so callers carry on and the
// in-memory changes stay for the next save. Returns whether the save succeeded.
bool saveContext(ModelContext &context);
