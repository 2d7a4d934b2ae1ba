#include "Record.h"

#include "ModelContext.h"

#include <QMetaProperty>

void Record::markChanged(const QMetaMethod &notify)
{
    // Outside a context (being built, or being loaded) a record is written whole, if at all.
    if (!m_context)
        return;
    const QMetaObject *meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isStored() && property.notifySignalIndex() == notify.methodIndex()) {
            Q_ASSERT(i < 64);
            m_changedProperties |= quint64(1) << i;
        }
    }
    m_context->recordChanged(this);
}
