#include "admin/frmIngame.h"

#include "config/AppInfo.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/KeyState.h"
#include "platform/OnTop.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"
#include "rcon/StatusTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Controls;

namespace {
constexpr int kEscape = 27; // virtual-key number

QString selectPlayerTitle()
{
    return QStringLiteral("Select player...");
}
} // namespace

frmIngame::frmIngame(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_keys(std::make_unique<KeyState>())
{
    setObjectName(QStringLiteral("frmIngame"));
    setWindowTitle(AppInfo::shortName() + QStringLiteral(" Ingame"));
    // A stale player list must not outlive the window: the next one fetches "status" anew.
    setAttribute(Qt::WA_DeleteOnClose);

    menuBar = named(new QMenuBar(this), "menuBar");
    mnuOptions = named(menuBar->addAction(QStringLiteral("Options")), "mnuOptions");
    mnuOptions->setEnabled(false);
    connect(mnuOptions, &QAction::triggered, this, &frmIngame::mnuOptions_Click);

    txtName = field(this, "txtName", session->adminName());
    txtSay = comboBox(this, "txtSay", true);
    txtSay->setMinimumContentsLength(32);
    auto *Command4 = button(this, "Command4", QStringLiteral("Send"));
    cbAddNick = comboBox(this, "cbAddNick");
    cbAddNick->setMinimumContentsLength(20);
    lstAddID = listBox(this, "lstAddID");
    lstAddID->hide();
    auto *cmdAddNick = button(this, "cmdAddNick", QStringLiteral("Add"));
    cmdAddNick->setToolTip(QStringLiteral("This will add the selected name to the say rule"));
    // A click on Add leaves the focus in the message, ready for the rest of the line.
    cmdAddNick->setFocusPolicy(Qt::TabFocus);
    auto *cmdLoadPList = button(this, "cmdLoadPList", QStringLiteral("Load player list"));
    auto *cmdSendPM = button(this, "cmdSendPM", QStringLiteral("Send PM"));
    auto *cmdKickPL = button(this, "cmdKickPL", QStringLiteral("Kick"));
    auto *cmdBanPL = button(this, "cmdBanPL", QStringLiteral("Ban"));
    auto *cmdQuit = button(this, "cmdQuit", QStringLiteral("Hide"));

    tmrLoadList = timer(this, "tmrLoadList", 1000);
    tmrIDSelect = timer(this, "tmrIDSelect", 100);
    tmrShortKey = timer(this, "tmrShortKey", kEscapePollMs);

    // Typing here renames the administrator in the main window's announcements at once.
    connect(txtName, &QLineEdit::textChanged, session, &RconSession::setAdminName);
    connect(Command4, &QPushButton::clicked, this, &frmIngame::Command4_Click);
    connect(txtSay->lineEdit(), &QLineEdit::returnPressed, this, &frmIngame::Command4_Click);
    connect(cmdSendPM, &QPushButton::clicked, this, &frmIngame::cmdSendPM_Click);
    connect(cmdKickPL, &QPushButton::clicked, this, [this] {
        removePlayer(QStringLiteral("kick"), QStringLiteral("Select a player to kick."));
    });
    connect(cmdBanPL, &QPushButton::clicked, this, [this] {
        removePlayer(QStringLiteral("banUser"), QStringLiteral("Select a player to ban."));
    });
    connect(cmdAddNick, &QPushButton::clicked, this, &frmIngame::cmdAddNick_Click);
    connect(cmdLoadPList, &QPushButton::clicked, this, &frmIngame::cmdLoadPList_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(tmrLoadList, &QTimer::timeout, this, &frmIngame::tmrLoadList_Timer);
    connect(tmrIDSelect, &QTimer::timeout, this, &frmIngame::tmrIDSelect_Timer);
    connect(tmrShortKey, &QTimer::timeout, this, &frmIngame::tmrShortKey_Timer);

    auto *grid = new QGridLayout;
    grid->addWidget(label(this, "lblName", QStringLiteral("Name:")), 0, 0);
    grid->addWidget(txtName, 0, 1);
    grid->addWidget(txtSay, 1, 0, 1, 2);
    grid->addWidget(Command4, 1, 2);
    grid->addWidget(cbAddNick, 2, 0, 1, 2);
    grid->addWidget(cmdAddNick, 2, 2);
    grid->setColumnStretch(1, 1);
    auto *players = new QHBoxLayout;
    players->addWidget(cmdLoadPList);
    players->addStretch(1);
    players->addWidget(cmdSendPM);
    players->addWidget(cmdKickPL);
    players->addWidget(cmdBanPL);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(label(this, "lblEscape", QStringLiteral("Press ESC to exit.")), 1);
    bottom->addWidget(cmdQuit);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(grid);
    layout->addLayout(players);
    layout->addLayout(bottom);

    SetOnTop(this, true);
    txtSay->setFocus(); // called up in the middle of a game, it is there to say something

    m_keys->refresh();
    m_escapeWasDown = m_keys->isDown(kEscape); // an Escape still held from before is no press
    tmrIDSelect->start();
    if (m_keys->isAvailable())
        tmrShortKey->start();
}

frmIngame::~frmIngame() = default;

void frmIngame::setOptionsMenu(QMenu *menu)
{
    m_optionsMenu = menu;
    mnuOptions->setEnabled(menu != nullptr);
}

// Where no global keyboard can be read, Escape still closes the window that has the focus.
void frmIngame::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmIngame::tmrShortKey_Timer()
{
    m_keys->refresh();
    const bool down = m_keys->isDown(kEscape);
    const bool pressed = down && !m_escapeWasDown;
    m_escapeWasDown = down;
    if (pressed)
        close();
}

void frmIngame::mnuOptions_Click()
{
    if (!m_optionsMenu)
        return;
    const QRect item = menuBar->actionGeometry(mnuOptions);
    m_optionsMenu->popup(menuBar->mapToGlobal(item.bottomLeft()));
}

// --- players ---------------------------------------------------------------------------------

// The console, emptied first, holds the echo and the reply by the timer's first tick.
void frmIngame::cmdLoadPList_Click()
{
    m_session->console()->clear();
    cbAddNick->clear();
    lstAddID->clear();
    m_session->SendCommand(QStringLiteral("status"));
    tmrLoadList->start();
}

void frmIngame::tmrLoadList_Timer()
{
    if (++m_loadTicks != 1)
        return;
    for (const StatusRow &row : parseStatusTable(m_session->console()->text())) {
        lstAddID->addItem(row.slot);
        cbAddNick->addItem(row.name);
    }
    // Nobody is picked until the administrator picks: a kick must never hit the first player by
    // accident.
    cbAddNick->setCurrentIndex(-1);
    tmrLoadList->stop();
    m_loadTicks = 0;
}

void frmIngame::tmrIDSelect_Timer()
{
    const int picked = cbAddNick->currentIndex();
    if (picked >= 0 && lstAddID->currentRow() != picked)
        lstAddID->setCurrentRow(picked);
}

bool frmIngame::playerPicked(const QString &why)
{
    if (cbAddNick->currentIndex() >= 0)
        return true;
    MsgBox(why, MsgIcon::Information, selectPlayerTitle(), MsgButtons::Ok, this);
    return false;
}

// --- messages --------------------------------------------------------------------------------

void frmIngame::Command4_Click()
{
    const QString message = txtSay->currentText();
    const QString name = txtName->text();
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnSend"))
        == QLatin1String("1"))
        m_session->SendCommand(QStringLiteral("Say ^4") + name + QStringLiteral(" says: ^7")
                               + message);
    else
        m_session->SendCommand(QStringLiteral("Say ^7") + AppInfo::shortName() + QLatin1Char(' ')
                               + AppInfo::version() + QStringLiteral(" ^4|| ") + name
                               + QStringLiteral(" says: ^7") + message);
    txtSay->addItem(message);
    txtSay->setCurrentIndex(-1);
    txtSay->clearEditText();
    txtSay->setFocus();
}

// The client number is read row for row with the picked name, so a click within tmrIDSelect's
// 100 ms still reaches the player picked.
void frmIngame::cmdSendPM_Click()
{
    if (!playerPicked(QStringLiteral("Select a player to send the PM to.")))
        return;
    const QListWidgetItem *slot = lstAddID->item(cbAddNick->currentIndex());
    m_session->SendCommand(QStringLiteral("tell ") + (slot ? slot->text() : QString())
                           + QStringLiteral(" ^3") + txtSay->currentText());
}

void frmIngame::removePlayer(const QString &keyword, const QString &noSelection)
{
    if (!playerPicked(noSelection))
        return;
    const QString quoted = quotedOrRefused(cbAddNick->currentText(), this);
    if (!quoted.isEmpty())
        m_session->SendCommand(keyword + QLatin1Char(' ') + quoted);
}

void frmIngame::cmdAddNick_Click()
{
    txtSay->setEditText(txtSay->currentText() + cbAddNick->currentText() + QStringLiteral("^7"));
    txtSay->setFocus();
}
