#pragma once

#include <QObject>

#include <optional>

// The five sections of the sidebar, in sidebar order. A section's title is also its raw value.
class AppSection
{
    Q_GADGET

public:
    enum Section { DailyCard, Readings, Study, Library, Journal };
    Q_ENUM(Section)

    static const QList<Section> &all();
    static QString title(Section section);
    static QString iconName(Section section);
    // The section whose title is exactly `text`, or none.
    static std::optional<Section> fromTitle(const QString &text);
};
