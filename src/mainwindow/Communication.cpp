#include "mainwindow/Communication.h"

#include "mainwindow/frmMain.h"

Communication::Communication(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("communication"));
}

void Communication::loadHistory()
{}
