#include "MoodPalette.h"
#include "Palette.h"
#include "Symbols.h"
#include "Theme.h"

#include <QFontMetricsF>

#include <QDirIterator>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

class ThemeTest : public QObject
{
    Q_OBJECT

private slots:
    // Palette texts, with the extra opacity multiplying the alpha they carry.
    void hexColorsAndOpacity()
    {
        QCOMPARE(hexColor(QStringLiteral("  #c4973b; ")), QColor(0xC4, 0x97, 0x3B));
        QCOMPARE(hexColor(QStringLiteral("80FF0000")), QColor(0xFF, 0, 0, 0x80));
        QCOMPARE(Theme::hex(QStringLiteral("C4973B"), 0.3).alpha(), qRound(0.3 * 255));
        QCOMPARE(Theme::hex(QStringLiteral("80FF0000"), 0.5).alpha(), 64);
    }

    void sharedTextStylesUseTheEmbeddedSerif()
    {
        Theme theme;
        QCOMPARE(Theme::serifFamily(), QStringLiteral("Quillmoor Serif"));
        QCOMPARE(QFontInfo(theme.bodySerif()).family(), QStringLiteral("Quillmoor Serif"));
        // Only regular and bold exist: semibold must become bold, medium regular.
        QCOMPARE(theme.title2SerifSemibold().weight(), QFont::Bold);
        QCOMPARE(theme.subheadlineSerifMedium().weight(), QFont::Normal);
        QVERIFY(QFontInfo(theme.body()).family() != QStringLiteral("Quillmoor Serif"));
        QVERIFY(!theme.symbolFontFamily().isEmpty());

        // Figures stand as tall as capitals, so 1 and 10 never read as I and IO, nor 0 as o
        // (measured large, where pixels do not round the difference away).
        for (QFont font : {theme.bodySerif(), theme.title3Serif(), theme.subheadlineSerifMedium(),
                           theme.titleSerifBold(), theme.title2SerifSemibold()}) {
            font.setPixelSize(100);
            const QFontMetricsF metrics(font);
            const qreal capital = metrics.tightBoundingRect(QStringLiteral("H")).height();
            for (const QString digits : {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("10")})
                QVERIFY2(metrics.tightBoundingRect(digits).height() >= 0.9 * capital, qPrintable(digits));
        }
        // No text style is below the 12 pixel floor.
        for (int style = 0; style <= int(Theme::TextStyle::Caption2); ++style)
            QVERIFY(Theme::pixelSize(Theme::TextStyle(style)) >= 12);
    }

    // Every text and fill pair the chips and badges use reads at 4.5:1 at least.
    void chipAndBadgeTextsHaveContrast()
    {
        const QList<QColor> tints{Theme::accent(),    Theme::positive(),      Theme::negative(),  Theme::suitCups(),
                                  Theme::suitWands(), Theme::suitPentacles(), Theme::suitSwords()};
        for (const QColor &tint : tints)
            for (double opacity : {0.15, 0.25}) {
                const QColor fill = Theme::alpha(tint, opacity);
                QVERIFY2(Theme::contrastRatio(Theme::tintedTextOn(tint, fill), fill) >= Theme::minimumTextContrast,
                         qPrintable(tint.name()));
            }
        MoodPalette moods;
        QList<QColor> solids{Theme::accent(), Theme::reversedBadge(), Theme::surface()};
        for (const QString &mood : moods.moods())
            solids.append(moods.color(mood));
        for (const QColor &fill : solids)
            QVERIFY2(Theme::contrastRatio(Theme::textOn(fill), fill) >= Theme::minimumTextContrast,
                     qPrintable(fill.name()));
        // The plain texts on the window and on its panels.
        for (const QColor &text : {Theme::textPrimary(), Theme::textSecondary(), Theme::accent()})
            for (const QColor &back : {Theme::background(), Theme::alpha(Theme::surface(), 0.3)})
                QVERIFY2(Theme::contrastRatio(text, back) >= Theme::minimumTextContrast, qPrintable(text.name()));
        // The measure itself: black on white is 21:1, a colour on itself 1:1.
        QCOMPARE(qRound(Theme::contrastRatio(Qt::black, Qt::white)), 21);
        QCOMPARE(Theme::contrastRatio(Theme::accent(), Theme::accent()), 1.0);
    }

    // A focus ring stands apart from the screen behind it and, where it can, from the control
    // it surrounds: gold around dark controls, cream around gold ones and the mood colours
    // that gold would melt into.
    void focusRingsStandApartFromWhatTheySurround()
    {
        QCOMPARE(Theme::focusRingOn(Qt::transparent), Theme::accent());
        QCOMPARE(Theme::focusRingOn(Theme::alpha(Theme::surface(), 0.5)), Theme::accent());
        QCOMPARE(Theme::focusRingOn(Theme::accent()), Theme::textPrimary());
        MoodPalette moods;
        QList<QColor> fills{Theme::accent(), Qt::transparent, Theme::alpha(Theme::surface(), 0.5)};
        for (const QString &mood : moods.moods())
            fills.append(moods.color(mood));
        for (const QColor &fill : fills) {
            const QColor ring = Theme::focusRingOn(fill);
            // Against the background it is drawn on, past the gap, every ring is clear.
            QVERIFY2(Theme::contrastRatio(ring, Theme::background()) >= Theme::minimumRingContrast,
                     qPrintable(fill.name()));
            // Against the fill, the chosen ring is never the worse of the two palette choices.
            const double other =
                Theme::contrastRatio(ring == Theme::accent() ? Theme::textPrimary() : Theme::accent(), fill);
            QVERIFY2(Theme::contrastRatio(ring, fill) >= Theme::minimumRingContrast ||
                         Theme::contrastRatio(ring, fill) >= other,
                     qPrintable(fill.name()));
        }
    }

    // Every symbol a screen asks for must have a glyph, or it would silently draw nothing.
    void everySymbolNamedInTheScreensHasAGlyph()
    {
        static const QRegularExpression quotedName(QStringLiteral(
            R"re((?:name|iconName|icon|symbol)\s*:\s*"([a-z0-9.]+)"|QStringLiteral\("([a-z]+(?:\.[a-z0-9]+)+)"\))re"));
        QStringList missing;
        int seen = 0;
        QDirIterator it(QStringLiteral(QUILLMOOR_SOURCE_DIR "/src"),
                        {QStringLiteral("*.qml"), QStringLiteral("AppSection.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString source = QString::fromUtf8(file.readAll());
            for (auto match = quotedName.globalMatch(source); match.hasNext();) {
                const auto m = match.next();
                const QString name = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
                ++seen;
                if (!Symbols::table().contains(name))
                    missing.append(QFileInfo(file).fileName() + QStringLiteral(": ") + name);
            }
        }
        QVERIFY(seen >= 5); // the scan itself must keep finding names
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(ThemeTest)
#include "tst_theme.moc"
