#include "rcon/Transport.h"

#include "config/Language.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTime>

namespace {
const QByteArray kHeader("\xFF\xFF\xFF\xFF", 4);
const QByteArray kPrintMarker = kHeader + QByteArrayLiteral("print\n");
const QString kEchoRule = QStringLiteral("----------------------");
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

QByteArray rconDatagram(const QString &password, const QString &command)
{
    return kHeader + QByteArrayLiteral("rcon ") + password.toLatin1() + ' ' + command.toLatin1();
}

void SendCommand(const QString &command)
{
    frmMain *main = MainWindow();
    if (!main)
        return;
    if (!main->UDPClient->isOpen()) {
        MsgBox(LangText(QStringLiteral("StatusMessages"), QStringLiteral("NotConnectedError"),
                        QStringLiteral("You are not connected to a server!")),
               MsgIcon::Exclamation,
               LangText(QStringLiteral("StatusMessages"), QStringLiteral("NotConnectedError2"),
                        QStringLiteral("Not connected")));
        return;
    }
    main->UDPClient->send(rconDatagram(main->txtServerRCON->text(), command));
    if (command == QLatin1String("pb_sv_uconempty"))
        return;
    main->txtConsole->appendText(kCrLf + kEchoRule + kCrLf + QLatin1Char('[')
                                 + QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))
                                 + QStringLiteral("] ") + command + kCrLf + kEchoRule);
    main->txtConsole->scrollToEnd();
}

QString announcementFor(const QString &description)
{
    frmMain *main = MainWindow();
    const QString admin = main ? main->txtServername->text() : QString();
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnChange"))
        == QLatin1String("1"))
        return QStringLiteral("Say  ^4||^7 ") + description + QStringLiteral(" by ^4") + admin;
    const QString shortName = main ? main->lblAppShortNamer->text() : QString();
    const QString version = main ? main->lblAppVersionr->text() : QString();
    return QStringLiteral("Say ^7") + shortName + QLatin1Char(' ') + version
           + QStringLiteral(" ^4||^7 ") + description + QStringLiteral(" by ^4") + admin;
}

void AnnounceChange(const QString &command, const QString &description)
{
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMess")) == QLatin1String("1")) {
        SendCommand(command);
        return;
    }
    SendCommand(announcementFor(description));
    Wait(2.0);
    SendCommand(command);
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
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

void ReceiveDatagram(frmMain *main, const QByteArray &datagram)
{
    if (!main)
        return;
    main->receiveString = datagram;
    const bool strip = main->ckColorNames->isChecked()
                       || ReadPref(QStringLiteral("Console"), QStringLiteral("ColorNames"))
                              == QLatin1String("1");
    const QString text = cleanReply(datagram, strip);
    main->txtConsole->appendText(kCrLf + text);
    main->txtConsoleCommands->appendText(kCrLf + text);
    main->txtConsole->scrollToEnd();
    main->txtConsoleCommands->scrollToEnd();
}

QString cvarValue(const QString &reply)
{
    const QStringList pieces = reply.split(QLatin1Char('"'));
    if (pieces.size() < 4)
        return reply;
    return pieces.at(3);
}
