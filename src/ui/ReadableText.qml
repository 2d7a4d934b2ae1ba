import QtQuick

// A text that carries meaning, read by screen readers with its words: static text by default;
// set `Accessible.role` to Accessible.Heading or Accessible.Paragraph where that fits.
// Decorative text stays a plain Text, which screen readers do not see.
Text {
    id: root

    Accessible.role: Accessible.StaticText
    Accessible.ignored: !root.visible || root.text.length === 0
    Accessible.name: root.textFormat === Text.PlainText ? root.text : root.text.replace(/<[^>]*>/g, "")
}
