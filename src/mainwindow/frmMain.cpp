#include "mainwindow/frmMain.h"

#include "config/AppInfo.h"
#include "config/ChatColours.h"
#include "mainwindow/AutoScreenshots.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/Communication.h"
#include "mainwindow/ConnectionPanel.h"
#include "mainwindow/DialogOpeners.h"
#include "mainwindow/GameLauncher.h"
#include "mainwindow/Icons.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/PingMeter.h"
#include "mainwindow/ShortcutKeys.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/Twips.h"
#include "mainwindow/UpdateCheck.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Controls.h"
#include "platform/UdpLink.h"
#include "rcon/ConnectionSequence.h"
#include "rcon/RconSession.h"

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

#include <algorithm>
#include <vector>

using namespace Controls;

namespace {
frmMain *g_main = nullptr;

QFrame *rule(QWidget *parent, const char *name)
{
    auto *line = named(new QFrame(parent), name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// Shares room among widths that want more than there is: the narrow ones keep theirs and the
// widest give up what is missing, so that one overlong caption cannot push the rest away. No
// share falls below `floor`: in a window too small for everything (or not laid out on screen
// yet) a caption or button keeps a width it can be read and clicked at.
void fitWidths(std::initializer_list<double *> widths, double room, double floor)
{
    std::vector<double *> order(widths);
    std::sort(order.begin(), order.end(), [](double *a, double *b) { return *a < *b; });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double share = std::max(room / double(order.size() - i), floor);
        *order[i] = std::min(*order[i], share);
        room -= *order[i];
    }
}
} // namespace

frmMain *frmMain::instance()
{
    return g_main;
}

RconSession *frmMain::session() const
{
    return m_session;
}

QString frmMain::tag() const
{
    return m_session->gameKind();
}

frmMain::frmMain(RconSession *session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmMain"));
    g_main = this;
    setWindowTitle(AppInfo::name() + QLatin1Char(' ') + AppInfo::version());
    setWindowIcon(Icons::app());

    // The session owns the link; while this window lives it sits among the window's named parts,
    // where the window's own tools have always found UDPClient.
    session->link()->setParent(this);

    buildControls();
    buildMenus();
    sb1 = new StatusPanels(this);
    setStatusBar(sb1);

    setMinimumSize(twipsToPixels(kMinWidthTwips, this), twipsToPixels(kMinHeightTwips, this));
    resize(twipsToPixels(kDefaultWidthTwips, this), twipsToPixels(kDefaultHeightTwips, this));

    connection = new ConnectionSequence(session, tmrConnectProcess, this);
    connectionPanel = new ConnectionPanel(this, session, connection);
    commandLine = new CommandLine(this);
    communication = new Communication(this);
    lifecycle = new MainLifecycle(this);
    pingMeter = new PingMeter(this);
    autoScreenshots = new AutoScreenshots(this);
    shortcutKeys = new ShortcutKeys(this);
    installDialogOpeners(this);
    launcher = new GameLauncher(this);
    updateCheck = new UpdateCheck(this); // before the start-up, which may start it
    lifecycle->startUp();
}

frmMain::~frmMain()
{
    if (m_session)
        m_session->link()->setParent(m_session);
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
    lblServerStatus->setWordWrap(true);
    tmrConnectProcess = timer(this, "tmrConnectProcess", 800);
    tmrCOS = timer(this, "tmrCOS", 300);

    // Console and in-game chat pages under one tab strip.
    ts1 = named(new QTabBar(c), "ts1");
    ts1->addTab(QStringLiteral("Console"));
    ts1->addTab(QStringLiteral("Ingame Chat"));
    ts1->setDrawBase(false); // the pages draw the frame under the tabs
    ts1->setExpanding(false);
    frameConsole = named(new QFrame(c), "frameConsole");
    txtConsole = named(new ConsoleBox(frameConsole), "txtConsole");
    txtConsole->setModel(m_session->console());
    // ^7 is the games' white, the colour of plain text there; here plain text has the console's
    // own colour, which stays readable on whatever background the administrator chose.
    QList<QColor> codeColours = chatCodeColours();
    codeColours[7] = QColor();
    txtConsole->setCodeColours(codeColours);
    cbCommand = named(new QComboBox(frameConsole), "cbCommand");
    cbCommand->setEditable(true);
    cbCommand->setInsertPolicy(QComboBox::NoInsert);
    cbCommand->setMaxVisibleItems(20);
    frameIngameChat = named(new QFrame(c), "frameIngameChat");
    frameIngameChat->hide();
    for (QFrame *page : {frameConsole, frameIngameChat})
        page->setFrameShape(QFrame::StyledPanel);
    txtIngameChat = named(new ConsoleBox(frameIngameChat), "txtIngameChat");
    // Shown in the tab strip's corner while the chat page is up.
    Command2 = button(c, "Command2", QStringLiteral("Show chat log"));
    Command2->hide();
    txtConsoleCommands = named(new ConsoleBox(c), "txtConsoleCommands");
    txtConsoleCommands->setModel(m_session->replyBuffer());
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

    // Identity other windows read; never shown.
    lblAppNamer = label(c, "lblAppNamer", AppInfo::name());
    lblAppShortNamer = label(c, "lblAppShortNamer", AppInfo::shortName());
    lblAppVersionr = label(c, "lblAppVersionr", AppInfo::version());
    for (QLabel *l : {lblAppNamer, lblAppShortNamer, lblAppVersionr})
        l->hide();
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

// Places every control from the window's inner size in twips: the console grows with the window,
// the right-hand column follows its right edge. Captions are measured, so that a language pack's
// longer texts push their neighbours along instead of being cut.
void frmMain::layoutControls()
{
    if (!m_central)
        return;
    const QWidget *c = m_central;
    const auto px = [this](double twips) { return twipsToPixels(twips, this); };
    const auto tw = [this](int pixels) { return pixelsToTwips(pixels, this); };
    const auto place = [&](QWidget *w, double left, double top, double width, double height) {
        if (w)
            w->setGeometry(px(left), px(top), std::max(0, px(width)), std::max(0, px(height)));
    };
    const auto child
        = [c](const char *name) { return c->findChild<QWidget *>(QLatin1String(name)); };
    const auto hintW = [&](QWidget *w) { return w ? tw(w->sizeHint().width()) : 0.0; };
    const auto hintH = [&](QWidget *w, double atLeast) {
        return w ? std::max(atLeast, tw(w->sizeHint().height())) : atLeast;
    };
    // The status bar stands inside the window's inner height, as the rules count it.
    const double W = pixelsToTwips(c->width(), this);
    const double H = pixelsToTwips(c->height() + (sb1 ? sb1->height() : 0), this);
    const double gap = 90, smallGap = 60;
    const double colLeft = W - 3600, colW = 3480;

    // Connection area along the top, left of the right-hand column.
    {
        QWidget *lblIP = child("lblServerIP"), *lblPort = child("lblServerPORT");
        QWidget *lblRcon = child("lblServerRCON"), *lblName = child("lblServername");
        const double fieldH = hintH(txtServerIP, 330);
        const double buttonH = hintH(cmdConnect, 360);
        const double row1 = 180, row2 = row1 + std::max(fieldH, buttonH) + 120;
        double label1W = std::max(hintW(lblIP), hintW(lblRcon));
        double label2W = std::max(hintW(lblPort), hintW(lblName));
        double buttonW = std::max({1350.0, hintW(cmdConnect), hintW(cmdDisconnect)});
        const double shortW = 1500, ipMin = 1800;
        const double right = colLeft - 240;
        const double stateMin = 2700;
        const double spacing = smallGap + gap * 2 + smallGap + gap * 2 + gap * 2;
        // A language pack's long captions are cut rather than pushing the fields and the connect
        // buttons under the right-hand column.
        fitWidths({&label1W, &label2W, &buttonW},
                  right - 120 - spacing - shortW - ipMin - tw(32) - stateMin / 4, 1200);
        const double fixedW = label1W + label2W + shortW + buttonW + spacing;
        const double ipW = std::clamp(right - 120 - fixedW - stateMin, ipMin, 3300.0);

        double x = 120;
        const double labelDy = (fieldH - hintH(lblIP, 0)) / 2;
        place(lblIP, x, row1 + labelDy, label1W, hintH(lblIP, 0));
        place(lblRcon, x, row2 + labelDy, label1W, hintH(lblRcon, 0));
        x += label1W + smallGap;
        place(txtServerIP, x, row1, ipW, fieldH);
        place(txtServerRCON, x, row2, ipW, fieldH);
        x += ipW + gap * 2;
        place(lblPort, x, row1 + labelDy, label2W, hintH(lblPort, 0));
        place(lblName, x, row2 + labelDy, label2W, hintH(lblName, 0));
        x += label2W + smallGap;
        place(txtServerPORT, x, row1, shortW, fieldH);
        place(txtServername, x, row2, shortW, fieldH);
        x += shortW + gap * 2;
        const double buttonDy = (fieldH - buttonH) / 2;
        place(cmdConnect, x, row1 + buttonDy, buttonW, buttonH);
        place(cmdDisconnect, x, row2 + buttonDy, buttonW, buttonH);
        x += buttonW + gap * 2;

        // The state of the link: icon and caption, or the progress while connecting.
        const double stateW = std::max(0.0, right - x);
        const double iconSide = tw(32);
        const double middle = (row1 + row2 + fieldH) / 2;
        place(imgServerType, x, middle - iconSide / 2, iconSide, iconSide);
        // A long state text wraps onto the second row rather than being cut.
        place(lblServerStatus, x + iconSide + gap, row1, stateW - iconSide - gap,
              row2 + fieldH - row1);
        place(pbConnectProcess, x, middle - 135, stateW, 270);
    }

    // Tab strip and its two pages; the pages draw the strip's frame.
    const double tsW = W - 3800, tsH = H - 3700;
    place(ts1, 120, 1320, tsW, tsH);
    const double pageW = tsW - 80, pageH = tsH - 360;
    place(frameConsole, 140, 1655, pageW, pageH);
    place(frameIngameChat, 140, 1655, pageW, pageH);
    place(txtConsole, 120, 120, pageW - 220, pageH - 850);
    place(cbCommand, 120, 120 + (pageH - 850), pageW - 220, hintH(cbCommand, 345));
    place(txtIngameChat, 120, 120, pageW - 220, pageH - 240);
    // The chat log button sits in the strip's corner, beside the tabs, while its page shows.
    if (Command2) {
        const double tabH = tw(ts1->sizeHint().height());
        const double width = std::max(1350.0, hintW(Command2));
        const double height = std::min(tabH - 30, hintH(Command2, 0));
        place(Command2, 120 + tsW - width, 1320 + (tabH - height) / 2 - 15, width, height);
        Command2->raise();
    }

    // Quick commands under the strip.
    {
        const double top = 1320 + tsH + gap;
        const double h = hintH(cmdStatus, 360);
        double x = 120;
        for (QPushButton *b : {cmdStatus, cmdServerInfo, cmdSystemInfo}) {
            const double width = std::max(1350.0, hintW(b));
            place(b, x, top, width, h);
            if (b->isVisibleTo(this))
                x += width + gap;
        }
        // The automatic screenshots under them, as wide as the tab strip.
        place(frameAutoPBSS, 120, top + h + gap, tsW, hintH(frameAutoPBSS, 700));
    }

    // Right-hand column: players and chat.
    place(frameCommunication, colLeft, 120, colW, 2820);
    {
        const auto in = [&](const char *name, double l, double t, double w, double h) {
            if (auto *w2 = frameCommunication->findChild<QWidget *>(QLatin1String(name)))
                w2->setGeometry(px(l), px(t), std::max(0, px(w)), std::max(0, px(h)));
        };
        const double inner = colW - 240, third = (inner - 2 * gap) / 3, half = (inner - gap) / 2;
        in("lblCommunicationPlayers", 120, 300, inner, 240);
        in("cbCommunicationPlayerList", 120, 560, inner, 330);
        in("cmdCommunicationLoad", 120, 960, third, 345);
        in("cmdCommunicationPlayerInfo", 120 + third + gap, 960, third, 345);
        in("cmdCommunicationAdd", 120 + 2 * (third + gap), 960, third, 345);
        in("lblCommunicationSay", 120, 1440, inner, 240);
        in("cbCommunicationSay", 120, 1700, inner, 330);
        in("cmdCommunicationSend", 120, 2100, half, 345);
        in("cmdCommunicationSendPM", 120 + half + gap, 2100, half, 345);
    }

    // A sub-heading with its rule running on from the end of the caption; the rule's top edge
    // stands 120 twips under the caption's, where the map-restart positions put it.
    const auto heading = [&](QLabel *caption, QFrame *line, double top) {
        const double h = hintH(caption, 240);
        const double width = std::min(colW, hintW(caption));
        place(caption, colLeft, top, width, h);
        place(line, colLeft + width + gap, top + 120, colW - width - gap, 30);
    };
    const double buttonW = 1575, right = colLeft + colW - buttonW;
    heading(lblSubOptions, lineSubOptions, 3060);
    place(cmdOptionsGeneral, colLeft, 3420, buttonW, 345);
    place(cmdOptionsKickcenter, right, 3420, buttonW, 345);
    place(cmdOptionsPB, colLeft, 3840, buttonW, 345);
    place(cmdOptionsSettings, right, 3840, buttonW, 345);
    place(cmdOptionsMaps, colLeft, 4260, buttonW, 345);
    place(cmdOptionsGametype, right, 4260, buttonW, 345);

    // The game's picture and name fill the room the connected layout leaves above map restart.
    place(imgGame, colLeft, 4860, tw(32), tw(32));
    place(lblGame, colLeft + tw(32) + gap, 4860 + (tw(32) - hintH(lblGame, 0)) / 2,
          colW - tw(32) - gap, hintH(lblGame, 0));

    const double restartTop = m_mapRestartConnected ? 5640 : 4560;
    heading(lblSubMapRestart, lineSubMapRestart, restartTop);
    place(cmdRestartMap, colLeft, restartTop + 360, buttonW, 345);
    place(cmdFastRestartMap, right, restartTop + 360, buttonW, 345);
}
