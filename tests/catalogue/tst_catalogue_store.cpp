#include "CardFixtures.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace CardFixtures;

namespace {

QStringList groupIds(const QString &resourceName)
{
    QStringList result;
    for (const QJsonValue &card : group(resourceName))
        result.append(card.toObject().value("id").toString());
    return result;
}

} // namespace

class CatalogueStoreTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString root() const { return m_dir->path(); }

    std::unique_ptr<CardDataStore> loadedStore()
    {
        auto store = std::make_unique<CardDataStore>(ResourceLocation(root()));
        store->loadCards();
        return store;
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { ResourceLocation::resetRoot(); }

    void loadsTheFiveFilesInOrder()
    {
        writeCatalogue(root());
        CardDataStore store{ResourceLocation(root())};
        QSignalSpy listChanges(&store, &CardDataStore::allCardsChanged);
        QSignalSpy indexChanges(&store, &CardDataStore::cardsByIDChanged);
        store.loadCards();
        QStringList expected;
        for (const QString &name : CardDataStore::cardResourceNames())
            expected += groupIds(name);
        QCOMPARE(ids(store.allCards()), expected);
        QCOMPARE(store.cardsByID().size(), 78);
        QCOMPARE(listChanges.count(), 5);
        QCOMPARE(indexChanges.count(), 1);
        QCOMPARE(store.cardByID("major_00")->name, "Card major_00");
        QCOMPARE(store.cardByID("MAJOR_00"), std::nullopt);
        QCOMPARE(store.cardByID("major_00 "), std::nullopt);
    }

    // A file that cannot be used removes exactly its own group; the rest keep their order.
    void skipsAFileThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        QTest::newRow("cups missing") << QString("MinorArcanaCups") << QString("missing");
        QTest::newRow("majors missing") << QString("MajorArcana") << QString("missing");
        QTest::newRow("wands card without imageName") << QString("MinorArcanaWands") << QString("no imageName");
        QTest::newRow("swords not JSON") << QString("MinorArcanaSwords") << QString("garbage");
        QTest::newRow("pentacles unreadable") << QString("MinorArcanaPentacles") << QString("unreadable");
    }
    void skipsAFileThatCannotBeUsed()
    {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        writeCatalogue(root());
        const QString path = root() + "/cards/" + file + ".json";
        QFile::remove(path);
        if (fault == "no imageName") {
            QJsonArray cards = group(file);
            QJsonObject broken = cards.at(5).toObject();
            broken.remove("imageName");
            cards.replace(5, broken);
            writeCards(root(), file, cards);
        } else if (fault == "garbage") {
            writeFile(path, "[{\"id\": ");
        } else if (fault == "unreadable") {
            // Found by name but impossible to read as a file, even for root.
            QVERIFY(QDir().mkpath(path));
        }
        QStringList expected;
        for (const QString &name : CardDataStore::cardResourceNames())
            expected += name == file ? QStringList() : groupIds(name);
        const auto store = loadedStore();
        QCOMPARE(ids(store->allCards()), expected);
        QCOMPARE(store->cardsByID().size(), expected.size());
    }

    void listsMajorsAndSuitsByNumber()
    {
        // The majors scrambled: 21, 6, 13, 20, 5, ...
        const QJsonArray inOrder = group("MajorArcana");
        QJsonArray majors;
        for (int i = 0; i < 22; ++i)
            majors.append(inOrder.at((i * 7 + 21) % 22));
        writeCards(root(), "MajorArcana", majors);
        // A cups card in the wands file, and a minor card without a suit.
        QJsonArray wands = group("MinorArcanaWands");
        wands.replace(0, cardObject("cups_99", Arcana::minor, Suit::cups, 0));
        wands.append(cardObject("stray_03", Arcana::minor, {}, 3));
        writeCards(root(), "MinorArcanaWands", wands);
        writeCards(root(), "MinorArcanaCups", group("MinorArcanaCups"));

        const auto store = loadedStore();
        QCOMPARE(ids(store->allCards()).mid(0, 4), QStringList({"major_21", "major_06", "major_13", "major_20"}));
        QCOMPARE(ids(store->majorArcana()), groupIds("MajorArcana"));
        QCOMPARE(ids(store->cardsForSuit(Suit::wands)), groupIds("MinorArcanaWands").mid(1));
        QCOMPARE(ids(store->cardsForSuit(Suit::cups)), QStringList{"cups_99"} + groupIds("MinorArcanaCups"));
        QVERIFY(store->cardsForSuit(Suit::swords).isEmpty());
        QVERIFY(store->cardByID("stray_03"));
    }

    void sharedLoadsOnce()
    {
        writeCatalogue(root());
        ResourceLocation::setRoot(root());
        CardDataStore &first = CardDataStore::shared();
        QCOMPARE(first.allCards().size(), 78);
        QVERIFY(QDir(root() + "/cards").removeRecursively());
        QCOMPARE(&CardDataStore::shared(), &first);
        QCOMPARE(CardDataStore::shared().allCards().size(), 78);
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreTest)
#include "tst_catalogue_store.moc"
