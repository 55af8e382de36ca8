#pragma once

#include <QFrame>

class ConsoleBox;
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
    void listBans();

    RconSession *m_session;
    FtpClient *inetFTP = nullptr;
    QLineEdit *txtUnbanName = nullptr;
    QListWidget *lstBans = nullptr;
    ConsoleBox *txtBans = nullptr; // hidden, the ban file as downloaded
    QPushButton *cmdGetBanList = nullptr;
    QLabel *lblBanListStatus = nullptr;
    QString m_remoteBanFile; // fetched once the directory listing is in
    bool m_listing = false;
};
