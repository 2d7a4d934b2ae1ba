#include "SearchCommand.h"

#include "CardDataStore.h"
#include "ModelContext.h"
#include "SearchNames.h"
#include "SearchResultsModel.h"

#include <QFileInfo>
#include <QTextStream>

#include <limits>

namespace SearchCommand {

namespace {

QString kindWord(SearchIndex::Kind kind)
{
    switch (kind) {
    case SearchIndex::Kind::Reading:
        return QStringLiteral("reading");
    case SearchIndex::Kind::Journal:
        return QStringLiteral("journal");
    case SearchIndex::Kind::CardNote:
        return QStringLiteral("card-note");
    }
    return {};
}

// A field never holds the separators of the line.
QString field(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

} // namespace

int run(const QString &storePath, const QString &text, QTextStream &out, QTextStream &err)
{
    if (!QFileInfo::exists(storePath)) {
        err << "There is no store at " << storePath << " yet: nothing to search." << Qt::endl;
        return 1;
    }
    QString error;
    auto context = ModelContext::open(storePath, &error);
    if (!context) {
        err << "The store cannot be searched: " << error << Qt::endl;
        return 1;
    }
    SearchIndex index(context.get());
    // A store upgraded by this command has its index built, but not yet with the card names.
    if (!index.useNames(SearchNames::of(CardDataStore::shared()), &error)) {
        err << "The search index could not be brought up to date: " << error << Qt::endl;
        return 1;
    }
    const SearchIndex::Results results = index.find(text, std::numeric_limits<int>::max());
    if (results.noTerms) {
        err << "Give a word to search for." << Qt::endl;
        return 2;
    }
    if (results.isEmpty()) {
        err << "Nothing matches \"" << text.simplified() << "\"." << Qt::endl;
        return 1;
    }
    for (const QList<SearchIndex::Hit> *hits : {&results.readings, &results.journal, &results.cardNotes})
        for (const SearchIndex::Hit &hit : *hits)
            out << kindWord(hit.kind) << '\t'
                << (hit.date.isValid() ? hit.date.toLocalTime().date().toString(Qt::ISODate) : QString()) << '\t'
                << field(SearchResultsModel::titleOf(hit)) << '\t'
                << field(SearchResultsModel::plainSnippet(hit.snippet)) << '\n';
    out.flush();
    return 0;
}

} // namespace SearchCommand
