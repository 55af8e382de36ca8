#pragma once

#include <QObject>
#include <QString>

class frmMain;

// Logging in and detecting the game in eight timed steps, and disconnecting. The progress bar
// pbConnectProcess is the step counter; the main window's tag is the detected game.
class ConnectionSequence : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionSequence(frmMain *main);

    void connectToServer();
    void disconnectFromServer();

    // The main window without a game: game buttons, name and picture hidden, map restarts in
    // their upper place, War Center reachable.
    void showNotConnectedLayout();

    // The copies of the server fields taken at the last connect.
    QString serverAddress() const { return m_address; }
    QString serverPort() const { return m_port; }
    QString serverPassword() const { return m_password; }

private:
    void tick();
    void judgeLogin();
    void detectGame();
    void detectPunkBuster();
    void finish();
    void failed(const QString &details, const QString &serverStatus, const QString &boxText,
                const QString &boxTitle);
    void setPunkBusterEnabled(bool on);
    void setTitleSuffix(const QString &suffix);
    QString replyValue() const;

    frmMain *m_main;
    QString m_address;
    QString m_port;
    QString m_password;
    QString m_statusText;
    bool m_inTick = false;
};
