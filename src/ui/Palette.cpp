#include "Palette.h"

QColor hexColor(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && !text.at(begin).isLetterOrNumber())
        ++begin;
    while (end > begin && !text.at(end - 1).isLetterOrNumber())
        --end;
    const QStringView stripped = QStringView(text).mid(begin, end - begin);

    // Scan an unsigned hex number from the start, stopping at the first non-hex character.
    quint64 value = 0;
    for (QChar c : stripped) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            break;
        value = value * 16 + static_cast<quint64>(digit);
    }

    quint64 a = 255, r = 0, g = 0, b = 0;
    switch (stripped.size()) {
    case 3:
        r = ((value >> 8) & 0xF) * 17;
        g = ((value >> 4) & 0xF) * 17;
        b = (value & 0xF) * 17;
        break;
    case 6:
        r = (value >> 16) & 0xFF;
        g = (value >> 8) & 0xFF;
        b = value & 0xFF;
        break;
    case 8:
        a = (value >> 24) & 0xFF;
        r = (value >> 16) & 0xFF;
        g = (value >> 8) & 0xFF;
        b = value & 0xFF;
        break;
    default:
        break;
    }
    return QColor(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b), static_cast<int>(a));
}
