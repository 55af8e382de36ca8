#include "settings/frmPreferences.h"

#include "config/Language.h"
#include "config/Numbers.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FtpClient.h"
#include "platform/Ini.h"
#include "profiles/ProfileRestore.h"
#include "profiles/frmRestoreDirectory.h"
#include "settings/GameClients.h"
#include "settings/PreferencesTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kSection = QStringLiteral("frmPreferences");

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}
} // namespace

// --- General -------------------------------------------------------------------------------------

void frmPreferences::cmdDefWinSize_Click()
{
    if (m_main && (m_main->isMinimized() || m_main->isMaximized())) {
        MsgBox(LangText(kSection, QStringLiteral("WinSizeError"),
                        QStringLiteral("You can't change the main window size while the main "
                                       "window is minimized or maximized.")),
               MsgIcon::Critical, QStringLiteral("Error"), MsgButtons::Ok, this);
        return;
    }
    emit defaultWindowSizeRequested();
}

void frmPreferences::cmbLanguage_Change()
{
    if (m_loading)
        return;
    MsgBox(LangText(kSection, QStringLiteral("ChangeLang"),
                    QStringLiteral("Changing this option requires restarting the application.")),
           MsgIcon::Information, windowTitle(), MsgButtons::Ok, this);
}

// --- Messages ------------------------------------------------------------------------------------

// The value is kept as read until a colour button is pressed, so that Apply never turns a
// hand-edited value into something else.
void frmPreferences::setPrivateMessageColour(const QString &number)
{
    m_pmColour = number;
    bool ok = false;
    const uint bgr = number.trimmed().toUInt(&ok);
    QPalette p = lblMessagesCurColor->palette();
    if (ok && bgr <= 0xFFFFFF) {
        const QColor colour(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
        p.setColor(QPalette::Window, colour);
        p.setColor(QPalette::WindowText, Controls::readableTextOn(colour));
    } else {
        p = palette();
    }
    lblMessagesCurColor->setPalette(p);
}

// --- Game Directory's ----------------------------------------------------------------------------

void frmPreferences::cmdSetDir_Click(const PrefGameDirectory &row)
{
    const GameClient *client = gameClient(QLatin1String(row.gameKind));
    QLabel *dir = m_directories.value(QLatin1String(row.gameKind));
    if (!client || !dir)
        return;
    const QString chosen
        = askOpenFile(QStringLiteral("Set Directory"), dir->text(), gameProgramFilter(*client));
    if (chosen.isEmpty())
        return;
    // Without the program's name the path keeps its trailing separator, which is how the
    // directory is stored: the name is appended to it again when the game starts.
    dir->setText(QDir::toNativeSeparators(chosen).remove(QLatin1String(client->program)));
}

void frmPreferences::cmdResetDir_Click(const PrefGameDirectory &row)
{
    if (QLabel *dir = m_directories.value(QLatin1String(row.gameKind)))
        dir->clear();
}

// Test starts what Join game would start: the saved directory, not the one shown but not yet
// applied.
void frmPreferences::cmdTestDir_Click(const PrefGameDirectory &row)
{
    const GameClient *client = gameClient(QLatin1String(row.gameKind));
    if (!client)
        return;
    const QString dir = gameDirectory(*client);
    // Nothing saved: a bare program name would be looked for anywhere on the system.
    if (dir.isEmpty())
        return;
    startProgram(gameProgram(*client, dir), consoleModeArguments(), dir);
}

void frmPreferences::tmrGameDir_Timer()
{
    for (const PrefGameDirectory &row : kPrefGameDirectories) {
        const bool set = !m_directories.value(QLatin1String(row.gameKind))->text().isEmpty();
        findChild<QPushButton *>(QLatin1String(row.setButton))->setEnabled(!set);
        findChild<QPushButton *>(QLatin1String(row.resetButton))->setEnabled(set);
        findChild<QPushButton *>(QLatin1String(row.testButton))->setEnabled(set);
    }
}

// --- Console -------------------------------------------------------------------------------------

void frmPreferences::tmrConsoleFunctions_Timer()
{
    for (const PrefTimed &row : kPrefTimed) {
        if (row.page == PrefPage::Console)
            m_sliders.value(QLatin1String(row.slider))
                ->setEnabled(m_checks.value(QLatin1String(row.check))->isChecked());
    }
}

// --- Server --------------------------------------------------------------------------------------

void frmPreferences::cmdFTPSetDir_Click()
{
    emit ftpLogsDirectoryRequested();
}

void frmPreferences::cmdFTPTestConnection_Click()
{
    lblFTPStatus->setText(
        LangText(kSection, QStringLiteral("FTPChecking"), QStringLiteral("Checking")));
    lblFTPStatus->setToolTip(QString());
    setTextColour(lblFTPStatus, palette().color(QPalette::ButtonText));
    cmdFTPTestConnection->setEnabled(false);

    const QString host = m_ftpFields.value(QStringLiteral("txtFTPIP"))->text().trimmed();
    if (host.isEmpty()) {
        ftpTestFinished(false);
        return;
    }
    if (!m_ftp) {
        m_ftp = new FtpClient(this);
        m_ftp->setObjectName(QStringLiteral("inetFTP"));
        connect(m_ftp, &FtpClient::finished, this, &frmPreferences::ftpTestFinished);
    }
    m_ftp->cancel();
    m_ftp->setRemoteHost(host);
    m_ftp->setRemotePort(
        int(leadingNumber(m_ftpFields.value(QStringLiteral("txtFTPPort"))->text())));
    m_ftp->setRequestTimeout(20);
    m_ftp->setUserName(m_ftpFields.value(QStringLiteral("txtFTPUsername"))->text());
    m_ftp->setPassword(m_ftpFields.value(QStringLiteral("txtFTPPassword"))->text());
    m_ftp->list();
}

// The server listed its directory, or it did not: the status says which, and why not.
void frmPreferences::ftpTestFinished(bool ok)
{
    if (ok) {
        lblFTPStatus->setText(QStringLiteral("ONLINE"));
        setTextColour(lblFTPStatus, QColor(0x00, 0xC0, 0x00));
    } else {
        const QString why = m_ftp && m_ftp->failure() != FtpClient::Failure::None
                                ? m_ftp->errorString()
                                : QStringLiteral("no FTP address");
        lblFTPStatus->setText(QStringLiteral("OFFLINE - ") + why);
        lblFTPStatus->setToolTip(why);
        setTextColour(lblFTPStatus, QColor(0xC0, 0x00, 0x00));
    }
    cmdFTPTestConnection->setEnabled(true);
}

// --- restoring the profiles of an older installation ---------------------------------------------

void frmPreferences::cmdSetProDir_Click()
{
    if (!m_restoreDirectory) {
        m_restoreDirectory = new frmRestoreDirectory(this);
        connect(m_restoreDirectory, &frmRestoreDirectory::chosen, lblProDir, &QLabel::setText);
    }
    m_restoreDirectory->show();
    m_restoreDirectory->raise();
    m_restoreDirectory->activateWindow();
}

void frmPreferences::cmdOldProfs_Click()
{
    lstOldProfs->clear();
    const QString dir = lblProDir->text();
    const QStringList names = ProfileRestore::oldProfiles(dir);
    if (names.isEmpty()) {
        MsgBox(QStringLiteral("No profiles\r\n") + ProfileRestore::oldProfilesFolder(dir),
               MsgIcon::Exclamation, QStringLiteral("No profiles"), MsgButtons::Ok, this);
        return;
    }
    lstOldProfs->addItems(names);
}

void frmPreferences::cmdCopyProfs_Click()
{
    QStringList names;
    for (int i = 0; i < lstOldProfs->count(); ++i)
        names << lstOldProfs->item(i)->text();
    ProfileRestore::restore(lblProDir->text(), names);
    MsgBox(QStringLiteral("All profiles are restored succesfully"), MsgIcon::Information,
           QStringLiteral("Restore Done"), MsgButtons::Ok, this);
}
