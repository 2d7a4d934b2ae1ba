#include "AppSection.h"

const QList<AppSection::Section> &AppSection::all()
{
    static const QList<Section> sections{DailyCard, Readings, Study, Library, Journal, Insights};
    return sections;
}

QString AppSection::title(Section section)
{
    switch (section) {
    case DailyCard:
        return QStringLiteral("Daily Card");
    case Readings:
        return QStringLiteral("Readings");
    case Study:
        return QStringLiteral("Study");
    case Library:
        return QStringLiteral("Library");
    case Journal:
        return QStringLiteral("Journal");
    case Insights:
        return QStringLiteral("Insights");
    }
    return {};
}

QString AppSection::iconName(Section section)
{
    switch (section) {
    case DailyCard:
        return QStringLiteral("sun.max.fill");
    case Readings:
        return QStringLiteral("rectangle.stack.fill");
    case Study:
        return QStringLiteral("brain.head.profile");
    case Library:
        return QStringLiteral("book.closed.fill");
    case Journal:
        return QStringLiteral("calendar");
    case Insights:
        return QStringLiteral("chart.bar");
    }
    return {};
}

QUrl AppSection::rootScreen(Section section)
{
    switch (section) {
    case DailyCard:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Daily/DailyCardView.qml"));
    case Library:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Study/CardLibraryView.qml"));
    case Journal:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Journal/JournalCalendarView.qml"));
    case Readings:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Readings/ReadingMenuView.qml"));
    case Study:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Study/StudyMenuView.qml"));
    case Insights:
        return QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Insights/InsightsView.qml"));
    }
    return {};
}

std::optional<AppSection::Section> AppSection::fromTitle(const QString &text)
{
    for (Section section : all())
        if (title(section) == text)
            return section;
    return std::nullopt;
}
