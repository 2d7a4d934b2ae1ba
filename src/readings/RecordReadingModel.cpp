#include "RecordReadingModel.h"

#include "CardDataStore.h"
#include "Clock.h"
#include "CustomSpread.h"
#include "DateFormat.h"
#include "DrawnCard.h"
#include "LookBack.h"
#include "ModelContext.h"
#include "PerceivedText.h"
#include "Reading.h"
#include "Readings.h"
#include "SpreadBook.h"
#include "StoreLog.h"

namespace {

const QString dateTimePattern = QStringLiteral("yyyy-MM-dd HH:mm");
// Extra cards belong to no position of the spread.
const QString extraPosition = QStringLiteral("extra");
constexpr qsizetype textLimit = 50'000;

LookBack::After spanOf(int choice)
{
    return choice == RecordReadingModel::InAWeek    ? LookBack::After::Week
           : choice == RecordReadingModel::InAMonth ? LookBack::After::Month
                                                    : LookBack::After::ThreeMonths;
}

} // namespace

RecordReadingModel::RecordReadingModel(QObject *parent) : QAbstractListModel(parent)
{
    startDraft(builtInSpreads().constFirst());
}

RecordReadingModel::RecordReadingModel(const CardDataStore &cards, QObject *parent)
    : QAbstractListModel(parent), m_cards(&cards)
{
    startDraft(builtInSpreads().constFirst());
}

RecordReadingModel::~RecordReadingModel() = default;

QList<SpreadDefinition> RecordReadingModel::builtInSpreads()
{
    return {SpreadDefinition::singleCard(), SpreadDefinition::threeCard(), SpreadDefinition::celticCross()};
}

QList<SpreadDefinition> RecordReadingModel::spreads() const
{
    return builtInSpreads() + SpreadBook::designed(m_context);
}

const CardDataStore &RecordReadingModel::catalogue() const
{
    return m_cards ? *m_cards : CardDataStore::shared();
}

QString RecordReadingModel::cardName(const QString &cardId) const
{
    const auto found = catalogue().cardsByID().constFind(cardId);
    return found == catalogue().cardsByID().constEnd() ? cardId : found->name;
}

void RecordReadingModel::startDraft(const SpreadDefinition &spread)
{
    std::unique_ptr<ReadingDraft> old = std::move(m_draft);
    beginResetModel();
    m_draft = std::make_unique<ReadingDraft>(
        spread, [this](const QString &id) { return cardName(id); }, [] { return Clock::now(); });
    if (old) {
        // What was written so far stays; so do cards at positions both spreads have.
        m_draft->question = old->question;
        m_draft->notes = old->notes;
        m_draft->setDate(old->date());
        for (int i = 0; i < old->positions().size(); ++i) {
            const QString positionId = old->spread().positions.at(i).id;
            for (int j = 0; j < spread.positions.size(); ++j)
                if (spread.positions.at(j).id == positionId) {
                    m_draft->place(j, old->positions().at(i).cardId);
                    m_draft->setReversed(j, old->positions().at(i).isReversed);
                }
        }
        for (const ReadingDraft::Placed &extra : old->extras())
            m_draft->addExtra(extra.cardId, extra.isReversed);
    }
    endResetModel();
    m_dateText = m_draft->date().toString(dateTimePattern);
    m_dateProblem.clear();
    emit spreadChanged();
    emit extrasChanged();
    emit dateChanged();
    emit stateChanged();
}

void RecordReadingModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    m_context = context;
    emit modelContextChanged();
}

void RecordReadingModel::setReading(Reading *reading)
{
    if (reading == m_reading || (reading && !reading->isRecorded()))
        return;
    m_reading = reading;
    if (reading) {
        const SpreadDefinition spread = SpreadBook::ofReading(*reading).value_or(builtInSpreads().first());
        m_draft.reset();
        startDraft(spread);
        m_draft->question = reading->question();
        m_draft->notes = reading->notes();
        m_draft->setDate(reading->date());
        for (const DrawnCard *card : reading->drawnCards()) {
            if (card->positionId() == extraPosition) {
                m_draft->addExtra(card->cardId(), card->isReversed());
                continue;
            }
            for (int i = 0; i < spread.positions.size(); ++i)
                if (spread.positions.at(i).id == card->positionId()) {
                    m_draft->place(i, card->cardId());
                    m_draft->setReversed(i, card->isReversed());
                }
        }
        m_dateText = m_draft->date().toString(dateTimePattern);
        beginResetModel();
        endResetModel();
        emit questionChanged();
        emit notesChanged();
        emit extrasChanged();
        emit dateChanged();
        emit stateChanged();
    }
    emit readingChanged();
}

void RecordReadingModel::setSpreadId(const QString &id)
{
    if (isEditing() || id == spreadId())
        return;
    for (const SpreadDefinition &spread : spreads())
        if (spread.id == id)
            startDraft(spread);
}

QVariantList RecordReadingModel::spreadChoices() const
{
    QVariantList result;
    for (const SpreadDefinition &spread : spreads())
        result.append(QVariantMap{{QStringLiteral("id"), spread.id},
                                  {QStringLiteral("name"), spread.name},
                                  {QStringLiteral("cardCount"), spread.cardCount}});
    return result;
}

void RecordReadingModel::rowChanged(int index)
{
    emit dataChanged(this->index(index), this->index(index));
    emit stateChanged();
}

bool RecordReadingModel::place(int index, const QString &cardId)
{
    const bool placed = m_draft->place(index, cardId);
    if (index >= 0 && index < count())
        rowChanged(index);
    return placed;
}

void RecordReadingModel::setReversed(int index, bool reversed)
{
    if (index < 0 || index >= count() || m_draft->positions().at(index).isReversed == reversed)
        return;
    m_draft->setReversed(index, reversed);
    rowChanged(index);
}

bool RecordReadingModel::addExtra(const QString &cardId)
{
    const bool added = m_draft->addExtra(cardId);
    emit extrasChanged();
    return added;
}

void RecordReadingModel::removeExtra(int index)
{
    m_draft->removeExtra(index);
    emit extrasChanged();
}

void RecordReadingModel::setExtraReversed(int index, bool reversed)
{
    if (index < 0 || index >= m_draft->extras().size())
        return;
    m_draft->setExtraReversed(index, reversed);
    emit extrasChanged();
}

QVariantList RecordReadingModel::extraCards() const
{
    QVariantList result;
    for (const ReadingDraft::Placed &extra : m_draft->extras())
        result.append(QVariantMap{{QStringLiteral("cardId"), extra.cardId},
                                  {QStringLiteral("name"), cardName(extra.cardId)},
                                  {QStringLiteral("isReversed"), extra.isReversed}});
    return result;
}

void RecordReadingModel::setQuestion(const QString &text)
{
    const QString kept = PerceivedText::truncated(text, textLimit);
    if (kept == m_draft->question)
        return;
    m_draft->question = kept;
    emit questionChanged();
}

void RecordReadingModel::setNotes(const QString &text)
{
    const QString kept = PerceivedText::truncated(text, textLimit);
    if (kept == m_draft->notes)
        return;
    m_draft->notes = kept;
    emit notesChanged();
}

bool RecordReadingModel::setDateText(const QString &text)
{
    m_dateText = text;
    QDateTime date = QDateTime::fromString(text.simplified(), dateTimePattern);
    bool taken = false;
    if (!date.isValid())
        m_dateProblem = tr("Write the day and time as %1.").arg(Clock::now().toString(dateTimePattern));
    else if (!m_draft->setDate(date))
        m_dateProblem = m_draft->dateProblem();
    else {
        m_dateProblem.clear();
        taken = true;
    }
    emit dateChanged();
    emit lookBackChanged();
    emit stateChanged();
    return taken;
}

void RecordReadingModel::setLookBack(int choice)
{
    if (choice < NoLookBack || choice > InThreeMonths || choice == m_lookBack)
        return;
    m_lookBack = choice;
    emit lookBackChanged();
}

QString RecordReadingModel::lookBackText() const
{
    if (m_lookBack == NoLookBack)
        return {};
    return tr("It will wait for you under “To look back on” from %1.")
        .arg(DateFormat::longDate(LookBack::dayAfter(m_draft->date(), spanOf(m_lookBack))));
}

bool RecordReadingModel::canSave() const
{
    return m_draft->isComplete() && m_dateProblem.isEmpty();
}

QString RecordReadingModel::stateText() const
{
    if (!m_dateProblem.isEmpty())
        return m_dateProblem;
    const auto missing = std::count_if(m_draft->positions().begin(), m_draft->positions().end(),
                                       [](const ReadingDraft::Placed &placed) { return placed.cardId.isEmpty(); });
    if (missing == count())
        return count() == 1 ? tr("Type the name of the card you drew.")
                            : tr("Type the name of each card you drew, position by position.");
    if (missing > 0)
        return missing == 1 ? tr("1 position still without a card.")
                            : tr("%1 positions still without a card.").arg(missing);
    return isEditing() ? tr("Ready to save your changes.") : tr("Ready to save this reading.");
}

Reading *RecordReadingModel::save()
{
    const auto failed = [this](const QString &why) {
        m_saveError = why;
        emit saveErrorChanged();
        return nullptr;
    };
    if (!canSave())
        return failed(stateText());
    ModelContext *context = m_context ? m_context.data() : m_reading ? m_reading->context() : nullptr;
    if (!context)
        return failed(tr("The reading cannot be saved: the journal is not open."));

    QList<Readings::Card> cards;
    for (int i = 0; i < count(); ++i) {
        const ReadingDraft::Placed &placed = m_draft->positions().at(i);
        cards.append({placed.cardId, m_draft->spread().positions.at(i).id, placed.isReversed});
    }
    for (const ReadingDraft::Placed &extra : m_draft->extras())
        cards.append({extra.cardId, extraPosition, extra.isReversed});

    Reading *reading = m_reading;
    if (reading) {
        // The same reading, its identity and star kept: its cards are changed where they stand,
        // new ones added and those no longer there removed.
        const QList<DrawnCard *> old = reading->drawnCards();
        for (int i = 0; i < cards.size(); ++i) {
            if (i < old.size()) {
                old.at(i)->setCardId(cards.at(i).cardId);
                old.at(i)->setPositionId(cards.at(i).positionId);
                old.at(i)->setIsReversed(cards.at(i).isReversed);
            } else {
                auto *drawn = new DrawnCard(cards.at(i).cardId, cards.at(i).positionId, cards.at(i).isReversed);
                context->insert(drawn);
                reading->addDrawnCard(drawn);
            }
        }
        for (qsizetype i = cards.size(); i < old.size(); ++i)
            context->remove(old.at(i));
    } else {
        reading = Readings(context).record(spreadId(), cards);
        reading->setOrigin(Reading::ownDeck);
        // A designed spread is kept with the reading as it is now.
        if (CustomSpread::isCustom(spreadId()))
            reading->setSpreadLayout(CustomSpread::encode(m_draft->spread()));
    }
    reading->setQuestion(m_draft->question);
    reading->setNotes(m_draft->notes);
    reading->setDate(m_draft->date());
    if (m_lookBack != NoLookBack)
        reading->setLookBackOn(LookBack::stored(LookBack::dayAfter(m_draft->date(), spanOf(m_lookBack))));
    if (m_reading)
        emit reading->drawnCardsChanged();
    if (!saveContext(*context))
        // Kept in memory: the next save that succeeds stores it.
        return failed(tr("The reading is kept, but it could not be written to disk yet. It will be saved with the "
                         "next change."));
    m_saveError.clear();
    emit saveErrorChanged();
    return reading;
}

int RecordReadingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RecordReadingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const SpreadPosition &position = m_draft->spread().positions.at(index.row());
    const ReadingDraft::Placed &placed = m_draft->positions().at(index.row());
    switch (role) {
    case NameRole:
        return position.name;
    case DescriptionRole:
        return position.description;
    case CardIdRole:
        return placed.cardId;
    case CardNameRole:
        return placed.cardId.isEmpty() ? QString() : cardName(placed.cardId);
    case IsReversedRole:
        return placed.isReversed;
    case ProblemRole:
        return m_draft->problemAt(index.row());
    }
    return {};
}

QHash<int, QByteArray> RecordReadingModel::roleNames() const
{
    return {{NameRole, "name"},         {DescriptionRole, "description"}, {CardIdRole, "cardId"},
            {CardNameRole, "cardName"}, {IsReversedRole, "isReversed"},   {ProblemRole, "problem"}};
}
