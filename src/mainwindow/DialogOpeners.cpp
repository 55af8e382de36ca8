#include "mainwindow/DialogOpeners.h"

#include "admin/frmDialogExecConfig.h"
#include "admin/frmDialogMessagingCenter.h"
#include "admin/frmDialogPunkbuster.h"
#include "admin/frmDialogWarCenter.h"
#include "mainwindow/Startup.h"
#include "mainwindow/frmMain.h"
#include "maps/MapCatalogues.h"
#include "maps/MapsDialog.h"
#include "rcon/Games.h"
#include "rcon/RconSession.h"
#include "settings/GametypeDialog.h"
#include "settings/GametypeTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"
#include "settings/frmDialogGeneral.h"

// Kick Center and status logger.
#include "admin/frmDialogKickCenter.h"
#include "admin/frmLog.h"

// frmPreferences.
#include "config/Language.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/Twips.h"
#include "platform/Ini.h"
#include "settings/frmPreferences.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

namespace {
void bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

DialogOpeners::DialogOpeners(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("dialogOpeners"));
}

QWidget *DialogOpeners::showMaps(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const std::span<const MapCatalogue> catalogues = mapCatalogues();
    if (i < 0 || std::size_t(i) >= catalogues.size())
        return nullptr;
    if (!m_maps[i])
        m_maps[i] = new MapsDialog(catalogues[i], m_main->session(), m_main);
    bringUp(m_maps[i]);
    return m_maps[i];
}

// --- frmDialogGeneral and the per-game settings dialogs ------------------------------------------

QWidget *DialogOpeners::showGeneral()
{
    if (!m_general)
        m_general = new frmDialogGeneral(m_main->session(), m_main);
    bringUp(m_general);
    return m_general;
}

QWidget *DialogOpeners::showSettings(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const SettingsTable *table = settingsTable(gameKind);
    if (i < 0 || i >= int(std::size(m_settings)) || !table)
        return nullptr;
    if (!m_settings[i])
        m_settings[i] = new SettingsDialog(*table, m_main->session(), m_main);
    bringUp(m_settings[i]);
    return m_settings[i];
}

static void wireSettingsDialogs(frmMain *main, DialogOpeners *openers)
{
    // The Options buttons General and Settings stand for these menu items, and so do the tray's
    // Settings entries.
    QObject::connect(main->mnuOptionsGeneral, &QAction::triggered, openers,
                     [openers] { openers->showGeneral(); });
    const std::span<const SettingsTable> tables = settingsTables();
    for (std::size_t i = 0; i < tables.size() && i < std::size(main->mnuOptionsGameSettings); ++i) {
        const QString game = QLatin1String(tables[i].gameKind);
        QObject::connect(main->mnuOptionsGameSettings[i], &QAction::triggered, openers,
                         [openers, game] { openers->showSettings(game); });
    }
}

// --- PunkBuster center and config executor ---------------------------------------------------

QWidget *DialogOpeners::showPunkbuster()
{
    if (!m_punkbuster)
        m_punkbuster = new frmDialogPunkbuster(m_main->session(), m_main);
    bringUp(m_punkbuster);
    return m_punkbuster;
}

QWidget *DialogOpeners::showExecConfig()
{
    if (!m_execConfig)
        m_execConfig = new frmDialogExecConfig(m_main->session(), m_main);
    bringUp(m_execConfig);
    return m_execConfig;
}

// --- Messaging Center and War Center ---------------------------------------------------------

QWidget *DialogOpeners::showMessagingCenter()
{
    if (!m_messagingCenter) {
        m_messagingCenter = new frmDialogMessagingCenter(m_main->session(), m_main);
        // The menu's mark stays while the window is only hidden: its rotation still runs.
        connect(m_messagingCenter, &frmDialogMessagingCenter::closed, m_main,
                [main = m_main] { main->mnuOptionsMessagingCenter->setChecked(false); });
    }
    m_main->mnuOptionsMessagingCenter->setChecked(true);
    bringUp(m_messagingCenter);
    return m_messagingCenter;
}

QWidget *DialogOpeners::showWarCenter()
{
    if (!m_warCenter)
        m_warCenter = new frmDialogWarCenter(m_main->session(), m_main);
    bringUp(m_warCenter);
    return m_warCenter;
}

static void installCenterOpeners(frmMain *main, DialogOpeners *openers)
{
    main->mnuOptionsMessagingCenter->setCheckable(true);
    QObject::connect(main->mnuOptionsMessagingCenter, &QAction::triggered, openers,
                     [openers] { openers->showMessagingCenter(); });
    // Disabled for CoD4 by the connection; the tray's entry goes through this item.
    QObject::connect(main->mnuOptionsWarCenter, &QAction::triggered, openers,
                     [openers] { openers->showWarCenter(); });
}

// --- Gametype dialogs --------------------------------------------------------------------------

QWidget *DialogOpeners::showGametype(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const GametypeTable *table = gametypeTable(gameKind);
    if (i < 0 || i >= int(std::size(m_gametypes)) || !table)
        return nullptr;
    if (!m_gametypes[i])
        m_gametypes[i] = new GametypeDialog(*table, m_main->session(), m_main);
    bringUp(m_gametypes[i]);
    return m_gametypes[i];
}

// The Options Gametype button and the tray's Gametype entries trigger these menu items.
static void installGametypeOpeners(frmMain *main, DialogOpeners *openers)
{
    const std::span<const GametypeTable> tables = gametypeTables();
    for (std::size_t i = 0; i < tables.size() && i < std::size(main->mnuOptionsGameGametype); ++i) {
        const QString game = QLatin1String(tables[i].gameKind);
        QObject::connect(main->mnuOptionsGameGametype[i], &QAction::triggered, openers,
                         [openers, game] { openers->showGametype(game); });
    }
}

// --- Kick Center and status logger ----------------------------------------------------------

QWidget *DialogOpeners::showKickCenter()
{
    if (!m_kickCenter)
        m_kickCenter = new frmDialogKickCenter(m_main->session(), m_main);
    bringUp(m_kickCenter);
    return m_kickCenter;
}

QWidget *DialogOpeners::showLogger()
{
    if (!m_logger)
        m_logger = new frmLog(m_main->session(), m_main);
    bringUp(m_logger);
    return m_logger;
}

static void installKickCenterAndLogger(frmMain *main, DialogOpeners *openers)
{
    // The Options button and the tray's entry trigger the menu item.
    QObject::connect(main->mnuOptionsKickCenter, &QAction::triggered, openers,
                     [openers] { openers->showKickCenter(); });
    QObject::connect(main->mnuExtraLogger, &QAction::triggered, openers,
                     [openers] { openers->showLogger(); });
}

// --- frmPreferences --------------------------------------------------------------------------

// What Apply and the General page change in the main window.
static void wirePreferences(frmMain *main, frmPreferences *preferences)
{
    // The starter reads the profile's ping settings, which Apply has just written.
    QObject::connect(preferences, &frmPreferences::pingMeterApplied, main, [main](bool on) {
        main->sb1->setText(3,
                           (on ? LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter1"),
                                          QStringLiteral("Starting ping meter..."))
                               : LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter2"),
                                          QStringLiteral("Ping meter off")))
                               + QLatin1Char(' '));
        main->tmrCheckPingMeter->start();
    });
    QObject::connect(preferences, &frmPreferences::consoleTimersApplied, main, [main] {
        if (main->commandLine)
            main->commandLine->armConsoleTimers();
    });
    QObject::connect(preferences, &frmPreferences::defaultWindowSizeRequested, main, [main] {
        main->resize(twipsToPixels(frmMain::kDefaultWidthTwips, main),
                     twipsToPixels(frmMain::kDefaultHeightTwips, main));
        WritePref(QStringLiteral("Settings"), QStringLiteral("mWidth"),
                  QString::number(frmMain::kDefaultWidthTwips));
        WritePref(QStringLiteral("Settings"), QStringLiteral("mHeight"),
                  QString::number(frmMain::kDefaultHeightTwips));
    });
}

frmPreferences *DialogOpeners::showPreferences(int page)
{
    if (!m_preferences) {
        m_preferences = new frmPreferences(m_main->session(), m_main);
        wirePreferences(m_main, m_preferences);
    }
    if (page >= 0)
        m_preferences->showPage(page);
    bringUp(m_preferences);
    return m_preferences;
}

static void installPreferencesOpener(frmMain *main, DialogOpeners *openers)
{
    // The tray's Preferences entry triggers the Extra menu's item.
    QObject::connect(main->mnuExtraPreferences, &QAction::triggered, openers,
                     [openers] { openers->showPreferences(); });
    QObject::connect(main->mnuJoinGameSetDirectorys, &QAction::triggered, openers,
                     [openers] { openers->showPreferences(frmPreferences::GameDirectories); });
}

// ---------------------------------------------------------------------------------------------

void installDialogOpeners(frmMain *main)
{
    auto *openers = new DialogOpeners(main);
    main->dialogs = openers;

    const std::span<const MapCatalogue> catalogues = mapCatalogues();
    for (std::size_t i = 0; i < catalogues.size() && i < std::size(main->mnuOptionsGameMaps); ++i) {
        const QString game = QLatin1String(catalogues[i].gameKind);
        QObject::connect(main->mnuOptionsGameMaps[i], &QAction::triggered, openers,
                         [openers, game] { openers->showMaps(game); });
    }
    // The button serves whichever game the connection detected; not connected, it opens nothing.
    QObject::connect(main->cmdOptionsMaps, &QPushButton::clicked, openers,
                     [openers, main] { openers->showMaps(main->session()->gameKind()); });

    QObject::connect(main->mnuFileProfilesList, &QAction::triggered, openers,
                     [main] { openProfileManager(main); });

    wireSettingsDialogs(main, openers);
    // PunkBuster center and config executor. The PunkBuster button and the tray's entry trigger
    // the menu item.
    QObject::connect(main->mnuOptionsPunkbuster, &QAction::triggered, openers,
                     [openers] { openers->showPunkbuster(); });
    QObject::connect(main->mnuOptionsExecConfig, &QAction::triggered, openers,
                     [openers] { openers->showExecConfig(); });
    installCenterOpeners(main, openers); // Messaging Center and War Center
    // Gametype dialogs
    installGametypeOpeners(main, openers);
    installKickCenterAndLogger(main, openers);
    // frmPreferences, from the Extra and Join game menus.
    installPreferencesOpener(main, openers);
}
