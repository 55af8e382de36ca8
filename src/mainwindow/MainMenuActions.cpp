#include "mainwindow/MainLifecycle.h"

#include "mainwindow/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/ProgramDir.h"
#include "rcon/Games.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {
// Where the Help menu sends the administrator.
const char kWebSite[] = "https://vantor.example.org/";
const char kForum[] = "https://vantor.example.org/forum/";
const char kBugReport[] = "https://vantor.example.org/bugs/";
const char kManual[] = "https://vantor.example.org/manual/";

} // namespace

// The items whose windows belong to other parts of the program are wired there; these are the
// main window's own. The option buttons stand for their Options menu items, so whoever wires an
// item serves the button too.
void MainLifecycle::wireMenus()
{
    frmMain *m = m_main;
    connect(m->mnuExit, &QAction::triggered, this, &MainLifecycle::fileExit);

    connect(m->mnuExtraAlwaysOnTop, &QAction::triggered, this, &MainLifecycle::setAlwaysOnTop);
    connect(m->mnuExtraServerStatus, &QAction::triggered, this, &MainLifecycle::openServerStatus);
    connect(m->mnuExtraShortkeysEnable, &QAction::triggered, this,
            [this] { setShortkeysEnabled(true); });
    connect(m->mnuExtraShortkeysDisable, &QAction::triggered, this,
            [this] { setShortkeysEnabled(false); });

    const auto web = [this](QAction *item, const char *url) {
        connect(item, &QAction::triggered, this, [url] { OpenWebPage(QLatin1String(url)); });
    };
    web(m->mnuHelpWebsite, kWebSite);
    web(m->mnuHelpForum, kForum);
    web(m->mnuHelpBugReport, kBugReport);
    web(m->mnuHelpManual, kManual);
    connect(m->mnuHelpAbout, &QAction::triggered, this, &MainLifecycle::showAbout);

    connect(m->cmdOptionsGeneral, &QPushButton::clicked, m->mnuOptionsGeneral, &QAction::trigger);
    connect(m->cmdOptionsKickcenter, &QPushButton::clicked, m->mnuOptionsKickCenter,
            &QAction::trigger);
    connect(m->cmdOptionsPB, &QPushButton::clicked, m->mnuOptionsPunkbuster, &QAction::trigger);
    connect(m->cmdOptionsSettings, &QPushButton::clicked, this, [this] { openGameDialog(0); });
    connect(m->cmdOptionsGametype, &QPushButton::clicked, this, [this] { openGameDialog(2); });
}

void MainLifecycle::openGameDialog(int which)
{
    const int game = gameIndex(m_main->session()->gameKind());
    if (game < 0)
        return; // not connected, or a game without its own dialogs
    QAction *const *items = which == 0   ? m_main->mnuOptionsGameSettings
                            : which == 1 ? m_main->mnuOptionsGameMaps
                                         : m_main->mnuOptionsGameGametype;
    items[game]->trigger();
}

void MainLifecycle::openServerStatus()
{
    const QString program = programPath(QStringLiteral("Server Status.exe"));
    if (startProgram(program, {}, programDir()))
        return;
    MsgBox(QStringLiteral("Server Status could not be started.\r\n\r\nThe program \"Server "
                          "Status.exe\" is missing from the program folder or cannot run "
                          "here:\r\n")
               + programDir(),
           MsgIcon::Exclamation, QStringLiteral("Server Status"), MsgButtons::Ok, m_main);
}
