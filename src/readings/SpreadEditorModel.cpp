#include "SpreadEditorModel.h"

#include "ModelContext.h"
#include "Spread.h"
#include "SpreadBook.h"
#include "Spreads.h"
#include "StoreLog.h"

#include <cmath>

namespace {
constexpr int undoDepth = 200;

double snapped(double value, double step)
{
    return std::round(value / step) * step;
}

QPointF clamped(QPointF point)
{
    return {std::clamp(point.x(), -CustomSpread::reachAcross, CustomSpread::reachAcross),
            std::clamp(point.y(), -CustomSpread::reachDown, CustomSpread::reachDown)};
}

void renumber(SpreadDefinition &design)
{
    for (int i = 0; i < design.positions.size(); ++i)
        design.positions[i].index = i;
    design.cardCount = int(design.positions.size());
}
} // namespace

SpreadEditorModel::SpreadEditorModel(QObject *parent) : QAbstractListModel(parent)
{
    m_design.iconName = QStringLiteral("square.grid.3x3");
    m_problems = CustomSpread::check(m_design);
    m_savedText = CustomSpread::encode(m_design);
}

bool SpreadEditorModel::hasUnsavedChanges() const
{
    return CustomSpread::encode(m_design) != m_savedText;
}

void SpreadEditorModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    m_context = context;
    emit modelContextChanged();
}

void SpreadEditorModel::setSpread(Spread *spread)
{
    if (spread == m_spread)
        return;
    m_spread = spread;
    if (spread)
        if (const std::optional<SpreadDefinition> design = SpreadBook::definitionOf(*spread)) {
            m_undo.clear();
            m_redo.clear();
            m_savedText = CustomSpread::encode(*design);
            apply(*design, true);
        }
    emit spreadChanged();
}

void SpreadEditorModel::apply(const SpreadDefinition &design, bool reset)
{
    const bool sameRows = !reset && design.positions.size() == m_design.positions.size();
    if (!sameRows)
        beginResetModel();
    m_design = design;
    renumber(m_design);
    m_problems = CustomSpread::check(m_design);
    if (!sameRows)
        endResetModel();
    else if (count() > 0)
        emit dataChanged(index(0), index(count() - 1));
    if (m_selected >= count())
        setSelectedIndex(count() - 1);
    emit designChanged();
}

void SpreadEditorModel::change(Touch touch, int index, const std::function<void(SpreadDefinition &)> &edit)
{
    SpreadDefinition next = m_design;
    edit(next);
    // Typing on in the same field, or nudging the same card again, is one change to undo.
    const bool continues = touch != Touch::Structure && touch == m_lastTouch && index == m_lastIndex &&
                           !m_undo.isEmpty() && touch != Touch::Place;
    if (!continues) {
        m_undo.append(m_design);
        if (m_undo.size() > undoDepth)
            m_undo.removeFirst();
    }
    m_redo.clear();
    m_lastTouch = touch;
    m_lastIndex = index;
    apply(next, false);
}

void SpreadEditorModel::setName(const QString &name)
{
    if (name != m_design.name)
        change(Touch::Name, -1, [&](SpreadDefinition &d) { d.name = name; });
}

void SpreadEditorModel::setDescription(const QString &description)
{
    if (description != m_design.description)
        change(Touch::Description, -1, [&](SpreadDefinition &d) { d.description = description; });
}

void SpreadEditorModel::setSelectedIndex(int index)
{
    index = std::clamp(index, -1, count() - 1);
    if (index == m_selected)
        return;
    m_selected = index;
    emit selectedIndexChanged();
}

QString SpreadEditorModel::nextPositionId() const
{
    int highest = 0;
    for (const SpreadPosition &position : m_design.positions)
        if (position.id.startsWith(QLatin1String("place_")))
            highest = std::max(highest, position.id.mid(6).toInt());
    return QStringLiteral("place_%1").arg(highest + 1);
}

QPointF SpreadEditorModel::freePlace() const
{
    // Right of the last card when that is free; else, in rows a card's width and a gap apart
    // from the middle row outward, the first place that no card covers.
    const double across = CustomSpread::cardWidth + CustomSpread::gridStep;
    const double down = CustomSpread::cardHeight + CustomSpread::gridStep;
    const auto isFree = [this](QPointF place) {
        SpreadPosition candidate;
        candidate.layoutOffset = place;
        return std::none_of(m_design.positions.cbegin(), m_design.positions.cend(),
                            [&](const SpreadPosition &p) { return CustomSpread::overlap(p, candidate); });
    };
    if (m_design.positions.isEmpty())
        return {};
    const QPointF next = m_design.positions.constLast().layoutOffset + QPointF(across, 0);
    if (next.x() <= CustomSpread::reachAcross && isFree(next))
        return next;
    for (int row = 0; row < 5; ++row)
        for (int column = -4; column <= 4; ++column) {
            const QPointF place(column * across, (row % 2 ? (row + 1) / 2 : -(row / 2)) * down);
            if (isFree(place))
                return place;
        }
    return {};
}

bool SpreadEditorModel::addPosition()
{
    if (!canAdd())
        return false;
    SpreadPosition position;
    position.id = nextPositionId();
    position.layoutOffset = freePlace();
    change(Touch::Structure, -1, [&](SpreadDefinition &d) { d.positions.append(position); });
    setSelectedIndex(count() - 1);
    return true;
}

void SpreadEditorModel::removePosition(int index)
{
    if (index < 0 || index >= count())
        return;
    change(Touch::Structure, -1, [&](SpreadDefinition &d) { d.positions.removeAt(index); });
    setSelectedIndex(std::min(index, count() - 1));
}

void SpreadEditorModel::setPositionName(int index, const QString &name)
{
    if (index >= 0 && index < count() && name != m_design.positions.at(index).name)
        change(Touch::PositionName, index, [&](SpreadDefinition &d) { d.positions[index].name = name; });
}

void SpreadEditorModel::setPositionDescription(int index, const QString &description)
{
    if (index >= 0 && index < count() && description != m_design.positions.at(index).description)
        change(Touch::PositionDescription, index,
               [&](SpreadDefinition &d) { d.positions[index].description = description; });
}

void SpreadEditorModel::moveBy(int index, int across, int down, Step step)
{
    if (index < 0 || index >= count())
        return;
    const double size = step == GridStep ? CustomSpread::gridStep : CustomSpread::fineStep;
    QPointF place = m_design.positions.at(index).layoutOffset + QPointF(across * size, down * size);
    if (step == GridStep)
        place = QPointF(across ? snapped(place.x(), size) : place.x(), down ? snapped(place.y(), size) : place.y());
    place = clamped(place);
    if (place != m_design.positions.at(index).layoutOffset)
        change(Touch::Place, index, [&](SpreadDefinition &d) { d.positions[index].layoutOffset = place; });
}

void SpreadEditorModel::moveTo(int index, double x, double y)
{
    if (index < 0 || index >= count() || !std::isfinite(x) || !std::isfinite(y))
        return;
    const QPointF place = clamped({snapped(x, CustomSpread::fineStep), snapped(y, CustomSpread::fineStep)});
    if (place != m_design.positions.at(index).layoutOffset)
        change(Touch::Place, index, [&](SpreadDefinition &d) { d.positions[index].layoutOffset = place; });
}

void SpreadEditorModel::rotate(int index)
{
    if (index < 0 || index >= count())
        return;
    const double turned = std::fmod(m_design.positions.at(index).layoutRotation, 180.0) == 0 ? 90 : 0;
    change(Touch::Structure, -1, [&](SpreadDefinition &d) { d.positions[index].layoutRotation = turned; });
}

void SpreadEditorModel::reorder(int index, int by)
{
    const int target = index + by;
    if (index < 0 || index >= count() || target < 0 || target >= count() || by == 0)
        return;
    change(Touch::Structure, -1, [&](SpreadDefinition &d) { d.positions.move(index, target); });
    setSelectedIndex(target);
}

void SpreadEditorModel::startFrom(const QString &spreadId)
{
    const std::optional<SpreadDefinition> builtIn = SpreadDefinition::withID(spreadId);
    if (!builtIn)
        return;
    const SpreadDefinition start = CustomSpread::startingFrom(*builtIn);
    change(Touch::Structure, -1, [&](SpreadDefinition &d) {
        d.positions = start.positions;
        if (d.name.trimmed().isEmpty())
            d.name = tr("My %1").arg(builtIn->name);
        if (d.description.trimmed().isEmpty())
            d.description = builtIn->description;
    });
    setSelectedIndex(-1);
}

void SpreadEditorModel::undo()
{
    if (m_undo.isEmpty())
        return;
    m_redo.append(m_design);
    m_lastTouch = Touch::Structure;
    apply(m_undo.takeLast(), false);
}

void SpreadEditorModel::redo()
{
    if (m_redo.isEmpty())
        return;
    m_undo.append(m_design);
    m_lastTouch = Touch::Structure;
    apply(m_redo.takeLast(), false);
}

Spread *SpreadEditorModel::save()
{
    if (!m_showProblems) {
        m_showProblems = true;
        emit designChanged();
        if (count() > 0)
            emit dataChanged(index(0), index(count() - 1), {ProblemRole});
    }
    if (m_problems.any() || !m_context)
        return nullptr;
    SpreadDefinition stored = m_design;
    stored.name = stored.name.trimmed();
    for (SpreadPosition &position : stored.positions)
        position.name = position.name.trimmed();
    Spread *spread = m_spread;
    if (spread) {
        spread->setName(stored.name);
        spread->setSummary(stored.description.trimmed());
        spread->setLayout(CustomSpread::encode(stored));
    } else {
        spread = Spreads(m_context).add(stored.name, stored.description.trimmed(), CustomSpread::encode(stored));
        m_spread = spread;
        emit spreadChanged();
    }
    m_savedText = CustomSpread::encode(m_design);
    emit designChanged();
    if (!saveContext(*m_context)) {
        m_saveError = tr("The spread is kept, but it could not be written to disk yet. It will be saved with the next "
                         "change.");
        emit saveErrorChanged();
        return spread;
    }
    if (!m_saveError.isEmpty()) {
        m_saveError.clear();
        emit saveErrorChanged();
    }
    return spread;
}

QVariantList SpreadEditorModel::startingPoints() const
{
    QVariantList result;
    for (const SpreadDefinition &spread : SpreadDefinition::allSpreads())
        if (spread.id != SpreadDefinition::yesNo().id)
            result.append(QVariantMap{{QStringLiteral("id"), spread.id}, {QStringLiteral("name"), spread.name}});
    return result;
}

int SpreadEditorModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant SpreadEditorModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const SpreadPosition &position = m_design.positions.at(index.row());
    switch (role) {
    case NameRole:
        return position.name;
    case DescriptionRole:
        return position.description;
    case XRole:
        return position.layoutOffset.x();
    case YRole:
        return position.layoutOffset.y();
    case RotationRole:
        return position.layoutRotation;
    case ProblemRole:
        return m_showProblems ? m_problems.positions.value(index.row()) : QString();
    case NumberRole:
        return index.row() + 1;
    default:
        return {};
    }
}

QHash<int, QByteArray> SpreadEditorModel::roleNames() const
{
    return {{NameRole, "positionName"}, {DescriptionRole, "positionDescription"}, {XRole, "layoutX"},
            {YRole, "layoutY"},         {RotationRole, "layoutRotation"},         {ProblemRole, "problem"},
            {NumberRole, "number"}};
}
