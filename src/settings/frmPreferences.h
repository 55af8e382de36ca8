#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

class FtpClient;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTimer;
class RconSession;
class frmRestoreDirectory;
struct PrefGameDirectory;
struct PrefTimed;

// The preferences: every setting of \Preferences.ini and of the current profile's preferences,
// one page per list entry. Values are loaded when the window is made and written back on Apply
// and OK; typed values that were not applied stay in the controls until the next Apply. The
// window is made once and hidden by OK and Cancel.
//
// What Apply changes in the main window goes out as signals: the main window re-arms its ping
// meter and console timers itself.
class frmPreferences : public QWidget
{
    Q_OBJECT
public:
    // The list's entries in order; index 4 is the page the Join game menu opens.
    enum Page { General = 0, Server, Console, Messages, GameDirectories, RestoreProfiles };

    frmPreferences(RconSession *session, QWidget *main);

    // Switches to a page as a click on its list entry does.
    void showPage(int page);
    int currentPage() const;

    void apply();

    // The FTP log-directory window fills the label through this.
    void setFtpLogsDirectory(const QString &directory);
    // The text of an FTP field ("txtFTPIP", "txtFTPPort", "txtFTPUsername", "txtFTPPassword") as
    // typed, applied or not: the log-directory window logs in with it.
    QString ftpFieldText(const QString &field) const;

signals:
    // Apply: the ping meter's switch and period, for the main window's meter to follow at once.
    void pingMeterApplied(bool on, int seconds);
    // Apply while connected: the console timers' settings are written, for the timers to follow.
    void consoleTimersApplied();
    // The main window is to take its default size (it is neither minimised nor maximised).
    void defaultWindowSizeRequested();
    // The Server page's "..." button: the log directory is chosen by browsing the FTP site.
    void ftpLogsDirectoryRequested();

public:
    QListWidget *lstMenu = nullptr;
    QLabel *lblPrefTitle = nullptr;
    QStackedWidget *pages = nullptr;
    QLabel *lblChangeOption = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer *tmrGameDir = nullptr;          // the directory buttons follow the labels
    QTimer *tmrConsoleFunctions = nullptr; // the console sliders follow their switches

    // General.
    QWidget *frameGeneral = nullptr;
    QGroupBox *frameVantorStartup = nullptr;
    QPushButton *cmdDefWinSize = nullptr;
    QGroupBox *frameLanguage = nullptr;
    QComboBox *cmbLanguage = nullptr;
    QPushButton *cmdRestoreProfiles = nullptr;

    // Server (the current profile's).
    QWidget *frameServer = nullptr;
    QGroupBox *framePingMeter = nullptr;
    QGroupBox *frameFTP = nullptr;
    QLabel *lblFTPLogsDirectory = nullptr;
    QPushButton *cmdFTPSetDir = nullptr;
    QPushButton *cmdFTPTestConnection = nullptr;
    QLabel *lblFTPStatus = nullptr;

    // Console, Messages.
    QWidget *frameConsole = nullptr;
    QWidget *frameMessages = nullptr;
    QGroupBox *frameMessagesPMColor = nullptr;
    QLabel *lblMessagesCurColor = nullptr;

    // Game Directory's.
    QWidget *frameGameDirectorys = nullptr;

    // Restoring the profiles of an older installation.
    QWidget *frameRestoreProfiles = nullptr;
    QLabel *lblProDir = nullptr;
    QPushButton *cmdSetProDir = nullptr;
    QPushButton *cmdOldProfs = nullptr;
    QListWidget *lstOldProfs = nullptr;
    QPushButton *cmdCopyProfs = nullptr;

private:
    // frmPreferences.cpp: the window, its pages, loading and Apply.
    void buildControls();
    QWidget *buildGeneral();
    QWidget *buildServer();
    QWidget *buildConsole();
    QWidget *buildMessages();
    QWidget *buildGameDirectorys();
    QWidget *buildRestoreProfiles();
    QWidget *addTimed(QWidget *parent, const PrefTimed &row);
    void fillLanguages();
    void load();
    void loadProfile();
    void lstMenu_Click(int row);

    // frmPreferencesActions.cpp: what the buttons do.
    void cmdDefWinSize_Click();
    void cmbLanguage_Change();
    void setPrivateMessageColour(const QString &number);
    void cmdSetDir_Click(const PrefGameDirectory &row);
    void cmdResetDir_Click(const PrefGameDirectory &row);
    void cmdTestDir_Click(const PrefGameDirectory &row);
    void tmrGameDir_Timer();
    void tmrConsoleFunctions_Timer();
    void cmdFTPSetDir_Click();
    void cmdFTPTestConnection_Click();
    void ftpTestFinished(bool ok);
    void cmdSetProDir_Click();
    void cmdOldProfs_Click();
    void cmdCopyProfs_Click();

    RconSession *m_session;
    QPointer<QWidget> m_main;
    QString m_pmColour; // [Messages] PrivateMessageColor as it will be written
    bool m_loading = false;
    QHash<QString, QCheckBox *> m_checks;
    QHash<QString, QSlider *> m_sliders;
    QHash<QString, QLineEdit *> m_ftpFields;
    QHash<QString, QLabel *> m_directories;
    QPointer<FtpClient> m_ftp;
    QPointer<frmRestoreDirectory> m_restoreDirectory;
};
