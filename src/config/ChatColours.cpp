#include "config/ChatColours.h"

namespace {
struct ChatColour
{
    const char *number; // 0x00BBGGRR
    const char *code;
};
constexpr ChatColour kChatColours[] = {
    {"0", "^0"},        {"255", "^1"},      {"65280", "^2"},    {"65535", "^3"}, {"16711680", "^4"},
    {"16776960", "^5"}, {"16711935", "^6"}, {"16777215", "^7"}, {"32768", "^8"}, {"8421504", "^9"},
};
} // namespace

QString chatColourCode(const QString &colourNumber)
{
    for (const ChatColour &c : kChatColours) {
        if (colourNumber == QLatin1String(c.number))
            return QLatin1String(c.code);
    }
    return colourNumber;
}

QList<QColor> chatCodeColours()
{
    QList<QColor> colours;
    for (const ChatColour &c : kChatColours) {
        const uint bgr = QByteArray(c.number).toUInt();
        colours << QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    }
    return colours;
}
