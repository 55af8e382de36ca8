#include "mainwindow/ConnectionPanel.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/Icons.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/UdpLink.h"
#include "rcon/ConnectionSequence.h"
#include "rcon/Games.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

ConnectionPanel::ConnectionPanel(frmMain *main, RconSession *session, ConnectionSequence *sequence)
    : QObject(main)
    , m_main(main)
    , m_session(session)
{
    setObjectName(QStringLiteral("connectionPanel"));
    bindFields();

    connect(main->cmdConnect, &QPushButton::clicked, sequence,
            &ConnectionSequence::connectToServer);
    connect(main->cmdDisconnect, &QPushButton::clicked, sequence,
            &ConnectionSequence::disconnectFromServer);
    connect(main->mnuFileConnect, &QAction::triggered, sequence,
            &ConnectionSequence::connectToServer);
    connect(main->mnuFileDisconnect, &QAction::triggered, sequence,
            &ConnectionSequence::disconnectFromServer);
    // Connect-on-select: a profile arms it once; it connects when the profile's fields are in.
    connect(main->tmrCOS, &QTimer::timeout, sequence, [main, sequence] {
        main->tmrCOS->stop();
        sequence->connectToServer();
    });

    connect(sequence, &ConnectionSequence::started, this, [main] {
        main->pbConnectProcess->show();
        main->imgServerType->hide();
        main->lblServerStatus->hide();
        main->tmrConsoleClear->stop();
        main->tmrConsoleStatus->stop();
    });
    connect(sequence, &ConnectionSequence::progressChanged, main->pbConnectProcess,
            &QProgressBar::setValue);
    connect(sequence, &ConnectionSequence::panelText, this, [this](int panel, const QString &text) {
        if (panel == 1)
            m_unreachable = false; // the new state replaces the note; nothing to give back later
        m_main->sb1->setText(panel, text);
    });
    connect(sequence, &ConnectionSequence::linkIcon, this, &ConnectionPanel::setLinkIcon);
    connect(sequence, &ConnectionSequence::serverStatusText, main->lblServerStatus,
            &QLabel::setText);
    connect(sequence, &ConnectionSequence::notConnectedLayout, this, [this](bool menuIcons) {
        showNotConnectedLayout();
        if (menuIcons)
            Icons::setMenuIcons(m_main, QStringLiteral("noco"));
    });
    connect(sequence, &ConnectionSequence::gameDetected, this, &ConnectionPanel::showGame);
    connect(sequence, &ConnectionSequence::titleSuffix, this, &ConnectionPanel::setTitleSuffix);
    connect(sequence, &ConnectionSequence::finishing, this, [main] {
        main->pbConnectProcess->hide();
        main->imgServerType->show();
        main->lblServerStatus->show();
    });
    connect(sequence, &ConnectionSequence::finished, this, [main] {
        if (main->commandLine)
            main->commandLine->armConsoleTimers();
    });
    connect(sequence, &ConnectionSequence::disconnected, this, [main] {
        main->tmrConsoleClear->stop();
        main->tmrConsoleStatus->stop();
    });

    connect(session->link(), &UdpLink::reachableChanged, this, &ConnectionPanel::showReachable);
    connect(session, &RconSession::punkBusterChanged, this, &ConnectionPanel::setPunkBusterEnabled);
    connect(session, &RconSession::joinPasswordChanged, main->sb1,
            [main](const QString &password) { main->sb1->setTag(2, password); });
    connect(session, &RconSession::stripColoursChanged, main->ckColorNames, &QCheckBox::setChecked);
    connect(main->ckColorNames, &QCheckBox::toggled, session, &RconSession::setStripColours);
    connect(session, &RconSession::profileChanged, main->sb1, [main](const QString &profile) {
        const QString shown = profile.isEmpty() ? QStringLiteral("none") : profile;
        main->sb1->setText(5, QStringLiteral("Profile: ") + shown + QLatin1Char(' '));
        main->sb1->setTag(5, profile);
    });
}

// The four boxes and the session hold the same texts: typing changes the session at once (a
// password corrected after connecting is used by the next command), and a loaded profile or
// "/clearall" shows in the boxes.
void ConnectionPanel::bindFields()
{
    const struct
    {
        QLineEdit *box;
        QString (RconSession::*get)() const;
        void (RconSession::*set)(const QString &);
    } fields[] = {
        {m_main->txtServerIP, &RconSession::address, &RconSession::setAddress},
        {m_main->txtServerPORT, &RconSession::port, &RconSession::setPort},
        {m_main->txtServerRCON, &RconSession::password, &RconSession::setPassword},
        {m_main->txtServername, &RconSession::adminName, &RconSession::setAdminName},
    };
    for (const auto &f : fields) {
        f.box->setText((m_session->*f.get)());
        connect(f.box, &QLineEdit::textChanged, m_session,
                [session = m_session, set = f.set](const QString &t) { (session->*set)(t); });
        connect(m_session, &RconSession::fieldsChanged, f.box,
                [session = m_session, box = f.box, get = f.get] {
                    const QString value = (session->*get)();
                    if (box->text() != value)
                        box->setText(value);
                });
    }
}

void ConnectionPanel::setLinkIcon(const QString &state)
{
    // Closing the link clears the unreachable note; it must not bring back the icon and text of
    // before over the outcome or the disconnect shown now.
    m_unreachable = false;
    const QIcon icon = state == QLatin1String("connected") ? Icons::connected()
                       : state == QLatin1String("error")   ? Icons::error()
                                                           : Icons::notConnected();
    m_main->sb1->setIcon(1, icon, state);
    Icons::show(m_main->imgServerType, state);
}

void ConnectionPanel::setPunkBusterEnabled(bool on)
{
    m_main->cmdOptionsPB->setEnabled(on);
    m_main->mnuOptionsPunkbuster->setEnabled(on);
    if (m_main->mnuTrayPunkbuster)
        m_main->mnuTrayPunkbuster->setEnabled(on);
}

void ConnectionPanel::showNotConnectedLayout()
{
    frmMain *m = m_main;
    m->cmdOptionsSettings->hide();
    m->cmdOptionsMaps->hide();
    m->cmdOptionsGametype->hide();
    m->lblGame->hide();
    m->imgGame->hide();
    m->setMapRestartConnected(false);
    m->mnuOptionsWarCenter->setEnabled(true);
}

void ConnectionPanel::showGame(const QString &kind)
{
    frmMain *m = m_main;
    QMenu *menus[] = {m->mnuOptionsCoD, m->mnuOptionsCoDUO, m->mnuOptionsCoD2, m->mnuOptionsCoD4};
    const auto enableMenu = [](QMenu *menu, bool on) {
        menu->setEnabled(on);
        menu->menuAction()->setEnabled(on);
    };
    const GameInfo *game = gameByKind(kind);
    if (!game) {
        // Not one of ours: the window stays connected, with every game's dialogs on offer and no
        // buttons that would pick one of them.
        m->lblGame->hide();
        m->imgGame->hide();
        m->cmdOptionsSettings->hide();
        m->cmdOptionsMaps->hide();
        m->cmdOptionsGametype->hide();
        m->setMapRestartConnected(false);
        m->cmdSystemInfo->show();
        m->cmdFastRestartMap->show();
        for (QMenu *menu : menus)
            enableMenu(menu, true);
        return;
    }
    m->lblGame->setText(QLatin1String(game->caption));
    m->lblGame->show();
    Icons::show(m->imgGame, kind);
    m->imgGame->show();
    m->cmdSystemInfo->setVisible(game->extraButtons);
    m->cmdFastRestartMap->setVisible(game->extraButtons);
    const int index = gameIndex(kind);
    for (int i = 0; i < 4; ++i)
        enableMenu(menus[i], i == index);
    m->cmdOptionsSettings->show();
    m->cmdOptionsMaps->show();
    m->cmdOptionsGametype->show();
    Icons::setMenuIcons(m, kind);
    m->setMapRestartConnected(true);
    // The War Center's match set-up speaks the older games' commands only.
    m->mnuOptionsWarCenter->setEnabled(kind != QLatin1String("cod4"));
}

void ConnectionPanel::setTitleSuffix(const QString &suffix)
{
    m_main->setWindowTitle(AppInfo::name() + QLatin1Char(' ') + AppInfo::version() + suffix);
}

// A server that answers "port unreachable" is down or restarting: the status bar says so until
// its next datagram, and then shows again what it showed before.
void ConnectionPanel::showReachable(bool reachable)
{
    StatusPanels *bar = m_main->sb1;
    if (!reachable) {
        if (m_unreachable)
            return;
        m_unreachable = true;
        m_savedText = bar->text(1);
        m_savedIcon = bar->iconName(1);
        bar->setText(1, LangText(QStringLiteral("StatusMessages"), QStringLiteral("Unreachable"),
                                 QStringLiteral("Server unreachable: waiting for it to answer..."))
                            + QLatin1Char(' '));
        bar->setIcon(1, Icons::error(), QStringLiteral("error"));
        return;
    }
    if (!m_unreachable)
        return;
    m_unreachable = false;
    bar->setText(1, m_savedText);
    bar->setIcon(1, Icons::byName(m_savedIcon), m_savedIcon);
}
