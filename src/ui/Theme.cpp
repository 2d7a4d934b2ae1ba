#include "Theme.h"

#include "DesktopPreferences.h"
#include "Palette.h"
#include "Symbols.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {

struct LoadedFamilies
{
    QString serif;
    QString symbols;
};

LoadedFamilies &families()
{
    static LoadedFamilies loaded;
    return loaded;
}

QString addFont(const QString &resource)
{
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList names = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return names.value(0);
}

} // namespace

Theme::Theme(QObject *parent) : QObject(parent)
{
    registerFonts();
    connect(DesktopPreferences::instance(), &DesktopPreferences::textScaleChanged, this, &Theme::fontsChanged);
}

double Theme::textScale() const
{
    return DesktopPreferences::currentTextScale();
}

void Theme::registerFonts()
{
    static const bool registered = [] {
        LoadedFamilies &f = families();
        f.serif = addFont(QStringLiteral(":/fonts/QuillmoorSerif-Regular.otf"));
        addFont(QStringLiteral(":/fonts/QuillmoorSerif-Italic.otf"));
        addFont(QStringLiteral(":/fonts/QuillmoorSerif-Bold.otf"));
        f.symbols = addFont(QStringLiteral(":/fonts/materialdesignicons-webfont.ttf"));
        return true;
    }();
    Q_UNUSED(registered);
}

QString Theme::serifFamily()
{
    registerFonts();
    return families().serif.isEmpty() ? QStringLiteral("serif") : families().serif;
}

QString Theme::symbolFontFamily() const
{
    return families().symbols;
}

int Theme::pixelSize(TextStyle style)
{
    switch (style) {
    case TextStyle::LargeTitle:
        return 26;
    case TextStyle::Title:
        return 22;
    case TextStyle::Title2:
        return 17;
    case TextStyle::Title3:
        return 15;
    case TextStyle::Body:
        return 13;
    // No text is smaller than 12 pixels: below that the serif's detail is lost on screen.
    case TextStyle::Subheadline:
    case TextStyle::Caption:
    case TextStyle::Caption2:
        return 12;
    }
    return 13;
}

QFont Theme::font(TextStyle style, Design design, Weight weight)
{
    QFont result;
    if (design == Design::Serif) {
        result.setFamilies({serifFamily(), QStringLiteral("serif")});
        // The packaged serif has regular and bold only: medium reads as regular, semibold as bold.
        result.setWeight(weight >= Weight::Semibold ? QFont::Bold : QFont::Normal);
    } else {
        const QFont::Weight sansWeights[] = {QFont::Normal, QFont::Medium, QFont::DemiBold, QFont::Bold};
        result.setWeight(sansWeights[static_cast<int>(weight)]);
    }
    result.setPixelSize(int(std::lround(pixelSize(style) * DesktopPreferences::currentTextScale())));
    return result;
}

QFont Theme::textStyle(TextStyle style, bool serif, int weight)
{
    Weight w = Weight::Regular;
    if (weight >= QFont::Bold)
        w = Weight::Bold;
    else if (weight >= QFont::DemiBold)
        w = Weight::Semibold;
    else if (weight >= QFont::Medium)
        w = Weight::Medium;
    return font(style, serif ? Design::Serif : Design::Default, w);
}

QColor Theme::hex(const QString &palette, double opacity)
{
    return alpha(hexColor(palette), opacity);
}

QColor Theme::alpha(const QColor &color, double opacity)
{
    QColor result = color;
    result.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return result;
}

namespace {

QColor over(const QColor &top, const QColor &under)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(float(top.redF() * a + under.redF() * (1 - a)),
                            float(top.greenF() * a + under.greenF() * (1 - a)),
                            float(top.blueF() * a + under.blueF() * (1 - a)));
}

double luminance(const QColor &color)
{
    const auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

} // namespace

double Theme::contrastRatio(const QColor &foreground, const QColor &background)
{
    const QColor back = over(background, Theme::background());
    const double a = luminance(over(foreground, back));
    const double b = luminance(back);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor Theme::textOn(const QColor &fill)
{
    return contrastRatio(textPrimary(), fill) >= contrastRatio(background(), fill) ? textPrimary() : background();
}

QColor Theme::focusRingOn(const QColor &fill)
{
    const double gold = contrastRatio(accent(), fill);
    return gold >= minimumRingContrast || gold >= contrastRatio(textPrimary(), fill) ? accent() : textPrimary();
}

QColor Theme::tintedTextOn(const QColor &tint, const QColor &fill)
{
    const QColor solid = over(tint, over(fill, background()));
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor lifted = QColor::fromRgbF(float(solid.redF() + (textPrimary().redF() - solid.redF()) * t),
                                               float(solid.greenF() + (textPrimary().greenF() - solid.greenF()) * t),
                                               float(solid.blueF() + (textPrimary().blueF() - solid.blueF()) * t));
        if (contrastRatio(lifted, fill) >= minimumTextContrast)
            return lifted;
    }
    return textOn(fill);
}

QString Theme::symbol(const QString &name)
{
    return Symbols::glyph(name);
}

QColor Theme::answerColor(const QString &answer)
{
    if (answer == QLatin1String("Yes"))
        return positive();
    if (answer == QLatin1String("No"))
        return negative();
    return accent();
}
