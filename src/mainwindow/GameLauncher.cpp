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
    bool anyDirectory = false;
    for (int game = 0; game < int(clients.size()); ++game) {
        QAction *item = directoryItem(m_main, game);
        if (!item)
            continue;
        const QString dir = gameDirectory(clients[game]);
        item->setVisible(!dir.isEmpty());
        if (!dir.isEmpty())
            item->setText(QLatin1String(clients[game].menuCaption) + dir);
        anyDirectory = anyDirectory || !dir.isEmpty();
    }
    m_main->mnuJoinGameDirectorys->menuAction()->setEnabled(anyDirectory);

    // Not connected it stays enabled: the click explains what is missing.
    const GameClient *connected = gameClient(m_main->session()->gameKind());
    const bool missing = connected && gameDirectory(*connected).isEmpty();
    m_main->mnuJoinGameJoinServer->setEnabled(!missing && !m_joining);
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
    if (m_joining)
        return;
    RconSession *session = m_main->session();
    const GameClient *client = gameClient(session->gameKind());
    if (!client || !session->isConnected()) {
        MsgBox(QStringLiteral("Connect to a server of one of the four games first: Join Server "
                              "starts that game's client and sends it to the server."),
               MsgIcon::Information, QStringLiteral("Join Server"), MsgButtons::Ok, m_main);
        return;
    }
    const QString dir = gameDirectory(*client);
    if (dir.isEmpty())
        return; // the menu upkeep disables the item; a click can still race it
    const bool toTray
        = ReadPref(kGameSettings, QStringLiteral("BringToTray")) == QLatin1String("1");
    const bool announce
        = ReadPref(kGameSettings, QStringLiteral("MessageJoin")) == QLatin1String("1");

    m_joining = true;
    updateMenus();
    if (toTray)
        m_main->lifecycle->hideToTray();
    if (announce)
        session->SendCommand(QStringLiteral("Say ") + m_main->txtServername->text()
                             + QStringLiteral(" is joining the server via ^4")
                             + m_main->lblAppNamer->text() + QStringLiteral(" ^7")
                             + m_main->lblAppVersionr->text());

    // The program may end, or the server go away, while these waits let events run.
    QPointer<GameLauncher> alive(this);
    const QString viaPrivate = privatePassword();
    if (!alive)
        return;
    m_joining = false;
    updateMenus();
    if (gameClient(session->gameKind()) != client)
        return;

    const QString joinPassword = m_main->sb1->tag(2);
    const QStringList arguments = joinArguments(
        *client, m_main->txtServerIP->text(), m_main->txtServerPORT->text(),
        joinPassword.isEmpty() ? viaPrivate : joinPassword, m_main->txtServerRCON->text());
    startProgram(gameProgram(*client, dir), arguments, dir);
}

// The private-slot password, for a server whose join password the connection did not learn. An
// answer without a quoted value (no answer, an error text) counts as no password, and the "^7"
// the engines put after every value is not part of it.
QString GameLauncher::privatePassword()
{
    QPointer<GameLauncher> alive(this);
    Wait(1.0);
    if (!alive)
        return QString();
    RconSession *session = m_main->session();
    if (!session->isConnected())
        return QString();
    session->sendForReply(QStringLiteral("sv_privatePassword"));
    Wait(1.0);
    if (!alive)
        return QString();
    const QString reply = session->replyText();
    QString value = reply.count(QLatin1Char('"')) >= 4 ? cvarValue(reply) : QString();
    if (value.endsWith(QLatin1String("^7")))
        value.chop(2);
    Wait(1.0);
    return value;
}
