#pragma once

#include "EducationArticle.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class EducationContent;

// Where the rows of the study menu lead: the seven study articles, in menu order, each taken
// from the articles file or, when the file lacks it, its fallback without sections.
class StudyMenuModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT

public:
    // For QML: the shared articles, read on the first request.
    explicit StudyMenuModel(QObject *parent = nullptr) : QObject(parent) {}
    // `content` must outlive the model.
    explicit StudyMenuModel(const EducationContent &content, QObject *parent = nullptr)
        : QObject(parent), m_content(&content)
    {}

    // The study article with this id; an article without a title or sections when there is none.
    Q_INVOKABLE EducationArticle article(const QString &id) const;

private:
    mutable const EducationContent *m_content = nullptr;
};
