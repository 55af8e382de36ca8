#pragma once

#include <QWidget>

class ConsoleBox;
class QComboBox;
class QPushButton;
class QTimer;
class RconSession;

// The config executor: lists the configuration files in the server's root that are the
// administrator's own (not those every installation ships) and runs the chosen one with "exec".
class frmDialogExecConfig : public QWidget
{
    Q_OBJECT
public:
    explicit frmDialogExecConfig(RconSession *session, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void cmdGetConfigs_Click();
    void tmrSet_Timer();
    void cmdSetConfig_Click();
    void tmrCheck_Timer();
    void resetList();

    RconSession *m_session;

    QComboBox *cbConfigs = nullptr;
    QPushButton *cmdSetConfig = nullptr;
    ConsoleBox *txtConfigs = nullptr; // hidden copy of the listing, exact
    QTimer *tmrSet = nullptr;
    QTimer *tmrCheck = nullptr;
};
