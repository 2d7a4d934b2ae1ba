#pragma once

#include <QString>

#include <optional>

// Finds the files that ship with the application by name and extension. They live in the
// resources compiled into the binary under ":/bundle", either at its top or in one of the
// folders "cards", "sounds", "pictures" and "images". Tests point the root at a temporary
// directory to make files missing or broken.
class ResourceLocation
{
public:
    static QString bundleRoot() { return QStringLiteral(":/bundle"); }

    // Follows the process-wide root, including later changes by setRoot().
    ResourceLocation() = default;
    // Always looks below the given directory.
    explicit ResourceLocation(const QString &root) : m_root(root) {}

    QString root() const;

    // The path of "<name>.<extension>" at the root or in one of its resource folders, or nothing
    // when there is no such file.
    std::optional<QString> path(const QString &name, const QString &extension) const;

    static void setRoot(const QString &root);
    static void resetRoot();

private:
    std::optional<QString> m_root;
};
