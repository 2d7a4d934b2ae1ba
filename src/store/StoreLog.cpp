#include "StoreLog.h"

#include "ModelContext.h"

Q_LOGGING_CATEGORY(lcApp, "com.quillmoor.tarot.App")
Q_LOGGING_CATEGORY(lcSwiftData, "com.quillmoor.tarot.SwiftData")

bool saveContext(ModelContext &context)
{
    QString error;
    if (context.save(&error))
        return true;
    qCCritical(lcSwiftData, "SwiftData save error: %s", qUtf8Printable(error));
    return false;
}
