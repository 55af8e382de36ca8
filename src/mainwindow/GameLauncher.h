#pragma once

#include <QObject>

class QTimer;
class frmMain;

// The Join game menu: starts the administrator's own game client connected to the server the
// main window is on, or any installed game in console mode, and keeps the menu in step with the
// game directories of the preferences.
class GameLauncher : public QObject
{
    Q_OBJECT
public:
    explicit GameLauncher(frmMain *main);

    // Join game > Join Server. Takes three seconds on the clock, during which the window keeps
    // running. Not connected, its sends meet the not-connected box and nothing is started.
    void joinServer();

    // Join game > Directory's > one game (0 CoD ... 3 CoD4): the game in console mode.
    void startConsoleMode(int game);

    // Shows the Directory's items of the games that have a directory and enables Join Server
    // unless the connected game has none. Runs every second, and at once when the preferences
    // file is written.
    void updateMenus();

    QTimer *tmrGameDirectorys = nullptr;

private:
    QString privatePassword();

    frmMain *m_main;
};
