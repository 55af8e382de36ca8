#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class FtpClient;
class QLabel;
class QListWidget;
class QListWidgetItem;

// Where the browser logs in: the FTP details as the administrator typed them in the preferences,
// applied or not.
struct FtpLogin
{
    QString host;
    int port = 21; // 0 or less means 21
    QString user;
    QString password;
};

// The game server's FTP site, walked one directory at a time until the server's log file
// "games_mp.log" shows; choosing that file hands the directory holding it back as the logs
// directory. Every transfer runs in the background: the window keeps answering, and a
// double-click while one runs is ignored.
class frmFTPLogDir : public QWidget
{
    Q_OBJECT
public:
    explicit frmFTPLogDir(const FtpLogin &login, QWidget *parent = nullptr);

    // How long the server may keep us waiting, on the program's clock.
    static constexpr int kRequestTimeoutMs = 60000;

    // The entries of a DIR reply, one per line; a line ends at CR LF, LF or CR, and text after
    // the last line end is no entry. Directories end with "/".
    static QStringList listingEntries(const QByteArray &reply);

signals:
    // "games_mp.log" was chosen in this directory ("/", "/main/", ...).
    void logsDirectoryChosen(const QString &directory);

private:
    void inetFTP_StateChanged(int state);
    void inetFTP_Failed(const QString &message);
    void inetFTP_Finished(bool ok);
    void lstRemoteFile_DblClick(QListWidgetItem *item);
    void showListing();

    FtpClient *inetFTP = nullptr;
    QListWidget *lstRemoteFile = nullptr;
    QLabel *lblDir = nullptr;
    QLabel *lblStatus = nullptr;
    QLabel *lblExplain = nullptr;
    bool m_changingDirectory = false;
    QString m_dirBefore; // lblDir before a CD, shown again when the server refuses it
};
