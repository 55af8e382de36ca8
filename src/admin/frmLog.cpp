#include "admin/frmLog.h"

#include "admin/frmLogViewer.h"
#include "config/Language.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramDir.h"
#include "rcon/RconSession.h"
#include "ui/ApplyLanguage.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QSaveFile>
#include <QTime>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QString kCaption = QStringLiteral("Logs");
const char kLogFolder[] = "Logs/Console/";
// Characters no file name may hold on the systems the program runs on; a slash would also put
// the log outside its folder.
const QString kBadNameCharacters = QStringLiteral("\\/:*?\"<>|");

QString logPath(const QString &name)
{
    return programPath(QLatin1String(kLogFolder) + name + QStringLiteral(".log"));
}

QString now()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

bool isFileName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (kBadNameCharacters.contains(c) || c.unicode() < 32)
            return false;
    }
    return true;
}
} // namespace

frmLog::frmLog(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    txtSec = field(this, "txtSec", QStringLiteral("60"));
    txtSave = field(this, "txtSave", QStringLiteral("log1"));
    cmdStart = button(this, "cmdStart", QStringLiteral("Start"));
    cmdStop = button(this, "cmdStop", QStringLiteral("Stop"));
    cmdHide = button(this, "cmdHide", QStringLiteral("Hide"));
    cmdClose = button(this, "cmdClose", QStringLiteral("Close"));
    lstLogs = listBox(this, "lstLogs");
    cmdViewLog = button(this, "cmdViewLog", QStringLiteral("View"));
    cmdRemoveLog = button(this, "cmdRemoveLog", QStringLiteral("Remove"));
    pbProcess = named(new QProgressBar(this), "pbProcess");
    pbProcess->setTextVisible(false);
    pbStatus = named(new QProgressBar(this), "pbStatus");
    pbStatus->setRange(0, 1);
    pbStatus->setValue(0);
    pbStatus->setTextVisible(false);
    lblLastCapture = label(this, "lblLastCapture");
    // A failed write names the whole path, which for a long log name ran far past the screen:
    // the window grew with it and took Stop and Close out of reach. The line keeps the window's
    // width, and its whole text is in the tip.
    lblLastCapture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    txtStatus = named(new ConsoleBox(this), "txtStatus");
    txtStatus->hide();
    tmrSendStatus = timer(this, "tmrSendStatus", 1000);
    tmrStatus = timer(this, "tmrStatus", 1000);
    tmrMain = timer(this, "tmrMain", 100);

    connect(cmdStart, &QPushButton::clicked, this, &frmLog::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmLog::cmdStop_Click);
    connect(cmdHide, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdViewLog, &QPushButton::clicked, this, &frmLog::cmdViewLog_Click);
    connect(cmdRemoveLog, &QPushButton::clicked, this, &frmLog::cmdRemoveLog_Click);
    connect(tmrSendStatus, &QTimer::timeout, this, &frmLog::tmrSendStatus_Timer);
    connect(tmrStatus, &QTimer::timeout, this, &frmLog::tmrStatus_Timer);
    // View and Remove act on the selected log only.
    connect(tmrMain, &QTimer::timeout, this, [this] {
        const bool selected = !selectedLog().isNull();
        cmdViewLog->setEnabled(selected);
        cmdRemoveLog->setEnabled(selected);
    });
    lstLogs->viewport()->installEventFilter(this);

    auto *settings = new QGridLayout;
    settings->addWidget(label(this, "lblSec", QStringLiteral("Seconds:")), 0, 0);
    settings->addWidget(txtSec, 0, 1);
    settings->addWidget(label(this, "lblSave", QStringLiteral("Log name:")), 1, 0);
    settings->addWidget(txtSave, 1, 1);
    settings->addWidget(pbProcess, 2, 0, 1, 2);
    settings->addWidget(pbStatus, 3, 0, 1, 2);
    settings->addWidget(lblLastCapture, 4, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdStart, cmdStop, cmdHide, cmdClose})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(settings, 1);
    top->addLayout(buttons);

    auto *logButtons = new QHBoxLayout;
    logButtons->addStretch(1);
    logButtons->addWidget(cmdViewLog);
    logButtons->addWidget(cmdRemoveLog);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(label(this, "lblViewLogs", QStringLiteral("View logs")));
    layout->addWidget(lstLogs, 1);
    layout->addLayout(logButtons);

    ApplyLanguage(this);
    setLogging(false);
    listLogs();
    cmdViewLog->setEnabled(false);
    cmdRemoveLog->setEnabled(false);
    tmrMain->start();
    resize(360, 420);
}

bool frmLog::isLogging() const
{
    return tmrSendStatus->isActive();
}

void frmLog::listLogs()
{
    lstLogs->clear();
    const QStringList files
        = QDir(programPath(QLatin1String(kLogFolder)))
              .entryList({QStringLiteral("*.log")}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    for (const QString &file : files)
        lstLogs->addItem(file.chopped(4));
}

void frmLog::setLogging(bool on)
{
    txtSec->setEnabled(!on);
    txtSave->setEnabled(!on);
    cmdStart->setEnabled(!on);
    cmdClose->setEnabled(!on);
    cmdStop->setEnabled(on);
}

// Leaving the logging state, by Stop or by a refused Start, makes all four buttons usable.
void frmLog::enableButtons()
{
    for (QPushButton *b : {cmdStart, cmdStop, cmdHide, cmdClose})
        b->setEnabled(true);
}

QString frmLog::selectedLog() const
{
    const QList<QListWidgetItem *> selected = lstLogs->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

// --- capture cycle ---------------------------------------------------------------------------

void frmLog::cmdStart_Click()
{
    bool number = false;
    const int seconds = txtSec->text().trimmed().toInt(&number);
    if (!number || seconds < 1) {
        MsgBox(QStringLiteral("Enter a number in the Seconds box!"), MsgIcon::Critical, kCaption,
               MsgButtons::Ok, this);
        enableButtons();
        return;
    }
    if (!isFileName(txtSave->text())) {
        MsgBox(QStringLiteral("Enter a name for the log. It becomes the file name, so it may not "
                              "hold any of these characters: ")
                   + kBadNameCharacters,
               MsgIcon::Critical, kCaption, MsgButtons::Ok, this);
        enableButtons();
        return;
    }
    m_seconds = seconds;
    m_logName = txtSave->text();
    pbProcess->setRange(0, seconds);
    pbProcess->setValue(0);
    setLogging(true);
    tmrSendStatus->start();
}

void frmLog::cmdStop_Click()
{
    txtSec->setEnabled(true);
    txtSave->setEnabled(true);
    tmrSendStatus->stop();
    pbProcess->setValue(0);
    enableButtons();
}

void frmLog::tmrSendStatus_Timer()
{
    pbProcess->setValue(pbProcess->value() + 1);
    if (pbProcess->value() < m_seconds)
        return;
    // Not connected, the send says so each time and the capture keeps what the console holds.
    m_session->SendCommand(QStringLiteral("status"));
    // Already on (a one-second cycle), the capture keeps its time: started again it would be put
    // off by every request and never come.
    if (!tmrStatus->isActive())
        tmrStatus->start();
    pbProcess->setValue(0);
}

void frmLog::tmrStatus_Timer()
{
    pbStatus->setValue(pbStatus->value() + 1);
    if (pbStatus->value() != 1)
        return;
    txtStatus->setText(m_session->console()->text());
    pbStatus->setValue(0);
    const QString path = logPath(m_logName);
    const QString outcome = writeSnapshot(path) ? QStringLiteral("Last capture: %1").arg(now())
                                                : QStringLiteral("Could not write %1 at %2")
                                                      .arg(QDir::toNativeSeparators(path), now());
    lblLastCapture->setText(outcome);
    lblLastCapture->setToolTip(outcome);
    tmrStatus->stop();
}

// The console holds everything up to and including the reply to the latest "status"; the log
// keeps only the newest snapshot, written whole or not at all.
bool frmLog::writeSnapshot(const QString &path)
{
    const ConsoleText *snapshot = txtStatus->model();
    QDir().mkpath(programPath(QLatin1String(kLogFolder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(snapshot->midBytes(0, snapshot->size()));
    file.write("\r\n");
    return file.commit();
}

// --- logs ------------------------------------------------------------------------------------

bool frmLog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstLogs->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        if (selectedLog().isNull())
            MsgBox(LangText(QStringLiteral("frmLog"), QStringLiteral("SelectLog"),
                            QStringLiteral("Select a log file first!")),
                   MsgIcon::Exclamation, kCaption, MsgButtons::Ok, this);
        else
            cmdViewLog_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmLog::cmdViewLog_Click()
{
    const QString name = selectedLog();
    if (name.isNull())
        return;
    if (!m_viewer) {
        // The viewer outlives the logger when the logger sits in another window.
        m_viewer = new frmLogViewer(parentWidget() ? parentWidget() : this);
    }
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
    m_viewer->showLog(name, logPath(name));
}

void frmLog::cmdRemoveLog_Click()
{
    QListWidgetItem *item = lstLogs->selectedItems().value(0);
    if (!item)
        return;
    const QString path = logPath(item->text());
    if (!QFile::remove(path))
        MsgBox(LangText(QStringLiteral("frmLog"), QStringLiteral("ErrorMessage"),
                        QStringLiteral("Error deleting file.")),
               MsgIcon::Critical, kCaption, MsgButtons::Ok, this);
    // A log that is gone, whoever removed it, leaves the list; one that could not be deleted stays.
    if (!QFile::exists(path))
        delete item;
}
