#include "mainwindow/MainLifecycle.h"

#include "mainwindow/frmMain.h"

#include <QCloseEvent>

MainLifecycle::MainLifecycle(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("mainLifecycle"));
}

void MainLifecycle::startUp()
{}

void MainLifecycle::onClose(QCloseEvent *event)
{
    event->accept();
}
