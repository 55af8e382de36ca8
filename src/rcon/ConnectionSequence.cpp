#include "rcon/ConnectionSequence.h"

#include "config/Language.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Dialogs.h"
#include "platform/UdpLink.h"
#include "rcon/Games.h"
#include "rcon/RconSession.h"
#include "rcon/Transport.h"

#include <QTimer>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString status(const char *key, const char *english)
{
    return LangText(QStringLiteral("StatusMessages"), QLatin1String(key), QLatin1String(english));
}

QString notConnectedSuffix()
{
    return QStringLiteral(" - ") + status("NotConnectedTitle", "Not Connected to a server!");
}
} // namespace

ConnectionSequence::ConnectionSequence(RconSession *session, QTimer *stepTimer, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_timer(stepTimer)
{
    setObjectName(QStringLiteral("connectionSequence"));
    connect(m_timer, &QTimer::timeout, this, &ConnectionSequence::tick);
}

void ConnectionSequence::connectToServer()
{
    RconSession *s = m_session;
    QString forgotten;
    const struct
    {
        QString value;
        const char *line;
    } required[] = {{s->address(), " -Server IP Address"},
                    {s->port(), " -Server Port"},
                    {s->password(), " -Server Rconpassword"},
                    {s->adminName(), " -Name"}};
    for (const auto &r : required) {
        if (r.value.isEmpty())
            forgotten += kCrLf + QLatin1String(r.line);
    }
    if (!forgotten.isEmpty()) {
        MsgBox(QStringLiteral("You forgot to fill in this field(s):") + forgotten,
               MsgIcon::Critical, QStringLiteral("Forgotten fields..."));
        return;
    }

    m_address = s->address();
    m_port = s->port();

    UdpLink *link = s->link();
    // A port that is no port number leaves the old one in place; the steps then find nobody
    // answering there.
    bool portOk = false;
    const uint port = m_port.trimmed().toUInt(&portOk);
    const quint16 newPort
        = (portOk && port <= 65535) ? static_cast<quint16>(port) : link->remotePort();
    // An open link stays open, unless another server was typed: the connected socket only hears
    // the address it was opened for.
    if (link->isOpen() && (link->remoteHost() != m_address || link->remotePort() != newPort))
        link->close();
    link->setRemoteHost(m_address);
    link->setRemotePort(newPort);
    link->open();

    emit started();
    s->console()->clear();
    s->clearReplyBuffer();
    s->setStripColours(true);
    s->setPunkBusterEnabled(true);
    // Connect pressed again while the steps run switches on a timer that is already on: the next
    // step still comes on time.
    if (!m_timer->isActive()) {
        Clock::setInterval(m_timer, 800);
        m_timer->start();
    }
}

void ConnectionSequence::setStep(int step)
{
    m_step = step;
    emit progressChanged(step);
}

void ConnectionSequence::sendFresh(const char *command)
{
    m_session->clearReplyBuffer();
    m_session->SendCommand(QLatin1String(command));
}

// One tick: the counter goes up by one, then each step whose number the counter shows at the
// moment of its test runs. A failed login moves the counter to 8 so that the finish runs in the
// same tick.
void ConnectionSequence::tick()
{
    // A message box of step 2 keeps the event loop running; the ticks that come meanwhile must
    // not start the next steps before the box is answered.
    if (m_inTick)
        return;
    m_inTick = true;
    setStep(m_step + 1);
    if (m_step == 1) {
        emit panelText(1, status("ConnectMessage3", "Server check...") + QLatin1Char(' '));
        sendFresh("g_password");
    }
    if (m_step == 2)
        judgeLogin();
    if (m_step == 3)
        emit panelText(1, status("ConnectMessage", "Logging in...") + QLatin1Char(' '));
    if (m_step == 4) {
        emit panelText(1, status("ConnectMessage2", "Game check...") + QLatin1Char(' '));
        sendFresh("gamename");
    }
    if (m_step == 5)
        detectGame();
    if (m_step == 6) {
        emit panelText(1, status("ConnectMessage4", "Punkbuster check...") + QLatin1Char(' '));
        sendFresh("sv_punkbuster");
    }
    if (m_step == 7)
        detectPunkBuster();
    if (m_step == 8)
        finish();
    m_inTick = false;
}

void ConnectionSequence::judgeLogin()
{
    const QString reply = m_session->replyText();
    const QString value = cvarValue(reply);
    const UdpLink *link = m_session->link();
    const QString at
        = link->remoteHostIP() + QLatin1Char(':') + QString::number(link->remotePort());

    if (reply.isEmpty()) {
        failed(
            QStringLiteral("Details: ")
                + status("CantConnect", "can't connect to the selected server!") + QLatin1Char(' '),
            status("NotConnected", "Not connected!"),
            status("CantConnectBox", "Can't connect to the server.") + kCrLf + m_address
                + QLatin1Char(':') + m_port + QLatin1Char(' ')
                + status("CantConnectBox2", "might be down or you have entered a wrong IP addres."),
            status("ConnectionErrorW", "Connection error"));
        return;
    }
    if (value == kCrLf + QStringLiteral("Bad rconpassword.") + kCrLf
        || value == kCrLf + QStringLiteral("Invalid password.") + kCrLf) {
        failed(QStringLiteral("Details: ") + status("Wrongpass", "wrong rconpassword for")
                   + QStringLiteral(": ") + at + QLatin1Char(' '),
               status("ConnectionError", "Connection error!"),
               status("WrongpassBox", "You've entered the wrong rconpassword.") + kCrLf
                   + status("WrongpassBox2", "Check your rconpassword and correct it."),
               status("WrongRconPassword", "Bad rconpassword"));
        return;
    }
    if (value
            == kCrLf
                   + QStringLiteral(
                       "The server must set 'rcon_password' for clients to use 'rcon'.")
                   + kCrLf
        || value == kCrLf + QStringLiteral("No rconpassword set on the server.") + kCrLf) {
        QString box
            = status("NoRconSet", "This server has no rconpassword set.") + kCrLf + kCrLf
              + status("NoRconSetOwnServer", "If this is your own server follow these steps")
              + QLatin1Char(':');
        box += kCrLf + QLatin1Char('-')
               + status("NoRconSetOwnServer2", "Go to the gameconsole of your dedicated server.");
        box += kCrLf + QLatin1Char('-')
               + status("NoRconSetOwnServer3",
                        "Type for CoD and CoD UO: ''rconpassword hereyourpassword'' (without the "
                        "'') and for CoD 2 and CoD 4: ''rcon_password hereyourpassword'' (without "
                        "the '').");
        box += kCrLf + QLatin1Char('-')
               + status("NoRconSetOwnServer4",
                        "Press the enter button and reconnect again with Vantor.");
        failed(QStringLiteral("Details: ") + at + QLatin1Char(' ')
                   + status("HasNoPassSet", "has no rconpassword set") + QLatin1Char(' '),
               status("ConnectionError", "Connection error!"), box,
               status("NoRconPass", "No rconpassword"));
        return;
    }

    if (!value.isEmpty()) {
        emit panelText(2, QStringLiteral("Details: ") + status("TypePrivatePass", "private - pass")
                              + QStringLiteral(": ") + value + QLatin1Char(' '));
        // The game launcher joins with it.
        m_session->setJoinPassword(value);
    } else {
        emit panelText(2, QStringLiteral("Details: ") + status("TypePublic", "public")
                              + QLatin1Char(' '));
    }
    m_statusText = status("ConnectedWith", "Connected with") + QStringLiteral(": ") + at;
    emit serverStatusText(status("Connected", "Connected!"));
    emit linkIcon(QStringLiteral("connected"));
}

void ConnectionSequence::failed(const QString &details, const QString &serverStatus,
                                const QString &boxText, const QString &boxTitle)
{
    emit panelText(2, details);
    m_statusText = status("ConnectionError", "Connection error!") + QLatin1Char(' ');
    emit serverStatusText(serverStatus);
    emit linkIcon(QStringLiteral("error"));
    MsgBox(boxText, MsgIcon::Critical, boxTitle);

    m_session->link()->close();
    emit notConnectedLayout(false);
    m_session->setGameKind(QStringLiteral("noco"));
    emit titleSuffix(notConnectedSuffix());
    setStep(8);
}

void ConnectionSequence::detectGame()
{
    const GameInfo *game = gameByName(cvarValue(m_session->replyText()));
    if (!game) {
        // Not one of ours: the window stays connected, with every game's dialogs on offer and no
        // buttons that would pick one of them.
        emit gameDetected(QString());
        emit titleSuffix(notConnectedSuffix());
        return;
    }
    m_session->setGameKind(QLatin1String(game->kind));
    emit gameDetected(QLatin1String(game->kind));
    emit titleSuffix(QLatin1String(game->titleSuffix));
}

void ConnectionSequence::detectPunkBuster()
{
    bool isNumber = false;
    const double value = cvarValue(m_session->replyText()).trimmed().toDouble(&isNumber);
    if (!isNumber)
        return;
    if (value == 1)
        m_session->setPunkBusterEnabled(true);
    else if (value == 0)
        m_session->setPunkBusterEnabled(false);
}

void ConnectionSequence::finish()
{
    emit panelText(1, m_statusText);
    m_timer->stop();
    setStep(0);
    emit finishing();
    m_session->setStripColours(false);
    m_session->console()->clear();
    if (m_session->isConnected())
        m_session->SendCommand(QStringLiteral("status"));
    emit finished();
}

void ConnectionSequence::disconnectFromServer()
{
    m_session->console()->clear();
    emit panelText(2, QStringLiteral("Details: ") + status("Disconnect", "disconnected from")
                          + QLatin1Char(' ') + m_address + QLatin1Char(':') + m_port
                          + QLatin1Char(' '));
    emit panelText(1, status("Disconnect2", "Connection terminated!") + QLatin1Char(' '));
    emit linkIcon(QStringLiteral("notconnected"));
    emit serverStatusText(status("Disconnect3", "Disconnected!"));
    m_session->link()->close();
    emit notConnectedLayout(true);
    m_session->setPunkBusterEnabled(true);
    emit titleSuffix(QStringLiteral(" - ") + status("Disconnect3", "Disconnected!"));
    m_session->setGameKind(QStringLiteral("noco"));
    emit disconnected();
}
