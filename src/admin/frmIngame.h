#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class KeyState;
class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QTimer;
class RconSession;

// A small window that stays above the game while the administrator plays: say something, send a
// player a private message, kick or ban a player, picked from a fresh "status". The global Escape
// key closes it (the game keeps the key too), as does Hide; closed, it is gone, and the next one
// starts with an empty player list and no history, its name taken afresh from the main window.
class frmIngame : public QWidget
{
    Q_OBJECT
public:
    explicit frmIngame(RconSession *session, QWidget *parent = nullptr);
    ~frmIngame() override;

    // The menu Options pops up (the tray's); none leaves Options disabled.
    void setOptionsMenu(QMenu *menu);

    // How often the keyboard is read for Escape: as often as the main window's shortcut poll.
    // Every 20 ms is faster than any key press and about what a desktop timer asked for 1 ms
    // delivers on Windows; a real 1 ms poll wakes the program a thousand times a second and
    // costs a few per cent of a core beside the running game.
    static constexpr int kEscapePollMs = 20;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdLoadPList_Click();
    void tmrLoadList_Timer();
    void Command4_Click();
    void cmdSendPM_Click();
    void removePlayer(const QString &keyword, const QString &noSelection);
    void cmdAddNick_Click();
    void tmrIDSelect_Timer();
    void tmrShortKey_Timer();
    void mnuOptions_Click();

    // True when a player is picked; otherwise tells the administrator to pick one.
    bool playerPicked(const QString &why);

    RconSession *m_session;
    std::unique_ptr<KeyState> m_keys;
    bool m_escapeWasDown = false;
    int m_loadTicks = 0; // ticks of tmrLoadList since the request
    QPointer<QMenu> m_optionsMenu;

    QMenuBar *menuBar = nullptr;
    QAction *mnuOptions = nullptr;
    QLineEdit *txtName = nullptr;
    QComboBox *txtSay = nullptr;
    QComboBox *cbAddNick = nullptr;
    QListWidget *lstAddID = nullptr; // hidden, the client numbers row for row
    QTimer *tmrLoadList = nullptr;
    QTimer *tmrIDSelect = nullptr;
    QTimer *tmrShortKey = nullptr;
};
