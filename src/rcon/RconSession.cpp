#include "rcon/RconSession.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/Transport.h"

#include <QTime>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kEchoRule = QStringLiteral("----------------------");
} // namespace

RconSession::RconSession(QObject *parent)
    : QObject(parent)
    , m_link(new UdpLink(this))
    , m_console(new ConsoleText(this))
    , m_replyBuffer(new ConsoleText(this))
{
    setObjectName(QStringLiteral("rconSession"));
    m_console->setObjectName(QStringLiteral("console"));
    m_replyBuffer->setObjectName(QStringLiteral("replyBuffer"));
    connect(m_link, &UdpLink::datagramArrived, this, &RconSession::receive);
}

RconSession::~RconSession() = default;

void RconSession::setField(QString &field, const QString &value)
{
    if (field == value)
        return;
    field = value;
    emit fieldsChanged();
    emit stateChanged();
}

void RconSession::setAddress(const QString &address)
{
    setField(m_address, address);
}

void RconSession::setPort(const QString &port)
{
    setField(m_port, port);
}

void RconSession::setPassword(const QString &password)
{
    setField(m_password, password);
}

void RconSession::setAdminName(const QString &name)
{
    setField(m_adminName, name);
}

bool RconSession::isConnected() const
{
    return m_link->isOpen();
}

void RconSession::setGameKind(const QString &kind)
{
    if (m_gameKind == kind)
        return;
    m_gameKind = kind;
    emit gameKindChanged(kind);
    emit stateChanged();
}

void RconSession::setJoinPassword(const QString &password)
{
    if (m_joinPassword == password)
        return;
    m_joinPassword = password;
    emit joinPasswordChanged(password);
    emit stateChanged();
}

void RconSession::setPunkBusterEnabled(bool on)
{
    m_punkBuster = on;
    // Always told: the windows that show it may have been made after the last change.
    emit punkBusterChanged(on);
    emit stateChanged();
}

void RconSession::setProfile(const QString &profile)
{
    m_profile = profile;
    emit profileChanged(profile);
    emit stateChanged();
}

void RconSession::setStripColours(bool on)
{
    if (m_stripColours == on)
        return;
    m_stripColours = on;
    emit stripColoursChanged(on);
    emit stateChanged();
}

QString RconSession::replyText() const
{
    return m_replyBuffer->text();
}

void RconSession::clearReplyBuffer()
{
    m_replyBuffer->clear();
}

void RconSession::SendCommand(const QString &command)
{
    if (!m_link->isOpen()) {
        MsgBox(LangText(QStringLiteral("StatusMessages"), QStringLiteral("NotConnectedError"),
                        QStringLiteral("You are not connected to a server!")),
               MsgIcon::Exclamation,
               LangText(QStringLiteral("StatusMessages"), QStringLiteral("NotConnectedError2"),
                        QStringLiteral("Not connected")));
        return;
    }
    m_link->send(rconDatagram(m_password, command));
    if (command == QLatin1String("pb_sv_uconempty"))
        return;
    m_console->append(kCrLf + kEchoRule + kCrLf + QLatin1Char('[')
                      + QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))
                      + QStringLiteral("] ") + command + kCrLf + kEchoRule);
}

QString RconSession::announcementFor(const QString &description) const
{
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnChange"))
        == QLatin1String("1"))
        return QStringLiteral("Say  ^4||^7 ") + description + QStringLiteral(" by ^4")
               + m_adminName;
    return QStringLiteral("Say ^7") + AppInfo::shortName() + QLatin1Char(' ') + AppInfo::version()
           + QStringLiteral(" ^4||^7 ") + description + QStringLiteral(" by ^4") + m_adminName;
}

void RconSession::AnnounceChange(const QString &command, const QString &description)
{
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMess")) == QLatin1String("1")) {
        SendCommand(command);
        return;
    }
    SendCommand(announcementFor(description));
    Wait(2.0);
    SendCommand(command);
}

bool RconSession::sendForReply(const QString &command)
{
    m_replyBuffer->clear();
    SendCommand(command);
    return m_link->isOpen();
}

QString RconSession::readVariable(const QString &name, double seconds)
{
    if (!sendForReply(name))
        return QString();
    Wait(seconds);
    return cvarValue(replyText());
}

void RconSession::receive(const QByteArray &datagram)
{
    m_lastDatagram = datagram;
    const bool strip = m_stripColours || m_colorNames.pref() == QLatin1String("1");
    const QByteArray text = "\r\n" + cleanReplyBytes(datagram, strip);
    m_console->appendLatin1(text);
    if (m_replyBuffer->size() + text.size() > kReplyBufferLimit)
        m_replyBuffer->setText(m_replyBuffer->mid(m_replyBuffer->size() - kReplyBufferLimit / 2,
                                                  kReplyBufferLimit / 2));
    m_replyBuffer->appendLatin1(text);
    emit datagramReceived(datagram);
}
