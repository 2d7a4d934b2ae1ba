#include "Record.h"

#include "ModelContext.h"

void Record::markChanged()
{
    if (m_context)
        m_context->recordChanged(this);
}
