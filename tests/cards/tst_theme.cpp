#include "Palette.h"
#include "Symbols.h"
#include "Theme.h"

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
        QCOMPARE(Theme::serifFamily(), QStringLiteral("EB Garamond"));
        QCOMPARE(QFontInfo(theme.bodySerif()).family(), QStringLiteral("EB Garamond"));
        // Only regular and bold exist: semibold must become bold, medium regular.
        QCOMPARE(theme.title2SerifSemibold().weight(), QFont::Bold);
        QCOMPARE(theme.subheadlineSerifMedium().weight(), QFont::Normal);
        QVERIFY(QFontInfo(theme.body()).family() != QStringLiteral("EB Garamond"));
        QVERIFY(!theme.symbolFontFamily().isEmpty());
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
