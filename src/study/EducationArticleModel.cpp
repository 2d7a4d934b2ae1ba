#include "EducationArticleModel.h"

#include "CardDataStore.h"

EducationArticleModel::EducationArticleModel(QObject *parent) : QAbstractListModel(parent)
{}

EducationArticleModel::EducationArticleModel(CardDataStore &cards, QObject *parent)
    : QAbstractListModel(parent), m_cards(&cards)
{}

CardDataStore &EducationArticleModel::cards()
{
    if (!m_cards)
        m_cards = &CardDataStore::shared();
    return *m_cards;
}

void EducationArticleModel::setArticle(const EducationArticle &article)
{
    if (article == m_article)
        return;
    beginResetModel();
    m_article = article;
    m_panels.clear();
    for (const EducationArticle::Section &section : article.sections) {
        Panel panel{section.heading, section.body, std::nullopt};
        if (section.cardId)
            panel.card = cards().cardByID(*section.cardId);
        m_panels.append(panel);
    }
    endResetModel();
    emit articleChanged();
}

int EducationArticleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_panels.size());
}

QVariant EducationArticleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_panels.size())
        return {};
    const Panel &panel = m_panels.at(index.row());
    switch (role) {
    case HeadingRole:
        return panel.heading;
    case BodyRole:
        return panel.body;
    case HasCardRole:
        return panel.card.has_value();
    case CardRole:
        return QVariant::fromValue(panel.card.value_or(TarotCard()));
    default:
        return {};
    }
}

QHash<int, QByteArray> EducationArticleModel::roleNames() const
{
    return {{HeadingRole, "heading"}, {BodyRole, "body"}, {HasCardRole, "hasCard"}, {CardRole, "card"}};
}
