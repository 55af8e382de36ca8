#include "mainwindow/frmTray.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "mainwindow/DialogOpeners.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/frmMain.h"
#include "platform/Controls.h"
#include "rcon/RconSession.h"
#include "ui/ApplyLanguage.h"

#include <QAction>
#include <QMenu>

using namespace Controls;

frmTray::frmTray(frmMain *main)
    : QWidget(main, Qt::Window)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmTray"));
    setAttribute(Qt::WA_DontShowOnScreen);
    mnuTrayMain = new QMenu(this);
    mnuTrayMain->setObjectName(QStringLiteral("mnuTrayMain"));

    mnuTrayTitle = item(mnuTrayMain, "mnuTrayTitle",
                        AppInfo::name() + QLatin1Char(' ') + AppInfo::version());
    mnuTrayTitle->setEnabled(false);
    mnuTrayMain->addSeparator();

    struct Game
    {
        QMenu **menu;
        const char *name;
        const char *caption;
        const char *kind;
    };
    const Game games[] = {{&mnuTrayCoD, "mnuTrayCoD", "CoD", "cod"},
                          {&mnuTrayCoDUO, "mnuTrayCoDUO", "CoD: UO", "coduo"},
                          {&mnuTrayCoD2, "mnuTrayCoD2", "CoD 2", "cod2"},
                          {&mnuTrayCoD4, "mnuTrayCoD4", "CoD 4", "cod4"}};
    for (const Game &g : games) {
        QMenu *m = submenu(mnuTrayMain, g.name, QLatin1String(g.caption));
        *g.menu = m;
        const QByteArray stem(g.name);
        // Settings and Gametype open the same windows as the main window's Options menu.
        const int i = int(&g - games);
        QAction *settings = item(m, (stem + "Settings").constData(), QStringLiteral("Settings"));
        QAction *maps = item(m, (stem + "Maps").constData(), QStringLiteral("Maps"));
        QAction *gametype = item(m, (stem + "Gametype").constData(), QStringLiteral("Gametype"));
        connect(settings, &QAction::triggered, main->mnuOptionsGameSettings[i], &QAction::trigger);
        const QString kind = QLatin1String(g.kind);
        connect(maps, &QAction::triggered, this, [main, kind] { main->dialogs->showMaps(kind); });
        connect(gametype, &QAction::triggered, main->mnuOptionsGameGametype[i], &QAction::trigger);
    }
    mnuTrayMain->addSeparator();
    mnuTrayPunkbuster = item(mnuTrayMain, "mnuTrayPunkbuster", QStringLiteral("Punkbuster"));
    mnuTrayKickCenter = item(mnuTrayMain, "mnuTrayKickCenter", QStringLiteral("Kick Center"));
    mnuTrayMessagingCenter
        = item(mnuTrayMain, "mnuTrayMessagingCenter", QStringLiteral("Messaging Center"));
    mnuTrayWarCenter = item(mnuTrayMain, "mnuTrayWarCenter", QStringLiteral("War Center"));
    connect(mnuTrayPunkbuster, &QAction::triggered, main->mnuOptionsPunkbuster, &QAction::trigger);
    connect(mnuTrayKickCenter, &QAction::triggered, main->mnuOptionsKickCenter, &QAction::trigger);
    connect(mnuTrayMessagingCenter, &QAction::triggered, main->mnuOptionsMessagingCenter,
            &QAction::trigger);
    // The tray's entry stays open for every game, also where the Options item is off (CoD4).
    connect(mnuTrayWarCenter, &QAction::triggered, this,
            [main] { main->dialogs->showWarCenter(); });
    mnuTrayMain->addSeparator();

    mnuTrayMapOptions = submenu(mnuTrayMain, "mnuTrayMapOptions", QStringLiteral("Map Options"));
    const struct
    {
        const char *name;
        const char *caption;
        const char *command;
        const char *announcement;
    } mapOptions[] = {
        {"mnuTrayMapOptionsRestart", "Restart", "map_restart", "map restart"},
        {"mnuTrayMapOptionsFastRestart", "Fast Restart", "fast_restart", "fast map restart"},
        {"mnuTrayMapOptionsNext", "Next", "map_rotate", "next map"},
    };
    for (const auto &o : mapOptions) {
        const QString command = QLatin1String(o.command);
        const QString announcement = QLatin1String(o.announcement);
        connect(item(mnuTrayMapOptions, o.name, QLatin1String(o.caption)), &QAction::triggered,
                this, [main, command, announcement] {
                    main->session()->AnnounceChange(command, announcement);
                });
    }
    mnuTrayMain->addSeparator();
    mnuPreferences = item(mnuTrayMain, "mnuPreferences", QStringLiteral("Preferences"));
    connect(mnuPreferences, &QAction::triggered, main->mnuExtraPreferences, &QAction::trigger);
    mnuTrayMain->addSeparator();
    mnuMainWindowStatus = item(mnuTrayMain, "mnuMainWindowStatus", trayWindowEntryCaption());
    connect(mnuMainWindowStatus, &QAction::triggered, this, &frmTray::toggleMainWindow);
    mnuTrayMain->addSeparator();
    mnuTrayExit = item(mnuTrayMain, "mnuTrayExit", QStringLiteral("Exit"));
    connect(mnuTrayExit, &QAction::triggered, this,
            [main] { main->lifecycle->showExitConfirmation(); });

    ApplyLanguage(this);
    mnuTrayTitle->setText(AppInfo::name() + QLatin1Char(' ') + AppInfo::version());
    mnuMainWindowStatus->setText(trayWindowEntryCaption());
}

void frmTray::showMainWindow()
{
    setTrayWindowShown(true);
    mnuMainWindowStatus->setText(trayWindowEntryCaption());
    if (m_main->isMinimized())
        m_main->showNormal();
    else
        m_main->show();
}

void frmTray::hideMainWindow()
{
    m_main->hide();
    setTrayWindowShown(false);
    mnuMainWindowStatus->setText(trayWindowEntryCaption());
}

void frmTray::toggleMainWindow()
{
    if (trayWindowMarker() == QLatin1String("WINDOWCLOSED"))
        showMainWindow();
    else
        hideMainWindow();
}
