#pragma once

#include <QMainWindow>
#include <QPointer>

class AutoScreenshots;
class CommandLine;
class Communication;
class ConnectionPanel;
class ConnectionSequence;
class DialogOpeners;
class GameLauncher;
class ConsoleBox;
class MainLifecycle;
class PingMeter;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTimer;
class RconSession;
class ShortcutKeys;
class StatusPanels;
class UpdateCheck;

// The main window: it shows the rcon session (connection fields, console, status bar, the
// detected game) and opens every other window with that session. Its controls are public for the
// main window's own parts, and carry their control names as objectNames for language packs and
// tests; no other window touches them.
class frmMain : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString tag READ tag)
public:
    explicit frmMain(RconSession *session, QWidget *parent = nullptr);
    ~frmMain() override;

    // The one main window of the process (null before it exists and after it is gone), for the
    // program's start and its tests.
    static frmMain *instance();

    RconSession *session() const;

    // The detected game: "noco", "cod", "coduo", "cod2", "cod4".
    QString tag() const;

    static constexpr int kDefaultWidthTwips = 13815;
    static constexpr int kDefaultHeightTwips = 9420;
    static constexpr int kMinWidthTwips = 13815;
    static constexpr int kMinHeightTwips = 7515;

    // The map-restart caption, its rule and buttons sit lower while a known game is connected,
    // making room for that game's settings, maps and gametype buttons.
    void setMapRestartConnected(bool connected);
    bool mapRestartConnected() const { return m_mapRestartConnected; }

    // The window's behaviour, one part per concern.
    ConnectionSequence *connection = nullptr;
    ConnectionPanel *connectionPanel = nullptr;
    DialogOpeners *dialogs = nullptr;
    CommandLine *commandLine = nullptr;
    Communication *communication = nullptr;
    MainLifecycle *lifecycle = nullptr;
    PingMeter *pingMeter = nullptr;
    AutoScreenshots *autoScreenshots = nullptr;
    ShortcutKeys *shortcutKeys = nullptr;
    GameLauncher *launcher = nullptr;   // the Join game menu
    UpdateCheck *updateCheck = nullptr; // the update check and the updater

    // --- connection -----------------------------------------------------------------------
    QLineEdit *txtServerIP = nullptr;
    QLineEdit *txtServerPORT = nullptr;
    QLineEdit *txtServerRCON = nullptr;
    QLineEdit *txtServername = nullptr;
    QPushButton *cmdConnect = nullptr;
    QPushButton *cmdDisconnect = nullptr;
    QCheckBox *ckColorNames = nullptr;
    QProgressBar *pbConnectProcess = nullptr;
    QLabel *lblServerStatus = nullptr;
    QLabel *imgServerType = nullptr;
    QLabel *lblGame = nullptr;
    QLabel *imgGame = nullptr;
    QTimer *tmrConnectProcess = nullptr;
    QTimer *tmrCOS = nullptr;

    // --- console --------------------------------------------------------------------------
    QTabBar *ts1 = nullptr;
    QFrame *frameConsole = nullptr;
    QFrame *frameIngameChat = nullptr;
    ConsoleBox *txtConsole = nullptr;
    ConsoleBox *txtConsoleCommands = nullptr; // hidden reply buffer
    QComboBox *cbCommand = nullptr;
    ConsoleBox *txtIngameChat = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *cmdStatus = nullptr;
    QPushButton *cmdServerInfo = nullptr;
    QPushButton *cmdSystemInfo = nullptr;
    QLabel *lblSubMapRestart = nullptr;
    QFrame *lineSubMapRestart = nullptr;
    QPushButton *cmdRestartMap = nullptr;
    QPushButton *cmdFastRestartMap = nullptr;
    QTimer *tmrConsoleClear = nullptr;
    QTimer *tmrConsoleStatus = nullptr;

    // --- players and chat -----------------------------------------------------------------
    QGroupBox *frameCommunication = nullptr;
    QComboBox *cbCommunicationPlayerList = nullptr;
    QListWidget *lstCommunicationID = nullptr; // hidden
    QComboBox *cbCommunicationSay = nullptr;
    QPushButton *cmdCommunicationLoad = nullptr;
    QPushButton *cmdCommunicationPlayerInfo = nullptr;
    QPushButton *cmdCommunicationSend = nullptr;
    QPushButton *cmdCommunicationSendPM = nullptr;
    QPushButton *cmdCommunicationAdd = nullptr;
    QLineEdit *txtQuotationMark = nullptr; // hidden, holds one double quote

    // --- options --------------------------------------------------------------------------
    QLabel *lblSubOptions = nullptr;
    QFrame *lineSubOptions = nullptr;
    QPushButton *cmdOptionsGeneral = nullptr;
    QPushButton *cmdOptionsKickcenter = nullptr;
    QPushButton *cmdOptionsPB = nullptr;
    QPushButton *cmdOptionsSettings = nullptr;
    QPushButton *cmdOptionsMaps = nullptr;
    QPushButton *cmdOptionsGametype = nullptr;

    // --- identity and helpers -------------------------------------------------------------
    QLabel *lblAppNamer = nullptr;
    QLabel *lblAppShortNamer = nullptr;
    QLabel *lblAppVersionr = nullptr;
    StatusPanels *sb1 = nullptr;

    // --- ping meter, automatic screenshots, shortcut keys (made by their parts) -------------
    QTimer *tmrCheckPingMeter = nullptr;
    QTimer *tmrPing = nullptr;
    QGroupBox *frameAutoPBSS = nullptr;
    QLineEdit *txtAutoPBSSSec = nullptr;
    QPushButton *cmdAutoPBSSStart = nullptr;
    QPushButton *cmdAutoPBSSStop = nullptr;
    QProgressBar *pbAutoPBSS = nullptr;
    QLabel *lblAutoPBSSCounter = nullptr;
    QTimer *tmrAutoPBSS = nullptr;
    QTimer *tmrShortKeys = nullptr;

    // --- menus ----------------------------------------------------------------------------
    QMenu *mnuFile = nullptr;
    QAction *mnuFileConnect = nullptr;
    QAction *mnuFileDisconnect = nullptr;
    QAction *mnuFileProfilesList = nullptr;
    QAction *mnuExit = nullptr;

    QMenu *mnuJoinGame = nullptr;
    QAction *mnuJoinGameJoinServer = nullptr;
    QMenu *mnuJoinGameDirectorys = nullptr;
    QAction *mnuJoinGameDirCoD = nullptr;
    QAction *mnuJoinGameDirCoDUO = nullptr;
    QAction *mnuJoinGameDirCoD2 = nullptr;
    QAction *mnuJoinGameDirCoD4 = nullptr;
    QAction *mnuJoinGameSetDirectorys = nullptr;

    QMenu *mnuConsole = nullptr;
    QMenu *mnuConsoleColor = nullptr;
    QAction *mnuConsoleColorChange = nullptr;
    QAction *mnuConsoleColorDefault = nullptr;
    QAction *mnuConsoleCopy = nullptr;
    QAction *mnuConsoleClear = nullptr;
    QAction *mnuConsoleSearch = nullptr;
    QAction *mnuConsoleSelectAll = nullptr;
    QAction *mnuConsoleShowColours = nullptr; // [Console] ShowColours

    QMenu *mnuOptions = nullptr;
    QAction *mnuOptionsGeneral = nullptr;
    QMenu *mnuOptionsCoD = nullptr;
    QMenu *mnuOptionsCoDUO = nullptr;
    QMenu *mnuOptionsCoD2 = nullptr;
    QMenu *mnuOptionsCoD4 = nullptr;
    // Settings, Maps, Gametype of each game, in the order CoD, CoD UO, CoD2, CoD4.
    QAction *mnuOptionsGameSettings[4] = {};
    QAction *mnuOptionsGameMaps[4] = {};
    QAction *mnuOptionsGameGametype[4] = {};
    QAction *mnuOptionsPunkbuster = nullptr;
    QAction *mnuOptionsKickCenter = nullptr;
    QAction *mnuOptionsMessagingCenter = nullptr;
    QAction *mnuOptionsWarCenter = nullptr;
    QAction *mnuOptionsExecConfig = nullptr;

    QMenu *mnuExtra = nullptr;
    QAction *mnuExtraAlwaysOnTop = nullptr;
    QAction *mnuExtraServerStatus = nullptr;
    QAction *mnuExtraLogger = nullptr;
    QMenu *mnuExtraShortkeys = nullptr;
    QAction *mnuExtraShortkeysEnable = nullptr;
    QAction *mnuExtraShortkeysDisable = nullptr;
    QAction *mnuExtraShortkeysSetup = nullptr;
    QAction *mnuExtraPreferences = nullptr;

    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpWebsite = nullptr;
    QAction *mnuHelpForum = nullptr;
    QAction *mnuHelpBugReport = nullptr;
    QAction *mnuHelpManual = nullptr;
    QAction *mnuHelpUpdater = nullptr;
    QAction *mnuHelpAbout = nullptr;
    QAction *mnuCheckUpdate = nullptr; // "Update available!", on the menu bar

    // The tray menu's PunkBuster entry; the tray menu itself comes with the tray icon.
    QPointer<QAction> mnuTrayPunkbuster;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void layoutControls();

    QPointer<RconSession> m_session;
    bool m_mapRestartConnected = false;
    QWidget *m_central = nullptr;
};
