#pragma once

#include <QFrame>

class FtpClient;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class RconSession;

// The Kick Center's Unban tab: unbans a player by name, and shows the server's ban file, which
// it fetches over FTP with the current profile's FTP settings into \Tempfiles\ban.txt.
class KickCenterBanList : public QFrame
{
    Q_OBJECT
public:
    explicit KickCenterBanList(RconSession *session, QWidget *parent = nullptr);

private:
    void cmdUnbanName_Click();
    void cmdGetBanList_Click();
    void transferFinished(bool ok);

    RconSession *m_session;
    FtpClient *inetFTP = nullptr;
    QLineEdit *txtUnbanName = nullptr;
    QListWidget *lstBans = nullptr;
    QPushButton *cmdGetBanList = nullptr;
    QLabel *lblBanListStatus = nullptr;
};
