#include "admin/frmDialogExecConfig.h"

#include "admin/frmDialogExecConfigFiles.h"
#include "platform/ConsoleBox.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rcon/RconSession.h"
#include "ui/ApplyLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QString kChoose = QStringLiteral("Choose a configfile...");
const QString kDirRule = QStringLiteral("---------------");
} // namespace

frmDialogExecConfig::frmDialogExecConfig(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmDialogExecConfig"));
    setWindowTitle(QStringLiteral("Set config"));
    // Executing closes the window; opened again, it starts from its first entry.
    setAttribute(Qt::WA_DeleteOnClose);

    cbConfigs = comboBox(this, "cbConfigs");
    cbConfigs->setMinimumContentsLength(28);
    cbConfigs->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto *cmdGetConfigs = button(this, "cmdGetConfigs", QStringLiteral("Retrieve"));
    cmdSetConfig = button(this, "cmdSetConfig", QStringLiteral("Execute"));
    txtConfigs = named(new ConsoleBox(this), "txtConfigs");
    txtConfigs->hide();
    tmrSet = timer(this, "tmrSet", 1000);
    tmrCheck = timer(this, "tmrCheck", 10);

    connect(cmdGetConfigs, &QPushButton::clicked, this, &frmDialogExecConfig::cmdGetConfigs_Click);
    connect(cmdSetConfig, &QPushButton::clicked, this, &frmDialogExecConfig::cmdSetConfig_Click);
    connect(tmrSet, &QTimer::timeout, this, &frmDialogExecConfig::tmrSet_Timer);
    connect(tmrCheck, &QTimer::timeout, this, &frmDialogExecConfig::tmrCheck_Timer);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdGetConfigs);
    buttons->addStretch(1);
    buttons->addWidget(cmdSetConfig);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cbConfigs);
    layout->addLayout(buttons);

    ApplyLanguage(this);
    resetList();
    tmrCheck_Timer();
}

void frmDialogExecConfig::showEvent(QShowEvent *event)
{
    tmrCheck->start();
    QWidget::showEvent(event);
}

void frmDialogExecConfig::hideEvent(QHideEvent *event)
{
    tmrCheck->stop();
    QWidget::hideEvent(event);
}

void frmDialogExecConfig::resetList()
{
    cbConfigs->clear();
    cbConfigs->addItem(kChoose);
    cbConfigs->setCurrentIndex(0);
}

void frmDialogExecConfig::cmdGetConfigs_Click()
{
    m_session->SendCommand(QStringLiteral("dir / cfg"));
    m_session->clearReplyBuffer();
    tmrSet->start();
}

void frmDialogExecConfig::tmrSet_Timer()
{
    tmrSet->stop();
    txtConfigs->setText(m_session->replyText());
    resetList();
    // The reply buffer starts with the line break before the reply and then the listing's
    // "Directory of" line; neither names a file.
    const QStringList lines = txtConfigs->text().split(QStringLiteral("\r\n"));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString &name = lines.at(i);
        if (name != kDirRule && !isShippedConfig(name))
            cbConfigs->addItem(name);
    }
    // The listing pushed the players out of the console: bring them back.
    m_session->console()->clear();
    m_session->SendCommand(QStringLiteral("status"));
}

void frmDialogExecConfig::cmdSetConfig_Click()
{
    if (cbConfigs->currentIndex() <= 0) {
        MsgBox(kChoose, MsgIcon::Critical, QStringLiteral("Error: configfile"), MsgButtons::Ok,
               this);
        return;
    }
    m_session->SendCommand(QStringLiteral("exec ") + cbConfigs->currentText());
    MsgBox(QStringLiteral("Configfile executing..."), MsgIcon::Information,
           QStringLiteral("Executing..."), MsgButtons::Ok, this);
    close();
}

void frmDialogExecConfig::tmrCheck_Timer()
{
    cmdSetConfig->setEnabled(cbConfigs->currentIndex() > 0);
}
