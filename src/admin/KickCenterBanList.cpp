#include "admin/KickCenterBanList.h"

#include "admin/SaveLoadText.h"
#include "config/Language.h"
#include "config/Numbers.h"
#include "config/Profiles.h"
#include "platform/ConsoleBox.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FtpClient.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QString kBanListTitle = QStringLiteral("Get Banlist");
const char kLocalBanFile[] = "Tempfiles/ban.txt";
constexpr int kRequestTimeoutSeconds = 20;
// The ban file opens with two lines about the file itself; the bans follow.
constexpr int kBanFileHeaderLines = 2;

// The server keeps its ban file beside its log, in the directory the profile names as its logs
// directory ("/main/", "\main"; empty: the directory the FTP login starts in).
QString remoteBanFile(const QString &logsDirectory)
{
    QString dir = logsDirectory.trimmed();
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("ban.txt");
}

// [KickCenter] BanListReload in \Preferences.ini, off unless set to "1". Each Get Banlist adds
// the file's lines, split at CR LF, to what the list already shows. With the key set, the list
// shows just the file fetched last: it is emptied first, a lone LF (servers on Linux) ends a line
// too, and the empty piece after the last line end is left out.
bool banListReload()
{
    return ReadPref(QStringLiteral("KickCenter"), QStringLiteral("BanListReload"))
           == QLatin1String("1");
}
} // namespace

KickCenterBanList::KickCenterBanList(RconSession *session, QWidget *parent)
    : QFrame(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frameUnban"));

    txtUnbanName = field(this, "txtUnbanName");
    auto *cmdUnbanName = button(this, "cmdUnbanName", QStringLiteral("Unban name"));
    lstBans = listBox(this, "lstBans");
    cmdGetBanList = button(this, "cmdGetBanList", QStringLiteral("Get Banlist"));
    lblBanListStatus = label(this, "lblBanListStatus");
    txtBans = named(new ConsoleBox(this), "txtBans");
    txtBans->hide();
    inetFTP = named(new FtpClient(this), "inetFTP");

    connect(cmdUnbanName, &QPushButton::clicked, this, &KickCenterBanList::cmdUnbanName_Click);
    connect(txtUnbanName, &QLineEdit::returnPressed, this, &KickCenterBanList::cmdUnbanName_Click);
    connect(cmdGetBanList, &QPushButton::clicked, this, &KickCenterBanList::cmdGetBanList_Click);
    // A ban picked in the list is the name to unban; the administrator may still edit it.
    connect(lstBans, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { txtUnbanName->setText(item->text()); });
    connect(inetFTP, &FtpClient::stateChanged, this, [this](int state) {
        const QString text = FtpClient::stateText(state);
        if (!text.isEmpty())
            lblBanListStatus->setText(text);
    });
    connect(inetFTP, &FtpClient::failed, this, [this](FtpClient::Failure, const QString &message) {
        lblBanListStatus->setText(message);
        MsgBox(QStringLiteral("The ban list could not be fetched.\r\n\r\n") + message,
               MsgIcon::Critical, kBanListTitle, MsgButtons::Ok, window());
    });
    connect(inetFTP, &FtpClient::finished, this, &KickCenterBanList::transferFinished);

    auto *unban = new QHBoxLayout;
    unban->addWidget(label(this, "lblUnbanName", QStringLiteral("Name:")));
    unban->addWidget(txtUnbanName, 1);
    unban->addWidget(cmdUnbanName);
    auto *fetch = new QHBoxLayout;
    fetch->addWidget(cmdGetBanList);
    fetch->addWidget(lblBanListStatus, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(unban);
    layout->addWidget(label(this, "lblBans", QStringLiteral("Ban list:")));
    layout->addWidget(lstBans, 1);
    layout->addLayout(fetch);
}

void KickCenterBanList::cmdUnbanName_Click()
{
    const QString name = txtUnbanName->text();
    if (name.isEmpty()) {
        MsgBox(LangText(QStringLiteral("frmDialogKickCenter"), QStringLiteral("UnbanError"),
                        QStringLiteral("Type or select a username to unban.")),
               MsgIcon::Critical, QStringLiteral("Unban"), MsgButtons::Ok, window());
        return;
    }
    const QString quoted = quotedOrRefused(name, window());
    if (!quoted.isEmpty())
        m_session->SendCommand(QStringLiteral("unbanuser ") + quoted);
}

void KickCenterBanList::cmdGetBanList_Click()
{
    const QString profile = m_session->profile();
    if (profile.isEmpty()) {
        MsgBox(QStringLiteral("The ban list is fetched with the FTP settings of a server "
                              "profile. Load the server's profile first."),
               MsgIcon::Exclamation, kBanListTitle, MsgButtons::Ok, window());
        return;
    }
    const QString prefs = Profiles::preferencesFile(profile);
    const QString section = QStringLiteral("FTP Settings");
    const QString host = ReadIni(prefs, section, QStringLiteral("IP")).trimmed();
    if (host.isEmpty()) {
        MsgBox(QStringLiteral("The profile \"%1\" has no FTP address. Enter the server's FTP "
                              "settings in the preferences first.")
                   .arg(profile),
               MsgIcon::Exclamation, kBanListTitle, MsgButtons::Ok, window());
        return;
    }
    inetFTP->setRemoteHost(host);
    inetFTP->setRemotePort(int(leadingNumber(ReadIni(prefs, section, QStringLiteral("Port")))));
    inetFTP->setUserName(ReadIni(prefs, section, QStringLiteral("Username")));
    inetFTP->setPassword(ReadIni(prefs, section, QStringLiteral("Password")));
    inetFTP->setRequestTimeout(kRequestTimeoutSeconds);
    m_remoteBanFile = remoteBanFile(ReadIni(prefs, section, QStringLiteral("LogsDirectory")));
    // DIR, then GET of the ban file; the list is filled when the transfer has finished, and the
    // window keeps working meanwhile.
    m_listing = inetFTP->list();
    if (m_listing)
        cmdGetBanList->setEnabled(false);
}

void KickCenterBanList::transferFinished(bool ok)
{
    if (ok && m_listing) {
        m_listing = false;
        if (inetFTP->get(m_remoteBanFile, programPath(QLatin1String(kLocalBanFile))))
            return;
    }
    m_listing = false;
    cmdGetBanList->setEnabled(true);
    if (ok)
        listBans();
    // else the failure has been told; the list keeps what it showed
}

void KickCenterBanList::listBans()
{
    txtBans->setText(LoadTextFile(programPath(QLatin1String(kLocalBanFile)), window()));
    QString text = txtBans->text();
    QStringList lines;
    if (banListReload()) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines = text.split(QLatin1Char('\n'));
        if (lines.constLast().isEmpty())
            lines.removeLast();
        lstBans->clear();
    } else {
        lines = text.split(QStringLiteral("\r\n"));
    }
    lstBans->addItems(lines.mid(kBanFileHeaderLines));
    lblBanListStatus->setText(QStringLiteral("Bans: %1").arg(lstBans->count()));
}
