#include "admin/frmLogViewer.h"

#include "admin/SaveLoadText.h"
#include "config/AppInfo.h"
#include "platform/ConsoleBox.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramDir.h"
#include "ui/ApplyLanguage.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QTime>

using namespace Controls;

frmLogViewer::frmLogViewer(QWidget *parent)
    : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmLogViewer"));
    setWindowTitle(AppInfo::name());
    setAttribute(Qt::WA_DeleteOnClose);

    rtb1 = named(new ConsoleBox(this), "rtb1");
    setCentralWidget(rtb1);

    QMenu *mnuFile = menu(this, "mnuFile", QStringLiteral("File"));
    menuBar()->addMenu(mnuFile);
    connect(item(mnuFile, "mnuOpen", QStringLiteral("Open log")), &QAction::triggered, this,
            &frmLogViewer::mnuOpen_Click);
    mnuFile->addSeparator();
    connect(item(mnuFile, "mnuExit", QStringLiteral("Exit")), &QAction::triggered, this,
            &QWidget::close);

    auto *sb1 = named(new QStatusBar(this), "sb1");
    setStatusBar(sb1);
    lblLogName = label(sb1, "lblLogName");
    lblOpenedAt = label(sb1, "lblOpenedAt");
    sb1->addWidget(lblLogName, 1);
    sb1->addPermanentWidget(lblOpenedAt);

    ApplyLanguage(this);
    lblOpenedAt->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    resize(760, 520);
}

void frmLogViewer::showLog(const QString &name, const QString &path)
{
    lblLogName->setText(name);
    rtb1->setText(LoadTextFile(path, this));
}

void frmLogViewer::mnuOpen_Click()
{
    const QString path
        = askOpenFile(QStringLiteral("Open log"), programPath(QStringLiteral("Logs/Console/")),
                      QStringLiteral("Logs (*.log);;All files (*)"));
    if (!path.isEmpty())
        showLog(QFileInfo(path).completeBaseName(), path);
}
