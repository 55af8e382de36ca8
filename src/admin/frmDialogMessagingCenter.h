#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class RconSession;

// Posts a rotating list of chat messages on the server, each followed by its own pause, for as
// long as it runs; lists are saved to and loaded from named files. Hiding the window keeps the
// rotation going; closing it ends the window and the rotation.
class frmDialogMessagingCenter : public QWidget
{
    Q_OBJECT
public:
    explicit frmDialogMessagingCenter(RconSession *session, QWidget *parent = nullptr);

    bool isRunning() const;

signals:
    // The window is going away for good (not merely hidden).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildListFrame();
    QWidget *buildAddFrame();
    QWidget *buildLoadFrame();
    QWidget *buildSaveFrame();

    void cmdAdd_Click();
    void cmdClear_Click();
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdSave_Click();
    void cmdLoad_Click();
    void cmdDelete_Click();
    void tmrMessageSend_Timer();
    // Keeps the times' selection on the row of the messages' selection.
    void tmrSync_Timer();

    void listFiles();
    void appendEntry(const QString &message, const QString &seconds);
    void setRunning(bool running);
    // The pause after an entry, on the clock.
    void armSendTimer(int row);

    RconSession *m_session;

    QListWidget *lstMessage = nullptr;
    QListWidget *lstTime = nullptr;
    QLineEdit *txtMessage = nullptr;
    QLineEdit *txtTime = nullptr;
    QListWidget *lstFiles = nullptr;
    QLineEdit *txtFileName = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *tmrMessageSend = nullptr;
    QTimer *tmrSync = nullptr;
};
