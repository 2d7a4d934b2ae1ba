#include "EducationContent.h"

#include <QFile>

#include <algorithm>

namespace {

struct StudyArticleFallback
{
    const char16_t *id;
    const char16_t *title;
    const char16_t *icon;
    const char16_t *cardId;
};

constexpr StudyArticleFallback studyArticleFallbacks[] = {
    {u"getting_started", u"Getting Started", u"sparkles", u"major_00"},
    {u"history", u"History", u"book", u"major_02"},
    {u"major_arcana", u"Major Arcana", u"star.fill", u"major_21"},
    {u"suits", u"Suits", u"square.grid.2x2", u"wands_01"},
    {u"court_cards", u"Court Cards", u"person.3", u"cups_12"},
    {u"spreads", u"Spreads", u"rectangle.stack", u"major_01"},
    {u"reversals", u"Reversals", u"arrow.up.arrow.down", u"major_12"},
};

QList<EducationArticleData> readArticles(const ResourceLocation &location)
{
    const auto path = location.path(QStringLiteral("education_content"), QStringLiteral("json"));
    if (!path)
        return {};
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ArticleJson::decodeArticles(file.readAll()).value_or(QList<EducationArticleData>());
}

} // namespace

EducationContent::EducationContent(const ResourceLocation &location) : m_location(location)
{}

EducationContent &EducationContent::shared()
{
    static EducationContent content;
    return content;
}

const QList<EducationArticleData> &EducationContent::loadedArticles() const
{
    if (!m_loadedArticles)
        m_loadedArticles = readArticles(m_location);
    return *m_loadedArticles;
}

std::optional<EducationArticle> EducationContent::articleByID(const QString &id) const
{
    const QList<EducationArticleData> &articles = loadedArticles();
    const auto found = std::find_if(articles.cbegin(), articles.cend(),
                                    [&id](const EducationArticleData &article) { return article.id == id; });
    if (found == articles.cend())
        return std::nullopt;
    return EducationArticle::from(*found);
}

const QList<EducationArticle> &EducationContent::studyArticles() const
{
    if (!m_studyArticles) {
        QList<EducationArticle> articles;
        for (const StudyArticleFallback &fallback : studyArticleFallbacks) {
            const QString id = QString::fromUtf16(fallback.id);
            articles.append(articleByID(id).value_or(EducationArticle{id,
                                                                      QString::fromUtf16(fallback.title),
                                                                      QString::fromUtf16(fallback.icon),
                                                                      QString::fromUtf16(fallback.cardId),
                                                                      {}}));
        }
        m_studyArticles = articles;
    }
    return *m_studyArticles;
}

const QList<EducationArticleData> &loadedArticles()
{
    return EducationContent::shared().loadedArticles();
}

std::optional<EducationArticle> articleByID(const QString &id)
{
    return EducationContent::shared().articleByID(id);
}

const QList<EducationArticle> &studyArticles()
{
    return EducationContent::shared().studyArticles();
}
