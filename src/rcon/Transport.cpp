#include "rcon/Transport.h"

#include <QStringList>

#include <cstring>

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
    return QString::fromLatin1(cleanReplyBytes(datagram, stripColours));
}

QByteArray cleanReplyBytes(const QByteArray &datagram, bool stripColours)
{
    if (stripColours) {
        QByteArray bytes = datagram;
        for (char digit = '0'; digit <= '7'; ++digit) {
            const char code[3] = {'^', digit, 0};
            bytes.replace(code, "");
        }
        bytes.replace(kPrintMarker, QByteArray());
        bytes.replace("\n", "\r\n");
        return bytes;
    }
    // The common case in one pass: every reply goes through here.
    QByteArray out;
    out.reserve(datagram.size() + datagram.size() / 16 + 8);
    const char *p = datagram.constData();
    const qsizetype n = datagram.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] == '\xFF' && n - i >= kPrintMarker.size()
            && memcmp(p + i, kPrintMarker.constData(), size_t(kPrintMarker.size())) == 0) {
            i += kPrintMarker.size();
            continue;
        }
        if (p[i] == '\n')
            out += '\r';
        out += p[i++];
    }
    return out;
}

QString cvarValue(const QString &reply)
{
    const QStringList pieces = reply.split(QLatin1Char('"'));
    if (pieces.size() < 4)
        return reply;
    return pieces.at(3);
}
