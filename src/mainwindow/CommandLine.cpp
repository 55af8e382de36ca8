#include "mainwindow/CommandLine.h"

#include "mainwindow/frmMain.h"

CommandLine::CommandLine(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("commandLine"));
}

void CommandLine::loadHistory()
{}
