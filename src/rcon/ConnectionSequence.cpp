#include "rcon/ConnectionSequence.h"

#include "config/Language.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/Icons.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Dialogs.h"
#include "platform/UdpLink.h"
#include "rcon/Transport.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString status(const char *key, const char *english)
{
    return LangText(QStringLiteral("StatusMessages"), QLatin1String(key), QLatin1String(english));
}

struct Game
{
    const char *gamename; // the server's gamename, compared exactly
    const char *kind;
    const char *caption;
    const char *titleSuffix;
    bool extraButtons; // systeminfo and fast_restart exist on this engine
};
constexpr Game kGames[] = {
    {"Call of Duty", "cod", "Call of Duty ", " - Call of Duty", false},
    {"CoD:United Offensive", "coduo", "Call of Duty: UO ", " - Call of Duty United Offensive",
     false},
    {"Call of Duty 2", "cod2", "Call of Duty 2 ", " - Call of Duty 2", true},
    {"Call of Duty 4", "cod4", "Call of Duty 4 ", " - Call of Duty 4", true},
};
} // namespace

ConnectionSequence::ConnectionSequence(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("connectionSequence"));
    connect(main->cmdConnect, &QPushButton::clicked, this, &ConnectionSequence::connectToServer);
    connect(main->cmdDisconnect, &QPushButton::clicked, this,
            &ConnectionSequence::disconnectFromServer);
    connect(main->mnuFileConnect, &QAction::triggered, this, &ConnectionSequence::connectToServer);
    connect(main->mnuFileDisconnect, &QAction::triggered, this,
            &ConnectionSequence::disconnectFromServer);
    connect(main->tmrConnectProcess, &QTimer::timeout, this, &ConnectionSequence::tick);
    // Connect-on-select: a profile arms it once; it connects when the profile's fields are in.
    connect(main->tmrCOS, &QTimer::timeout, this, [this] {
        m_main->tmrCOS->stop();
        connectToServer();
    });
}

void ConnectionSequence::connectToServer()
{
    frmMain *m = m_main;
    QString forgotten;
    const struct
    {
        QLineEdit *field;
        const char *line;
    } required[] = {{m->txtServerIP, " -Server IP Address"},
                    {m->txtServerPORT, " -Server Port"},
                    {m->txtServerRCON, " -Server Rconpassword"},
                    {m->txtServername, " -Name"}};
    for (const auto &r : required) {
        if (r.field->text().isEmpty())
            forgotten += kCrLf + QLatin1String(r.line);
    }
    if (!forgotten.isEmpty()) {
        MsgBox(QStringLiteral("You forgot to fill in this field(s):") + forgotten,
               MsgIcon::Critical, QStringLiteral("Forgotten fields..."));
        return;
    }

    m_address = m->txtServerIP->text();
    m_port = m->txtServerPORT->text();
    m_password = m->txtServerRCON->text();

    // A port that is no port number leaves the old one in place; the steps then find nobody
    // answering there.
    bool portOk = false;
    const uint port = m_port.trimmed().toUInt(&portOk);
    const quint16 newPort
        = (portOk && port <= 65535) ? static_cast<quint16>(port) : m->UDPClient->remotePort();
    // An open link stays open, unless another server was typed: the connected socket only hears
    // the address it was opened for.
    if (m->UDPClient->isOpen()
        && (m->UDPClient->remoteHost() != m_address || m->UDPClient->remotePort() != newPort))
        m->UDPClient->close();
    m->UDPClient->setRemoteHost(m_address);
    m->UDPClient->setRemotePort(newPort);
    m->UDPClient->open();

    m->pbConnectProcess->show();
    m->imgServerType->hide();
    m->lblServerStatus->hide();
    m->txtConsole->clearText();
    m->txtConsoleCommands->clearText();
    m->ckColorNames->setChecked(true);
    m->tmrConsoleClear->stop();
    m->tmrConsoleStatus->stop();
    setPunkBusterEnabled(true);
    Clock::setInterval(m->tmrConnectProcess, 800);
    m->tmrConnectProcess->start();
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
    QProgressBar *pb = m_main->pbConnectProcess;
    pb->setValue(pb->value() + 1);
    const auto sendFresh = [this](const char *command) {
        m_main->txtConsoleCommands->clearText();
        SendCommand(QLatin1String(command));
    };
    if (pb->value() == 1) {
        m_main->sb1->setText(1, status("ConnectMessage3", "Server check...") + QLatin1Char(' '));
        sendFresh("g_password");
    }
    if (pb->value() == 2)
        judgeLogin();
    if (pb->value() == 3)
        m_main->sb1->setText(1, status("ConnectMessage", "Logging in...") + QLatin1Char(' '));
    if (pb->value() == 4) {
        m_main->sb1->setText(1, status("ConnectMessage2", "Game check...") + QLatin1Char(' '));
        sendFresh("gamename");
    }
    if (pb->value() == 5)
        detectGame();
    if (pb->value() == 6) {
        m_main->sb1->setText(1,
                             status("ConnectMessage4", "Punkbuster check...") + QLatin1Char(' '));
        sendFresh("sv_punkbuster");
    }
    if (pb->value() == 7)
        detectPunkBuster();
    if (pb->value() == 8)
        finish();
    m_inTick = false;
}

QString ConnectionSequence::replyValue() const
{
    return cvarValue(m_main->txtConsoleCommands->text());
}

void ConnectionSequence::judgeLogin()
{
    frmMain *m = m_main;
    const QString reply = m->txtConsoleCommands->text();
    const QString value = cvarValue(reply);
    const QString ip = m->UDPClient->remoteHostIP();
    const QString port = QString::number(m->UDPClient->remotePort());
    const QString at = ip + QLatin1Char(':') + port;

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
        m->sb1->setText(2, QStringLiteral("Details: ") + status("TypePrivatePass", "private - pass")
                               + QStringLiteral(": ") + value + QLatin1Char(' '));
        // The join game window reads the join password from here.
        m->sb1->setTag(2, value);
    } else {
        m->sb1->setText(2, QStringLiteral("Details: ") + status("TypePublic", "public")
                               + QLatin1Char(' '));
    }
    m_statusText = status("ConnectedWith", "Connected with") + QStringLiteral(": ") + at;
    m->lblServerStatus->setText(status("Connected", "Connected!"));
    m->sb1->setIcon(1, Icons::connected(), QStringLiteral("connected"));
    Icons::show(m->imgServerType, QStringLiteral("connected"));
}

void ConnectionSequence::failed(const QString &details, const QString &serverStatus,
                                const QString &boxText, const QString &boxTitle)
{
    frmMain *m = m_main;
    m->sb1->setText(2, details);
    m_statusText = status("ConnectionError", "Connection error!") + QLatin1Char(' ');
    m->lblServerStatus->setText(serverStatus);
    m->sb1->setIcon(1, Icons::error(), QStringLiteral("error"));
    Icons::show(m->imgServerType, QStringLiteral("error"));
    MsgBox(boxText, MsgIcon::Critical, boxTitle);

    m->UDPClient->close();
    showNotConnectedLayout();
    m->setTag(QStringLiteral("noco"));
    setTitleSuffix(QStringLiteral(" - ")
                   + status("NotConnectedTitle", "Not Connected to a server!"));
    m->pbConnectProcess->setValue(8);
}

void ConnectionSequence::showNotConnectedLayout()
{
    frmMain *m = m_main;
    m->cmdOptionsSettings->hide();
    m->cmdOptionsMaps->hide();
    m->cmdOptionsGametype->hide();
    m->lblGame->hide();
    m->imgGame->hide();
    m->setMapRestartConnected(false);
    m->mnuOptionsWarCenter->setEnabled(true);
}

void ConnectionSequence::detectGame()
{
    frmMain *m = m_main;
    const QString value = replyValue();
    const Game *game = nullptr;
    for (const Game &g : kGames) {
        if (value == QLatin1String(g.gamename))
            game = &g;
    }
    QMenu *menus[] = {m->mnuOptionsCoD, m->mnuOptionsCoDUO, m->mnuOptionsCoD2, m->mnuOptionsCoD4};
    const auto enableMenu = [](QMenu *menu, bool on) {
        menu->setEnabled(on);
        menu->menuAction()->setEnabled(on);
    };

    if (!game) {
        // Not one of ours: the window stays connected, with every game's dialogs on offer and no
        // buttons that would pick one of them.
        m->lblGame->hide();
        m->imgGame->hide();
        m->cmdOptionsSettings->hide();
        m->cmdOptionsMaps->hide();
        m->cmdOptionsGametype->hide();
        m->setMapRestartConnected(false);
        setTitleSuffix(QStringLiteral(" - ")
                       + status("NotConnectedTitle", "Not Connected to a server!"));
        m->cmdSystemInfo->show();
        m->cmdFastRestartMap->show();
        for (QMenu *menu : menus)
            enableMenu(menu, true);
        return;
    }

    const QString kind = QLatin1String(game->kind);
    m->setTag(kind);
    m->lblGame->setText(QLatin1String(game->caption));
    m->lblGame->show();
    Icons::show(m->imgGame, kind);
    m->imgGame->show();
    setTitleSuffix(QLatin1String(game->titleSuffix));
    m->cmdSystemInfo->setVisible(game->extraButtons);
    m->cmdFastRestartMap->setVisible(game->extraButtons);
    for (int i = 0; i < 4; ++i)
        enableMenu(menus[i], &kGames[i] == game);
    m->cmdOptionsSettings->show();
    m->cmdOptionsMaps->show();
    m->cmdOptionsGametype->show();
    Icons::setMenuIcons(m, kind);
    m->setMapRestartConnected(true);
    // The War Center's match set-up speaks the older games' commands only.
    m->mnuOptionsWarCenter->setEnabled(kind != QLatin1String("cod4"));
}

void ConnectionSequence::detectPunkBuster()
{
    bool isNumber = false;
    const double value = replyValue().trimmed().toDouble(&isNumber);
    if (!isNumber)
        return;
    if (value == 1)
        setPunkBusterEnabled(true);
    else if (value == 0)
        setPunkBusterEnabled(false);
}

void ConnectionSequence::finish()
{
    frmMain *m = m_main;
    m->sb1->setText(1, m_statusText);
    m->tmrConnectProcess->stop();
    m->pbConnectProcess->hide();
    m->pbConnectProcess->setValue(0);
    m->imgServerType->show();
    m->lblServerStatus->show();
    m->ckColorNames->setChecked(false);
    m->txtConsole->clearText();
    if (m->UDPClient->isOpen())
        SendCommand(QStringLiteral("status"));
    if (m->commandLine)
        m->commandLine->armConsoleTimers();
}

void ConnectionSequence::disconnectFromServer()
{
    frmMain *m = m_main;
    m->txtConsole->clearText();
    m->sb1->setText(2, QStringLiteral("Details: ") + status("Disconnect", "disconnected from")
                           + QLatin1Char(' ') + m_address + QLatin1Char(':') + m_port
                           + QLatin1Char(' '));
    m->sb1->setText(1, status("Disconnect2", "Connection terminated!") + QLatin1Char(' '));
    m->sb1->setIcon(1, Icons::notConnected(), QStringLiteral("notconnected"));
    Icons::show(m->imgServerType, QStringLiteral("notconnected"));
    m->lblServerStatus->setText(status("Disconnect3", "Disconnected!"));
    m->UDPClient->close();
    showNotConnectedLayout();
    Icons::setMenuIcons(m, QStringLiteral("noco"));
    setPunkBusterEnabled(true);
    setTitleSuffix(QStringLiteral(" - ") + status("Disconnect3", "Disconnected!"));
    m->setTag(QStringLiteral("noco"));
    m->tmrConsoleClear->stop();
    m->tmrConsoleStatus->stop();
}

void ConnectionSequence::setPunkBusterEnabled(bool on)
{
    m_main->cmdOptionsPB->setEnabled(on);
    m_main->mnuOptionsPunkbuster->setEnabled(on);
    if (m_main->mnuTrayPunkbuster)
        m_main->mnuTrayPunkbuster->setEnabled(on);
}

void ConnectionSequence::setTitleSuffix(const QString &suffix)
{
    m_main->setWindowTitle(m_main->lblAppNamer->text() + QLatin1Char(' ')
                           + m_main->lblAppVersionr->text() + suffix);
}
