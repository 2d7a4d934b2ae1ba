#pragma once

#include "CalendarDays.h"
#include "EntryFields.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "ModelContext.h"
#include "TarotCard.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

#include <memory>

class CardDataStore;
class DayTracker;
class Scheduler;

// The journal calendar: one month of days tinted by their entries' moods, and the selected
// day with its entry, which can be given a mood and a reflection or created. The month and the
// selection move with the chevrons, a click on a day, and the keyboard. "Today" follows the
// clock, also across midnight while the screen is open.
class JournalCalendarModel : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(QDate displayedMonth READ displayedMonth NOTIFY displayedMonthChanged)
    Q_PROPERTY(QString monthTitle READ monthTitle NOTIFY displayedMonthChanged)
    Q_PROPERTY(QStringList daysOfWeek READ daysOfWeek CONSTANT)
    Q_PROPERTY(CalendarDays *days READ days CONSTANT)
    Q_PROPERTY(QDate selectedDate READ selectedDate NOTIFY selectedDateChanged)
    Q_PROPERTY(QString selectedDateText READ selectedDateText NOTIFY selectedDateChanged)
    Q_PROPERTY(QString emptyDayText READ emptyDayText NOTIFY emptyDayTextChanged)
    Q_PROPERTY(JournalEntry *selectedEntry READ selectedEntry NOTIFY selectedEntryChanged)
    Q_PROPERTY(EntryFields *selectedFields READ selectedFields CONSTANT)
    Q_PROPERTY(JournalExporter *exporter READ exporter CONSTANT)

public:
    // A reflection edited in place keeps at most this many user-perceived characters.
    static constexpr qsizetype maxReflectionCharacters = 50'000;

    // For QML: the context is set as a property; the entries are looked up once it is complete.
    explicit JournalCalendarModel(QObject *parent = nullptr);
    // For C++: on screen at once.
    explicit JournalCalendarModel(ModelContext *context, QObject *parent = nullptr);
    ~JournalCalendarModel() override;

    void classBegin() override {}
    void componentComplete() override { appear(); }

    // What happens when the screen comes on screen: the month and the selected entry are read.
    void appear();
    // Where time and card names come from; the system's unless a test injects its own. Both
    // must outlive the model.
    void setScheduler(Scheduler &scheduler);
    void setCardStore(const CardDataStore &cards);

    Q_INVOKABLE void showPreviousMonth();
    Q_INVOKABLE void showNextMonth();
    // A click on day `day` of the displayed month.
    Q_INVOKABLE void selectDay(int day);
    void selectDate(QDate date);
    // The same for a day written "yyyy-MM-dd"; anything else is ignored.
    Q_INVOKABLE void selectIsoDate(const QString &day);
    // The keyboard: moves the selection by days or months; the displayed month follows it.
    Q_INVOKABLE void moveSelection(int days);
    Q_INVOKABLE void moveSelectionByMonths(int months);
    // Selects today and shows its month.
    Q_INVOKABLE void goToToday();
    // A key pressed on the month grid: the arrows move a day or a week, Page Up and Page Down a
    // month, Home goes to today. Returns whether the key was one of these.
    Q_INVOKABLE bool navigateByKey(int key, int modifiers = Qt::NoModifier);

    // Sets the selected day's mood (the same mood again clears it), creating the day's entry
    // when it has none, and saves.
    Q_INVOKABLE void chooseMood(const QString &mood);
    // Creates the selected day's entry and saves.
    Q_INVOKABLE void addEntry();
    // Stores the edited reflection, cut to its first 50,000 user-perceived characters, and
    // saves. Returns the length of what was kept, in the editor's units (UTF-16).
    Q_INVOKABLE int setReflection(const QString &text);
    // How much of `text` a reflection keeps, in the editor's units (UTF-16).
    Q_INVOKABLE static int reflectionLength(const QString &text);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    QDate displayedMonth() const { return m_displayedMonth; }
    QString monthTitle() const;
    QStringList daysOfWeek() const;
    CalendarDays *days() const { return m_days; }
    QDate selectedDate() const { return m_selectedDate; }
    QString selectedDateText() const;
    QDate today() const;
    QString emptyDayText() const;
    JournalEntry *selectedEntry() const { return m_selectedEntry; }
    EntryFields *selectedFields() const { return m_selectedFields; }
    JournalExporter *exporter() const { return m_exporter; }

    // The entries whose dates fall on the days from `first` to `last`, newest first; entries
    // of one day keep the order the store lists them in.
    QList<JournalEntry *> entriesBetween(QDate first, QDate last) const;

signals:
    void modelContextChanged();
    void displayedMonthChanged();
    void selectedDateChanged();
    void emptyDayTextChanged();
    void selectedEntryChanged();

private:
    void setDisplayedMonth(QDate month);
    void setSelectedEntry(JournalEntry *entry);
    void lookUpSelectedEntry();
    JournalEntry *createEntry(QDate day);
    void refreshDays();
    void dayChanged();

    QPointer<ModelContext> m_context;
    const CardDataStore *m_cards = nullptr;
    std::unique_ptr<DayTracker> m_dayTracker;
    CalendarDays *m_days = nullptr;
    JournalExporter *m_exporter = nullptr;
    EntryFields *m_selectedFields = nullptr;
    QDate m_displayedMonth;
    QDate m_selectedDate;
    QPointer<JournalEntry> m_selectedEntry;
    bool m_onScreen = false;
};
