#include "Symbols.h"

namespace Symbols {

const QHash<QString, char16_t> &table()
{
    // Codepoints of Material Design Icons 1.6 as packaged by Debian.
    static const QHash<QString, char16_t> symbols{
        // sections and shell
        {QStringLiteral("sun.max.fill"), 0xF5A8},         // white-balance-sunny: a filled sun
        {QStringLiteral("rectangle.stack.fill"), 0xF638}, // cards
        {QStringLiteral("brain.head.profile"), 0xF644},   // face-profile: the nearest to a head
        {QStringLiteral("book.closed.fill"), 0xF0BA},     // book
        {QStringLiteral("calendar"), 0xF0ED},
        {QStringLiteral("chart.bar"), 0xF128},
        {QStringLiteral("ellipsis"), 0xF1D8},                 // dots-horizontal: a row's actions
        {QStringLiteral("gearshape"), 0xF493},                // settings
        {QStringLiteral("exclamationmark.triangle"), 0xF02A}, // alert-outline
        {QStringLiteral("chevron.down"), 0xF140},
        {QStringLiteral("chevron.left"), 0xF141},
        {QStringLiteral("chevron.right"), 0xF142},
        {QStringLiteral("chevron.up.chevron.down"), 0xF54F}, // unfold-more
        // cards and suits
        {QStringLiteral("star.fill"), 0xF4CE},
        {QStringLiteral("star"), 0xF4D2},       // star-outline
        {QStringLiteral("flame.fill"), 0xF238}, // fire
        {QStringLiteral("drop.fill"), 0xF58C},  // water
        {QStringLiteral("wind"), 0xF59D},       // weather-windy
        {QStringLiteral("leaf.fill"), 0xF32A},  // leaf
        {QStringLiteral("photo"), 0xF2E9},      // image
        // spreads
        {QStringLiteral("rectangle.portrait"), 0xF1A1},                       // crop-portrait
        {QStringLiteral("questionmark.circle"), 0xF625},                      // help-circle-outline
        {QStringLiteral("rectangle.split.3x1"), 0xF56D},                      // view-column
        {QStringLiteral("plus.rectangle.on.rectangle"), 0xF554},              // vector-arrange-above
        {QStringLiteral("rectangle.portrait.on.rectangle.portrait"), 0xF18F}, // content-copy
        // study and articles
        {QStringLiteral("sparkles"), 0xF068},              // auto-fix
        {QStringLiteral("sparkle"), 0xF4CE},               // star: this font has no four-point star
        {QStringLiteral("book"), 0xF0BE},                  // book-open-variant
        {QStringLiteral("text.book.closed.fill"), 0xF0BF}, // book-variant
        {QStringLiteral("square.grid.2x2"), 0xF570},       // view-grid
        {QStringLiteral("square.grid.3x3"), 0xF2C1},       // grid
        {QStringLiteral("person.3"), 0xF00E},              // account-multiple
        {QStringLiteral("rectangle.stack"), 0xF639},       // cards-outline
        {QStringLiteral("arrow.up.arrow.down"), 0xF4E2},   // swap-vertical
        {QStringLiteral("magnifyingglass"), 0xF349},       // magnify
        // actions
        {QStringLiteral("envelope"), 0xF1F0},              // email-outline
        {QStringLiteral("arrow.up.right.square"), 0xF3CC}, // open-in-new
        {QStringLiteral("square.and.arrow.up"), 0xF21D},   // file-export: a page with an arrow out of it
        {QStringLiteral("square.and.arrow.down"), 0xF220}, // file-import: an arrow into a page
        {QStringLiteral("arrow.down"), 0xF045},
        {QStringLiteral("arrow.down.to.line"), 0xF1DA},                              // download
        {QStringLiteral("arrow.trianglehead.2.counterclockwise.rotate.90"), 0xF465}, // rotate-left
        {QStringLiteral("bubble.left.and.text.bubble.right"), 0xF28C},               // forum
        {QStringLiteral("circle.fill"), 0xF12F},                                     // checkbox-blank-circle
        {QStringLiteral("clock.arrow.circlepath"), 0xF2DA},                          // history
        {QStringLiteral("mappin.circle.fill"), 0xF352},                              // map-marker-radius
        {QStringLiteral("plus.circle"), 0xF419},                                     // plus-circle-outline
        {QStringLiteral("doc.text"), 0xF219},                                        // file-document
        {QStringLiteral("doc.richtext"), 0xF21A},                                    // file-document-box
        {QStringLiteral("tablecells"), 0xF4EB},                                      // table
        {QStringLiteral("checkmark"), 0xF12C},                                       // check
        {QStringLiteral("xmark"), 0xF156},                                           // close
        {QStringLiteral("eye.slash"), 0xF209},                                       // eye-off
        {QStringLiteral("folder"), 0xF256},                                          // folder-outline
        {QStringLiteral("arrow.triangle.2.circlepath"), 0xF4E6},                     // sync
        {QStringLiteral("xmark.circle"), 0xF4E8},                                    // sync-off
    };
    return symbols;
}

QString glyph(const QString &name)
{
    const auto it = table().constFind(name);
    return it == table().cend() ? QString() : QString(QChar(*it));
}

} // namespace Symbols
