#pragma once

#include <QHash>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QtQmlIntegration/qqmlintegration.h>

#include <array>
#include <optional>

enum class Arcana { major, minor };
enum class Suit { wands, cups, swords, pentacles };
enum class YesNoLeaning { yes, no, maybe };

inline constexpr std::array<Arcana, 2> allArcanaCases{Arcana::major, Arcana::minor};
inline constexpr std::array<Suit, 4> allSuitCases{Suit::wands, Suit::cups, Suit::swords, Suit::pentacles};

// The texts the card files use for the enumerations; matching is exact, including case.
QString rawValue(Arcana arcana);
QString rawValue(Suit suit);
QString rawValue(YesNoLeaning leaning);
std::optional<Arcana> arcanaFromRawValue(const QString &text);
std::optional<Suit> suitFromRawValue(const QString &text);
std::optional<YesNoLeaning> yesNoLeaningFromRawValue(const QString &text);

size_t qHash(Arcana arcana, size_t seed = 0);
size_t qHash(Suit suit, size_t seed = 0);
size_t qHash(YesNoLeaning leaning, size_t seed = 0);

// A card's meaning in one spread position, upright and reversed.
struct PositionMeaning
{
    Q_GADGET
    QML_VALUE_TYPE(positionMeaning)
    Q_PROPERTY(QString upright MEMBER upright)
    Q_PROPERTY(QString reversed MEMBER reversed)

public:
    QString upright;
    QString reversed;

    bool operator==(const PositionMeaning &) const = default;
};

size_t qHash(const PositionMeaning &meaning, size_t seed = 0);

// One catalogue card, decoded from the card files and then only copied.
struct TarotCard
{
    Q_GADGET
    QML_VALUE_TYPE(tarotCard)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString arcana READ arcanaText)
    Q_PROPERTY(QString suit READ suitText)
    Q_PROPERTY(qint64 number MEMBER number)
    Q_PROPERTY(QString imageName MEMBER imageName)
    Q_PROPERTY(QStringList uprightKeywords MEMBER uprightKeywords)
    Q_PROPERTY(QStringList reversedKeywords MEMBER reversedKeywords)
    Q_PROPERTY(QString uprightMeaning MEMBER uprightMeaning)
    Q_PROPERTY(QString reversedMeaning MEMBER reversedMeaning)
    Q_PROPERTY(QString yesNoLeaning READ yesNoLeaningText)
    Q_PROPERTY(QString artDescription MEMBER artDescription)
    Q_PROPERTY(QString affirmation MEMBER affirmation)
    Q_PROPERTY(QStringList reflectionQuestions MEMBER reflectionQuestions)
    Q_PROPERTY(QString journalPrompt MEMBER journalPrompt)
    Q_PROPERTY(QString numberLabel READ numberLabel)
    Q_PROPERTY(QString suitLabel READ suitLabel)

public:
    QString id;
    QString name;
    Arcana arcana = Arcana::major;
    std::optional<Suit> suit;
    qint64 number = 0;
    QString imageName;
    QStringList uprightKeywords;
    QStringList reversedKeywords;
    QString uprightMeaning;
    QString reversedMeaning;
    YesNoLeaning yesNoLeaning = YesNoLeaning::maybe;
    QString artDescription;
    QMap<QString, PositionMeaning> positionMeanings;
    QString affirmation;
    QStringList reflectionQuestions;
    QString journalPrompt;

    // The number as shown: Roman numerals for the majors ("0" for the Fool), court titles and
    // "Ace" for the minors, plain digits otherwise.
    QString numberLabel() const;
    // "Major Arcana", the capitalised suit, or empty for a minor card without a suit.
    QString suitLabel() const;
    // The meaning for a spread position, falling back to the general meaning.
    Q_INVOKABLE QString meaningForPosition(const QString &positionId, bool isReversed) const;

    // Two cards are equal only when every field is; sharing an id is not enough.
    bool operator==(const TarotCard &) const = default;

private:
    QString arcanaText() const { return rawValue(arcana); }
    QString suitText() const { return suit ? rawValue(*suit) : QString(); }
    QString yesNoLeaningText() const { return rawValue(yesNoLeaning); }
};

size_t qHash(const TarotCard &card, size_t seed = 0);
