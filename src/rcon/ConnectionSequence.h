#pragma once

#include <QObject>
#include <QString>

class QTimer;
class RconSession;

// Logging in and detecting the game in eight timed steps, and disconnecting. It works on the
// session and tells the main window, through its signals, what to show; the step counter is the
// progress the window draws.
class ConnectionSequence : public QObject
{
    Q_OBJECT
public:
    // The step timer belongs to the window that shows the sequence (its tmrConnectProcess).
    ConnectionSequence(RconSession *session, QTimer *stepTimer, QObject *parent = nullptr);

    void connectToServer();
    void disconnectFromServer();
    void tick();

    int step() const { return m_step; }
    // The copies of the server fields taken at the last connect.
    QString serverAddress() const { return m_address; }
    QString serverPort() const { return m_port; }

signals:
    // The fields were complete and the link is open: the steps begin.
    void started();
    void progressChanged(int step);
    void panelText(int panel, const QString &text);
    // "connected", "error" or "notconnected": the link's icon in the window and the status bar.
    void linkIcon(const QString &state);
    void serverStatusText(const QString &text);
    // Game buttons, name and picture hidden, map restarts in their upper place, War Center
    // reachable; with the menu icons of no game when asked.
    void notConnectedLayout(bool menuIcons);
    // One of the four games ("cod" ... "cod4"), or an empty text for a server that is none.
    void gameDetected(const QString &kind);
    // The window title after the program's name and version.
    void titleSuffix(const QString &suffix);
    // The last step: the progress goes away, the link's state shows again.
    void finishing();
    // Done, whether the login succeeded or not.
    void finished();
    void disconnected();

private:
    void judgeLogin();
    void detectGame();
    void detectPunkBuster();
    void finish();
    void failed(const QString &details, const QString &serverStatus, const QString &boxText,
                const QString &boxTitle);
    void sendFresh(const char *command);
    void setStep(int step);

    RconSession *m_session;
    QTimer *m_timer;
    QString m_address;
    QString m_port;
    QString m_statusText;
    int m_step = 0;
    bool m_inTick = false;
};
