#include "admin/frmDialogMessagingCenter.h"

#include "admin/MessagingCenterFiles.h"
#include "config/AppInfo.h"
#include "config/Numbers.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"

#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Controls;

namespace {

const QString kCaption = QStringLiteral("Messaging Center");
const QString kErrorTitle = QStringLiteral("Error");
constexpr double kLongestAddedPause = 65.0;
constexpr double kShortestAveragePauseMs = 1000.0;

void keepOnly(QLineEdit *field, const char *allowed)
{
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QLatin1String(allowed)), field));
}

QListWidgetItem *selectedItem(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int selectedRow(const QListWidget *list)
{
    const QListWidgetItem *item = selectedItem(list);
    return item ? list->row(item) : -1;
}

} // namespace

frmDialogMessagingCenter::frmDialogMessagingCenter(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmDialogMessagingCenter"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    tmrMessageSend = timer(this, "tmrMessageSend", 1000);
    connect(tmrMessageSend, &QTimer::timeout, this,
            &frmDialogMessagingCenter::tmrMessageSend_Timer);
    tmrSync = timer(this, "tmrSync", 1);
    connect(tmrSync, &QTimer::timeout, this, &frmDialogMessagingCenter::tmrSync_Timer);

    cmdStart = button(this, "cmdStart", QStringLiteral("Start"));
    cmdStop = button(this, "cmdStop", QStringLiteral("Stop"));
    cmdClear = button(this, "cmdClear", QStringLiteral("Clear"));
    auto *cmdHideMe = button(this, "cmdHideMe", QStringLiteral("Hide me"));
    cmdClose = button(this, "cmdClose", QStringLiteral("Close"));
    connect(cmdStart, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdStop_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdClear_Click);
    connect(cmdHideMe, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdStop);
    buttons->addSpacing(8);
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(cmdHideMe);
    buttons->addWidget(cmdClose);

    auto *files = new QHBoxLayout;
    files->addWidget(buildLoadFrame(), 1);
    files->addWidget(buildSaveFrame(), 1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(buildListFrame(), 0, 0);
    grid->addLayout(buttons, 0, 1, 3, 1);
    grid->addWidget(buildAddFrame(), 1, 0);
    grid->addLayout(files, 2, 0);
    grid->setRowStretch(0, 1);

    setRunning(false);
    listFiles();
    tmrSync->start();
    resize(620, 480);
}

QWidget *frmDialogMessagingCenter::buildListFrame()
{
    auto *frame = named(new QWidget(this), "frameMessages");
    lstMessage = listBox(frame, "lstMessage");
    lstTime = listBox(frame, "lstTime");

    // Row i of both lists is one entry: scrolling either moves the other with it.
    connect(lstMessage->verticalScrollBar(), &QScrollBar::valueChanged,
            lstTime->verticalScrollBar(), &QScrollBar::setValue);
    connect(lstTime->verticalScrollBar(), &QScrollBar::valueChanged,
            lstMessage->verticalScrollBar(), &QScrollBar::setValue);

    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->addWidget(label(frame, "lblListMessage", QStringLiteral("Message:")), 0, 0);
    grid->addWidget(label(frame, "lblListTime", QStringLiteral("Secs till next:")), 0, 1);
    grid->addWidget(lstMessage, 1, 0);
    grid->addWidget(lstTime, 1, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget *frmDialogMessagingCenter::buildAddFrame()
{
    auto *frame = group(this, "frameAddMessage", QStringLiteral("Add Message"));
    txtMessage = field(frame, "txtMessage");
    txtTime = field(frame, "txtTime");
    keepOnly(txtTime, "[0-9.]*");
    txtTime->setMaximumWidth(txtTime->fontMetrics().horizontalAdvance(QStringLiteral("000000"))
                             + 12);
    auto *cmdAdd = button(frame, "cmdAdd", QStringLiteral("Add"));
    connect(cmdAdd, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdAdd_Click);
    connect(txtMessage, &QLineEdit::returnPressed, cmdAdd, &QPushButton::click);

    auto *row = new QHBoxLayout(frame);
    row->addWidget(label(frame, "lblMessage", QStringLiteral("Message:")));
    row->addWidget(txtMessage, 1);
    row->addWidget(label(frame, "lblTime", QStringLiteral("Time:")));
    row->addWidget(txtTime);
    row->addWidget(cmdAdd);
    return frame;
}

QWidget *frmDialogMessagingCenter::buildLoadFrame()
{
    auto *frame = group(this, "frameLoad", QStringLiteral("Load"));
    lstFiles = listBox(frame, "lstFiles");
    lstFiles->setMaximumHeight(lstFiles->fontMetrics().height() * 6);
    auto *cmdLoad = button(frame, "cmdLoad", QStringLiteral("Load"));
    auto *cmdDelete = button(frame, "cmdDelete", QStringLiteral("Delete"));
    connect(cmdLoad, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdLoad_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdDelete_Click);
    connect(lstFiles, &QListWidget::itemDoubleClicked, this,
            &frmDialogMessagingCenter::cmdLoad_Click);

    auto *actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(cmdLoad);
    actions->addWidget(cmdDelete);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(label(frame, "lblLoadFileName", QStringLiteral("File name:")));
    layout->addWidget(lstFiles);
    layout->addLayout(actions);
    return frame;
}

QWidget *frmDialogMessagingCenter::buildSaveFrame()
{
    auto *frame = group(this, "frameSave", QStringLiteral("Save"));
    txtFileName = field(frame, "txtFileName");
    // Only what makes a file name on every system the program runs on.
    keepOnly(txtFileName, "[A-Za-z0-9. ]*");
    auto *cmdSave = button(frame, "cmdSave", QStringLiteral("Save"));
    connect(cmdSave, &QPushButton::clicked, this, &frmDialogMessagingCenter::cmdSave_Click);

    auto *actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(cmdSave);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(label(frame, "lblSaveFileName", QStringLiteral("File name:")));
    layout->addWidget(txtFileName);
    layout->addStretch(1);
    layout->addLayout(actions);
    return frame;
}

bool frmDialogMessagingCenter::isRunning() const
{
    return tmrMessageSend->isActive();
}

void frmDialogMessagingCenter::closeEvent(QCloseEvent *event)
{
    // Any close ends the window and its rotation; only "Hide me" keeps it running.
    emit closed();
    event->accept();
}

void frmDialogMessagingCenter::setRunning(bool running)
{
    cmdStart->setEnabled(!running);
    cmdStop->setEnabled(running);
    cmdClear->setEnabled(!running);
    cmdClose->setEnabled(!running);
    // The rotation walks the selection of the messages; the times only ever follow it.
    lstMessage->setEnabled(!running);
}

void frmDialogMessagingCenter::tmrSync_Timer()
{
    const int row = selectedRow(lstMessage);
    if (row == selectedRow(lstTime))
        return;
    if (row < 0)
        lstTime->clearSelection();
    else
        lstTime->setCurrentRow(row);
}

void frmDialogMessagingCenter::appendEntry(const QString &message, const QString &seconds)
{
    lstMessage->addItem(message);
    lstTime->addItem(seconds);
}

void frmDialogMessagingCenter::armSendTimer(int row)
{
    // A time of 0 sends the next entry straight after this one. Times from a file may be
    // anything: kept within what a timer can hold.
    const auto pauseMs = [this](int i) {
        const QListWidgetItem *time = lstTime->item(i);
        return std::clamp(time ? leadingNumber(time->text()) * 1000.0 : 0.0, 0.0,
                          double(std::numeric_limits<int>::max()));
    };
    double ms = pauseMs(row);
    // A round of zero (or tiny) pauses would send thousands of lines a second for as long as it
    // runs, and a server drops rcon that comes within half a second of the last one: a round
    // faster than a message a second waits at least a second after each message.
    double roundMs = 0.0;
    for (int i = 0; i < lstTime->count(); ++i)
        roundMs += pauseMs(i);
    if (roundMs < kShortestAveragePauseMs * lstTime->count())
        ms = std::max(ms, kShortestAveragePauseMs);
    Clock::setInterval(tmrMessageSend, int(std::lround(ms)));
}

void frmDialogMessagingCenter::listFiles()
{
    lstFiles->clear();
    lstFiles->addItems(savedMessageLists());
}

void frmDialogMessagingCenter::cmdAdd_Click()
{
    QString forgotten = QStringLiteral("You forgot to fill in this field(s):");
    const bool noMessage = txtMessage->text().isEmpty();
    const bool noTime = txtTime->text().isEmpty();
    if (noMessage)
        forgotten += QStringLiteral("\r\n -Message");
    if (noTime)
        forgotten += QStringLiteral("\r\n -Time");
    if (noMessage || noTime) {
        MsgBox(forgotten, MsgIcon::Critical, QStringLiteral("Forgotten fields..."), MsgButtons::Ok,
               this);
        return;
    }
    if (leadingNumber(txtTime->text()) > kLongestAddedPause) {
        MsgBox(QStringLiteral("Don't add a time higher as 65!"), MsgIcon::Exclamation, kCaption,
               MsgButtons::Ok, this);
        return;
    }
    appendEntry(txtMessage->text(), txtTime->text());
}

void frmDialogMessagingCenter::cmdClear_Click()
{
    lstMessage->clear();
    lstTime->clear();
}

void frmDialogMessagingCenter::cmdStart_Click()
{
    if (lstMessage->count() == 0)
        return;
    lstMessage->setCurrentRow(0);
    m_session->SendCommand(QStringLiteral("say ^4|| ^7Auto-Messages ^4ON ||"));
    setRunning(true);
    // The first message goes out after the first entry's own pause.
    armSendTimer(0);
    tmrMessageSend->start();
}

void frmDialogMessagingCenter::cmdStop_Click()
{
    tmrMessageSend->stop();
    m_session->SendCommand(QStringLiteral("say ^4|| ^7Auto-Messages ^4OFF ||"));
    setRunning(false);
}

void frmDialogMessagingCenter::tmrMessageSend_Timer()
{
    const int count = lstMessage->count();
    if (count == 0)
        return;
    int row = lstMessage->currentRow();
    if (row < 0 || row >= count)
        row = 0;
    const QString message = lstMessage->item(row)->text();
    const QString command = ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnAuto"))
                                    == QLatin1String("1")
                                ? QStringLiteral("Say ") + message
                                : QStringLiteral("Say ") + AppInfo::shortName() + QLatin1Char(' ')
                                      + AppInfo::version() + QStringLiteral(" ^4|| ^7") + message;
    // The pause after an entry is that entry's own time; then the next, and round again.
    armSendTimer(row);
    lstMessage->setCurrentRow((row + 1) % count);

    // Sent once the tick is over: a timer does not fire again while its own tick waits on a
    // "not connected" box, and the next tick must come on time and show its own box.
    QMetaObject::invokeMethod(
        this,
        [this, command] {
            if (isRunning()) // not after a Stop that came first
                m_session->SendCommand(command);
        },
        Qt::QueuedConnection);
}

void frmDialogMessagingCenter::cmdSave_Click()
{
    const QString name = txtFileName->text();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Enter a name for the file before saving."), MsgIcon::Exclamation,
               kErrorTitle, MsgButtons::Ok, this);
        return;
    }
    QList<TimedMessage> entries;
    for (int i = 0; i < lstMessage->count(); ++i) {
        const QListWidgetItem *time = lstTime->item(i);
        entries.append({lstMessage->item(i)->text(), time ? time->text() : QString()});
    }
    saveMessageList(messageListPath(name), entries);
}

void frmDialogMessagingCenter::cmdLoad_Click()
{
    const QListWidgetItem *file = selectedItem(lstFiles);
    if (!file) {
        MsgBox(QStringLiteral("Select a file before loading."), MsgIcon::Exclamation, kErrorTitle,
               MsgButtons::Ok, this);
        return;
    }
    const QList<TimedMessage> entries = loadMessageList(messageListPath(file->text()));
    for (const TimedMessage &entry : entries)
        appendEntry(entry.message, entry.seconds);
}

void frmDialogMessagingCenter::cmdDelete_Click()
{
    QListWidgetItem *file = selectedItem(lstFiles);
    if (!file)
        return;
    QFile::remove(messageListPath(file->text()));
    delete file;
    // A second click on Delete must not take the neighbour with it.
    lstFiles->clearSelection();
}
