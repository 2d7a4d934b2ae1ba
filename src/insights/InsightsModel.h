#pragma once

#include "InsightsReport.h"
#include "ModelContext.h"

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The Insights screen's state: the span and the sources chosen, and the report for them as
// rows the charts and their tables bind to. The report is built again when the choice
// changes and when the store saves.
class InsightsModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(int span READ span WRITE setSpan NOTIFY choiceChanged)
    Q_PROPERTY(QString firstDate READ firstDate WRITE setFirstDate NOTIFY choiceChanged)
    Q_PROPERTY(QString lastDate READ lastDate WRITE setLastDate NOTIFY choiceChanged)
    Q_PROPERTY(QString dateProblem READ dateProblem NOTIFY choiceChanged)
    Q_PROPERTY(bool dailyCards READ dailyCards WRITE setDailyCards NOTIFY choiceChanged)
    Q_PROPERTY(bool dealtReadings READ dealtReadings WRITE setDealtReadings NOTIFY choiceChanged)
    Q_PROPERTY(bool recordedReadings READ recordedReadings WRITE setRecordedReadings NOTIFY choiceChanged)
    Q_PROPERTY(QStringList spanNames READ spanNames CONSTANT)
    Q_PROPERTY(QString drawSummary READ drawSummary NOTIFY reportChanged)
    Q_PROPERTY(QString recurringSummary READ recurringSummary NOTIFY reportChanged)
    Q_PROPERTY(bool enoughDraws READ enoughDraws NOTIFY reportChanged)
    Q_PROPERTY(QVariantList cards READ cards NOTIFY reportChanged)
    Q_PROPERTY(QVariantList balances READ balances NOTIFY reportChanged)
    Q_PROPERTY(QVariantList months READ months NOTIFY reportChanged)
    Q_PROPERTY(QVariantList moodsBySuit READ moodsBySuit NOTIFY reportChanged)
    Q_PROPERTY(QString problem READ problem NOTIFY reportChanged)
    // Every card drawn instead of the most drawn few.
    Q_PROPERTY(bool showsEveryCard READ showsEveryCard WRITE setShowsEveryCard NOTIFY choiceChanged)
    Q_PROPERTY(int drawnCardCount READ drawnCardCount NOTIFY reportChanged)
    Q_PROPERTY(int listedCardCount READ listedCardCount CONSTANT)

public:
    enum Span { LastWeek, LastMonth, LastQuarter, LastYear, AllTime, Dates };
    Q_ENUM(Span)
    // How many of the most drawn cards the list shows at first.
    static constexpr int listedCards = 12;

    explicit InsightsModel(QObject *parent = nullptr);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    int span() const { return m_span; }
    void setSpan(int span);
    QString firstDate() const { return m_firstDate; }
    void setFirstDate(const QString &text);
    QString lastDate() const { return m_lastDate; }
    void setLastDate(const QString &text);
    QString dateProblem() const { return m_dateProblem; }
    bool dailyCards() const { return m_sources.dailyCards; }
    void setDailyCards(bool on);
    bool dealtReadings() const { return m_sources.dealtReadings; }
    void setDealtReadings(bool on);
    bool recordedReadings() const { return m_sources.recordedReadings; }
    void setRecordedReadings(bool on);
    QStringList spanNames() const;

    QString drawSummary() const;
    QString recurringSummary() const { return m_report.recurringSummary; }
    bool enoughDraws() const { return m_report.enoughDraws; }
    QVariantList cards() const { return m_cards; }
    QVariantList balances() const { return m_balances; }
    QVariantList months() const { return m_months; }
    QVariantList moodsBySuit() const { return m_moodsBySuit; }
    QString problem() const { return m_problem; }
    bool showsEveryCard() const { return m_showsEveryCard; }
    void setShowsEveryCard(bool on);
    int drawnCardCount() const;
    static int listedCardCount() { return listedCards; }
    const InsightsReport::Report &report() const { return m_report; }

    // The days `span` covers on `today`, both included; none for all time.
    static InsightsReport::Span spanOf(Span span, QDate today);
    // Where a click takes the user: the journal on a month, or a card's detail.
    Q_INVOKABLE QVariantMap monthDestination(int index) const;
    Q_INVOKABLE static QVariantMap cardDestination(const QString &cardId);

    // The dates are typed: a date still short of yyyy-MM-dd is now wrong, not unfinished.
    Q_INVOKABLE void finishDates();
    // Builds the report now (it is otherwise built at the end of the event-loop turn).
    Q_INVOKABLE void refresh();

signals:
    void modelContextChanged();
    void choiceChanged();
    void reportChanged();

private:
    void scheduleRefresh();
    void publish();

    QPointer<ModelContext> m_context;
    int m_span = LastYear;
    QString m_firstDate;
    QString m_lastDate;
    QString m_dateProblem;
    DrawTallies::Sources m_sources;
    bool m_refreshQueued = false;
    bool m_showsEveryCard = false;
    bool m_datesFinished = false;
    InsightsReport::Report m_report;
    QString m_problem;
    QVariantList m_cards;
    QVariantList m_balances;
    QVariantList m_months;
    QVariantList m_moodsBySuit;
};
