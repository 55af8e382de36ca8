#pragma once

#include <QObject>

class frmMain;

// The command line under the console, its history, the slash commands, the quick buttons, the
// Console menu and the console timers.
class CommandLine : public QObject
{
    Q_OBJECT
public:
    explicit CommandLine(frmMain *main);

    void loadHistory();

private:
    frmMain *m_main;
};
