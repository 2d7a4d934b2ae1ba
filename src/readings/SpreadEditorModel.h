#pragma once

#include "CustomSpread.h"
#include "SpreadDefinition.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class ModelContext;
#include "Spread.h"
Q_MOC_INCLUDE("ModelContext.h")

// A spread being designed: its name, its description and its positions (one row each, in
// reading order), each placed on the layout's grid and upright or turned a quarter. Every
// change can be undone and redone. What keeps the design from being saved is said at the field
// it concerns once saving was tried, and saving refuses it. Given a spread of the user's, the
// editor changes it in place; a built-in spread can only be the start of a new one.
class SpreadEditorModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(Spread *spread READ spread WRITE setSpread NOTIFY spreadChanged)
    Q_PROPERTY(bool isEditing READ isEditing NOTIFY spreadChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY designChanged)
    Q_PROPERTY(QString description READ description WRITE setDescription NOTIFY designChanged)
    Q_PROPERTY(int count READ count NOTIFY designChanged)
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY designChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY designChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY designChanged)
    Q_PROPERTY(bool showsProblems READ showsProblems NOTIFY designChanged)
    Q_PROPERTY(bool hasUnsavedChanges READ hasUnsavedChanges NOTIFY designChanged)
    Q_PROPERTY(QString nameProblem READ nameProblem NOTIFY designChanged)
    Q_PROPERTY(QString countProblem READ countProblem NOTIFY designChanged)
    Q_PROPERTY(QString layoutProblem READ layoutProblem NOTIFY designChanged)
    Q_PROPERTY(QString saveError READ saveError NOTIFY saveErrorChanged)
    Q_PROPERTY(QVariantList startingPoints READ startingPoints CONSTANT)
    Q_PROPERTY(double cardWidth READ cardWidth CONSTANT)
    Q_PROPERTY(double cardHeight READ cardHeight CONSTANT)
    Q_PROPERTY(double reachAcross READ reachAcross CONSTANT)
    Q_PROPERTY(double reachDown READ reachDown CONSTANT)

public:
    enum Roles { NameRole = Qt::UserRole + 1, DescriptionRole, XRole, YRole, RotationRole, ProblemRole, NumberRole };
    // How far one press of an arrow key moves a card.
    enum Step { GridStep, FineStep };
    Q_ENUM(Step)

    explicit SpreadEditorModel(QObject *parent = nullptr);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    Spread *spread() const { return m_spread; }
    // Opens a stored design for editing; its history of changes starts afresh.
    void setSpread(Spread *spread);
    bool isEditing() const { return !m_spread.isNull(); }

    QString name() const { return m_design.name; }
    void setName(const QString &name);
    QString description() const { return m_design.description; }
    void setDescription(const QString &description);
    int count() const { return int(m_design.positions.size()); }
    bool canAdd() const { return count() < CustomSpread::maxPositions; }
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);

    // A new position at the next free place on the grid, selected. Nothing at the most.
    Q_INVOKABLE bool addPosition();
    Q_INVOKABLE void removePosition(int index);
    Q_INVOKABLE void setPositionName(int index, const QString &name);
    Q_INVOKABLE void setPositionDescription(int index, const QString &description);
    // Moves a card by whole steps; a grid step also brings the card back onto the grid.
    Q_INVOKABLE void moveBy(int index, int across, int down, Step step = GridStep);
    // Puts a card where it was dropped, in layout points, on the nearest fine step.
    Q_INVOKABLE void moveTo(int index, double x, double y);
    // Upright to a quarter turn and back.
    Q_INVOKABLE void rotate(int index);
    // Moves a position one place earlier or later in the reading order.
    Q_INVOKABLE void reorder(int index, int by);
    // Begins again from a built-in spread's positions and layout.
    Q_INVOKABLE void startFrom(const QString &spreadId);
    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }

    bool showsProblems() const { return m_showProblems; }
    // Whether the design differs from the one last opened or saved.
    bool hasUnsavedChanges() const;
    QString nameProblem() const { return m_showProblems ? m_problems.name : QString(); }
    QString countProblem() const { return m_showProblems ? m_problems.count : QString(); }
    QString layoutProblem() const { return m_showProblems ? m_problems.layout : QString(); }
    // What keeps the design from being saved, whether or not it is shown yet.
    const CustomSpread::Problems &problems() const { return m_problems; }
    QString saveError() const { return m_saveError; }
    // Stores the design and returns its record; nothing when the design has a problem (which
    // is then shown) or the store refused it (saveError says so).
    Q_INVOKABLE Spread *save();

    // The built-in spreads a design can start from.
    QVariantList startingPoints() const;
    double cardWidth() const { return CustomSpread::cardWidth; }
    double cardHeight() const { return CustomSpread::cardHeight; }
    double reachAcross() const { return CustomSpread::reachAcross; }
    double reachDown() const { return CustomSpread::reachDown; }
    const SpreadDefinition &design() const { return m_design; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void modelContextChanged();
    void spreadChanged();
    void designChanged();
    void selectedIndexChanged();
    void saveErrorChanged();

private:
    // What a change touched, so that typing into one field undoes as one change.
    enum class Touch { Structure, Name, Description, PositionName, PositionDescription, Place };
    void change(Touch touch, int index, const std::function<void(SpreadDefinition &)> &edit);
    void apply(const SpreadDefinition &design, bool reset);
    QString nextPositionId() const;
    QPointF freePlace() const;

    QPointer<ModelContext> m_context;
    QPointer<Spread> m_spread;
    SpreadDefinition m_design;
    // The design as it was opened or last saved, as its stored text.
    QString m_savedText;
    CustomSpread::Problems m_problems;
    QList<SpreadDefinition> m_undo;
    QList<SpreadDefinition> m_redo;
    Touch m_lastTouch = Touch::Structure;
    int m_lastIndex = -1;
    int m_selected = -1;
    bool m_showProblems = false;
    QString m_saveError;
};
