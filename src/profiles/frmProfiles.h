#pragma once

#include <QWidget>

class QCloseEvent;
class QHideEvent;
class QShowEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTimer;
class RconSession;

// The profile manager: lists the server profiles, adds, edits and deletes them, and loads one into
// the main window's connection fields. It opens at program start and from File > Profiles List;
// it is created once and hidden, not destroyed, when it hands over to the main window.
class frmProfiles : public QWidget
{
    Q_OBJECT
public:
    frmProfiles(RconSession *session, QWidget *main);

    // Shows the manager (creating it on first use) with the list read afresh, and completes
    // profiles copied from an older installation right after it opened.
    static frmProfiles *open(RconSession *session, QWidget *main);
    static frmProfiles *instance();

    void FillProfileList();
    QString selectedProfile() const;

signals:
    // A profile was loaded with [Settings] ConnectOnSelect on: the main window connects once its
    // fields are in.
    void connectOnSelect();

public:
    // --- tab strip and its pages ----------------------------------------------------------
    QTabBar *ts1 = nullptr;
    QStackedWidget *pages = nullptr;

    // Profiles page.
    QWidget *frameProfiles = nullptr;
    QListWidget *lstProfiles = nullptr;
    QWidget *framePreview = nullptr;
    QLineEdit *txtIP = nullptr;
    QLineEdit *txtPort = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdNoProfile = nullptr;
    QLabel *lblDelError = nullptr;

    // Add page.
    QWidget *frameAdd = nullptr;
    QLineEdit *txtAddPName = nullptr;
    QLineEdit *txtAddIP = nullptr;
    QLineEdit *txtAddPort = nullptr;
    QLineEdit *txtAddRcon = nullptr;
    QLineEdit *txtAddName = nullptr;
    QPushButton *cmdAddAdd = nullptr;
    QLineEdit *txtIPPORT = nullptr; // hidden

    // Edit page, reachable while a profile is selected.
    QWidget *frameEdit = nullptr;
    QLineEdit *txtEditPName = nullptr;
    QLineEdit *txtEditIP = nullptr;
    QLineEdit *txtEditPort = nullptr;
    QLineEdit *txtEditRcon = nullptr;
    QLineEdit *txtEditName = nullptr;
    QPushButton *cmdSave = nullptr;

    QTimer *tmrCheckTabs = nullptr;
    QTimer *tmrIPPORT = nullptr;
    QTimer *tmrClearStatus = nullptr;
    QTimer *tmrCheckProfiles = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void ts1_Click(int index);
    void lstProfiles_Click();
    void cmdOK_Click();
    void cmdNoProfile_Click();
    void cmdAddAdd_Click();
    void cmdSave_Click();
    void cmdRemove_Click();
    void fillEditPage();
    void tmrCheckTabs_Timer();
    void tmrIPPORT_Timer();
    void tmrCheckProfiles_Timer();
    void bringMainWindowUp();

    RconSession *m_session;
    QWidget *m_main;
    bool m_mainShown = false;
};
