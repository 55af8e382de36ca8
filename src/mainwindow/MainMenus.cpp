#include "mainwindow/frmMain.h"

#include "platform/Controls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Controls;

// The menu bar with every item in its order; what an item does is wired where its window lives.
void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("frmMainMenuBar"));

    mnuFile = menu(this, "mnuFile", QStringLiteral("&File"));
    mnuFileConnect = item(mnuFile, "mnuFileConnect", QStringLiteral("Connect"));
    mnuFileDisconnect = item(mnuFile, "mnuFileDisconnect", QStringLiteral("Disconnect"));
    mnuFile->addSeparator();
    mnuFileProfilesList = item(mnuFile, "mnuFileProfilesList", QStringLiteral("Profiles List"));
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("Exit"));
    bar->addMenu(mnuFile);

    mnuJoinGame = menu(this, "mnuJoinGame", QStringLiteral("&Join game"));
    mnuJoinGameJoinServer
        = item(mnuJoinGame, "mnuJoinGameJoinServer", QStringLiteral("Join Server"));
    mnuJoinGame->addSeparator();
    mnuJoinGameDirectorys = menu(this, "mnuJoinGameDirectorys", QStringLiteral("Directory's"));
    mnuJoinGameDirCoD = item(mnuJoinGameDirectorys, "mnuJoinGameDirCoD", QStringLiteral("CoD"));
    mnuJoinGameDirCoDUO
        = item(mnuJoinGameDirectorys, "mnuJoinGameDirCoDUO", QStringLiteral("CoD:UO"));
    mnuJoinGameDirCoD2 = item(mnuJoinGameDirectorys, "mnuJoinGameDirCoD2", QStringLiteral("CoD 2"));
    mnuJoinGameDirCoD4 = item(mnuJoinGameDirectorys, "mnuJoinGameDirCoD4", QStringLiteral("CoD 4"));
    // Set Directory's stays reachable in the submenu while no game has a directory yet.
    mnuJoinGameSetDirectorys = item(mnuJoinGameDirectorys, "mnuJoinGameSetDirectorys",
                                    QStringLiteral("Set Directory's"));
    mnuJoinGame->addMenu(mnuJoinGameDirectorys);
    bar->addMenu(mnuJoinGame);

    mnuConsole = menu(this, "mnuConsole", QStringLiteral("&Console"));
    mnuConsoleColor = menu(this, "mnuConsoleColor", QStringLiteral("Color"));
    mnuConsoleColorChange
        = item(mnuConsoleColor, "mnuConsoleColorChange", QStringLiteral("Change color..."));
    mnuConsoleColorDefault
        = item(mnuConsoleColor, "mnuConsoleColorDefault", QStringLiteral("Default"));
    mnuConsole->addMenu(mnuConsoleColor);
    mnuConsole->addSeparator();
    mnuConsoleCopy = item(mnuConsole, "mnuConsoleCopy", QStringLiteral("Copy"));
    mnuConsoleClear = item(mnuConsole, "mnuConsoleClear", QStringLiteral("Clear"));
    mnuConsoleSearch = item(mnuConsole, "mnuConsoleSearch", QStringLiteral("Search..."));
    mnuConsoleSelectAll = item(mnuConsole, "mnuConsoleSelectAll", QStringLiteral("Select All"));
    mnuConsole->addSeparator();
    mnuConsoleShowColours
        = item(mnuConsole, "mnuConsoleShowColours", QStringLiteral("Show colours"));
    mnuConsoleShowColours->setCheckable(true);
    bar->addMenu(mnuConsole);

    mnuOptions = menu(this, "mnuOptions", QStringLiteral("&Options"));
    mnuOptionsGeneral = item(mnuOptions, "mnuOptionsGeneral", QStringLiteral("General"));
    mnuOptions->addSeparator();
    struct GameMenu
    {
        QMenu **menu;
        const char *name;
        const char *settings;
        const char *maps;
        const char *gametype;
        const char *caption;
    };
    const GameMenu games[4] = {
        {&mnuOptionsCoD, "mnuOptionsCoD", "mnuOptionsCoDSettings", "mnuOptionsCoDMaps",
         "mnuOptionsCoDGametype", "CoD"},
        {&mnuOptionsCoDUO, "mnuOptionsCoDUO", "mnuOptionsCoDUOSettings", "mnuOptionsCoDUOMaps",
         "mnuOptionsCoDUOGametype", "CoD:UO"},
        {&mnuOptionsCoD2, "mnuOptionsCoD2", "mnuOptionsCoD2Settings", "mnuOptionsCoD2Maps",
         "mnuOptionsCoD2Gametype", "CoD 2"},
        {&mnuOptionsCoD4, "mnuOptionsCoD4", "mnuOptionsCoD4Settings", "mnuOptionsCoD4Maps",
         "mnuOptionsCoD4Gametype", "CoD 4"},
    };
    for (int i = 0; i < 4; ++i) {
        QMenu *m = menu(this, games[i].name, QLatin1String(games[i].caption));
        *games[i].menu = m;
        mnuOptionsGameSettings[i] = item(m, games[i].settings, QStringLiteral("Settings"));
        mnuOptionsGameMaps[i] = item(m, games[i].maps, QStringLiteral("Maps"));
        mnuOptionsGameGametype[i] = item(m, games[i].gametype, QStringLiteral("Gametype"));
        mnuOptions->addMenu(m);
    }
    mnuOptions->addSeparator();
    mnuOptionsPunkbuster = item(mnuOptions, "mnuOptionsPunkbuster", QStringLiteral("Punkbuster"));
    mnuOptionsKickCenter = item(mnuOptions, "mnuOptionsKickCenter", QStringLiteral("Kick Center"));
    mnuOptionsMessagingCenter
        = item(mnuOptions, "mnuOptionsMessagingCenter", QStringLiteral("Messaging Center"));
    mnuOptionsWarCenter = item(mnuOptions, "mnuOptionsWarCenter", QStringLiteral("War Center"));
    mnuOptionsExecConfig
        = item(mnuOptions, "mnuOptionsExecConfig", QStringLiteral("Config Executer"));
    bar->addMenu(mnuOptions);

    mnuExtra = menu(this, "mnuExtra", QStringLiteral("&Extra"));
    mnuExtraAlwaysOnTop = item(mnuExtra, "mnuExtraAlwaysOnTop", QStringLiteral("Always on top"));
    mnuExtraAlwaysOnTop->setCheckable(true);
    mnuExtraServerStatus = item(mnuExtra, "mnuExtraServerStatus", QStringLiteral("Server Status"));
    mnuExtraLogger = item(mnuExtra, "mnuExtraLogger", QStringLiteral("Logger"));
    mnuExtraShortkeys = menu(this, "mnuExtraShortkeys", QStringLiteral("Shortkeys"));
    mnuExtraShortkeys->menuAction()->setData(QStringLiteral("0"));
    mnuExtraShortkeysEnable
        = item(mnuExtraShortkeys, "mnuExtraShortkeysEnable", QStringLiteral("Enable"));
    mnuExtraShortkeysDisable
        = item(mnuExtraShortkeys, "mnuExtraShortkeysDisable", QStringLiteral("Disable"));
    mnuExtraShortkeysEnable->setCheckable(true);
    mnuExtraShortkeysDisable->setCheckable(true);
    mnuExtraShortkeysDisable->setChecked(true);
    mnuExtraShortkeys->addSeparator();
    mnuExtraShortkeysSetup
        = item(mnuExtraShortkeys, "mnuExtraShortkeysSetup", QStringLiteral("Setup"));
    mnuExtra->addMenu(mnuExtraShortkeys);
    mnuExtra->addSeparator();
    mnuExtraPreferences = item(mnuExtra, "mnuExtraPreferences", QStringLiteral("Preferences"));
    bar->addMenu(mnuExtra);

    mnuHelp = menu(this, "mnuHelp", QStringLiteral("&Help"));
    mnuHelpWebsite = item(mnuHelp, "mnuHelpWebsite", QStringLiteral("Visit the web site"));
    mnuHelpForum = item(mnuHelp, "mnuHelpForum", QStringLiteral("Visit the forum"));
    mnuHelpBugReport = item(mnuHelp, "mnuHelpBugReport", QStringLiteral("Bug report"));
    mnuHelpManual = item(mnuHelp, "mnuHelpManual", QStringLiteral("Manual"));
    mnuHelp->addSeparator();
    mnuHelpUpdater = item(mnuHelp, "mnuHelpUpdater", QStringLiteral("Check for updates"));
    mnuHelp->addSeparator();
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", QStringLiteral("About"));
    bar->addMenu(mnuHelp);

    mnuCheckUpdate = bar->addAction(QStringLiteral("Update available!"));
    mnuCheckUpdate->setObjectName(QStringLiteral("mnuCheckUpdate"));
    mnuCheckUpdate->setVisible(false);
}
