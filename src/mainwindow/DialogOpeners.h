#pragma once

#include <QObject>
#include <QPointer>

class GametypeDialog;
class MapsDialog;
class SettingsDialog;
class frmDialogGeneral;
class frmDialogMessagingCenter;
class frmDialogWarCenter;
class QWidget;
class frmDialogExecConfig;
class frmDialogPunkbuster;
class frmMain;
// Kick Center and status logger.
class frmDialogKickCenter;
class frmLog;
// frmPreferences.
class frmPreferences;

// The windows the main window opens: each made on first use with the session, parented to the
// main window, and reached again from its menu items, its buttons and the tray menu.
class DialogOpeners : public QObject
{
    Q_OBJECT
public:
    explicit DialogOpeners(frmMain *main);

    // Shows the maps dialog of a game ("cod", "coduo", "cod2", "cod4") and returns it; any other
    // game kind ("noco") opens nothing and gives null.
    QWidget *showMaps(const QString &gameKind);

    // --- frmDialogGeneral and the per-game settings dialogs ------------------------------------
    QWidget *showGeneral();
    // The settings dialog of a game ("cod", "coduo", "cod2", "cod4"); null for any other kind.
    QWidget *showSettings(const QString &gameKind);
    // PunkBuster center and config executor.
    QWidget *showPunkbuster();
    QWidget *showExecConfig();
    // Messaging Center and War Center.
    QWidget *showMessagingCenter();
    QWidget *showWarCenter();
    // Gametype dialogs: the one of a game ("cod", "coduo", "cod2", "cod4"); null for any other.
    QWidget *showGametype(const QString &gameKind);
    // Kick Center and status logger.
    QWidget *showKickCenter();
    QWidget *showLogger();
    // frmPreferences, on one of its pages (-1: the page it shows).
    frmPreferences *showPreferences(int page = -1);

private:
    frmMain *m_main;
    QPointer<MapsDialog> m_maps[4];
    QPointer<frmDialogGeneral> m_general;
    QPointer<SettingsDialog> m_settings[4];

    // PunkBuster center and config executor.
    QPointer<frmDialogPunkbuster> m_punkbuster;
    QPointer<frmDialogExecConfig> m_execConfig;
    // Messaging Center and War Center.
    QPointer<frmDialogMessagingCenter> m_messagingCenter;
    QPointer<frmDialogWarCenter> m_warCenter;
    // Gametype dialogs.
    QPointer<GametypeDialog> m_gametypes[4];
    // Kick Center and status logger.
    QPointer<frmDialogKickCenter> m_kickCenter;
    QPointer<frmLog> m_logger;
    // frmPreferences.
    QPointer<frmPreferences> m_preferences;
};

// Makes the openers and wires the menu items and buttons to them.
void installDialogOpeners(frmMain *main);
