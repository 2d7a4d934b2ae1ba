#include "CardJson.h"
#include "EducationArticle.h"

#include <cstdint>
#include <cstdlib>

// Feeds every input to both decoders. Besides the sanitizers' findings, a card list that
// decodes must come back unchanged from its own encoding, and the derived texts must hold up.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const auto cards = CardJson::decodeCards(json)) {
        const auto again = CardJson::decodeCards(CardJson::encodeCards(*cards).toJson());
        if (!again || *again != *cards)
            std::abort();
        for (const TarotCard &card : *cards) {
            if (card.numberLabel().isEmpty())
                std::abort();
            (void)card.suitLabel();
            (void)card.meaningForPosition(QStringLiteral("outcome"), true);
            (void)qHash(card);
        }
    }

    if (const auto articles = ArticleJson::decodeArticles(json)) {
        for (const EducationArticleData &article : *articles) {
            if (EducationArticle::from(article).sections.size() != article.sections.size())
                std::abort();
        }
    }
    return 0;
}
