#pragma once

#include <QObject>

class frmMain;

// Logging in and detecting the game in eight timed steps, and disconnecting.
class ConnectionSequence : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionSequence(frmMain *main);

    void connectToServer();
    void disconnectFromServer();

private:
    frmMain *m_main;
};
