#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// Colours, text styles, spacing and symbols shared by every screen.
class Theme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int defaultPadding READ defaultPadding CONSTANT)
    Q_PROPERTY(QString symbolFontFamily READ symbolFontFamily CONSTANT)
    Q_PROPERTY(QString serifFontFamily READ serifFontFamily CONSTANT)
    Q_PROPERTY(QFont titleSerifBold READ titleSerifBold CONSTANT)
    Q_PROPERTY(QFont largeTitleSerifBold READ largeTitleSerifBold CONSTANT)
    Q_PROPERTY(QFont title2SerifSemibold READ title2SerifSemibold CONSTANT)
    Q_PROPERTY(QFont title3Serif READ title3Serif CONSTANT)
    Q_PROPERTY(QFont bodySerif READ bodySerif CONSTANT)
    Q_PROPERTY(QFont subheadlineSerifSemibold READ subheadlineSerifSemibold CONSTANT)
    Q_PROPERTY(QFont subheadlineSerifMedium READ subheadlineSerifMedium CONSTANT)
    Q_PROPERTY(QFont body READ body CONSTANT)
    Q_PROPERTY(QFont subheadline READ subheadline CONSTANT)

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

    // A palette string as a colour, with an extra opacity multiplied into its alpha.
    Q_INVOKABLE static QColor hex(const QString &palette, double opacity = 1.0);
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
};
