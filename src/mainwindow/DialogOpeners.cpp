#include "mainwindow/DialogOpeners.h"

#include "admin/frmDialogExecConfig.h"
#include "admin/frmDialogKickCenter.h"
#include "admin/frmDialogMessagingCenter.h"
#include "admin/frmDialogPunkbuster.h"
#include "admin/frmDialogWarCenter.h"
#include "admin/frmFTPLogDir.h"
#include "admin/frmIngame.h"
#include "admin/frmLog.h"
#include "config/Language.h"
#include "config/Numbers.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/ShortcutKeys.h"
#include "mainwindow/Startup.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmShortkeys.h"
#include "mainwindow/frmTray.h"
#include "maps/MapCatalogues.h"
#include "maps/MapsDialog.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "rcon/Games.h"
#include "rcon/RconSession.h"
#include "settings/GametypeDialog.h"
#include "settings/GametypeTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"
#include "settings/frmDialogGeneral.h"
#include "settings/frmPreferences.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

DialogOpeners::DialogOpeners(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("dialogOpeners"));
    wire();
}

template<typename W, typename Make> W *DialogOpeners::bring(QPointer<W> &slot, Make make)
{
    if (!slot)
        slot = make();
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

QWidget *DialogOpeners::showMaps(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const MapCatalogue *catalogue = mapCatalogue(gameKind);
    if (i < 0 || !catalogue)
        return nullptr;
    return bring(m_maps[i], [&] { return new MapsDialog(*catalogue, m_main->session(), m_main); });
}

QWidget *DialogOpeners::showSettings(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const SettingsTable *table = settingsTable(gameKind);
    if (i < 0 || !table)
        return nullptr;
    return bring(m_settings[i],
                 [&] { return new SettingsDialog(*table, m_main->session(), m_main); });
}

QWidget *DialogOpeners::showGametype(const QString &gameKind)
{
    const int i = gameIndex(gameKind);
    const GametypeTable *table = gametypeTable(gameKind);
    if (i < 0 || !table)
        return nullptr;
    return bring(m_gametypes[i],
                 [&] { return new GametypeDialog(*table, m_main->session(), m_main); });
}

QWidget *DialogOpeners::showGeneral()
{
    return bring(m_general, [&] { return new frmDialogGeneral(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showPunkbuster()
{
    return bring(m_punkbuster, [&] { return new frmDialogPunkbuster(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showExecConfig()
{
    return bring(m_execConfig, [&] { return new frmDialogExecConfig(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showMessagingCenter()
{
    frmDialogMessagingCenter *w = bring(m_messagingCenter, [&] {
        auto *made = new frmDialogMessagingCenter(m_main->session(), m_main);
        // The menu's mark stays while the window is only hidden: its rotation still runs.
        connect(made, &frmDialogMessagingCenter::closed, m_main,
                [main = m_main] { main->mnuOptionsMessagingCenter->setChecked(false); });
        return made;
    });
    m_main->mnuOptionsMessagingCenter->setChecked(true);
    return w;
}

QWidget *DialogOpeners::showWarCenter()
{
    return bring(m_warCenter, [&] { return new frmDialogWarCenter(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showKickCenter()
{
    return bring(m_kickCenter, [&] { return new frmDialogKickCenter(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showLogger()
{
    return bring(m_logger, [&] { return new frmLog(m_main->session(), m_main); });
}

QWidget *DialogOpeners::showShortkeys()
{
    return bring(m_shortkeys, [&] { return new frmShortkeys(m_main); });
}

// Apply sets the meter itself rather than through its starter: the period is the slider's, even
// where no profile keeps it.
static void applyPingMeter(frmMain *main, bool on, int seconds)
{
    const QString text = on ? LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter1"),
                                       QStringLiteral("Starting ping meter..."))
                            : LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter2"),
                                       QStringLiteral("Ping meter off"));
    main->sb1->setText(3, text + QLatin1Char(' '));
    if (on) {
        Clock::setInterval(main->tmrPing, seconds * 1000);
        main->tmrPing->start();
    } else {
        main->tmrPing->stop();
    }
}

// What Apply and the General page change in the main window.
static void wirePreferences(frmMain *main, frmPreferences *preferences)
{
    QObject::connect(preferences, &frmPreferences::pingMeterApplied, main,
                     [main](bool on, int seconds) { applyPingMeter(main, on, seconds); });
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
    frmPreferences *w = bring(m_preferences, [&] {
        auto *made = new frmPreferences(m_main->session(), m_main);
        wirePreferences(m_main, made);
        connect(made, &frmPreferences::ftpLogsDirectoryRequested, this,
                [this, made] { showFtpLogDir(made); });
        return made;
    });
    if (page >= 0)
        w->showPage(page);
    return w;
}

void DialogOpeners::onTrigger(QAction *item, QWidget *(DialogOpeners::*show)())
{
    connect(item, &QAction::triggered, this, [this, show] { (this->*show)(); });
}

void DialogOpeners::onTrigger(QAction *item, QWidget *(DialogOpeners::*show)(const QString &),
                              const QString &gameKind)
{
    connect(item, &QAction::triggered, this, [this, show, gameKind] { (this->*show)(gameKind); });
}

// The Options buttons and the tray's entries trigger these menu items, so each window has one
// way in.
void DialogOpeners::wire()
{
    frmMain *m = m_main;
    static const char *const kinds[] = {"cod", "coduo", "cod2", "cod4"};
    for (int i = 0; i < 4; ++i) {
        const QString kind = QLatin1String(kinds[i]);
        onTrigger(m->mnuOptionsGameMaps[i], &DialogOpeners::showMaps, kind);
        onTrigger(m->mnuOptionsGameSettings[i], &DialogOpeners::showSettings, kind);
        onTrigger(m->mnuOptionsGameGametype[i], &DialogOpeners::showGametype, kind);
    }
    // The button serves whichever game the connection detected; not connected, it opens nothing.
    connect(m->cmdOptionsMaps, &QPushButton::clicked, this,
            [this] { showMaps(m_main->session()->gameKind()); });
    connect(m->mnuFileProfilesList, &QAction::triggered, this,
            [this] { openProfileManager(m_main); });

    onTrigger(m->mnuOptionsGeneral, &DialogOpeners::showGeneral);
    onTrigger(m->mnuOptionsPunkbuster, &DialogOpeners::showPunkbuster);
    onTrigger(m->mnuOptionsExecConfig, &DialogOpeners::showExecConfig);
    m->mnuOptionsMessagingCenter->setCheckable(true);
    onTrigger(m->mnuOptionsMessagingCenter, &DialogOpeners::showMessagingCenter);
    // Disabled for CoD4 by the connection.
    onTrigger(m->mnuOptionsWarCenter, &DialogOpeners::showWarCenter);
    onTrigger(m->mnuOptionsKickCenter, &DialogOpeners::showKickCenter);
    onTrigger(m->mnuExtraLogger, &DialogOpeners::showLogger);
    onTrigger(m->mnuExtraShortkeysSetup, &DialogOpeners::showShortkeys);
    // The tray's Preferences entry triggers the Extra menu's item.
    connect(m->mnuExtraPreferences, &QAction::triggered, this, [this] { showPreferences(); });
    connect(m->mnuJoinGameSetDirectorys, &QAction::triggered, this,
            [this] { showPreferences(frmPreferences::GameDirectories); });
    wireIngame();
}

// --- frmIngame, frmFTPLogDir ---------------------------------------------------------------------

QWidget *DialogOpeners::showIngame()
{
    frmIngame *w = bring(m_ingame, [&] { return new frmIngame(m_main->session(), m_main); });
    // The tray's menu comes with the tray icon, which may have been made after the window.
    if (auto *tray = m_main->findChild<frmTray *>(QStringLiteral("frmTray")))
        w->setOptionsMenu(tray->mnuTrayMain);
    return w;
}

QWidget *DialogOpeners::showFtpLogDir(frmPreferences *preferences)
{
    return bring(m_ftpLogDir, [&] {
        FtpLogin login;
        login.host = preferences->ftpFieldText(QStringLiteral("txtFTPIP"));
        login.port = int(leadingNumber(preferences->ftpFieldText(QStringLiteral("txtFTPPort"))));
        login.user = preferences->ftpFieldText(QStringLiteral("txtFTPUsername"));
        login.password = preferences->ftpFieldText(QStringLiteral("txtFTPPassword"));
        // Its boxes and its life belong to the preferences, whose label it fills.
        auto *made = new frmFTPLogDir(login, preferences);
        connect(made, &frmFTPLogDir::logsDirectoryChosen, preferences,
                &frmPreferences::setFtpLogsDirectory);
        return made;
    });
}

void DialogOpeners::wireIngame()
{
    // Fires on every poll while the keys are held: showing an open window again is harmless.
    connect(m_main->shortcutKeys, &ShortcutKeys::inGameWindowRequested, this,
            &DialogOpeners::showIngame);
}

void installDialogOpeners(frmMain *main)
{
    main->dialogs = new DialogOpeners(main);
}
