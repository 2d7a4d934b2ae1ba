#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

#include "Palette.h"

// Colours, text styles, spacing and symbols shared by every screen.
class Theme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int defaultPadding READ defaultPadding CONSTANT)
    Q_PROPERTY(QColor background READ background CONSTANT)
    Q_PROPERTY(QColor surface READ surface CONSTANT)
    Q_PROPERTY(QColor surfaceDeep READ surfaceDeep CONSTANT)
    Q_PROPERTY(QColor faceTop READ faceTop CONSTANT)
    Q_PROPERTY(QColor accent READ accent CONSTANT)
    Q_PROPERTY(QColor textPrimary READ textPrimary CONSTANT)
    Q_PROPERTY(QColor textSecondary READ textSecondary CONSTANT)
    Q_PROPERTY(QColor reversedBadge READ reversedBadge CONSTANT)
    Q_PROPERTY(QColor negative READ negative CONSTANT)
    Q_PROPERTY(QColor positive READ positive CONSTANT)
    Q_PROPERTY(QColor suitWands READ suitWands CONSTANT)
    Q_PROPERTY(QColor suitCups READ suitCups CONSTANT)
    Q_PROPERTY(QColor suitSwords READ suitSwords CONSTANT)
    Q_PROPERTY(QColor suitPentacles READ suitPentacles CONSTANT)
    Q_PROPERTY(QColor streakFlame READ streakFlame CONSTANT)
    Q_PROPERTY(QString symbolFontFamily READ symbolFontFamily CONSTANT)
    Q_PROPERTY(QString serifFontFamily READ serifFontFamily CONSTANT)
    Q_PROPERTY(QFont titleSerifBold READ titleSerifBold NOTIFY fontsChanged)
    Q_PROPERTY(QFont largeTitleSerifBold READ largeTitleSerifBold NOTIFY fontsChanged)
    Q_PROPERTY(QFont title2SerifSemibold READ title2SerifSemibold NOTIFY fontsChanged)
    Q_PROPERTY(QFont title3Serif READ title3Serif NOTIFY fontsChanged)
    Q_PROPERTY(QFont bodySerif READ bodySerif NOTIFY fontsChanged)
    Q_PROPERTY(QFont subheadlineSerifSemibold READ subheadlineSerifSemibold NOTIFY fontsChanged)
    Q_PROPERTY(QFont subheadlineSerifMedium READ subheadlineSerifMedium NOTIFY fontsChanged)
    Q_PROPERTY(QFont body READ body NOTIFY fontsChanged)
    Q_PROPERTY(QFont subheadline READ subheadline NOTIFY fontsChanged)
    // How much larger than its own size the desktop asks text to be drawn.
    Q_PROPERTY(double textScale READ textScale NOTIFY fontsChanged)

public:
    // Text style sizes in logical pixels.
    enum class TextStyle { LargeTitle, Title, Title2, Title3, Body, Subheadline, Caption, Caption2 };
    Q_ENUM(TextStyle)
    enum class Design { Default, Serif };
    enum class Weight { Regular, Medium, Semibold, Bold };

    explicit Theme(QObject *parent = nullptr);

    // Registers the embedded fonts once; safe to call again.
    static void registerFonts();
    static QString serifFamily();
    static QFont font(TextStyle style, Design design, Weight weight = Weight::Regular);
    static int pixelSize(TextStyle style);

    // The palette, by role. Screens use these names, never colour strings.
    // Every screen's background.
    static QColor background() { return hexColor(QStringLiteral("1A1A2E")); }
    // Panels, chips and cards, usually at 20 to 50 % opacity.
    static QColor surface() { return hexColor(QStringLiteral("2D1B69")); }
    // The darkest violet: the far stop of the card back.
    static QColor surfaceDeep() { return hexColor(QStringLiteral("1A0F3D")); }
    // The near stop of a drawn card face.
    static QColor faceTop() { return hexColor(QStringLiteral("241845")); }
    // Gold: buttons, icons, numbers, selection, shadows; a "maybe" answer.
    static QColor accent() { return hexColor(QStringLiteral("C4973B")); }
    // Cream text, including text on cards.
    static QColor textPrimary() { return hexColor(QStringLiteral("F5E6D3")); }
    // Muted text.
    static QColor textSecondary() { return hexColor(QStringLiteral("D0C4B8")); }
    // Plum fill of the "Reversed" badges.
    static QColor reversedBadge() { return hexColor(QStringLiteral("6B2D5B")); }
    // Red: the reversed marker and a "no" answer.
    static QColor negative() { return hexColor(QStringLiteral("D4636B")); }
    // Green: a "yes" answer.
    static QColor positive() { return hexColor(QStringLiteral("6BBF59")); }
    // The wands symbol.
    static QColor suitWands() { return hexColor(QStringLiteral("D4582A")); }
    // The cups symbol.
    static QColor suitCups() { return hexColor(QStringLiteral("3B7DD8")); }
    // The swords symbol.
    static QColor suitSwords() { return hexColor(QStringLiteral("8B9DAF")); }
    // The pentacles symbol.
    static QColor suitPentacles() { return hexColor(QStringLiteral("4A8C3F")); }
    // The orange of the streak flame.
    static QColor streakFlame() { return hexColor(QStringLiteral("FF9F0A")); }

    // A palette string as a colour, with an extra opacity multiplied into its alpha.
    static QColor hex(const QString &palette, double opacity = 1.0);
    // A colour with an extra opacity multiplied into its alpha: Theme.alpha(Theme.accent, 0.4).
    // The colour a yes/no answer or leaning is shown in: green for "Yes", red for "No", gold
    // for "Maybe" and anything else.
    Q_INVOKABLE static QColor answerColor(const QString &answer);
    Q_INVOKABLE static QColor alpha(const QColor &color, double opacity);
    // The contrast ratio of `foreground` over `background` (1 to 21), each composited over the
    // window's background first when it is translucent.
    static double contrastRatio(const QColor &foreground, const QColor &background);
    // Text for a solid fill: the cream text or the dark background colour, whichever reads
    // better on it.
    Q_INVOKABLE static QColor textOn(const QColor &fill);
    // Text in a tint's own hue on a fill (a chip tinted by the same colour): the tint, lifted
    // toward the cream text as far as it takes to reach 4.5:1 on the fill.
    Q_INVOKABLE static QColor tintedTextOn(const QColor &tint, const QColor &fill);
    // The focus ring around a control filled with `fill`: gold, or cream where gold would not
    // stand apart from the fill (a gold button, a gold selected chip) and cream does better.
    Q_INVOKABLE static QColor focusRingOn(const QColor &fill);
    static constexpr double minimumRingContrast = 3.0;
    // The least contrast any text of the screens may have.
    static constexpr double minimumTextContrast = 4.5;

    // The Material Design Icons glyph for a symbol name.
    Q_INVOKABLE static QString symbol(const QString &name);
    // A style by its attributes, for the few places that need one outside the nine shared ones.
    Q_INVOKABLE static QFont textStyle(Theme::TextStyle style, bool serif, int weight = QFont::Normal);

    int defaultPadding() const { return 16; }
    QString symbolFontFamily() const;
    QString serifFontFamily() const { return serifFamily(); }
    QFont titleSerifBold() const { return font(TextStyle::Title, Design::Serif, Weight::Bold); }
    QFont largeTitleSerifBold() const { return font(TextStyle::LargeTitle, Design::Serif, Weight::Bold); }
    QFont title2SerifSemibold() const { return font(TextStyle::Title2, Design::Serif, Weight::Semibold); }
    QFont title3Serif() const { return font(TextStyle::Title3, Design::Serif); }
    QFont bodySerif() const { return font(TextStyle::Body, Design::Serif); }
    QFont subheadlineSerifSemibold() const { return font(TextStyle::Subheadline, Design::Serif, Weight::Semibold); }
    QFont subheadlineSerifMedium() const { return font(TextStyle::Subheadline, Design::Serif, Weight::Medium); }
    QFont body() const { return font(TextStyle::Body, Design::Default); }
    QFont subheadline() const { return font(TextStyle::Subheadline, Design::Default); }
    double textScale() const;

signals:
    // The desktop's text size changed: every style is rebuilt.
    void fontsChanged();
};
