#include "CalendarDays.h"

#include "DateFormat.h"
#include "JournalEntry.h"
#include "Theme.h"

CalendarDays::CalendarDays(QObject *parent) : QAbstractListModel(parent)
{}

int CalendarDays::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cells.size());
}

QVariant CalendarDays::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cells.size())
        return {};
    const Cell &cell = m_cells.at(index.row());
    switch (role) {
    case BlankRole:
        return cell.blank;
    case DayNumberRole:
        return cell.blank ? 0 : cell.date.day();
    case DayTextRole:
        return cell.blank ? QString() : QLocale().toString(cell.date.day());
    case DateRole:
        return cell.date;
    case IsSelectedRole:
        return cell.isSelected;
    case IsTodayRole:
        return cell.isToday;
    case HasEntryRole:
        return cell.hasEntry;
    case MoodRole:
        return cell.mood;
    case FillColorRole:
        return fillColor(cell);
    case OutlineColorRole:
        return outlineColor(cell);
    case DotColorRole:
        return dotColor(cell);
    case NumberColorRole:
        return numberColor(cell);
    case AccessibleNameRole: {
        if (cell.blank)
            return QString();
        QString name = DateFormat::longDate(cell.date);
        if (!cell.mood.isEmpty())
            name += QStringLiteral(", ") + cell.mood;
        if (cell.isToday)
            name += QStringLiteral(", ") + tr("today");
        return name;
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> CalendarDays::roleNames() const
{
    return {
        {BlankRole, "blank"},
        {DayNumberRole, "dayNumber"},
        {DayTextRole, "dayText"},
        {DateRole, "date"},
        {IsSelectedRole, "isSelected"},
        {IsTodayRole, "isToday"},
        {HasEntryRole, "hasEntry"},
        {MoodRole, "mood"},
        {FillColorRole, "fillColor"},
        {OutlineColorRole, "outlineColor"},
        {DotColorRole, "dotColor"},
        {NumberColorRole, "numberColor"},
        {AccessibleNameRole, "accessibleName"},
    };
}

void CalendarDays::setCells(const QList<Cell> &cells)
{
    const int oldCount = int(m_cells.size());
    const int newCount = int(cells.size());
    // Rows are added or dropped at the end only, so the delegates of the other rows stay.
    if (newCount > oldCount) {
        beginInsertRows({}, oldCount, newCount - 1);
        m_cells.append(cells.mid(oldCount));
        endInsertRows();
    } else if (newCount < oldCount) {
        beginRemoveRows({}, newCount, oldCount - 1);
        m_cells.resize(newCount);
        endRemoveRows();
    }
    const int common = std::min(oldCount, newCount);
    for (int row = 0; row < common; ++row) {
        if (m_cells.at(row) == cells.at(row))
            continue;
        m_cells[row] = cells.at(row);
        emit dataChanged(index(row), index(row));
    }
}

QColor CalendarDays::fillColor(const Cell &cell)
{
    if (cell.blank)
        return Qt::transparent;
    if (cell.isSelected)
        return Theme::accent();
    if (!cell.hasEntry)
        return Qt::transparent;
    if (cell.mood.isEmpty())
        return Theme::alpha(Theme::surface(), 0.12);
    return Theme::alpha(JournalEntry::moodColor(cell.mood), 0.15);
}

QColor CalendarDays::outlineColor(const Cell &cell)
{
    if (cell.blank || cell.isSelected || !cell.hasEntry || cell.mood.isEmpty())
        return Qt::transparent;
    return Theme::alpha(JournalEntry::moodColor(cell.mood), 0.6);
}

QColor CalendarDays::dotColor(const Cell &cell)
{
    if (cell.blank || !cell.hasEntry || cell.mood.isEmpty())
        return Qt::transparent;
    return JournalEntry::moodColor(cell.mood);
}

QColor CalendarDays::numberColor(const Cell &cell)
{
    if (cell.isSelected)
        return Theme::background();
    if (cell.isToday)
        return Theme::accent();
    return Theme::textPrimary();
}
