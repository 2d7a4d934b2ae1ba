#pragma once

#include <QObject>
#include <QUrl>

#include <optional>

// The six sections of the sidebar, in sidebar order. A section's title is also its raw value.
class AppSection
{
    Q_GADGET

public:
    enum Section { DailyCard, Readings, Study, Library, Journal, Insights };
    Q_ENUM(Section)

    static const QList<Section> &all();
    static QString title(Section section);
    static QString iconName(Section section);
    // The root screen of a section's stack, loaded by its file when the section is first shown
    // so that no section's screens are read before they are needed. It is given the window's
    // store context as `modelContext`.
    static QUrl rootScreen(Section section);
    // The section whose title is exactly `text`, or none.
    static std::optional<Section> fromTitle(const QString &text);
};
