#include "mainwindow/frmMain.h"

#include "config/ProfileEntryPoints.h"
#include "mainwindow/AppInfo.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/Communication.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/Twips.h"
#include "maps/MapsEntryPoints.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/UdpLink.h"
#include "rcon/ConnectionSequence.h"
#include "rcon/Transport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTimer>

namespace {
frmMain *g_main = nullptr;

template<typename T> T *named(T *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption = QString())
{
    return named(new QLabel(caption, parent), name);
}

QLineEdit *field(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

QTimer *timer(QObject *parent, const char *name, int ms)
{
    auto *t = named(new QTimer(parent), name);
    Clock::setInterval(t, ms);
    return t;
}

QFrame *rule(QWidget *parent, const char *name)
{
    auto *line = named(new QFrame(parent), name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

frmMain *frmMain::instance()
{
    return g_main;
}

frmMain *MainWindow()
{
    return g_main;
}

QString GameKind()
{
    return g_main ? g_main->tag() : QStringLiteral("noco");
}

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    g_main = this;
    setWindowTitle(AppInfo::name() + QLatin1Char(' ') + AppInfo::version());

    UDPClient = new UdpLink(this);
    connect(UDPClient, &UdpLink::datagramArrived, this,
            [this](const QByteArray &d) { ReceiveDatagram(this, d); });

    buildControls();
    buildMenus();
    sb1 = new StatusPanels(this);
    setStatusBar(sb1);

    setMinimumSize(twipsToPixels(kMinWidthTwips, this), twipsToPixels(kMinHeightTwips, this));
    resize(twipsToPixels(kDefaultWidthTwips, this), twipsToPixels(kDefaultHeightTwips, this));

    connection = new ConnectionSequence(this);
    commandLine = new CommandLine(this);
    communication = new Communication(this);
    lifecycle = new MainLifecycle(this);
    installMapsEntryPoints(this);
    installProfileEntryPoints(this);
    lifecycle->startUp();
}

frmMain::~frmMain()
{
    if (g_main == this)
        g_main = nullptr;
}

void frmMain::buildControls()
{
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(m_central);
    QWidget *c = m_central;

    // Connection fields and state.
    label(c, "lblServerIP", QStringLiteral("Server IP:"));
    txtServerIP = field(c, "txtServerIP");
    label(c, "lblServerPORT", QStringLiteral("Port:"));
    txtServerPORT = field(c, "txtServerPORT");
    label(c, "lblServerRCON", QStringLiteral("Rconpassword:"));
    txtServerRCON = field(c, "txtServerRCON");
    txtServerRCON->setEchoMode(QLineEdit::Password);
    label(c, "lblServername", QStringLiteral("Name:"));
    txtServername = field(c, "txtServername");
    cmdConnect = button(c, "cmdConnect", QStringLiteral("Connect"));
    cmdDisconnect = button(c, "cmdDisconnect", QStringLiteral("Disconnect"));
    ckColorNames
        = named(new QCheckBox(QStringLiteral("Color Names Connection"), c), "ckColorNames");
    ckColorNames->hide();
    pbConnectProcess = named(new QProgressBar(c), "pbConnectProcess");
    pbConnectProcess->setRange(0, 8);
    pbConnectProcess->setValue(0);
    pbConnectProcess->setTextVisible(false);
    pbConnectProcess->hide();
    imgServerType = label(c, "imgServerType");
    imgServerType->setFixedSize(32, 32);
    lblServerStatus = label(c, "lblServerStatus");
    QFont big = lblServerStatus->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lblServerStatus->setFont(big);
    tmrConnectProcess = timer(this, "tmrConnectProcess", 800);
    tmrCOS = timer(this, "tmrCOS", 300);

    // Console and in-game chat pages under one tab strip.
    ts1 = named(new QTabBar(c), "ts1");
    ts1->addTab(QStringLiteral("Console"));
    ts1->addTab(QStringLiteral("Ingame Chat"));
    ts1->setDrawBase(true);
    frameConsole = named(new QFrame(c), "frameConsole");
    txtConsole = named(new ConsoleBox(frameConsole), "txtConsole");
    cbCommand = named(new QComboBox(frameConsole), "cbCommand");
    cbCommand->setEditable(true);
    cbCommand->setInsertPolicy(QComboBox::NoInsert);
    cbCommand->setMaxVisibleItems(20);
    frameIngameChat = named(new QFrame(c), "frameIngameChat");
    frameIngameChat->hide();
    txtIngameChat = named(new ConsoleBox(frameIngameChat), "txtIngameChat");
    Command2 = button(frameIngameChat, "Command2", QStringLiteral("Show chat log"));
    txtConsoleCommands = named(new ConsoleBox(c), "txtConsoleCommands");
    txtConsoleCommands->hide();
    tmrConsoleClear = timer(this, "tmrConsoleClear", 60000);
    tmrConsoleStatus = timer(this, "tmrConsoleStatus", 60000);

    // Quick commands under the console.
    cmdStatus = button(c, "cmdStatus", QStringLiteral("Status"));
    cmdServerInfo = button(c, "cmdServerInfo", QStringLiteral("Server Info"));
    cmdSystemInfo = button(c, "cmdSystemInfo", QStringLiteral("System Info"));

    // The right-hand column: players and chat, the option buttons, map restarts, the game.
    frameCommunication
        = named(new QGroupBox(QStringLiteral("Communication"), c), "frameCommunication");
    QWidget *f = frameCommunication;
    label(f, "lblCommunicationPlayers", QStringLiteral("Players:"));
    cbCommunicationPlayerList = named(new QComboBox(f), "cbCommunicationPlayerList");
    lstCommunicationID = named(new QListWidget(f), "lstCommunicationID");
    lstCommunicationID->hide();
    cmdCommunicationLoad = button(f, "cmdCommunicationLoad", QStringLiteral("Load"));
    cmdCommunicationPlayerInfo = button(f, "cmdCommunicationPlayerInfo", QStringLiteral("Info"));
    cmdCommunicationAdd = button(f, "cmdCommunicationAdd", QStringLiteral("Add name"));
    label(f, "lblCommunicationSay", QStringLiteral("Message:"));
    cbCommunicationSay = named(new QComboBox(f), "cbCommunicationSay");
    cbCommunicationSay->setEditable(true);
    cbCommunicationSay->setInsertPolicy(QComboBox::NoInsert);
    cmdCommunicationSend = button(f, "cmdCommunicationSend", QStringLiteral("Say"));
    cmdCommunicationSendPM = button(f, "cmdCommunicationSendPM", QStringLiteral("PM"));
    txtQuotationMark = field(f, "txtQuotationMark");
    txtQuotationMark->setText(QStringLiteral("\""));
    txtQuotationMark->hide();

    lblSubOptions = label(c, "lblSubOptions", QStringLiteral("Options"));
    lineSubOptions = rule(c, "lineSubOptions");
    cmdOptionsGeneral = button(c, "cmdOptionsGeneral", QStringLiteral("General"));
    cmdOptionsKickcenter = button(c, "cmdOptionsKickcenter", QStringLiteral("Kick Center"));
    cmdOptionsPB = button(c, "cmdOptionsPB", QStringLiteral("Punkbuster"));
    cmdOptionsSettings = button(c, "cmdOptionsSettings", QStringLiteral("Settings"));
    cmdOptionsMaps = button(c, "cmdOptionsMaps", QStringLiteral("Maps"));
    cmdOptionsGametype = button(c, "cmdOptionsGametype", QStringLiteral("Gametype"));
    cmdOptionsSettings->hide();
    cmdOptionsMaps->hide();
    cmdOptionsGametype->hide();

    lblSubMapRestart = label(c, "lblSubMapRestart", QStringLiteral("Map restart"));
    lineSubMapRestart = rule(c, "lineSubMapRestart");
    cmdRestartMap = button(c, "cmdRestartMap", QStringLiteral("Restart Map"));
    cmdFastRestartMap = button(c, "cmdFastRestartMap", QStringLiteral("Fast Restart"));

    imgGame = label(c, "imgGame");
    imgGame->setFixedSize(32, 32);
    imgGame->hide();
    lblGame = label(c, "lblGame");
    lblGame->hide();

    // Identity and counters other windows read; never shown.
    lblAppNamer = label(c, "lblAppNamer", AppInfo::name());
    lblAppShortNamer = label(c, "lblAppShortNamer", AppInfo::shortName());
    lblAppVersionr = label(c, "lblAppVersionr", AppInfo::version());
    lblAutoPBSSCounter = label(c, "lblAutoPBSSCounter", QStringLiteral("0"));
    for (QLabel *l : {lblAppNamer, lblAppShortNamer, lblAppVersionr, lblAutoPBSSCounter})
        l->hide();
    tmrCheckPingMeter = timer(this, "tmrCheckPingMeter", 1000);
    tmrShortKeys = timer(this, "tmrShortKeys", 1);
}

void frmMain::setMapRestartConnected(bool connected)
{
    m_mapRestartConnected = connected;
    layoutControls();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    lifecycle->onClose(event);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutControls();
}

// Places every control from the window's inner size, in twips, with the console growing with
// the window and the right-hand column following its right edge.
void frmMain::layoutControls()
{
    if (!m_central)
        return;
    const QWidget *c = m_central;
    const auto px = [this](double t) { return twipsToPixels(t, this); };
    const auto place = [&](QWidget *w, double left, double top, double width, double height) {
        if (w)
            w->setGeometry(px(left), px(top), std::max(0, px(width)), std::max(0, px(height)));
    };
    const auto child
        = [c](const char *name) { return c->findChild<QWidget *>(QLatin1String(name)); };
    // The status bar stands inside the window's inner height, as the rules count it.
    const double W = pixelsToTwips(c->width(), this);
    const double H = pixelsToTwips(c->height() + (sb1 ? sb1->height() : 0), this);

    // Connection area along the top.
    const double row1 = 180, row2 = 660, fieldH = 330;
    place(child("lblServerIP"), 120, row1 + 40, 1100, 285);
    place(txtServerIP, 1230, row1, 2200, fieldH);
    place(child("lblServerPORT"), 3540, row1 + 40, 500, 285);
    place(txtServerPORT, 4050, row1, 900, fieldH);
    place(child("lblServerRCON"), 120, row2 + 40, 1100, 285);
    place(txtServerRCON, 1230, row2, 2200, fieldH);
    place(child("lblServername"), 3540, row2 + 40, 500, 285);
    place(txtServername, 4050, row2, 900, fieldH);
    place(cmdConnect, 5100, row1 - 15, 1350, 360);
    place(cmdDisconnect, 5100, row2 - 15, 1350, 360);
    const double stateLeft = 6600;
    const double stateWidth = std::max(1500.0, W - 3600 - 120 - stateLeft);
    place(imgServerType, stateLeft, row1, 480, 480);
    place(lblServerStatus, stateLeft + 600, row1 + 60, stateWidth - 600, 400);
    place(pbConnectProcess, stateLeft, row2 + 30, stateWidth, 270);

    // Tab strip and its two pages.
    const double tsW = W - 3800, tsH = H - 3700;
    place(ts1, 120, 1320, tsW, 360);
    const double pageW = tsW - 80, pageH = tsH - 360;
    place(frameConsole, 140, 1655, pageW, pageH);
    place(frameIngameChat, 140, 1655, pageW, pageH);
    place(txtConsole, 120, 120, pageW - 220, pageH - 850);
    place(cbCommand, 120, 120 + (pageH - 850), pageW - 220, 345);
    place(txtIngameChat, 120, 120, pageW - 220, pageH - 240 - 420);
    place(Command2, 120, pageH - 240 - 360, 1800, 345);

    // Quick commands below the console.
    const double quickTop = 1655 + pageH + 90;
    place(cmdStatus, 140, quickTop, 1350, 360);
    place(cmdServerInfo, 1560, quickTop, 1350, 360);
    place(cmdSystemInfo, 2980, quickTop, 1350, 360);

    // Right-hand column.
    const double colLeft = W - 3600, colW = 3480;
    place(frameCommunication, colLeft, 120, colW, 2820);
    {
        const auto in = [&](const char *name, double l, double t, double w, double h) {
            if (auto *w2 = frameCommunication->findChild<QWidget *>(QLatin1String(name)))
                w2->setGeometry(px(l), px(t), std::max(0, px(w)), std::max(0, px(h)));
        };
        in("lblCommunicationPlayers", 120, 300, 3240, 240);
        in("cbCommunicationPlayerList", 120, 560, 3240, 330);
        in("cmdCommunicationLoad", 120, 960, 1020, 345);
        in("cmdCommunicationPlayerInfo", 1230, 960, 1020, 345);
        in("cmdCommunicationAdd", 2340, 960, 1020, 345);
        in("lblCommunicationSay", 120, 1440, 3240, 240);
        in("cbCommunicationSay", 120, 1700, 3240, 330);
        in("cmdCommunicationSend", 120, 2100, 1575, 345);
        in("cmdCommunicationSendPM", 1785, 2100, 1575, 345);
    }
    place(lblSubOptions, colLeft, 3060, colW, 240);
    place(lineSubOptions, colLeft, 3300, colW, 30);
    place(cmdOptionsGeneral, colLeft, 3420, 1575, 345);
    place(cmdOptionsKickcenter, colLeft + colW - 1575, 3420, 1575, 345);
    place(cmdOptionsPB, colLeft, 3840, 1575, 345);
    place(cmdOptionsSettings, colLeft + colW - 1575, 3840, 1575, 345);
    place(cmdOptionsMaps, colLeft, 4260, 1575, 345);
    place(cmdOptionsGametype, colLeft + colW - 1575, 4260, 1575, 345);

    const bool connectedLayout = m_mapRestartConnected;
    const double restartTop = connectedLayout ? 5640 : 4560;
    place(lblSubMapRestart, colLeft, restartTop, colW, 240);
    place(lineSubMapRestart, colLeft, restartTop + 120, colW, 30);
    place(cmdRestartMap, colLeft, restartTop + 360, 1575, 345);
    place(cmdFastRestartMap, colLeft + colW - 1575, restartTop + 360, 1575, 345);

    place(imgGame, colLeft, 6600, 480, 480);
    place(lblGame, colLeft + 600, 6700, colW - 600, 300);
}
