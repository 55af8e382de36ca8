#pragma once

#include <QObject>
#include <QPointer>

class QCloseEvent;
class frmExit;
class frmInfo;
class frmMain;

// The main window's start-up order, its menus' actions, always-on-top, closing and exit.
class MainLifecycle : public QObject
{
    Q_OBJECT
public:
    explicit MainLifecycle(frmMain *main);

    void startUp();
    void onClose(QCloseEvent *event);

    // File > Exit: a goodbye in the game's chat when connected, the size kept, the program ends.
    void fileExit();
    // Ends the program at once, from any path: no question, no goodbye, the size not kept.
    void endProgram();
    bool isEnding() const { return m_ending; }

    void setAlwaysOnTop(bool on);
    void setShortkeysEnabled(bool on);
    void saveWindowSize();
    // The close button's hide and "/mini": into the tray, or down to the task bar where no tray
    // icon could bring the window back; the tray's window entry follows.
    void hideToTray();

    frmInfo *showAbout();
    frmExit *showExitConfirmation();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireMenus(); // MainMenuActions.cpp
    void openServerStatus();
    void openGameDialog(int which); // 0 settings, 1 maps, 2 gametype
    void showNotConnected();
    void restoreWindowSize();

    frmMain *m_main;
    bool m_ending = false;
    QPointer<frmInfo> m_about;
    QPointer<frmExit> m_exit;
};
