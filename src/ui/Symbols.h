#pragma once

#include <QHash>
#include <QString>

// Symbol names used across the screens, mapped to glyphs of the Material Design Icons font.
namespace Symbols {

const QHash<QString, char16_t> &table();
// The glyph for a symbol name as a one-character string; empty for an unknown name.
QString glyph(const QString &name);

} // namespace Symbols
