#include "mainwindow/GameLauncher.h"

#include "mainwindow/MainLifecycle.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"
#include "rcon/Transport.h"
#include "settings/GameClients.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {
const QString kGameSettings = QStringLiteral("GameSettings");

QAction *directoryItem(frmMain *main, int game)
{
    QAction *items[] = {main->mnuJoinGameDirCoD, main->mnuJoinGameDirCoDUO,
                        main->mnuJoinGameDirCoD2, main->mnuJoinGameDirCoD4};
    return game >= 0 && game < int(std::size(items)) ? items[game] : nullptr;
}
} // namespace

GameLauncher::GameLauncher(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("gameLauncher"));
    tmrGameDirectorys = Controls::timer(this, "tmrGameDirectorys", 1000);
    connect(tmrGameDirectorys, &QTimer::timeout, this, &GameLauncher::updateMenus);

    connect(main->mnuJoinGameJoinServer, &QAction::triggered, this, &GameLauncher::joinServer);
    for (int game = 0; game < int(gameClients().size()); ++game) {
        if (QAction *item = directoryItem(main, game))
            connect(item, &QAction::triggered, this, [this, game] { startConsoleMode(game); });
    }
    // The timer notices a file edited by hand; the program's own writes show at once.
    connect(IniNotifier::instance(), &IniNotifier::written, this, [this](const QString &file) {
        if (file == prefsFile())
            updateMenus();
    });
    connect(main->session(), &RconSession::gameKindChanged, this, &GameLauncher::updateMenus);

    updateMenus();
    tmrGameDirectorys->start();
}

void GameLauncher::updateMenus()
{
    const std::span<const GameClient> clients = gameClients();
    for (int game = 0; game < int(clients.size()); ++game) {
        QAction *item = directoryItem(m_main, game);
        if (!item)
            continue;
        const QString dir = gameDirectory(clients[game]);
        item->setVisible(!dir.isEmpty());
        if (!dir.isEmpty())
            item->setText(QLatin1String(clients[game].menuCaption) + dir);
    }

    // Not connected it stays enabled.
    const GameClient *connected = gameClient(m_main->session()->gameKind());
    m_main->mnuJoinGameJoinServer->setEnabled(!connected || !gameDirectory(*connected).isEmpty());
}

void GameLauncher::startConsoleMode(int game)
{
    const std::span<const GameClient> clients = gameClients();
    if (game < 0 || game >= int(clients.size()))
        return;
    const QString dir = gameDirectory(clients[game]);
    if (dir.isEmpty())
        return;
    startProgram(gameProgram(clients[game], dir), consoleModeArguments(), dir);
}

void GameLauncher::joinServer()
{
    const std::span<const GameClient> clients = gameClients();
    QStringList directories;
    for (const GameClient &client : clients)
        directories << gameDirectory(client);
    const bool toTray
        = ReadPref(kGameSettings, QStringLiteral("BringToTray")) == QLatin1String("1");
    const bool announce
        = ReadPref(kGameSettings, QStringLiteral("MessageJoin")) == QLatin1String("1");

    RconSession *session = m_main->session();
    if (toTray)
        m_main->lifecycle->hideToTray();
    if (announce)
        session->SendCommand(QStringLiteral("Say ") + m_main->txtServername->text()
                             + QStringLiteral(" is joining the server via ^4")
                             + m_main->lblAppNamer->text() + QStringLiteral(" ^7")
                             + m_main->lblAppVersionr->text());

    // The program may end while these waits let events run.
    QPointer<GameLauncher> alive(this);
    const QString viaPrivate = privatePassword();
    if (!alive)
        return;
    // The game detected by now: a server lost during the waits starts nothing.
    const GameClient *client = gameClient(session->gameKind());
    if (!client)
        return;
    const QString dir = directories.value(int(client - clients.data()));
    if (dir.isEmpty())
        return; // the menu upkeep disables the item; a click can still race it

    const QString joinPassword = m_main->sb1->tag(2);
    const QStringList arguments = joinArguments(
        *client, m_main->txtServerIP->text(), m_main->txtServerPORT->text(),
        joinPassword.isEmpty() ? viaPrivate : joinPassword, m_main->txtServerRCON->text());
    startProgram(gameProgram(*client, dir), arguments, dir);
}

namespace {
// [GameSettings] PrivatePasswordWithoutEndColour in \Preferences.ini, off unless "1". The engines
// answer "sv_privatePassword" with the value followed by a "^7" of their own, and the game is
// handed the value as answered, that "^7" included, which the server then refuses unless colour
// codes are stripped from what arrives. With the key set, that one "^7" is left off.
bool privatePasswordWithoutEndColour()
{
    return ReadPref(kGameSettings, QStringLiteral("PrivatePasswordWithoutEndColour"))
           == QLatin1String("1");
}
} // namespace

// The private-slot password, for a server whose join password the connection did not learn. An
// answer without a quoted value (no answer, an error text) counts as no password.
QString GameLauncher::privatePassword()
{
    QPointer<GameLauncher> alive(this);
    Wait(1.0);
    if (!alive)
        return QString();
    RconSession *session = m_main->session();
    session->sendForReply(QStringLiteral("sv_privatePassword"));
    Wait(1.0);
    if (!alive)
        return QString();
    const QString reply = session->replyText();
    QString value = reply.count(QLatin1Char('"')) >= 3 ? cvarValue(reply) : QString();
    if (privatePasswordWithoutEndColour() && value.endsWith(QLatin1String("^7")))
        value.chop(2);
    Wait(1.0);
    return value;
}
