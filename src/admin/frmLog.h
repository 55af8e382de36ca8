#pragma once

#include <QPointer>
#include <QWidget>

class ConsoleBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class RconSession;
class frmLogViewer;

// The status logger: asks the server for "status" every so many seconds and, a second later,
// writes what the console then holds into \Logs\Console\<name>.log, replacing the last snapshot.
// Lists, shows and deletes those logs. Hiding the window keeps it logging; closing ends it.
class frmLog : public QWidget
{
    Q_OBJECT
public:
    explicit frmLog(RconSession *session, QWidget *parent = nullptr);

    bool isLogging() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdStart_Click();
    void cmdStop_Click();
    void tmrSendStatus_Timer();
    void tmrStatus_Timer();
    void cmdViewLog_Click();
    void cmdRemoveLog_Click();

    void listLogs();
    void setLogging(bool on);
    void enableButtons();
    QString selectedLog() const;
    bool writeSnapshot(const QString &path);

    RconSession *m_session;
    int m_seconds = 0;
    QString m_logName; // fixed while logging
    QPointer<frmLogViewer> m_viewer;

    QLineEdit *txtSec = nullptr;
    QLineEdit *txtSave = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdHide = nullptr;
    QPushButton *cmdClose = nullptr;
    QListWidget *lstLogs = nullptr;
    QPushButton *cmdViewLog = nullptr;
    QPushButton *cmdRemoveLog = nullptr;
    QProgressBar *pbProcess = nullptr;
    QProgressBar *pbStatus = nullptr;
    QLabel *lblLastCapture = nullptr;
    ConsoleBox *txtStatus = nullptr; // hidden, the text written at the last capture
    QTimer *tmrSendStatus = nullptr;
    QTimer *tmrStatus = nullptr;
    QTimer *tmrMain = nullptr;
};
