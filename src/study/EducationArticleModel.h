#pragma once

#include "EducationArticle.h"
#include "TarotCard.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

class CardDataStore;

// The panels of one article, in reading order: each section's heading and body, and the card
// that illustrates it when the section names one that the catalogue has. A section naming an
// unknown card is shown as text alone.
class EducationArticleModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EducationArticle article READ article WRITE setArticle NOTIFY articleChanged)

public:
    enum Roles { HeadingRole = Qt::UserRole + 1, BodyRole, HasCardRole, CardRole };

    // For QML: cards are looked up in the shared catalogue.
    explicit EducationArticleModel(QObject *parent = nullptr);
    // `cards` must outlive the model.
    explicit EducationArticleModel(CardDataStore &cards, QObject *parent = nullptr);

    EducationArticle article() const { return m_article; }
    void setArticle(const EducationArticle &article);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void articleChanged();

private:
    struct Panel
    {
        QString heading;
        QString body;
        std::optional<TarotCard> card;
    };

    CardDataStore &cards();

    CardDataStore *m_cards = nullptr;
    EducationArticle m_article;
    QList<Panel> m_panels;
};
