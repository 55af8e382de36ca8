#pragma once

#include <QWidget>

class QAction;
class QMenu;
class frmMain;

// The hidden window that owns the tray menu: every dialog and the common map commands, and the
// entry that shows or hides the main window. The icon in the notification area pops it up.
class frmTray : public QWidget
{
    Q_OBJECT
public:
    explicit frmTray(frmMain *main);

    QMenu *mnuTrayMain = nullptr;
    QAction *mnuTrayTitle = nullptr;
    QMenu *mnuTrayCoD = nullptr;
    QMenu *mnuTrayCoDUO = nullptr;
    QMenu *mnuTrayCoD2 = nullptr;
    QMenu *mnuTrayCoD4 = nullptr;
    QAction *mnuTrayPunkbuster = nullptr;
    QAction *mnuTrayKickCenter = nullptr;
    QAction *mnuTrayMessagingCenter = nullptr;
    QAction *mnuTrayWarCenter = nullptr;
    QMenu *mnuTrayMapOptions = nullptr;
    QAction *mnuPreferences = nullptr;
    QAction *mnuMainWindowStatus = nullptr;
    QAction *mnuTrayExit = nullptr;

    // "show" brings the main window back (restored when minimised), "hide" hides it; the marker
    // and the entry's caption follow.
    void showMainWindow();
    void hideMainWindow();
    void toggleMainWindow();

private:
    frmMain *m_main;
};
