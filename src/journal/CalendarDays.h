#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QDate>
#include <QtQml/qqmlregistration.h>

// The cells of one month grid: the leading blanks, then one cell per day with how it is drawn.
// A new month or a changed entry updates the cells in place, so the grid's delegates are kept
// and only the cells that changed are redrawn.
class CalendarDays : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the journal calendar")

public:
    struct Cell
    {
        bool blank = true;
        QDate date;
        bool isSelected = false;
        bool isToday = false;
        bool hasEntry = false;
        QString mood; // the entry's mood; empty without one

        bool operator==(const Cell &) const = default;
    };

    enum Roles {
        BlankRole = Qt::UserRole + 1,
        DayNumberRole,
        DayTextRole,
        DateRole,
        IsSelectedRole,
        IsTodayRole,
        HasEntryRole,
        MoodRole,
        FillColorRole,
        OutlineColorRole,
        DotColorRole,
        NumberColorRole,
        AccessibleNameRole,
    };

    explicit CalendarDays(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<Cell> &cells() const { return m_cells; }
    // Replaces the cells, telling views only about the rows that changed.
    void setCells(const QList<Cell> &cells);

    // How a day is drawn. The selected day is gold whatever its mood; a day with an entry is
    // tinted with its mood (or violet without one) and outlined in it when not selected.
    static QColor fillColor(const Cell &cell);
    static QColor outlineColor(const Cell &cell);
    static QColor dotColor(const Cell &cell);
    static QColor numberColor(const Cell &cell);

private:
    QList<Cell> m_cells;
};
