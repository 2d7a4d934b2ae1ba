#include "EducationArticle.h"

#include "JsonFields.h"

#include <QJsonArray>
#include <QVariantMap>

using namespace Qt::StringLiterals;

EducationArticle EducationArticle::from(const EducationArticleData &data)
{
    EducationArticle article{data.id, data.title, data.icon, data.cardId, {}};
    article.sections.reserve(data.sections.size());
    for (const ArticleSection &section : data.sections)
        article.sections.append(Section{section.heading, section.body, section.cardId});
    return article;
}

QVariantList EducationArticle::sectionList() const
{
    QVariantList list;
    for (const Section &section : sections) {
        list.append(QVariantMap{{u"heading"_s, section.heading},
                                {u"body"_s, section.body},
                                {u"cardId"_s, section.cardId ? QVariant(*section.cardId) : QVariant()}});
    }
    return list;
}

namespace ArticleJson {

namespace {

std::optional<ArticleSection> decodeSection(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto heading = JsonFields::string(object, "heading"_L1);
    const auto body = JsonFields::string(object, "body"_L1);
    const auto cardId = JsonFields::optionalString(object, "cardId"_L1);
    if (!heading || !body || !cardId)
        return std::nullopt;
    return ArticleSection{*heading, *body, *cardId};
}

std::optional<EducationArticleData> decodeArticle(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto id = JsonFields::string(object, "id"_L1);
    const auto title = JsonFields::string(object, "title"_L1);
    const auto icon = JsonFields::string(object, "icon"_L1);
    const auto cardId = JsonFields::string(object, "cardId"_L1);
    const QJsonValue sectionsValue = object.value("sections"_L1);
    if (!id || !title || !icon || !cardId || !sectionsValue.isArray())
        return std::nullopt;
    QList<ArticleSection> sections;
    for (const QJsonValue &element : sectionsValue.toArray()) {
        auto section = decodeSection(element);
        if (!section)
            return std::nullopt;
        sections.append(std::move(*section));
    }
    return EducationArticleData{*id, *title, *icon, *cardId, sections};
}

} // namespace

std::optional<QList<EducationArticleData>> decodeArticles(const QJsonDocument &document)
{
    if (!document.isArray())
        return std::nullopt;
    QList<EducationArticleData> articles;
    for (const QJsonValue &element : document.array()) {
        auto article = decodeArticle(element);
        if (!article)
            return std::nullopt;
        articles.append(std::move(*article));
    }
    return articles;
}

std::optional<QList<EducationArticleData>> decodeArticles(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return decodeArticles(document);
}

} // namespace ArticleJson
