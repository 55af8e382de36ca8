#include "rcon/ConnectionSequence.h"

#include "mainwindow/frmMain.h"

ConnectionSequence::ConnectionSequence(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("connectionSequence"));
}

void ConnectionSequence::connectToServer()
{}

void ConnectionSequence::disconnectFromServer()
{}
