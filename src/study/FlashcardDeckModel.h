#pragma once

#include "TarotCard.h"

#include <QAbstractListModel>
#include <QSet>
#include <QtQml/qqmlregistration.h>

// The rows of the flashcard sidebar: one per card of the practice deck in dealt order, each
// knowing whether its card has been studied and whether it is the card shown. The flashcard
// model owns it and tells it what changed, so only the rows concerned are redrawn.
class FlashcardDeckModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The flashcard model owns its deck")

public:
    enum Roles { CardIdRole = Qt::UserRole + 1, NameRole, StudiedRole, CurrentRole };

    explicit FlashcardDeckModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // A new deck replaces every row.
    void reset(const QList<TarotCard> &cards, const QSet<QString> &studied, int current);
    void setCurrent(int row);
    void setStudied(const QSet<QString> &studied);

private:
    void rowChanged(int row, const QList<int> &roles);

    QList<TarotCard> m_cards;
    QSet<QString> m_studied;
    int m_current = -1;
};
