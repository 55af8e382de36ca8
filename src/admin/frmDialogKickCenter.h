#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class RconSession;
struct KickCenterRemoval;

// The Kick Center: lists the players from a fresh "status" and removes the selected one by
// client number, by name or by address (kick, ban, temporary ban, IP ban), each time after an
// announcement in game that names the player, the administrator and the reason. The reasons used
// are remembered in \Logs\KickCenter\Reason.log. The Unban tab unbans by name and shows the
// server's ban file fetched over FTP.
class frmDialogKickCenter : public QWidget
{
    Q_OBJECT
public:
    explicit frmDialogKickCenter(RconSession *session, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildKickBanTab();

    void cmdGetPlayerInfo_Click();
    void tmrGetPlayerInfo_Timer();
    void removePlayer(const KickCenterRemoval &removal);
    void cmdKickBanTime_Click();
    void cmdKickAll_Click();

    // "Say ^4||^7 " + what + the administrator, with the reason unless "No reason" is ticked.
    QString announcement(const QString &what, const QString &reason) const;
    void loadReasons();
    void sizeColumns();

    RconSession *m_session;

    QTreeWidget *lv1 = nullptr;
    QProgressBar *pbGetPlayerInfo = nullptr;
    QTimer *tmrGetPlayerInfo = nullptr;
    QComboBox *cbReason = nullptr;
    QCheckBox *ckNoReason = nullptr;
    QLineEdit *txtKickBanTime = nullptr;
    QLineEdit *txtQuotationMark = nullptr; // hidden, holds the one double quote
    QTimer *tmrFormFunctions = nullptr;
    // The value read from the selected row, held between the announcement and its command.
    QString m_pendingTarget;
    bool m_columnsSized = false;
};
