#include "InsightsCommand.h"

#include "AppSettings.h"
#include "InsightsReport.h"
#include "ModelContext.h"
#include "Settings.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

namespace InsightsCommand {

namespace {

struct Options
{
    InsightsReport::Span span;
    DrawTallies::Sources sources;
    bool json = false;
};

bool parse(const QStringList &arguments, Options *options, QString *error)
{
    QDate from;
    QDate to;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--from") || argument == QLatin1String("--to")) {
            const QDate date = i + 1 < arguments.size() ? QDate::fromString(arguments.at(i + 1), Qt::ISODate) : QDate();
            if (!date.isValid()) {
                *error = QStringLiteral("%1 takes a date, yyyy-MM-dd.").arg(argument);
                return false;
            }
            (argument == QLatin1String("--from") ? from : to) = date;
            ++i;
        } else if (argument == QLatin1String("--json")) {
            options->json = true;
        } else if (argument == QLatin1String("--no-daily")) {
            options->sources.dailyCards = false;
        } else if (argument == QLatin1String("--no-dealt")) {
            options->sources.dealtReadings = false;
        } else if (argument == QLatin1String("--no-recorded")) {
            options->sources.recordedReadings = false;
        } else {
            *error = QStringLiteral("--insights does not know %1.").arg(argument);
            return false;
        }
    }
    if (from.isValid() != to.isValid()) {
        *error = QStringLiteral("Give both --from and --to, or neither for all time.");
        return false;
    }
    if (from > to) {
        *error = QStringLiteral("The --from date comes after the --to date.");
        return false;
    }
    options->span = {from, to};
    return true;
}

} // namespace

int run(const QString &storePath, const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Options options;
    QString error;
    if (!parse(arguments, &options, &error)) {
        err << error << Qt::endl;
        return 2;
    }
    if (!QFileInfo::exists(storePath)) {
        err << "There is no store at " << storePath << " yet: nothing to count." << Qt::endl;
        return 1;
    }
    auto context = ModelContext::open(storePath, &error);
    if (!context) {
        err << "The store cannot be read: " << error << Qt::endl;
        return 1;
    }
    const bool reversals = Settings(context.get()).current().allowReversedCards();
    InsightsReport::Report report;
    if (!InsightsReport::build(context.get(), options.span, options.sources, reversals, &report, &error)) {
        err << "The store cannot be read: " << error << Qt::endl;
        return 1;
    }
    if (options.json) {
        out << QJsonDocument(InsightsReport::toJson(report)).toJson(QJsonDocument::Indented);
        out.flush();
        return 0;
    }
    out << report.cardsDrawn << " cards drawn: " << report.dailyCards << " daily cards, " << report.readings
        << " readings.\n"
        << report.recurringSummary << '\n';
    for (qsizetype i = 0; i < qMin<qsizetype>(10, report.cards.size()); ++i) {
        const InsightsReport::CardFinding &card = report.cards.at(i);
        out << (card.marked ? "* " : "  ") << card.name << '\t' << card.count << '\t'
            << InsightsReport::countText(card.expected) << '\n';
    }
    for (const InsightsReport::Balance &balance : report.balances)
        out << balance.title << ": " << balance.summary << '\n';
    out.flush();
    return 0;
}

} // namespace InsightsCommand
