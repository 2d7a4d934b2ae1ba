#pragma once

#include <QJsonDocument>
#include <QList>
#include <QObject>
#include <QVariantList>
#include <QtQmlIntegration/qqmlintegration.h>

#include <optional>

// One section of an article as the articles file holds it.
struct ArticleSection
{
    QString heading;
    QString body;
    // The card that illustrates the section, if any.
    std::optional<QString> cardId;

    bool operator==(const ArticleSection &) const = default;
};

// One article as decoded from the articles file.
struct EducationArticleData
{
    QString id;
    QString title;
    // A system symbol name.
    QString icon;
    QString cardId;
    QList<ArticleSection> sections;

    bool operator==(const EducationArticleData &) const = default;
};

// An article as the study screens show it.
struct EducationArticle
{
    Q_GADGET
    QML_VALUE_TYPE(educationArticle)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString cardId MEMBER cardId)
    Q_PROPERTY(QVariantList sections READ sectionList)

public:
    struct Section
    {
        QString heading;
        QString body;
        std::optional<QString> cardId;

        bool operator==(const Section &) const = default;
    };

    QString id;
    QString title;
    QString icon;
    QString cardId;
    QList<Section> sections;

    static EducationArticle from(const EducationArticleData &data);

    bool operator==(const EducationArticle &) const = default;

private:
    // Each section as a map of heading, body and cardId (undefined when there is none).
    QVariantList sectionList() const;
};

// The JSON form of the articles file: a top-level array of article objects. Like the card
// decoder it is strict, and one faulty article fails the whole document.
namespace ArticleJson {

std::optional<QList<EducationArticleData>> decodeArticles(const QJsonDocument &document);
std::optional<QList<EducationArticleData>> decodeArticles(const QByteArray &json);

} // namespace ArticleJson
