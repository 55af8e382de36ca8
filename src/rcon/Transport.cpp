#include "rcon/Transport.h"

#include <QStringList>

namespace {
const QByteArray kHeader("\xFF\xFF\xFF\xFF", 4);
const QByteArray kPrintMarker = kHeader + QByteArrayLiteral("print\n");
} // namespace

QByteArray rconDatagram(const QString &password, const QString &command)
{
    return kHeader + QByteArrayLiteral("rcon ") + password.toLatin1() + ' ' + command.toLatin1();
}

QString cleanReply(const QByteArray &datagram, bool stripColours)
{
    QByteArray bytes = datagram;
    if (stripColours) {
        for (char digit = '0'; digit <= '7'; ++digit) {
            const char code[3] = {'^', digit, 0};
            bytes.replace(code, "");
        }
    }
    bytes.replace(kPrintMarker, QByteArray());
    QString text = QString::fromLatin1(bytes);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString cvarValue(const QString &reply)
{
    const QStringList pieces = reply.split(QLatin1Char('"'));
    if (pieces.size() < 4)
        return reply;
    return pieces.at(3);
}
