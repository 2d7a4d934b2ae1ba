#include "StudyMenuModel.h"

#include "EducationContent.h"

#include <algorithm>

EducationArticle StudyMenuModel::article(const QString &id) const
{
    if (!m_content)
        m_content = &EducationContent::shared();
    const QList<EducationArticle> &articles = m_content->studyArticles();
    const auto found = std::find_if(articles.cbegin(), articles.cend(),
                                    [&id](const EducationArticle &article) { return article.id == id; });
    return found == articles.cend() ? EducationArticle{} : *found;
}
