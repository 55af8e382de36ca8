#pragma once

#include <QObject>
#include <QString>

class ConnectionSequence;
class RconSession;
class frmMain;

// Shows the session and the connection sequence in the main window: the connection fields both
// ways, the progress, the status texts and icons, the game's layout and the window title.
class ConnectionPanel : public QObject
{
    Q_OBJECT
public:
    ConnectionPanel(frmMain *main, RconSession *session, ConnectionSequence *sequence);

    // The main window without a game: game buttons, name and picture hidden, map restarts in
    // their upper place, War Center reachable.
    void showNotConnectedLayout();

private:
    void bindFields();
    void showGame(const QString &kind);
    void setTitleSuffix(const QString &suffix);
    void setLinkIcon(const QString &state);
    void setPunkBusterEnabled(bool on);
    void showReachable(bool reachable);

    frmMain *m_main;
    RconSession *m_session;
    bool m_unreachable = false;
    QString m_savedText;
    QString m_savedIcon;
};
