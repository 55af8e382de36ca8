#include "admin/frmFTPLogDir.h"

#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FtpClient.h"
#include "ui/ApplyLanguage.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QLatin1String kLogFile("games_mp.log");
const int kChunk = 4096;
} // namespace

frmFTPLogDir::frmFTPLogDir(const FtpLogin &login, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmFTPLogDir"));
    setWindowTitle(QStringLiteral("FTP log directory"));
    // Opened again, the walk starts over at the top with the details typed by then.
    setAttribute(Qt::WA_DeleteOnClose);

    auto *lblRemoteFile = label(this, "lblRemoteFile", QStringLiteral("Remote Files"));
    lstRemoteFile = listBox(this, "lstRemoteFile");
    lblDir = label(this, "lblDir");
    lblDir->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblStatus = label(this, "lblStatus");
    lblStatus->setWordWrap(true);
    lblExplain = label(this, "lblExplain", QStringLiteral("Search for the file games_mp.log."));
    auto *cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    inetFTP = new FtpClient(this); // named inetFTP by itself

    // Closing drops a running transfer with the client.
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    // Only a double-click walks: where the style activates items on a single click, a stray
    // click must not start a transfer.
    connect(lstRemoteFile, &QListWidget::itemDoubleClicked, this,
            &frmFTPLogDir::lstRemoteFile_DblClick);
    connect(inetFTP, &FtpClient::stateChanged, this, &frmFTPLogDir::inetFTP_StateChanged);
    connect(inetFTP, &FtpClient::failed, this,
            [this](FtpClient::Failure, const QString &message) { inetFTP_Failed(message); });
    connect(inetFTP, &FtpClient::finished, this, &frmFTPLogDir::inetFTP_Finished);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(cmdCancel, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblExplain);
    layout->addWidget(lblRemoteFile);
    layout->addWidget(lstRemoteFile, 1);
    layout->addWidget(lblDir);
    layout->addLayout(bottom);
    resize(380, 420);

    ApplyLanguage(this);

    inetFTP->setRemoteHost(login.host.trimmed());
    inetFTP->setRemotePort(login.port);
    inetFTP->setUserName(login.user);
    inetFTP->setPassword(login.password);
    inetFTP->setRequestTimeout(qMax(1, Clock::scaled(kRequestTimeoutMs) / 1000));
    lblDir->setText(QStringLiteral("/"));
    if (login.host.trimmed().isEmpty()) {
        // Told once the window stands, so that the box has its window.
        QTimer::singleShot(0, this, [this] {
            inetFTP_Failed(QStringLiteral("No FTP address: type the game server's FTP address "
                                          "in the preferences first."));
        });
        return;
    }
    inetFTP->list();
}

QStringList frmFTPLogDir::listingEntries(const QByteArray &reply)
{
    QStringList entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < reply.size(); ++i) {
        const char c = reply.at(i);
        if (c != '\r' && c != '\n')
            continue;
        const QByteArray line = reply.mid(start, i - start).trimmed();
        if (c == '\r' && i + 1 < reply.size() && reply.at(i + 1) == '\n')
            ++i;
        start = i + 1;
        if (!line.isEmpty())
            entries << FtpClient::entryNames(line);
    }
    return entries;
}

void frmFTPLogDir::inetFTP_StateChanged(int state)
{
    const QString text = FtpClient::stateText(state);
    if (!text.isEmpty())
        lblStatus->setText(text);
    else if (state == FtpClient::ResponseCompleted && !m_changingDirectory)
        showListing();
}

// The reply is read as it was always read, in pieces until an empty one.
void frmFTPLogDir::showListing()
{
    QByteArray reply;
    for (QByteArray chunk = inetFTP->readChunk(kChunk); !chunk.isEmpty();
         chunk = inetFTP->readChunk(kChunk))
        reply += chunk;
    lstRemoteFile->addItems(listingEntries(reply));
}

void frmFTPLogDir::inetFTP_Failed(const QString &message)
{
    if (m_changingDirectory)
        lblDir->setText(m_dirBefore);
    lblStatus->setText(message);
    MsgBox(message, MsgIcon::Critical, windowTitle(), MsgButtons::Ok, this);
}

void frmFTPLogDir::inetFTP_Finished(bool ok)
{
    if (!m_changingDirectory)
        return;
    m_changingDirectory = false;
    if (!ok)
        return; // the old listing stays to choose from
    lstRemoteFile->clear();
    inetFTP->list();
    lblStatus->setText(QStringLiteral("Connected"));
}

void frmFTPLogDir::lstRemoteFile_DblClick(QListWidgetItem *item)
{
    if (!item || inetFTP->isBusy())
        return;
    const QString entry = item->text();
    if (entry.endsWith(QLatin1Char('/'))) {
        if (!inetFTP->changeDirectory(entry))
            return;
        m_changingDirectory = true;
        m_dirBefore = lblDir->text();
        lblDir->setText(m_dirBefore + entry);
    } else if (entry == kLogFile) {
        emit logsDirectoryChosen(lblDir->text());
        close();
    }
}
