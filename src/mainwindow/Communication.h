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

    void loadHistory();

private:
    frmMain *m_main;
};
