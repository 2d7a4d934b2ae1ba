#pragma once

#include <QColor>
#include <QString>

// Turns a palette string ("C4973B", "#2D1B69", "FA0", "80FF0000") into a colour. Characters that
// are not letters or digits are stripped from both ends; lengths other than 3, 6 and 8 give
// opaque black, and scanning stops at the first character that is not a hex digit.
QColor hexColor(const QString &text);
