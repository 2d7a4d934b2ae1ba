#include "ResourceLocation.h"

#include <QFileInfo>

namespace {
// Empty while the bundle itself is the root.
std::optional<QString> s_rootOverride;
} // namespace

QString ResourceLocation::root() const
{
    return m_root.value_or(s_rootOverride.value_or(bundleRoot()));
}

void ResourceLocation::setRoot(const QString &root)
{
    s_rootOverride = root;
}

void ResourceLocation::resetRoot()
{
    s_rootOverride.reset();
}

std::optional<QString> ResourceLocation::path(const QString &name, const QString &extension) const
{
    static const QStringList folders{QString(), QStringLiteral("cards"), QStringLiteral("sounds"),
                                     QStringLiteral("pictures"), QStringLiteral("images")};
    const QString fileName = name + u'.' + extension;
    const QString base = root();
    for (const QString &folder : folders) {
        const QString candidate = folder.isEmpty() ? base + u'/' + fileName : base + u'/' + folder + u'/' + fileName;
        // Anything by that name counts as found, as a bundle lookup would; whether it can be read
        // is for the caller to find out.
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return std::nullopt;
}
