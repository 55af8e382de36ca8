#pragma once

#include <QObject>
#include <QPointer>

class GametypeDialog;
class MapsDialog;
class QAction;
class QWidget;
class SettingsDialog;
class frmDialogExecConfig;
class frmDialogGeneral;
class frmDialogKickCenter;
class frmDialogMessagingCenter;
class frmDialogPunkbuster;
class frmDialogWarCenter;
class frmFTPLogDir;
class frmIngame;
class frmLog;
class frmMain;
class frmPreferences;
class frmShortkeys;

// The windows the main window opens: each made on first use with the session, parented to the
// main window (so that it goes with it), and reached again from the main window's menu items,
// its buttons and the tray menu. A window that is closed for good is made afresh next time.
class DialogOpeners : public QObject
{
    Q_OBJECT
public:
    explicit DialogOpeners(frmMain *main);

    // The per-game windows of "cod", "coduo", "cod2", "cod4"; any other game kind ("noco")
    // opens nothing and gives null.
    QWidget *showMaps(const QString &gameKind);
    QWidget *showSettings(const QString &gameKind);
    QWidget *showGametype(const QString &gameKind);

    QWidget *showGeneral();
    QWidget *showPunkbuster();
    QWidget *showExecConfig();
    QWidget *showMessagingCenter();
    QWidget *showWarCenter();
    QWidget *showKickCenter();
    QWidget *showLogger();
    QWidget *showShortkeys();
    // On one of its pages (frmPreferences's page numbers), or on the page it shows (-1).
    frmPreferences *showPreferences(int page = -1);

    // frmIngame and frmFTPLogDir: the in-game window (Ctrl + keypad *), and the FTP browser that
    // fills the preferences' logs directory, logging in with the FTP details typed there.
    QWidget *showIngame();
    QWidget *showFtpLogDir(frmPreferences *preferences);

private:
    void wire();
    // The window in `slot`, made by `make` when there is none, brought to the front.
    template<typename W, typename Make> W *bring(QPointer<W> &slot, Make make);
    void onTrigger(QAction *item, QWidget *(DialogOpeners::*show)());
    void onTrigger(QAction *item, QWidget *(DialogOpeners::*show)(const QString &),
                   const QString &gameKind);
    void wireIngame();

    frmMain *m_main;
    QPointer<MapsDialog> m_maps[4];
    QPointer<SettingsDialog> m_settings[4];
    QPointer<GametypeDialog> m_gametypes[4];
    QPointer<frmDialogGeneral> m_general;
    QPointer<frmDialogPunkbuster> m_punkbuster;
    QPointer<frmDialogExecConfig> m_execConfig;
    QPointer<frmDialogMessagingCenter> m_messagingCenter;
    QPointer<frmDialogWarCenter> m_warCenter;
    QPointer<frmDialogKickCenter> m_kickCenter;
    QPointer<frmLog> m_logger;
    QPointer<frmShortkeys> m_shortkeys;
    QPointer<frmPreferences> m_preferences;
    QPointer<frmIngame> m_ingame;
    QPointer<frmFTPLogDir> m_ftpLogDir;
};

// Makes the openers and wires the menu items and buttons to them.
void installDialogOpeners(frmMain *main);
