#include "CardFixtures.h"
#include "EducationContent.h"

#include <QTemporaryDir>
#include <QTest>

using namespace CardFixtures;

namespace {

QJsonObject section(const QString &heading, std::optional<QString> cardId = {})
{
    QJsonObject object{{"heading", heading}, {"body", "About " + heading}};
    if (cardId)
        object.insert("cardId", *cardId);
    return object;
}

QJsonObject article(const QString &id, const QString &title, const QJsonArray &sections = {})
{
    return {{"id", id}, {"title", title}, {"icon", "book"}, {"cardId", "major_05"}, {"sections", sections}};
}

} // namespace

class CatalogueArticlesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    EducationContent contentOf(const QJsonArray &articles)
    {
        writeFile(m_dir->path() + "/education_content.json", QJsonDocument(articles).toJson());
        return EducationContent(ResourceLocation(m_dir->path()));
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void decodingRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("decodes");
        const QJsonValue removed(QJsonValue::Undefined);
        QTest::newRow("no cardId") << "cardId" << removed << false;
        QTest::newRow("no sections") << "sections" << removed << false;
        QTest::newRow("sections empty") << "sections" << QJsonValue(QJsonArray()) << true;
        QTest::newRow("section without body")
            << "sections" << QJsonValue(QJsonArray{QJsonObject{{"heading", "H"}}}) << false;
        QTest::newRow("section cardId number")
            << "sections" << QJsonValue(QJsonArray{QJsonObject{{"heading", "H"}, {"body", "B"}, {"cardId", 5}}})
            << false;
        QTest::newRow("extra member") << "author" << QJsonValue("anon") << true;
    }
    void decodingRules()
    {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(bool, decodes);
        QJsonObject mutated = article("history", "History", {section("Origins")});
        if (value.isUndefined())
            mutated.remove(key);
        else
            mutated.insert(key, value);
        const QJsonArray file{article("suits", "Suits"), mutated};
        const auto articles = ArticleJson::decodeArticles(QJsonDocument(file).toJson());
        QCOMPARE(articles.has_value(), decodes);
        QCOMPARE(contentOf(file).loadedArticles().size(), decodes ? 2 : 0);
    }

    void sectionCardIsOptional()
    {
        QJsonObject nullCard = section("Null");
        nullCard.insert("cardId", QJsonValue::Null);
        const EducationContent content =
            contentOf({article("spreads", "Spreads", {section("Missing"), nullCard, section("Given", "major_01")})});
        const EducationArticle shown = *content.articleByID("spreads");
        QCOMPARE(shown.sections.at(0).cardId, std::nullopt);
        QCOMPARE(shown.sections.at(1).cardId, std::nullopt);
        QCOMPARE(shown.sections.at(2).cardId, "major_01");
        QCOMPARE(shown.sections.at(2).body, "About Given");
    }

    void studyArticlesFallBackOneByOne()
    {
        const EducationContent content =
            contentOf({article("history", "A Short History", {section("Origins"), section("Decks", "major_02")})});
        const QList<EducationArticle> &articles = content.studyArticles();
        QCOMPARE(articles.size(), 7);
        QCOMPARE(articles.at(1).title, "A Short History");
        QCOMPARE(articles.at(1).sections.size(), 2);
        QCOMPARE(articles.at(1).cardId, "major_05");
        for (qsizetype i : {0, 2, 3, 4, 5, 6})
            QVERIFY(articles.at(i).sections.isEmpty());
        // Read once: the lists outlive the file.
        QVERIFY(QFile::remove(m_dir->path() + "/education_content.json"));
        QCOMPARE(content.loadedArticles().size(), 1);
    }

    void fallbacksWhenTheFileIsUnusable_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not JSON") << QByteArray("[{");
        QTest::newRow("object at top") << QByteArray(R"({"id": "history"})");
    }
    void fallbacksWhenTheFileIsUnusable()
    {
        QFETCH(QByteArray, contents);
        if (!contents.isEmpty())
            writeFile(m_dir->path() + "/education_content.json", contents);
        const EducationContent content{ResourceLocation(m_dir->path())};
        QVERIFY(content.loadedArticles().isEmpty());
        // The menu still lists every article, each with its title but without sections.
        QCOMPARE(content.studyArticles().size(), 7);
        for (const EducationArticle &article : content.studyArticles())
            QVERIFY(!article.title.isEmpty() && !article.icon.isEmpty() && article.sections.isEmpty());
    }

    void firstOfRepeatedIdsWinsAndOthersStayHidden()
    {
        const EducationContent content =
            contentOf({article("tarot_and_astrology", "Stars"), article("suits", "The Four Suits"),
                       article("suits", "Suits Again")});
        QCOMPARE(content.loadedArticles().size(), 3);
        QCOMPARE(content.studyArticles().at(3).title, "The Four Suits");
        QCOMPARE(content.articleByID("suits")->title, "The Four Suits");
        QCOMPARE(content.articleByID("tarot_and_astrology")->title, "Stars");
        for (const EducationArticle &shown : content.studyArticles())
            QVERIFY(shown.id != "tarot_and_astrology");
        QCOMPARE(content.articleByID("Suits"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(CatalogueArticlesTest)
#include "tst_catalogue_articles.moc"
