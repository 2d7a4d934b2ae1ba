#pragma once

#include "EducationArticle.h"
#include "ResourceLocation.h"

// The articles of the study section: those of the "education_content" file, and the fixed list
// of seven that the study menu shows, each falling back to a title, icon and card of its own
// when the file lacks it. The file is read once, on first use.
class EducationContent
{
public:
    explicit EducationContent(const ResourceLocation &location = {});

    // The process-wide articles, read from the bundled file.
    static EducationContent &shared();

    // Every article of the file in file order; empty when the file is missing, unreadable or
    // malformed.
    const QList<EducationArticleData> &loadedArticles() const;
    // The first loaded article with exactly this id.
    std::optional<EducationArticle> articleByID(const QString &id) const;
    // getting_started, history, major_arcana, suits, court_cards, spreads, reversals.
    const QList<EducationArticle> &studyArticles() const;

private:
    ResourceLocation m_location;
    mutable std::optional<QList<EducationArticleData>> m_loadedArticles;
    mutable std::optional<QList<EducationArticle>> m_studyArticles;
};

// The shared instance's lists, for callers that need nothing else.
const QList<EducationArticleData> &loadedArticles();
std::optional<EducationArticle> articleByID(const QString &id);
const QList<EducationArticle> &studyArticles();
