#pragma once

#include <QStringList>
#include <QWidget>

#include <initializer_list>

class QLineEdit;
class QProgressBar;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class RconSession;

// The PunkBuster center: PunkBuster's own player list with its kicks, bans and screenshots, bans
// by GUID, unbans, and the bad-name filter. Every action is one pb_sv_ command; the two lists
// are read back from the console about a second after they were asked for.
class frmDialogPunkbuster : public QWidget
{
    Q_OBJECT
public:
    explicit frmDialogPunkbuster(RconSession *session, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildPlayerlistTab();
    QWidget *buildUnbanTab();
    QWidget *buildBadNamesTab();
    QWidget *buildAdvancedTab();

    // Player list tab.
    void cmdGetPBList_Click();
    void tmrGetPlayerlist_Timer();
    void lv1_Click();
    void cmdTakeScreenshot_Click();
    void cmdKick_Click();
    void cmdBan_Click();
    void cmdBanGuid_Click();

    // Bad names tab.
    void cmdBadNamesList_Click();
    void tmrBadNamesList_Timer();
    void cmdBadNamesRemove_Click();

    // The texts between quotation marks, in order; none at all when one of them holds a
    // quotation mark itself (the server would cut the argument there), the user told why.
    QStringList quoted(std::initializer_list<QString> texts);

    RconSession *m_session;

    QTabWidget *ts1 = nullptr;
    QTreeWidget *lv1 = nullptr;
    QTreeWidget *lv2 = nullptr;
    QProgressBar *pbGetPlayerlist = nullptr;
    QProgressBar *pbBadNamesList = nullptr;
    QTimer *tmrGetPlayerlist = nullptr;
    QTimer *tmrBadNamesList = nullptr;
    QLineEdit *txtQuotationMark = nullptr;
    QLineEdit *txtKickName = nullptr;
    QLineEdit *txtKickTime = nullptr;
    QLineEdit *txtKickReason = nullptr;
    QLineEdit *txtKickPrivateReason = nullptr;
    QLineEdit *txtBanName = nullptr;
    QLineEdit *txtBanReason = nullptr;
    QLineEdit *txtBanPrivateReason = nullptr;
    QLineEdit *txtGuidBanGuid = nullptr;
    QLineEdit *txtGuidBanName = nullptr;
    QLineEdit *txtGuidBanIP = nullptr;
    QLineEdit *txtGuidBanReason = nullptr;
};
