#include "Theme.h"

#include "Palette.h"
#include "Symbols.h"

#include <QFontDatabase>

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
}

void Theme::registerFonts()
{
    static const bool registered = [] {
        LoadedFamilies &f = families();
        f.serif = addFont(QStringLiteral(":/fonts/EBGaramond12-Regular.otf"));
        addFont(QStringLiteral(":/fonts/EBGaramond12-Italic.otf"));
        addFont(QStringLiteral(":/fonts/EBGaramond12-Bold.otf"));
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
    case TextStyle::Subheadline:
        return 11;
    case TextStyle::Caption:
    case TextStyle::Caption2:
        return 10;
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
    result.setPixelSize(pixelSize(style));
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

QString Theme::symbol(const QString &name)
{
    return Symbols::glyph(name);
}
