#pragma once

#include <QObject>

class frmMain;

// The communication column: the player list, player info, saying a line, private messages, and
// the console / in-game chat tabs.
class Communication : public QObject
{
    Q_OBJECT
public:
    explicit Communication(frmMain *main);

    // Fills the say box's list from the history file (start-up).
    void loadHistory();

    void loadPlayers();
    void showPlayerInfo();
    void say();
    void sendPrivateMessage();
    void addPlayerName();
    void showPage(int tab);
    void showChatLog();

private:
    QString quote() const;

    frmMain *m_main;
};
