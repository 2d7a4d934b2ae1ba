#include "Spreads.h"

#include "ModelContext.h"
#include "Spread.h"

QList<Spread *> Spreads::all() const
{
    if (!m_context)
        return {};
    return m_context->fetch<Spread>({}, [](const Spread *a, const Spread *b) {
        return a->created() < b->created() || (a->created() == b->created() && a->storeId() < b->storeId());
    });
}

Spread *Spreads::withId(const QUuid &id) const
{
    if (!m_context || id.isNull())
        return nullptr;
    const QList<Spread *> found = m_context->fetch<Spread>([&id](const Spread *spread) { return spread->id() == id; });
    return found.isEmpty() ? nullptr : found.constFirst();
}

Spread *Spreads::add(const QString &name, const QString &summary, const QString &layout) const
{
    if (!m_context)
        return nullptr;
    auto *spread = new Spread;
    spread->setName(name);
    spread->setSummary(summary);
    spread->setLayout(layout);
    m_context->insert(spread);
    return spread;
}

void Spreads::remove(Spread *spread) const
{
    if (m_context && spread)
        m_context->remove(spread);
}
